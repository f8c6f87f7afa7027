#include "registers/permits/fEPovolenky.h"
#include "app/ToolBar.h"
#include "controls/DataEntryControl.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "core/DateTime.h"
#include "registers/common/ChildGrid.h"
#include "registers/permits/PermitRows.h"
#include "registers/permits/fEPovolenkyPolozkyPridaj.h"
#include "registers/permits/fEPovolenkyPridaj.h"
#include "tests/registers/permits/PermitPaymentsTestSupport.h"

namespace {

class PermitPaymentsTest : public PermitPaymentTest<TfrmEPovolenky> {
protected:
  static TfrmEPovolenkyPridaj& Payment(TForm& f) { return dynamic_cast<TfrmEPovolenkyPridaj&>(f); }
  static TfrmEPovolenkyPolozkyPridaj& Item(TForm& f) { return dynamic_cast<TfrmEPovolenkyPolozkyPridaj&>(f); }
  // One pass of the item dialog: the item, its extra text when it asks for one, the cash kind.
  std::function<void(TForm&)> EnterItem(int item, const QString& extra, int key) {
    return [=](TForm& f) {
      Activate(f);
      TfrmEPovolenkyPolozkyPridaj& d = Item(f);
      Choose(*d.eDBCeniny, item);
      if (!extra.isEmpty()) Retype(d.eDBDoplnkovyUdaj, extra);
      d.eDBDruhDokladu->FindIt(30);
      Press(f, key);
    };
  }
  static bool Red(const TDataEntryControl& control) { return control.Color() == TDataEntryControl::ErrorColor; }
};

TEST_F(PermitPaymentsTest, APaymentWithAFeeAndAFormWritesItsNumberStockIssuesCashRowAndPrintsItsReceipt) {
  // A guest sale's number does not count for base payments; the cash book holds one receipt already.
  Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo) values (60,2026,1,5)");
  Sql("insert into e_pokladna (jedin,rok,druh_dokladu,typ,p1,p2,smer_pohybu,popis) values "
      "(70,2026,'PPD',1,3,1,1,'Dar')");
  Open();
  EXPECT_EQ(form->Caption(), QStringLiteral("Platby za základné povolenky - rok 2026"));
  double number = 0, total = 0;
  QVariant secondWorkstation;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyPridaj& d = Payment(f);
    EXPECT_EQ(d.Caption(), QStringLiteral("Pridanie platby za základné povolenky"));
    number = d.eDBCislo->Value();
    // Another workstation opening its add now gets the next number.
    const std::unique_ptr<TIBDatabase> other = fresh->Connect();
    TTestStatement next(other.get(),
                        QStringLiteral("insert into e_povolenky (jedin,rok,typ_povolenky,cislo) values (61,2026,0,%1)")
                            .arg(NextPaymentNumberExpression(0)),
                        {{QStringLiteral("ROK"), 2026}});
    next.Query().ExecSQL();
    next.Commit();
    Choose(*d.eDBClen, 40);
    // Entering the empty item grid starts the item dialog.
    d.items->grid->setFocus();
    QTest::qWaitFor([&] { return script.Pending() == 0; }, 10000);
    total = d.eSpolu->Value();
    Press(f, Qt::Key_F12);
  });
  script.Then(EnterItem(10, QString(), Qt::Key_F11));
  script.Then(EnterItem(11, QStringLiteral("T-5"), Qt::Key_F12));
  Key(Qt::Key_P);
  EXPECT_EQ(number, 1);
  EXPECT_EQ(total, 15);
  EXPECT_EQ(Column(QStringLiteral("select cislo from e_povolenky where jedin=61")), QVariantList({2}));
  const QString today = QDate::currentDate().toString(Qt::ISODate);
  EXPECT_EQ(
      Rows(QStringLiteral("select cislo,datum,c_clenov,spolu from e_povolenky where typ_povolenky=0 and jedin<>61")),
      QStringList(QStringLiteral("1/%1/40/15").arg(today)));
  // Both issues carry the member's display name.
  EXPECT_EQ(Rows(QStringLiteral("select a.mnozstvo,a.smer_pohybu,a.datum,a.c_clenov,"
                                "case when a.nazov_uplny=b.nazov_uplny then 1 else 0 end "
                                "from e_ceniny a join c_clenov b on b.jedin=40 order by a.cislo")),
            QStringList({QStringLiteral("-1/-1/%1/40/1").arg(today), QStringLiteral("-1/-1/%1/40/1").arg(today)}));
  EXPECT_EQ(Rows(QStringLiteral("select p1,p2,prijem,datum,c_clenov,nazov from e_pokladna where jedin<>70")),
            QStringList(QStringLiteral("4/1/15/%1/40/Novák Ján Ing.").arg(today)));
  EXPECT_EQ(Column(QStringLiteral("select uhradene from c_clenov_clenske where c_clenov=40 and rok=2026")),
            QVariantList({1}));
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(prints[0].Template, QStringLiteral("POV_Zakl.rpf"));
  ASSERT_EQ(prints[0].Rows.size(), 1u);
  EXPECT_EQ(prints[0].Rows[0].value(QStringLiteral("CISLO")), QVariant(1));
}

TEST_F(PermitPaymentsTest, CancelAfterTwoItemsLeavesNothing) {
  Open();
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyPridaj& d = Payment(f);
    Choose(*d.eDBClen, 40);
    d.items->add->click();
    Press(f, Qt::Key_Escape);
  });
  script.Then(EnterItem(10, QString(), Qt::Key_F11));
  script.Then(EnterItem(11, QStringLiteral("T-6"), Qt::Key_F12));
  Key(Qt::Key_P);
  for (const char* table : {"e_povolenky", "e_povolenky2", "e_ceniny", "e_pokladna", "c_clenov_clenske"})
    EXPECT_EQ(Column(QStringLiteral("select count(*) from %1").arg(QString::fromLatin1(table))), QVariantList({0}))
        << table;
  EXPECT_TRUE(prints.empty());
}

TEST_F(PermitPaymentsTest, AnItemDeletedFromASavedPaymentLeavesTheRightTotalAlsoWhenTheDialogIsCancelled) {
  Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,c_clenov,datum,spolu) "
      "values (90,2026,0,1,40,'2026-03-02',15)");
  Sql("insert into e_povolenky2 (jedin,e_povolenky,rok,typ_povolenky,typ_platby,c_ceniny,cena) "
      "values (91,90,2026,0,0,10,5)");
  Sql("insert into e_povolenky2 (jedin,e_povolenky,rok,typ_povolenky,typ_platby,c_ceniny,cena) "
      "values (92,90,2026,0,0,10,10)");
  Open();
  Answer({mrYes});
  double shown = 0;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyPridaj& d = Payment(f);
    ASSERT_TRUE(d.items->query->Locate(QStringLiteral("jedin"), 92));
    d.items->Delete();
    shown = d.eSpolu->Value();
    Press(f, Qt::Key_Escape);
  });
  Key(Qt::Key_F4);
  EXPECT_EQ(Messages(), QStringList(QStringLiteral("Naozaj vymazať označený záznam?")));
  EXPECT_EQ(shown, 5);
  EXPECT_EQ(Rows(QStringLiteral("select count(*),sum(cena) from e_povolenky2")), QStringList(QStringLiteral("1/5")));
  EXPECT_EQ(Column(QStringLiteral("select spolu from e_povolenky where jedin=90")), QVariantList({5}));
}

TEST_F(PermitPaymentsTest, TheMembersWarningsAreRedAndNeverStopTheSave) {
  // Last year: a permit back on 16 January, 7.5 of the 8 hours; a fine not paid.
  Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,c_clenov) values (80,2025,0,1,40)");
  Sql("insert into e_povolenky2 (jedin,e_povolenky,rok,typ_povolenky,typ_platby,c_ceniny,cena,povolenka_vratena_dna) "
      "values (81,80,2025,0,0,13,40,'2026-01-16')");
  Sql("insert into e_brigady (jedin,rok,c_clenov,hodiny) values (82,2025,40,7.5)");
  Sql("insert into e_priestupky (jedin,rok,c_clenov,pokuta,pokuta_zaplatena,vybaveny) values (83,2024,40,30,10,0)");
  Open();
  bool returnRed = false, dutyRed = false, fineRed = false;
  double fine = 0, hours = 0;
  QString card, bornBefore, returnedBefore;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyPridaj& d = Payment(f);
    bornBefore = d.eDatumNarodenia->text();
    returnedBefore = d.ePovolenkaVratena->text();
    Choose(*d.eDBClen, 40);
    returnRed = Red(*d.ePovolenkaVratena);
    dutyRed = Red(*d.eBrigada);
    fineRed = Red(*d.ePokuta);
    fine = d.ePokuta->Value();
    hours = d.eBrigada->Value();
    card = d.eCisloLegimitacie->text();
    Press(f, Qt::Key_F12);
  });
  Key(Qt::Key_P);
  // Without a member the member's dates show nothing (not today).
  EXPECT_EQ(bornBefore, QString());
  EXPECT_EQ(returnedBefore, QString());
  EXPECT_TRUE(returnRed);
  EXPECT_TRUE(dutyRed);
  EXPECT_TRUE(fineRed);
  EXPECT_EQ(fine, 20);
  EXPECT_EQ(hours, 7.5);
  EXPECT_EQ(card, QStringLiteral("L-77"));
  EXPECT_EQ(Column(QStringLiteral("select count(*) from e_povolenky where rok=2026 and c_clenov=40")),
            QVariantList({1}));
}

TEST_F(PermitPaymentsTest, ANumberTypedOverThatAnotherPaymentHasIsRefusedAndTheNumberKeepsTheFocus) {
  Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo) values (60,2026,0,5)");
  Open();
  bool stayedOpen = false, numberFocused = false;
  QStringList refusal;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyPridaj& d = Payment(f);
    Choose(*d.eDBClen, 40);
    Retype(d.eDBCislo, QStringLiteral("5"));
    Press(f, Qt::Key_F12);
    stayedOpen = f.isVisible();
    numberFocused = d.eDBCislo->hasFocus();
    refusal = Messages();
    Press(f, Qt::Key_Escape);
  });
  Key(Qt::Key_P);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(numberFocused);
  ASSERT_FALSE(refusal.isEmpty());
  EXPECT_TRUE(refusal.last().contains(QStringLiteral("#2001"))) << refusal.join(QLatin1Char('|')).toStdString();
  // The placeholder went with the cancel; the other payment stays.
  EXPECT_EQ(Column(QStringLiteral("select jedin from e_povolenky")), QVariantList({60}));
}

} // namespace
