#include "registers/permits/fEUlovkyKapitalne.h"
#include "app/PrintForm.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "controls/IBTime.h"
#include "registers/permits/fEUlovkyKapitalnePridaj.h"
#include "tests/registers/members/RecordingPrintForm.h"
#include "tests/registers/permits/PermitsTestSupport.h"

namespace {

class TrophiesTest : public PermitListTest<TfrmEUlovkyKapitalne> {
protected:
  void SetUp() override {
    PermitListTest::SetUp();
    for (int rok : {2025, 2026})
      InsertRow(QStringLiteral("c_reviry_jux_id"),
                QStringLiteral("insert into c_reviry_jux (jedin,rok,cislo,nazov,nazov_uplny,nazov_uplny2) "
                               "values (:JEDIN,:R,'3-1',:N,:N,:N)"),
                {{QStringLiteral("R"), rok}, {QStringLiteral("N"), QStringLiteral("Váh %1").arg(rok)}});
    revir = Column(QStringLiteral("select jedin from c_reviry_jux where rok=2026")).value(0).toInt();
    kapor = AddSpecies(QStringLiteral("Kapor"), 1);
    AddSpecies(QStringLiteral("Kapor násada"), 2); // stocking fish: not a catch
    sumec = AddSpecies(QStringLiteral("Sumec"), 1);
    member = InsertRow(QStringLiteral("c_clenov_id"),
                       QStringLiteral("insert into c_clenov (jedin,titul,meno,priezvisko,ulica,psc,mesto,"
                                      "datum_narodenia) values (:JEDIN,'Ing.',:M,:P,'Hlavná 1','01001',:T,"
                                      "'1970-05-03')"),
                       {{QStringLiteral("M"), QStringLiteral("Ľubomír")},
                        {QStringLiteral("P"), QStringLiteral("Šťastný")},
                        {QStringLiteral("T"), QStringLiteral("Žilina")}});
  }
  void TearDown() override {
    SetPrintFormFactory(nullptr);
    PermitListTest::TearDown();
  }
  int AddSpecies(const QString& nazov, int typ) {
    return InsertRow(QStringLiteral("c_druhy_ryb_id"),
                     QStringLiteral("insert into c_druhy_ryb (jedin,nazov,druh,typ) values (:JEDIN,:N,:N,:T)"),
                     {{QStringLiteral("N"), nazov}, {QStringLiteral("T"), typ}});
  }
  // A catch as an earlier save stored it.
  int AddTrophy(const QVariant& clen, const QString& priezvisko, const QString& ulica, int ryba, double vaha,
                const QDate& datum = QDate(2026, 6, 1)) {
    return InsertRow(QStringLiteral("e_ulovky_kapitalne_id"),
                     QStringLiteral("insert into e_ulovky_kapitalne (jedin,rok,datum,c_reviry_jux,c_clenov,meno,"
                                    "priezvisko,ulica,mesto,psc,c_druhy_ryb,vaha,dlzka,cas,sposob_ulovenia,"
                                    "svedok_1) values (:JEDIN,2026,:D,:R,:C,'Ján',:P,:U,'Martin','03601',:F,:V,"
                                    "101.5,'01:45','na boilies','Peter Hruška')"),
                     {{QStringLiteral("D"), datum},
                      {QStringLiteral("R"), revir},
                      {QStringLiteral("C"), clen},
                      {QStringLiteral("P"), priezvisko},
                      {QStringLiteral("U"), ulica},
                      {QStringLiteral("F"), ryba},
                      {QStringLiteral("V"), vaha}});
  }
  static TfrmEUlovkyKapitalnePridaj& Dialog(TForm& f) { return dynamic_cast<TfrmEUlovkyKapitalnePridaj&>(f); }
  static QStringList Angler(const TfrmEUlovkyKapitalnePridaj& d) {
    return {d.eDBTitul->text(), d.eDBMeno->text(), d.eDBPriezvisko->text(),
            d.eDBUlica->text(), d.eDBPSC->text(),  d.eDBMesto->text()};
  }
  static bool Locked(const TfrmEUlovkyKapitalnePridaj& d) {
    const TIBEdit* edits[] = {d.eDBTitul, d.eDBMeno, d.eDBPriezvisko, d.eDBUlica, d.eDBPSC, d.eDBMesto};
    return std::all_of(std::begin(edits), std::end(edits), [](const TIBEdit* e) { return e->ReadOnly(); });
  }
  static bool Unlocked(const TfrmEUlovkyKapitalnePridaj& d) {
    const TIBEdit* edits[] = {d.eDBTitul, d.eDBMeno, d.eDBPriezvisko, d.eDBUlica, d.eDBPSC, d.eDBMesto};
    return std::none_of(std::begin(edits), std::end(edits), [](const TIBEdit* e) { return e->ReadOnly(); });
  }
  static const inline QString kEveryColumn =
      QStringLiteral("select rok,datum,c_reviry_jux,c_clenov,titul,meno,priezvisko,ulica,mesto,psc,nazov_uplny,"
                     "c_druhy_ryb,vaha,dlzka,cas,sposob_ulovenia,svedok_1,svedok_2,poznamka from e_ulovky_kapitalne "
                     "order by jedin");

  int revir = 0, kapor = 0, sumec = 0, member = 0;
  std::vector<TRecordedPrint> prints;
};

TEST_F(TrophiesTest, AMemberLocksTheAnglersFieldsAndClearingHimLeavesThemToTypeForAnyoneElse) {
  Open();
  EXPECT_EQ(form->Caption(), QStringLiteral("Evidencia kapitálnych úlovkov - rok 2026"));
  QStringList chosen, cleared, offered;
  bool lockedByMember = false, unlockedWithout = false;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEUlovkyKapitalnePridaj& d = Dialog(f);
    offered << f.Caption() << d.eDBCas->text();
    Choose(*d.eDBClen, QStringLiteral("Šťast"));
    chosen = Angler(d);
    lockedByMember = Locked(d);
    d.eDBClen->setFocus();
    d.eDBClen->lineEdit()->selectAll();
    QTest::keyClick(d.eDBClen, Qt::Key_Delete);
    QTest::keyClick(d.eDBClen, Qt::Key_Tab);
    cleared = Angler(d);
    unlockedWithout = Unlocked(d);
    Retype(d.eDBPriezvisko, QStringLiteral("Ďurčová"));
    Retype(d.eDBMeno, QStringLiteral("Mária"));
    Retype(d.eDBTitul, QString());
    // Last year's ground and stocking fish are not offered.
    d.eDBRevir->setFocus();
    d.eDBRevir->FindIt(revir - 1);
    offered << d.eDBRevir->currentText();
    d.eDBRevir->FindIt(revir);
    offered << d.eDBRevir->currentText();
    Choose(*d.eDBRyba, QStringLiteral("Sum"));
    Retype(d.eDBVaha, QStringLiteral("42,35"));
    Retype(d.eDBDlzka, QStringLiteral("187,5"));
    Choose(*d.eDBSposobUlovenia, QStringLiteral("na rybku"));
    Retype(d.eDBSvedok1, QStringLiteral("Ľudovít Čierny"));
    Save(f, Qt::Key_F11);
  });
  script.Then([&](TForm& f) {
    // The next catch starts without a member, its fields open and empty.
    offered << QString::number(Unlocked(Dialog(f))) << Dialog(f).eDBPriezvisko->text();
    f.SetModalResult(mrCancel);
  });
  Key(Qt::Key_P);
  EXPECT_EQ(chosen, QStringList({QStringLiteral("Ing."), QStringLiteral("Ľubomír"), QStringLiteral("Šťastný"),
                                 QStringLiteral("Hlavná 1"), QStringLiteral("01001"), QStringLiteral("Žilina")}));
  EXPECT_TRUE(lockedByMember);
  EXPECT_EQ(cleared, chosen);
  EXPECT_TRUE(unlockedWithout);
  EXPECT_EQ(offered, QStringList({QStringLiteral("Pridanie kapitálneho úlovku"), QString(), QString(),
                                  QStringLiteral("Váh 2026"), QStringLiteral("1"), QString()}));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
  // No time typed: Null. The display name from the typed angler.
  EXPECT_EQ(Rows(QStringLiteral("select rok,c_clenov,titul,meno,priezvisko,ulica,psc,mesto,nazov_uplny,c_druhy_ryb,"
                                "vaha,dlzka,sposob_ulovenia,svedok_1,coalesce(cas,'null') from e_ulovky_kapitalne")),
            QStringList(QStringLiteral("2026///Mária/Ďurčová/Hlavná 1/01001/Žilina/Ďurčová Mária, Žilina, Hlavná 1/"
                                       "%1/42.35/187.5/na rybku/Ľudovít Čierny/null")
                            .arg(sumec)));
  EXPECT_EQ(Listed(QStringLiteral("VIMEK")), QVariantList({QStringLiteral("Ďurčová Mária, Žilina, Hlavná 1")}));
  EXPECT_EQ(Listed(QStringLiteral("RYBA")), QVariantList({QStringLiteral("Sumec")}));
}

TEST_F(TrophiesTest, EditingAMembersCatchAfterHeMovedShowsAndKeepsTheStoredAngler) {
  const int trophy = AddTrophy(member, QStringLiteral("Šťastný"), QStringLiteral("Stará 7"), kapor, 21.4);
  Exec(QStringLiteral("update c_clenov set ulica='Nová 9', mesto='Košice', psc='04001' where jedin=:C"),
       {{QStringLiteral("C"), member}});
  const QStringList before = Rows(kEveryColumn);
  Open();
  QStringList shown;
  bool locked = false;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEUlovkyKapitalnePridaj& d = Dialog(f);
    shown = Angler(d);
    shown << f.Caption() << d.eDBCas->text() << d.eDBRevir->currentText() << d.eDBRyba->currentText();
    locked = Locked(d);
    Save(f);
  });
  ASSERT_TRUE(form->list.LocateKey(trophy));
  Key(Qt::Key_F4);
  EXPECT_EQ(shown,
            QStringList({QString(), QStringLiteral("Ján"), QStringLiteral("Šťastný"), QStringLiteral("Stará 7"),
                         QStringLiteral("03601"), QStringLiteral("Martin"), QStringLiteral("Oprava kapitálneho úlovku"),
                         QStringLiteral("01:45"), QStringLiteral("Váh 2026"), QStringLiteral("Kapor")}));
  EXPECT_TRUE(locked);
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
  // Saved unchanged: every column as it was, the time and the ground too.
  EXPECT_EQ(Rows(kEveryColumn), before);
  EXPECT_TRUE(before.value(0).contains(QStringLiteral("Šťastný Ján, Martin, Stará 7")))
      << before.value(0).toStdString();
}

TEST_F(TrophiesTest, ThePrintTakesTheMarkedCatchesElseAllSortedByAngler) {
  TRecordingPrintForm::Install(prints);
  const int zeman = AddTrophy({}, QStringLiteral("Zeman"), QStringLiteral("A 1"), kapor, 20);
  const int adam2 = AddTrophy({}, QStringLiteral("Adam"), QStringLiteral("A 1"), sumec, 30, QDate(2026, 7, 1));
  AddTrophy({}, QStringLiteral("Adam"), QStringLiteral("A 1"), kapor, 25, QDate(2026, 5, 1));
  Open();
  const auto printed = [](const TRecordedPrint& p) {
    QStringList rows;
    for (const QVariantMap& row : p.Rows)
      rows << row.value(QStringLiteral("VIMEK")).toString().section(QLatin1Char(','), 0, 0) + QLatin1Char(' ') +
                  row.value(QStringLiteral("VAHA")).toString();
    return rows;
  };
  Key(Qt::Key_T);
  for (int key : {zeman, adam2}) {
    ASSERT_TRUE(form->list.LocateKey(key));
    Key(Qt::Key_Insert);
  }
  Key(Qt::Key_T);
  ASSERT_EQ(prints.size(), 2u);
  EXPECT_EQ(printed(prints[0]), QStringList({QStringLiteral("Adam Ján 25"), QStringLiteral("Adam Ján 30"),
                                             QStringLiteral("Zeman Ján 20")}));
  EXPECT_EQ(printed(prints[1]), QStringList({QStringLiteral("Adam Ján 30"), QStringLiteral("Zeman Ján 20")}));
  EXPECT_EQ(prints[1].Template, QStringLiteral("Kapitalne.rpf"));
  EXPECT_EQ(prints[1].Title, QStringLiteral("Evidencia kapitálnych úlovkov - rok 2026"));
  EXPECT_EQ(prints[1].Aliases.values(), QStringList(QStringLiteral("MASTER")));
  EXPECT_EQ(prints[1].Variables.value(QStringLiteral("Rok")), QStringLiteral("'2026'"));
}

} // namespace
