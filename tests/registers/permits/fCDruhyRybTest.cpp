#include "registers/permits/fCDruhyRyb.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "registers/permits/fCDruhyRybPridaj.h"
#include "schema/BaseScript.h"
#include "tests/registers/permits/PermitsTestSupport.h"

namespace {

class FishSpeciesTest : public PermitListTest<TfrmCDruhyRyb> {
protected:
  static TfrmCDruhyRybPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmCDruhyRybPridaj&>(f); }
  // Fills the dialog as a user types it and presses `key`; the type stays as proposed.
  static std::function<void(TForm&)> Enter(const QString& nazov, const QString& druh, const QString& cislo,
                                           const QString& cena, int key) {
    return [=](TForm& f) {
      TfrmCDruhyRybPridaj& d = Dialog(f);
      Retype(d.eDBNazov, nazov);
      d.eDBDruh->setFocus();
      TypeText(d.eDBDruh, druh);
      Retype(d.eDBSkratka, QStringLiteral("K"));
      Retype(d.eDBCislo, cislo);
      Retype(d.eDBCena, cena);
      Press(f, key);
    };
  }
  QStringList Stored() const {
    return Rows(QStringLiteral("select nazov,druh,typ,skratka,cislo,cena from c_druhy_ryb order by jedin"));
  }
};

TEST_F(FishSpeciesTest, AddEditAndDeleteThroughKeysWithANewGroupStoredAsTyped) {
  Open();
  QString proposedType;
  script.Then([&](TForm& f) {
    proposedType = Dialog(f).eDBTyp->currentText();
    Enter(QStringLiteral("Kapor rybničný"), QStringLiteral("kapor"), QStringLiteral("0"), QStringLiteral("2,5"),
          Qt::Key_F12)(f);
  });
  Key(Qt::Key_P);
  EXPECT_EQ(proposedType, QStringLiteral("ulovená ryba"));
  EXPECT_EQ(Stored(), QStringList(QStringLiteral("Kapor rybničný/kapor/1/K/0/2.5")));

  QString loadedGroup;
  script.Then([&](TForm& f) {
    TfrmCDruhyRybPridaj& d = Dialog(f);
    loadedGroup = d.eDBDruh->currentText();
    Retype(d.eDBCislo, QStringLiteral("1"));
    Press(f, Qt::Key_F12); // its own name is no duplicate
  });
  Key(Qt::Key_F4);
  EXPECT_EQ(loadedGroup, QStringLiteral("kapor"));
  EXPECT_EQ(Stored(), QStringList(QStringLiteral("Kapor rybničný/kapor/1/K/1/2.5")));

  Answer({mrYes});
  Key(Qt::Key_F8);
  EXPECT_TRUE(Stored().isEmpty());
}

TEST_F(FishSpeciesTest, AnEmojiInTheTypedGroupIsTheUsersToCorrectAndNothingIsStored) {
  Open();
  script.Then([&](TForm& f) {
    TfrmCDruhyRybPridaj& d = Dialog(f);
    Retype(d.eDBNazov, QStringLiteral("Kapor"));
    d.eDBDruh->setFocus();
    TypeText(d.eDBDruh, QStringLiteral("kapor"));
    ExpectUnstorableTextRefused(f, d.eDBDruh, QStringLiteral("Druh"));
    f.SetModalResult(mrCancel);
  });
  Key(Qt::Key_P);
  EXPECT_TRUE(Stored().isEmpty());
}

TEST_F(FishSpeciesTest, ANameInOtherCaseIsRefusedAlsoAfterSaveAndContinue) {
  Open();
  bool stayedOpen = false;
  QString refusal;
  script.Then(
      Enter(QStringLiteral("Lieň"), QStringLiteral("lieň"), QStringLiteral("2"), QStringLiteral("3"), Qt::Key_F11));
  script.Then([&](TForm& f) {
    Enter(QStringLiteral("LIEŇ"), QStringLiteral("lieň"), QStringLiteral("2"), QStringLiteral("3"), Qt::Key_F12)(f);
    stayedOpen = f.isVisible();
    refusal = Messages().value(0);
    Press(f, Qt::Key_Escape);
  });
  Key(Qt::Key_P);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(refusal.contains(QStringLiteral("#1004"))) << refusal.toStdString();
  EXPECT_EQ(Stored(), QStringList(QStringLiteral("Lieň/lieň/1/K/2/3")));
}

} // namespace

namespace {

// The council's numbers come from the schema upgrade: a catch species (type
// 1) is numbered by its mark, any other species or mark keeps 0.
TEST(FishSpeciesNumbering, TheUpgradeNumbersTheCatchSpeciesByTheirMark) {
  const struct {
    const char* skratka;
    int typ, cislo;
  } cases[] = {
      {"K", 1, 1},   {"L", 1, 2},      {"Pl", 1, 3},      {"Ja", 1, 4},      {"Pds", 1, 5},  {"Ms", 1, 6},
      {"No", 1, 7},  {"Ka", 1, 8},     {"Bo", 1, 9},      {"A", 1, 10},      {"To", 1, 11},  {"St", 1, 12},
      {"Zu", 1, 13}, {"Su", 1, 14},    {"Os", 1, 15},     {"U", 1, 16},      {"M", 1, 17},   {"Pp", 1, 18},
      {"Pj", 1, 19}, {"Pd", 1, 20},    {"Li", 1, 21},     {"Si", 1, 22},     {"H", 1, 23},   {"Sih", 1, 24},
      {"Je", 1, 25}, {"Ostat", 1, 26}, {"Pl_ost", 1, 27}, {"Ja_ost", 1, 28}, {"Mrš", 1, 29}, {"Zuv", 1, 30},
      {"Kap", 1, 0}, {"K", 2, 0},      {"Zuv", 3, 0},
  };
  FreshDatabase fresh(&CreateDatabaseFromBaseScript);
  {
    const std::unique_ptr<TIBDatabase> db = fresh.Connect();
    int key = 0;
    for (const auto& c : cases) {
      TTestStatement insert(
          db.get(), QStringLiteral("insert into c_druhy_ryb (jedin,nazov,typ,skratka,cislo) values (:J,:N,:T,:S,0)"),
          {{QStringLiteral("J"), ++key},
           {QStringLiteral("N"), QStringLiteral("Druh %1").arg(key)},
           {QStringLiteral("T"), c.typ},
           {QStringLiteral("S"), QString::fromUtf8(c.skratka)}});
      insert.Query().ExecSQL();
      insert.Commit();
    }
    db->Close();
  }
  UpgradeToSupportedVersion(fresh.Path());
  const std::unique_ptr<TIBDatabase> db = fresh.Connect();
  TTestStatement numbers(db.get(), QStringLiteral("select cislo from c_druhy_ryb order by jedin"));
  numbers.Query().Open();
  for (const auto& c : cases) {
    ASSERT_FALSE(numbers.Query().Eof());
    EXPECT_EQ(numbers.Query().FieldByNumber(0).AsInteger(), c.cislo) << c.skratka << " type " << c.typ;
    numbers.Query().Next();
  }
  numbers.Commit();
}

} // namespace
