// Times the way from a new base database to the supported version through the
// upgrade form, beside two baselines measured in the same run: laying down
// the base database, and running the same scripts bare (one committed
// transaction each, without the form's version reads and bookkeeping).
#include "app/fUpdate.h"
#include "db/IBDatabase.h"
#include "db/IBSQL.h"
#include "db/IBTransaction.h"
#include "platform/MessageDialogs.h"
#include "schema/BaseScript.h"
#include "schema/UpgradePackage.h"
#include "util/UxMemDS.h"
#include "util/XMLDataset.h"
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

QStringList PackageScripts() {
  TUxMemoryData md;
  TXMLDataset xml;
  LoadUpdatePackage(UpdatePackageZlib(), xml, md);
  QStringList scripts;
  for (int recNo = 1; recNo <= md.RecordCount(); ++recNo) {
    md.SetRecNo(recNo);
    scripts << md.FieldByName(QStringLiteral("LONG_SCRIPT")).AsString();
  }
  return scripts;
}

// Median of `runs` timings in milliseconds; `prepare` runs untimed before each.
double Median(int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    prepare();
    QElapsedTimer timer;
    timer.start();
    work();
    times.push_back(double(timer.nsecsElapsed()) / 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir folder;
  qputenv("FIREBIRD_LOCK", QFile::encodeName(folder.path() + QStringLiteral("/lock")));
  QApplication application(argc, argv);
  TScriptedMessageDialogs dialogs; // no dialog may stop the run
  const int runs = 3;
  const QString base = folder.path() + QStringLiteral("/base.fdb");
  const QString work = folder.path() + QStringLiteral("/work.fdb");
  CreateDatabaseFromBaseScript(base);
  const QStringList scripts = PackageScripts();
  auto fresh = [&] {
    QFile::remove(work);
    QFile::copy(base, work);
    QFile::setPermissions(work, QFile::ReadOwner | QFile::WriteOwner);
  };
  auto withDatabase = [&](const std::function<void(TIBDatabase&)>& body) {
    TIBDatabase database;
    database.SetDatabaseName(work);
    database.Open();
    body(database);
    database.Close();
  };

  const double create = Median(
      runs, [&] { QFile::remove(work); }, [&] { CreateDatabaseFromBaseScript(work); });
  const double bare = Median(runs, fresh, [&] {
    withDatabase([&](TIBDatabase& database) {
      TIBTransaction transaction(&database);
      TIBSQL sql(&database, &transaction);
      for (const QString& script : scripts) {
        transaction.StartTransaction();
        sql.ExecImmediate(script);
        transaction.Commit();
      }
    });
  });
  int reached = 0;
  const double form = Median(runs, fresh, [&] {
    withDatabase([&](TIBDatabase& database) {
      TfrmUpdate update(&database, UpdatePackageZlib(), UpdatePackageScriptCount());
      update.btnGoClick();
      reached = update.ZistiVerziu();
    });
  });
  std::printf("scripts: %d, reached version %d, median of %d runs\n", int(scripts.size()), reached, runs);
  std::printf("%-44s %10s\n", "step", "ms");
  std::printf("%-44s %10.1f  (baseline)\n", "new base database from the base script", create);
  std::printf("%-44s %10.1f  (baseline)\n", "scripts 1..S bare, one transaction each", bare);
  std::printf("%-44s %10.1f  (%.2f x bare)\n", "upgrade form: base -> S", form, form / bare);
  return reached == UpdatePackageScriptCount() ? 0 : 1;
}
