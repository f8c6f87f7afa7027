// Two workstations on one team: the dialog writes the team's row and its
// row of the dialog's year, and a change of either that the other
// workstation committed after the dialog loaded refuses the save; on the
// embedded file and on a server.
#include "controls/IBEdit.h"
#include "registers/competitions/fCDruzstvaPretekarovPridaj.h"
#include "tests/registers/common/TwoWorkstations.h"

namespace {

class ConcurrentTeamDialogTest : public TwoWorkstationsTest {
protected:
  // Team 1 "Martin" in leagues 5 and 6; with its 2026 row (start number 7,
  // league 5) when `withYearRow`, and always its 2025 row.
  void ResetTeam(bool withYearRow) const {
    Exec(QStringLiteral("delete from c_druzstva_pretekarov_pc"));
    Exec(QStringLiteral("delete from c_druzstva_pretekarov"));
    Exec(QStringLiteral("delete from c_lig"));
    Exec(QStringLiteral("insert into c_lig (jedin,nazov) values (5,'Liga Stred')"));
    Exec(QStringLiteral("insert into c_lig (jedin,nazov) values (6,'Liga Západ')"));
    Exec(QStringLiteral("insert into c_druzstva_pretekarov (jedin,nazov) values (1,'Martin')"));
    Exec(QStringLiteral("insert into c_druzstva_pretekarov_pc (c_druzstva_pretekarov,rok,cislo,c_lig) "
                        "values (1,2025,3,5)"));
    if (withYearRow)
      Exec(QStringLiteral("insert into c_druzstva_pretekarov_pc (c_druzstva_pretekarov,rok,cislo,c_lig) "
                          "values (1,2026,7,5)"));
  }
  // This user renames the team in the 2026 dialog and saves.
  TSaveOutcome RenameAfterOther(const TConcurrentEdit& c) {
    TfrmCDruzstvaPretekarovPridaj team;
    TSaveOutcome outcome;
    EditOwner(team, 1, [&](TForm& f) {
      outcome = SaveAfterOther(
          f, c.other, [&] { team.eDBNazov->setText(kTyped); }, [&] { return team.eDBNazov->text(); });
    });
    return outcome;
  }

  const QString kTyped = QStringLiteral("Martin B");
  // The team's name and its 2026 start number and league.
  const QString kStored = QStringLiteral("select a.nazov,b.cislo,b.c_lig from c_druzstva_pretekarov a "
                                         "left join c_druzstva_pretekarov_pc b "
                                         "on b.c_druzstva_pretekarov=a.jedin and b.rok=2026 where a.jedin=1");
};

TEST_P(ConcurrentTeamDialogTest, AChangeOfTheYearsRowRefusesTheSave) {
  const TConcurrentEdit cases[] = {
      {"the other changed the year's start number",
       "update c_druzstva_pretekarov_pc set cislo=9 where c_druzstva_pretekarov=1 and rok=2026",
       "changed",
       {QStringLiteral("Martin/9/5")}},
      {"the other changed the year's league",
       "update c_druzstva_pretekarov_pc set c_lig=6 where c_druzstva_pretekarov=1 and rok=2026",
       "changed",
       {QStringLiteral("Martin/7/6")}},
      {"the other deleted the year's row",
       "delete from c_druzstva_pretekarov_pc where c_druzstva_pretekarov=1 and rok=2026",
       "changed",
       {QStringLiteral("Martin//")}},
      {"the other changed another year's row",
       "update c_druzstva_pretekarov_pc set cislo=4 where c_druzstva_pretekarov=1 and rok=2025",
       "",
       {QStringLiteral("Martin B/7/5")}},
  };
  ExpectEachSave(
      cases, [&] { ResetTeam(true); }, [&](const TConcurrentEdit& c) { return RenameAfterOther(c); }, kTyped, kStored);
}

TEST_P(ConcurrentTeamDialogTest, AYearsRowAddedMeanwhileRefusesTheSave) {
  const TConcurrentEdit cases[] = {
      {"the other gave the team its start number of the year",
       "insert into c_druzstva_pretekarov_pc (c_druzstva_pretekarov,rok,cislo,c_lig) values (1,2026,9,6)",
       "changed",
       {QStringLiteral("Martin/9/6")}},
      {"the other changed nothing of the team",
       "update c_lig set nazov='Liga Sever' where jedin=6",
       "",
       {QStringLiteral("Martin B//")}},
  };
  ExpectEachSave(
      cases, [&] { ResetTeam(false); }, [&](const TConcurrentEdit& c) { return RenameAfterOther(c); }, kTyped, kStored);
}

VIMEK_ON_BOTH_TARGETS(ConcurrentTeamDialogTest);

} // namespace
