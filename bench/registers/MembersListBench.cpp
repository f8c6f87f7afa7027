// Opening the members register (20,000 members, five years of paid-up rows)
// until its grid has painted the first rows, against a bare open and fetch
// of the same list query with the same parameter, both in this run, each in
// a process of its own so that each peak memory is its own.
#include "app/AppContext.h"
#include "bench/support/BenchSides.h"
#include "controls/DbGridQPL.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBSQL.h"
#include "db/IBTransaction.h"
#include "registers/members/fCClenov.h"
#include "schema/UpgradePackage.h"
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int memberCount = 20000;
constexpr int rounds = 11;

void Fill(TIBDatabase& db) {
  const QString statements[] = {
      QStringLiteral("EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= %1) DO BEGIN "
                     "INSERT INTO C_CLENOV (JEDIN, TITUL, MENO, PRIEZVISKO, ULICA, MESTO, PSC, DATUM_NARODENIA, "
                     "CISLO_LEGITIMACIE, VSTUP_JUX, SKOLENIE_USKUTOCNENE, BRIGADA_VYZADOVAT) VALUES (:I, "
                     "IIF(MOD(:I, 9) = 0, 'Ing.', NULL), 'Ľubomír' || MOD(:I, 300), 'Šťastný-Žltý ' || :I, "
                     "'Hlavná ' || MOD(:I, 200), 'Mesto ' || MOD(:I, 40), '9' || LPAD(MOD(:I, 10000), 4, '0'), "
                     "DATE '1940-01-01' + MOD(:I * 37, 25000), 'L' || :I, 1960 + MOD(:I, 60), MOD(:I, 2), 1); "
                     "I = I + 1; END END")
          .arg(memberCount),
      QStringLiteral("EXECUTE BLOCK AS DECLARE I INTEGER = 1; DECLARE R INTEGER; BEGIN WHILE (I <= %1) DO BEGIN "
                     "R = 2022; WHILE (R <= 2026) DO BEGIN IF (MOD(:I + R, 3) <> 0) THEN "
                     "INSERT INTO C_CLENOV_CLENSKE (JEDIN, C_CLENOV, ROK, UHRADENE) "
                     "VALUES (GEN_ID(C_CLENOV_CLENSKE_ID, 1), :I, :R, 1); R = R + 1; END I = I + 1; END END")
          .arg(memberCount),
      QStringLiteral("SET GENERATOR C_CLENOV_ID TO %1").arg(memberCount),
  };
  for (const QString& statement : statements) {
    TIBTransaction transaction(&db);
    transaction.StartTransaction();
    TIBSQL(&db, &transaction).ExecImmediate(statement);
    transaction.Commit();
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The milliseconds since the timer's last start, restarting it.
double Lap(QElapsedTimer& timer) {
  const double ms = double(timer.nsecsElapsed()) / 1e6;
  timer.restart();
  return ms;
}

double TimeMs(const std::function<void()>& action) {
  QElapsedTimer timer;
  timer.start();
  action();
  return double(timer.nsecsElapsed()) / 1e6;
}

// The bare side: opens and fetches the list query `listSql`; prints "ms rows peak-KiB".
void RunBare(TIBDatabase& db, const QString& listSql) {
  std::vector<double> bare;
  int rows = 0;
  for (int round = 0; round < rounds; ++round)
    bare.push_back(TimeMs([&] {
      TIBTransaction transaction(&db, TIBTransactionKind::ReadOnlyReadCommitted);
      transaction.StartTransaction();
      TIBQuery query;
      query.SetDatabase(&db);
      query.SetTransaction(&transaction);
      query.SetSQL(listSql);
      query.ParamByName(QStringLiteral("ROK")).SetValue(2026);
      query.Open();
      rows = query.RecordCount();
      transaction.Commit();
    }));
  std::printf("%.1f %d %ld\n", Median(bare), rows, OwnPeakKiB());
}

// The register's side: prints "ms rows peak-KiB created refreshed painted closed" (ms each).
void RunRegister() {
  std::vector<double> list, create, refresh, paint, close;
  int rows = 0;
  for (int round = 0; round < rounds; ++round) {
    // Opening is timed up to the painted rows; closing the form (placement and
    // column order written to the registry, widgets freed) is timed apart.
    QElapsedTimer phase;
    phase.start();
    auto form = std::make_unique<TfrmCClenov>(nullptr, ProgramSettings.Rok);
    create.push_back(Lap(phase));
    form->show();
    form->list.FormActivate();
    refresh.push_back(Lap(phase));
    form->list.gr1->grab(); // paints the first rows
    paint.push_back(Lap(phase));
    list.push_back(create.back() + refresh.back() + paint.back());
    rows = form->list.ib1->RecordCount();
    form.reset();
    close.push_back(Lap(phase));
  }
  std::printf("%.1f %d %ld %.1f %.1f %.1f %.1f\n", Median(list), rows, OwnPeakKiB(), Median(create), Median(refresh),
              Median(paint), Median(close));
}

// One side in this process over the database at `path`: "bare <path> <sql>" or "register <path>".
int RunChild(const QStringList& arguments) {
  TIBDatabase db;
  db.SetDatabaseName(arguments[1]);
  db.Open();
  SetMainDatabase(&db);
  ProgramSettings.Rok = 2026;
  if (arguments[0] == QLatin1String("bare"))
    RunBare(db, arguments[2]);
  else
    RunRegister();
  SetMainDatabase(nullptr);
  db.Close();
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc > 2) return RunChild(app.arguments().mid(1));
  QTemporaryDir folder;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
  QDir().mkpath(folder.filePath(QStringLiteral("lock")));
  qputenv("FIREBIRD_LOCK", QFile::encodeName(folder.filePath(QStringLiteral("lock"))));
  const QString path = folder.filePath(QStringLiteral("members.fdb"));
  CreateUpgradedDatabase(path);
  // The list's own query text, as the register builds it.
  QString listSql;
  {
    TIBDatabase db;
    db.SetDatabaseName(path);
    db.Open();
    SetMainDatabase(&db);
    ProgramSettings.Rok = 2026;
    Fill(db);
    {
      TfrmCClenov form(nullptr, ProgramSettings.Rok);
      form.list.btnRefreshClick();
      listSql = form.list.ib1->SQL();
    }
    SetMainDatabase(nullptr);
    db.Close();
  }
  const QStringList bare = RunSide({QStringLiteral("bare"), path, listSql});
  const QStringList list = RunSide({QStringLiteral("register"), path});
  if (bare.size() != 3 || list.size() != 7) return 1;
  std::printf("members register, %d members, 5 years of paid-up rows, median of %d rounds; each side in its own "
              "process\n",
              memberCount, rounds);
  std::printf("rows: register %s, bare fetch %s\n", qPrintable(list[1]), qPrintable(bare[1]));
  PrintFiguresHeader("milliseconds");
  PrintFigure("register opened, rows painted / bare fetch", list[0].toDouble(), bare[0].toDouble(), list[2].toLong(),
              bare[2].toLong());
  std::printf("  of which: form created %s, shown and list query opened %s, first rows painted %s\n",
              qPrintable(list[3]), qPrintable(list[4]), qPrintable(list[5]));
  std::printf("register closed (not in the ratio): %s\n", qPrintable(list[6]));
  std::printf("goal: ratio at most 1.30\n");
  return 0;
}
