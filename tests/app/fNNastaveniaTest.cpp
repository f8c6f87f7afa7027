#include "app/fNNastavenia.h"
#include "app/AppContext.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "controls/QPLBtn.h"
#include "tests/app/AdminTestSupport.h"
#include "tests/controls/KitTestSupport.h"
#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>

namespace {

const QString otherUsersText = QStringLiteral(
    "Zmeny nastavenia programu sa prejavia u ostatných užívateľov v sieti pri opätovnom spustení programu.");

class NastaveniaTest : public AdminTest {
protected:
  void SetUp() override {
    AdminTest::SetUp();
    Exec(QStringLiteral("delete from nastavenia"));
    Exec(QStringLiteral("insert into c_zo (jedin, cislo, nazov) values (1, 101, 'ZO Nitra')"));
    Exec(QStringLiteral("insert into c_zo (jedin, cislo, nazov) values (2, 102, 'Rada Žilina')"));
  }

  std::unique_ptr<TfrmNNastavenia> OpenForm() {
    auto form = std::make_unique<TfrmNNastavenia>(nullptr, db.get());
    form->show(); // reads the table
    return form;
  }

  // Fills every control with a distinct value.
  static void Fill(TfrmNNastavenia& form) {
    const std::pair<TIBEdit*, const char*> texts[] = {{form.eDBNazov, "MO SRZ Šaľa"},
                                                      {form.eDBUlica, "Hlavná 1"},
                                                      {form.eDBPSC, "92701"},
                                                      {form.eDBMesto, "Šaľa"},
                                                      {form.eDBICO, "1234567890"},
                                                      {form.eDBDIC, "2020202020"},
                                                      {form.eDBICDPH, "SK2020202020"},
                                                      {form.eDBUcetPredcislie, "000019"},
                                                      {form.eDBUcetCislo, "1234567890"},
                                                      {form.eDBUcetKod, "0900"},
                                                      {form.eDBUcetIBAN, "SK31 1200 0000 1987 4263 7541"}};
    for (const auto& [edit, text] : texts)
      edit->setText(QString::fromUtf8(text));
    form.eZO->FindIt(1);
    form.eJUX->FindIt(2);
    form.eBrigadaHodiny->SetValue(-12);
    form.ePriezviskaVelkymi->setChecked(true);
  }

  QList<QVariantList> Table() {
    return Rows(QStringLiteral("select premenna, text, cislo from nastavenia order by premenna"));
  }
};

TEST_F(NastaveniaTest, EmptyTableOpensEmptyAndRequiresTheOrganisations) {
  auto form = OpenForm();
  EXPECT_TRUE(form->eDBNazov->text().isEmpty());
  EXPECT_EQ(form->eBrigadaHodiny->Value(), 0.0);
  EXPECT_FALSE(form->ePriezviskaVelkymi->isChecked());
  EXPECT_TRUE(form->eZO->GetKeyValue().isNull());
  EXPECT_TRUE(form->eJUX->GetKeyValue().isNull());

  form->eDBNazov->setText(QStringLiteral("MO"));
  form->btnZapisClick();
  EXPECT_EQ(form->ModalResult(), mrNone);
  ASSERT_EQ(dialogs->Requests().size(), 1);
  EXPECT_TRUE(Messages().first().contains(QStringLiteral("Povinný údaj")));
  EXPECT_TRUE(Table().isEmpty());
  EXPECT_TRUE(Organizacia.Nazov.isEmpty());
}

TEST_F(NastaveniaTest, WithNoOrganisationListedTheOtherSettingsAreSavedThroughKeys) {
  Exec(QStringLiteral("delete from c_zo"));
  auto form = OpenForm();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  EXPECT_FALSE(form->eZO->Required());
  form->eDBNazov->setFocus(Qt::TabFocusReason);
  TypeText(form->eDBNazov, QStringLiteral("MO SRZ Šaľa"));
  // On through the empty organisation combos, which refuse nothing now.
  for (int i = 0; i < 20 && QApplication::focusWidget() != form->eBrigadaHodiny; ++i)
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), form->eBrigadaHodiny) << Messages().join(QLatin1Char('|')).toStdString();
  TypeText(form->eBrigadaHodiny, QStringLiteral("40"));
  QTest::keyClick(form->eBrigadaHodiny, Qt::Key_F12);
  EXPECT_EQ(form->ModalResult(), mrOk) << Messages().join(QLatin1Char('|')).toStdString();
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(
      Rows(QStringLiteral("select text, cislo from nastavenia where premenna in ('ORG_NAZOV', "
                          "'BRIGADA_PREDPISANA', 'ZO_JEDIN', 'JUX_JEDIN') order by premenna")),
      QList<QVariantList>(
          {{QString(), 40}, {QString(), QVariant()}, {QStringLiteral("MO SRZ Šaľa"), 0}, {QString(), QVariant()}}));
  EXPECT_TRUE(ProgramSettings.ZO_JEDIN.isNull());
  EXPECT_EQ(ProgramSettings.BRIGADA_PREDPISANA, 40);
}

TEST_F(NastaveniaTest, SavedValuesAreReadBackAtTheNextStart) {
  auto form = OpenForm();
  Fill(*form);
  QTest::keyClick(form.get(), Qt::Key_F12);
  EXPECT_EQ(form->ModalResult(), mrOk);
  EXPECT_TRUE(Messages().isEmpty()); // one user: no note about the others

  const QList<QVariantList> expected = {
      {QStringLiteral("BRIGADA_PREDPISANA"), QString(), -12.0},
      {QStringLiteral("JUX_JEDIN"), QString(), 2.0},
      {QStringLiteral("ORG_BANKA_CISLO"), QStringLiteral("1234567890"), 0.0},
      {QStringLiteral("ORG_BANKA_IBAN"), QStringLiteral("SK31 1200 0000 1987 4263 7541"), 0.0},
      {QStringLiteral("ORG_BANKA_KOD"), QStringLiteral("0900"), 0.0},
      {QStringLiteral("ORG_BANKA_PREDCISLIE"), QStringLiteral("000019"), 0.0},
      {QStringLiteral("ORG_DIC"), QStringLiteral("2020202020"), 0.0},
      {QStringLiteral("ORG_ICDPH"), QStringLiteral("SK2020202020"), 0.0},
      {QStringLiteral("ORG_ICO"), QStringLiteral("1234567890"), 0.0},
      {QStringLiteral("ORG_MESTO"), QStringLiteral("Šaľa"), 0.0},
      {QStringLiteral("ORG_NAZOV"), QStringLiteral("MO SRZ Šaľa"), 0.0},
      {QStringLiteral("ORG_PSC"), QStringLiteral("92701"), 0.0},
      {QStringLiteral("ORG_ULICA"), QStringLiteral("Hlavná 1"), 0.0},
      {QStringLiteral("PRIEZVISKA_VELKYMI"), QString(), 1.0},
      {QStringLiteral("ZO_JEDIN"), QString(), 1.0},
  };
  const QList<QVariantList> stored = Table();
  ASSERT_EQ(stored.size(), expected.size());
  for (int i = 0; i < stored.size(); ++i) {
    EXPECT_EQ(stored[i][0].toString(), expected[i][0].toString());
    EXPECT_EQ(stored[i][1].toString(), expected[i][1].toString()) << stored[i][0].toString().toStdString();
    EXPECT_EQ(stored[i][2].toDouble(), expected[i][2].toDouble()) << stored[i][0].toString().toStdString();
  }
  EXPECT_EQ(Organizacia.Nazov, QStringLiteral("MO SRZ Šaľa"));
  EXPECT_EQ(Organizacia.Banka_IBAN, QStringLiteral("SK31 1200 0000 1987 4263 7541"));
  EXPECT_EQ(ProgramSettings.ZO_JEDIN.toInt(), 1);
  EXPECT_EQ(ProgramSettings.JUX_JEDIN.toInt(), 2);
  EXPECT_EQ(ProgramSettings.BRIGADA_PREDPISANA, -12);
  EXPECT_TRUE(ProgramSettings.PRIEZVISKA_VELKYMI);
  form.reset();

  // The next start: a new connection and a new dialog.
  db->Close();
  db->Open();
  auto again = OpenForm();
  EXPECT_EQ(again->eDBNazov->text(), QStringLiteral("MO SRZ Šaľa"));
  EXPECT_EQ(again->eDBUcetKod->text(), QStringLiteral("0900"));
  EXPECT_EQ(again->eZO->GetKeyValue().toInt(), 1);
  EXPECT_EQ(again->eZO->currentText(), QStringLiteral("ZO Nitra"));
  EXPECT_EQ(again->eJUX->GetKeyValue().toInt(), 2);
  EXPECT_EQ(again->eBrigadaHodiny->Value(), -12.0);
  EXPECT_TRUE(again->ePriezviskaVelkymi->isChecked());
  again->resize(620, 480);
  EXPECT_FALSE(SaveScreenshot(again.get(), QStringLiteral("settings")).isEmpty());
}

TEST_F(NastaveniaTest, OtherConnectedUsersAreToldOnceAfterTheCommit) {
  const std::unique_ptr<TIBDatabase> otherWorkstation = fresh->Connect();
  auto form = OpenForm();
  Fill(*form);
  form->btnZapisClick();
  EXPECT_EQ(form->ModalResult(), mrOk);
  EXPECT_EQ(Messages(), QStringList{otherUsersText});
  EXPECT_EQ(Scalar(QStringLiteral("select text from nastavenia where premenna = 'ORG_NAZOV'")).toString(),
            QStringLiteral("MO SRZ Šaľa"));
}

TEST_F(NastaveniaTest, RefusedSaveKeepsTheDialogOpenAndTheRecordsUntouched) {
  Exec(QStringLiteral("alter table nastavenia add constraint ck_nastavenia_test check (text is distinct from 'ZLY')"));
  Organizacia.Nazov = QStringLiteral("pôvodný");
  ProgramSettings.ZO_JEDIN = 7;
  auto form = OpenForm();
  Fill(*form);
  form->eDBUcetIBAN->setText(QStringLiteral("ZLY"));
  form->btnZapisClick();
  EXPECT_EQ(form->ModalResult(), mrNone);
  ASSERT_EQ(dialogs->Requests().size(), 1); // the database-error handler's message
  EXPECT_TRUE(Table().isEmpty());           // earlier keys rolled back
  EXPECT_EQ(Organizacia.Nazov, QStringLiteral("pôvodný"));
  EXPECT_EQ(ProgramSettings.ZO_JEDIN.toInt(), 7);

  // Mended, the same dialog saves.
  form->eDBUcetIBAN->setText(QStringLiteral("SK00"));
  form->btnZapisClick();
  EXPECT_EQ(form->ModalResult(), mrOk);
  EXPECT_EQ(Organizacia.Nazov, QStringLiteral("MO SRZ Šaľa"));
}

TEST_F(NastaveniaTest, CancelLeavesTableAndRecordsUntouched) {
  Exec(QStringLiteral("execute procedure nastavenia_zapis('org_nazov', 'Starý názov', 0)"));
  for (const auto cancel : {+[](TfrmNNastavenia& f) { QTest::keyClick(&f, Qt::Key_Escape); },
                            +[](TfrmNNastavenia& f) { f.btnNezapis->click(); }}) {
    auto form = OpenForm();
    EXPECT_EQ(form->eDBNazov->text(), QStringLiteral("Starý názov")); // the lower-case key was stored upper-case
    Fill(*form);
    cancel(*form);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Table().size(), 1);
    EXPECT_TRUE(Organizacia.Nazov.isEmpty());
  }
}

} // namespace
