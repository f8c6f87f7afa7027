#include "registers/permits/fCReviryJUX.h"
#include "app/FormRegistry.h"
#include "app/ToolBar.h"
#include "controls/DBQPLEdit.h"
#include "controls/IBComboBox.h"
#include "registers/common/RegisterControls.h"
#include "registers/members/fEBrigadyPridaj.h"
#include "registers/permits/PermitsForms.h"
#include "registers/permits/fCReviryJUXPridaj.h"
#include "tests/registers/permits/PermitsTestSupport.h"

namespace {

TEST(GroundNamesTest, TheNameFormAndTheNumberFormCutTo75) {
  const QString longName(60, QLatin1Char('a'));
  const struct {
    QString cislo, nazov, zo;
    QString nameForm, numberForm;
  } cases[] = {
      {QStringLiteral("2-1234-1-1"), QStringLiteral("Jazero 2"), QStringLiteral("Sever"),
       QStringLiteral("Jazero 2 (Sever) - 2-1234-1-1"), QStringLiteral("2-1234-1-1 - Jazero 2 (Sever)")},
      // Nothing but the separators when all is empty.
      {QString(), QString(), QString(), QStringLiteral(" () - "), QStringLiteral(" -  ()")},
      // A 60-character name: cut, not refused.
      {QStringLiteral("3-0001-4-1"), longName, QStringLiteral("Liptovský Mikuláš"),
       longName + QStringLiteral(" (Liptovský Mik"), QStringLiteral("3-0001-4-1 - ") + longName + QStringLiteral(" (")},
  };
  for (const auto& c : cases) {
    const QString nameForm = TfrmCReviryJUXPridaj::NameForm(c.cislo, c.nazov, c.zo);
    const QString numberForm = TfrmCReviryJUXPridaj::NumberForm(c.cislo, c.nazov, c.zo);
    EXPECT_EQ(nameForm, c.nameForm);
    EXPECT_EQ(numberForm, c.numberForm);
    EXPECT_LE(nameForm.size(), 75);
    EXPECT_LE(numberForm.size(), 75);
  }
  EXPECT_EQ(TfrmCReviryJUXPridaj::NameForm(QStringLiteral("1"), longName + longName, QString()).size(), 75);
}

class GroundsTest : public PermitListTest<TfrmCReviryJUX> {
protected:
  void SetUp() override {
    PermitListTest::SetUp();
    for (const auto& [jedin, nazov] : {std::pair{1, "Sever"}, std::pair{2, "Juh"}})
      Exec(QStringLiteral("insert into c_zo (jedin,cislo,nazov) values (:J,:J,:N)"),
           {{QStringLiteral("J"), jedin}, {QStringLiteral("N"), QString::fromUtf8(nazov)}});
    // Two price items of the working year, one of the last.
    for (const auto& [jedin, rok, cena] :
         {std::tuple{1, 2026, 40.0}, std::tuple{2, 2026, 5.5}, std::tuple{3, 2025, 9.0}})
      Exec(QStringLiteral("insert into c_ceniny (jedin,rok,nazov,cena,typ_platby) values (:J,:R,:N,:C,1)"),
           {{QStringLiteral("J"), jedin},
            {QStringLiteral("R"), rok},
            {QStringLiteral("N"), QStringLiteral("Povolenka %1/%2").arg(jedin).arg(rok)},
            {QStringLiteral("C"), cena}});
  }
  // A ground stored as the dialog stores it.
  void AddGround(int jedin, int rok, const QString& cislo, const QString& nazov, int zo, int voda, int typ,
                 const QVariant& sezonna = QVariant()) {
    const QString zoName = zo == 1 ? QStringLiteral("Sever") : QStringLiteral("Juh");
    // Keys from the generator, as the dialog's new rows take theirs.
    Exec(QStringLiteral("set generator c_reviry_jux_id to %1").arg(jedin));
    Exec(QStringLiteral("insert into c_reviry_jux (jedin,rok,cislo,nazov,c_zo,typ_vody,typ_revira,sezonna,"
                        "nazov_uplny,nazov_uplny2) values (:J,:R,:C,:N,:Z,:V,:T,:S,:U,:U2)"),
         {{QStringLiteral("J"), jedin},
          {QStringLiteral("R"), rok},
          {QStringLiteral("C"), cislo},
          {QStringLiteral("N"), nazov},
          {QStringLiteral("Z"), zo},
          {QStringLiteral("V"), voda},
          {QStringLiteral("T"), typ},
          {QStringLiteral("S"), sezonna},
          {QStringLiteral("U"), TfrmCReviryJUXPridaj::NameForm(cislo, nazov, zoName)},
          {QStringLiteral("U2"), TfrmCReviryJUXPridaj::NumberForm(cislo, nazov, zoName)}});
  }
  static TfrmCReviryJUXPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmCReviryJUXPridaj&>(f); }
  static std::function<void(TForm&)> Enter(const QString& cislo, const QString& nazov, int key) {
    return [=](TForm& f) {
      TfrmCReviryJUXPridaj& d = Dialog(f);
      Retype(d.eDBCislo, cislo);
      Retype(d.eDBNazov, nazov);
      d.eDBZO->FindIt(1);
      d.eDBTypRevira->FindIt(1);
      Press(f, key);
    };
  }
  QStringList Stored() const { return Rows(QStringLiteral("select rok,cislo,nazov from c_reviry_jux order by jedin")); }
};

TEST_F(GroundsTest, AddEditAndDeleteThroughKeysStoreBothNamesAndThePriceItems) {
  Open();
  EXPECT_EQ(form->Caption(), QStringLiteral("Číselník revírov JUX - rok 2026"));
  QString addCaption, water;
  QVariant lastYearsPrice;
  script.Then([&](TForm& f) {
    TfrmCReviryJUXPridaj& d = Dialog(f);
    addCaption = f.Caption();
    water = d.eDBTypVody->currentText();
    Retype(d.eDBCislo, QStringLiteral("2-1234-1-1"));
    Retype(d.eDBNazov, QStringLiteral("Jazero 2"));
    d.eDBZO->setFocus();
    TypeText(d.eDBZO, QStringLiteral("sev"));
    d.eDBZO->TimerElapsed(); // "sever": the branch's name as stored goes into the names
    d.eDBTypRevira->FindIt(2);
    d.Ceny[1]->FindIt(3); // last year's item is not offered
    lastYearsPrice = d.Ceny[1]->GetKeyValue();
    d.Ceny[0]->FindIt(1);
    d.Ceny[5]->FindIt(2);
    Press(f, Qt::Key_F12);
  });
  Key(Qt::Key_P);
  EXPECT_EQ(addCaption, QStringLiteral("Pridanie revíru"));
  EXPECT_EQ(water, QStringLiteral("kaprová")) << "a new ground is on carp water";
  EXPECT_TRUE(lastYearsPrice.isNull());
  const QString columns = QStringLiteral("select rok,cislo,nazov,c_zo,typ_vody,typ_revira,sezonna,denna,tyzdenna,"
                                         "sezonna_cudzi,denna_cudzi,tyzdenna_cudzi,nazov_uplny,nazov_uplny2,"
                                         "nazov_uplny_x,nazov_uplny2_x from c_reviry_jux");
  EXPECT_EQ(Rows(columns), QStringList(QStringLiteral("2026/2-1234-1-1/Jazero 2/1/1/2/1/////2/"
                                                      "Jazero 2 (Sever) - 2-1234-1-1/2-1234-1-1 - Jazero 2 (Sever)/"
                                                      "JAZERO 2 (SEVER) - 2-1234-1-1/2-1234-1-1 - JAZERO 2 (SEVER)")));
  // The list stands on the new ground and shows its prices below.
  EXPECT_EQ(form->list.ib1->FieldByName(QStringLiteral("NAZOV_UPLNY")).AsString(),
            QStringLiteral("Jazero 2 (Sever) - 2-1234-1-1"));
  EXPECT_EQ(Listed(QStringLiteral("TYP_REVIRA")), QVariantList({QStringLiteral("miestny")}));
  EXPECT_EQ(form->Ceny[0]->text(), QStringLiteral("40,00"));
  EXPECT_EQ(form->Ceny[1]->text(), QString());
  EXPECT_EQ(form->Ceny[5]->text(), QStringLiteral("5,50"));

  // An edit loads every control; a new branch renames the ground.
  QString loadedZO, loadedSeason, loadedWater;
  script.Then([&](TForm& f) {
    TfrmCReviryJUXPridaj& d = Dialog(f);
    loadedZO = d.eDBZO->currentText();
    loadedSeason = d.Ceny[0]->currentText();
    loadedWater = d.eDBTypRevira->currentText();
    d.eDBZO->FindIt(2);
    d.Ceny[0]->ClearValue();
    Press(f, Qt::Key_F12);
  });
  Key(Qt::Key_F4);
  EXPECT_EQ(loadedZO, QStringLiteral("Sever"));
  EXPECT_EQ(loadedSeason, QStringLiteral("Povolenka 1/2026"));
  EXPECT_EQ(loadedWater, QStringLiteral("miestny"));
  EXPECT_EQ(Rows(QStringLiteral("select c_zo,sezonna,nazov_uplny,nazov_uplny2 from c_reviry_jux")),
            QStringList(QStringLiteral("2//Jazero 2 (Juh) - 2-1234-1-1/2-1234-1-1 - Jazero 2 (Juh)")));

  Answer({mrYes});
  Key(Qt::Key_F8);
  EXPECT_TRUE(Stored().isEmpty());
}

TEST_F(GroundsTest, NumberAndNameAreUniqueWithinTheYearOnly) {
  AddGround(1, 2025, QStringLiteral("7"), QStringLiteral("Váh"), 1, 1, 1);
  AddGround(2, 2026, QStringLiteral("8"), QStringLiteral("Hron"), 1, 1, 1);
  Open();
  const struct {
    QString cislo, nazov;
    QString message; // empty: saved
  } cases[] = {
      {QStringLiteral("8"), QStringLiteral("Nitra"), QStringLiteral("#1004")},
      {QStringLiteral("9"), QStringLiteral("Hron"), QStringLiteral("#1004")},
      {QString(), QStringLiteral("Nitra"), QStringLiteral("#1001")},
      {QStringLiteral("7"), QStringLiteral("Váh"), QString()}, // last year's number and name
  };
  for (const auto& c : cases) {
    Answer();
    bool stayedOpen = false;
    script.Then([&](TForm& f) {
      Enter(c.cislo, c.nazov, Qt::Key_F12)(f);
      stayedOpen = f.isVisible();
      if (stayedOpen) Press(f, Qt::Key_Escape);
    });
    Key(Qt::Key_P);
    EXPECT_EQ(stayedOpen, !c.message.isEmpty()) << c.nazov.toStdString();
    EXPECT_TRUE(Messages().value(0).contains(c.message)) << Messages().join(QLatin1Char('|')).toStdString();
  }
  EXPECT_EQ(Stored(),
            QStringList({QStringLiteral("2025/7/Váh"), QStringLiteral("2026/8/Hron"), QStringLiteral("2026/7/Váh")}));
  // Its own number and name are no duplicates on edit.
  Answer();
  form->list.LocateKey(2);
  script.Then([](TForm& f) { Press(f, Qt::Key_F12); });
  Key(Qt::Key_F4);
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(GroundsTest, AGroundLookupFindsAGroundOfItsYearByEitherNamesBeginning) {
  AddGround(1, 2026, QStringLiteral("2-1234-1-1"), QStringLiteral("Jazero 2"), 1, 1, 1);
  AddGround(2, 2025, QStringLiteral("2-9999-1-1"), QStringLiteral("Jazierko"), 1, 1, 1);
  QWidget host;
  auto* combo = new TIBComboBox(&host);
  SetupRevirCombo(*combo);
  combo->SetSWhere(YearCondition(2026));
  ShowActive(host);
  // The typed characters stay as typed, the rest of the row's text follows.
  const struct {
    const char* typed;
    int key; // 0: none found
    const char* shown;
  } cases[] = {
      {"jaz", 1, "jazero 2 (Sever) - 2-1234-1-1"},
      {"JAZERO 2 (SEV", 1, "JAZERO 2 (SEVer) - 2-1234-1-1"},
      {"2-12", 1, "2-1234-1-1 - Jazero 2 (Sever)"},
      {"2-99", 0, "2-99"}, // last year's ground
  };
  for (const auto& c : cases) {
    combo->ClearValue();
    combo->setFocus();
    TypeText(combo, QString::fromUtf8(c.typed));
    combo->TimerElapsed();
    EXPECT_EQ(combo->currentText(), QString::fromUtf8(c.shown)) << c.typed;
    EXPECT_EQ(combo->GetKeyValue(), c.key ? QVariant(c.key) : QVariant()) << c.typed;
  }
}

TEST_F(GroundsTest, TheFilterNarrowsByBranchWaterAndKind) {
  AddGround(1, 2026, QStringLiteral("1"), QStringLiteral("Ondava"), 1, 1, 1);
  AddGround(2, 2026, QStringLiteral("2"), QStringLiteral("Poprad"), 2, 2, 2);
  AddGround(3, 2026, QStringLiteral("3"), QStringLiteral("Laborec"), 2, 1, 2);
  AddGround(4, 2025, QStringLiteral("4"), QStringLiteral("Topľa"), 2, 1, 2);
  Open();
  const struct {
    QVariant zo, voda, typ;
    QVariantList listed;
  } cases[] = {
      {QVariant(), QVariant(), QVariant(), {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}},
      {2, QVariant(), QVariant(), {QStringLiteral("2"), QStringLiteral("3")}},
      {QVariant(), 1, QVariant(), {QStringLiteral("1"), QStringLiteral("3")}}, // water alone: every branch
      {QVariant(), QVariant(), 2, {QStringLiteral("2"), QStringLiteral("3")}},
      {2, 1, QVariant(), {QStringLiteral("3")}},
      {1, 2, QVariant(), {}},
  };
  Key(Qt::Key_F);
  ASSERT_TRUE(form->list.btnFilter->Down());
  for (const auto& c : cases) {
    for (const auto& [combo, key] :
         {std::pair{form->eDBZO, c.zo}, std::pair{form->eDBTypVody, c.voda}, std::pair{form->eDBTypRevira, c.typ}})
      key.isNull() ? combo->ClearValue() : combo->FindIt(key);
    form->list.btnRefreshClick();
    EXPECT_EQ(Listed(QStringLiteral("CISLO")), c.listed) << c.zo.toInt() << c.voda.toInt() << c.typ.toInt();
  }
  // The filter released lists the year again.
  Key(Qt::Key_F);
  EXPECT_EQ(Listed(QStringLiteral("CISLO")).size(), 3);
}

TEST_F(GroundsTest, TheOwnBranchsGroundsAreBoldInTheNameColumnAndThePricesFollowTheRow) {
  ProgramSettings.ZO_JEDIN = 2;
  AddGround(1, 2026, QStringLiteral("1"), QStringLiteral("Ondava"), 1, 1, 1, 1);
  AddGround(2, 2026, QStringLiteral("2"), QStringLiteral("Poprad"), 2, 2, 2, 2);
  Open();
  TDbGridQPL& grid = *form->list.gr1;
  const struct {
    int row, column;
    bool bold;
  } cases[] = {{0, 1, false}, {1, 1, true}, {1, 0, false}, {1, 2, false}};
  for (const auto& c : cases) {
    TGridCellCanvas canvas;
    form->gr1DrawColumnCell(c.row, grid.QPLColumn(c.column), canvas);
    EXPECT_EQ(canvas.Font.bold(), c.bold) << c.row << "/" << c.column;
  }
  ProgramSettings.ZO_JEDIN = QVariant();
  TGridCellCanvas canvas;
  form->gr1DrawColumnCell(1, grid.QPLColumn(1), canvas);
  EXPECT_FALSE(canvas.Font.bold()) << "no own branch set";

  EXPECT_EQ(form->Ceny[0]->text(), QStringLiteral("40,00"));
  Key(Qt::Key_Down);
  EXPECT_EQ(form->Ceny[0]->text(), QStringLiteral("5,50"));
  EXPECT_TRUE(form->Ceny[0]->isReadOnly());
}

class GroundPickersTest : public GroundsTest {
protected:
  void SetUp() override {
    GroundsTest::SetUp();
    RegisterPermitsForms();
  }
  void TearDown() override {
    FormRegistry::SetPicker({});
    for (const char* name : {"TfrmCZO", "TfrmCCeniny", "TfrmCReviryJUX", "TfrmCDruhyRyb", "TfrmCKrmiv", "TfrmEKrmenia",
                             "TfrmCZdrojeUhrad"})
      FormRegistry::Unregister(QLatin1String(name));
    GroundsTest::TearDown();
  }
  // Plays the picker list: stands on `key` and takes it with Enter.
  void ChooseInPicker(int key) {
    script.Then([key](TForm& list) {
      TListPattern& pattern = *TListPattern::Of(&list);
      pattern.LocateKey(key);
      QTest::keyClick(pattern.gr1, Qt::Key_Return);
    });
  }
};

TEST_F(GroundPickersTest, APriceItemIntoAGroundAndAGroundIntoAWorkDutyDialog) {
  AddGround(1, 2026, QStringLiteral("1"), QStringLiteral("Ondava"), 1, 1, 1);
  AddGround(2, 2026, QStringLiteral("2"), QStringLiteral("Poprad"), 2, 2, 2);
  TfrmCReviryJUXPridaj ground;
  ground.dlg.Rok = 2026;
  ground.SetTag(1);
  ShowActive(ground);
  ChooseInPicker(2);
  ground.btnCeny[2]->click();
  EXPECT_EQ(ground.Ceny[2]->GetKeyValue().toInt(), 2);
  EXPECT_EQ(ground.Ceny[2]->currentText(), QStringLiteral("Povolenka 2/2026"));
  ground.close();

  TfrmEBrigadyPridaj duty;
  duty.dlg.Rok = 2026;
  duty.SetTag(1);
  ShowActive(duty);
  ChooseInPicker(2);
  duty.btnRevir->click();
  EXPECT_EQ(duty.eDBRevir->GetKeyValue().toInt(), 2);
  // Either of its two names.
  EXPECT_TRUE(QStringList({QStringLiteral("Poprad (Juh) - 2"), QStringLiteral("2 - Poprad (Juh)")})
                  .contains(duty.eDBRevir->currentText()))
      << duty.eDBRevir->currentText().toStdString();
}

} // namespace
