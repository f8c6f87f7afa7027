// Two workstations on one payment and one permit return, through the real
// dialogs: the payment with its item dialog, the return with its catch
// dialog. The second save is refused, nothing of the first is lost, the
// entries stay in the dialog; on the embedded file and on a server.
#include "app/AppContext.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBMemo.h"
#include "core/DateTime.h"
#include "registers/permits/fEPovolenkyPolozkyPridaj.h"
#include "registers/permits/fEPovolenkyPridaj.h"
#include "registers/permits/fEPovolenkyUlovkyPridaj.h"
#include "registers/permits/fEPovolenkyVrateniePridaj.h"
#include "tests/registers/common/TwoWorkstations.h"

namespace {

// Payment 50 of member 40 (total 55) with item 51 (price 15, levy 3) and
// the base permit 53 (price 40), which has catch line 54 (2 fish, 4 kg).
class ConcurrentPermitDialogsTest : public TwoWorkstationsTest {
protected:
  void SetUp() override {
    TwoWorkstationsTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ProgramSettings.JUX_JEDIN = 1;
    ProgramSettings.ZO_JEDIN = 2;
    for (const char* sql : {
             "insert into c_zo (jedin,cislo,nazov) values (1,100,'Rada JUX')",
             "insert into c_zo (jedin,cislo,nazov) values (2,200,'ZO Vimek')",
             "insert into c_ceniny (jedin,rok,nazov,cena,odvod_jux,doplnkovy_udaj,typ_platby) values "
             "(10,2026,'Členský príspevok',15,3,0,2)",
             "insert into c_ceniny (jedin,rok,nazov,cena,odvod_jux,doplnkovy_udaj,typ_platby) values "
             "(13,2026,'Povolenka kapor',40,10,1,0)",
             "insert into c_reviry_jux (jedin,rok,cislo,nazov,nazov_uplny,nazov_uplny2,c_zo) values "
             "(22,2026,'2-0300','Štrkovisko','Štrkovisko','Štrkovisko',2)",
             "insert into c_druhy_ryb (jedin,nazov,typ,cena) values (30,'Kapor',1,3)",
             "insert into c_druhy_dokladov (jedin,rok,skratka,nazov,typ) values (30,2026,'PPD','Príjem pokladňa',1)",
             "insert into c_clenov (jedin,titul,meno,priezvisko,ulica,psc,mesto,brigada_vyzadovat) "
             "values (40,'Ing.','Ján','Novák','Hlavná 1','91101','Trenčín',0)",
         })
      Exec(QString::fromUtf8(sql));
  }
  // The payment and its rows as each case starts from them.
  void ResetPayment() const {
    for (const char* sql : {
             "delete from e_povolenky",
             "insert into e_povolenky (jedin,rok,typ_povolenky,cislo,datum,c_clenov,poznamka,spolu) values "
             "(50,2026,0,1,'2026-03-02',40,'Hotovosť',55)",
             "insert into e_povolenky2 (jedin,e_povolenky,rok,typ_povolenky,typ_platby,c_ceniny,cena,odvod_jux) "
             "values (51,50,2026,0,2,10,15,3)",
             "insert into e_povolenky2 (jedin,e_povolenky,rok,typ_povolenky,typ_platby,c_ceniny,cena,odvod_jux,"
             "doplnkovy_udaj) values (53,50,2026,0,0,13,40,10,'P-1')",
             "insert into e_ulovky (jedin,e_povolenky2,rok,datum,c_reviry_jux,c_druhy_ryb,cena_mj,pocet,vaha,spolu) "
             "values (54,53,2026,'2026-06-01',22,30,3,2,4,12)",
         })
      Exec(QString::fromUtf8(sql));
  }
};

const QString kTypedNote = QStringLiteral("Za celú rodinu");

TEST_P(ConcurrentPermitDialogsTest, ThePaymentsSecondSaveIsRefusedAndNothingOfTheFirstIsLost) {
  const TConcurrentEdit cases[] = {
      {"the other changed the date, this one the note",
       "update e_povolenky set datum='2026-03-05' where jedin=50",
       "changed",
       {QStringLiteral("2026-03-05/Hotovosť/55")}},
      {"both changed the note",
       "update e_povolenky set poznamka='Prevodom' where jedin=50",
       "changed",
       {QStringLiteral("2026-03-02/Prevodom/55")}},
      {"the other added an item: saved, the total counts it",
       "insert into e_povolenky2 (jedin,e_povolenky,rok,typ_povolenky,typ_platby,c_ceniny,cena,odvod_jux) "
       "values (55,50,2026,0,2,10,15,3)",
       "",
       {QStringLiteral("2026-03-02/") + kTypedNote + QStringLiteral("/70")}},
      {"the other deleted the payment", "delete from e_povolenky where jedin=50", "gone", {}},
  };
  ExpectEachSave(
      cases, [&] { ResetPayment(); },
      [&](const TConcurrentEdit& c) {
        TfrmEPovolenkyPridaj payment;
        TSaveOutcome outcome;
        EditOwner(payment, 50, [&](TForm& f) {
          outcome = SaveAfterOther(
              f, c.other, [&] { payment.eDBPoznamka->setPlainText(kTypedNote); },
              [&] { return payment.eDBPoznamka->toPlainText(); });
        });
        return outcome;
      },
      kTypedNote, QStringLiteral("select datum,poznamka,cast(spolu as integer) from e_povolenky where jedin=50"));
}

TEST_P(ConcurrentPermitDialogsTest, AnItemsSecondSaveIsRefusedAndNothingOfTheFirstIsLost) {
  const TConcurrentEdit cases[] = {
      {"the other changed the levy, this one the price",
       "update e_povolenky2 set odvod_jux=4 where jedin=51",
       "changed",
       {QStringLiteral("15/4")}},
      {"both changed the price", "update e_povolenky2 set cena=16 where jedin=51", "changed", {QStringLiteral("16/3")}},
      {"the other changed another item of the payment",
       "update e_povolenky2 set cena=41 where jedin=53",
       "",
       {QStringLiteral("18/3")}},
      {"the other deleted the item", "delete from e_povolenky2 where jedin=51", "gone", {}},
      {"the other deleted the payment with its items", "delete from e_povolenky where jedin=50", "gone", {}},
  };
  ExpectEachSave(
      cases, [&] { ResetPayment(); },
      [&](const TConcurrentEdit& c) {
        TfrmEPovolenkyPridaj payment;
        TSaveOutcome outcome;
        EditChild(payment, 50, *payment.items, 51, [&](TForm& f) {
          auto& item = dynamic_cast<TfrmEPovolenkyPolozkyPridaj&>(f);
          outcome = SaveAfterOther(
              f, c.other, [&] { item.eDBCena->SetValue(18); }, [&] { return item.eDBCena->text(); });
        });
        return outcome;
      },
      QStringLiteral("18,00"),
      QStringLiteral("select cast(cena as integer),cast(odvod_jux as integer) from e_povolenky2 where jedin=51"));
}

TEST_P(ConcurrentPermitDialogsTest, TheReturnsSecondSaveIsRefusedAndNothingOfTheFirstIsLost) {
  const TConcurrentEdit cases[] = {
      {"both entered the return date",
       "update e_povolenky2 set povolenka_vratena_dna='2026-12-01' where jedin=53",
       "changed",
       {QStringLiteral("2026-12-01/Hotovosť")}},
      // The note is the payment's: the return writes it with its own row.
      {"the other changed the payment's note",
       "update e_povolenky set poznamka='Prevodom' where jedin=50",
       "changed",
       {QStringLiteral("/Prevodom")}},
      {"the other changed the permit's number, which the return only shows",
       "update e_povolenky2 set doplnkovy_udaj='P-2' where jedin=53",
       "",
       {QStringLiteral("2026-12-15/") + kTypedNote}},
      {"the other deleted the payment", "delete from e_povolenky where jedin=50", "gone", {}},
  };
  ExpectEachSave(
      cases, [&] { ResetPayment(); },
      [&](const TConcurrentEdit& c) {
        TfrmEPovolenkyVrateniePridaj permit;
        TSaveOutcome outcome;
        EditOwner(permit, 53, [&](TForm& f) {
          outcome = SaveAfterOther(
              f, c.other,
              [&] {
                permit.eDBPovolenkaVratenaDna->SetDate(DateTime::FromDate(QDate(2026, 12, 15)));
                permit.eDBPoznamka->setPlainText(kTypedNote);
              },
              [&] { return permit.eDBPoznamka->toPlainText(); });
        });
        return outcome;
      },
      kTypedNote,
      QStringLiteral("select a.povolenka_vratena_dna,b.poznamka from e_povolenky2 a "
                     "join e_povolenky b on b.jedin=a.e_povolenky where a.jedin=53"));
}

TEST_P(ConcurrentPermitDialogsTest, ACatchLinesSecondSaveIsRefusedAndNothingOfTheFirstIsLost) {
  const TConcurrentEdit cases[] = {
      {"the other changed the count, this one the weight",
       "update e_ulovky set pocet=3 where jedin=54",
       "changed",
       {QStringLiteral("3/4")}},
      {"both changed the weight", "update e_ulovky set vaha=5 where jedin=54", "changed", {QStringLiteral("2/5")}},
      {"the other entered the permit's return date",
       "update e_povolenky2 set povolenka_vratena_dna='2026-12-01' where jedin=53",
       "",
       {QStringLiteral("2/6")}},
      {"the other deleted the line", "delete from e_ulovky where jedin=54", "gone", {}},
      {"the other deleted the payment with its permits", "delete from e_povolenky where jedin=50", "gone", {}},
  };
  ExpectEachSave(
      cases, [&] { ResetPayment(); },
      [&](const TConcurrentEdit& c) {
        TfrmEPovolenkyVrateniePridaj permit;
        TSaveOutcome outcome;
        EditChild(permit, 53, *permit.ulovky, 54, [&](TForm& f) {
          auto& line = dynamic_cast<TfrmEPovolenkyUlovkyPridaj&>(f);
          outcome = SaveAfterOther(
              f, c.other, [&] { line.eDBVaha->SetValue(6); }, [&] { return line.eDBVaha->text(); });
        });
        return outcome;
      },
      QStringLiteral("6,00"), QStringLiteral("select pocet,cast(vaha as integer) from e_ulovky where jedin=54"));
}

// A new child row (a payment's item, a permit's catch line) whose owner
// the other workstation deleted meanwhile: refused as a deleted record,
// the child dialog open with its entries, nothing stored.
TEST_P(ConcurrentPermitDialogsTest, AChildAddedToAnOwnerDeletedMeanwhileIsRefused) {
  for (const bool lines : {false, true}) {
    SCOPED_TRACE(lines ? "a catch line of a deleted permit" : "an item of a deleted payment");
    Answer();
    ResetPayment();
    TfrmEPovolenkyPridaj payment;
    TfrmEPovolenkyVrateniePridaj permit;
    TSaveOutcome outcome;
    auto inChild = [&](TForm& f) {
      TIBCurrencyEdit* typed = nullptr;
      if (lines) {
        auto& line = dynamic_cast<TfrmEPovolenkyUlovkyPridaj&>(f);
        line.eDBRevir->FindIt(22);
        line.eDBRyba->FindIt(30);
        line.eDBPocet->SetValue(1);
        typed = line.eDBVaha;
      } else {
        dynamic_cast<TfrmEPovolenkyPolozkyPridaj&>(f).eDBCeniny->FindIt(10);
        typed = dynamic_cast<TfrmEPovolenkyPolozkyPridaj&>(f).eDBCena;
      }
      outcome = SaveAfterOther(
          f, lines ? "delete from e_povolenky2 where jedin=53" : "delete from e_povolenky where jedin=50",
          [&] { typed->SetValue(18); }, [&] { return typed->text(); });
    };
    TDialogForm& owner = lines ? static_cast<TDialogForm&>(permit) : static_cast<TDialogForm&>(payment);
    TChildGrid& grid = lines ? *permit.ulovky : *payment.items;
    EditOwner(owner, lines ? 53 : 50, [&](TForm&) {
      script.Then(inChild);
      grid.Add();
    });
    ExpectAnswer("gone", outcome, QStringLiteral("18,00"));
    EXPECT_EQ(
        Rows(lines ? QStringLiteral("select jedin from e_ulovky") : QStringLiteral("select jedin from e_povolenky2")),
        QStringList());
  }
}

// A child row deleted in its owner's grid (the payment's items, the
// permit's catch lines) after the other workstation changed it.
TEST_P(ConcurrentPermitDialogsTest, AChildRowIsNotDeletedOverTheOthersChange) {
  const struct {
    const char* what;
    bool lines; // the permit's catch lines, else the payment's items
    const char* other;
    const char* refusal;   // "changed", "gone", "" (deleted)
    QStringList remaining; // the keys of the grid's table
  } cases[] = {
      {"the other changed the item",
       false,
       "update e_povolenky2 set cena=16 where jedin=51",
       "changed",
       {QStringLiteral("51"), QStringLiteral("53")}},
      {"the other changed the payment, not the item",
       false,
       "update e_povolenky set poznamka='Prevodom' where jedin=50",
       "",
       {QStringLiteral("53")}},
      {"the other deleted the item", false, "delete from e_povolenky2 where jedin=51", "gone", {QStringLiteral("53")}},
      {"the other changed the line",
       true,
       "update e_ulovky set vaha=5 where jedin=54",
       "changed",
       {QStringLiteral("54")}},
      {"the other entered the return, not the line",
       true,
       "update e_povolenky2 set povolenka_vratena_dna='2026-12-01' where jedin=53",
       "",
       {}},
      {"the other deleted the payment with the line", true, "delete from e_povolenky where jedin=50", "gone", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ResetPayment();
    if (c.lines) {
      TfrmEPovolenkyVrateniePridaj permit;
      DeleteChildAfterOther(permit, 53, *permit.ulovky, 54, c.other, c.refusal);
    } else {
      TfrmEPovolenkyPridaj payment;
      DeleteChildAfterOther(payment, 50, *payment.items, 51, c.other, c.refusal);
    }
    EXPECT_EQ(Rows(QStringLiteral("select jedin from ") +
                   (c.lines ? QStringLiteral("e_ulovky") : QStringLiteral("e_povolenky2")) +
                   QStringLiteral(" order by jedin")),
              c.remaining);
  }
}

VIMEK_ON_BOTH_TARGETS(ConcurrentPermitDialogsTest);

} // namespace
