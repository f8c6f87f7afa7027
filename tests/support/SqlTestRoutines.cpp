#include "tests/support/SqlTestRoutines.h"

void ExecCommitted(TIBDatabase& database, const QString& sql, const QVariantMap& params) {
  TTestStatement statement(&database, sql, params);
  statement.Query().ExecSQL();
  statement.Commit();
}

QList<QVariantList> SelectRows(TIBDatabase& database, const QString& sql, const QVariantMap& params) {
  TTestStatement statement(&database, sql, params);
  TIBQuery& query = statement.Query();
  query.Open();
  QList<QVariantList> rows;
  for (query.First(); !query.Eof(); query.Next()) {
    QVariantList row;
    for (int i = 0; i < query.FieldCount(); ++i)
      row << query.FieldByNumber(i).AsVariant();
    rows << row;
  }
  statement.Commit();
  return rows;
}
