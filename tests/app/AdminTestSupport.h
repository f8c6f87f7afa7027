#pragma once
#include "db/IBDatabase.h"
#include "platform/MessageDialogs.h"
#include "tests/support/ConfigFolder.h"
#include "tests/support/FreshDatabase.h"
#include <QtCore/QTemporaryDir>
#include <QtCore/QVariantMap>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

class QWidget;

// Makes a database from the base script brought to the supported version.
void MakeAdminDatabase(const QString& path);

// A fresh upgraded database with one connection (also the application
// context's main connection), scripted message dialogs and a registry and
// desktop in a temporary folder.
class AdminTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Runs a statement with named values in its own committed transaction.
  void Exec(const QString& sql, const QVariantMap& params = {});
  // The rows of a query as lists of values.
  QList<QVariantList> Rows(const QString& sql, const QVariantMap& params = {});
  QVariant Scalar(const QString& sql, const QVariantMap& params = {});
  // The texts of the messages shown so far.
  QStringList Messages() const;
  // Saves a picture of the window as <name>.png among the test output
  // (tests/support/TestOutput.h); returns the file path (empty when it could
  // not be written).
  static QString SaveScreenshot(QWidget* window, const QString& name);

  QTemporaryDir home_;
  std::optional<TConfigFolder> config_;
  std::unique_ptr<FreshDatabase> fresh;
  std::unique_ptr<TIBDatabase> db;
  std::unique_ptr<TScriptedMessageDialogs> dialogs;
};
