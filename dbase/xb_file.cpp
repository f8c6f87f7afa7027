#include "dbase/xb_file.h"
#include "dbase/xb_codepages.h"
#include "dbase/xb_idxfile.h"
#include "dbase/xb_language.h"
#include <QtCore/QBuffer>
#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QSysInfo>
#include <QtCore/QtEndian>
#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>

namespace {

constexpr char kBlank = ' ';

bool AllZero(const char* bytes, int count) {
  for (int i = 0; i < count; ++i)
    if (bytes[i] != 0) return false;
  return true;
}

// A date-time from a day number (epoch 30.12.1899) and a fraction of a day.
TDateTime ComposeDateTime(double day, double fraction) { return day >= 0 ? day + fraction : day - fraction; }

// Reads a decimal integer from a fixed-length text; `fallback` when unreadable.
template <typename T> T TextToIntOr(const char* text, int length, T fallback) {
  const char* begin = text;
  const char* end = text + length;
  while (begin < end && *begin == kBlank)
    ++begin;
  while (end > begin && end[-1] == kBlank)
    --end;
  if (begin < end && *begin == '+') ++begin;
  T value{};
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  return ec == std::errc() && ptr == end && begin < end ? value : fallback;
}

// Reads a decimal number with "." as the separator; 0 when unreadable.
double TextToXbFloat(const char* text, int length) {
  const char* begin = text;
  const char* end = text + length;
  while (begin < end && *begin == kBlank)
    ++begin;
  while (end > begin && end[-1] == kBlank)
    --end;
  if (begin < end && *begin == '+') ++begin;
  // Plain fixed-point text of up to 15 digits is exact as an integer, and one
  // division by an exact power of ten rounds it correctly: the common case.
  const char* p = begin;
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  qint64 mantissa = 0;
  int digits = 0, decimals = -1;
  for (; p < end && digits <= 15; ++p) {
    if (*p >= '0' && *p <= '9') {
      mantissa = mantissa * 10 + (*p - '0');
      ++digits;
      if (decimals >= 0) ++decimals;
    } else if (*p == '.' && decimals < 0) {
      decimals = 0;
    } else {
      break;
    }
  }
  if (p == end && digits > 0 && digits <= 15) {
    static constexpr double kPowers[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double value = double(mantissa) / kPowers[std::max(decimals, 0)];
    return negative ? -value : value;
  }
  double value = 0;
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  return ec == std::errc() && ptr == end ? value : 0.0;
}

// Completes a two-digit year by the window of fifty years around today.
int ApplyCenturyWindow(int year) {
  if (year >= 100) return year;
  const int base = QDate::currentDate().year() - 50;
  year += base / 100 * 100;
  return year < base ? year + 100 : year;
}

// The value with `decimals` fraction digits, as QByteArray::number(value, 'f',
// decimals) writes it, into `text` (32 bytes); 0 when only that exact
// conversion can tell: the value is large, or the scaled value lies so near a
// half that the rounding of the scaling itself could decide the last digit.
int QuickFixedText(double value, int decimals, char* text) {
  static constexpr qint64 kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};
  if (decimals < 0 || decimals >= int(std::size(kPowers))) return 0;
  const qint64 power = kPowers[decimals];
  const double scaled = value * double(power);
  if (!(std::fabs(scaled) < 2147483648.0)) return 0;
  // Below 2^31 the product is within 2^-23 of the exact one.
  if (std::fabs(std::fabs(scaled - std::trunc(scaled)) - 0.5) < 1e-6) return 0;
  const qint64 units = std::llround(scaled);
  if (units == 0 && std::signbit(value)) return 0;
  const quint64 magnitude = quint64(units < 0 ? -units : units);
  int length = 0;
  if (units < 0) text[length++] = '-';
  length += Int64ToText(qint64(magnitude / quint64(power)), text + length);
  if (decimals > 0) {
    text[length++] = '.';
    IntToTextWidth(int(magnitude % quint64(power)), decimals, text + length, '0');
    length += decimals;
  }
  return length;
}

void WriteRightAligned(char* field, int size, QByteArrayView text) {
  std::memset(field, kBlank, size_t(size - text.size()));
  std::memcpy(field + size - text.size(), text.data(), size_t(text.size()));
}

// Writes the number right-aligned with the field's decimals; false when it
// does not fit. Only fraction digits may be cut; an integer part wider than
// the field is refused.
bool PutFloatText(char* field, int size, int decimals, double value) {
  if (!std::isfinite(value)) return false;
  char quick[32];
  const int quickLength = QuickFixedText(value, decimals, quick);
  const QByteArray exact = quickLength > 0 ? QByteArray() : QByteArray::number(value, 'f', decimals);
  QByteArrayView text = quickLength > 0 ? QByteArrayView(quick, quickLength) : QByteArrayView(exact);
  if (text.size() > size) {
    const qsizetype point = text.indexOf('.');
    if (point < 0 || point > size) return false;
    text = text.first(size);
    if (text.endsWith('.')) text.chop(1);
  }
  WriteRightAligned(field, size, text);
  return true;
}

[[noreturn]] void RaiseTooWide(const TXbFieldDef& field, const QVariant& value) {
  throw EXbError(XbMessages::ValueTooWide().arg(value.toString(), field.FieldName).arg(field.Size()));
}

// Length of a text field's bytes without trailing blanks (and zero bytes some writers pad with).
int TrimmedLength(const char* bytes, int size) {
  while (size > 0 && (bytes[size - 1] == kBlank || bytes[size - 1] == 0))
    --size;
  return size;
}

quint32 EncodeSortableInt(qint32 value) { return quint32(value) ^ 0x80000000u; }

constexpr quint64 kSignBit = 0x8000000000000000ull;
// Julian day number of the date-time epoch 30.12.1899.
constexpr qint64 kJulianEpoch = 2415019;

// ---- field encodings ---------------------------------------------------------------------
// Each Get* reports whether the stored bytes hold a value and, with a
// destination, decodes it; each Put* encodes a value, or no value for a null source.

// 32-bit integer, little-endian (FoxPro); `zeroIsValue` tells whether 0 counts as a value.
bool GetLittleEndianInt(const char* bytes, QVariant* destination, bool zeroIsValue) {
  const qint32 value = qFromLittleEndian<qint32>(bytes);
  if (destination) *destination = value;
  return zeroIsValue || value != 0;
}

// 32-bit integer, big-endian with the top bit flipped so that bytes sort as values; all zero is no value.
bool GetSortableInt(const char* bytes, QVariant* destination) {
  if (AllZero(bytes, 4)) return false;
  if (destination) *destination = qint32(qFromBigEndian<quint32>(bytes) ^ 0x80000000u);
  return true;
}

void PutSortableInt(char* bytes, const QVariant* source) {
  if (!source)
    std::memset(bytes, 0, 4);
  else
    qToBigEndian<quint32>(EncodeSortableInt(source->toInt()), bytes);
}

// dBASE 7 time stamp: a big-endian double of milliseconds (or the date-time itself).
bool GetTimeStamp(const char* bytes, bool milliseconds, QVariant* destination) {
  // Midnight has zero low bytes; only an all-zero stamp is empty.
  if (AllZero(bytes, 8)) return false;
  if (destination) {
    double value = 0;
    SwapBytes64(bytes, &value);
    *destination = milliseconds ? MillisecondsToDateTime(value) : value;
  }
  return true;
}

void PutTimeStamp(char* bytes, bool milliseconds, const QVariant* source) {
  if (!source) {
    std::memset(bytes, 0, 8);
    return;
  }
  double value = source->toDouble();
  if (milliseconds) value = DateTimeToMilliseconds(value);
  SwapBytes64(&value, bytes);
}

// Big-endian double whose bytes sort as values: sign bit set for x >= 0, all bits inverted for x < 0.
bool GetOrderedDouble(const char* bytes, QVariant* destination) {
  if (AllZero(bytes, 8)) return false;
  if (destination) {
    quint64 bits = qFromBigEndian<quint64>(bytes);
    bits = (bits & kSignBit) ? bits & ~kSignBit : ~bits;
    double value = 0;
    std::memcpy(&value, &bits, 8);
    *destination = value;
  }
  return true;
}

void PutOrderedDouble(char* bytes, const QVariant* source) {
  if (!source) {
    std::memset(bytes, 0, 8);
    return;
  }
  const double value = source->toDouble();
  const double stored = value >= 0 ? -value : value; // so that even 0 gets the sign bit
  quint64 bits = 0;
  std::memcpy(&bits, &stored, 8);
  qToBigEndian<quint64>(value >= 0 ? bits | kSignBit : ~bits, bytes);
}

// FoxPro date-time: Julian day and milliseconds since midnight, little-endian.
bool GetJulianDateTime(const char* bytes, QVariant* destination) {
  if (AllZero(bytes, 8)) return false;
  if (destination) {
    const qint64 julian = qFromLittleEndian<qint32>(bytes);
    const qint64 ms = qFromLittleEndian<qint32>(bytes + 4);
    *destination = ComposeDateTime(double(julian - kJulianEpoch), double(ms) / DateTime::kMsPerDay);
  }
  return true;
}

void PutJulianDateTime(char* bytes, const QVariant* source) {
  if (!source) {
    std::memset(bytes, 0, 8);
    return;
  }
  const double value = source->toDouble();
  const double day = std::trunc(value);
  qToLittleEndian<qint32>(qint32(day + kJulianEpoch), bytes);
  qToLittleEndian<qint32>(qint32(std::llround(std::fabs(value - day) * DateTime::kMsPerDay)), bytes + 4);
}

// Currency: a little-endian 64-bit count of ten-thousandths, or its 8 bytes as they are.
bool GetCurrency(const char* bytes, TXbFieldType type, QVariant* destination) {
  if (destination) {
    if (type == ftBCD)
      *destination = QByteArray(bytes, 8);
    else
      *destination = double(qFromLittleEndian<qint64>(bytes)) / 10000.0;
  }
  return true;
}

void PutCurrency(char* bytes, TXbFieldType type, const QVariant* source) {
  if (!source)
    std::memset(bytes, 0, 8);
  else if (type == ftBCD && source->typeId() == QMetaType::QByteArray)
    std::memcpy(bytes, source->toByteArray().leftJustified(8, '\0', true).constData(), 8);
  else
    qToLittleEndian<qint64>(qint64(std::nearbyint(source->toDouble() * 10000.0)), bytes); // halves to even
}

// Date text yyyyMMdd; a year of two digits after two blanks is completed by the century window.
double ReadDateText(const char* bytes) {
  int year = TextToIntOr<int>(bytes, 4, 1);
  if (year < 100 && bytes[0] == kBlank && bytes[1] == kBlank) year = ApplyCenturyWindow(year);
  const QDate date(year, TextToIntOr<int>(bytes + 4, 2, 1), TextToIntOr<int>(bytes + 6, 2, 1));
  return date.isValid() ? DateTime::FromDate(date) : 0.0;
}

// Every text type: trailing blanks never count; leading blanks count for strings only.
bool GetText(const char* bytes, int size, TXbFieldType type, QVariant* destination) {
  int begin = 0;
  const int end = TrimmedLength(bytes, size);
  if (type != ftString)
    while (begin < end && bytes[begin] == kBlank)
      ++begin;
  const bool hasValue = end > begin;
  if (!destination) return hasValue;
  const char* text = bytes + begin;
  const int length = end - begin;
  switch (type) {
  case ftString:
    *destination = QByteArray(bytes, end);
    break;
  case ftSmallint:
  case ftInteger:
    *destination = TextToIntOr<qint32>(text, length, 0);
    break;
  case ftLargeint:
    *destination = qlonglong(TextToIntOr<qint64>(text, length, 0));
    break;
  case ftBoolean:
    *destination = length > 0 && (text[0] == 'T' || text[0] == 't');
    break;
  case ftFloat:
  case ftCurrency:
    *destination = TextToXbFloat(text, length);
    break;
  case ftDate:
    *destination = size >= 8 ? ReadDateText(bytes) : 0.0;
    break;
  case ftBytes:
  case ftBlob:
    *destination = QByteArray(bytes, size);
    break;
  default:
    break;
  }
  return hasValue;
}

// Whole numbers right-aligned; memo block numbers are padded with zeros, other numbers with blanks.
bool PutIntegerText(const TXbFieldDef& field, TXbFieldType type, qint64 value, char* bytes) {
  const char pad = type == ftInteger && field.IsBlob() ? '0' : kBlank;
  return Int64ToTextWidth(value, field.Size(), bytes, pad);
}

bool PutDateText(const TXbFieldDef& field, QDate date, char* bytes) {
  int year = 0, month = 0, day = 0;
  date.getDate(&year, &month, &day);
  if (!date.isValid() || year < 0 || year > 9999 || field.Size() < 8) return false;
  IntToTextWidth(year, 4, bytes, '0');
  IntToTextWidth(month, 2, bytes + 4, '0');
  IntToTextWidth(day, 2, bytes + 6, '0');
  return true;
}

void PutTextBytes(const TXbFieldDef& field, QByteArrayView text, char* bytes) {
  const int n = std::min<int>(int(text.size()), field.Size());
  std::memcpy(bytes, text.data(), size_t(n));
  std::memset(bytes + n, kBlank, size_t(field.Size() - n));
}

void PutText(const TXbFieldDef& field, TXbFieldType type, const QVariant* source, char* bytes) {
  const int size = field.Size();
  if (!source) {
    std::memset(bytes, kBlank, size_t(size));
    return;
  }
  switch (type) {
  case ftString:
    PutTextBytes(field, source->toByteArray(), bytes);
    break;
  case ftSmallint:
  case ftInteger:
  case ftLargeint:
    if (!PutIntegerText(field, type, source->toLongLong(), bytes)) RaiseTooWide(field, *source);
    break;
  case ftBoolean:
    std::memset(bytes, kBlank, size_t(size));
    bytes[0] = source->toBool() ? 'T' : 'F';
    break;
  case ftFloat:
  case ftCurrency: {
    if (!PutFloatText(bytes, size, field.Precision(), source->toDouble())) RaiseTooWide(field, *source);
    break;
  }
  case ftDate:
    if (!PutDateText(field, DateTime::ToDate(source->toDouble()), bytes)) RaiseTooWide(field, *source);
    break;
  default:
    break;
  }
}

// The record-set type in which a field stored as text takes a typed value:
// ftUnknown for the fields that are not stored as text.
TXbFieldType TextStoredType(const TXbFieldDef& field) {
  switch (field.NativeFieldType()) {
  case 'C':
  case 'N':
  case 'F':
  case 'D':
    break;
  default:
    return ftUnknown;
  }
  switch (field.FieldType()) {
  case ftBCD:
    return ftCurrency;
  case ftString:
  case ftSmallint:
  case ftInteger:
  case ftLargeint:
  case ftFloat:
  case ftCurrency:
  case ftDate:
    return field.FieldType();
  default:
    return ftUnknown;
  }
}

} // namespace

// ---- globals ----------------------------------------------------------------

TXbGlobals::TXbGlobals()
    : InstalledCodePages(XbCodePages::KnownCodePages()), DefaultOpenCodePage(XbCodePages::kAnsiCodePage),
      DefaultCreateLanguage(0) {
  SetDefaultCreateLanguage(XbCodePages::kAnsiCodePage);
  LockUserName = QSysInfo::machineHostName().toLatin1().left(15);
}

TXbGlobals& TXbGlobals::Instance() {
  static TXbGlobals globals;
  return globals;
}

void TXbGlobals::SetDefaultCreateLanguage(int codePage) {
  DefaultCreateLanguage = XbLanguage::LanguageIdFor(codePage, XbLanguage::kUserDefaultLocale, false);
}

TableFormat TableLevelToFormat(int level) {
  switch (level) {
  case 3:
    return TableFormat::Dbase3;
  case 7:
    return TableFormat::Dbase7;
  case 25:
    return TableFormat::FoxPro;
  default:
    return TableFormat::Dbase4;
  }
}

int FormatToTableLevel(TableFormat format) {
  switch (format) {
  case TableFormat::Dbase3:
    return 3;
  case TableFormat::Dbase7:
    return 7;
  case TableFormat::FoxPro:
    return 25;
  case TableFormat::Dbase4:
    break;
  }
  return 4;
}

// ---- cursor -------------------------------------------------------------------

bool TXbCursor::Next() {
  // HasRecord asks the file for its size only past the last known record.
  if (position_ >= 0 && table_->HasRecord(position_)) {
    ++position_;
    if (table_->HasRecord(position_)) return true;
  }
  position_ = table_->RecordCount() + 1;
  return false;
}

bool TXbCursor::Prior() {
  if (position_ < 1) {
    position_ = 0;
    return false;
  }
  --position_;
  return position_ > 0;
}

void TXbCursor::Last() {
  const int count = table_->RecordCount();
  position_ = count == 0 ? 0 : count + 1;
}

// ---- table file: structure ------------------------------------------------------

TXbFile::TXbFile() = default;

TXbFile::~TXbFile() {
  try {
    CloseTable();
  } catch (...) {
    // A destructor must not throw.
  }
}

void TXbFile::SetRecordSize(int size) {
  TPagedFile::SetRecordSize(size);
  oldRecordImage_ = QByteArray(size, '\0');
}

int TXbFile::HeaderRecordCount() const {
  return HeaderSize() >= 8 ? int(std::min<quint32>(qFromLittleEndian<quint32>(Header() + 4), INT_MAX)) : 0;
}

void TXbFile::SetHeaderRecordCount(int count) { qToLittleEndian<quint32>(quint32(count), Header() + 4); }

namespace {

// Holds a table's header lock for a scope.
class THeaderLock {
public:
  explicit THeaderLock(TXbFile& file) : file_(file) { file_.LockHeader(); }
  ~THeaderLock() { file_.UnlockHeader(); }
  THeaderLock(const THeaderLock&) = delete;
  THeaderLock& operator=(const THeaderLock&) = delete;

private:
  TXbFile& file_;
};

} // namespace

void TXbFile::LockHeader() {
  if (headerLockDepth_++ == 0) LockPage(0, true);
}

void TXbFile::UnlockHeader() {
  if (--headerLockDepth_ == 0) UnlockPage(0);
}

void TXbFile::OpenTable() {
  if (Active()) return;
  ForceClose = false;
  Open();
  try {
    if (!IsCreating(Mode())) {
      if (StreamSize() < 32) throw EXbError(XbMessages::InvalidDbfFile());
      SetHeaderSize(32);
      DetectFormat();
      const int recordSize = qFromLittleEndian<quint16>(Header() + 10);
      const int headerSize = qFromLittleEndian<quint16>(Header() + 8);
      if (recordSize == 0 || headerSize == 0) {
        SetHeaderSize(0);
        SetRecordSize(0);
        ForceClose = true;
        return;
      }
      if (headerSize < FixedHeaderSize() + 1) throw EXbError(XbMessages::InvalidDbfFile());
      SetHeaderSize(headerSize);
      SetRecordSize(recordSize);
      const int count = RecordCount();
      if (count != HeaderRecordCount()) {
        SetHeaderRecordCount(count);
        if (Mode() != PagedFileMode::ReadOnlyShared) WriteHeader();
      }
      ReadCodePage();
      ReadFieldDescriptors();
      if (HasBlobFields()) OpenMemoFile(false, 0);
      if (Format() != TableFormat::FoxPro)
        Header()[0] = char(HasBlobFields() ? Header()[0] | 0x80 : Header()[0] & 0x7F);
      AttachProductionIndex();
    }
    for (const auto& index : indexFiles_)
      index->OpenIndex();
  } catch (...) {
    CloseTable();
    throw;
  }
}

void TXbFile::DetectFormat() {
  const auto version = static_cast<unsigned char>(Header()[0]);
  switch (version & 7) {
  case 2:
  case 5:
    SetFormat(TableFormat::FoxPro);
    break;
  case 3:
    SetFormat(Header()[29] != 0 ? TableFormat::Dbase4 : TableFormat::Dbase3);
    break;
  case 4:
    SetFormat(TableFormat::Dbase7);
    break;
  default:
    if (version != 0x30 && version != 0x31) throw EXbError(XbMessages::InvalidDbfFile());
    SetFormat(TableFormat::FoxPro);
  }
}

void TXbFile::ReadCodePage() {
  if (Format() != TableFormat::Dbase7) {
    languageId_ = static_cast<unsigned char>(Header()[29]);
    FileCodePage = XbLanguage::LanguageDriver(languageId_).CodePage;
  } else {
    const QString name = LanguageDriverName();
    auto number = [&](int from, int length) { return name.mid(from, length).toInt(); };
    FileCodePage = 0;
    if (name.startsWith(QLatin1String("DB"))) {
      if (name.mid(2, 3) == QLatin1String("WIN"))
        FileCodePage = 1252;
      else if (name.mid(2, 6) == QLatin1String("HEBREW"))
        FileCodePage = 1255;
      else {
        FileCodePage = number(2, 3);
        if (name.size() > 5 && name[5].isDigit()) FileCodePage = FileCodePage * 10 + name[5].digitValue();
      }
    } else if (name.startsWith(QLatin1String("FOX"))) {
      FileCodePage = name.mid(5, 3) == QLatin1String("WIN") ? 1252 : number(5, 3);
    }
    languageId_ = XbLanguage::LanguageIdFromName(name);
  }
  UseCodePage = FileCodePage != 0 ? FileCodePage : TXbGlobals::Instance().DefaultOpenCodePage;
}

QString TXbFile::LanguageDriverName() const {
  if (Format() != TableFormat::Dbase7 || HeaderSize() < 64) return {};
  const char* name = Header() + 32;
  return QString::fromLatin1(name, qstrnlen(name, 32));
}

void TXbFile::ReadFieldDescriptors() {
  defs_.Clear();
  LockField = NullFlagsField = nullptr;
  HasAutoIncrement = false;
  const int fixed = FixedHeaderSize(), step = DescriptorSize(), nameLength = Format() == TableFormat::Dbase7 ? 32 : 11;
  const int maxCount = (HeaderSize() - fixed) / step;
  int position = fixed, offset = 1, nullPosition = 0;
  for (int i = 0; i < maxCount; ++i) {
    const char* d = Header() + position;
    TXbFieldDef& def = defs_.Add();
    def.FieldName = QString::fromLatin1(d, qstrnlen(d, size_t(nameLength))).toUpper();
    const char native = d[nameLength];
    const bool dbase7 = Format() == TableFormat::Dbase7;
    int size = static_cast<unsigned char>(d[dbase7 ? 33 : 16]);
    int decimals = static_cast<unsigned char>(d[dbase7 ? 34 : 17]);
    if (Format() == TableFormat::FoxPro && (native == 'C' || native == 'c')) {
      size += decimals * 256;
      decimals = 0;
    }
    def.SetSize(size);
    def.SetPrecision(decimals);
    def.SetNativeFieldType(native);
    if (def.FieldName.isEmpty() || def.NativeFieldType() == 0) throw EXbError(XbMessages::InvalidDbfFile());
    def.Offset = offset;
    offset += size;
    if (dbase7) {
      def.AutoIncNext = qFromLittleEndian<qint32>(d + 42);
      if (def.NativeFieldType() == '+') HasAutoIncrement = true;
    }
    if (Format() == TableFormat::FoxPro && (d[18] & 2) && def.FieldName != QLatin1String("_NULLFLAGS"))
      def.NullPosition = nullPosition++;
    if (def.FieldName == QLatin1String("_DBASELOCK")) LockField = &def;
    if (def.FieldName == QLatin1String("_NULLFLAGS")) NullFlagsField = &def;
    position += step;
    if (position < HeaderSize() && Header()[position] == 0x0D) break;
  }
  if (defs_.Count() > 4095 || defs_.Count() == 0) throw EXbError(XbMessages::InvalidFieldCount().arg(defs_.Count()));
  if (LockField)
    lockUserNameLength_ = std::clamp(LockField->Size() - 8, 0, int(TXbGlobals::Instance().LockUserName.size()));
  CheckRecordLayout();
  if (Format() == TableFormat::Dbase7) ReadFieldProperties(position + 1);
}

void TXbFile::CheckRecordLayout() const {
  // Every field, and every null bit, must lie inside the record, or reading
  // it would run past the record buffer.
  int nullable = 0;
  for (int i = 0; i < defs_.Count(); ++i) {
    const TXbFieldDef& def = defs_[i];
    if (def.Offset + def.Size() > RecordSize()) throw EXbError(XbMessages::InvalidDbfFile());
    nullable += def.NullPosition >= 0 ? 1 : 0;
  }
  if (NullFlagsField && NullFlagsField->Size() * 8 < nullable) throw EXbError(XbMessages::InvalidDbfFile());
}

void TXbFile::ReadFieldProperties(int start) {
  if (start + 16 >= HeaderSize()) return;
  const char* base = Header() + start;
  const int room = HeaderSize() - start;
  auto u16 = [&](int at) { return at >= 0 && at + 2 <= room ? int(qFromLittleEndian<quint16>(base + at)) : -1; };
  const int count = u16(0), first = u16(2);
  for (int i = 0; i < count; ++i) {
    const int p = first + i * 15;
    if (p < 0 || p + 15 > room) return;
    const int field = u16(p + 2), type = static_cast<unsigned char>(base[p + 4]);
    const int dataOffset = u16(p + 11), dataLength = u16(p + 13);
    if (field <= 0 || field > defs_.Count()) continue;
    TXbFieldDef& def = defs_[field - 1];
    if (type == 1) {
      def.Required = true;
    } else if (type >= 2 && type <= 4 && dataOffset >= 0 && dataLength >= 0 && dataOffset + dataLength <= room) {
      QByteArray value(base + dataOffset, std::min(dataLength, def.Size()));
      value.resize(def.Size(), '\0');
      (type == 2 ? def.MinValue : type == 3 ? def.MaxValue : def.DefaultValue) = value;
    }
  }
}

void TXbFile::OpenMemoFile(bool create, int blockSize) {
  const QFileInfo info(FileName());
  const QString memoName = info.path() + QLatin1Char('/') + info.completeBaseName() + MemoFileExtension();
  const bool memory = IsMemoryMode(Mode());
  if (!create && !memory && !QFileInfo::exists(memoName)) {
    memo_ = std::make_unique<TNullMemoFile>(this);
    return;
  }
  if (Format() == TableFormat::FoxPro)
    memo_ = std::make_unique<TFoxProMemoFile>(this);
  else
    memo_ = std::make_unique<TDbaseMemoFile>(this);
  memo_->SetFileName(memoName);
  if (memory && MemoStream) {
    // A new memo file starts empty, in memory as on disk.
    if (create) MemoStream->buffer().clear();
    memo_->AttachStream(MemoStream);
  }
  memo_->SetMode(memory ? (create ? PagedFileMode::MemoryNew : PagedFileMode::MemoryExisting) : Mode());
  memo_->SetCreateIfMissing(create && CreateIfMissing());
  memo_->MemoBlockSize = blockSize;
  memo_->Version = Format();
  memo_->OpenMemo();
}

void TXbFile::AttachProductionIndex() {
  if (Format() == TableFormat::FoxPro || Header()[28] == 0) return;
  const QFileInfo info(FileName());
  const QString name = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".mdx");
  if (IsMemoryMode(Mode())) return;
  if (!QFileInfo::exists(name)) {
    bool deleteLink = true;
    if (OnIndexMissing) OnIndexMissing(*this, deleteLink);
    if (deleteLink)
      Header()[28] = 0;
    else
      ForceClose = true;
    return;
  }
  // Without index support the link stays as it is and the table is read without its index.
  const TXbIndexFactory factory = XbIndexFactory();
  std::unique_ptr<TXbIndexFile> index = factory ? factory(*this, name, false) : nullptr;
  if (!index) return;
  productionIndex_ = index.get();
  indexNames_ << index->TagNames();
  indexFiles_.push_back(std::move(index));
}

namespace {
bool NamesTag(const QString& name) { return QFileInfo(name).suffix().isEmpty(); }

// Index names are upper-cased: the file of that name in any case of its letters, else the name itself.
QString ExistingFileName(const QString& path) {
  const QFileInfo info(path);
  if (info.exists()) return path;
  const QStringList entries = info.dir().entryList(QDir::Files);
  for (const QString& entry : entries)
    if (entry.compare(info.fileName(), Qt::CaseInsensitive) == 0) return info.dir().filePath(entry);
  return path;
}
} // namespace

TIndexFile* TXbFile::OpenIndex(const QString& name, const QString& expression, int options, bool create) {
  const QFileInfo table(FileName());
  const bool tag = NamesTag(name);
  const QString fileName = ExistingFileName(
      tag ? table.path() + QLatin1Char('/') + table.completeBaseName() + QStringLiteral(".mdx") : name);
  TIndexFile* index = nullptr;
  for (const auto& attached : indexFiles_)
    if (attached->FileName().compare(fileName, Qt::CaseInsensitive) == 0)
      index = dynamic_cast<TIndexFile*>(attached.get());
  const bool exists = index || QFileInfo::exists(fileName);
  const bool attached = index;
  if (!index) {
    if (!exists && !create) return nullptr;
    const TXbIndexFactory factory = XbIndexFactory();
    std::unique_ptr<TXbIndexFile> opened = factory ? factory(*this, fileName, !exists) : nullptr;
    index = dynamic_cast<TIndexFile*>(opened.get());
    if (!index) return nullptr;
    indexFiles_.push_back(std::move(opened));
    if (tag) {
      productionIndex_ = index;
      Header()[28] = 1;
      WriteHeader();
    }
  }
  const QString tagName = tag ? name.trimmed().toUpper() : QString();
  const bool missing = tag ? index->TagIndexOf(tagName) < 0 : index->TagCount() == 0;
  if (missing && create && !expression.isEmpty()) {
    CreateIndex(*index, tagName, expression, options, !exists);
    if (tag) indexNames_ << index->TagNames().last();
  } else if (!attached && !exists) {
    DropIndex(*index, QString(), true); // nothing to create in the new file
    return nullptr;
  }
  // An index file of its own is listed by the name it was opened with.
  if (!tag && !attached) indexNames_ << name;
  return index;
}

// A shared table is used exclusively while the index is made. On failure
// the index is as before the call and the error passes on.
void TXbFile::CreateIndex(TIndexFile& index, const QString& tagName, const QString& expression, int options,
                          bool newFile) {
  const bool shared = IsShared(Mode());
  if (shared) AttemptExclusive();
  const int tags = index.TagCount();
  try {
    index.CreateTag(expression, tagName, options);
    const int slot = index.SelectedTag();
    RebuildIndex(index, index.SelectedIndexName());
    index.SelectTag(slot);
  } catch (...) {
    DropIndex(index, index.TagCount() > tags ? index.TagNames().value(tags) : QString(), newFile);
    if (shared) LeaveExclusive();
    throw;
  }
  if (shared) LeaveExclusive();
}

// Takes back what a failed creation added: the tag, or the whole file made for it.
void TXbFile::DropIndex(TIndexFile& index, const QString& tagName, bool newFile) {
  if (!newFile) {
    if (!tagName.isEmpty()) index.DeleteTag(tagName);
    return;
  }
  const QString fileName = index.FileName();
  if (productionIndex_ == &index) {
    productionIndex_ = nullptr;
    Header()[28] = 0;
    WriteHeader();
  }
  std::erase_if(indexFiles_, [&](const auto& item) { return item.get() == &index; });
  QFile::remove(fileName);
}

void TXbFile::RebuildIndex() {
  for (const auto& attached : indexFiles_)
    if (auto* index = dynamic_cast<TIndexFile*>(attached.get())) RebuildIndex(*index, QString());
}

void TXbFile::RebuildIndex(TIndexFile& index, const QString& tagName) {
  index.RebuildTags(index.IsMdx() ? tagName : QString());
}

TIndexFile* TXbFile::IndexByName(const QString& name) const {
  for (const auto& attached : indexFiles_) {
    auto* index = dynamic_cast<TIndexFile*>(attached.get());
    if (!index) continue;
    if (NamesTag(name) ? index->TagIndexOf(name) >= 0 : index->FileName().compare(name, Qt::CaseInsensitive) == 0)
      return index;
  }
  return nullptr;
}

void TXbFile::CloseTable() {
  // An index writes its changed nodes as it closes; a failure there is the table's.
  for (const auto& index : indexFiles_) {
    index->CloseIndex();
    if (index->WriteFailed()) {
      index->ClearWriteFailed();
      MarkWriteFailed();
    }
  }
  memo_.reset();
  Close();
  if (productionIndex_) {
    for (const QString& tag : productionIndex_->TagNames())
      indexNames_.removeAll(tag);
    std::erase_if(indexFiles_, [&](const auto& index) { return index.get() == productionIndex_; });
    productionIndex_ = nullptr;
  }
  oldRecordImage_.clear();
  languageId_ = 0;
}

bool TXbFile::HasBlobFields() const {
  for (int i = 0; i < defs_.Count(); ++i)
    if (defs_[i].IsBlob()) return true;
  return false;
}

QString TXbFile::MemoFileExtension() const {
  return Format() == TableFormat::FoxPro ? QStringLiteral(".fpt") : QStringLiteral(".dbt");
}

TXbFieldDef* TXbFile::FieldDefByName(const QString& name) const {
  const QString upper = name.toUpper();
  for (int i = 0; i < defs_.Count(); ++i)
    if (defs_[i].FieldName == upper) return &defs_[i];
  return nullptr;
}

void TXbFile::CreateStructure(const TXbFieldDefs& defs, int memoBlockSize) {
  const int count = defs.Count();
  if (count < 1 || count > 4095) throw EXbError(XbMessages::InvalidFieldCount().arg(count));
  TXbGlobals& globals = TXbGlobals::Instance();
  if (languageId_ == 0) languageId_ = globals.DefaultCreateLanguage;
  FileCodePage = XbLanguage::LanguageDriver(languageId_).CodePage;
  UseCodePage = FileCodePage != 0 ? FileCodePage : globals.DefaultOpenCodePage;

  const TableFormat format = Format();
  const bool dbase7 = format == TableFormat::Dbase7, foxPro = format == TableFormat::FoxPro;
  const int fixed = FixedHeaderSize(), step = DescriptorSize();
  SetHeaderSize(fixed + count * step + 1 + (foxPro ? 263 : 0));
  std::memset(Header(), 0, size_t(HeaderSize()));

  defs_.Clear();
  LockField = NullFlagsField = nullptr;
  HasAutoIncrement = false;
  int offset = 1;
  bool foxWide = false, foxAutoInc = false;
  for (int i = 0; i < count; ++i) {
    TXbFieldDef& def = defs_.Add();
    def.Assign(defs[i]);
    def.FieldName = def.FieldName.toUpper();
    def.Offset = offset;
    const char native = def.NativeFieldType();
    if (!foxPro && def.Size() > 255)
      throw EXbError(XbMessages::ValueTooWide().arg(def.Size()).arg(def.FieldName).arg(255));
    char* d = Header() + fixed + i * step;
    const QByteArray name = def.FieldName.toLatin1().left(dbase7 ? 31 : 10);
    std::memcpy(d, name.constData(), size_t(name.size()));
    if (dbase7) {
      d[32] = native;
      d[33] = char(def.Size());
      d[34] = char(def.Precision());
      qToLittleEndian<qint32>(def.AutoIncNext, d + 42);
      if (native == '+') HasAutoIncrement = true;
    } else {
      d[11] = native;
      if (foxPro) qToLittleEndian<quint32>(quint32(offset), d + 12);
      d[16] = char(def.Size() & 0xFF);
      d[17] = char(foxPro && native == 'C' ? def.Size() >> 8 : def.Precision());
    }
    foxWide = foxWide || native == '+' || native == '0' || native == 'O' || native == 'T' || native == 'Y';
    foxAutoInc = foxAutoInc || native == '+';
    if (def.FieldName == QLatin1String("_DBASELOCK")) LockField = &def;
    if (def.FieldName == QLatin1String("_NULLFLAGS")) NullFlagsField = &def;
    offset += def.Size();
  }
  Header()[fixed + count * step] = 0x0D;
  SetRecordSize(offset);
  if (LockField) lockUserNameLength_ = std::clamp(LockField->Size() - 8, 0, int(globals.LockUserName.size()));

  unsigned char version = format == TableFormat::FoxPro ? 0x02 : format == TableFormat::Dbase7 ? 0x04 : 0x03;
  if (foxPro && foxWide) version = foxAutoInc ? 0x31 : 0x30;
  if (HasBlobFields()) {
    if (format == TableFormat::Dbase3)
      version |= 0x80;
    else if (foxPro && version == 0x02)
      version = 0xF5;
    else if (!foxPro)
      version |= 0x88;
    // 0x30 and 0x31 stay: with 0x88 added they would no longer open as FoxPro.
  }
  Header()[0] = char(version);
  Header()[29] = char(format == TableFormat::Dbase3 ? 0 : languageId_);
  if (dbase7) {
    const QByteArray driver =
        XbLanguage::BuildLanguageDriverName(FileCodePage, XbLanguage::LanguageDriver(languageId_).Locale, false)
            .toLatin1()
            .left(31);
    std::memcpy(Header() + 32, driver.constData(), size_t(driver.size()));
  }
  qToLittleEndian<quint16>(quint16(HeaderSize()), Header() + 8);
  qToLittleEndian<quint16>(quint16(RecordSize()), Header() + 10);
  SetHeaderRecordCount(0);
  WriteHeader();
  if (HasBlobFields() && !memo_) OpenMemoFile(true, memoBlockSize);
}

QDate TXbFile::Today() {
  const qint64 second = std::time(nullptr);
  if (second != todayAtSecond_) {
    today_ = QDate::currentDate();
    todayAtSecond_ = second;
  }
  return today_;
}

void TXbFile::WriteHeader() {
  if (HeaderSize() == 0) return;
  const THeaderLock lock(*this);
  int year = 0, month = 0, day = 0;
  Today().getDate(&year, &month, &day);
  Header()[1] = char(year - 1900);
  Header()[2] = char(month);
  Header()[3] = char(day);
  // The count is that of the records in the file, whichever handle or process
  // appended them, so the end byte lands right after the last record and
  // never on one that another process has just written.
  const int count = RecordCount();
  SetHeaderRecordCount(count);
  if (NeedsLocks()) KeepNewerAutoIncrements();
  TPagedFile::WriteHeader();
  // A file no other process writes gets its end byte when it closes, as its header.
  endBytePending_ = !NeedsLocks() && !IsMemoryMode(Mode());
  if (!endBytePending_) WriteEndByte(count);
}

void TXbFile::WriteEndByte(int count) {
  const char eof = 0x1A;
  if (WriteAt(PageOffset(count + 1), &eof, 1) != 1) MarkWriteFailed();
}

void TXbFile::Close() {
  if (Active() && endBytePending_) WriteEndByte(RecordCount());
  endBytePending_ = false;
  TPagedFile::Close();
}

// Auto-increment values only grow; another process may have taken some since
// this handle read the header, and writing the older values back would hand
// them out twice.
void TXbFile::KeepNewerAutoIncrements() {
  if (!HasAutoIncrement) return;
  QByteArray stored(HeaderSize(), '\0');
  if (ReadAt(HeaderOffset(), stored.data(), stored.size()) != stored.size()) return;
  for (int i = 0; i < defs_.Count(); ++i) {
    if (defs_[i].NativeFieldType() != '+') continue;
    const int at = FixedHeaderSize() + i * DescriptorSize() + 42;
    const qint32 theirs = qFromLittleEndian<qint32>(stored.constData() + at);
    if (theirs > qFromLittleEndian<qint32>(Header() + at)) qToLittleEndian<qint32>(theirs, Header() + at);
  }
}

void TXbFile::AttemptExclusive() {
  TPagedFile::AttemptExclusive();
  if (IsShared(Mode())) return;
  for (const auto& index : indexFiles_)
    index->AttemptExclusive();
  if (memo_) memo_->AttemptExclusive();
}

void TXbFile::LeaveExclusive() {
  for (const auto& index : indexFiles_)
    index->LeaveExclusive();
  if (memo_) memo_->LeaveExclusive();
  TPagedFile::LeaveExclusive();
}

// ---- table file: records --------------------------------------------------------------

void TXbFile::CheckWriteFailed() {
  if (!WriteFailed()) return;
  ClearWriteFailed();
  throw EXbWriteError(XbMessages::WriteError());
}

void TXbFile::WriteLockStamp(char* record) const {
  if (!LockField) return;
  char* field = record + LockField->Offset;
  const int size = LockField->Size();
  if (size < 8) return;
  qToLittleEndian<quint16>(quint16(qFromLittleEndian<quint16>(field) + 1), field);
  const QDateTime now = QDateTime::currentDateTime();
  field[2] = char(now.time().hour());
  field[3] = char(now.time().minute());
  field[4] = char(now.time().second());
  field[5] = char(now.date().year() - 1900);
  field[6] = char(now.date().month());
  field[7] = char(now.date().day());
  std::memset(field + 8, kBlank, size_t(size - 8));
  std::memcpy(field + 8, TXbGlobals::Instance().LockUserName.constData(), size_t(lockUserNameLength_));
}

// The caller holds the header lock and has reloaded a shared table's header.
void TXbFile::AssignAutoIncrements(char* record) {
  if (!HasAutoIncrement) return;
  const bool shared = IsShared(Mode());
  for (int i = 0; i < defs_.Count(); ++i) {
    TXbFieldDef& def = defs_[i];
    if (def.NativeFieldType() != '+') continue;
    char* descriptor = Header() + FixedHeaderSize() + i * DescriptorSize();
    const qint32 value = shared ? qFromLittleEndian<qint32>(descriptor + 42) : def.AutoIncNext;
    qToBigEndian<quint32>(EncodeSortableInt(value), record + def.Offset);
    def.AutoIncNext = value + 1;
    qToLittleEndian<qint32>(value + 1, descriptor + 42);
  }
  WriteHeader();
}

int TXbFile::AppendRecord(char* record) {
  // One append at a time across every handle of a shared table: the slot after
  // the last record is free, and the header written after the record counts it.
  const THeaderLock lock(*this);
  if (NeedsLocks()) ReloadHeader();
  int n = RecordCount() + 1;
  while (!LockPage(n, false))
    ++n;
  try {
    AssignAutoIncrements(record);
    for (const auto& index : indexFiles_)
      if (index->CheckKeyViolation(record)) index->RaiseKeyViolation(n, record);
  } catch (...) {
    UnlockPage(n);
    throw;
  }
  int inserted = 0;
  for (const auto& index : indexFiles_) {
    index->InsertRecordKeys(n, record);
    ++inserted;
    if (index->WriteFailed()) {
      UnlockPage(n);
      UndoIndexInserts(inserted, n, record);
    }
  }
  WriteLockStamp(record);
  WriteRecord(n, record);
  WriteHeader();
  UnlockPage(n);
  if (!WriteFailed()) return n;
  UndoIndexInserts(inserted, n, record);
}

void TXbFile::UndoIndexInserts(int count, int n, const char* record) {
  bool indexFailed = false;
  for (int i = 0; i < count; ++i) {
    TXbIndexFile& index = *indexFiles_[std::size_t(i)];
    indexFailed = indexFailed || index.WriteFailed();
    index.DeleteRecordKeys(n, record);
    index.ClearWriteFailed();
  }
  ClearWriteFailed();
  throw EXbWriteError(indexFailed ? XbMessages::WriteErrorIndex() : XbMessages::WriteError());
}

void TXbFile::LockRecord(int n, char* record) {
  if (!LockPage(n, false)) throw EXbError(XbMessages::RecordLocked());
  if (ReadRecord(n, record) != RecordSize()) {
    UnlockPage(n);
    throw EXbError(XbMessages::InvalidDbfFile());
  }
  std::memcpy(oldRecordImage_.data(), record, size_t(RecordSize()));
  if (LockField) {
    WriteLockStamp(record);
    WriteRecord(n, record);
  }
}

void TXbFile::UnlockRecord(int n, const char* record) {
  // Every index refuses before any of them changes.
  for (const auto& index : indexFiles_)
    index->CheckUpdateViolation(oldRecordImage_.constData(), record);
  for (const auto& index : indexFiles_)
    index->UpdateRecordKeys(n, oldRecordImage_.constData(), record);
  WriteRecord(n, record);
  UnlockPage(n);
  CheckWriteFailed();
}

void TXbFile::NotifyDeleted(int n, const char* record) {
  for (const auto& index : indexFiles_)
    index->RecordDeleted(n, record);
}

void TXbFile::NotifyRecalled(int n, const char* record) {
  for (const auto& index : indexFiles_)
    if (index->CheckKeyViolation(record, n)) index->RaiseKeyViolation(n, record);
  for (const auto& index : indexFiles_)
    index->RecordRecalled(n, record);
}

void TXbFile::Pack() {
  RequireExclusive();
  QByteArray record(RecordSize(), '\0');
  const int count = RecordCount();
  int kept = 0;
  for (int n = 1; n <= count; ++n) {
    if (ReadRecord(n, record.data()) != RecordSize() || record[0] == '*') continue;
    if (++kept != n) WriteRecord(kept, record.constData());
  }
  SetRecordCount(kept);
  SetHeaderRecordCount(kept);
  WriteHeader();
  // The records have new numbers: every key is made again.
  RebuildIndex();
  CheckWriteFailed();
}

// ---- table file: field values ------------------------------------------------------------

bool TXbFile::NullBitSet(const TXbFieldDef& field, const char* record) const {
  const int bit = field.NullPosition;
  return static_cast<unsigned char>(record[NullFlagsField->Offset + bit / 8]) & (1u << (bit % 8));
}

void TXbFile::SetNullBit(const TXbFieldDef& field, char* record, bool on) const {
  const int bit = field.NullPosition;
  char& byte = record[NullFlagsField->Offset + bit / 8];
  byte = char(on ? byte | (1 << (bit % 8)) : byte & ~(1 << (bit % 8)));
}

bool TXbFile::GetFieldValue(const TXbFieldDef& field, TXbFieldType type, QVariant* destination,
                            const char* record) const {
  if (!record) return false;
  // A field marked null has no value, whatever its bytes hold.
  if (NullFlagsField && field.NullPosition >= 0 && NullBitSet(field, record)) return false;
  const char* bytes = record + field.Offset;
  switch (field.NativeFieldType()) {
  case '+':
  case 'I':
    if (Format() == TableFormat::FoxPro) return GetLittleEndianInt(bytes, destination, true);
    return GetSortableInt(bytes, destination);
  case '@':
    return GetTimeStamp(bytes, DateTimeHandling == TDateTimeHandling::dtMsecTimeStamp, destination);
  case 'O':
    return GetOrderedDouble(bytes, destination);
  case 'T':
    return field.Size() >= 8 && GetJulianDateTime(bytes, destination);
  case 'Y':
    return GetCurrency(bytes, type, destination);
  case 'B':
  case 'G':
  case 'M':
    if (field.Size() == 4) return GetLittleEndianInt(bytes, destination, false);
    break;
  default:
    break;
  }
  return GetText(bytes, field.Size(), type, destination);
}

void TXbFile::SetFieldValue(const TXbFieldDef& field, TXbFieldType type, const QVariant* source, char* record) {
  if (source && (!source->isValid() || source->isNull())) source = nullptr;
  if (NullFlagsField && field.NullPosition >= 0) SetNullBit(field, record, source == nullptr);
  char* bytes = record + field.Offset;
  switch (field.NativeFieldType()) {
  case '+':
  case 'I':
    // A 32-bit field refuses a larger number rather than keep some of its bits.
    if (source && source->toLongLong() != qint64(source->toInt())) RaiseTooWide(field, *source);
    if (Format() == TableFormat::FoxPro)
      qToLittleEndian<qint32>(source ? source->toInt() : 0, bytes);
    else
      PutSortableInt(bytes, source);
    return;
  case '@':
    return PutTimeStamp(bytes, DateTimeHandling == TDateTimeHandling::dtMsecTimeStamp, source);
  case 'O':
    return PutOrderedDouble(bytes, source);
  case 'T':
    if (field.Size() >= 8) PutJulianDateTime(bytes, source);
    return;
  case 'Y':
    return PutCurrency(bytes, type, source);
  case 'B':
  case 'G':
  case 'M':
    if (field.Size() == 4) {
      qToLittleEndian<qint32>(source ? source->toInt() : 0, bytes);
      return;
    }
    break;
  default:
    break;
  }
  PutText(field, type, source, bytes);
}

// The typed writers take only the fields stored as text, of the value's own
// kind; anything else is for SetFieldValue, which converts.
bool TXbFile::PutTextValue(const TXbFieldDef& field, QByteArrayView text, char* record) {
  if (TextStoredType(field) != ftString) return false;
  if (NullFlagsField && field.NullPosition >= 0) SetNullBit(field, record, false);
  PutTextBytes(field, text, record + field.Offset);
  return true;
}

bool TXbFile::PutNumberValue(const TXbFieldDef& field, qint64 value, char* record) {
  const TXbFieldType type = TextStoredType(field);
  char* bytes = record + field.Offset;
  if (type == ftFloat || type == ftCurrency) return PutNumberValue(field, double(value), record);
  if (type != ftSmallint && type != ftInteger && type != ftLargeint) return false;
  if (NullFlagsField && field.NullPosition >= 0) SetNullBit(field, record, false);
  if (!PutIntegerText(field, type, value, bytes)) RaiseTooWide(field, value);
  return true;
}

bool TXbFile::PutNumberValue(const TXbFieldDef& field, double value, char* record) {
  const TXbFieldType type = TextStoredType(field);
  if (type != ftFloat && type != ftCurrency) return false;
  if (NullFlagsField && field.NullPosition >= 0) SetNullBit(field, record, false);
  if (!PutFloatText(record + field.Offset, field.Size(), field.Precision(), value)) RaiseTooWide(field, value);
  return true;
}

bool TXbFile::PutDateValue(const TXbFieldDef& field, QDate date, char* record) {
  if (TextStoredType(field) != ftDate || !date.isValid()) return false;
  if (NullFlagsField && field.NullPosition >= 0) SetNullBit(field, record, false);
  if (!PutDateText(field, date, record + field.Offset)) RaiseTooWide(field, date);
  return true;
}

QByteArrayView TXbFile::TextValue(const TXbFieldDef& field, const char* record) const {
  if (NullFlagsField && field.NullPosition >= 0 && NullBitSet(field, record)) return {};
  const char* bytes = record + field.Offset;
  return QByteArrayView(bytes, TrimmedLength(bytes, field.Size()));
}

void TXbFile::InitRecord(char* record) const {
  std::memset(record, kBlank, size_t(RecordSize()));
  if (NullFlagsField) std::memset(record + NullFlagsField->Offset, 0xFF, size_t(NullFlagsField->Size()));
  for (int i = 0; i < defs_.Count(); ++i) {
    const TXbFieldDef& def = defs_[i];
    switch (def.NativeFieldType()) {
    case '+':
    case '0':
    case '@':
    case 'I':
    case 'O':
    case 'T':
    case 'Y':
      if (&def != NullFlagsField) std::memset(record + def.Offset, 0, size_t(def.Size()));
      break;
    default:
      break;
    }
    if (def.HasDefault()) {
      std::memcpy(record + def.Offset, def.DefaultValue.constData(),
                  size_t(std::min<qsizetype>(def.DefaultValue.size(), def.Size())));
      if (NullFlagsField && def.NullPosition >= 0) SetNullBit(def, record, false);
    }
  }
}
