#include "registers/accounting/fCDruhyDokladov.h"
#include "controls/IBComboBox.h"
#include "controls/IBEdit.h"
#include "registers/accounting/AccountingRows.h"
#include "registers/accounting/fCDruhyDokladovPridaj.h"
#include "tests/registers/accounting/AccountingTestSupport.h"

namespace {

class DocumentKindsTest : public AccountingTest {
protected:
  static TfrmCDruhyDokladovPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmCDruhyDokladovPridaj&>(f); }
  std::function<void(TForm&)> Enter(const QString& skratka, const QString& nazov, const QString& typ,
                                    bool* stayedOpen = nullptr, QString* focused = nullptr) {
    return [=, this](TForm& f) {
      Activate(f);
      TfrmCDruhyDokladovPridaj& d = Dialog(f);
      d.eDBSkratka->setFocus();
      TypeText(d.eDBSkratka, skratka);
      d.eDBNazov->setFocus();
      TypeText(d.eDBNazov, nazov);
      Choose(*d.eDBTyp, typ);
      Press(f, Qt::Key_F12);
      if (stayedOpen) *stayedOpen = f.isVisible();
      if (focused && QApplication::focusWidget()) *focused = QApplication::focusWidget()->objectName();
      if (f.isVisible()) f.SetModalResult(mrCancel);
    };
  }
  QStringList Stored() const {
    return Rows(QStringLiteral("select rok,skratka,nazov,typ from c_druhy_dokladov order by jedin"));
  }
};

TEST_F(DocumentKindsTest, ADuplicateAbbreviationIsRefusedOnceAndAnotherYearTakesIt) {
  AddKind(2026, QStringLiteral("PD"), QStringLiteral("Príjmový doklad"), 1);
  TfrmCDruhyDokladov form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  EXPECT_EQ(form.Caption(), QStringLiteral("Číselník druhov dokladov - rok 2026"));
  bool stayedOpen = false;
  QString focused;
  script.Then(Enter(QStringLiteral("PD"), QStringLiteral("Iný"), QStringLiteral("pokl"), &stayedOpen, &focused));
  Key(form.list, Qt::Key_P);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(focused, QStringLiteral("eDBSkratka"));
  // Shown once, not again by a raised error.
  ASSERT_EQ(Messages().size(), 1) << Messages().join(QLatin1Char('|')).toStdString();
  EXPECT_TRUE(Messages()[0].contains(QStringLiteral("#2007")));
  EXPECT_EQ(Stored(), QStringList{QStringLiteral("2026/PD/Príjmový doklad/1")});

  Answer();
  TfrmCDruhyDokladov previous(nullptr, 2025);
  ShowActive(previous);
  script.Then(Enter(QStringLiteral("PD"), QStringLiteral("Pokladňa 2025"), QStringLiteral("pokl")));
  Key(previous.list, Qt::Key_P);
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(Stored(),
            QStringList({QStringLiteral("2026/PD/Príjmový doklad/1"), QStringLiteral("2025/PD/Pokladňa 2025/1")}));
  EXPECT_EQ(Listed(previous.list, QStringLiteral("TYP")), QVariantList{QStringLiteral("pokladňa")});
}

TEST_F(DocumentKindsTest, AKindNeedsANameAndAKnownType) {
  TfrmCDruhyDokladov form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  bool stayedOpen = false;
  script.Then(Enter(QStringLiteral("BV"), QString(), QStringLiteral("banka"), &stayedOpen));
  Key(form.list, Qt::Key_P);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(Messages().value(0).contains(QStringLiteral("#1001"))) << Messages().join(QLatin1Char('|')).toStdString();
  Answer();
  script.Then(Enter(QStringLiteral("BV"), QStringLiteral("Výpis"), QStringLiteral("nič také"), &stayedOpen));
  Key(form.list, Qt::Key_P);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(Messages().value(0).contains(QStringLiteral("#1019"))) << Messages().join(QLatin1Char('|')).toStdString();
  EXPECT_TRUE(Stored().isEmpty());
}

TEST_F(DocumentKindsTest, AKindComboFindsAKindByNameOrByAbbreviation) {
  const int kind = AddKind(2026, QStringLiteral("VPD"), QStringLiteral("Výdavkový doklad"), 1);
  AddKind(2026, QStringLiteral("BV"), QStringLiteral("Bankový výpis"), 2);
  AddKind(2025, QStringLiteral("VX"), QStringLiteral("Výdavky 2025"), 1);
  QWidget window;
  auto* combo = new TIBComboBox(&window);
  auto* next = new QLineEdit(&window);
  combo->setGeometry(0, 0, 300, 21);
  next->setGeometry(0, 30, 100, 21);
  SetupDocumentKindCombo(*combo);
  combo->SetSWhere(
      {QStringLiteral("rok=:ROK and typ=:TYP"), {{QStringLiteral("ROK"), 2026}, {QStringLiteral("TYP"), 1}}});
  ShowActive(window);
  for (const char* typed : {"VPD", "výd", "Výdavkový"}) {
    SCOPED_TRACE(typed);
    combo->ClearValue();
    Choose(*combo, QString::fromUtf8(typed));
    EXPECT_EQ(combo->GetKeyValue().toInt(), kind);
    EXPECT_EQ(combo->GetKeyValue2().toString(), QStringLiteral("VPD"));
    EXPECT_EQ(combo->GetKeyValue3().toInt(), 1);
  }
  // Set from its key, the combo shows the abbreviation first.
  combo->FindIt(kind);
  EXPECT_EQ(combo->currentText(), QStringLiteral("VPD - Výdavkový doklad"));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

} // namespace
