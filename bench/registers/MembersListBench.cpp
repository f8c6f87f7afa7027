// Opening the members register (20,000 members, five years of paid-up rows)
// until its grid has painted the first rows, against a bare open and fetch
// of the same list query with the same parameter, both in this run.
#include "app/AppContext.h"
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

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir folder;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
  QDir().mkpath(folder.filePath(QStringLiteral("lock")));
  qputenv("FIREBIRD_LOCK", QFile::encodeName(folder.filePath(QStringLiteral("lock"))));
  const QString path = folder.filePath(QStringLiteral("members.fdb"));
  CreateUpgradedDatabase(path);
  TIBDatabase db;
  db.SetDatabaseName(path);
  db.Open();
  SetMainDatabase(&db);
  ProgramSettings.Rok = 2026;
  Fill(db);

  // The list's own query text, as the register builds it.
  QString listSql;
  {
    TfrmCClenov form(nullptr, ProgramSettings.Rok);
    form.list.btnRefreshClick();
    listSql = form.list.ib1->SQL();
  }

  std::vector<double> bare, list, create, refresh, paint, close;
  int bareRows = 0, listRows = 0;
  for (int round = 0; round < rounds; ++round) {
    bare.push_back(TimeMs([&] {
      TIBTransaction transaction(&db, TIBTransactionKind::ReadOnlyReadCommitted);
      transaction.StartTransaction();
      TIBQuery query;
      query.SetDatabase(&db);
      query.SetTransaction(&transaction);
      query.SetSQL(listSql);
      query.ParamByName(QStringLiteral("ROK")).SetValue(2026);
      query.Open();
      bareRows = query.RecordCount();
      transaction.Commit();
    }));
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
    listRows = form->list.ib1->RecordCount();
    form.reset();
    close.push_back(Lap(phase));
  }
  const double b = Median(bare), l = Median(list);
  std::printf("members register, %d members, 5 years of paid-up rows, median of %d rounds\n", memberCount, rounds);
  std::printf("%-44s %10s %8s\n", "", "ms", "rows");
  std::printf("%-44s %10.1f %8d\n", "bare open and fetch of the list query", b, bareRows);
  std::printf("%-44s %10.1f %8d\n", "register opened, first rows painted", l, listRows);
  std::printf("%-44s %10.1f\n", "  of which: form created", Median(create));
  std::printf("%-44s %10.1f\n", "  of which: shown, list query opened", Median(refresh));
  std::printf("%-44s %10.1f\n", "  of which: first rows painted", Median(paint));
  std::printf("%-44s %10.1f\n", "register closed (not in the ratio)", Median(close));
  std::printf("ratio %.2f (goal at most 1.30)\n", l / b);
  SetMainDatabase(nullptr);
  db.Close();
  return 0;
}
