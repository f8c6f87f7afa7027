#pragma once
#include <QtCore/QString>
#include <memory>

class TIBDatabase;

// Makes a database file at the path and leaves it disconnected.
using TDatabaseMaker = void (*)(const QString& path);

// A fresh embedded database of its own for one test: a copy of a template
// database that is made once per test run (per maker) in a temporary folder.
// The folder also holds the engine's lock files (FIREBIRD_LOCK), so test
// executables can run side by side. The copy is deleted with the object.
class FreshDatabase {
public:
  // A copy of the template made by `maker`; nullptr takes the default maker.
  explicit FreshDatabase(TDatabaseMaker maker = nullptr);
  ~FreshDatabase();
  FreshDatabase(const FreshDatabase&) = delete;
  FreshDatabase& operator=(const FreshDatabase&) = delete;

  const QString& Path() const { return path_; }
  // A new connection (user SYSDBA) to the copy, already open.
  std::unique_ptr<TIBDatabase> Connect() const;

  // The maker used when none is given: until the schema's base script is
  // available, an empty WIN1250 database. Set it before the first test that needs it.
  static void SetDefaultMaker(TDatabaseMaker maker);
  static void MakeEmptyDatabase(const QString& path);
  // The run's temporary folder (made on first use, FIREBIRD_LOCK set inside).
  static QString RunFolder();

private:
  QString path_;
};
