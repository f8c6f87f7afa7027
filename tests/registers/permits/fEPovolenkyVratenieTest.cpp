#include "registers/permits/fEPovolenkyVratenie.h"
#include "app/FormRegistry.h"
#include "app/ToolBar.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "controls/QPLBtn.h"
#include "registers/common/ChildGrid.h"
#include "registers/members/fCClenovPridaj.h"
#include "registers/permits/PermitsForms.h"
#include "registers/permits/fEPovolenkyUlovkyPridaj.h"
#include "registers/permits/fEPovolenkyVrateniePridaj.h"
#include "tests/registers/permits/PermitPaymentsTestSupport.h"
#include <QtWidgets/QLabel>
#include <QtWidgets/QStatusBar>

namespace {

// Permits of 2026: a member's base permit P-1 (item 61, still out) and a
// guest permit HP-7 of a holder without a member (item 63, back, on the
// council's ground Váh); of 2025 the member's base permit P-0 (item 65,
// back). Fish: carp and pike caught, and a stocking fish.
class PermitReturnsTest : public PermitPaymentTest<TfrmEPovolenkyVratenie> {
protected:
  void SetUp() override {
    PermitPaymentTest::SetUp();
    Sql("insert into c_druhy_ryb (jedin,nazov,typ,cena) values (50,'Kapor',1,3)");
    Sql("insert into c_druhy_ryb (jedin,nazov,typ,cena) values (51,'Šťuka',1,5)");
    Sql("insert into c_druhy_ryb (jedin,nazov,typ,cena) values (52,'Násada kapra',2,1)");
    Sql("insert into c_reviry_jux (jedin,rok,cislo,nazov,nazov_uplny,nazov_uplny2,c_zo) values "
        "(24,2025,'2-0300','Štrkovisko','Štrkovisko 2025','Štrkovisko 2025',2)");
    Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,c_clenov,datum,poznamka) "
        "values (60,2026,0,1,40,'2026-01-20','Platil v hotovosti')");
    Sql("insert into e_povolenky2 (jedin,e_povolenky,rok,typ_povolenky,typ_platby,c_ceniny,cena,doplnkovy_udaj) "
        "values (61,60,2026,0,0,13,40,'P-1')");
    Sql("insert into e_povolenky2 (jedin,e_povolenky,rok,typ_povolenky,typ_platby,c_ceniny,cena) "
        "values (66,60,2026,0,2,10,15)");
    Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,datum,titul,meno,priezvisko,ulica,psc,mesto) "
        "values (62,2026,1,1,'2026-05-02','Mgr.','Peter','Horák','Dlhá 5','01001','Žilina')");
    Sql("insert into e_povolenky2 (jedin,e_povolenky,rok,typ_povolenky,typ_platby,c_ceniny,cena,doplnkovy_udaj,"
        "c_reviry_jux,c_zo,povolenka_vratena_dna) values (63,62,2026,1,0,12,20,'HP-7',20,1,'2026-10-01')");
    Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,c_clenov,datum) values (64,2025,0,1,40,'2025-02-01')");
    Sql("insert into e_povolenky2 (jedin,e_povolenky,rok,typ_povolenky,typ_platby,c_ceniny,cena,doplnkovy_udaj,"
        "povolenka_vratena_dna) values (65,64,2025,0,0,13,40,'P-0','2026-01-10')");
  }
  void TearDown() override {
    for (const char* name : {"btnPovolenky", "btnPovolenkyMinulyRok"})
      TfrmCClenovPridaj::SetRegisterOpener(QString::fromLatin1(name), {});
    PermitPaymentTest::TearDown();
  }
  static QString Info(int all, int returned, int out) {
    return QStringLiteral("Celkový počet v evidencii: %1\r\n\r\nZ toho vrátených: %2\r\n\r\nZostáva vrátiť: %3")
        .arg(all)
        .arg(returned)
        .arg(out);
  }
  static QVariantList Listed(const TfrmEPovolenkyVratenie& list, const char* field) {
    QVariantList values;
    TIBQuery& q = *list.list.ib1;
    for (int row = 0; row < q.RecordCount(); ++row)
      values.append(q.ValueAt(row, q.FieldByName(QString::fromLatin1(field)).Index()));
    return values;
  }
  static TfrmEPovolenkyVrateniePridaj& Return(TForm& f) { return dynamic_cast<TfrmEPovolenkyVrateniePridaj&>(f); }
  static TfrmEPovolenkyUlovkyPridaj& Catch(TForm& f) { return dynamic_cast<TfrmEPovolenkyUlovkyPridaj&>(f); }
  static QStringList Panels(const TfrmEPovolenkyVrateniePridaj& d) {
    QStringList texts;
    for (const QLabel* panel : d.sbPanels)
      texts.append(panel->text());
    return texts;
  }
  static void TypeDate(TIBDate& edit, const QString& text) {
    edit.setFocus();
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, text);
  }
  // One catch line typed into the shown dialog: species, count, weight.
  static void TypeLine(TfrmEPovolenkyUlovkyPridaj& d, int species, const QString& pocet, const QString& vaha) {
    Choose(*d.eDBRyba, species);
    Retype(d.eDBPocet, pocet);
    Retype(d.eDBVaha, vaha);
  }
  // Runs the catch dialog's add passes for permit item `item` of ground
  // `revir` in `rok`, as the return dialog does.
  int AddCatches(int item, const QVariant& revir, quint16 rok) {
    TfrmEPovolenkyUlovkyPridaj dialog;
    dialog.dlg.Rok = rok;
    return RunAddPasses(dialog, [&] {
      dialog.EPovolenky2 = item;
      dialog.Revir = revir;
    });
  }
  // The ground keys the combo finds among `keys` under its present condition.
  static QVariantList Offered(TIBComboBox& combo, const QVariantList& keys) {
    const QVariant kept = KeyParam(combo);
    QVariantList found;
    for (const QVariant& key : keys) {
      combo.FindIt(key);
      if (KeyParam(combo) == key) found.append(key);
    }
    combo.FindIt(kept);
    return found;
  }
};

TEST_F(PermitReturnsTest, TheWorkingYearsPermitsToReturnWithTheirNoteAndCounts) {
  Open();
  EXPECT_EQ(form->Caption(), QStringLiteral("Sumarizácia úlovkov - rok 2026"));
  // By the holder's name: Horák's guest permit before Novák's base permit.
  EXPECT_EQ(Listed(*form, "DOPLNKOVY_UDAJ"), QVariantList({QStringLiteral("HP-7"), QStringLiteral("P-1")}));
  EXPECT_EQ(Listed(*form, "REVIR").value(0).toString(), QStringLiteral("Váh"));
  EXPECT_EQ(form->ePoznamka->toPlainText(), QString());
  Key(Qt::Key_Down);
  EXPECT_EQ(form->ePoznamka->toPlainText(), QStringLiteral("Platil v hotovosti"));
  // The counts are the year's, whatever the filter shows.
  Key(Qt::Key_F);
  Choose(*form->eDBClen, 40);
  form->list.btnRefreshClick();
  EXPECT_EQ(Listed(*form, "DOPLNKOVY_UDAJ"), QVariantList({QStringLiteral("P-1")}));
  form->list.gr1->setFocus();
  Key(Qt::Key_I);
  EXPECT_EQ(Messages(), QStringList(Info(2, 1, 1)));
}

TEST_F(PermitReturnsTest, AHolderWithoutAMemberIsFoundUnderOstatni) {
  const QString horak =
      Column(QStringLiteral("select nazov_uplny from e_povolenky where jedin=62")).value(0).toString();
  ASSERT_TRUE(horak.startsWith(QStringLiteral("Horák Peter"))) << horak.toStdString();
  Open();
  Key(Qt::Key_F);
  ASSERT_TRUE(form->list.pnlFilter->isVisible());
  Choose(*form->eDBOstatni, horak);
  EXPECT_EQ(form->eDBOstatni->currentText(), horak);
  form->list.btnRefreshClick();
  EXPECT_EQ(Listed(*form, "DOPLNKOVY_UDAJ"), QVariantList({QStringLiteral("HP-7")}));
  // The member's list does not hold the holder without a member.
  form->eDBOstatni->ClearValue();
  Choose(*form->eDBClen, 40);
  form->list.btnRefreshClick();
  EXPECT_EQ(Listed(*form, "DOPLNKOVY_UDAJ"), QVariantList({QStringLiteral("P-1")}));
}

TEST_F(PermitReturnsTest, TheMemberCardOpensItsMembersPermitsOfThisYearAndOfTheYearBefore) {
  RegisterPermitsForms();
  struct Seen {
    QString caption;
    QVariantList listed;
    bool filtered = false;
  };
  QList<Seen> seen;
  const auto look = [&](TForm& f) {
    auto& list = dynamic_cast<TfrmEPovolenkyVratenie&>(f);
    seen.append({f.Caption(), Listed(list, "DOPLNKOVY_UDAJ"), list.list.btnFilter->Down()});
    list.list.gr1->setFocus();
    QTest::keyClick(list.list.gr1, Qt::Key_I);
    Press(f, Qt::Key_Escape);
  };
  TfrmCClenovPridaj card;
  card.dlg.Rok = 2026;
  card.dlg.ClearForPass();
  card.Jedin = 40;
  card.SetTag(2);
  script.Then([](TForm& f) {
    auto& c = static_cast<TfrmCClenovPridaj&>(f);
    c.btnPovolenkyMinulyRok->click();
    c.btnPovolenky->click();
    Press(f, Qt::Key_Escape);
  });
  script.Then(look);
  script.Then(look);
  card.ShowModal();
  for (const char* name :
       {"TfrmCZO", "TfrmCCeniny", "TfrmCReviryJUX", "TfrmCDruhyRyb", "TfrmCKrmiv", "TfrmEKrmenia", "TfrmCZdrojeUhrad",
        "TfrmEPovolenky", "TfrmEPovolenkyJUX", "TfrmEPovolenkyZO", "TfrmEZarybnovanieZdroj", "TfrmPVlastnaProdukcia",
        "TfrmECeniny", "TfrmPCeninyZostatky", "TfrmEPovolenkyVratenie", "ShowPUlovkySumarizaciaVyber"})
    FormRegistry::Unregister(QLatin1String(name));
  FormRegistry::SetPicker({});
  ASSERT_EQ(seen.size(), 2);
  EXPECT_EQ(seen[0].caption, QStringLiteral("Sumarizácia úlovkov - rok 2025"));
  EXPECT_EQ(seen[0].listed, QVariantList({QStringLiteral("P-0")}));
  EXPECT_TRUE(seen[0].filtered);
  EXPECT_EQ(seen[1].caption, QStringLiteral("Sumarizácia úlovkov - rok 2026"));
  EXPECT_EQ(seen[1].listed, QVariantList({QStringLiteral("P-1")}));
  EXPECT_TRUE(seen[1].filtered);
  EXPECT_EQ(Messages(), QStringList({Info(1, 1, 0), Info(2, 1, 1)}));
}

TEST_F(PermitReturnsTest, DalsiSavesEachReturnAndStopsAtTheLastAndAClearedDateCountsAsOut) {
  Open();
  QStringList loaded;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyVrateniePridaj& d = Return(f);
    loaded << d.Caption() << d.eDBPriezvisko->text() << d.eDBDoplnkovyUdaj->text() << d.eDBZO->text()
           << d.eDBRevir->text() << DateParam(*d.eDBPovolenkaVratenaDna).toDate().toString(Qt::ISODate);
    TypeDate(*d.eDBPovolenkaVratenaDna, QString());
    Press(f, Qt::Key_F11);
  });
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyVrateniePridaj& d = Return(f);
    loaded << d.eDBPriezvisko->text() << d.eDBDoplnkovyUdaj->text();
    d.eDBPoznamka->setFocus();
    d.eDBPoznamka->selectAll();
    TypeText(d.eDBPoznamka, QStringLiteral("Úlovky doniesol"));
    Press(f, Qt::Key_F11);
  });
  Key(Qt::Key_F4);
  EXPECT_EQ(loaded, QStringList({QStringLiteral("Oprava informácií o úlovkoch"), QStringLiteral("Horák"),
                                 QStringLiteral("HP-7"), QStringLiteral("Rada JUX"), QStringLiteral("Váh"),
                                 QStringLiteral("2026-10-01"), QStringLiteral("Novák"), QStringLiteral("P-1")}));
  EXPECT_EQ(Rows(QStringLiteral("select jedin,coalesce(povolenka_vratena_dna,'-') from e_povolenky2 "
                                "where typ_platby=0 order by jedin")),
            QStringList({QStringLiteral("61/-"), QStringLiteral("63/-"), QStringLiteral("65/2026-01-10")}));
  EXPECT_EQ(Column(QStringLiteral("select poznamka from e_povolenky where jedin=60")),
            QVariantList({QStringLiteral("Úlovky doniesol")}));
  form->list.gr1->setFocus();
  Key(Qt::Key_I);
  EXPECT_EQ(Messages(), QStringList(Info(2, 0, 2)));
}

TEST_F(PermitReturnsTest, ATypedReturnDateIsStoredAndTheCatchTotalsAreShown) {
  for (const char* line : {"(70,61,2026,50,2,1.2,3,3.6)", "(71,61,2026,51,1,0.8,5,4)", "(72,61,2026,50,3,2,3,6)"})
    Exec(QStringLiteral("insert into e_ulovky (jedin,e_povolenky2,rok,c_druhy_ryb,pocet,vaha,cena_mj,spolu) values %1")
             .arg(QLatin1String(line)));
  Open();
  QStringList panels;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyVrateniePridaj& d = Return(f);
    panels = Panels(d);
    TypeDate(*d.eDBPovolenkaVratenaDna, QStringLiteral("15.01.2027"));
    Press(f, Qt::Key_F12);
  });
  ASSERT_TRUE(form->list.LocateKey(61));
  Key(Qt::Key_F4);
  EXPECT_EQ(panels.mid(0, 3), QStringList({QStringLiteral("Počet záznamov: 3"), QStringLiteral("Počet rýb: 6"),
                                           QStringLiteral("Hmotnosť spolu: 4,00")}));
  EXPECT_TRUE(panels.value(3).startsWith(QStringLiteral("Spolu v cene: 13,60"))) << panels.value(3).toStdString();
  EXPECT_EQ(Column(QStringLiteral("select povolenka_vratena_dna from e_povolenky2 where jedin=61")),
            QVariantList({QDate(2027, 1, 15)}));
}

TEST_F(PermitReturnsTest, EnteringTheEmptyCatchGridAddsLinesOfTheOwnGroundsOrOfAllWithTheBox) {
  Open();
  QVariantList ownOffered, allOffered, kept;
  double price = 0, spolu = 0;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyVrateniePridaj& d = Return(f);
    // From the return date through the note into the empty grid.
    d.eDBPovolenkaVratenaDna->setFocus();
    QTest::keyClick(d.eDBPovolenkaVratenaDna, Qt::Key_Tab);
    QTest::keyClick(d.eDBPoznamka, Qt::Key_Tab);
    EXPECT_TRUE(QTest::qWaitFor([&] { return script.Pending() == 0; }, 10000));
    Press(f, Qt::Key_Escape);
  });
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyUlovkyPridaj& c = Catch(f);
    ownOffered = Offered(*c.eDBRevir, {20, 21, 22, 24});
    c.edbZvazovy->setFocus();
    QTest::keyClick(c.edbZvazovy, Qt::Key_Space);
    allOffered = Offered(*c.eDBRevir, {20, 21, 22, 24});
    Choose(*c.eDBRevir, 20);
    TypeLine(c, 50, QStringLiteral("2"), QStringLiteral("2,50"));
    price = c.eDBCenaMJ->Value();
    spolu = c.eDBSpolu->Value();
    Press(f, Qt::Key_F11);
  });
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyUlovkyPridaj& c = Catch(f);
    kept = {c.edbZvazovy->isChecked(), KeyParam(*c.eDBRevir), KeyParam(*c.eDBRyba), c.eDBPocet->Value(),
            c.eDBVaha->Value(),        c.eDBCenaMJ->Value(),  c.eDBDatum->text()};
    Press(f, Qt::Key_Escape);
  });
  ASSERT_TRUE(form->list.LocateKey(61));
  Key(Qt::Key_F4);
  EXPECT_EQ(ownOffered, QVariantList({22}));
  EXPECT_EQ(allOffered, QVariantList({20, 21, 22}));
  EXPECT_EQ(price, 3);
  EXPECT_EQ(spolu, 7.5);
  EXPECT_EQ(kept, QVariantList({true, 20, QVariant(), 0.0, 0.0, 0.0, QString()}));
  EXPECT_EQ(Rows(QStringLiteral("select e_povolenky2,rok,c_reviry_jux,c_druhy_ryb,pocet,vaha,cena_mj,spolu,zvazovy,"
                                "coalesce(datum,'-') from e_ulovky")),
            QStringList(QStringLiteral("61/2026/20/50/2/2.5/3/7.5/1/-")));
}

TEST_F(PermitReturnsTest, AGuestPermitsLinesKeepItsGroundInTheUnionsWaters) {
  Open();
  bool locked = false, boxShown = true, pickerShown = true;
  QString ground;
  script.Then([&](TForm& f) {
    Activate(f);
    Return(f).ulovky->add->click();
    Press(f, Qt::Key_Escape);
  });
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyUlovkyPridaj& c = Catch(f);
    locked = c.eDBRevir->ReadOnly();
    boxShown = c.edbZvazovy->isVisible();
    pickerShown = c.btnRevir->isVisible();
    ground = c.eDBRevir->currentText();
    TypeLine(c, 51, QStringLiteral("1"), QStringLiteral("3"));
    Press(f, Qt::Key_F12);
  });
  ASSERT_TRUE(form->list.LocateKey(63));
  Key(Qt::Key_F4);
  EXPECT_TRUE(locked);
  EXPECT_FALSE(boxShown);
  EXPECT_FALSE(pickerShown);
  EXPECT_EQ(ground, QStringLiteral("Váh"));
  EXPECT_EQ(Rows(QStringLiteral("select e_povolenky2,c_reviry_jux,zvazovy,spolu from e_ulovky")),
            QStringList(QStringLiteral("63/20/1/15")));
}

TEST_F(PermitReturnsTest, AGuestPermitsGroundMissingFromTheYearStoresNoLineWithoutAGround) {
  bool stayedOpen = false;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyUlovkyPridaj& c = Catch(f);
    TypeLine(c, 51, QStringLiteral("1"), QStringLiteral("3"));
    Press(f, Qt::Key_F12);
    stayedOpen = f.isVisible();
    Press(f, Qt::Key_Escape);
  });
  // Ground 24 is of 2025, the lines of 2026.
  AddCatches(63, 24, 2026);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(Messages(), QStringList(QStringLiteral(
                            "Revír povolenky nie je medzi revírmi roku 2026, úlovok nie je možné zapísať.")));
  EXPECT_EQ(Column(QStringLiteral("select count(*) from e_ulovky")), QVariantList({0}));
}

TEST_F(PermitReturnsTest, LastYearsLinesBelongToLastYearAndItsGrounds) {
  form = std::make_unique<TfrmEPovolenkyVratenie>(nullptr, 2025);
  ShowActive(*form);
  form->list.gr1->setFocus();
  QVariantList offered;
  script.Then([&](TForm& f) {
    Activate(f);
    Return(f).ulovky->add->click();
    Press(f, Qt::Key_Escape);
  });
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyUlovkyPridaj& c = Catch(f);
    offered = Offered(*c.eDBRevir, {20, 22, 24});
    Choose(*c.eDBRevir, 24);
    TypeLine(c, 50, QStringLiteral("1"), QStringLiteral("1"));
    Press(f, Qt::Key_F12);
  });
  Key(Qt::Key_F4);
  EXPECT_EQ(offered, QVariantList({24}));
  EXPECT_EQ(Rows(QStringLiteral("select e_povolenky2,rok,c_reviry_jux from e_ulovky")),
            QStringList(QStringLiteral("65/2025/24")));
}

TEST_F(PermitReturnsTest, WithoutTheOwnBranchTheUncheckedBoxOffersTheYearsGrounds) {
  ProgramSettings.ZO_JEDIN = QVariant();
  QVariantList offered;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyUlovkyPridaj& c = Catch(f);
    offered = Offered(*c.eDBRevir, {20, 21, 22, 24});
    Press(f, Qt::Key_Escape);
  });
  AddCatches(61, QVariant(), 2026);
  EXPECT_EQ(offered, QVariantList({20, 21, 22}));
}

TEST_F(PermitReturnsTest, APriceTypedByHandSurvivesAnUnchangedSpecies) {
  double typed = 0, changed = 0;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyUlovkyPridaj& c = Catch(f);
    Choose(*c.eDBRevir, 22);
    TypeLine(c, 50, QStringLiteral("2"), QStringLiteral("2"));
    Retype(c.eDBCenaMJ, QStringLiteral("4,50"));
    // Back into the species and out again, unchanged.
    c.eDBRyba->setFocus();
    QTest::keyClick(c.eDBRyba, Qt::Key_Tab);
    typed = c.eDBCenaMJ->Value();
    Press(f, Qt::Key_F12);
  });
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyUlovkyPridaj& c = Catch(f);
    Choose(*c.eDBRyba, 51);
    changed = c.eDBCenaMJ->Value();
    Press(f, Qt::Key_Escape);
  });
  EXPECT_EQ(AddCatches(61, QVariant(), 2026), mrOk);
  EXPECT_EQ(typed, 4.5);
  EXPECT_EQ(Rows(QStringLiteral("select c_druhy_ryb,cena_mj,spolu from e_ulovky")),
            QStringList(QStringLiteral("50/4.5/9")));
  // Editing the line: another species brings its own price.
  TfrmEPovolenkyUlovkyPridaj dialog;
  dialog.dlg.Rok = 2026;
  dialog.dlg.ClearForPass();
  dialog.Jedin = Column(QStringLiteral("select jedin from e_ulovky")).value(0).toInt();
  dialog.SetTag(2);
  dialog.ShowModal();
  EXPECT_EQ(changed, 5);
}

} // namespace
