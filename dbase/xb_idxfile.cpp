#include "dbase/xb_idxfile.h"
#include "core/DateTime.h"
#include "dbase/xb_codepages.h"
#include "dbase/xb_file.h"
#include "dbase/xb_language.h"
#include "dbase/xb_parser.h"
#include <QtCore/QFileInfo>
#include <QtCore/QtEndian>
#include <cmath>
#include <cstring>
#include <numeric>

namespace {
constexpr int kPageSize = 512;
constexpr int kMaxKeyLength = 100;
// Deeper than any real tree: a deeper walk means the nodes point in a circle.
constexpr int kMaxDepth = 24;
constexpr int kSequentialEnd = 2147483647;

quint32 Le32(const QByteArray& b, int at) {
  return at + 4 <= b.size() ? qFromLittleEndian<quint32>(b.constData() + at) : 0;
}
quint16 Le16(const QByteArray& b, int at) {
  return at + 2 <= b.size() ? qFromLittleEndian<quint16>(b.constData() + at) : 0;
}
void Put32(QByteArray& b, int at, quint32 v) { qToLittleEndian(v, b.data() + at); }
void Put16(QByteArray& b, int at, quint16 v) { qToLittleEndian(v, b.data() + at); }

// Header fields of an NDX file and of an MDX tag.
namespace TagHeader {
constexpr int Root = 0, PageCount = 4, KeyFormat = 8, KeyType = 9, Word10 = 10, KeyLen = 12, KeysPerNode = 14,
              KeyKind = 16, EntryLen = 18, Word20 = 20, Uniqueness = 23, Expression = 24, ExpressionPresent = 246;
}
namespace MdxHeader {
constexpr int Version = 0, Date = 1, Name = 4, TagRecordLength = 26, TagsInUse = 28, Language = 31, PageCount = 32,
              ClearDate = 44;
}
constexpr quint8 kDescending = 0x08, kCharacterKey = 0x10, kDistinct = 0x20, kUnique = 0x40;

bool MarkedDeleted(const char* record) { return record[0] == '*'; }

void PutDate(QByteArray& b, int at) {
  const QDate today = QDate::currentDate();
  b[at] = char(today.year() - 1900);
  b[at + 1] = char(today.month());
  b[at + 2] = char(today.day());
}

QByteArray Fit(QByteArray key, int length, char pad) {
  if (key.size() > length) key.truncate(length);
  if (key.size() < length) key.append(QByteArray(length - key.size(), pad));
  return key;
}

// The decimal digits of |value| with trailing zeros removed and the
// exponent of 0.d1d2... form; no digits for zero.
struct TDecimal {
  QByteArray Digits;
  int Exponent = 0;
  bool Negative = false;
};

TDecimal DecimalOf(const TExprValue& value) {
  TDecimal d;
  if (value.Type == etInteger || value.Type == etLargeInt) {
    const qint64 v = value.Type == etInteger ? value.Int : value.Large;
    d.Negative = v < 0;
    d.Digits = QByteArray::number(v).remove(0, d.Negative ? 1 : 0);
    if (v == 0) d.Digits.clear();
    d.Exponent = int(d.Digits.size());
  } else {
    const double v = value.Float;
    d.Negative = v < 0;
    if (v != 0 && std::isfinite(v)) {
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(v));
      const QByteArray text(buffer);
      const qsizetype e = text.indexOf('e');
      d.Digits = text.left(e).replace(".", "");
      d.Exponent = text.mid(e + 1).toInt() + 1;
    }
  }
  while (d.Digits.endsWith('0'))
    d.Digits.chop(1);
  d.Digits.truncate(16);
  if (d.Digits.isEmpty()) d = TDecimal{};
  return d;
}

QByteArray BcdKey(const TDecimal& d) {
  QByteArray key(12, '\0');
  key[0] = char(0x34 + d.Exponent);
  key[1] = char(((d.Digits.size() + 1) / 2) * 8 + 1 + (d.Negative ? 0x80 : 0));
  for (qsizetype i = 0; i < d.Digits.size(); ++i) {
    const int digit = d.Digits[i] - '0';
    key[2 + i / 2] = char(quint8(key[2 + i / 2]) | (i % 2 == 0 ? digit << 4 : digit));
  }
  return key;
}

bool BcdIsZero(const QByteArray& k) {
  return (quint8(k[1]) & 0x7F) <= 1 || std::all_of(k.begin() + 2, k.begin() + 10, [](char c) { return c == 0; });
}

// Zero has its own place between the negative and the positive numbers.
int CompareBcd(const QByteArray& a, const QByteArray& b) {
  auto sign = [](const QByteArray& k) { return BcdIsZero(k) ? 0 : (quint8(k[1]) & 0x80) ? -1 : 1; };
  const int sa = sign(a), sb = sign(b);
  if (sa != sb) return sa < sb ? -1 : 1;
  if (sa == 0) return 0;
  int r = quint8(a[0]) != quint8(b[0]) ? (quint8(a[0]) < quint8(b[0]) ? -1 : 1)
                                       : std::memcmp(a.constData() + 2, b.constData() + 2, 8);
  r = r < 0 ? -1 : r > 0 ? 1 : 0;
  return sa < 0 ? -r : r;
}
} // namespace

struct TIndexFile::TTag {
  QString Name;
  int HeaderPage = 0;
  QByteArray Header;
  std::unique_ptr<TXbParser> Parser;
  int KeyLen = 0, EntryLen = 0, KeysPerNode = 0;
  char KeyType = 'C';
  bool Descending = false;
  TIndexUniqueMode Mode = TIndexUniqueMode::Normal;
  int RootPage() const { return int(Le32(Header, TagHeader::Root)); }

  std::vector<TLevel> Path;
  TWhere Where = TWhere::BeforeFirst;
  // Appended keys not yet in the tree (KeyLen bytes each) and their records.
  QByteArray PendingKeys;
  std::vector<quint32> PendingRecs;
  bool RangeActive = false;
  QByteArray Low, High;
};

TIndexFile::TIndexFile(TXbFile& table) : table_(table) {}

TIndexFile::~TIndexFile() {
  // The owner closes the file; here only what it left open goes, without throwing.
  try {
    CloseIndexFile();
  } catch (...) {
  }
}

TIndexFile::TTag& TIndexFile::Tag() const {
  if (selected_ < 0 || selected_ >= int(tags_.size())) throw EXbError(XbMessages::IndexNotExist().arg(QString()));
  return *tags_[std::size_t(selected_)];
}

// ---- opening, headers and tags ------------------------------------------------------------------

void TIndexFile::OpenIndexFile() {
  if (Active()) return;
  mdx_ = QFileInfo(FileName()).suffix().toUpper() == QLatin1String("MDX");
  headerSize_ = mdx_ ? 2048 : 512;
  nodeSize_ = mdx_ ? 1024 : 512;
  nodeHeader_ = mdx_ ? 8 : 4;
  entryHeader_ = mdx_ ? 4 : 8;
  SetPageSize(kPageSize);
  SetPagesAfterHeader(false);
  SetPageNumberLocks(false);
  SetRecordSize(nodeSize_);
  Open();
  tags_.clear();
  selected_ = -1;
  fileHeader_ = QByteArray(headerSize_, '\0');
  if (IsCreating(Mode())) {
    dbase7_ = mdx_ && table_.Format() == TableFormat::Dbase7;
    ClearIndexFile();
    ResetUpdateMode();
    return;
  }
  if (StreamSize() < headerSize_) throw EXbError(XbMessages::InvalidIndexFile().arg(FileName()));
  ReadFileHeader();
  dbase7_ = mdx_ && fileHeader_[MdxHeader::Version] == 3;
  if (mdx_) ChooseCollation();
  if (tagsRead_) ReadTags();
  ResetUpdateMode();
}

void TIndexFile::ResetUpdateMode() {
  updateMode_ = mdx_ && tags_.size() >= 2 ? TIndexUpdateMode::AllTags : TIndexUpdateMode::SelectedTag;
}

std::vector<int> TIndexFile::MaintainedTags() const {
  if (updateMode_ == TIndexUpdateMode::SelectedTag && selected_ >= 0) return {selected_};
  std::vector<int> all(tags_.size());
  std::iota(all.begin(), all.end(), 0);
  return all;
}

void TIndexFile::CloseIndexFile() {
  if (!Active()) return;
  DropNodes();
  tags_.clear();
  selected_ = -1;
  Close();
}

void TIndexFile::ReadFileHeader() {
  fileHeader_.fill('\0', headerSize_);
  ReadAt(0, fileHeader_.data(), headerSize_);
  if (mdx_) tagRecordLength_ = quint8(fileHeader_[MdxHeader::TagRecordLength]);
}

void TIndexFile::WriteFileHeader() {
  if (mdx_ && !deferHeaders_) WriteAt(0, fileHeader_.constData(), headerSize_);
}

int TIndexFile::MaxTags() const { return std::min(47, (headerSize_ - 512) / std::max(tagRecordLength_, 1) - 1); }

int TIndexFile::TagRecordOffset(int slot) const { return 512 + tagRecordLength_ * (slot + 1); }

void TIndexFile::ChooseCollation() {
  int tableId = table_.LanguageId();
  if (table_.Format() == TableFormat::Dbase7) tableId = XbLanguage::LanguageIdFromName(table_.LanguageDriverName());
  const int headerId = quint8(fileHeader_[MdxHeader::Language]);
  int error = 0;
  quint32 locale = 0;
  bool bytes = false;
  if (tableId != 0) {
    if (headerId != 0 && headerId != tableId)
      error = leLanguageMismatch;
    else
      locale = XbLanguage::LanguageDriver(tableId).Locale;
  } else if (headerId != 0) {
    locale = XbLanguage::LanguageDriver(headerId).Locale;
  } else {
    bytes = true;
  }
  if (!bytes && !error && (locale == XbLanguage::kNoLocaleCode || locale == 0)) error = leUnknownLocale;
  if (!bytes && error != leLanguageMismatch && !InstalledLocales().Contains(locale)) error = leLocaleNotInstalled;
  tagsRead_ = true;
  readOnly_ = false;
  if (error) {
    int solution = 0;
    if (table_.OnLocaleError) table_.OnLocaleError(table_, error, solution);
    if (solution == 0) {
      tagsRead_ = false;
      return;
    }
    if (solution == 1) {
      readOnly_ = true;
      bytes = true;
    } else {
      // A locale that cannot collate would make every comparison "equal".
      if (!InstalledLocales().Contains(quint32(solution)))
        throw EXbError(XbMessages::LocaleNotAvailable().arg(solution).arg(FileName()));
      locale = quint32(solution);
    }
  }
  byteCollation_ = bytes;
  if (!bytes) {
    collator_ = QCollator(LocaleOfLcid(locale));
    collator_.setCaseSensitivity(Qt::CaseSensitive);
  }
  collationCodePage_ = table_.UseCodePage;
}

void TIndexFile::ReadTags() {
  tags_.clear();
  if (!mdx_) {
    auto tag = std::make_unique<TTag>();
    tag->Name = QFileInfo(FileName()).completeBaseName().toUpper();
    tag->Header = fileHeader_;
    tags_.push_back(std::move(tag));
    ReadTagHeader(*tags_.back());
  } else {
    if (tagRecordLength_ < 21) throw EXbError(XbMessages::InvalidIndexFile().arg(FileName()));
    const int count = std::min<int>(Le16(fileHeader_, MdxHeader::TagsInUse), std::max(MaxTags(), 0));
    for (int i = 0; i < count; ++i) {
      const int at = TagRecordOffset(i);
      auto tag = std::make_unique<TTag>();
      tag->HeaderPage = int(Le32(fileHeader_, at));
      const int nameLength = dbase7_ ? 33 : 11;
      const QByteArray name = fileHeader_.mid(at + 4, std::min(nameLength, tagRecordLength_ - 4));
      tag->Name = QString::fromLatin1(name.left(name.indexOf('\0') < 0 ? name.size() : name.indexOf('\0'))).trimmed();
      const qint64 offset = qint64(tag->HeaderPage) * kPageSize;
      if (tag->HeaderPage < 4 || offset + nodeSize_ > StreamSize())
        throw EXbError(XbMessages::InvalidIndexFile().arg(FileName()));
      tag->Header = QByteArray(nodeSize_, '\0');
      ReadAt(offset, tag->Header.data(), nodeSize_);
      tags_.push_back(std::move(tag));
      ReadTagHeader(*tags_.back());
    }
  }
  SelectTag(tags_.empty() ? -1 : 0);
}

// Takes the key layout from the header, recomputing it when it does not fit
// a node, and compiles the key expression.
void TIndexFile::ReadTagHeader(TTag& tag) {
  QByteArray& h = tag.Header;
  int keyLen = Le16(h, TagHeader::KeyLen);
  int entryLen = Le16(h, TagHeader::EntryLen);
  int perNode = Le16(h, TagHeader::KeysPerNode);
  const bool consistent = keyLen > 0 && keyLen <= kMaxKeyLength && entryLen >= keyLen + entryHeader_ && perNode >= 3 &&
                          perNode * entryLen <= nodeSize_ - nodeHeader_;
  if (!consistent) {
    keyLen = std::clamp(keyLen, 1, kMaxKeyLength);
    entryLen = (keyLen + entryHeader_ + 3) / 4 * 4;
    perNode = (nodeSize_ - nodeHeader_) / entryLen;
  }
  tag.KeyLen = keyLen;
  tag.EntryLen = entryLen;
  tag.KeysPerNode = perNode;
  TagProperties(tag);
  const QByteArray expression = h.mid(TagHeader::Expression, 220);
  const qsizetype end = expression.indexOf('\0');
  tag.Parser = std::make_unique<TXbParser>(&table_);
  tag.Parser->PrepareExpression(
      XbCodePages::Decode(table_.UseCodePage, expression.left(end < 0 ? 219 : end)).trimmed());
}

void TIndexFile::TagProperties(TTag& tag) {
  const quint8 format = quint8(tag.Header[TagHeader::KeyFormat]);
  tag.Descending = format & kDescending;
  tag.Mode = (format & kDistinct) ? TIndexUniqueMode::Distinct
             : (format & kUnique) ? TIndexUniqueMode::Unique
                                  : TIndexUniqueMode::Normal;
  tag.KeyType = tag.Header[TagHeader::KeyType] == 'C' ? 'C' : 'N';
}

void TIndexFile::WriteTagHeader(TTag& tag) {
  if (!mdx_) fileHeader_ = tag.Header;
  if (!deferHeaders_) WriteAt(qint64(tag.HeaderPage) * kPageSize, tag.Header.constData(), tag.Header.size());
}

int TIndexFile::AllocatePage(TTag& tag) {
  int page;
  if (mdx_) {
    page = std::max<int>(4, int(Le32(fileHeader_, MdxHeader::PageCount)));
    Put32(fileHeader_, MdxHeader::PageCount, quint32(page + 2));
    WriteFileHeader();
  } else {
    page = std::max<int>(1, int(Le32(tag.Header, TagHeader::PageCount)));
  }
  // NDX: the next free page; MDX: the pages this tag has taken.
  Put32(tag.Header, TagHeader::PageCount, mdx_ ? Le32(tag.Header, TagHeader::PageCount) + 2 : quint32(page + 1));
  return page;
}

void TIndexFile::ClearTag(TTag& tag) {
  if (!mdx_) Put32(tag.Header, TagHeader::PageCount, 1);
  TNode root;
  root.Page = AllocatePage(tag);
  Put32(tag.Header, TagHeader::Root, quint32(root.Page));
  WriteTagHeader(tag);
  WriteNode(root, tag);
  tag.PendingKeys.clear();
  tag.PendingRecs.clear();
  tag.Path.clear();
  tag.Where = TWhere::BeforeFirst;
}

void TIndexFile::ClearIndexFile() {
  // Every key goes and the pages are given out anew.
  nodes_.clear();
  changed_.clear();
  if (mdx_) {
    const int oldLength = tagRecordLength_;
    QByteArray records = fileHeader_.mid(512 + oldLength, int(tags_.size()) * oldLength);
    fileHeader_.fill('\0', headerSize_);
    fileHeader_[MdxHeader::Version] = char(dbase7_ ? 3 : 2);
    PutDate(fileHeader_, MdxHeader::Date);
    const QByteArray name = QFileInfo(table_.FileName()).completeBaseName().toUpper().toLatin1().left(15);
    std::memcpy(fileHeader_.data() + MdxHeader::Name, name.constData(), size_t(name.size()));
    Put16(fileHeader_, 20, 2);
    Put16(fileHeader_, 22, 1024);
    fileHeader_[24] = 1;
    fileHeader_[25] = 48;
    // A dBASE 7 tag record is 43 bytes long: the slots declare the room they take.
    tagRecordLength_ = dbase7_ ? 43 : 32;
    fileHeader_[MdxHeader::TagRecordLength] = char(tagRecordLength_);
    Put16(fileHeader_, MdxHeader::TagsInUse, quint16(tags_.size()));
    fileHeader_[MdxHeader::Language] = char(table_.LanguageId());
    Put32(fileHeader_, MdxHeader::PageCount, 4);
    PutDate(fileHeader_, MdxHeader::ClearDate);
    fileHeader_[529] = 1;
    for (std::size_t i = 0; i < tags_.size(); ++i)
      std::memcpy(fileHeader_.data() + TagRecordOffset(int(i)), records.constData() + i * oldLength,
                  size_t(std::min(oldLength, tagRecordLength_)));
    WriteFileHeader();
    ChooseCollation();
    for (std::size_t i = 0; i < tags_.size(); ++i) {
      TTag& tag = *tags_[i];
      Put32(tag.Header, TagHeader::PageCount, 0);
      tag.HeaderPage = AllocatePage(tag);
      Put32(fileHeader_, TagRecordOffset(int(i)), quint32(tag.HeaderPage));
      ClearTag(tag);
    }
    WriteFileHeader();
  } else {
    byteCollation_ = true;
    if (tags_.empty()) {
      Put32(fileHeader_, TagHeader::PageCount, 1);
      WriteAt(0, fileHeader_.constData(), headerSize_);
    }
    for (const auto& tag : tags_)
      ClearTag(*tag);
  }
  SetStreamSize(qint64(mdx_ ? Le32(fileHeader_, MdxHeader::PageCount)
                            : std::max<quint32>(1, Le32(fileHeader_, TagHeader::PageCount))) *
                kPageSize);
}

void TIndexFile::CreateTag(const QString& expression, const QString& name, int options) {
  table_.RequireExclusive();
  DropNodes();
  auto parser = std::make_unique<TXbParser>(&table_);
  parser->PrepareExpression(expression);
  const TExpressionType type = parser->ExpressionType();
  char keyType;
  if (type == etString)
    keyType = 'C';
  else if (type == etInteger || type == etLargeInt || type == etFloat)
    keyType = 'N';
  else
    throw EXbError(XbMessages::InvalidIndexType());
  if (mdx_ && int(tags_.size()) >= MaxTags()) throw EXbError(XbMessages::TooManyIndexes());

  auto tag = std::make_unique<TTag>();
  tag->Name =
      mdx_ ? name.trimmed().toUpper().left(dbase7_ ? 32 : 10) : QFileInfo(FileName()).completeBaseName().toUpper();
  tag->Header = QByteArray(mdx_ ? nodeSize_ : headerSize_, '\0');
  TTag& t = *tag;
  if (mdx_) {
    const int slot = int(tags_.size());
    const int at = TagRecordOffset(slot);
    std::memset(fileHeader_.data() + at, 0, size_t(tagRecordLength_));
    const QByteArray tagName = t.Name.toLatin1();
    std::memcpy(fileHeader_.data() + at + 4, tagName.constData(), size_t(tagName.size()));
    fileHeader_[at + (dbase7_ ? 37 : 15)] = char((options & ixExpression) ? 0 : kCharacterKey);
    fileHeader_[at + (dbase7_ ? 41 : 19)] = 2;
    fileHeader_[at + (dbase7_ ? 42 : 20)] = keyType;
    t.HeaderPage = AllocatePage(t);
    Put32(fileHeader_, at, quint32(t.HeaderPage));
    Put16(fileHeader_, MdxHeader::TagsInUse, quint16(slot + 1));
    WriteFileHeader();
    tags_.push_back(std::move(tag));
  } else {
    tags_.clear();
    tags_.push_back(std::move(tag));
  }
  QByteArray& h = t.Header;
  quint8 format = ((options & ixDescending) ? kDescending : 0) | (keyType == 'C' ? kCharacterKey : 0);
  if (options & ixPrimary) {
    format |= 0x60;
    h[TagHeader::Uniqueness] = 0x21;
  } else if (options & ixUnique) {
    format |= kUnique;
    h[TagHeader::Uniqueness] = 1;
  }
  h[TagHeader::KeyFormat] = char(format);
  h[TagHeader::KeyType] = keyType;
  t.KeyLen = keyType == 'C' ? std::max(1, parser->ResultLength()) : (mdx_ ? 12 : 8);
  t.EntryLen = (t.KeyLen + entryHeader_ + 3) / 4 * 4;
  t.KeysPerNode = (nodeSize_ - nodeHeader_) / t.EntryLen;
  Put16(h, TagHeader::KeyLen, quint16(t.KeyLen));
  Put16(h, TagHeader::KeysPerNode, quint16(t.KeysPerNode));
  Put16(h, TagHeader::EntryLen, quint16(t.EntryLen));
  Put16(h, TagHeader::Word10, mdx_ ? 0 : 0x5800);
  Put16(h, TagHeader::KeyKind, !mdx_ && keyType == 'N' ? 1 : 0);
  Put16(h, TagHeader::Word20, 2);
  const QByteArray text = XbCodePages::Encode(table_.UseCodePage, expression.left(219));
  std::memcpy(h.data() + TagHeader::Expression, text.constData(), size_t(text.size()));
  h[TagHeader::ExpressionPresent] = 1;
  t.Parser = std::move(parser);
  TagProperties(t);
  ClearTag(t);
  SelectTag(int(tags_.size()) - 1);
  ResetUpdateMode();
}

void TIndexFile::DeleteTag(const QString& name) {
  table_.RequireExclusive();
  DropNodes();
  if (!mdx_) {
    CloseIndexFile();
    DeleteFromDisk();
    return;
  }
  const int slot = TagIndexOf(name);
  if (slot < 0) return;
  const int count = int(tags_.size());
  for (int i = slot; i + 1 < count; ++i)
    std::memmove(fileHeader_.data() + TagRecordOffset(i), fileHeader_.constData() + TagRecordOffset(i + 1),
                 size_t(tagRecordLength_));
  std::memset(fileHeader_.data() + TagRecordOffset(count - 1), 0, size_t(tagRecordLength_));
  tags_.erase(tags_.begin() + slot);
  Put16(fileHeader_, MdxHeader::TagsInUse, quint16(count - 1));
  WriteFileHeader();
  SelectTag(tags_.empty() ? -1 : 0);
}

void TIndexFile::RebuildTags(const QString& tagName) {
  if (readOnly_ || !tagsRead_) return;
  const int slot = tagName.isEmpty() ? -1 : mdx_ ? TagIndexOf(tagName) : 0;
  if (!tagName.isEmpty() && slot < 0) return;
  const TKeepSelection keep(*this);
  const TIndexUpdateMode mode = updateMode_;
  SelectTag(slot);
  updateMode_ = slot < 0 ? TIndexUpdateMode::AllTags : TIndexUpdateMode::SelectedTag;
  for (int i : MaintainedTags())
    ClearTag(*tags_[std::size_t(i)]);
  try {
    QByteArray record(table_.RecordSize(), '\0');
    const int count = table_.RecordCount();
    for (int n = 1; n <= count && table_.ReadRecord(n, record.data()) == table_.RecordSize(); ++n)
      InsertRecordKeys(n, record.constData());
  } catch (...) {
    updateMode_ = mode;
    throw;
  }
  updateMode_ = mode;
}

// ---- selection and description ------------------------------------------------------------------

void TIndexFile::SelectTag(int slot) { selected_ = slot >= 0 && slot < int(tags_.size()) ? slot : -1; }

void TIndexFile::SelectTagByName(const QString& name) {
  if (!mdx_) return SelectTag(0);
  const int slot = TagIndexOf(name);
  if (slot >= 0) SelectTag(slot);
}

int TIndexFile::TagIndexOf(const QString& name) const {
  for (std::size_t i = 0; i < tags_.size(); ++i)
    if (QString::compare(tags_[i]->Name, name.trimmed(), Qt::CaseInsensitive) == 0) return int(i);
  return -1;
}

QStringList TIndexFile::TagNames() const {
  QStringList names;
  if (mdx_)
    for (const auto& tag : tags_)
      names << tag->Name;
  return names;
}

QString TIndexFile::TagExpression() const { return selected_ < 0 ? QString() : Tag().Parser->ExpressionText(); }
QString TIndexFile::SelectedIndexName() const { return selected_ < 0 ? QString() : mdx_ ? Tag().Name : FileName(); }
int TIndexFile::KeyLen() const { return selected_ < 0 ? 0 : Tag().KeyLen; }
char TIndexFile::KeyType() const { return selected_ < 0 ? 'C' : Tag().KeyType; }
bool TIndexFile::Descending() const { return selected_ >= 0 && Tag().Descending; }
TIndexUniqueMode TIndexFile::UniqueMode() const { return selected_ < 0 ? TIndexUniqueMode::Normal : Tag().Mode; }

void TIndexFile::TagInfo(const QString& name, TXbIndexDef& declaration) {
  const int previous = selected_;
  SelectTagByName(name);
  declaration.SetIndexFile(name);
  declaration.SetSortField(TagExpression());
  declaration.Options = ixExpression | (Descending() ? ixDescending : 0) |
                        (UniqueMode() == TIndexUniqueMode::Unique     ? ixUnique
                         : UniqueMode() == TIndexUniqueMode::Distinct ? ixPrimary
                                                                      : 0);
  declaration.FromIndexFile = true;
  SelectTag(previous);
}

// ---- keys ---------------------------------------------------------------------------------------

QByteArray TIndexFile::PrepareKey(const TExprValue& value) const {
  const TTag& tag = Tag();
  if (tag.KeyType == 'C') return Fit(value.Type == etString ? value.Text : value.Bytes(), tag.KeyLen, ' ');
  if (mdx_) return BcdKey(DecimalOf(value));
  double number = value.Type == etFloat || value.Type == etDateTime ? value.Float
                  : value.Type == etLargeInt                        ? double(value.Large)
                                                                    : double(value.Int);
  QByteArray key(8, '\0');
  qToLittleEndian(number, key.data());
  return key;
}

QByteArray TIndexFile::ExtractKey(const char* record) {
  TTag& tag = Tag();
  if (tag.KeyType == 'C') return Fit(tag.Parser->EvaluateKey(record), tag.KeyLen, ' ');
  return PrepareKey(tag.Parser->EvaluateRecord(record));
}

QByteArray TIndexFile::KeyToBuffer(const QVariant& value) const {
  if (KeyType() == 'N') {
    TExprValue number;
    number.Type = etFloat;
    number.Float = value.toDouble();
    return PrepareKey(number);
  }
  return Fit(XbCodePages::Encode(table_.UseCodePage, value.toString()), KeyLen(), ' ');
}

int TIndexFile::CompareRaw(const QByteArray& a, const QByteArray& b) const {
  const TTag& tag = Tag();
  if (tag.KeyType != 'C') {
    if (mdx_) return CompareBcd(Fit(a, 12, '\0'), Fit(b, 12, '\0'));
    const double x = qFromLittleEndian<double>(Fit(a, 8, '\0').constData());
    const double y = qFromLittleEndian<double>(Fit(b, 8, '\0').constData());
    return x < y ? -1 : x > y ? 1 : 0;
  }
  if (byteCollation_) {
    for (int i = 0; i < tag.KeyLen; ++i) {
      const quint8 x = i < a.size() ? quint8(a[i]) : 0, y = i < b.size() ? quint8(b[i]) : 0;
      if (x != y) return x < y ? -1 : 1;
      if (x == 0) return 0;
    }
    return 0;
  }
  const int r = collator_.compare(CollationText(a, collationLeft_), CollationText(b, collationRight_));
  return r < 0 ? -1 : r > 0 ? 1 : 0;
}

// A character key as the locale compares it: up to the key length or a zero byte.
QStringView TIndexFile::CollationText(const QByteArray& key, QString& buffer) const {
  QByteArrayView view(key.constData(), std::min<qsizetype>(key.size(), Tag().KeyLen));
  const void* zero = std::memchr(view.data(), 0, size_t(view.size()));
  if (zero) view = view.first(static_cast<const char*>(zero) - view.data());
  XbCodePages::DecodeInto(collationCodePage_, view, buffer);
  return buffer;
}

int TIndexFile::CompareKeys(const QByteArray& a, const QByteArray& b) const {
  const int r = CompareRaw(a, b);
  return Tag().Descending ? -r : r;
}

// ---- nodes --------------------------------------------------------------------------------------

// How many entries a node buffer holds (an inner node's trailing entry
// included) and whether it is an inner node.
int TIndexFile::NodeEntries(const char* buffer, const TTag& tag, bool* inner) const {
  int count = std::clamp<int>(int(qFromLittleEndian<quint32>(buffer)), 0, tag.KeysPerNode);
  auto at = [&](int i) { return nodeHeader_ + i * tag.EntryLen; };
  const bool room = at(count + 1) + 4 <= nodeSize_;
  *inner = mdx_ ? count < tag.KeysPerNode && room && qFromLittleEndian<quint32>(buffer + at(count)) != 0
                : qFromLittleEndian<quint32>(buffer + at(0)) != 0;
  if (*inner) count = std::min(count, tag.KeysPerNode - 1);
  return count + (*inner ? 1 : 0);
}

// A page in the header or beyond the end of the file is not read: an empty leaf.
bool TIndexFile::ReadNodeBuffer(int page, char* buffer) {
  if (page < (mdx_ ? 4 : 1)) return false;
  return ReadAt(qint64(page) * kPageSize, buffer, nodeSize_) == nodeSize_;
}

TIndexFile::TNode TIndexFile::ReadNode(int page, const TTag& tag) const {
  auto* self = const_cast<TIndexFile*>(this);
  if (CachesNodes()) {
    const auto cached = nodes_.find(page);
    if (cached != nodes_.end()) return cached->second;
    // Nobody holds a cached node while a copy is asked for: room may be made.
    if (nodes_.size() >= kCachedNodes) self->TrimNodes();
    return self->nodes_[page] = self->DecodeNode(page, tag);
  }
  return self->DecodeNode(page, tag);
}

// The node a change is made to: the cached one itself (no copy, and the
// cache is not trimmed while changes go on), or the caller's copy.
TIndexFile::TNode& TIndexFile::NodeToChange(int page, const TTag& tag, TNode& local) {
  if (!CachesNodes()) return local = ReadNode(page, tag);
  const auto cached = nodes_.find(page);
  if (cached != nodes_.end()) return cached->second;
  return nodes_[page] = DecodeNode(page, tag);
}

TIndexFile::TNode TIndexFile::DecodeNode(int page, const TTag& tag) {
  TNode node;
  node.Page = page;
  QByteArray buffer(nodeSize_, '\0');
  if (ReadNodeBuffer(page, buffer.data())) {
    const int entries = NodeEntries(buffer.constData(), tag, &node.Inner);
    const int count = entries - (node.Inner ? 1 : 0);
    node.Entries.resize(std::size_t(entries));
    for (int i = 0; i < entries; ++i) {
      TEntry& e = node.Entries[std::size_t(i)];
      const int o = nodeHeader_ + i * tag.EntryLen;
      if (mdx_) {
        (node.Inner ? e.Child : e.Rec) = Le32(buffer, o);
      } else {
        e.Child = Le32(buffer, o);
        e.Rec = Le32(buffer, o + 4);
      }
      if (i < count) e.Key = buffer.mid(o + entryHeader_, tag.KeyLen);
    }
  }
  return node;
}

// Nodes of an exclusive or memory file are kept decoded; a changed node
// reaches the file at Flush, at Close or when a copy finds the cache full.
void TIndexFile::KeepNode(const TNode& node, const TTag* changedIn) {
  TNode& kept = nodes_[node.Page];
  if (&kept != &node) kept = node;
  if (changedIn) changed_[node.Page] = changedIn;
}

void TIndexFile::WriteNode(const TNode& node, const TTag& tag) {
  if (readOnly_) return;
  if (CachesNodes()) return KeepNode(node, &tag);
  StoreNode(node, tag);
}

void TIndexFile::StoreNode(const TNode& node, const TTag& tag) {
  QByteArray buffer(nodeSize_, '\0');
  EncodeNode(node, tag, buffer.data());
  if (WriteAt(qint64(node.Page) * kPageSize, buffer.constData(), nodeSize_) != nodeSize_) MarkWriteFailed();
}

// The node's page image into `out`, nodeSize_ bytes that start zeroed.
void TIndexFile::EncodeNode(const TNode& node, const TTag& tag, char* out) const {
  auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, out + at); };
  put32(0, quint32(node.Keys()));
  for (std::size_t i = 0; i < node.Entries.size(); ++i) {
    const TEntry& e = node.Entries[i];
    const int o = nodeHeader_ + int(i) * tag.EntryLen;
    if (mdx_) {
      put32(o, node.Inner ? e.Child : e.Rec);
    } else {
      put32(o, node.Inner ? e.Child : 0);
      put32(o + 4, node.Inner ? 0 : e.Rec);
    }
    if (int(i) < node.Keys())
      std::memcpy(out + o + entryHeader_, e.Key.constData(), size_t(std::min<qsizetype>(e.Key.size(), tag.KeyLen)));
  }
}

void TIndexFile::FlushNodes() {
  InsertPendingKeys();
  StoreChangedNodes();
}

// Runs of consecutive pages go to the file in one write each.
void TIndexFile::StoreChangedNodes() {
  std::vector<std::pair<int, const TTag*>> pages(changed_.begin(), changed_.end());
  std::sort(pages.begin(), pages.end());
  changed_.clear();
  const int pagesPerNode = nodeSize_ / kPageSize;
  QByteArray run;
  for (std::size_t first = 0; first < pages.size();) {
    std::size_t end = first + 1;
    while (end < pages.size() && pages[end].first == pages[end - 1].first + pagesPerNode)
      ++end;
    run.fill('\0', qsizetype(end - first) * nodeSize_);
    for (std::size_t k = first; k < end; ++k)
      EncodeNode(nodes_.at(pages[k].first), *pages[k].second, run.data() + qsizetype(k - first) * nodeSize_);
    if (WriteAt(qint64(pages[first].first) * kPageSize, run.constData(), run.size()) != run.size()) MarkWriteFailed();
    first = end;
  }
}

void TIndexFile::TrimNodes() {
  StoreChangedNodes();
  nodes_.clear();
}

void TIndexFile::DropNodes() {
  FlushNodes();
  nodes_.clear();
}

bool TIndexFile::DefersInsert(const TTag& tag) const {
  return CachesNodes() && !readOnly_ && tag.Mode == TIndexUniqueMode::Normal;
}

// Each tag's waiting keys go in as a batch, and a position on the tag is
// found again in the changed tree.
void TIndexFile::InsertPendingKeys() {
  for (std::size_t i = 0; i < tags_.size(); ++i) {
    TTag& tag = *tags_[i];
    if (tag.PendingRecs.empty()) continue;
    const QByteArray keys = std::exchange(tag.PendingKeys, QByteArray());
    const std::vector<quint32> recs = std::exchange(tag.PendingRecs, {});
    const TKeepSelection keep(*this);
    SelectTag(int(i));
    InsertBatch(tag, keys, recs);
    Resync();
  }
}

// The keys go in in key order (equal keys in the order they came), each as
// a key-by-key insertion would put it, so the tree is the one that order
// gives; a known bound per level spares most comparisons, the headers are
// written once at the end, and the node cache is written out when it fills.
void TIndexFile::InsertBatch(TTag& tag, const QByteArray& keys, const std::vector<quint32>& recs) {
  const int count = int(recs.size());
  const std::vector<int> order = BatchOrder(tag, keys, count);
  struct TDeferHeaders {
    TIndexFile& File;
    explicit TDeferHeaders(TIndexFile& file) : File(file) { File.deferHeaders_ = true; }
    ~TDeferHeaders() { File.deferHeaders_ = false; }
  };
  {
    const TDeferHeaders defer(*this);
    TFingers fingers;
    for (const int k : order) {
      if (nodes_.size() >= kCachedNodes) TrimNodes();
      InsertKey(keys.mid(qsizetype(k) * tag.KeyLen, tag.KeyLen), int(recs[std::size_t(k)]), &fingers);
    }
  }
  WriteFileHeader();
  WriteTagHeader(tag);
}

// The batch's keys in the tag's order, stable: compared by their collation
// sort keys, made once each, where the locale collates.
std::vector<int> TIndexFile::BatchOrder(const TTag& tag, const QByteArray& keys, int count) const {
  std::vector<int> order(static_cast<std::size_t>(count));
  std::iota(order.begin(), order.end(), 0);
  auto keyAt = [&](int k) { return QByteArray::fromRawData(keys.constData() + qsizetype(k) * tag.KeyLen, tag.KeyLen); };
  if (tag.KeyType == 'C' && !byteCollation_) {
    std::vector<QCollatorSortKey> sortKeys;
    sortKeys.reserve(std::size_t(count));
    QString text;
    for (int k = 0; k < count; ++k) {
      CollationText(keyAt(k), text);
      sortKeys.push_back(collator_.sortKey(text));
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
      const int r = sortKeys[std::size_t(a)].compare(sortKeys[std::size_t(b)]);
      return tag.Descending ? r > 0 : r < 0;
    });
  } else {
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return CompareKeys(keyAt(a), keyAt(b)) < 0; });
  }
  return order;
}

void TIndexFile::Close() {
  if (Active()) DropNodes();
  TPagedFile::Close();
}

// The records of the selected tag in its order (each once, as the walk
// gives them), read in one pass over the tree; a shared file is held still
// meanwhile by its header lock, which every key change takes.
std::vector<int> TIndexFile::RecordsInOrder() {
  std::vector<int> records;
  if (selected_ < 0) return records;
  InsertPendingKeys();
  const bool shared = NeedsLocks();
  if (shared) LockPage(0, true);
  try {
    TTag& tag = Tag();
    if (shared) {
      ReadFileHeader();
      if (mdx_)
        ReadAt(qint64(tag.HeaderPage) * kPageSize, tag.Header.data(), tag.Header.size());
      else
        tag.Header = fileHeader_;
    }
    if (tag.RangeActive) {
      const std::vector<TLevel> path = tag.Path;
      const TWhere where = tag.Where;
      for (bool on = Seek(tag.Low, false); on && InRange(); on = StepLeaf(true))
        if (records.empty() || records.back() != PhysicalRecNo()) records.push_back(PhysicalRecNo());
      tag.Path = path;
      tag.Where = where;
    } else {
      FlushNodes();
      // The whole file mapped, or in one read when it is in memory and not
      // large (as reading it node by node would take about as many bytes),
      // else node by node.
      const qint64 size = StreamSize();
      const TMappedBytes mapped = MapForReading(0, size);
      QByteArray image;
      QByteArrayView whole = mapped.Bytes();
      if (whole.isNull() && size <= kWholeFileRead) {
        image.resize(size);
        image.resize(ReadAt(0, image.data(), size));
        whole = QByteArrayView(image.constData(), image.size());
      }
      TNodeSource source{whole, QByteArray(nodeSize_ * (kMaxDepth + 1), '\0'), {}};
      CollectRecords(tag.RootPage(), 0, source, records);
    }
  } catch (...) {
    if (shared) UnlockPage(0);
    throw;
  }
  if (shared) UnlockPage(0);
  return records;
}

void TIndexFile::CollectRecords(int page, int depth, TNodeSource& source, std::vector<int>& records) {
  if (depth > kMaxDepth) throw EXbError(XbMessages::InvalidIndexFile().arg(FileName()));
  const char* buffer = nullptr;
  if (!source.Image.isNull()) {
    const qint64 at = qint64(page) * kPageSize;
    if (page < (mdx_ ? 4 : 1) || at + nodeSize_ > source.Image.size()) return;
    buffer = source.Image.data() + at;
  } else {
    char* own = source.Buffers.data() + qsizetype(depth) * nodeSize_;
    if (!ReadNodeBuffer(page, own)) return;
    buffer = own;
  }
  std::unordered_set<int>& innerPages = source.InnerPages;
  const TTag& tag = Tag();
  bool inner = false;
  const int entries = NodeEntries(buffer, tag, &inner);
  // An inner node reached twice means nodes that point in a circle.
  if (inner && !innerPages.insert(page).second) throw EXbError(XbMessages::InvalidIndexFile().arg(FileName()));
  for (int i = 0; i < entries; ++i) {
    const char* entry = buffer + nodeHeader_ + i * tag.EntryLen;
    if (inner) {
      CollectRecords(int(qFromLittleEndian<quint32>(entry)), depth + 1, source, records);
      continue;
    }
    const int rec = int(qFromLittleEndian<quint32>(entry + (mdx_ ? 0 : 4)));
    if (records.empty() || records.back() != rec) records.push_back(rec);
  }
}

int TIndexFile::Capacity(const TNode& node, const TTag& tag) const {
  return node.Inner ? tag.KeysPerNode - 1 : tag.KeysPerNode;
}

// ---- insertion ----------------------------------------------------------------------------------

// Inserts after every equal key, so equal keys keep the order of insertion;
// returns the split of the node when it overflowed.
std::optional<TIndexFile::TSplit> TIndexFile::InsertInto(int page, const QByteArray& key, quint32 rec, int depth,
                                                         TFingers* fingers) {
  if (depth > kMaxDepth) throw EXbError(XbMessages::InvalidIndexFile().arg(FileName()));
  TTag& tag = Tag();
  TNode local;
  TNode& node = NodeToChange(page, tag, local);
  const bool fingered = fingers && std::size_t(depth) < fingers->size() && (*fingers)[std::size_t(depth)].Page == page;
  const int i = LowerBound(node, key, true, fingered ? (*fingers)[std::size_t(depth)].Entry : 0);
  if (node.Inner) {
    const std::optional<TSplit> below =
        InsertInto(int(node.Entries[std::size_t(i)].Child), key, rec, depth + 1, fingers);
    if (!below) {
      NoteFinger(fingers, depth, node, i, std::nullopt);
      return std::nullopt;
    }
    TEntry left;
    left.Key = below->LeftMax;
    left.Child = node.Entries[std::size_t(i)].Child;
    node.Entries.insert(node.Entries.begin() + i, left);
    node.Entries[std::size_t(i) + 1].Child = quint32(below->RightPage);
  } else {
    TEntry entry;
    entry.Key = Fit(key, tag.KeyLen, ' ');
    entry.Rec = rec;
    node.Entries.insert(node.Entries.begin() + i, entry);
  }
  std::optional<TSplit> split = SplitIfFull(node);
  // A later key of the batch goes after this one in a leaf, into this child or a later one above.
  NoteFinger(fingers, depth, node, node.Inner ? i : i + 1, split);
  WriteNode(node, tag);
  return split;
}

// The entry is one of the node as it was before a split, whose right part
// now starts a page of its own.
void TIndexFile::NoteFinger(TFingers* fingers, int depth, const TNode& node, int entry,
                            const std::optional<TSplit>& split) {
  if (!fingers) return;
  if (fingers->size() <= std::size_t(depth)) fingers->resize(std::size_t(depth) + 1);
  const int kept = int(node.Entries.size());
  (*fingers)[std::size_t(depth)] =
      split && entry >= kept ? TFinger{split->RightPage, entry - kept} : TFinger{node.Page, entry};
}

// The left half stays on the node's page, the right half moves to a new one.
std::optional<TIndexFile::TSplit> TIndexFile::SplitIfFull(TNode& node) {
  TTag& tag = Tag();
  if (node.Keys() <= Capacity(node, tag)) return std::nullopt;
  TNode right;
  right.Inner = node.Inner;
  right.Page = AllocatePage(tag);
  WriteTagHeader(tag);
  const int keep = node.Inner ? (node.Keys() + 1) / 2 : node.Keys() / 2;
  right.Entries.assign(node.Entries.begin() + keep, node.Entries.end());
  node.Entries.resize(std::size_t(keep));
  TSplit split{node.Entries.back().Key, right.Page};
  if (node.Inner) node.Entries.back().Key.clear();
  WriteNode(right, tag);
  return split;
}

void TIndexFile::InsertKey(const QByteArray& key, int recNo, TFingers* fingers) {
  TTag& tag = Tag();
  if (tag.Mode != TIndexUniqueMode::Normal && HasKey(key)) {
    if (tag.Mode == TIndexUniqueMode::Unique) return;
    ThrowKeyViolation(key);
  }
  const std::optional<TSplit> split = InsertInto(tag.RootPage(), key, quint32(recNo), 0, fingers);
  if (!split) return;
  TNode root;
  root.Inner = true;
  root.Page = AllocatePage(tag);
  TEntry left, right;
  left.Key = split->LeftMax;
  left.Child = quint32(tag.RootPage());
  right.Child = quint32(split->RightPage);
  root.Entries = {left, right};
  WriteNode(root, tag);
  Put32(tag.Header, TagHeader::Root, quint32(root.Page));
  WriteTagHeader(tag);
}

// ---- deletion -----------------------------------------------------------------------------------

// Removes the entry of exactly this key and record; an absent entry removes nothing.
TIndexFile::TDeleteResult TIndexFile::DeleteFrom(int page, const QByteArray& key, quint32 rec, int depth) {
  if (depth > kMaxDepth) throw EXbError(XbMessages::InvalidIndexFile().arg(FileName()));
  TTag& tag = Tag();
  TNode local;
  TNode& node = NodeToChange(page, tag, local);
  int i = LowerBound(node, key, false);
  if (!node.Inner) {
    for (; i < node.Keys() && CompareKeys(node.Entries[std::size_t(i)].Key, key) == 0; ++i) {
      if (node.Entries[std::size_t(i)].Rec != rec) continue;
      const bool last = i == node.Keys() - 1;
      node.Entries.erase(node.Entries.begin() + i);
      WriteNode(node, tag);
      TDeleteResult result{true, node.Entries.empty(), std::nullopt};
      if (last && !node.Entries.empty()) result.NewMax = node.Entries.back().Key;
      return result;
    }
    return {};
  }
  for (; i < int(node.Entries.size()); ++i) {
    const TDeleteResult below = DeleteFrom(int(node.Entries[std::size_t(i)].Child), key, rec, depth + 1);
    if (below.Found) return RemovedBelow(node, i, below);
    if (i < node.Keys() && CompareKeys(node.Entries[std::size_t(i)].Key, key) > 0) break;
  }
  return {};
}

// Keeps an inner node right after a removal below its entry i: an emptied
// child loses its entry (unless it is the only one), a new greatest key
// moves up.
TIndexFile::TDeleteResult TIndexFile::RemovedBelow(TNode& node, int i, const TDeleteResult& below) {
  TTag& tag = Tag();
  const bool trailing = i == int(node.Entries.size()) - 1;
  TDeleteResult result{true, false, std::nullopt};
  if (below.Empty) {
    if (node.Entries.size() == 1) return {true, true, std::nullopt};
    node.Entries.erase(node.Entries.begin() + i);
    if (trailing) {
      result.NewMax = node.Entries.back().Key;
      node.Entries.back().Key.clear();
    }
    WriteNode(node, tag);
    return result;
  }
  if (!below.NewMax) return result;
  if (trailing) return below;
  node.Entries[std::size_t(i)].Key = *below.NewMax;
  WriteNode(node, tag);
  return result;
}

bool TIndexFile::DeleteKey(const QByteArray& key, int recNo) {
  return DeleteFrom(Tag().RootPage(), key, quint32(recNo), 0).Found;
}

bool TIndexFile::KeyHeldByOther(const QByteArray& key, int recNo) { return HasKey(key) && PhysicalRecNo() != recNo; }

bool TIndexFile::HasKey(const QByteArray& key) {
  TTag& tag = Tag();
  const std::vector<TLevel> path = tag.Path;
  const TWhere where = tag.Where;
  const bool found = Seek(key, false) && CompareKeys(CurrentKey(), key) == 0;
  if (!found) {
    tag.Path = path;
    tag.Where = where;
  }
  return found;
}

// ---- key maintenance ----------------------------------------------------------------------------

template <typename Action> void TIndexFile::ForEachTag(int recNo, Action action) {
  if (readOnly_ || !tagsRead_) return;
  const bool shared = NeedsLocks();
  if (shared) LockPage(0, true);
  const int previous = selected_;
  QString missing;
  try {
    if (shared) ReadFileHeader();
    for (int i : MaintainedTags()) {
      SelectTag(i);
      if (shared) ReadAt(qint64(Tag().HeaderPage) * kPageSize, Tag().Header.data(), Tag().Header.size());
      if (!action()) missing = Tag().Name;
      Resync();
    }
  } catch (...) {
    SelectTag(previous);
    if (shared) UnlockPage(0);
    throw;
  }
  SelectTag(previous);
  if (shared) UnlockPage(0);
  if (!missing.isEmpty()) throw EXbError(XbMessages::IndexKeyMissing().arg(missing).arg(recNo));
}

bool TIndexFile::CheckKeyViolation(const char* record, int recNo) {
  violatingTag_ = -1;
  if (readOnly_ || !tagsRead_) return false;
  // Only distinct tags are asked, and their keys never wait.
  const TKeepSelection keep(*this);
  for (int i : MaintainedTags()) {
    SelectTag(i);
    if (Tag().Mode == TIndexUniqueMode::Distinct && KeyHeldByOther(ExtractKey(record), recNo)) {
      violatingTag_ = i;
      return true;
    }
  }
  return false;
}

void TIndexFile::RaiseKeyViolation(int, const char* record) {
  const TKeepSelection keep(*this);
  if (violatingTag_ >= 0) SelectTag(violatingTag_);
  const QByteArray key = ExtractKey(record);
  HasKey(key);
  ThrowKeyViolation(key);
}

// The message names the tag, the record holding the key (the current
// position) and the key without its trailing blanks.
void TIndexFile::ThrowKeyViolation(const QByteArray& key) const {
  QByteArray shown = key.left(Tag().KeyLen);
  while (shown.endsWith(' '))
    shown.chop(1);
  const QString text =
      Tag().KeyType == 'C' ? XbCodePages::Decode(table_.UseCodePage, shown) : QString::fromLatin1(shown.toHex());
  throw EXbError(XbMessages::KeyViolation().arg(SelectedIndexName()).arg(PhysicalRecNo()).arg(text));
}

// A record marked deleted has no key in the distinct tags.
void TIndexFile::InsertRecordKeys(int recNo, const char* record) {
  ForEachTag(recNo, [&] {
    TTag& tag = Tag();
    if (MarkedDeleted(record) && tag.Mode == TIndexUniqueMode::Distinct) return true;
    if (!DefersInsert(tag)) {
      InsertKey(ExtractKey(record), recNo);
      return true;
    }
    if (tag.PendingRecs.size() >= kBatchKeys) InsertPendingKeys();
    tag.PendingKeys.append(ExtractKey(record));
    tag.PendingRecs.push_back(quint32(recNo));
    return true;
  });
}

// Only a normal tag holds a key for every record; unique and distinct tags
// may lack one without being out of step.
void TIndexFile::DeleteRecordKeys(int recNo, const char* record) {
  InsertPendingKeys();
  ForEachTag(recNo, [&] { return DeleteKey(ExtractKey(record), recNo) || Tag().Mode != TIndexUniqueMode::Normal; });
}

// Distinct tags follow only records that stay undeleted: deleting and
// recalling change them (RecordDeleted, RecordRecalled), an edit of a deleted
// record leaves them alone.
void TIndexFile::CheckUpdateViolation(const char* oldRecord, const char* newRecord) {
  if (readOnly_ || !tagsRead_ || MarkedDeleted(oldRecord) || MarkedDeleted(newRecord)) return;
  const TKeepSelection keep(*this);
  for (int i : MaintainedTags()) {
    SelectTag(i);
    if (Tag().Mode != TIndexUniqueMode::Distinct) continue;
    const QByteArray before = ExtractKey(oldRecord), after = ExtractKey(newRecord);
    if (CompareKeys(before, after) != 0 && HasKey(after)) ThrowKeyViolation(after);
  }
}

void TIndexFile::UpdateRecordKeys(int recNo, const char* oldRecord, const char* newRecord) {
  CheckUpdateViolation(oldRecord, newRecord);
  InsertPendingKeys();
  const bool distinctFollows = !MarkedDeleted(oldRecord) && !MarkedDeleted(newRecord);
  ForEachTag(recNo, [&] {
    if (Tag().Mode == TIndexUniqueMode::Distinct && !distinctFollows) return true;
    const QByteArray before = ExtractKey(oldRecord), after = ExtractKey(newRecord);
    if (CompareKeys(before, after) == 0) return true;
    // A normal tag out of step keeps what it has and reports it.
    if (!DeleteKey(before, recNo) && Tag().Mode == TIndexUniqueMode::Normal) return false;
    InsertKey(after, recNo);
    return true;
  });
}

// A record marked deleted leaves the distinct tags only, so its key may be used again.
void TIndexFile::RecordDeleted(int recNo, const char* record) {
  InsertPendingKeys();
  ForEachTag(recNo, [&] {
    if (Tag().Mode == TIndexUniqueMode::Distinct) DeleteKey(ExtractKey(record), recNo);
    return true;
  });
}

// The other tags kept the key of the deleted record; a distinct tag takes it
// back unless another record took it meanwhile.
void TIndexFile::RecordRecalled(int recNo, const char* record) {
  InsertPendingKeys();
  ForEachTag(recNo, [&] {
    if (Tag().Mode != TIndexUniqueMode::Distinct) return true;
    const QByteArray key = ExtractKey(record);
    if (!HasKey(key))
      InsertKey(key, recNo);
    else if (PhysicalRecNo() != recNo)
      ThrowKeyViolation(key);
    return true;
  });
}

// ---- walking ------------------------------------------------------------------------------------

const QByteArray& TIndexFile::CurrentKey() const {
  const TLevel& leaf = Tag().Path.back();
  return leaf.Node.Entries[std::size_t(leaf.Entry)].Key;
}

// Loads the nodes below Path[level] down to a leaf, each on its first or last entry.
void TIndexFile::DescendTo(std::size_t level, bool last) {
  TTag& tag = Tag();
  tag.Path.resize(level + 1);
  while (tag.Path.back().Node.Inner) {
    if (tag.Path.size() > std::size_t(kMaxDepth)) throw EXbError(XbMessages::InvalidIndexFile().arg(FileName()));
    const TLevel& up = tag.Path.back();
    TLevel down;
    down.Node = ReadNode(int(up.Node.Entries[std::size_t(up.Entry)].Child), tag);
    down.Entry = last ? int(down.Node.Entries.size()) - 1 : 0;
    tag.Path.push_back(std::move(down));
  }
}

// Moves the leaf position one entry on, through the nodes above when the
// leaf ends; false (and the position at an end) when the tag ends.
bool TIndexFile::StepLeaf(bool forward) {
  TTag& tag = Tag();
  const int step = forward ? 1 : -1;
  tag.Path.back().Entry += step;
  while (true) {
    const TLevel& leaf = tag.Path.back();
    if (leaf.Entry >= 0 && leaf.Entry < int(leaf.Node.Entries.size())) {
      tag.Where = TWhere::On;
      return true;
    }
    int k = int(tag.Path.size()) - 2;
    for (; k >= 0; --k) {
      TLevel& level = tag.Path[std::size_t(k)];
      level.Entry += step;
      if (level.Entry >= 0 && level.Entry < int(level.Node.Entries.size())) break;
    }
    if (k < 0) {
      tag.Where = forward ? TWhere::AfterLast : TWhere::BeforeFirst;
      return false;
    }
    DescendTo(std::size_t(k), !forward);
  }
}

// The first entry whose key is not below the key (afterEqual: above it); the
// keys of a node are in order, so bisection finds it.
int TIndexFile::LowerBound(const TNode& node, const QByteArray& key, bool afterEqual, int from) const {
  const TTag& tag = Tag();
  // A key compared by the locale is converted once for the whole search, when first compared.
  const bool byLocale = tag.KeyType == 'C' && !byteCollation_;
  QStringView keyText;
  auto compare = [&](const QByteArray& stored) {
    if (!byLocale) return CompareKeys(stored, key);
    if (keyText.isNull()) keyText = CollationText(key, collationRight_);
    const int r = collator_.compare(CollationText(stored, collationLeft_), keyText);
    return tag.Descending ? -r : r;
  };
  auto before = [&](int i) { return compare(node.Entries[std::size_t(i)].Key) < (afterEqual ? 1 : 0); };
  int low = std::clamp(from, 0, node.Keys()), high = node.Keys();
  // A batch in key order mostly goes right at its known bound, often at the node's end.
  if (low > 0 && low < high) {
    if (!before(low)) return low;
    ++low;
  }
  while (low < high) {
    const int middle = (low + high) / 2;
    if (before(middle))
      low = middle + 1;
    else
      high = middle;
  }
  return low;
}

// Places the position on the first key not below (afterEqual: above) the key.
bool TIndexFile::Seek(const QByteArray& key, bool afterEqual) {
  TTag& tag = Tag();
  tag.Path.clear();
  int page = tag.RootPage();
  while (true) {
    if (tag.Path.size() > std::size_t(kMaxDepth)) throw EXbError(XbMessages::InvalidIndexFile().arg(FileName()));
    TLevel level;
    level.Node = ReadNode(page, tag);
    const int i = LowerBound(level.Node, key, afterEqual);
    level.Entry = i;
    const bool inner = level.Node.Inner;
    if (inner) page = int(level.Node.Entries[std::size_t(i)].Child);
    tag.Path.push_back(std::move(level));
    if (!inner) break;
  }
  tag.Path.back().Entry -= 1;
  return StepLeaf(true);
}

void TIndexFile::GoEnd(bool last) {
  TTag& tag = Tag();
  tag.Path.clear();
  TLevel root;
  root.Node = ReadNode(tag.RootPage(), tag);
  root.Entry = last ? int(root.Node.Entries.size()) - 1 : 0;
  tag.Path.push_back(std::move(root));
  DescendTo(0, last);
  tag.Path.back().Entry = last ? int(tag.Path.back().Node.Entries.size()) : -1;
}

bool TIndexFile::InRange() const {
  const TTag& tag = Tag();
  if (!tag.RangeActive || tag.Where != TWhere::On) return tag.Where == TWhere::On;
  return CompareKeys(CurrentKey(), tag.Low) >= 0 && CompareKeys(CurrentKey(), tag.High) <= 0;
}

// Other processes may have changed the file: the headers are read again and
// the position found again by its key and record before the walk goes on.
void TIndexFile::RefreshHeaders() {
  if (!NeedsLocks() || selected_ < 0) return;
  TTag& tag = Tag();
  if (mdx_) {
    ReadAt(qint64(tag.HeaderPage) * kPageSize, tag.Header.data(), tag.Header.size());
  } else {
    ReadFileHeader();
    tag.Header = fileHeader_;
  }
}

void TIndexFile::RefreshShared() {
  if (!NeedsLocks() || selected_ < 0) return;
  RefreshHeaders();
  TTag& tag = Tag();
  if (tag.Where != TWhere::On) return;
  // The path read afresh: when every node still holds the entry the position
  // is on, the walk goes on from there; otherwise the entry is sought again.
  bool same = !tag.Path.empty() && tag.Path.front().Node.Page == tag.RootPage();
  for (std::size_t k = 0; same && k < tag.Path.size(); ++k) {
    TLevel& level = tag.Path[k];
    TNode fresh = ReadNode(level.Node.Page, tag);
    const std::size_t e = std::size_t(level.Entry);
    same = fresh.Inner == level.Node.Inner && e < fresh.Entries.size() && e < level.Node.Entries.size() &&
           fresh.Entries[e].Key == level.Node.Entries[e].Key && fresh.Entries[e].Rec == level.Node.Entries[e].Rec &&
           fresh.Entries[e].Child == level.Node.Entries[e].Child;
    if (same) level.Node = std::move(fresh);
  }
  if (!same) Resync();
}

void TIndexFile::MoveFirst() {
  if (selected_ < 0) return;
  Tag().Where = TWhere::BeforeFirst;
}

void TIndexFile::MoveLast() {
  if (selected_ < 0) return;
  Tag().Where = TWhere::AfterLast;
}

bool TIndexFile::MoveNext() {
  if (selected_ < 0) return false;
  InsertPendingKeys();
  RefreshShared();
  TTag& tag = Tag();
  if (tag.Where == TWhere::AfterLast) return false;
  if (tag.Where == TWhere::BeforeFirst) {
    if (tag.RangeActive) {
      Seek(tag.Low, false);
    } else {
      GoEnd(false);
      StepLeaf(true);
    }
  } else {
    const int rec = PhysicalRecNo();
    while (StepLeaf(true) && PhysicalRecNo() == rec) {
    }
  }
  if (InRange()) return true;
  tag.Where = TWhere::AfterLast;
  return false;
}

bool TIndexFile::MovePrior() {
  if (selected_ < 0) return false;
  InsertPendingKeys();
  RefreshShared();
  TTag& tag = Tag();
  if (tag.Where == TWhere::BeforeFirst) return false;
  if (tag.Where == TWhere::AfterLast) {
    if (!tag.RangeActive || !Seek(tag.High, true)) GoEnd(true);
    StepLeaf(false);
  } else {
    const int rec = PhysicalRecNo();
    while (StepLeaf(false) && PhysicalRecNo() == rec) {
    }
  }
  if (InRange()) return true;
  tag.Where = TWhere::BeforeFirst;
  return false;
}

int TIndexFile::PhysicalRecNo() const {
  if (selected_ < 0 || Tag().Where != TWhere::On) return -1;
  const TLevel& leaf = Tag().Path.back();
  return int(leaf.Node.Entries[std::size_t(leaf.Entry)].Rec);
}

void TIndexFile::SetPhysicalRecNo(int recNo) {
  if (selected_ < 0) return;
  InsertPendingKeys();
  if (PhysicalRecNo() == recNo || recNo < 1 || recNo > table_.RecordCount()) return;
  QByteArray record(table_.RecordSize(), '\0');
  if (table_.ReadRecord(recNo, record.data()) != table_.RecordSize()) return;
  const QByteArray key = ExtractKey(record.constData());
  bool on = Seek(key, false);
  while (on && PhysicalRecNo() != recNo && CompareKeys(CurrentKey(), key) == 0)
    on = StepLeaf(true);
}

// Re-finds the current entry after the tree changed under the position.
void TIndexFile::Resync() {
  TTag& tag = Tag();
  if (tag.Where != TWhere::On) return;
  const QByteArray key = CurrentKey();
  const int rec = PhysicalRecNo();
  bool on = Seek(key, false);
  while (on && PhysicalRecNo() != rec && CompareKeys(CurrentKey(), key) == 0)
    on = StepLeaf(true);
}

int TIndexFile::SequentialRecNo() const {
  if (selected_ < 0) return 0;
  // The position counts the waiting keys too.
  const_cast<TIndexFile*>(this)->InsertPendingKeys();
  if (Tag().Where == TWhere::BeforeFirst) return 0;
  const TTag& tag = Tag();
  if (tag.Where == TWhere::AfterLast) return kSequentialEnd;
  qint64 position = 1, weight = 1;
  for (auto level = tag.Path.rbegin(); level != tag.Path.rend(); ++level) {
    position += qint64(level->Entry) * weight;
    weight *= tag.KeysPerNode;
  }
  return int(std::min<qint64>(position, kSequentialEnd - 1));
}

int TIndexFile::SequentialRecordCount() const {
  if (selected_ < 0) return 0;
  const_cast<TIndexFile*>(this)->InsertPendingKeys();
  const TTag& tag = Tag();
  TNode node = ReadNode(tag.RootPage(), tag);
  qint64 weight = 1;
  int depth = 0;
  for (TNode n = node; n.Inner && !n.Entries.empty() && depth < kMaxDepth;
       n = ReadNode(int(n.Entries.front().Child), tag), ++depth)
    weight *= tag.KeysPerNode;
  return int(std::min<qint64>(weight * qint64(node.Entries.size()), kSequentialEnd - 1));
}

// Goes to the entry that the full-node estimate puts at this position.
void TIndexFile::SetSequentialRecNo(int position) {
  if (selected_ < 0) return;
  InsertPendingKeys();
  if (position <= 0) return MoveFirst();
  GoEnd(false);
  TTag& tag = Tag();
  std::vector<qint64> weights(tag.Path.size(), 1);
  for (int k = int(weights.size()) - 2; k >= 0; --k)
    weights[std::size_t(k)] = weights[std::size_t(k) + 1] * tag.KeysPerNode;
  qint64 rest = position - 1;
  for (std::size_t k = 0; k < tag.Path.size(); ++k) {
    TLevel& level = tag.Path[k];
    // A damaged tree may be deeper below another entry than along the first one.
    const qint64 weight = k < weights.size() ? weights[k] : 1;
    level.Entry = int(std::clamp<qint64>(rest / weight, 0, std::max<qint64>(0, qint64(level.Node.Entries.size()) - 1)));
    rest -= qint64(level.Entry) * weight;
    if (level.Node.Inner) DescendTo(k, false);
  }
  tag.Path.back().Entry -= 1;
  StepLeaf(true);
}

bool TIndexFile::SearchKey(const QByteArray& key, TSearchKind kind) {
  if (selected_ < 0) return false;
  InsertPendingKeys();
  // The search reads its path afresh from the root: only the headers first.
  RefreshHeaders();
  TTag& tag = Tag();
  const std::vector<TLevel> path = tag.Path;
  const TWhere where = tag.Where;
  bool found = Seek(key, kind == SearchGreater);
  if (found && kind == SearchEqual) found = CompareKeys(CurrentKey(), key) == 0;
  if (!found) {
    tag.Path = path;
    tag.Where = where;
  }
  return found;
}

int TIndexFile::CompareWithCurrent(const QByteArray& key) const {
  if (selected_ < 0) return 0;
  const_cast<TIndexFile*>(this)->InsertPendingKeys();
  const TTag& tag = Tag();
  if (tag.Where == TWhere::BeforeFirst) return 1;
  if (tag.Where == TWhere::AfterLast) return -1;
  return CompareKeys(key, CurrentKey());
}

void TIndexFile::SetRange(const QByteArray& low, const QByteArray& high) {
  if (selected_ < 0) return;
  InsertPendingKeys();
  TTag& tag = Tag();
  tag.Low = Fit(low, tag.KeyLen, tag.KeyType == 'C' ? ' ' : '\0');
  tag.High = Fit(high, tag.KeyLen, tag.KeyType == 'C' ? ' ' : '\0');
  tag.RangeActive = true;
  if (!InRange()) tag.Where = TWhere::BeforeFirst;
}

void TIndexFile::CancelRange() {
  if (selected_ >= 0) Tag().RangeActive = false;
}

std::unique_ptr<TVirtualCursor> TIndexFile::CreateCursor(const QString& tagName) {
  SelectTagByName(tagName);
  return std::make_unique<TIndexCursor>(this);
}

std::unique_ptr<TXbIndexFile> CreateIndexFile(TXbFile& table, const QString& fileName, bool create) {
  if (IsMemoryMode(table.Mode())) return nullptr;
  auto index = std::make_unique<TIndexFile>(table);
  index->SetFileName(fileName);
  const PagedFileMode mode = table.Mode();
  index->SetMode(create ? (IsShared(mode) ? PagedFileMode::SharedNew : PagedFileMode::ExclusiveNew)
                        : (mode == PagedFileMode::ExclusiveNew ? PagedFileMode::ExclusiveExisting
                           : mode == PagedFileMode::SharedNew  ? PagedFileMode::SharedExisting
                                                               : mode));
  index->OpenIndexFile();
  return index;
}
