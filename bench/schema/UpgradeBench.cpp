// Times the way from a new base database to the supported version through the
// upgrade form, beside two baselines measured in the same run: laying down
// the base database, and running the same scripts bare (one committed
// transaction each, without the form's version reads and bookkeeping). Each
// is timed in a process of its own, so that each peak memory is its own.
#include "app/fUpdate.h"
#include "bench/support/BenchSides.h"
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

constexpr int kRuns = 3;

// A fresh copy of the base database at `work`.
void CopyBase(const QString& base, const QString& work) {
  QFile::remove(work);
  QFile::copy(base, work);
  QFile::setPermissions(work, QFile::ReadOwner | QFile::WriteOwner);
}

void WithDatabase(const QString& path, const std::function<void(TIBDatabase&)>& body) {
  TIBDatabase database;
  database.SetDatabaseName(path);
  database.Open();
  body(database);
  database.Close();
}

// One step in this process: "create <base>" lays the base database down
// (and leaves it there), "bare <base> <work>" and "form <base> <work>"
// upgrade copies of it. Prints "milliseconds version peak-KiB".
int RunChild(const QStringList& arguments) {
  TScriptedMessageDialogs dialogs; // no dialog may stop the run
  const QString& step = arguments[0];
  const QString& base = arguments[1];
  const QString work = arguments.value(2);
  double ms = 0;
  int reached = 0;
  if (step == QLatin1String("create")) {
    ms = Median(
        kRuns, [&] { QFile::remove(base); }, [&] { CreateDatabaseFromBaseScript(base); });
  } else if (step == QLatin1String("bare")) {
    const QStringList scripts = PackageScripts();
    ms = Median(
        kRuns, [&] { CopyBase(base, work); },
        [&] {
          WithDatabase(work, [&](TIBDatabase& database) {
            TIBTransaction transaction(&database);
            TIBSQL sql(&database, &transaction);
            for (const QString& script : scripts) {
              transaction.StartTransaction();
              sql.ExecImmediate(script);
              transaction.Commit();
            }
          });
        });
    reached = int(scripts.size());
  } else {
    ms = Median(
        kRuns, [&] { CopyBase(base, work); },
        [&] {
          WithDatabase(work, [&](TIBDatabase& database) {
            TfrmUpdate update(&database, UpdatePackageZlib(), UpdatePackageScriptCount());
            update.btnGoClick();
            reached = update.ZistiVerziu();
          });
        });
  }
  std::printf("%.1f %d %ld\n", ms, reached, OwnPeakKiB());
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir folder;
  qputenv("FIREBIRD_LOCK", QFile::encodeName(folder.path() + QStringLiteral("/lock")));
  QApplication application(argc, argv);
  if (argc > 2) return RunChild(application.arguments().mid(1));
  const QString base = folder.path() + QStringLiteral("/base.fdb");
  const QString work = folder.path() + QStringLiteral("/work.fdb");
  const QStringList create = RunSide({QStringLiteral("create"), base});
  const QStringList bare = RunSide({QStringLiteral("bare"), base, work});
  const QStringList form = RunSide({QStringLiteral("form"), base, work});
  if (create.size() != 3 || bare.size() != 3 || form.size() != 3) return 1;
  std::printf("scripts: %s, reached version %s, median of %d runs; each step in its own process\n", qPrintable(bare[1]),
              qPrintable(form[1]), kRuns);
  std::printf("new base database from the base script: %s ms, peak %.1f MiB\n", qPrintable(create[0]),
              create[2].toDouble() / 1024);
  PrintFiguresHeader("milliseconds");
  PrintFigure("upgrade form / scripts 1..S bare", form[0].toDouble(), bare[0].toDouble(), form[2].toLong(),
              bare[2].toLong());
  return form[1].toInt() == UpdatePackageScriptCount() ? 0 : 1;
}
