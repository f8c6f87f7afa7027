#include "tests/support/SqlTestRoutines.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"

namespace {

void Prepare(TIBQuery& query, TIBDatabase& database, TIBTransaction& transaction, const QString& sql,
             const QVariantMap& params) {
  query.SetDatabase(&database);
  query.SetTransaction(&transaction);
  query.SetSQL(sql);
  for (auto it = params.begin(); it != params.end(); ++it)
    query.ParamByName(it.key()).SetValue(it.value());
}

} // namespace

void ExecCommitted(TIBDatabase& database, const QString& sql, const QVariantMap& params) {
  TIBTransaction transaction(&database);
  transaction.StartTransaction();
  TIBQuery query;
  Prepare(query, database, transaction, sql, params);
  query.ExecSQL();
  transaction.Commit();
}

QList<QVariantList> SelectRows(TIBDatabase& database, const QString& sql, const QVariantMap& params) {
  TIBTransaction transaction(&database);
  transaction.StartTransaction();
  TIBQuery query;
  Prepare(query, database, transaction, sql, params);
  query.Open();
  QList<QVariantList> rows;
  for (query.First(); !query.Eof(); query.Next()) {
    QVariantList row;
    for (int i = 0; i < query.FieldCount(); ++i) row << query.FieldByNumber(i).AsVariant();
    rows << row;
  }
  transaction.Commit();
  return rows;
}
