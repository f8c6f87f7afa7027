#include "db/IBMetadata.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"

namespace {

// The rows of a statement over the system tables, each a list of its values.
QList<QVariantList> SystemRows(TIBDatabase& database, const QString& sql, const QString& name = QString()) {
  TIBTransaction transaction(&database, TIBTransactionKind::ReadOnlyReadCommitted);
  transaction.StartTransaction();
  TIBQuery query;
  query.SetDatabase(&database);
  query.SetTransaction(&transaction);
  query.SetSQL(sql);
  if (!name.isNull()) query.ParamByName(QStringLiteral("NAME")).SetValue(name);
  query.Open();
  QList<QVariantList> rows;
  for (int r = 0; r < query.RecordCount(); ++r) {
    QVariantList row;
    for (int f = 0; f < query.FieldCount(); ++f)
      row.append(query.ValueAt(r, f));
    rows.append(row);
  }
  query.Close();
  transaction.Commit();
  return rows;
}

QStringList FirstColumn(const QList<QVariantList>& rows) {
  QStringList names;
  for (const QVariantList& row : rows)
    names.append(row[0].toString());
  return names;
}

} // namespace

QStringList IBTableNames(TIBDatabase& database) {
  return FirstColumn(
      SystemRows(database, QStringLiteral("SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS "
                                          "WHERE RDB$VIEW_BLR IS NULL AND COALESCE(RDB$SYSTEM_FLAG, 0) = 0 "
                                          "ORDER BY 1")));
}

QString IBRelationName(TIBDatabase& database, const QString& name) {
  const QStringList candidates = FirstColumn(
      SystemRows(database,
                 QStringLiteral("SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS "
                                "WHERE UPPER(TRIM(RDB$RELATION_NAME)) = UPPER(CAST(:NAME AS VARCHAR(63))) ORDER BY 1"),
                 name.trimmed()));
  if (candidates.contains(name.trimmed())) return name.trimmed();
  return candidates.isEmpty() ? QString() : candidates.first();
}

QStringList IBColumnNames(TIBDatabase& database, const QString& relationName) {
  return FirstColumn(SystemRows(database,
                                QStringLiteral("SELECT TRIM(RDB$FIELD_NAME) FROM RDB$RELATION_FIELDS "
                                               "WHERE RDB$RELATION_NAME = CAST(:NAME AS VARCHAR(63)) "
                                               "ORDER BY RDB$FIELD_POSITION"),
                                relationName));
}

QList<TIBIndexDef> IBIndexDefs(TIBDatabase& database, const QString& relationName) {
  const QList<QVariantList> rows = SystemRows(
      database,
      QStringLiteral("SELECT TRIM(I.RDB$INDEX_NAME), COALESCE(I.RDB$UNIQUE_FLAG, 0), COALESCE(I.RDB$INDEX_TYPE, 0), "
                     "TRIM(S.RDB$FIELD_NAME) FROM RDB$INDICES I "
                     "LEFT JOIN RDB$INDEX_SEGMENTS S ON S.RDB$INDEX_NAME = I.RDB$INDEX_NAME "
                     "WHERE I.RDB$RELATION_NAME = CAST(:NAME AS VARCHAR(63)) "
                     "ORDER BY I.RDB$INDEX_NAME, S.RDB$FIELD_POSITION"),
      relationName);
  QList<TIBIndexDef> indexes;
  for (const QVariantList& row : rows) {
    if (indexes.isEmpty() || indexes.last().Name != row[0].toString())
      indexes.append({row[0].toString(), {}, row[1].toInt() == 1, row[2].toInt() == 1});
    if (!row[3].isNull()) indexes.last().Fields.append(row[3].toString());
  }
  return indexes;
}
