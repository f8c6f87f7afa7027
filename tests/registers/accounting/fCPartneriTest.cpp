#include "registers/accounting/fCPartneri.h"
#include "controls/IBEdit.h"
#include "registers/accounting/fCPartneriPridaj.h"
#include "tests/registers/accounting/AccountingTestSupport.h"

namespace {

class PartnersTest : public AccountingTest {
protected:
  static TfrmCPartneriPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmCPartneriPridaj&>(f); }
};

TEST_F(PartnersTest, TheDisplayNameIsNameAndTownCutTo75) {
  TfrmCPartneri form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  const QString nazov = QStringLiteral("Č").repeated(50), mesto = QStringLiteral("Ž").repeated(40);
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmCPartneriPridaj& d = Dialog(f);
    d.eDBNazov->setFocus();
    TypeText(d.eDBNazov, nazov);
    d.eDBMesto->setFocus();
    TypeText(d.eDBMesto, mesto);
    Submit(f, Qt::Key_F12);
  });
  Key(form.list, Qt::Key_P);
  const QVariantList stored = Column(QStringLiteral("select nazov_uplny from c_partneri"));
  ASSERT_EQ(stored.size(), 1);
  EXPECT_EQ(stored[0].toString(), QString(nazov + QStringLiteral(", ") + mesto).left(75));
  EXPECT_EQ(stored[0].toString().size(), 75);
  EXPECT_EQ(Listed(form.list, QStringLiteral("NAZOV")), QVariantList{nazov});
}

TEST_F(PartnersTest, DigitEditsRefuseLettersAndTheTownIsRequired) {
  TfrmCPartneri form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  QStringList typed;
  bool stayedOpen = false;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmCPartneriPridaj& d = Dialog(f);
    for (TIBEdit* edit : {d.eDBICO, d.eDBDIC, d.eDBUcetPredcislie, d.eDBUcetCislo, d.eDBUcetKod, d.eDBUcetSS}) {
      edit->setFocus();
      TypeText(edit, QStringLiteral("1a2B-3"));
      typed.append(edit->text());
    }
    d.eDBNazov->setFocus();
    TypeText(d.eDBNazov, QStringLiteral("Obec"));
    Press(f, Qt::Key_F12);
    stayedOpen = f.isVisible();
    f.SetModalResult(mrCancel);
  });
  Key(form.list, Qt::Key_P);
  EXPECT_EQ(typed, QStringList(6, QStringLiteral("123")));
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(Messages().value(0).contains(QStringLiteral("#1001"))) << Messages().join(QLatin1Char('|')).toStdString();
  EXPECT_TRUE(Column(QStringLiteral("select jedin from c_partneri")).isEmpty());
}

TEST_F(PartnersTest, ChineseInTheStreetIsTheUsersToCorrectAndNothingIsStored) {
  TfrmCPartneri form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmCPartneriPridaj& d = Dialog(f);
    d.eDBNazov->setFocus();
    TypeText(d.eDBNazov, QStringLiteral("Obec"));
    d.eDBMesto->setFocus();
    TypeText(d.eDBMesto, QStringLiteral("Senec"));
    ExpectUnstorableTextRefused(f, d.eDBUlica, QStringLiteral("Ulica"), QStringLiteral("北京路"),
                                QStringLiteral("„北“ (U+5317)"));
    f.SetModalResult(mrCancel);
  });
  Key(form.list, Qt::Key_P);
  EXPECT_TRUE(Column(QStringLiteral("select jedin from c_partneri")).isEmpty());
}

TEST_F(PartnersTest, AsPickerEnterReturnsTheRowAndOtherwiseOpensIt) {
  AddPartner(QStringLiteral("Agro"), QStringLiteral("Prešov"));
  const int second = AddPartner(QStringLiteral("Obec"), QStringLiteral("Ruskov"));
  TfrmCPartneri picker(nullptr, ProgramSettings.Rok);
  picker.SetTag(1);
  picker.list.btnRefreshClick();
  ASSERT_TRUE(picker.list.LocateKey(second));
  int result = 0;
  script.Then([&](TForm&) {
    Key(picker.list, Qt::Key_Return);
    result = picker.ModalResult();
    if (picker.isVisible()) picker.SetModalResult(mrCancel);
  });
  picker.ShowModal();
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(picker.list.ib1->FieldByName(QStringLiteral("JEDIN")).AsInteger(), second);

  TfrmCPartneri form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  form.list.LocateKey(second);
  QString loaded;
  script.Then([&](TForm& f) {
    loaded = Dialog(f).eDBNazov->text();
    f.SetModalResult(mrCancel);
  });
  Key(form.list, Qt::Key_Return);
  EXPECT_EQ(loaded, QStringLiteral("Obec"));
}

} // namespace
