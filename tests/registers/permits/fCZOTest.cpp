#include "registers/permits/fCZO.h"
#include "app/FormRegistry.h"
#include "app/fNNastavenia.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "registers/permits/PermitsForms.h"
#include "registers/permits/fCZOPridaj.h"
#include "tests/registers/permits/PermitsTestSupport.h"
#include <QtWidgets/QToolButton>

namespace {

class OrganisationsTest : public PermitListTest<TfrmCZO> {
protected:
  void Insert(int cislo, const QString& nazov) {
    Exec(QStringLiteral("insert into c_zo (jedin,cislo,nazov) values (gen_id(c_zo_id,1),:C,:N)"),
         {{QStringLiteral("C"), cislo}, {QStringLiteral("N"), nazov}});
  }
  static TfrmCZOPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmCZOPridaj&>(f); }
  // Types the number and the name into the dialog and presses `key`.
  static std::function<void(TForm&)> Enter(const QString& cislo, const QString& nazov, int key) {
    return [=](TForm& f) {
      Retype(Dialog(f).eDBCislo, cislo);
      Retype(Dialog(f).eDBNazov, nazov);
      Press(f, key);
    };
  }
  QStringList Stored() const { return Rows(QStringLiteral("select cislo,nazov from c_zo order by jedin")); }
};

TEST_F(OrganisationsTest, AddEditAndDeleteThroughKeys) {
  Insert(40, QStringLiteral("Žilina"));
  Open();
  QString addCaption, editCaption, loadedNumber, loadedName;
  script.Then([&](TForm& f) {
    addCaption = f.Caption();
    Enter(QStringLiteral("-3"), QStringLiteral("Ružomberok"), Qt::Key_F12)(f);
  });
  Key(Qt::Key_P);
  EXPECT_EQ(addCaption, QStringLiteral("Pridanie základnej organizácie"));
  EXPECT_EQ(Stored(), QStringList({QStringLiteral("40/Žilina"), QStringLiteral("-3/Ružomberok")}));
  EXPECT_EQ(form->list.ib1->FieldByName(QStringLiteral("NAZOV")).AsString(), QStringLiteral("Ružomberok"));

  script.Then([&](TForm& f) {
    editCaption = f.Caption();
    loadedNumber = Dialog(f).eDBCislo->text();
    loadedName = Dialog(f).eDBNazov->text();
    Enter(QStringLiteral("0"), QStringLiteral("Ružomberok-mesto"), Qt::Key_F12)(f);
  });
  Key(Qt::Key_F4);
  EXPECT_EQ(editCaption, QStringLiteral("Oprava základnej organizácie"));
  EXPECT_EQ(loadedNumber, QStringLiteral("-3"));
  EXPECT_EQ(loadedName, QStringLiteral("Ružomberok"));
  EXPECT_EQ(Stored(), QStringList({QStringLiteral("40/Žilina"), QStringLiteral("0/Ružomberok-mesto")}));

  Answer({mrYes});
  Key(Qt::Key_F8);
  EXPECT_EQ(Stored(), QStringList(QStringLiteral("40/Žilina")));
}

TEST_F(OrganisationsTest, ANameInAnyCaseIsRefusedAndANumberMayRepeat) {
  Insert(5, QStringLiteral("Ružomberok"));
  Open();
  const struct {
    QString cislo, nazov;
    QString message; // empty: saved
  } cases[] = {
      {QStringLiteral("6"), QStringLiteral("RUŽOMBEROK"), QStringLiteral("#1004")},
      {QStringLiteral("6"), QString(), QStringLiteral("#1001")},
      {QStringLiteral("5"), QStringLiteral("Liptovský Mikuláš"), QString()},
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
    EXPECT_EQ(Messages().value(0).contains(c.message), true) << Messages().join(QLatin1Char('|')).toStdString();
  }
  EXPECT_EQ(Stored(), QStringList({QStringLiteral("5/Ružomberok"), QStringLiteral("5/Liptovský Mikuláš")}));
  // The own name on edit is no duplicate.
  form->list.LocateKey(1);
  script.Then([](TForm& f) { Press(f, Qt::Key_F12); });
  Key(Qt::Key_F4);
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(OrganisationsTest, TheListOpensSortedByNumberAndTheDirectionReversesIt) {
  for (const auto& [cislo, nazov] : {std::pair{30, "Trnava"}, std::pair{10, "Bratislava"}, std::pair{20, "Nitra"}})
    Insert(cislo, QString::fromUtf8(nazov));
  Open();
  EXPECT_EQ(Listed(QStringLiteral("CISLO")), QVariantList({10, 20, 30}));
  form->list.btnSmerClick();
  EXPECT_EQ(Listed(QStringLiteral("CISLO")), QVariantList({30, 20, 10}));
}

} // namespace

namespace {

class OrganisationPickerTest : public RegisterTest {
protected:
  void SetUp() override {
    RegisterTest::SetUp();
    RegisterPermitsForms();
  }
  void TearDown() override {
    FormRegistry::SetPicker({});
    for (const char* name : {"TfrmCZO", "TfrmCZdrojeUhrad"})
      FormRegistry::Unregister(QLatin1String(name));
    RegisterTest::TearDown();
  }
};

TEST_F(OrganisationPickerTest, TheSettingsDialogsButtonsPickTheOrganisationTheListStandsOn) {
  for (const char* nazov : {"ZO Nitra", "Rada Žilina", "ZO Šaľa"})
    Exec(QStringLiteral("insert into c_zo (jedin,cislo,nazov) values (gen_id(c_zo_id,1),1,:N)"),
         {{QStringLiteral("N"), QString::fromUtf8(nazov)}});
  TfrmNNastavenia settings(nullptr, db.get());
  ShowActive(settings);
  settings.eJUX->FindIt(3);
  const struct {
    TIBComboBox* combo;
    QToolButton* button;
    int offered; // the key the list stands on when it opens
    int chosen;
  } cases[] = {{settings.eZO, settings.btnZO, 0, 1}, {settings.eJUX, settings.btnJUX, 3, 2}};
  for (const auto& c : cases) {
    int offered = -1;
    script.Then([&](TForm& list) {
      TListPattern& pattern = *TListPattern::Of(&list);
      offered = pattern.ib1->FieldByName(QStringLiteral("JEDIN")).AsInteger();
      pattern.LocateKey(c.chosen);
      QTest::keyClick(pattern.gr1, Qt::Key_Return);
    });
    ASSERT_TRUE(c.button->isVisible());
    c.button->click();
    if (c.offered != 0) EXPECT_EQ(offered, c.offered);
    EXPECT_EQ(c.combo->GetKeyValue().toInt(), c.chosen);
  }
}

} // namespace
