#include "crash/debuginfo/RtBinDebug.h"
#include <algorithm>

using namespace RtBinDebug;

namespace {

// 1..10 "0".."9", 11..36 "A".."Z", 37..62 "a".."z", 63 "_"; 0 for any other character.
int PackedCode(QChar ch) {
  const char16_t c = ch.unicode();
  if (c >= '0' && c <= '9') return c - '0' + 1;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 11;
  if (c >= 'a' && c <= 'z') return c - 'a' + 37;
  if (c == '_') return 63;
  return 0;
}

QChar PackedChar(int code) {
  if (code <= 10) return QChar(u'0' + code - 1);
  if (code <= 36) return QChar(u'A' + code - 11);
  if (code <= 62) return QChar(u'a' + code - 37);
  return QChar(u'_');
}

// Reads packed characters from pos until code 0 or the longest name; none
// when the name leaves the data.
std::optional<QString> ReadPacked(TRtByteView data, quint64 pos) {
  QString name;
  for (int index = 0; index < kMaxPackedNameLength; ++index) {
    const quint64 group = pos + quint64(index / 4) * 3;
    int code = 0;
    switch (index % 4) {
    case 0: {
      const auto b0 = data.U8(group);
      if (!b0) return std::nullopt;
      code = *b0 & 0x3F;
      break;
    }
    case 1: {
      const auto b0 = data.U8(group), b1 = data.U8(group + 1);
      if (!b0 || !b1) return std::nullopt;
      code = (*b0 >> 6) | ((*b1 & 0x0F) << 2);
      break;
    }
    case 2: {
      const auto b1 = data.U8(group + 1), b2 = data.U8(group + 2);
      if (!b1 || !b2) return std::nullopt;
      code = (*b1 >> 4) | ((*b2 & 0x03) << 4);
      break;
    }
    default: {
      const auto b2 = data.U8(group + 2);
      if (!b2) return std::nullopt;
      code = *b2 >> 2;
      break;
    }
    }
    if (code == 0) break;
    name.append(PackedChar(code));
  }
  return name;
}

// Bytes up to a 0 byte, each combined with the scrambling value unless it is that value.
std::optional<QString> ReadScrambled(TRtByteView data, quint64 pos) {
  QByteArray bytes;
  for (;; ++pos) {
    const auto b = data.U8(pos);
    if (!b) return std::nullopt;
    if (*b == 0) break;
    bytes.append(char(*b == kNameScramble ? *b : *b ^ kNameScramble));
  }
  return QString::fromUtf8(bytes);
}

} // namespace

bool ReadBinDebugNumber(TRtByteView data, quint64& pos, quint32& value) {
  value = 0;
  for (int shift = 0; shift < 35; shift += 7) {
    const auto b = data.U8(pos);
    if (!b) return false;
    ++pos;
    value |= quint32(*b & 0x7F) << shift;
    if (!(*b & 0x80)) return true;
  }
  return false;
}

quint32 BinDebugChecksum(TRtByteView data) {
  quint32 sum = 0;
  for (quint64 at = 0; at + 4 <= data.Size(); at += 4) {
    quint32 word = 0;
    for (quint64 i = 0; i < 4; ++i) {
      const quint64 offset = at + i;
      const bool inChecksum = offset >= kChecksumOffset && offset < kChecksumOffset + 4;
      word |= quint32(inChecksum ? 0 : data.Data()[offset]) << (8 * i);
    }
    sum += word;
  }
  return sum;
}

// ---------------------------------------------------------------- scanner

TRtBinDebugScanner::TRtBinDebugScanner(TRtByteView data, bool cacheData) : data_(data), cacheData_(cacheData) {
  if (data.Size() <= kHeaderSize || data.Size() % 4 != 0) return;
  if (data.U32(0) != kSignature || data.U8(4) != kVersion) return;
  if (*data.U8(kChecksumPresentOffset) != 0) {
    // The words' sum less the stored checksum, turned right by 8 bits, is the
    // checksum: the stored bytes straddle two words, which turns them left by 8.
    const quint32 stored = *data.U32(kChecksumOffset);
    quint32 sum = 0;
    for (quint64 at = 0; at < data.Size(); at += 4)
      sum += *data.U32(at);
    const quint32 s = sum - stored;
    if (((s >> 8) | (s << 24)) != stored) return;
  }
  valid_ = true;
}

QString TRtBinDebugScanner::DecodeName(quint32 reference) const { return TryDecodeName(reference).value_or(QString()); }

std::optional<QString> TRtBinDebugScanner::TryDecodeName(quint32 reference) const {
  if (reference == 0) return QString();
  if (!valid_) return std::nullopt;
  const quint64 pos = quint64(*data_.U32(kNamesOffset)) + reference - 1;
  const auto form = data_.U8(pos);
  if (!form) return std::nullopt;
  std::optional<QString> name;
  if (*form == 1)
    name = ReadScrambled(data_, pos + 1);
  else if (*form == 2) {
    name = ReadPacked(data_, pos + 1);
    if (name) name->prepend(QLatin1Char('@'));
  } else
    name = ReadPacked(data_, pos);
  return name;
}

QString TRtBinDebugScanner::ModuleName() const {
  return valid_ ? DecodeName(*data_.U32(kModuleNameOffset)) : QString();
}

std::optional<std::vector<TRtBinDebugScanner::TEntry>> TRtBinDebugScanner::ReadTable(quint32 headerField,
                                                                                     int width) const {
  if (!valid_) return std::nullopt;
  quint64 pos = *data_.U32(headerField);
  std::vector<TEntry> entries;
  TEntry running{0, 0, 0};
  for (;;) {
    quint32 delta = 0;
    if (!ReadBinDebugNumber(data_, pos, delta)) return std::nullopt;
    if (delta == kTableEnd) return entries;
    running.Address += delta;
    if (!ReadBinDebugNumber(data_, pos, delta)) return std::nullopt;
    running.Value += delta;
    if (width == 3) {
      if (!ReadBinDebugNumber(data_, pos, delta)) return std::nullopt;
      running.Second += delta;
    }
    entries.push_back(running);
  }
}

const TRtBinDebugScanner::TEntry* TRtBinDebugScanner::LastAtOrBelow(const TTable& table, quint32 offset) {
  const std::vector<TEntry>& entries = table.Entries;
  if (table.Ascending) {
    const auto after = std::upper_bound(entries.begin(), entries.end(), offset,
                                        [](quint32 value, const TEntry& entry) { return value < entry.Address; });
    return after == entries.begin() ? nullptr : &*(after - 1);
  }
  for (auto it = entries.rbegin(); it != entries.rend(); ++it)
    if (it->Address <= offset) return &*it;
  return nullptr;
}

const TRtBinDebugScanner::TEntry* TRtBinDebugScanner::EntryInUnit(const TTable& table, quint32 offset) const {
  const TEntry* entry = LastAtOrBelow(table, offset);
  return entry && entry->Address >= UnitStart(offset) ? entry : nullptr;
}

const TRtBinDebugScanner::TTable& TRtBinDebugScanner::Cached(std::optional<TTable>& cache, quint32 headerField,
                                                             int width) const {
  if (cache) return *cache;
  // A damaged table is remembered as empty: it answers nothing, every time.
  TTable table;
  table.Entries = ReadTable(headerField, width).value_or(std::vector<TEntry>());
  // Running totals wrap at 32 bits, so a table of other origin may not ascend.
  table.Ascending = std::is_sorted(table.Entries.begin(), table.Entries.end(),
                                   [](const TEntry& a, const TEntry& b) { return a.Address < b.Address; });
  cache = std::move(table);
  return *cache;
}

quint32 TRtBinDebugScanner::UnitStart(quint32 offset) const {
  const TEntry* unit = LastAtOrBelow(Cached(units_, kUnitsOffset, 2), offset);
  return unit ? unit->Address : 0xFFFFFFFFu;
}

QString TRtBinDebugScanner::UnitName(quint32 offset) const {
  const TEntry* unit = LastAtOrBelow(Cached(units_, kUnitsOffset, 2), offset);
  return unit ? DecodeName(unit->Value) : QString();
}

QString TRtBinDebugScanner::ProcedureName(quint32 offset, quint32& procedureOffset) const {
  procedureOffset = 0;
  const TEntry* symbol = EntryInUnit(Cached(procedures_, kSymbolsOffset, 3), offset);
  if (!symbol) return {};
  const std::optional<QString> first = TryDecodeName(symbol->Value), second = TryDecodeName(symbol->Second);
  if (!first || !second) return {};
  procedureOffset = offset - symbol->Address;
  return symbol->Second != 0 ? *first + QLatin1Char('.') + *second : *first;
}

int TRtBinDebugScanner::LineNumber(quint32 offset, quint32& lineOffset) const {
  lineOffset = 0;
  const TEntry* line = EntryInUnit(Cached(lines_, kLineNumbersOffset, 2), offset);
  if (!line) return 0;
  lineOffset = offset - line->Address;
  return int(line->Value);
}

QString TRtBinDebugScanner::SourceName(quint32 offset) const {
  const TEntry* source = EntryInUnit(Cached(sources_, kSourceNamesOffset, 2), offset);
  return source ? DecodeName(source->Value) : QString();
}

// ---------------------------------------------------------------- writer

void TRtBinDebugWriter::AppendNumber(QByteArray& out, quint32 value) {
  do {
    const uchar low = uchar(value & 0x7F);
    value >>= 7;
    out.append(char(value ? low | 0x80 : low));
  } while (value);
}

QByteArray TRtBinDebugWriter::EncodeName(const QString& name) {
  const bool withAt = name.startsWith(QLatin1Char('@'));
  const QStringView packable = QStringView(name).mid(withAt ? 1 : 0);
  bool canPack = !packable.isEmpty() && packable.size() <= kMaxPackedNameLength;
  for (QChar ch : packable)
    canPack = canPack && PackedCode(ch) != 0;
  if (canPack) {
    QList<int> codes;
    for (QChar ch : packable)
      codes.append(PackedCode(ch));
    codes.append(0);
    while (codes.size() % 4)
      codes.append(0);
    QByteArray packed;
    for (qsizetype i = 0; i < codes.size(); i += 4) {
      packed.append(char(codes[i] | (codes[i + 1] << 6)));
      packed.append(char((codes[i + 1] >> 2) | (codes[i + 2] << 4)));
      packed.append(char((codes[i + 2] >> 4) | (codes[i + 3] << 2)));
    }
    if (withAt) return QByteArray(1, '\2') + packed;
    // A first byte of 1 or 2 would be read as a form marker.
    if (uchar(packed[0]) != 1 && uchar(packed[0]) != 2) return packed;
  }
  QByteArray stored(1, '\1');
  for (char b : name.toUtf8())
    stored.append(char(uchar(b) == kNameScramble ? b : char(uchar(b) ^ kNameScramble)));
  stored.append('\0');
  return stored;
}

quint32 TRtBinDebugWriter::NameReference(const QString& name) {
  if (name.isEmpty()) return 0;
  const auto known = nameReferences_.constFind(name);
  if (known != nameReferences_.constEnd()) return *known;
  const quint32 reference = quint32(names_.size()) + 1;
  names_.append(EncodeName(name));
  nameReferences_.insert(name, reference);
  return reference;
}

QByteArray TRtBinDebugWriter::Table(std::vector<TEntry> entries, int width) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const TEntry& a, const TEntry& b) { return a.Address < b.Address; });
  QByteArray table;
  TEntry previous{0, 0, 0};
  for (const TEntry& entry : entries) {
    const quint32 addressDelta = entry.Address - previous.Address;
    Q_ASSERT(addressDelta != kTableEnd);
    AppendNumber(table, addressDelta);
    AppendNumber(table, entry.First - previous.First);
    if (width == 3) AppendNumber(table, entry.Second - previous.Second);
    previous = entry;
  }
  AppendNumber(table, kTableEnd);
  return table;
}

QByteArray TRtBinDebugWriter::Data(bool withChecksum) {
  const quint32 moduleName = NameReference(moduleName_);
  const QByteArray tables[] = {Table(units_, 2), Table(sources_, 2), Table(symbols_, 3), Table(lines_, 2)};
  QByteArray data(kHeaderSize, '\0');
  auto put32 = [&data](quint32 at, quint32 value) {
    for (int i = 0; i < 4; ++i)
      data[at + i] = char((value >> (8 * i)) & 0xFF);
  };
  put32(0, kSignature);
  data[4] = char(kVersion);
  const quint32 fields[] = {kUnitsOffset, kSourceNamesOffset, kSymbolsOffset, kLineNumbersOffset};
  for (int i = 0; i < 4; ++i) {
    put32(fields[i], quint32(data.size()));
    data.append(tables[i]);
  }
  put32(kNamesOffset, quint32(data.size()));
  data.append(names_);
  put32(kModuleNameOffset, moduleName);
  while (data.size() % 4)
    data.append('\0');
  if (withChecksum) {
    data[kChecksumPresentOffset] = 1;
    put32(kChecksumOffset,
          BinDebugChecksum(TRtByteView(reinterpret_cast<const uchar*>(data.constData()), quint64(data.size()))));
  }
  return data;
}
