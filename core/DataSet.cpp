#include "core/DataSet.h"
#include "core/Exception.h"
#include <QtCore/QLocale>
#include <cmath>

namespace {

QLocale NumberLocale() {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale;
}

bool IsNullVariant(const QVariant& v) { return !v.isValid() || v.isNull(); }

[[noreturn]] void ConversionError(const QVariant& v, const char* target) {
  throw EDataSetError(QStringLiteral("Hodnotu „%1“ nemožno previesť na %2.").arg(v.toString(), QLatin1String(target)));
}

double ParseNumber(const QString& text, bool* ok) {
  double value = NumberLocale().toDouble(text.trimmed(), ok);
  if (!*ok) value = text.trimmed().toDouble(ok);
  return value;
}

} // namespace

// ---- TField ------------------------------------------------------------

QVariant TField::AsVariant() const { return dataSet_->FieldValue(index_); }

bool TField::IsNull() const { return IsNullVariant(AsVariant()); }

QString TField::AsString() const { return VariantText(AsVariant()); }

qint64 TField::AsLargeInt() const {
  const QVariant v = AsVariant();
  if (IsNullVariant(v)) return 0;
  switch (v.typeId()) {
  case QMetaType::Double:
  case QMetaType::Float:
    return std::llround(v.toDouble());
  case QMetaType::Bool:
    return v.toBool() ? 1 : 0;
  case QMetaType::QString: {
    bool ok = false;
    const qint64 n = v.toString().trimmed().toLongLong(&ok);
    if (!ok) ConversionError(v, "celé číslo");
    return n;
  }
  default: {
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (!ok) ConversionError(v, "celé číslo");
    return n;
  }
  }
}

int TField::AsInteger() const {
  const qint64 n = AsLargeInt();
  if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
    ConversionError(AsVariant(), "32-bitové celé číslo");
  return int(n);
}

double TField::AsFloat() const {
  const QVariant v = AsVariant();
  if (IsNullVariant(v)) return 0.0;
  switch (v.typeId()) {
  case QMetaType::QDate:
  case QMetaType::QTime:
  case QMetaType::QDateTime:
    return AsDateTime();
  case QMetaType::QString: {
    bool ok = false;
    const double d = ParseNumber(v.toString(), &ok);
    if (!ok) ConversionError(v, "číslo");
    return d;
  }
  default: {
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok) ConversionError(v, "číslo");
    return d;
  }
  }
}

TDateTime TField::AsDateTime() const {
  const QVariant v = AsVariant();
  if (IsNullVariant(v)) return 0.0;
  switch (v.typeId()) {
  case QMetaType::QDate:
    return DateTime::FromDate(v.toDate());
  case QMetaType::QTime:
    return DateTime::FromTime(v.toTime());
  case QMetaType::QDateTime:
    return DateTime::FromDateTime(v.toDateTime());
  case QMetaType::QString: {
    const QString s = v.toString().trimmed();
    for (const char* format : {"dd.MM.yyyy hh:mm:ss", "dd.MM.yyyy hh:mm", "d.M.yyyy", "dd.MM.yyyy"}) {
      const QDateTime dt = QDateTime::fromString(s, QLatin1String(format));
      if (dt.isValid()) return DateTime::FromDateTime(dt);
    }
    ConversionError(v, "dátum");
  }
  default: {
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok) ConversionError(v, "dátum");
    return d;
  }
  }
}

bool TField::AsBoolean() const {
  const QVariant v = AsVariant();
  if (IsNullVariant(v)) return false;
  if (v.typeId() == QMetaType::QString) {
    const QString s = v.toString().trimmed().toUpper();
    if (s == QLatin1String("TRUE") || s == QLatin1String("T") || s == QLatin1String("Y") || s == QLatin1String("1"))
      return true;
    if (s == QLatin1String("FALSE") || s == QLatin1String("F") || s == QLatin1String("N") || s == QLatin1String("0") ||
        s.isEmpty())
      return false;
    ConversionError(v, "logickú hodnotu");
  }
  if (v.typeId() == QMetaType::Bool) return v.toBool();
  return v.toDouble() != 0.0;
}

void TField::SetValue(const QVariant& value) { dataSet_->SetFieldValue(index_, value); }

// ---- TDataSet ----------------------------------------------------------

TDataSet::TDataSet(QObject* parent) : QObject(parent) {}

TDataSet::~TDataSet() = default;

void TDataSet::Open() {
  if (Active()) return;
  QList<TFieldDef> defs;
  DoOpen(defs);
  fields_.clear();
  fieldsByName_.clear();
  for (int i = 0; i < defs.size(); ++i)
    fields_.push_back(std::make_unique<TField>(this, i, defs[i]));
  state_ = TDataSetState::Browse;
  row_ = DoRecordCount() > 0 ? 0 : -1;
  bof_ = true;
  eof_ = row_ < 0;
  NotifyChanged();
}

void TDataSet::Close() {
  if (!Active()) return;
  DoClose();
  state_ = TDataSetState::Inactive;
  fields_.clear();
  fieldsByName_.clear();
  editBuffer_.clear();
  row_ = -1;
  bof_ = eof_ = true;
  NotifyChanged();
}

void TDataSet::RequireActive() const {
  if (!Active()) throw EDataSetError(QStringLiteral("Operáciu nemožno vykonať nad zatvoreným dátovým zdrojom."));
}

void TDataSet::RequireBrowse(const char* operation) const {
  RequireActive();
  if (state_ != TDataSetState::Browse)
    throw EDataSetError(
        QStringLiteral("Operáciu %1 nemožno vykonať počas úprav záznamu.").arg(QLatin1String(operation)));
}

int TDataSet::RecordCount() const { return Active() ? DoRecordCount() : 0; }

void TDataSet::SetCurrentRow(int row) {
  const int count = DoRecordCount();
  row_ = count == 0 ? -1 : std::clamp(row, 0, count - 1);
  bof_ = eof_ = count == 0;
}

void TDataSet::First() {
  RequireBrowse("First");
  SetCurrentRow(0);
  bof_ = true;
  NotifyScrolled();
}

void TDataSet::Last() {
  RequireBrowse("Last");
  SetCurrentRow(DoRecordCount() - 1);
  eof_ = true;
  NotifyScrolled();
}

void TDataSet::Next() { MoveBy(1); }
void TDataSet::Prior() { MoveBy(-1); }

int TDataSet::MoveBy(int distance) {
  RequireBrowse("MoveBy");
  const int count = DoRecordCount();
  if (count == 0) {
    bof_ = eof_ = true;
    return 0;
  }
  const int target = std::clamp(row_ + distance, 0, count - 1);
  const int moved = target - row_;
  row_ = target;
  eof_ = distance > 0 && moved < distance;
  bof_ = distance < 0 && moved > distance;
  if (moved != 0) NotifyScrolled();
  return moved;
}

int TDataSet::RecNo() const { return Active() ? row_ + 1 : 0; }

void TDataSet::SetRecNo(int recNo) {
  RequireBrowse("RecNo");
  SetCurrentRow(recNo - 1);
  NotifyScrolled();
}

QStringList TDataSet::FieldNames() const {
  QStringList names;
  for (const auto& f : fields_)
    names << f->FieldName();
  return names;
}

TField* TDataSet::FindField(const QString& name) const {
  if (const auto known = fieldsByName_.constFind(name); known != fieldsByName_.cend()) return known.value();
  TField* found = nullptr;
  for (const auto& f : fields_)
    if (f->FieldName().compare(name, Qt::CaseInsensitive) == 0) {
      found = f.get();
      break;
    }
  fieldsByName_.insert(name, found);
  return found;
}

TField& TDataSet::FieldByName(const QString& name) const {
  if (TField* f = FindField(name)) return *f;
  throw EDataSetError(QStringLiteral("Pole „%1“ neexistuje.").arg(name));
}

TField& TDataSet::FieldByNumber(int index) const {
  if (index < 0 || index >= FieldCount())
    throw EDataSetError(QStringLiteral("Pole číslo %1 neexistuje.").arg(index + 1));
  return *fields_[index];
}

QVariant TDataSet::FieldValue(int fieldIndex) const {
  if (state_ == TDataSetState::Edit || state_ == TDataSetState::Insert) return editBuffer_.value(fieldIndex);
  if (!Active() || row_ < 0 || fieldIndex < 0 || fieldIndex >= FieldCount()) return {};
  return DoValue(row_, fieldIndex);
}

QVariant TDataSet::ValueAt(int row, int fieldIndex) const {
  if (!Active() || row < 0 || row >= DoRecordCount() || fieldIndex < 0 || fieldIndex >= FieldCount()) return {};
  if ((state_ == TDataSetState::Edit && row == editRow_)) return editBuffer_.value(fieldIndex);
  return DoValue(row, fieldIndex);
}

bool TDataSet::RowMatches(int row, const QList<int>& fieldIndexes, const QVariantList& values,
                          TLocateOptions options) const {
  for (int i = 0; i < fieldIndexes.size(); ++i) {
    const QVariant have = DoValue(row, fieldIndexes[i]);
    const QVariant want = values.value(i);
    const bool haveNull = IsNullVariant(have), wantNull = IsNullVariant(want);
    if (haveNull || wantNull) {
      if (haveNull != wantNull) return false;
      continue;
    }
    const bool asText = (options & (loCaseInsensitive | loPartialKey)) || want.typeId() == QMetaType::QString ||
                        have.typeId() == QMetaType::QString;
    if (asText) {
      const Qt::CaseSensitivity cs = (options & loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
      const QString h = have.toString(), w = want.toString();
      if (options & loPartialKey ? !h.startsWith(w, cs) : h.compare(w, cs) != 0) return false;
    } else if (QVariant::compare(have, want) != QPartialOrdering::Equivalent) {
      return false;
    }
  }
  return true;
}

bool TDataSet::Locate(const QString& keyFields, const QVariantList& keyValues, TLocateOptions options) {
  RequireBrowse("Locate");
  QList<int> indexes;
  for (const QString& name : keyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
    indexes << FieldByName(name.trimmed()).Index();
  const int count = DoRecordCount();
  for (int row = 0; row < count; ++row) {
    if (RowMatches(row, indexes, keyValues, options)) {
      row_ = row;
      bof_ = eof_ = false;
      NotifyScrolled();
      return true;
    }
  }
  return false;
}

TBookmark TDataSet::GetBookmark() const { return Active() ? row_ : -1; }

bool TDataSet::BookmarkValid(TBookmark bookmark) const {
  return Active() && bookmark >= 0 && bookmark < DoRecordCount();
}

void TDataSet::GotoBookmark(TBookmark bookmark) {
  RequireBrowse("GotoBookmark");
  if (!BookmarkValid(bookmark)) throw EDataSetError(QStringLiteral("Záložka neukazuje na existujúci záznam."));
  row_ = int(bookmark);
  bof_ = eof_ = false;
  NotifyScrolled();
}

void TDataSet::DisableControls() { ++disableCount_; }

void TDataSet::EnableControls() {
  if (disableCount_ > 0 && --disableCount_ == 0 && pendingChange_) {
    pendingChange_ = false;
    emit DataSetChanged();
  }
}

void TDataSet::NotifyChanged() {
  if (disableCount_ > 0) {
    pendingChange_ = true;
    return;
  }
  emit DataSetChanged();
}

void TDataSet::NotifyScrolled() {
  if (disableCount_ > 0) {
    pendingChange_ = true;
    return;
  }
  emit Scrolled();
}

void TDataSet::RecordsReplaced() {
  if (!Active()) return;
  SetCurrentRow(row_ < 0 ? 0 : row_);
  NotifyChanged();
}

void TDataSet::Edit() {
  RequireActive();
  if (state_ != TDataSetState::Browse) return;
  if (!CanModify()) throw EDataSetError(QStringLiteral("Dátový zdroj je len na čítanie."));
  if (row_ < 0) {
    Append();
    return;
  }
  DoEdit(row_);
  editBuffer_.clear();
  for (int i = 0; i < FieldCount(); ++i)
    editBuffer_ << DoValue(row_, i);
  editRow_ = row_;
  state_ = TDataSetState::Edit;
}

void TDataSet::Append() {
  RequireBrowse("Append");
  if (!CanModify()) throw EDataSetError(QStringLiteral("Dátový zdroj je len na čítanie."));
  DoEdit(-1);
  editBuffer_ = QVariantList(FieldCount());
  editRow_ = -1;
  state_ = TDataSetState::Insert;
}

void TDataSet::SetFieldValue(int fieldIndex, const QVariant& value) {
  if (state_ != TDataSetState::Edit && state_ != TDataSetState::Insert)
    throw EDataSetError(QStringLiteral("Záznam nie je v režime úprav."));
  editBuffer_[fieldIndex] = CoerceToFieldType(value, fields_[fieldIndex]->DataType());
}

void TDataSet::Post() {
  if (state_ != TDataSetState::Edit && state_ != TDataSetState::Insert) return;
  const bool inserting = state_ == TDataSetState::Insert;
  const int row = DoPost(inserting ? -1 : editRow_, editBuffer_);
  state_ = TDataSetState::Browse;
  editBuffer_.clear();
  SetCurrentRow(row);
  if (inserting) {
    NotifyChanged();
  } else if (disableCount_ > 0) {
    pendingChange_ = true;
  } else {
    emit RecordChanged(row);
  }
}

void TDataSet::Cancel() {
  if (state_ == TDataSetState::Edit || state_ == TDataSetState::Insert) {
    const int row = state_ == TDataSetState::Edit ? editRow_ : -1;
    state_ = TDataSetState::Browse;
    editBuffer_.clear();
    DoCancel(row);
  }
}

void TDataSet::Delete() {
  RequireBrowse("Delete");
  if (!CanModify()) throw EDataSetError(QStringLiteral("Dátový zdroj je len na čítanie."));
  if (row_ < 0) throw EDataSetError(QStringLiteral("Nie je čo zmazať: dátový zdroj je prázdny."));
  DoDelete(row_);
  SetCurrentRow(row_);
  NotifyChanged();
}

int TDataSet::DoPost(int, const QVariantList&) {
  throw EDataSetError(QStringLiteral("Dátový zdroj je len na čítanie."));
}

void TDataSet::DoDelete(int) { throw EDataSetError(QStringLiteral("Dátový zdroj je len na čítanie.")); }

QVariant CoerceToFieldType(const QVariant& value, TFieldType type) {
  if (IsNullVariant(value)) return {};
  const QVariant& v = value;
  // A value of the field's type is copied once, into the result.
  auto convert = [&](QMetaType::Type target) {
    if (v.typeId() == target) return v;
    // Whole numbers into number fields, the common case, without the general conversion.
    if (target == QMetaType::Double && v.typeId() == QMetaType::Int) return QVariant(double(v.value<int>()));
    if (target == QMetaType::Double && v.typeId() == QMetaType::LongLong) return QVariant(double(v.value<qint64>()));
    QVariant copy = v;
    if (!copy.convert(QMetaType(target))) ConversionError(v, "typ poľa");
    return copy;
  };
  switch (type) {
  case TFieldType::String:
  case TFieldType::Memo:
    return convert(QMetaType::QString);
  case TFieldType::SmallInt:
  case TFieldType::Integer:
    return convert(QMetaType::Int);
  case TFieldType::LargeInt:
    return convert(QMetaType::LongLong);
  case TFieldType::Float:
  case TFieldType::Currency:
    return convert(QMetaType::Double);
  case TFieldType::Boolean:
    return convert(QMetaType::Bool);
  case TFieldType::Date:
    if (v.typeId() == QMetaType::Double) return DateTime::ToDate(v.toDouble());
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date();
    return convert(QMetaType::QDate);
  case TFieldType::Time:
    if (v.typeId() == QMetaType::Double) return DateTime::ToTime(v.toDouble());
    return convert(QMetaType::QTime);
  case TFieldType::DateTime:
    if (v.typeId() == QMetaType::Double) return DateTime::ToDateTime(v.toDouble());
    if (v.typeId() == QMetaType::QDate) return QDateTime(v.toDate(), QTime(0, 0));
    return convert(QMetaType::QDateTime);
  case TFieldType::Blob:
    return convert(QMetaType::QByteArray);
  case TFieldType::Unknown:
    return v;
  }
  return v;
}

QString VariantText(const QVariant& v) {
  if (IsNullVariant(v)) return {};
  switch (v.typeId()) {
  case QMetaType::QDate:
    return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
  case QMetaType::QTime:
    return v.toTime().toString(QStringLiteral("hh:mm:ss"));
  case QMetaType::QDateTime: {
    // From its date and time: a stored time in the hour that the local zone
    // skips in spring is not a valid local time, and QDateTime would print nothing.
    const QDateTime dt = v.toDateTime();
    const QString date = dt.date().toString(QStringLiteral("dd.MM.yyyy"));
    return dt.time() == QTime(0, 0) ? date : date + dt.time().toString(QStringLiteral(" hh:mm:ss"));
  }
  case QMetaType::Double:
  case QMetaType::Float:
    return NumberLocale().toString(v.toDouble(), 'f', QLocale::FloatingPointShortest);
  case QMetaType::Bool:
    return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
  default:
    return v.toString();
  }
}
