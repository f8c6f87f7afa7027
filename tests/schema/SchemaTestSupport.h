#pragma once
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/MessageDialogs.h"
#include "tests/support/ConfigFolder.h"
#include "tests/support/FreshDatabase.h"
#include <QtCore/QVariantMap>
#include <gtest/gtest.h>
#include <memory>

// Template makers: a database from the base script (version 0), and one
// brought to the supported version with the program's package.
void MakeBaseDatabase(const QString& path);
void MakeUpgradedDatabase(const QString& path);

// A zlib-packed upgrade package holding the given scripts as versions
// firstVersion, firstVersion + 1, ...
QByteArray PackScripts(const QStringList& scripts, int firstVersion = 1);

// A fresh database copy with one connection; message dialogs are answered
// by a script and the registry lives in a temporary folder.
class SchemaTest : public ::testing::Test {
protected:
  explicit SchemaTest(TDatabaseMaker maker) : maker_(maker) {}
  void SetUp() override;
  void TearDown() override;

  // Runs a statement with named values in its own committed transaction.
  void Exec(const QString& sql, const QVariantMap& params = {});
  // The first column of the first row (invalid QVariant when there is no row).
  QVariant Scalar(const QString& sql, const QVariantMap& params = {});
  // The rows of a query as lists of values.
  QList<QVariantList> Rows(const QString& sql, const QVariantMap& params = {});
  // The text of the server error a statement raises; empty when it succeeds.
  QString ErrorOf(const QString& sql, const QVariantMap& params = {});

  TDatabaseMaker maker_;
  TConfigFolder config_;
  std::unique_ptr<FreshDatabase> fresh;
  std::unique_ptr<TIBDatabase> db;
  std::unique_ptr<TScriptedMessageDialogs> dialogs;
};

class BaseDatabaseTest : public SchemaTest {
protected:
  BaseDatabaseTest() : SchemaTest(&MakeBaseDatabase) {}
};

class UpgradedDatabaseTest : public SchemaTest {
protected:
  UpgradedDatabaseTest() : SchemaTest(&MakeUpgradedDatabase) {}
};
