#include "tests/support/FreshDatabase.h"
#include "db/IBDatabase.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QHash>
#include <QtCore/QTemporaryDir>
#include <atomic>
#include <stdexcept>

namespace {

TDatabaseMaker defaultMaker = &FreshDatabase::MakeEmptyDatabase;

QTemporaryDir& Folder() {
  static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/vimek-db-XXXXXX"));
  return folder;
}

QString TemplatePath(TDatabaseMaker maker) {
  static QHash<quintptr, QString> templates;
  const auto key = reinterpret_cast<quintptr>(maker);
  auto found = templates.constFind(key);
  if (found != templates.constEnd()) return *found;
  const QString path = FreshDatabase::RunFolder() + QStringLiteral("/template-%1.fdb").arg(templates.size());
  maker(path);
  templates.insert(key, path);
  return path;
}

} // namespace

QString FreshDatabase::RunFolder() {
  QTemporaryDir& folder = Folder();
  if (!folder.isValid()) throw std::runtime_error("no temporary folder for the test databases");
  static const bool lockSet = [&] {
    // Must be set before the engine loads: its lock files then stay private to this run.
    const QString lock = folder.path() + QStringLiteral("/lock");
    QDir().mkpath(lock);
    qputenv("FIREBIRD_LOCK", QFile::encodeName(lock));
    return true;
  }();
  Q_UNUSED(lockSet);
  return folder.path();
}

void FreshDatabase::SetDefaultMaker(TDatabaseMaker maker) { defaultMaker = maker; }

void FreshDatabase::MakeEmptyDatabase(const QString& path) {
  TIBDatabase database;
  database.SetDatabaseName(path);
  database.CreateDatabase();
  database.Close();
}

FreshDatabase::FreshDatabase(TDatabaseMaker maker) {
  static std::atomic<int> counter{0};
  const QString source = TemplatePath(maker ? maker : defaultMaker);
  path_ = RunFolder() + QStringLiteral("/test-%1.fdb").arg(counter++);
  if (!QFile::copy(source, path_)) throw std::runtime_error("cannot copy the template database");
  // The engine wants to write to the file; a copy of a read-only template would not be writable.
  QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
}

FreshDatabase::~FreshDatabase() { QFile::remove(path_); }

std::unique_ptr<TIBDatabase> FreshDatabase::Connect() const {
  auto database = std::make_unique<TIBDatabase>();
  database->SetDatabaseName(path_);
  database->Open();
  return database;
}
