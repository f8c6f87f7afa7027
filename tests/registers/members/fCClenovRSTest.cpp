#include "registers/members/fCClenovRS.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "registers/members/fCClenovRSPridaj.h"
#include "tests/registers/members/GuardTestSupport.h"

namespace {

class GuardMembersTest : public GuardTest {
protected:
  void SetUp() override {
    GuardTest::SetUp();
    novak = AddMember(QStringLiteral("Novák"), QStringLiteral("Peter"));
  }
  void Open() {
    form = std::make_unique<TfrmCClenovRS>(nullptr, ProgramSettings.Rok);
    ShowActive(*form);
    form->list.gr1->setFocus();
  }
  // The dialog's action: fills the member and the numbers, types both dates
  // key by key (each field entered as Tab enters it, its text replaced) and
  // presses the key.
  static std::function<void(TForm&)> Enter(int clen, const QString& odznak, const QString& od, const QString& dismissed,
                                           int key) {
    return [=](TForm& f) {
      auto& d = dynamic_cast<TfrmCClenovRSPridaj&>(f);
      d.eDBClen->FindIt(clen);
      d.eDBCisloOdznaku->setText(odznak);
      d.eDBCisloOsvedcenia->setText(QStringLiteral("OS-") + odznak);
      f.activateWindow();
      EXPECT_TRUE(QTest::qWaitFor([&f] { return f.isActiveWindow(); }, 5000));
      for (const auto& [edit, typed] : {std::pair{d.eDBDatumOd, od}, std::pair{d.eDBDatumDo, dismissed}}) {
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClick(edit, Qt::Key_Delete); // the entered text is selected: it goes
        QTest::keyClicks(edit, typed);
      }
      QTest::keyClick(d.eDBDatumDo, Qt::Key_Tab);
      Press(f, key);
      CancelIfOpen(f);
    };
  }
  int novak = 0;
  std::unique_ptr<TfrmCClenovRS> form;
};

TEST_F(GuardMembersTest, AddSavesTheGuardAndTheSameMemberAndBadgeMayRepeat) {
  Open();
  script.Then(Enter(novak, QStringLiteral("17"), QStringLiteral("01032020"), QString(), Qt::Key_F11));
  script.Then(Enter(novak, QStringLiteral("17"), QStringLiteral("02032020"), QString(), Qt::Key_F12));
  Key(form->list, Qt::Key_P);
  EXPECT_EQ(
      Column(QStringLiteral("select cislo_odznaku||'/'||c_clenov||'/'||datum_od from c_clenov_rs order by jedin")),
      QVariantList({QStringLiteral("17/%1/2020-03-01").arg(novak), QStringLiteral("17/%1/2020-03-02").arg(novak)}));
  EXPECT_EQ(Listed(form->list, QStringLiteral("PRIEZVISKO")),
            QVariantList({QStringLiteral("Novák"), QStringLiteral("Novák")}));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(GuardMembersTest, DatesAreStoredAsTypedWithoutACheckBetweenThem) {
  const struct {
    QString od, dismissed;
    QVariantList stored;
  } cases[] = {
      {QStringLiteral("01012020"), QStringLiteral("15062021"), {QStringLiteral("2020-01-01/2021-06-15")}},
      {QStringLiteral("10052021"), QStringLiteral("09052021"), {QStringLiteral("2021-05-10/2021-05-09")}},
      {QStringLiteral("10052021"), QString(), {QStringLiteral("2021-05-10/-")}},
  };
  Open();
  for (const auto& c : cases) {
    Exec(QStringLiteral("delete from c_clenov_rs"));
    FreshMessages();
    script.Then(Enter(novak, QStringLiteral("5"), c.od, c.dismissed, Qt::Key_F12));
    Key(form->list, Qt::Key_P);
    EXPECT_EQ(Column(QStringLiteral("select datum_od||'/'||coalesce(datum_do,'-') from c_clenov_rs")), c.stored)
        << c.dismissed.toStdString();
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
  }
}

TEST_F(GuardMembersTest, EditLoadsTheGuardAndTypedDatesReplaceTheStoredOnes) {
  AddGuard(novak, QStringLiteral("9"), QDate(2019, 4, 1));
  Open();
  QString loaded;
  script.Then([&](TForm& f) {
    auto& d = dynamic_cast<TfrmCClenovRSPridaj&>(f);
    loaded = d.eDBCisloOdznaku->text() + QLatin1Char('/') + d.eDBDatumOd->text() + QLatin1Char('/') +
             d.eDBClen->GetKeyValue().toString();
    Enter(novak, QStringLiteral("9"), QStringLiteral("01042018"), QStringLiteral("31122025"), Qt::Key_F12)(f);
  });
  Key(form->list, Qt::Key_O);
  EXPECT_EQ(loaded, QStringLiteral("9/01.04.2019/%1").arg(novak));
  EXPECT_EQ(Column(QStringLiteral("select datum_od||'/'||datum_do from c_clenov_rs")),
            QVariantList({QStringLiteral("2018-04-01/2025-12-31")}));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(GuardMembersTest, AMemberWithALongNameIsTypedInAndSavedThroughKeys) {
  const int longNamed = AddLongNamedMember();
  const QString name = DisplayName(longNamed);
  ASSERT_EQ(name.size(), 75) << name.toStdString();
  Open();
  script.Then([&](TForm& f) {
    Activate(f);
    for (const QString& typed :
         {name, QStringLiteral("75"), QStringLiteral("OS-75"), QStringLiteral("01012020"), QStringLiteral("15062021")})
      TypeAndTab(typed);
    Press(f, Qt::Key_F12);
    CancelIfOpen(f);
  });
  Key(form->list, Qt::Key_P);
  EXPECT_EQ(Rows(QStringLiteral("select c_clenov,cislo_odznaku,cislo_osvedcenia,datum_od,datum_do from c_clenov_rs")),
            QStringList({QStringLiteral("%1/75/OS-75/2020-01-01/2021-06-15").arg(longNamed)}));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(GuardMembersTest, MissingRequiredEntriesSaveNothing) {
  Open();
  const std::function<void(TfrmCClenovRSPridaj&)> blanks[] = {
      [](TfrmCClenovRSPridaj& d) { d.eDBClen->ClearValue(); },
      [](TfrmCClenovRSPridaj& d) { d.eDBCisloOdznaku->clear(); },
      [](TfrmCClenovRSPridaj& d) { d.eDBCisloOsvedcenia->clear(); },
      [](TfrmCClenovRSPridaj& d) { d.eDBDatumOd->Clear(); },
  };
  for (const auto& blank : blanks) {
    dialogs.reset();
    dialogs = std::make_unique<TScriptedMessageDialogs>();
    script.Then([&](TForm& f) {
      auto& d = dynamic_cast<TfrmCClenovRSPridaj&>(f);
      d.eDBClen->FindIt(novak);
      d.eDBCisloOdznaku->setText(QStringLiteral("1"));
      d.eDBCisloOsvedcenia->setText(QStringLiteral("2"));
      d.eDBDatumOd->SetDate(DateTime::FromDate(QDate(2020, 1, 1)));
      blank(d);
      Press(f, Qt::Key_F12);
      CancelIfOpen(f);
    });
    Key(form->list, Qt::Key_P);
    EXPECT_EQ(Messages().size(), 1);
    EXPECT_EQ(Count(QStringLiteral("c_clenov_rs")), 0);
  }
}

TEST_F(GuardMembersTest, DismissedGuardsHaveBadgeCertificateAndDateStruckThrough) {
  AddGuard(novak, QStringLiteral("1"), QDate(2018, 1, 1));
  const int second = AddGuard(novak, QStringLiteral("2"), QDate(2018, 1, 1), QDate(2020, 1, 1));
  Open();
  auto struck = [this](int row, const QString& field) {
    for (int i = 0; i < form->list.gr1->ColumnCount(); ++i)
      if (auto* column = static_cast<TQPLColumn*>(form->list.gr1->Column(i)); column->FieldName == field) {
        TGridCellCanvas canvas;
        emit form->list.gr1->OnDrawColumnCell(row, column, canvas);
        return canvas.Font.strikeOut();
      }
    ADD_FAILURE() << field.toStdString();
    return false;
  };
  const struct {
    const char* field;
    bool dismissedStruck;
  } columns[] = {{"CISLO_ODZNAKU", true}, {"CISLO_OSVEDCENIA", true}, {"DATUM_OD", true}, {"PRIEZVISKO", false},
                 {"MENO", false},         {"TELEFON", false}};
  for (const auto& c : columns) {
    EXPECT_FALSE(struck(0, QString::fromLatin1(c.field))) << c.field;
    EXPECT_EQ(struck(1, QString::fromLatin1(c.field)), c.dismissedStruck) << c.field;
  }
  Exec(QStringLiteral("update c_clenov_rs set datum_do=null where jedin=:J"), {{QStringLiteral("J"), second}});
  Key(form->list, Qt::Key_R);
  EXPECT_FALSE(struck(1, QStringLiteral("CISLO_ODZNAKU")));
}

TEST_F(GuardMembersTest, AGuardOfAnInspectionCannotBeDeleted) {
  const int used = AddGuard(novak, QStringLiteral("1"), QDate(2018, 1, 1));
  AddInspectionGuard(AddInspection(2026), used);
  Open();
  dialogs.reset();
  dialogs = std::make_unique<TScriptedMessageDialogs>(QList<int>{mrYes});
  Key(form->list, Qt::Key_Delete);
  EXPECT_TRUE(Messages().value(1).contains(QStringLiteral("#2006"))) << Messages().join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(Count(QStringLiteral("c_clenov_rs")), 1);
}

TEST_F(GuardMembersTest, PickerAddsAGuardWithPAndReturnsItWithEnter) {
  form = std::make_unique<TfrmCClenovRS>(nullptr, ProgramSettings.Rok);
  form->SetTag(1);
  script.Then([this](TForm&) {
    form->list.gr1->setFocus();
    Key(form->list, Qt::Key_P);
    Key(form->list, Qt::Key_Return);
  });
  script.Then(Enter(novak, QStringLiteral("33"), QStringLiteral("01012021"), QString(), Qt::Key_F12));
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(form->list.ib1->FieldByName(QStringLiteral("CISLO_ODZNAKU")).AsString(), QStringLiteral("33"));
}

} // namespace
