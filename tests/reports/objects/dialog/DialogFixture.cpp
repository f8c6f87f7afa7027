#include "DialogFixture.h"
#include "db/IBDatabase.h"
#include "reports/engine/rpStream.h"
#include "reports/objects/RegisterReportObjects.h"
#include "tests/support/SqlTestRoutines.h"

namespace {

void MakeTownsAndWaters(const QString& path) {
  FreshDatabase::MakeEmptyDatabase(path);
  TIBDatabase database;
  database.SetDatabaseName(path);
  database.Open();
  for (const char* sql :
       {"CREATE TABLE MESTA (ID INTEGER NOT NULL PRIMARY KEY, NAZOV VARCHAR(40))",
        "CREATE TABLE VODY (ID INTEGER NOT NULL PRIMARY KEY, MESTO_ID INTEGER, NAZOV VARCHAR(40), ZALOZENA DATE)",
        "CREATE INDEX IX_VODY_MESTO ON VODY (MESTO_ID, ID)", "INSERT INTO MESTA VALUES (1, 'Senec')",
        "INSERT INTO MESTA VALUES (2, 'Pezinok')", "INSERT INTO VODY VALUES (10, 1, 'Slnečné jazerá', '1960-05-01')",
        "INSERT INTO VODY VALUES (11, 1, 'Martinský les', '1975-03-15')",
        "INSERT INTO VODY VALUES (12, 2, 'Kučišdorf', NULL)"})
    ExecCommitted(database, QString::fromUtf8(sql));
  database.Close();
}

} // namespace

DialogFixture::DialogFixture() : fresh(&MakeTownsAndWaters) {
  rpEngineStart();
  TrpGlobals& g = rpGlobals();
  TrpRunContext& run = rpRun();
  g.ErrorBox = [this](const QString& text, const QString& caption) {
    messages.append(caption + QStringLiteral(": ") + text);
  };
  RegisterReportObjects();
  run.StreamVersion = TrpReport::kStreamVersion; // records read by themselves are in the current layout
}

DialogFixture::~DialogFixture() { rpEngineEnd(); }

QByteArray ClassRecord(TrpView& view) {
  TBinaryWriter whole;
  view.SaveToStream(whole);
  TBinaryWriter common;
  view.TrpView::SaveToStream(common);
  return whole.Data().mid(common.Data().size());
}
