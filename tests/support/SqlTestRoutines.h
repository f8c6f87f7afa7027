#pragma once
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QVariant>

class TIBDatabase;

// A statement over `db` in a started transaction of its own, the named
// values bound: how the tests run their own SQL beside the code under test.
// Without Commit() the transaction ends with the object, undone.
class TTestStatement {
public:
  TTestStatement(TIBDatabase* db, const QString& sql, const QVariantMap& params = {}) : transaction_(db) {
    transaction_.StartTransaction();
    query_.SetDatabase(db);
    query_.SetTransaction(&transaction_);
    query_.SetSQL(sql);
    for (auto it = params.begin(); it != params.end(); ++it)
      query_.ParamByName(it.key()).SetValue(it.value());
  }
  TIBQuery& Query() { return query_; }
  void Commit() { transaction_.Commit(); }

private:
  TIBTransaction transaction_;
  TIBQuery query_; // after the transaction: ends before it
};

// Runs one statement with bound values in its own committed transaction.
void ExecCommitted(TIBDatabase& database, const QString& sql, const QVariantMap& params = {});

// The rows of a select (each a list of column values) read in its own transaction.
QList<QVariantList> SelectRows(TIBDatabase& database, const QString& sql, const QVariantMap& params = {});
