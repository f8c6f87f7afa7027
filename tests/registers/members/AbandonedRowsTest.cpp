// A program killed while an add dialog is open leaves the dialog's row
// behind; the next start, alone on the database, deletes it and nothing else.
#include "app/AbandonedRows.h"
#include "registers/members/MembersForms.h"
#include "registers/members/fCClenov.h"
#include "registers/members/fERS.h"
#include "tests/registers/members/GuardTestSupport.h"
#include "tests/support/HelperProcess.h"
#include <cstdio>

namespace {

const QString kDatabaseVariable = QStringLiteral("VIMEK_ABANDON_DATABASE");
const QString kFormVariable = QStringLiteral("VIMEK_ABANDON_FORM");

struct TAbandonCase {
  const char* form;      // the list whose add dialog stays open
  const char* leftovers; // counts the rows such a dialog leaves
};

void PrintTo(const TAbandonCase& c, std::ostream* os) { *os << c.form; }

// The program to be killed: opens the named list on the named database and
// its add dialog, says so once the dialog has written its row, and waits.
TEST(AbandonedRowsHelper, DISABLED_OpenAddDialog) {
  TIBDatabase database;
  database.SetDatabaseName(qEnvironmentVariable(kDatabaseVariable.toLatin1().constData()));
  database.Open();
  SetMainDatabase(&database);
  ProgramSettings.Rok = 2026;
  const TScriptedMessageDialogs dialogs;
  RegisterMembersForms();
  std::unique_ptr<TForm> list;
  TListPattern* pattern = nullptr;
  if (qEnvironmentVariable(kFormVariable.toLatin1().constData()) == QLatin1String("TfrmCClenov")) {
    auto members = std::make_unique<TfrmCClenov>(nullptr, ProgramSettings.Rok);
    pattern = &members->list;
    list = std::move(members);
  } else {
    auto inspections = std::make_unique<TfrmERS>(nullptr, ProgramSettings.Rok);
    pattern = &inspections->list;
    list = std::move(inspections);
  }
  list->show();
  TModalScript script;
  script.Then([](TForm&) {
    std::printf("open\n");
    std::fflush(stdout);
  });
  QTest::keyClick(pattern->gr1, Qt::Key_F2);
}

class AbandonedRowsTest : public GuardTest, public testing::WithParamInterface<TAbandonCase> {
protected:
  int Leftovers() const { return Column(QString::fromLatin1(GetParam().leftovers)).value(0).toInt(); }
};

TEST_P(AbandonedRowsTest, TheNextStartAloneDeletesWhatAKilledDialogLeft) {
  const int member = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
  const int inspection = AddInspection(2026);
  const QString path = db->DatabaseName();
  db->Close(); // the killed program is the database's only user

  THelperProcess program;
  ASSERT_TRUE(program.Start(QStringLiteral("AbandonedRowsHelper.DISABLED_OpenAddDialog"),
                            {{kDatabaseVariable, path}, {kFormVariable, QLatin1String(GetParam().form)}}));
  const bool opened = program.WaitForLine(QStringLiteral("open")) == QLatin1String("open");
  program.kill();
  program.waitForFinished(30000);
  db->Open();
  ASSERT_TRUE(opened) << program.readAllStandardError().toStdString();
  ASSERT_EQ(Leftovers(), 1) << "the open dialog's row is in the database";

  TIBTransaction transaction(db.get());
  DeleteAbandonedRows(transaction);
  EXPECT_EQ(Leftovers(), 0);
  EXPECT_EQ(Column(QStringLiteral("select count(*) from c_clenov where jedin=:J"), {{QStringLiteral("J"), member}})
                .value(0)
                .toInt(),
            1);
  EXPECT_EQ(Column(QStringLiteral("select count(*) from e_rs where jedin=:J"), {{QStringLiteral("J"), inspection}})
                .value(0)
                .toInt(),
            1);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, AbandonedRowsTest,
    testing::Values(TAbandonCase{"TfrmCClenov",
                                 "select count(*) from c_clenov where priezvisko is null and meno is null"},
                    TAbandonCase{"TfrmERS", "select count(*) from e_rs where rok is null"}));

} // namespace
