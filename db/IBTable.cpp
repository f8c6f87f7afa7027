#include "db/IBTable.h"
#include "db/IBError.h"

namespace {

QStringList SplitNames(const QString& names) {
  QStringList list;
  for (const QString& name : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
    if (!name.trimmed().isEmpty()) list.append(name.trimmed());
  return list;
}

QString Quoted(const QString& name) {
  QString text = name;
  return QLatin1Char('"') + text.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString MasterParamName(int index) { return QStringLiteral("MASTER") + QString::number(index + 1); }

} // namespace

void TIBTable::SetTableName(const QString& name) {
  if (name == tableName_) return;
  tableName_ = name;
  RestartStatement();
}

void TIBTable::SetIndexName(const QString& name) {
  if (name == indexName_) return;
  indexName_ = name;
  RestartStatement();
}

void TIBTable::SetIndexFieldNames(const QString& names) {
  if (names == indexFieldNames_) return;
  indexFieldNames_ = names;
  RestartStatement();
}

void TIBTable::SetMasterFields(const QString& names) {
  if (names == masterFields_) return;
  masterFields_ = names;
  RestartStatement();
}

QString TIBTable::StoredTableName() {
  if (!Database()) throw EIBError(QStringLiteral("Tabuľka nemá databázu."));
  if (tableName_.trimmed().isEmpty()) throw EIBError(QStringLiteral("Tabuľka nemá zadané meno."));
  const QString stored = IBRelationName(*Database(), tableName_);
  if (stored.isEmpty()) throw EIBError(QStringLiteral("Tabuľka %1 v databáze nie je.").arg(tableName_));
  return stored;
}

QList<TIBIndexDef> TIBTable::IndexDefs() { return IBIndexDefs(*Database(), StoredTableName()); }

QList<TIBTable::TOrderField> TIBTable::OrderFields() {
  QList<TOrderField> fields;
  if (!indexFieldNames_.trimmed().isEmpty()) {
    for (const QString& name : SplitNames(indexFieldNames_))
      fields.append({name, false});
  } else if (!indexName_.trimmed().isEmpty()) {
    const QList<TIBIndexDef> indexes = IndexDefs();
    const auto index = std::find_if(indexes.begin(), indexes.end(), [this](const TIBIndexDef& def) {
      return def.Name.compare(indexName_.trimmed(), Qt::CaseInsensitive) == 0;
    });
    if (index == indexes.end()) throw EIBError(QStringLiteral("Tabuľka %1 nemá index %2.").arg(tableName_, indexName_));
    for (const QString& name : index->Fields)
      fields.append({name, index->Descending});
  }
  return fields;
}

QStringList TIBTable::IndexFields() {
  QStringList names;
  for (const TOrderField& field : OrderFields())
    names.append(field.Name);
  return names;
}

QStringList TIBTable::MasterFieldList() const { return SplitNames(masterFields_); }

QString TIBTable::StoredColumn(const QStringList& columns, const QString& name) const {
  if (columns.contains(name)) return name;
  for (const QString& column : columns)
    if (column.compare(name, Qt::CaseInsensitive) == 0) return column;
  throw EIBError(QStringLiteral("Tabuľka %1 nemá položku %2.").arg(tableName_, name));
}

void TIBTable::UpdateStatement() {
  const QString table = StoredTableName();
  const QStringList columns = IBColumnNames(*Database(), table);
  const QList<TOrderField> order = OrderFields();
  QStringList conditions;
  if (Filtered() && !Filter().trimmed().isEmpty()) {
    RequireFilterWithoutParams(Filter());
    conditions.append(QStringLiteral("(\n") + Filter() + QStringLiteral("\n)"));
  }
  if (DataSource() && !MasterFieldList().isEmpty()) {
    if (order.isEmpty())
      throw EIBError(QStringLiteral("Tabuľka %1 nemá index pre položky hlavnej tabuľky.").arg(tableName_));
    const int links = int(qMin(order.size(), MasterFieldList().size()));
    for (int i = 0; i < links; ++i)
      conditions.append(Quoted(StoredColumn(columns, order[i].Name)) + QStringLiteral(" = :") + MasterParamName(i));
  }
  QString sql = QStringLiteral("SELECT * FROM ") + Quoted(table);
  if (!conditions.isEmpty()) sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
  QStringList orderBy;
  for (const TOrderField& field : order)
    orderBy.append(Quoted(StoredColumn(columns, field.Name)) +
                   (field.Descending ? QStringLiteral(" DESC") : QString()));
  if (!orderBy.isEmpty()) sql += QStringLiteral(" ORDER BY ") + orderBy.join(QStringLiteral(", "));
  ReplaceStatement(sql);
}

void TIBTable::FillMasterParams(const TDataSet& master) {
  const QStringList masterFields = MasterFieldList();
  for (int i = 0; i < masterFields.size(); ++i)
    if (TIBParam* param = FindParam(MasterParamName(i)))
      param->SetValue(master.IsEmpty() ? QVariant() : master.FieldByName(masterFields[i]).AsVariant());
}
