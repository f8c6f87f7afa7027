#include "reports/objects/rpCross.h"
#include "core/DataSet.h"
#include "core/DateTime.h"
#include <QtCore/QDateTime>
#include <QtCore/QLocale>

namespace {

const QLatin1String kTotalMark("+;+");

bool IsTextVariant(const QVariant& value) {
  return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray ||
         value.typeId() == QMetaType::QChar;
}

bool IsIntegralVariant(const QVariant& value) {
  switch (value.typeId()) {
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::LongLong:
  case QMetaType::ULongLong:
  case QMetaType::Short:
  case QMetaType::UShort:
    return true;
  default:
    return false;
  }
}

// An Int or LongLong value, read without conversion.
bool WholeNumber(const QVariant& value, qlonglong& number) {
  switch (value.typeId()) {
  case QMetaType::LongLong:
    number = *static_cast<const qlonglong*>(value.constData());
    return true;
  case QMetaType::Int:
    number = *static_cast<const int*>(value.constData());
    return true;
  default:
    return false;
  }
}

// A value as a real number: dates as day numbers, booleans -1 and 0.
double CrossNumber(const QVariant& value) {
  switch (value.typeId()) {
  case QMetaType::QDate:
    return DateTime::FromDate(value.toDate());
  case QMetaType::QDateTime:
    return DateTime::FromDateTime(value.toDateTime());
  case QMetaType::QTime:
    return DateTime::FromTime(value.toTime());
  case QMetaType::Bool:
    return value.toBool() ? -1 : 0;
  default:
    return value.toDouble();
  }
}

bool CrossLess(const QVariant& a, const QVariant& b) {
  if (IsTextVariant(a) && IsTextVariant(b)) return a.toString() < b.toString();
  return CrossNumber(a) < CrossNumber(b);
}

// A number of a key: six decimals with the locale's separator, blanks ahead to 32 characters.
QString NumberKeyPart(double value) {
  QString text = QString::asprintf("%2.6f", value);
  text.replace(QLatin1Char('.'), QLocale().decimalPoint());
  return text.rightJustified(32, QLatin1Char(' '));
}

QString OneCharKey(int code) { return QString(QChar(char16_t(code))); }

} // namespace

QVariant rpCrossAdd(const QVariant& sum, const QVariant& value) {
  if (value.isNull()) return sum; // a Null adds nothing
  if (sum.isNull()) return value;
  // The common cases first: whole numbers, and reals of the same kind.
  qlonglong wholeSum = 0, wholeValue = 0;
  if (WholeNumber(sum, wholeSum) && WholeNumber(value, wholeValue)) return QVariant(wholeSum + wholeValue);
  if (sum.typeId() == QMetaType::Double && value.typeId() == QMetaType::Double)
    return QVariant(*static_cast<const double*>(sum.constData()) + *static_cast<const double*>(value.constData()));
  if (IsTextVariant(sum) && IsTextVariant(value)) return QString(sum.toString() + value.toString());
  if (IsIntegralVariant(sum) && IsIntegralVariant(value)) return QVariant(sum.toLongLong() + value.toLongLong());
  return CrossNumber(sum) + CrossNumber(value);
}

TrpCrossField::TrpCrossField(const QString& definition) {
  const qsizetype plus = definition.indexOf(QLatin1Char('+'));
  Name = plus < 0 ? definition : definition.left(plus);
  HasFunction = plus >= 0;
  if (HasFunction) {
    Function = definition.mid(plus + 1, 255).toLower();
    if (Function.isEmpty()) Function = QStringLiteral("sum");
  }
}

QList<TrpCrossField> rpCrossFields(const QString& text) {
  QList<TrpCrossField> fields;
  if (text.isEmpty()) return fields;
  QStringList parts = text.split(QLatin1Char(';'));
  if (parts.last().isEmpty()) parts.removeLast();
  for (const QString& part : parts)
    fields.append(TrpCrossField(part));
  return fields;
}

// The running aggregate of one grouping level while totals are computed.
class TrpCross::TGroupItem {
public:
  TGroupItem(const TrpCross& cross, int level) : Level(level) {
    Values.resize(cross.CellCount);
    Counts.assign(cross.CellCount, 0);
    for (const TrpCrossField& field : cross.CellFields) {
      const QString& f = field.Function;
      kinds_.push_back(!field.HasFunction                                         ? kNone
                       : f == QLatin1String("sum") || f == QLatin1String("count") ? kSum
                       : f == QLatin1String("min")                                ? kMin
                       : f == QLatin1String("max")                                ? kMax
                       : f == QLatin1String("avg")                                ? kAverage
                                                                                  : kNone);
    }
  }

  void Restart(const QStringList& keyParts, int start) {
    StartIndex = start;
    KeyParts = keyParts;
    std::fill(Counts.begin(), Counts.end(), 0);
    for (size_t k = 0; k < kinds_.size(); ++k)
      Values[k] = kinds_[k] == kMin || kinds_[k] == kMax ? QVariant() : QVariant(0);
  }

  bool BreaksAt(const QStringList& parts) const {
    return Level < KeyParts.size() && Level < parts.size() && parts[Level] != KeyParts[Level];
  }

  // Folds the values of a cell (slot k at index k + 1); nothing without a cell.
  void Fold(const TCell* cell) {
    if (!cell) return;
    for (size_t k = 0; k < kinds_.size(); ++k) {
      const QVariant& value = (*cell)[qsizetype(k) + 1];
      if (kinds_[k] == kNone || value.isNull()) continue;
      switch (kinds_[k]) {
      case kSum:
        Values[k] = rpCrossAdd(Values[k], value);
        break;
      case kMin:
        if (Values[k].isNull() || CrossLess(value, Values[k])) Values[k] = value;
        break;
      case kMax:
        if (Values[k].isNull() || CrossLess(Values[k], value)) Values[k] = value;
        break;
      case kAverage:
        Values[k] = rpCrossAdd(Values[k], value);
        ++Counts[k];
        break;
      case kNone:
        break;
      }
    }
  }

  void FinishAverages() {
    for (size_t k = 0; k < kinds_.size(); ++k)
      if (kinds_[k] == kAverage) Values[k] = Counts[k] != 0 ? QVariant(CrossNumber(Values[k]) / Counts[k]) : QVariant();
  }

  QList<QVariant> Values;
  std::vector<int> Counts; // values folded into averages
  QStringList KeyParts;    // of the key that started the current group
  int Level;               // the key part the item watches
  int StartIndex = 0;      // where the current group was restarted

private:
  enum TKind { kNone, kSum, kMin, kMax, kAverage }; // count sums its ones
  std::vector<TKind> kinds_;                        // per cell field
};

TrpCross::TrpCross(TDataSet* dataSet, QString rowFields, QString columnFields, const QString& cellFields)
    : DataSet(dataSet) {
  for (QString* text : {&rowFields, &columnFields})
    while (!text->isEmpty() && (text->endsWith(QLatin1Char('+')) || text->endsWith(QLatin1Char(';'))))
      text->chop(1);
  RowFields = rpCrossFields(rowFields);
  ColumnFields = rpCrossFields(columnFields);
  CellFields = rpCrossFields(cellFields);
  CellCount = int(CellFields.size());
}

void TrpCross::Build() {
  ReadRecords();
  if (CellCount == 0) Clear(); // no slot for the header texts: nothing to show
  if (Columns.Count() == 0) return;
  AddTotalKeys(true);
  AddTotalKeys(false);
  AddTotals(true);
  AddTotals(false);
  if (HasAverages()) AverageTotals();
  ClearStartPositions();
  BuildHeaderRows();
  BuildHeaderColumns();
}

void TrpCross::RecordKey(const QList<const TField*>& fields, std::array<QVariant, 32>& remembered, QString& key) {
  key.resize(0); // keeps its room for the next record
  for (int i = 0; i < fields.size(); ++i) {
    if (i > 0) key += QLatin1Char(';');
    const QVariant value = fields[i]->AsVariant();
    if (value.typeId() == QMetaType::QString) {
      key += *static_cast<const QString*>(value.constData());
      continue;
    }
    if (IsTextVariant(value)) {
      key += value.toString();
      continue;
    }
    if (!value.isNull() && i < int(remembered.size())) remembered[i] = value;
    const double number = value.isNull() ? 0 : CrossNumber(value);
    auto known = numberKeys_.constFind(number);
    if (known == numberKeys_.cend()) known = numberKeys_.insert(number, NumberKeyPart(number));
    key += *known;
  }
}

void TrpCross::ReadRecords() {
  DataSet->Open();
  const auto resolve = [this](const QList<TrpCrossField>& definitions) {
    QList<const TField*> fields;
    for (const TrpCrossField& field : definitions)
      fields.append(&DataSet->FieldByName(FieldOfAlias ? FieldOfAlias(field.Name) : field.Name));
    return fields;
  };
  const QList<const TField*> rowFields = resolve(RowFields);
  const QList<const TField*> columnFields = resolve(ColumnFields);
  const QList<const TField*> cellFields = resolve(CellFields);
  std::vector<bool> counted;
  for (const TrpCrossField& field : CellFields)
    counted.push_back(field.Function == QLatin1String("count"));
  QString rowKey, columnKey;
  for (DataSet->First(); !DataSet->Eof(); DataSet->Next()) {
    RecordKey(rowFields, RowFieldValues, rowKey);
    RecordKey(columnFields, ColumnFieldValues, columnKey);
    TCell& cell = CellByKeys(rowKey, columnKey);
    for (int i = 0; i < CellCount; ++i) {
      const TField& field = *cellFields[i];
      cell[i + 1] =
          rpCrossAdd(cell[i + 1], counted[i] ? QVariant(qlonglong(field.IsNull() ? 0 : 1)) : field.AsVariant());
    }
  }
}

void TrpCross::AddTotalKeys(bool columns) {
  TrpKeyList& list = columns ? Columns : Rows;
  QString previous = list.Key(0);
  for (int position = 0; position < list.Count(); ++position) {
    const QString key = list.Key(position);
    if (key != previous && !key.contains(QLatin1Char('+'))) {
      AddTotalKeysOfChange(columns, previous, key);
      previous = key;
    }
  }
  AddTotalKeysOfChange(columns, list.Key(list.Count() - 1), QString());
  const QString grand = list.Key(list.Count() - 1) + QLatin1Char('+');
  if (columns)
    SetCell(Rows.Key(0), grand, 0, 0);
  else
    SetCell(grand, Columns.Key(0), 0, 0);
}

void TrpCross::AddTotalKeysOfChange(bool columns, const QString& oldKey, const QString& newKey) {
  const QStringList oldParts = oldKey.split(QLatin1Char(';'));
  const QStringList newParts = newKey.split(QLatin1Char(';'));
  int first = 0;
  while (first < oldParts.size() && !newKey.isEmpty() && first < newParts.size() && newParts[first] == oldParts[first])
    ++first;
  const QList<TrpCrossField>& fields = columns ? ColumnFields : RowFields;
  for (int level = int(oldParts.size()) - 1; level >= first; --level) {
    if (level >= fields.size() || !fields[level].HasFunction) continue;
    const QString total = QStringList(oldParts.mid(0, level + 1)).join(QLatin1Char(';')) + kTotalMark;
    if (columns)
      SetCell(Rows.Key(0), total, 0, 0);
    else
      SetCell(total, Columns.Key(0), 0, 0);
  }
}

const TrpArray::TCell* TrpCross::WalkCell(bool alongColumns, int outer, int inner) const {
  return alongColumns ? CellAt(outer, inner) : CellAt(inner, outer);
}

void TrpCross::AddTotals(bool alongColumns) {
  const QList<TrpCrossField>& fields = alongColumns ? ColumnFields : RowFields;
  const TrpKeyList& outerList = alongColumns ? Rows : Columns;
  const TrpKeyList& innerList = alongColumns ? Columns : Rows;
  const int n = int(fields.size());
  std::vector<TGroupItem> items;
  items.emplace_back(*this, n); // never breaks: the grand total
  for (int level = 0; level < n; ++level)
    items.emplace_back(*this, level);
  const int last = innerList.Count() - 1;
  // The inner keys' parts and kinds, the same for every outer position.
  std::vector<QStringList> parts;
  std::vector<bool> totals;
  for (int inner = 0; inner <= last; ++inner) {
    parts.push_back(innerList.Key(inner).split(QLatin1Char(';')));
    totals.push_back(innerList.Key(inner).contains(kTotalMark));
  }
  for (int outer = 0; outer < outerList.Count(); ++outer) {
    for (TGroupItem& item : items)
      item.Restart(parts[0], 0);
    for (int inner = 0; inner <= last; ++inner) {
      const bool totalKey = totals[inner];
      for (int i = 0; i <= n; ++i) {
        TGroupItem& item = items[i];
        if (item.BreaksAt(parts[inner]) || (i == 0 && inner == last)) {
          BreakGroup(item, i, alongColumns, outer, inner, parts, totals);
          if (totalKey || inner == last) break; // total keys carry no data values
        }
        // A data key that restarted the item also counts in it, so every group sums all its cells.
        if (!totalKey) item.Fold(WalkCell(alongColumns, outer, inner));
      }
    }
  }
}

void TrpCross::BreakGroup(TGroupItem& item, int index, bool alongColumns, int outer, int inner,
                          const std::vector<QStringList>& parts, const std::vector<bool>& totals) {
  const QList<TrpCrossField>& fields = alongColumns ? ColumnFields : RowFields;
  const TrpKeyList& innerList = alongColumns ? Columns : Rows;
  if (index == 0 || fields[index - 1].HasFunction) {
    item.FinishAverages();
    if (alongColumns) {
      SetCellValues(outer, inner, item.Values);
      SetCellByIndex(0, inner, item.StartIndex, -1);
    } else {
      SetCellValues(inner, outer, item.Values);
      SetCellByIndex(inner, 0, item.StartIndex, -1);
    }
  }
  for (int next = inner; next < innerList.Count(); ++next)
    if (!totals[next]) {
      item.Restart(parts[next], inner);
      return;
    }
}

bool TrpCross::HasAverages() const {
  for (const TrpCrossField& field : CellFields)
    if (field.Function == QLatin1String("avg")) return true;
  return false;
}

void TrpCross::AverageTotals() {
  const int lastRow = Rows.Count() - 1, lastColumn = Columns.Count() - 1;
  std::vector<bool> totalRow, totalColumn;
  for (int r = 0; r <= lastRow; ++r)
    totalRow.push_back(IsTotalRow(r));
  for (int c = 0; c <= lastColumn; ++c)
    totalColumn.push_back(IsTotalColumn(c));
  std::vector<int> averaged;
  for (int k = 0; k < CellCount; ++k)
    if (CellFields[k].Function == QLatin1String("avg")) averaged.push_back(k);
  for (int i = 0; i <= lastRow; ++i) {
    if (!totalRow[i] && i != lastRow) continue;
    for (int j = 0; j <= lastColumn; ++j) {
      if (!totalColumn[j] && j != lastColumn) continue;
      std::vector<double> sums(CellCount, 0);
      std::vector<int> counts(CellCount, 0);
      const int firstRow = GetCellByIndex(i, 0, -1).toInt();
      const int firstColumn = GetCellByIndex(0, j, -1).toInt();
      for (int r = firstRow; r < i; ++r) {
        if (totalRow[r]) continue;
        for (int c = firstColumn; c < j; ++c) {
          const TCell* cell = totalColumn[c] ? nullptr : CellAt(r, c);
          if (!cell) continue;
          for (int k : averaged)
            if (const QVariant& value = (*cell)[k + 1]; !value.isNull()) {
              sums[k] += CrossNumber(value);
              ++counts[k];
            }
        }
      }
      for (int k : averaged)
        SetCellByIndex(i, j, counts[k] != 0 ? QVariant(sums[k] / counts[k]) : QVariant(), k);
    }
  }
}

void TrpCross::ClearStartPositions() {
  for (int row = 0; row < Rows.Count(); ++row)
    if (CellAt(row, 0)) SetCellByIndex(row, 0, QVariant(), -1);
  for (int column = 0; column < Columns.Count(); ++column)
    if (CellAt(0, column)) SetCellByIndex(0, column, QVariant(), -1);
}

// --- header layout

QVariant TrpCross::DisplayValue(const QString& part, const QVariant& remembered) {
  const QString trimmed = part.trimmed();
  switch (remembered.typeId()) {
  case QMetaType::QDate:
  case QMetaType::QDateTime:
  case QMetaType::QTime:
    return QVariant(DateTime::ToDateTime(QLocale().toDouble(trimmed)));
  case QMetaType::UnknownType:
  case QMetaType::QString:
  case QMetaType::QByteArray:
  case QMetaType::QChar:
    return trimmed;
  default: {
    QString text = QString::number(QLocale().toDouble(trimmed), 'g', 15);
    return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
  }
  }
}

void TrpCross::AddFrame(int row, int column, int bits) {
  SetFrame(row, column, GetCellByIndex(row, column, -1).toInt() | bits);
}

void TrpCross::SetHeader(int row, int column, const QVariant& text, int bits) {
  SetCellByIndex(row, column, text, 0);
  SetFrame(row, column, bits);
}

void TrpCross::BuildHeaderRows() {
  const int nc = int(Columns.Key(0).count(QLatin1Char(';'))) + 1;
  ColumnHeaderCount = nc;
  for (int k = 0; k <= nc; ++k)
    SetCell(OneCharKey(k), Columns.Key(0), QString(), 0);
  const int lastColumn = Columns.Count() - 1;
  for (int column = 0; column <= lastColumn; ++column)
    SetFrame(0, column, 10);
  SetHeader(0, 0, ColumnFieldsCaption, 14);
  SetFrame(0, lastColumn, 9);
  for (int row = 1; row <= nc; ++row)
    SetFrame(row, lastColumn, 5);
  SetHeader(1, lastColumn, GrandColumnTotalCaption, 13);
  QStringList previous;
  for (int column = 0; column < lastColumn; ++column) {
    const QString& key = Columns.Key(column);
    const QStringList parts = key.split(QLatin1Char(';'));
    if (IsTotalColumn(column)) {
      const int level = int(key.count(QLatin1Char(';')));
      for (int row = 1; row < level; ++row)
        SetFrame(row, column, 8);
      SetHeader(level, column, ColumnTotalCaption, 13);
      for (int row = level + 1; row <= nc; ++row)
        SetFrame(row, column, 5);
    } else {
      bool shared = true;
      for (int k = 0; k < nc; ++k) {
        shared = shared && k < previous.size() && k < parts.size() && parts[k] == previous[k];
        if (shared)
          SetFrame(k + 1, column, 8);
        else
          SetHeader(k + 1, column, DisplayValue(parts.value(k), ColumnFieldValues[k]), 13);
      }
    }
    previous = parts;
  }
}

void TrpCross::BuildHeaderColumns() {
  const int nc = ColumnHeaderCount;
  const int d = ShowCellCaptions ? 1 : 0;
  const int m = int(Rows.Key(nc + 1).count(QLatin1Char(';'))) + 1 + d;
  RowHeaderCount = m;
  for (int k = 0; k < m; ++k)
    SetCell(Rows.Key(0), OneCharKey(k), QString(), 0);
  const int lastRow = Rows.Count() - 1, lastColumn = Columns.Count() - 1;
  SetHeader(lastRow, 0, GrandRowTotalCaption, 14);
  for (int column = 1; column < m; ++column)
    SetFrame(lastRow, column, 10);
  if (ShowCellCaptions)
    for (int row = nc + 1; row <= lastRow; ++row)
      SetHeader(row, m - 1, CellCaptions, 15);
  for (int row = 0; row <= nc; ++row)
    for (int column = 0; column < m; ++column)
      SetFrame(row, column, 0);
  QStringList previous = Rows.Key(nc).split(QLatin1Char(';'));
  for (int row = nc + 1; row < lastRow; ++row) {
    const QString& key = Rows.Key(row);
    const QStringList parts = key.split(QLatin1Char(';'));
    if (IsTotalRow(row)) {
      const int level = int(key.count(QLatin1Char(';')));
      for (int column = 0; column <= level - 2; ++column)
        SetFrame(row, column, 4);
      SetHeader(row, level - 1, RowTotalCaption, 12);
      for (int column = level; column <= m - d - 1; ++column)
        SetFrame(row, column, 10);
    } else {
      bool shared = true;
      for (int k = 0; k <= m - d - 1; ++k) {
        shared = shared && k < previous.size() && k < parts.size() && parts[k] == previous[k];
        if (shared)
          SetFrame(row, k, 4);
        else
          SetHeader(row, k, DisplayValue(parts.value(k), RowFieldValues[k]), 12);
      }
    }
    previous = parts;
  }
  for (int column = m; column <= lastColumn; ++column) {
    AddFrame(lastRow, column, 15);
    AddFrame(nc, column, 2);
  }
  for (int column = 0; column <= m - d - 1; ++column)
    AddFrame(lastRow - 1, column, 2);
}
