#include "registers/permits/fCDruhyRyb.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "registers/permits/fCDruhyRybPridaj.h"
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
