#include "util/UxMemDS.h"
#include "core/Exception.h"

bool UxFieldTypeStorable(TUxFieldType type) {
  switch (type) {
  case TUxFieldType::Unknown:
  case TUxFieldType::Cursor:
  case TUxFieldType::Array:
  case TUxFieldType::Reference:
  case TUxFieldType::DataSet:
  case TUxFieldType::Interface:
  case TUxFieldType::IDispatch:
    return false;
  default:
    return true;
  }
}

TFieldType ToFieldType(TUxFieldType type) {
  switch (type) {
  case TUxFieldType::String:
  case TUxFieldType::FixedChar:
  case TUxFieldType::WideString:
  case TUxFieldType::Guid:
    return TFieldType::String;
  case TUxFieldType::SmallInt:
  case TUxFieldType::Word:
    return TFieldType::SmallInt;
  case TUxFieldType::Integer:
  case TUxFieldType::AutoInc:
    return TFieldType::Integer;
  case TUxFieldType::LargeInt:
    return TFieldType::LargeInt;
  case TUxFieldType::Boolean:
    return TFieldType::Boolean;
  case TUxFieldType::Float:
  case TUxFieldType::BCD:
    return TFieldType::Float;
  case TUxFieldType::Currency:
    return TFieldType::Currency;
  case TUxFieldType::Date:
    return TFieldType::Date;
  case TUxFieldType::Time:
    return TFieldType::Time;
  case TUxFieldType::DateTime:
    return TFieldType::DateTime;
  case TUxFieldType::Memo:
  case TUxFieldType::FmtMemo:
  case TUxFieldType::OraClob:
    return TFieldType::Memo;
  case TUxFieldType::Bytes:
  case TUxFieldType::VarBytes:
  case TUxFieldType::Blob:
  case TUxFieldType::Graphic:
  case TUxFieldType::ParadoxOle:
  case TUxFieldType::DBaseOle:
  case TUxFieldType::TypedBinary:
  case TUxFieldType::OraBlob:
    return TFieldType::Blob;
  default:
    return TFieldType::Unknown; // ADT, variant: the value is kept as given
  }
}

namespace {

TUxFieldType FromFieldType(TFieldType type) {
  switch (type) {
  case TFieldType::String:
    return TUxFieldType::String;
  case TFieldType::SmallInt:
    return TUxFieldType::SmallInt;
  case TFieldType::Integer:
    return TUxFieldType::Integer;
  case TFieldType::LargeInt:
    return TUxFieldType::LargeInt;
  case TFieldType::Float:
    return TUxFieldType::Float;
  case TFieldType::Currency:
    return TUxFieldType::Currency;
  case TFieldType::Boolean:
    return TUxFieldType::Boolean;
  case TFieldType::Date:
    return TUxFieldType::Date;
  case TFieldType::Time:
    return TUxFieldType::Time;
  case TFieldType::DateTime:
    return TUxFieldType::DateTime;
  case TFieldType::Memo:
    return TUxFieldType::Memo;
  case TFieldType::Blob:
    return TUxFieldType::Blob;
  case TFieldType::Unknown:
    return TUxFieldType::Variant;
  }
  return TUxFieldType::Variant;
}

bool IsNullValue(const QVariant& v) { return !v.isValid() || v.isNull(); }

// A comparison of the key's text with the field's, as Locate makes it.
bool TextMatches(QString have, const QString& want, TLocateOptions options) {
  if (options & loPartialKey) have.truncate(want.size());
  if (options & loCaseInsensitive) return QString::localeAwareCompare(have.toUpper(), want.toUpper()) == 0;
  return have == want;
}

// The structure of a data set as definitions: its own ones for an in-memory
// data set, else derived from its fields.
QList<TUxFieldDef> StructureOf(const TDataSet& source) {
  if (const auto* memory = qobject_cast<const TUxMemoryData*>(&source)) return memory->FieldDefs();
  QList<TUxFieldDef> defs;
  for (const auto& field : source.Fields()) {
    TUxFieldDef def;
    def.Name = field->FieldName();
    def.DataType = FromFieldType(field->DataType());
    def.Size = field->Size();
    def.Required = field->Def().Required;
    defs << def;
  }
  return defs;
}

bool IsAutoIncField(const TDataSet& dataSet, const TField& field) {
  const auto* memory = qobject_cast<const TUxMemoryData*>(&dataSet);
  return memory && memory->FieldDefOf(field).DataType == TUxFieldType::AutoInc;
}

} // namespace

TUxMemoryData::TUxMemoryData(QObject* parent) : TDataSet(parent) {}

TUxMemoryData::~TUxMemoryData() = default;

void TUxMemoryData::RequireInactive() const {
  if (Active()) throw EDataSetError(QStringLiteral("Operáciu nemožno vykonať nad otvoreným dátovým zdrojom."));
}

void TUxMemoryData::ClearFieldDefs() {
  RequireInactive();
  defs_.clear();
}

void TUxMemoryData::AddFieldDef(const TUxFieldDef& def) {
  RequireInactive();
  defs_ << def;
}

const TUxFieldDef& TUxMemoryData::FieldDefOf(const TField& field) const {
  return defs_[fieldDefIndex_.at(field.Index())];
}

void TUxMemoryData::DoOpen(QList<TFieldDef>& defs) {
  fieldDefIndex_.clear();
  for (int i = 0; i < defs_.size(); ++i) {
    const TUxFieldDef& def = defs_[i];
    if (!UxFieldTypeStorable(def.DataType)) continue;
    defs << TFieldDef{def.Name, ToFieldType(def.DataType), def.Size, 0, def.Required};
    fieldDefIndex_ << i;
  }
  records_.clear();
  records_.reserve(size_t(std::max(capacity_, 0)));
}

void TUxMemoryData::DoClose() {
  records_.clear();
  fieldDefIndex_.clear();
}

int TUxMemoryData::DoRecordCount() const { return int(records_.size()); }

QVariant TUxMemoryData::DoValue(int row, int fieldIndex) const {
  return records_[size_t(row)].Values.value(fieldIndex);
}

int TUxMemoryData::DoPost(int row, const QVariantList& values) {
  if (row < 0) {
    records_.push_back({nextRecordId_++, values});
    return int(records_.size()) - 1;
  }
  records_[size_t(row)].Values = values;
  return row;
}

void TUxMemoryData::DoDelete(int row) { records_.erase(records_.begin() + row); }

qint64 TUxMemoryData::CurrentRecordId() const {
  const int row = CurrentRow();
  return Active() && row >= 0 && row < DoRecordCount() ? records_[size_t(row)].Id : 0;
}

int TUxMemoryData::RowOfRecordId(qint64 id) const {
  for (size_t i = 0; i < records_.size(); ++i)
    if (records_[i].Id == id) return int(i);
  return -1;
}

void TUxMemoryData::SetRecNo(int recNo) {
  if (recNo >= 1 && recNo <= RecordCount()) TDataSet::SetRecNo(recNo);
}

bool TUxMemoryData::RecordMatches(int row, const QList<const TField*>& fields, const QVariantList& values,
                                  TLocateOptions options) const {
  for (int i = 0; i < fields.size(); ++i) {
    const TField& field = *fields[i];
    const QVariant have = DoValue(row, field.Index());
    const QVariant want = values.value(i);
    if (IsNullValue(want) || IsNullValue(have)) {
      if (IsNullValue(want) != IsNullValue(have)) return false;
      continue;
    }
    const bool text = field.DataType() == TFieldType::String || field.DataType() == TFieldType::Memo;
    if (text) {
      if (!TextMatches(have.toString(), want.toString(), options)) return false;
      continue;
    }
    QVariant key;
    try {
      key = CoerceToFieldType(want, field.DataType());
    } catch (const EDataSetError&) {
      return false; // a key the field's type cannot hold matches no record
    }
    if (QVariant::compare(have, key) != QPartialOrdering::Equivalent) return false;
  }
  return true;
}

bool TUxMemoryData::Locate(const QString& keyFields, const QVariantList& keyValues, TLocateOptions options) {
  if (State() == TDataSetState::Edit || State() == TDataSetState::Insert) Post();
  if (!Active()) throw EDataSetError(QStringLiteral("Operáciu nemožno vykonať nad zatvoreným dátovým zdrojom."));
  QList<const TField*> fields;
  for (const QString& name : keyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
    fields << &FieldByName(name.trimmed());
  if (IsEmpty()) return false;
  if (RecordMatches(CurrentRow(), fields, keyValues, options)) return true;
  for (int row = 0; row < DoRecordCount(); ++row) {
    if (RecordMatches(row, fields, keyValues, options)) {
      GotoBookmark(row); // makes it current and tells the attached views
      return true;
    }
  }
  return false;
}

void TUxMemoryData::TakeStructureFrom(TDataSet& source, bool autoIncAsInteger) {
  RequireInactive();
  const bool sourceWasOpen = source.Active();
  if (!sourceWasOpen && !qobject_cast<TUxMemoryData*>(&source)) source.Open(); // a query knows its columns once open
  QList<TUxFieldDef> defs;
  for (TUxFieldDef def : StructureOf(source)) {
    if (!UxFieldTypeStorable(def.DataType)) continue;
    if (autoIncAsInteger && def.DataType == TUxFieldType::AutoInc) def.DataType = TUxFieldType::Integer;
    defs << def;
  }
  if (!sourceWasOpen) source.Close();
  defs_ = defs;
}

int TUxMemoryData::LoadRowsFromDataSet(TDataSet& source, int count, int mode) {
  if (&source == this) return 0;
  const bool sourceWasOpen = source.Active();
  const TBookmark sourcePosition = source.GetBookmark();
  const qint64 ownRecord = CurrentRecordId();
  source.DisableControls();
  DisableControls();
  int copied = 0;
  try {
    source.Open();
    if (source.State() != TDataSetState::Browse) source.Post();
    if (mode == 0) {
      Close();
      TakeStructureFrom(source, false);
    }
    if (!Active()) Open();
    if (count <= 0) source.First();
    bool hasAutoInc = false;
    for (const auto& field : Fields())
      hasAutoInc = hasAutoInc || FieldDefOf(*field).DataType == TUxFieldType::AutoInc;
    while (!source.Eof() && !source.IsEmpty() && (count <= 0 || copied < count)) {
      Append();
      for (const auto& sourceField : source.Fields()) {
        TField* own = FindField(sourceField->FieldName());
        if (!own) continue;
        own->SetValue(sourceField->AsVariant());
        if (hasAutoInc && IsAutoIncField(*this, *own) && IsAutoIncField(source, *sourceField) && !own->IsNull())
          maxAutoInc_ = std::max(maxAutoInc_, own->AsLargeInt());
      }
      Post();
      ++copied;
      if (source.MoveBy(1) == 0) break;
    }
    First();
    const int row = RowOfRecordId(ownRecord);
    if (row >= 0) GotoBookmark(row);
    if (sourceWasOpen && source.BookmarkValid(sourcePosition)) source.GotoBookmark(sourcePosition);
    if (!sourceWasOpen) source.Close();
  } catch (...) {
    Cancel();
    source.EnableControls();
    EnableControls();
    throw;
  }
  source.EnableControls();
  EnableControls();
  return copied;
}
