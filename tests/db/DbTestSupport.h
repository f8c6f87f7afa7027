#pragma once
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBSQL.h"
#include "db/IBTransaction.h"
#include "tests/support/FreshDatabase.h"
#include "tests/support/SqlTestRoutines.h"
#include <gtest/gtest.h>
#include <memory>

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
