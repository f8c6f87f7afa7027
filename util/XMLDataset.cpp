#include "util/XMLDataset.h"
#include "core/CodePage1250.h"
#include "util/UxMemDS.h"
#include <QtCore/QIODevice>
#include <QtCore/QScopeGuard>

// ---- TSeekInXMLFile ------------------------------------------------------

const std::array<unsigned char, 256>& TSeekInXMLFile::LowerTable() {
  static const std::array<unsigned char, 256> table = [] {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) {
      const int lower = Cp1250::FromUnicode(QChar(Cp1250::ToUnicode(uchar(b))).toLower().unicode());
      t[size_t(b)] = uchar(lower >= 0 ? lower : b);
    }
    return t;
  }();
  return table;
}

qsizetype TSeekInXMLFile::Find(QByteArrayView pattern, qsizetype from, qsizetype to) const {
  to = std::min(to, text_.size());
  const qsizetype m = pattern.size();
  if (text_.isEmpty() || m == 0 || from < 0 || from + m > to) return -1;
  const auto& lower = LowerTable();
  auto fold = [&](char c) { return caseSensitive_ ? uchar(c) : lower[uchar(c)]; };
  std::array<qsizetype, 256> skip;
  skip.fill(m);
  for (qsizetype i = 0; i + 1 < m; ++i)
    skip[fold(pattern[i])] = m - 1 - i;
  const char* text = text_.constData();
  for (qsizetype pos = from; pos + m <= to; pos += skip[fold(text[pos + m - 1])]) {
    qsizetype j = m - 1;
    while (j >= 0 && fold(text[pos + j]) == fold(pattern[j]))
      --j;
    if (j < 0) return pos;
  }
  return -1;
}

// ---- TXMLDataset -----------------------------------------------------------

// An element found in the packet: its attribute text and its content range.
struct TXMLDataset::TElement {
  qsizetype Start = -1; // the opening text; -1 when not found
  qsizetype AttrBegin = 0, AttrEnd = 0;
  qsizetype ContentBegin = 0, ContentEnd = 0;
  qsizetype End = 0; // just after the closing text
  bool Found() const { return Start >= 0; }
};

namespace {

using TAttributes = QList<std::pair<QByteArray, QByteArray>>;
constexpr int kMaxAttributes = 256;
constexpr int kMaxFieldDefs = 256;

[[noreturn]] void Fail(const char* text) { throw EXMLDatasetError(QString::fromLatin1(text)); }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// name="value" pairs: after each blank the name runs to "=", the value lies
// between the next two double quotes; values are taken literally.
TAttributes ParseAttributes(QByteArrayView text) {
  TAttributes attributes;
  qsizetype pos = 0;
  for (;;) {
    while (pos < text.size() && !IsBlank(text[pos]))
      ++pos;
    while (pos < text.size() && IsBlank(text[pos]))
      ++pos;
    const qsizetype equals = text.indexOf('=', pos);
    if (pos >= text.size() || equals < 0) return attributes;
    const qsizetype open = text.indexOf('"', equals + 1);
    const qsizetype close = open < 0 ? -1 : text.indexOf('"', open + 1);
    if (close < 0) Fail("Malformed attribute");
    if (attributes.size() == kMaxAttributes) Fail("Too many attributes");
    attributes.append({text.sliced(pos, equals - pos).trimmed().toByteArray(),
                       text.sliced(open + 1, close - open - 1).toByteArray()});
    pos = close + 1;
  }
}

const QByteArray* Attribute(const TAttributes& attributes, const char* name) {
  for (const auto& [key, value] : attributes)
    if (key == name) return &value;
  return nullptr;
}

int IntAttribute(const TAttributes& attributes, const char* name, int fallback) {
  const QByteArray* value = Attribute(attributes, name);
  if (!value) return fallback;
  bool ok = false;
  const int n = value->trimmed().toInt(&ok);
  if (!ok) Fail("Invalid number");
  return n;
}

bool FlagAttribute(const TAttributes& attributes, const char* name, const char* on) {
  const QByteArray* value = Attribute(attributes, name);
  return value && *value == on;
}

TUxFieldType DataTypeOf(const QByteArray& name) {
  static const std::pair<const char*, TUxFieldType> types[] = {{"string", TUxFieldType::String},
                                                               {"smallint", TUxFieldType::SmallInt},
                                                               {"integer", TUxFieldType::Integer},
                                                               {"word", TUxFieldType::Word},
                                                               {"boolean", TUxFieldType::Boolean},
                                                               {"float", TUxFieldType::Float},
                                                               {"currency", TUxFieldType::Currency},
                                                               {"bcd", TUxFieldType::BCD},
                                                               {"date", TUxFieldType::Date},
                                                               {"time", TUxFieldType::Time},
                                                               {"datetime", TUxFieldType::DateTime},
                                                               {"bytes", TUxFieldType::Bytes},
                                                               {"varbytes", TUxFieldType::VarBytes},
                                                               {"autoinc", TUxFieldType::AutoInc},
                                                               {"blob", TUxFieldType::Blob},
                                                               {"memo", TUxFieldType::Memo},
                                                               {"graphic", TUxFieldType::Graphic},
                                                               {"fmtmemo", TUxFieldType::FmtMemo},
                                                               {"paradoxole", TUxFieldType::ParadoxOle},
                                                               {"dbaseole", TUxFieldType::DBaseOle},
                                                               {"typedbinary", TUxFieldType::TypedBinary},
                                                               {"cursor", TUxFieldType::Cursor},
                                                               {"fixedchar", TUxFieldType::FixedChar},
                                                               {"widestring", TUxFieldType::WideString},
                                                               {"largeint", TUxFieldType::LargeInt},
                                                               {"adt", TUxFieldType::ADT},
                                                               {"array", TUxFieldType::Array},
                                                               {"reference", TUxFieldType::Reference},
                                                               {"dataset", TUxFieldType::DataSet},
                                                               {"orablob", TUxFieldType::OraBlob},
                                                               {"oraclob", TUxFieldType::OraClob},
                                                               {"variant", TUxFieldType::Variant},
                                                               {"interface", TUxFieldType::Interface},
                                                               {"idispatch", TUxFieldType::IDispatch},
                                                               {"guid", TUxFieldType::Guid}};
  for (const auto& [text, type] : types)
    if (name == text) return type;
  return TUxFieldType::Unknown;
}

TFieldKind FieldKindOf(const QByteArray* name) {
  if (!name) return TFieldKind::Data;
  if (*name == "calculated") return TFieldKind::Calculated;
  if (*name == "lookup") return TFieldKind::Lookup;
  if (*name == "internalcalc") return TFieldKind::InternalCalc;
  if (*name == "aggregate") return TFieldKind::Aggregate;
  return TFieldKind::Data;
}

QTime TimeOf(const QString& text) {
  for (const char* format : {"hh:mm:ss:zzz", "hh:mm:ss.zzz", "hh:mm:ss", "hh:mm"}) {
    const QTime time = QTime::fromString(text, QLatin1String(format));
    if (time.isValid()) return time;
  }
  Fail("Invalid time");
}

// The packet's value as the field's content: text in code page 1250, numbers
// with a full stop, dates as yyyy-mm-dd and times as hh:nn:ss:zzz.
QVariant ValueOf(const TField& field, const QByteArray& bytes) {
  switch (field.DataType()) {
  case TFieldType::Blob:
    return bytes;
  case TFieldType::String:
  case TFieldType::Memo:
  case TFieldType::Unknown:
    return Cp1250::Decode(bytes);
  default:
    break;
  }
  const QString text = QString::fromLatin1(bytes).trimmed();
  if (text.isEmpty()) return {};
  bool ok = true;
  QVariant value;
  switch (field.DataType()) {
  case TFieldType::SmallInt:
  case TFieldType::Integer:
    value = text.toInt(&ok);
    break;
  case TFieldType::LargeInt:
    value = text.toLongLong(&ok);
    break;
  case TFieldType::Float:
  case TFieldType::Currency:
    value = text.toDouble(&ok);
    break;
  case TFieldType::Boolean: {
    const QString b = text.toLower();
    ok =
        b == QLatin1String("true") || b == QLatin1String("false") || b == QLatin1String("1") || b == QLatin1String("0");
    value = b == QLatin1String("true") || b == QLatin1String("1");
    break;
  }
  case TFieldType::Date:
    value = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    break;
  case TFieldType::Time:
    value = TimeOf(text);
    break;
  case TFieldType::DateTime: {
    const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    const QString rest = text.mid(10).trimmed();
    value = QDateTime(date, rest.isEmpty() ? QTime(0, 0) : TimeOf(rest));
    ok = date.isValid();
    break;
  }
  default:
    break;
  }
  if (!ok || (value.typeId() == QMetaType::QDate && !value.toDate().isValid())) Fail("Invalid value");
  return value;
}

} // namespace

TXMLDataset::TElement TXMLDataset::FindElement(QByteArrayView opening, QByteArrayView closing, qsizetype from,
                                               qsizetype to) const {
  TElement element;
  const qsizetype start = seek_.Find(opening, from, to);
  if (start < 0) return element;
  const qsizetype afterOpening = start + opening.size();
  const qsizetype close = seek_.Find(closing, afterOpening, to);
  if (close < 0) return element;
  element.Start = start;
  element.AttrBegin = afterOpening;
  element.End = close + closing.size();
  if (!closing.startsWith("</")) {
    // <fielddef .../>, <field ...>: everything up to the closing text is attributes.
    element.AttrEnd = element.ContentBegin = element.ContentEnd = close;
    return element;
  }
  // A container: attributes up to the end of its opening tag, then content.
  const qsizetype tagEnd = opening.endsWith(">") ? afterOpening - 1 : packet_.indexOf('>', afterOpening);
  element.AttrEnd = opening.endsWith(">") ? afterOpening : std::min(tagEnd < 0 ? close : tagEnd, close);
  element.ContentBegin = std::min(element.AttrEnd + (opening.endsWith(">") ? 0 : 1), close);
  element.ContentEnd = close;
  return element;
}

void TXMLDataset::LoadFromStream(QIODevice* stream) {
  if (!dataSet_ || !stream) throw EXMLDatasetError(QStringLiteral("Dataset not assigned"));
  seek_.Reset();
  packet_ = stream->readAll();
  seek_.SetText(packet_);
  lastError_.clear();
  packetVersion_ = 0;
  packetTime_ = 0;
  fieldDefCount_ = indexDefCount_ = recordCount_ = 0;
  hasFieldDefs_ = hasIndexDefs_ = hasRecordData_ = hasChanges_ = false;
  const bool controlsWereDisabled = dataSet_->ControlsDisabled();
  if (!controlsWereDisabled) dataSet_->DisableControls();
  const auto enable = qScopeGuard([&] {
    if (!controlsWereDisabled) dataSet_->EnableControls();
  });
  try {
    Read();
  } catch (const Exception& error) {
    // The read ends here; what was loaded so far stays in the target.
    if (dataSet_->State() == TDataSetState::Insert) dataSet_->Cancel();
    lastError_ = error.Message();
  }
}

void TXMLDataset::Read() {
  const TElement packet = FindElement("<datapacket", "</datapacket>", 0, packet_.size());
  if (!packet.Found()) Fail("Datapacket not found");
  ReadDatapacket(packet);
  const TElement metadata = FindElement("<metadata", "</metadata>", packet.ContentBegin, packet.ContentEnd);
  if (!metadata.Found()) Fail("Metadata not found");
  const TAttributes flags =
      ParseAttributes(QByteArrayView(packet_).sliced(metadata.AttrBegin, metadata.AttrEnd - metadata.AttrBegin));
  hasFieldDefs_ = FlagAttribute(flags, "fielddefs", "yes");
  hasIndexDefs_ = FlagAttribute(flags, "indexdefs", "yes");
  hasRecordData_ = FlagAttribute(flags, "recorddata", "yes");
  hasChanges_ = FlagAttribute(flags, "changes", "yes");
  const TElement fieldDefs = FindElement("<fielddefs", "</fielddefs>", metadata.ContentBegin, metadata.ContentEnd);
  if (!fieldDefs.Found()) Fail("Fielddefs not found");
  qsizetype after = ReadFieldDefs(fieldDefs);
  const TElement indexDefs = FindElement("<indexdefs", "</indexdefs>", after, metadata.ContentEnd);
  if (indexDefs.Found()) {
    indexDefCount_ = IntAttribute(
        ParseAttributes(QByteArrayView(packet_).sliced(indexDefs.AttrBegin, indexDefs.AttrEnd - indexDefs.AttrBegin)),
        "count", 0);
    after = indexDefs.End;
  }
  dataSet_->Open();
  const TElement recordData = FindElement("<recorddata", "</recorddata>", after, packet.ContentEnd);
  if (recordData.Found()) ReadRows(recordData);
  dataSet_->First();
}

void TXMLDataset::ReadDatapacket(const TElement& packet) {
  const TAttributes attributes =
      ParseAttributes(QByteArrayView(packet_).sliced(packet.AttrBegin, packet.AttrEnd - packet.AttrBegin));
  if (const QByteArray* version = Attribute(attributes, "version")) {
    bool ok = false;
    packetVersion_ = version->trimmed().toDouble(&ok);
    if (!ok) Fail("Invalid version");
  }
  if (Attribute(attributes, "year") || Attribute(attributes, "month") || Attribute(attributes, "day")) {
    const QDate date(IntAttribute(attributes, "year", 0), IntAttribute(attributes, "month", 0),
                     IntAttribute(attributes, "day", 0));
    const QTime time(IntAttribute(attributes, "hour", 0), IntAttribute(attributes, "min", 0),
                     IntAttribute(attributes, "sec", 0), IntAttribute(attributes, "msec", 0));
    if (!date.isValid() || !time.isValid()) Fail("Invalid packet date");
    packetTime_ = DateTime::FromDateTime(QDateTime(date, time));
  }
  if (packetVersion_ > fileVersion_) Fail("Incompatible file verion");
}

qsizetype TXMLDataset::ReadFieldDefs(const TElement& fieldDefs) {
  fieldDefCount_ = IntAttribute(
      ParseAttributes(QByteArrayView(packet_).sliced(fieldDefs.AttrBegin, fieldDefs.AttrEnd - fieldDefs.AttrBegin)),
      "count", 0);
  dataSet_->Close();
  dataSet_->ClearFieldDefs();
  qsizetype pos = fieldDefs.ContentBegin;
  for (int n = 0;; ++n) {
    const TElement element = FindElement("<fielddef", "/>", pos, fieldDefs.ContentEnd);
    if (!element.Found()) break;
    if (n == kMaxFieldDefs) Fail("Too many field definitions");
    const TAttributes a =
        ParseAttributes(QByteArrayView(packet_).sliced(element.AttrBegin, element.AttrEnd - element.AttrBegin));
    TUxFieldDef def;
    const QByteArray* name = Attribute(a, "name");
    def.Name = name ? Cp1250::Decode(*name) : QString();
    const QByteArray* type = Attribute(a, "datatype");
    def.DataType = type ? DataTypeOf(*type) : TUxFieldType::Unknown;
    def.Size = IntAttribute(a, "fieldsize", 0);
    def.Required = FlagAttribute(a, "required", "true");
    def.Kind = FieldKindOf(Attribute(a, "fieldkind"));
    if (const QByteArray* label = Attribute(a, "displaylabel")) def.DisplayLabel = Cp1250::Decode(*label);
    if (const QByteArray* mask = Attribute(a, "editmask")) def.EditMask = Cp1250::Decode(*mask);
    def.DisplayWidth = IntAttribute(a, "displaywidth", 0);
    def.ReadOnly = FlagAttribute(a, "readonly", "true");
    dataSet_->AddFieldDef(def);
    pos = element.End;
  }
  return fieldDefs.End;
}

void TXMLDataset::ReadRows(const TElement& recordData) {
  recordCount_ = IntAttribute(
      ParseAttributes(QByteArrayView(packet_).sliced(recordData.AttrBegin, recordData.AttrEnd - recordData.AttrBegin)),
      "count", 0);
  int rows = 0;
  qsizetype pos = recordData.ContentBegin;
  for (;;) {
    const TElement row = FindElement("<row>", "</row>", pos, recordData.ContentEnd);
    if (!row.Found()) break;
    dataSet_->Append();
    for (qsizetype field = row.ContentBegin; field >= 0;)
      field = ReadField(field, row.ContentEnd);
    dataSet_->Post();
    ++rows;
    pos = row.End;
  }
  dataSet_->First();
  if (recordCount_ > 0 && rows != recordCount_) Fail("Insufficient Record Count Received");
}

qsizetype TXMLDataset::ReadField(qsizetype from, qsizetype rowEnd) {
  const TElement element = FindElement("<field", ">", from, rowEnd);
  if (!element.Found()) return -1;
  const TAttributes a =
      ParseAttributes(QByteArrayView(packet_).sliced(element.AttrBegin, element.AttrEnd - element.AttrBegin));
  if (a.size() != 2) Fail("Insufficient number of parameters");
  const QByteArray* name = Attribute(a, "name");
  const QByteArray* value = Attribute(a, "value");
  const QByteArray* size = Attribute(a, "size");
  if (!name || (!value && !size)) Fail("Unexpected parameter(s)");
  TField* field = dataSet_->FindField(Cp1250::Decode(*name));
  if (!field) Fail("Field not found");
  if (value) {
    field->SetValue(ValueOf(*field, *value));
    return element.End;
  }
  bool ok = false;
  const int length = size->trimmed().toInt(&ok);
  if (!ok) Fail("Invalid size");
  if (length < 0) {
    field->Clear();
    return element.End;
  }
  if (length == 0) {
    field->SetValue(field->DataType() == TFieldType::Blob ? QVariant(QByteArray("")) : QVariant(QStringLiteral("")));
    return element.End;
  }
  const qsizetype close = seek_.Find("</field>", element.End, rowEnd);
  const qsizetype cdata = close < 0 ? -1 : seek_.Find("<![CDATA[", element.End, close);
  const qsizetype cdataEnd = cdata < 0 ? -1 : seek_.Find("]]>", cdata + 9, close);
  if (cdataEnd < 0) Fail("CDATA not found");
  const QByteArray bytes =
      QByteArray::fromBase64(QByteArrayView(packet_).sliced(cdata + 9, cdataEnd - cdata - 9).toByteArray());
  if (bytes.size() != length) Fail("Unexpected CDATA Size");
  field->SetValue(ValueOf(*field, bytes));
  return close + 8;
}
