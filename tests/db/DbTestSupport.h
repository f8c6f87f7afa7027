#pragma once
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBSQL.h"
#include "db/IBTransaction.h"
#include "tests/support/FreshDatabase.h"
#include <gtest/gtest.h>
#include <memory>

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

// The tables the database-layer tests work on, made once into the template.
void MakeDbTestDatabase(const QString& path);

// A fresh copy of the test database, one connection and one transaction.
class DbTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Runs a statement with the named values in its own committed transaction.
  void Exec(const QString& sql, const QVariantMap& params = {});
  // The first column of the first row of a query in a new transaction.
  QVariant Scalar(const QString& sql, const QVariantMap& params = {});

  std::unique_ptr<FreshDatabase> fresh;
  std::unique_ptr<TIBDatabase> db;
  std::unique_ptr<TIBTransaction> tr;
};
