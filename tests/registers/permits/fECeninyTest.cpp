#include "registers/permits/fECeniny.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/QPLBtn.h"
#include "core/DateTime.h"
#include "registers/permits/fECeninyPridaj.h"
#include "registers/permits/fECeninyTlac.h"
#include "registers/permits/fPCeninyZostatky.h"
#include "tests/registers/members/RecordingPrintForm.h"
#include "tests/registers/permits/PermitsTestSupport.h"
#include <QtCore/QDate>
#include <QtWidgets/QLabel>

namespace {

// One stock movement as the database keeps it: the quantity with its sign.
struct TStockRow {
  int Cislo;
  QDate Datum;
  int Smer;
  int Cenina;
  double Mnozstvo;
  QString Nazov;           // a guest's name; empty for none
  QVariant Povolenka = {}; // the permit item that wrote it
  int Rok = 2026;
};

class ValuablesTest : public PermitListTest<TfrmECeniny> {
protected:
  void SetUp() override {
    PermitListTest::SetUp();
    znamka = AddKind(2026, QStringLiteral("Známka členská"), 2, 0.5);
    povolenka = AddKind(2026, QStringLiteral("Povolenka kaprová"), 30, 12);
    AddKind(2025, QStringLiteral("Známka členská"), 1.5, 0.5);
  }
  void TearDown() override {
    SetPrintFormFactory(nullptr);
    PermitListTest::TearDown();
  }
  int AddKind(int rok, const QString& nazov, double cena, double odvod) {
    return InsertRow(
        QStringLiteral("c_ceniny_id"),
        QStringLiteral("insert into c_ceniny (jedin,rok,nazov,cena,odvod_jux) values (:JEDIN,:R,:N,:C,:O)"),
        {{QStringLiteral("R"), rok},
         {QStringLiteral("N"), nazov},
         {QStringLiteral("C"), cena},
         {QStringLiteral("O"), odvod}});
  }
  int AddStock(const TStockRow& r) {
    return InsertRow(QStringLiteral("e_ceniny_id"),
                     QStringLiteral("insert into e_ceniny (jedin,rok,cislo,datum,smer_pohybu,c_ceniny,cena,odvod_jux,"
                                    "mnozstvo,nazov_uplny,e_povolenky2) values (:JEDIN,:R,:CI,:D,:S,:K,"
                                    "(select cena from c_ceniny where jedin=:K),(select odvod_jux from c_ceniny where "
                                    "jedin=:K),:M,:N,:P)"),
                     {{QStringLiteral("R"), r.Rok},
                      {QStringLiteral("CI"), r.Cislo},
                      {QStringLiteral("D"), r.Datum},
                      {QStringLiteral("S"), r.Smer},
                      {QStringLiteral("K"), r.Cenina},
                      {QStringLiteral("M"), r.Mnozstvo},
                      {QStringLiteral("N"), r.Nazov.isEmpty() ? QVariant() : QVariant(r.Nazov)},
                      {QStringLiteral("P"), r.Povolenka}});
  }
  int AddMember(const QString& priezvisko, const QString& meno) {
    return InsertRow(QStringLiteral("c_clenov_id"),
                     QStringLiteral("insert into c_clenov (jedin,meno,priezvisko) values (:JEDIN,:M,:P)"),
                     {{QStringLiteral("M"), meno}, {QStringLiteral("P"), priezvisko}});
  }
  static TfrmECeninyPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmECeninyPridaj&>(f); }
  static void Activate(TForm& f) {
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&f] { return f.isActiveWindow(); }, 5000));
  }
  QStringList Stored() const {
    return Rows(QStringLiteral("select cislo,smer_pohybu,mnozstvo,cena,odvod_jux,c_clenov,c_partneri "
                               "from e_ceniny order by jedin"));
  }

  int znamka = 0, povolenka = 0;
  std::vector<TRecordedPrint> prints;
};

TEST_F(ValuablesTest, AnIssueTypedWithoutSignIsStoredListedAndShownAsItShould) {
  const int member = AddMember(QStringLiteral("Šťastný"), QStringLiteral("Ľubomír"));
  Open();
  EXPECT_EQ(form->Caption(), QStringLiteral("Evidencia cenín a tlačív - rok 2026"));
  QStringList seen;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmECeninyPridaj& d = Dialog(f);
    seen << f.Caption() << d.eDBCislo->text() << d.eDBSmerPohybu->currentText();
    Choose(*d.eDBSmerPohybu, QStringLiteral("výd"));
    Choose(*d.eDBCenina, QStringLiteral("Známka"));
    seen << d.eDBCena->text() << d.eDBOdvodJUX->text();
    Retype(d.eDBMnozstvo, QStringLiteral("5"));
    seen << d.eSpolu->text();
    // A member hides the partner; cleared, the partner is back.
    Choose(*d.eDBClen, QStringLiteral("Šťast"));
    seen << QString::fromLatin1(d.eDBPartneri->isVisible() ? "partner shown" : "partner hidden");
    d.eDBClen->setFocus();
    d.eDBClen->lineEdit()->selectAll();
    QTest::keyClick(d.eDBClen, Qt::Key_Delete);
    QTest::keyClick(d.eDBClen, Qt::Key_Tab);
    seen << QString::fromLatin1(d.eDBPartneri->isVisible() ? "partner shown" : "partner hidden");
    Choose(*d.eDBClen, QStringLiteral("Šťast"));
    Save(f);
  });
  Key(Qt::Key_P);
  EXPECT_EQ(seen, QStringList({QStringLiteral("Pridanie pohybu ceniny"), QStringLiteral("1"), QStringLiteral("príjem"),
                               QStringLiteral("2,00"), QStringLiteral("0,50"), QStringLiteral("10,00"),
                               QStringLiteral("partner hidden"), QStringLiteral("partner shown")}));
  EXPECT_EQ(Stored(), QStringList(QStringLiteral("1/-1/-5/2/0.5/%1/").arg(member)));
  EXPECT_EQ(Listed(QStringLiteral("MNOZSTVO")), QVariantList({-5.0}));
  EXPECT_EQ(Listed(QStringLiteral("CENA")).value(0).toDouble(), -10.0);
  EXPECT_EQ(Listed(QStringLiteral("PARTNER")).value(0).toString(), QStringLiteral("Šťastný Ľubomír"));

  // Edited, the issue shows its quantity without sign; a receipt turned into an issue is stored negated.
  AddStock({2, QDate(2026, 3, 1), 1, povolenka, 3, {}});
  form->list.btnRefreshClick();
  QString shownQuantity;
  script.Then([&](TForm& f) {
    Activate(f);
    shownQuantity = Dialog(f).eDBMnozstvo->text();
    Press(f, Qt::Key_Escape);
  });
  form->list.LocateKey(Column(QStringLiteral("select jedin from e_ceniny where cislo=1")).value(0).toInt());
  Key(Qt::Key_F4);
  EXPECT_EQ(shownQuantity, QStringLiteral("5,00"));
  script.Then([&](TForm& f) {
    Activate(f);
    Choose(*Dialog(f).eDBSmerPohybu, QStringLiteral("výd"));
    Save(f);
  });
  form->list.LocateKey(Column(QStringLiteral("select jedin from e_ceniny where cislo=2")).value(0).toInt());
  Key(Qt::Key_F4);
  EXPECT_EQ(Rows(QStringLiteral("select smer_pohybu,mnozstvo from e_ceniny where cislo=2")),
            QStringList(QStringLiteral("-1/-3")));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(ValuablesTest, ANumberTakenMeanwhileIsRefusedWithTheNextFreeOneProposed) {
  AddStock({1, QDate(2026, 1, 5), 1, znamka, 10, {}});
  AddStock({7, QDate(2025, 1, 5), 1, znamka, 10, {}, {}, 2025}); // another year's numbers do not count
  Open();
  QStringList seen;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmECeninyPridaj& d = Dialog(f);
    seen << d.eDBCislo->text();
    // Another workstation saves number 2 while this dialog is open.
    AddStock({2, QDate(2026, 1, 6), 1, znamka, 1, {}});
    Choose(*d.eDBCenina, QStringLiteral("Známka"));
    Retype(d.eDBMnozstvo, QStringLiteral("4"));
    Press(f, Qt::Key_F12);
    seen << QString::fromLatin1(f.isVisible() ? "open" : "closed") << d.eDBCislo->text();
    Save(f);
  });
  Key(Qt::Key_P);
  EXPECT_EQ(seen, QStringList({QStringLiteral("2"), QStringLiteral("open"), QStringLiteral("3")}));
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_TRUE(Messages()[0].contains(QStringLiteral("2")) && Messages()[0].contains(QStringLiteral("3")))
      << Messages()[0].toStdString();
  EXPECT_EQ(Rows(QStringLiteral("select cislo,mnozstvo from e_ceniny where rok=2026 order by cislo")),
            QStringList({QStringLiteral("1/10"), QStringLiteral("2/1"), QStringLiteral("3/4")}));
}

TEST_F(ValuablesTest, EachFilterFieldNarrowsTheListAndBothRangesApplyTogether) {
  AddStock({1, QDate(2026, 1, 10), 1, znamka, 100, QStringLiteral("Novák Ján")});
  AddStock({2, QDate(2026, 2, 15), -1, povolenka, -2, QStringLiteral("Kováč Peter")});
  AddStock({3, QDate(2026, 3, 20), -1, znamka, -30, QStringLiteral("Novák Ján")});
  AddStock({4, QDate(2026, 4, 25), 1, povolenka, 20, QStringLiteral("Kováč Peter")});
  AddStock({5, QDate(2025, 2, 1), 1, znamka, 1, QStringLiteral("Novák Ján"), {}, 2025});
  Open();
  Key(Qt::Key_F);
  ASSERT_TRUE(form->list.btnFilter->Down());
  struct TCase {
    const char* name;
    QDate od, doDatum;
    int cisloOd, cisloDo;
    int smer;
    const char* kontakt;
    bool kind;
    QVariantList listed;
  };
  const TCase cases[] = {
      {"no field set", {}, {}, 0, 0, 0, "", false, {1, 2, 3, 4}},
      {"date range", QDate(2026, 2, 1), QDate(2026, 3, 31), 0, 0, 0, "", false, {2, 3}},
      {"reversed date range", QDate(2026, 3, 31), QDate(2026, 2, 1), 0, 0, 0, "", false, {2, 3}},
      {"date from only", QDate(2026, 3, 1), {}, 0, 0, 0, "", false, {3, 4}},
      {"date to only", {}, QDate(2026, 2, 15), 0, 0, 0, "", false, {1, 2}},
      {"number range", {}, {}, 2, 3, 0, "", false, {2, 3}},
      {"reversed number range", {}, {}, 3, 2, 0, "", false, {2, 3}},
      {"number from 0 is unset", {}, {}, 0, 2, 0, "", false, {1, 2}},
      {"number to 0 is unset", {}, {}, 3, 0, 0, "", false, {3, 4}},
      {"both ranges", QDate(2026, 1, 1), QDate(2026, 3, 31), 3, 4, 0, "", false, {3}},
      {"direction", {}, {}, 0, 0, -1, "", false, {2, 3}},
      {"contact", {}, {}, 0, 0, 0, "Novák Ján", false, {1, 3}},
      {"kind", {}, {}, 0, 0, 0, "", true, {2, 4}},
  };
  const auto date = [](QDate d) { return d.isValid() ? QVariant(DateTime::FromDate(d)) : QVariant(); };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TfrmECeniny& f = *form;
    f.eDatumOd->SetDate(date(c.od));
    f.eDatumDo->SetDate(date(c.doDatum));
    f.eCisloOd->SetValue(c.cisloOd);
    f.eCisloDo->SetValue(c.cisloDo);
    c.smer ? f.eSmerPohybu->FindIt(c.smer) : f.eSmerPohybu->ClearValue();
    *c.kontakt ? f.eKontakt->FindIt(QString::fromUtf8(c.kontakt)) : f.eKontakt->ClearValue();
    c.kind ? f.eCenina->FindIt(povolenka) : f.eCenina->ClearValue();
    f.list.btnRefreshClick();
    EXPECT_EQ(Listed(QStringLiteral("CISLO")), c.listed);
  }
}

TEST_F(ValuablesTest, AMovementOfAPermitItemOpensReadOnlyChangesNothingAndCannotBeDeleted) {
  const int payment = InsertRow(QStringLiteral("e_povolenky_id"),
                                QStringLiteral("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,datum) "
                                               "values (:JEDIN,2026,2,1,'2026-05-02')"),
                                {});
  const int item = InsertRow(QStringLiteral("e_povolenky2_id"),
                             QStringLiteral("insert into e_povolenky2 (jedin,e_povolenky,rok,c_ceniny,cena,typ_platby) "
                                            "values (:JEDIN,:E,2026,:K,30,0)"),
                             {{QStringLiteral("E"), payment}, {QStringLiteral("K"), povolenka}});
  const int row = AddStock({1, QDate(2026, 5, 2), -1, povolenka, -1, QStringLiteral("Hosť Tomáš Ďurica"), item});
  const QStringList before = Stored();
  Open();
  QStringList seen;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmECeninyPridaj& d = Dialog(f);
    seen << QString::number(f.Tag())
         << (d.dlg.btnDalsi->isVisible() ? QStringLiteral("Ďalší") : QStringLiteral("no Ďalší"))
         << d.lblPartneri->text() << d.eDBPartneri->currentText() << d.eDBMnozstvo->text()
         << QString::fromLatin1(d.eDBMnozstvo->isReadOnly() ? "read-only" : "editable");
    Save(f);
  });
  form->list.LocateKey(row);
  Key(Qt::Key_F4);
  EXPECT_EQ(seen,
            QStringList({QStringLiteral("3"), QStringLiteral("no Ďalší"), QStringLiteral("Hosť:"),
                         QStringLiteral("Hosť Tomáš Ďurica"), QStringLiteral("1,00"), QStringLiteral("read-only")}));
  EXPECT_EQ(Stored(), before);

  Answer({mrYes});
  form->list.LocateKey(row);
  Key(Qt::Key_F8);
  EXPECT_TRUE(Messages().join(QLatin1Char('|')).contains(QStringLiteral("#2004")))
      << Messages().join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(Stored(), before);
}

TEST_F(ValuablesTest, AGuestRowOfTheRegisterItselfOffersThePartnersAndSavesKeepingTheGuest) {
  const int row = AddStock({1, QDate(2026, 5, 2), -1, znamka, -2, QStringLiteral("Kováč Peter")});
  Open();
  QStringList seen;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmECeninyPridaj& d = Dialog(f);
    seen << d.lblPartneri->text() << d.eDBPartneri->currentText();
    // Passing the combo neither refuses the guest's name nor makes it a partner.
    d.eDBPartneri->setFocus(Qt::TabFocusReason);
    QTest::keyClick(d.eDBPartneri, Qt::Key_Tab);
    seen << d.lblPartneri->text();
    Save(f);
  });
  form->list.LocateKey(row);
  Key(Qt::Key_F4);
  EXPECT_EQ(seen, QStringList({QStringLiteral("Hosť:"), QStringLiteral("Kováč Peter"), QStringLiteral("Partner:")}));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(Rows(QStringLiteral("select mnozstvo,c_partneri,nazov_uplny from e_ceniny")),
            QStringList(QStringLiteral("-2//Kováč Peter")));
}

TEST_F(ValuablesTest, BothPrintsTakeTheMarkedMovementsElseAllAndSumReceiptsFirst) {
  TRecordingPrintForm::Install(prints);
  AddStock({1, QDate(2026, 1, 10), 1, znamka, 100, {}});
  AddStock({2, QDate(2026, 2, 15), -1, znamka, -30, {}});
  AddStock({3, QDate(2026, 3, 20), -1, znamka, -20, {}});
  AddStock({4, QDate(2026, 4, 25), 1, povolenka, 20, {}});
  Open();
  for (int cislo : {1, 2, 4}) {
    form->list.LocateKey(
        Column(QStringLiteral("select jedin from e_ceniny where cislo=:C"), {{QStringLiteral("C"), cislo}})
            .value(0)
            .toInt());
    Key(Qt::Key_Insert);
  }
  TfrmECeninyTlac dialog(form.get(), form->list);
  EXPECT_EQ(dialog.btn1->text(), QStringLiteral("Tlač zoznam cenín položkovite"));
  dialog.btn1->click();
  form->list.gr1->UncheckAll();
  dialog.btn1->click();
  dialog.btn2->click();
  ASSERT_EQ(prints.size(), 3u);
  const auto column = [](const TRecordedPrint& p, const char* field) {
    QStringList values;
    for (const QVariantMap& row : p.Rows)
      values << row.value(QString::fromLatin1(field)).toString();
    return values;
  };
  EXPECT_EQ(prints[0].Template, QStringLiteral("Ceniny01.rpf"));
  EXPECT_EQ(column(prints[0], "CISLO"), QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4")}));
  EXPECT_EQ(column(prints[1], "CISLO"),
            QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
  EXPECT_EQ(prints[2].Template, QStringLiteral("Ceniny02.rpf"));
  EXPECT_EQ(prints[2].Title, QStringLiteral("Tlač cenín sumárne"));
  // Per direction (receipts first) and kind: the two issues of one kind and price are one row.
  EXPECT_EQ(column(prints[2], "SMER_POHYBU"),
            QStringList({QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("-1")}));
  EXPECT_EQ(column(prints[2], "MNOZSTVO"),
            QStringList({QStringLiteral("20"), QStringLiteral("100"), QStringLiteral("-50")}));
  EXPECT_EQ(prints[2].Aliases, (QMap<QString, QString>{{QStringLiteral("ib1"), QStringLiteral("MASTER")}}));
  EXPECT_TRUE(prints[2].Variables.isEmpty());
}

class BalancesTest : public ValuablesTest {};

TEST_F(BalancesTest, TheBalanceOfAKindIsItsReceiptsLessItsIssuesWithinTheRange) {
  AddKind(2026, QStringLiteral("Kniha rybára"), 5, 0); // no movement: no row
  const int hostovska = AddKind(2026, QStringLiteral("Hosťovská povolenka"), 10, 4);
  AddStock({1, QDate(2026, 1, 10), 1, znamka, 100, {}});
  AddStock({2, QDate(2026, 2, 15), -1, znamka, -30, {}});
  AddStock({3, QDate(2026, 3, 20), 1, povolenka, 10, {}});
  AddStock({4, QDate(2026, 3, 21), 1, hostovska, 5, {}});
  AddStock({5, QDate(2025, 3, 21), 1, hostovska, 50, {}, {}, 2025});
  TfrmPCeninyZostatky balances(nullptr, 2026);
  ShowActive(balances);
  EXPECT_EQ(balances.Caption(), QStringLiteral("Prehľad zostatkov cenín, tlačív"));
  EXPECT_FALSE(balances.list.btnPridaj);
  balances.list.btnRefreshClick();
  const auto shown = [&balances] {
    QStringList rows;
    TIBQuery& q = *balances.list.ib1;
    for (int row = 0; row < q.RecordCount(); ++row)
      rows << QStringLiteral("%1/%2/%3/%4")
                  .arg(q.ValueAt(row, q.FieldByName(QStringLiteral("NAZOV")).Index()).toString())
                  .arg(q.ValueAt(row, q.FieldByName(QStringLiteral("ZOSTATOK")).Index()).toDouble())
                  .arg(q.ValueAt(row, q.FieldByName(QStringLiteral("CENA")).Index()).toDouble())
                  .arg(q.ValueAt(row, q.FieldByName(QStringLiteral("ODVOD_JUX")).Index()).toDouble());
    return rows;
  };
  const QStringList all{QStringLiteral("Hosťovská povolenka/5/50/20"), QStringLiteral("Povolenka kaprová/10/300/120"),
                        QStringLiteral("Známka členská/70/140/35")};
  EXPECT_EQ(shown(), all);

  // Two marked kinds, shown alone, keep their full balances.
  balances.list.gr1->setFocus();
  for (int kind : {znamka, hostovska}) {
    balances.list.LocateKey(kind);
    QTest::keyClick(balances.list.gr1, Qt::Key_Insert);
  }
  balances.list.btnOznacene->click();
  EXPECT_EQ(shown(), QStringList({all[0], all[2]}));
  balances.list.btnOznacene->click();

  // The range counts while the filter is down; reversed, it gives the same rows.
  balances.eOd->SetDate(DateTime::FromDate(QDate(2026, 2, 1)));
  balances.eDo->SetDate(DateTime::FromDate(QDate(2026, 3, 20)));
  balances.list.btnRefreshClick();
  EXPECT_EQ(shown(), all);
  QTest::keyClick(balances.list.gr1, Qt::Key_F);
  const QStringList ranged{QStringLiteral("Povolenka kaprová/10/300/120"),
                           QStringLiteral("Známka členská/-30/-60/-15")};
  EXPECT_EQ(shown(), ranged);
  balances.eOd->SetDate(DateTime::FromDate(QDate(2026, 3, 20)));
  balances.eDo->SetDate(DateTime::FromDate(QDate(2026, 2, 1)));
  balances.list.btnRefreshClick();
  EXPECT_EQ(shown(), ranged);
}

} // namespace
