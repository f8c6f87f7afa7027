#include "registers/members/fEPriestupky.h"
#include "app/ToolBar.h"
#include "controls/DbGridBase.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "registers/members/fEPriestupkyPridaj.h"
#include "tests/registers/members/MemberRecordsTestSupport.h"
#include "tests/support/TestOutput.h"
#include <QtWidgets/QGroupBox>

namespace {

class OffencesTest : public MemberRecordsTest {
protected:
  void SetUp() override {
    MemberRecordsTest::SetUp();
    revir = AddRevir(2026, QStringLiteral("Váh"));
  }
  void AddOffence(int rok, const QString& priestupok, int vybaveny, const QVariant& member = QVariant()) {
    InsertRow(QStringLiteral("e_priestupky_id"),
              QStringLiteral("insert into e_priestupky (jedin,rok,datum,c_clenov,meno,priezvisko,priestupok,pokuta,"
                             "vybaveny) values (:JEDIN,:R,:D,:C,'Ján','Hrivnák',:P,100,:V)"),
              {{QStringLiteral("R"), rok},
               {QStringLiteral("D"), QDate(rok, 6, 1)},
               {QStringLiteral("C"), member},
               {QStringLiteral("P"), priestupok},
               {QStringLiteral("V"), vybaveny}});
  }
  static TfrmEPriestupkyPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmEPriestupkyPridaj&>(f); }
  int revir = 0;
};

TEST_F(OffencesTest, UnsettledCasesOfEarlierYearsFollowIntoTheWorkingYear) {
  AddOffence(2025, QStringLiteral("2025 otvorený"), 0);
  AddOffence(2025, QStringLiteral("2025 vybavený"), 1);
  AddOffence(2026, QStringLiteral("2026 vybavený"), 1);
  AddOffence(2027, QStringLiteral("2027 otvorený"), 0);
  TfrmEPriestupky form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  const struct {
    bool filter, settledToo;
    QVariantList listed;
  } cases[] = {
      {false, false, {QStringLiteral("2025 otvorený"), QStringLiteral("2026 vybavený")}},
      {true, false, {QStringLiteral("2025 otvorený"), QStringLiteral("2026 vybavený")}},
      {true, true, {QStringLiteral("2025 otvorený"), QStringLiteral("2025 vybavený"), QStringLiteral("2026 vybavený")}},
  };
  for (const auto& c : cases) {
    if (c.filter != form.list.btnFilter->Down()) Key(form.list, Qt::Key_F);
    form.eDBVybaveny->SetCheckedValue(c.settledToo ? 1 : 0);
    Key(form.list, Qt::Key_R);
    QVariantList listed = Listed(form.list, QStringLiteral("PRIESTUPOK"));
    std::sort(listed.begin(), listed.end(),
              [](const QVariant& a, const QVariant& b) { return a.toString() < b.toString(); });
    EXPECT_EQ(listed, c.listed) << c.filter << c.settledToo;
  }
}

TEST_F(OffencesTest, AMembersDataAreCopiedAndLockedAndTheNextOffenceKeepsFineAndSettlement) {
  const int member = InsertRow(QStringLiteral("c_clenov_id"),
                               QStringLiteral("insert into c_clenov (jedin,meno,priezvisko,ulica,mesto,psc) "
                                              "values (:JEDIN,'Ján','Novák','Hlavná 1','Žilina','01001')"),
                               {});
  TfrmEPriestupky form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  QStringList copied;
  bool locked = false, tickedByPayment = false;
  script.Then([&](TForm& f) {
    TfrmEPriestupkyPridaj& d = Dialog(f);
    d.eDBClen->FindIt(member);
    copied = {d.eDBMeno->text(), d.eDBPriezvisko->text(), d.eDBUlica->text(), d.eDBMesto->text(), d.eDBPSC->text()};
    locked = d.eDBMeno->ReadOnly() && d.eDBMesto->ReadOnly();
    d.eDBRevir->FindIt(revir);
    d.eDBPriestupok->setEditText(QStringLiteral("Lov bez povolenia"));
    d.eDBPokuta->SetValue(500);
    d.eDBPokutaZaplatena->SetValue(500); // paid in full: settled by itself
    tickedByPayment = d.eDBVybaveny->CheckedValue() == 1;
    Submit(f, Qt::Key_F11);
  });
  QStringList next;
  script.Then([&](TForm& f) {
    TfrmEPriestupkyPridaj& d = Dialog(f);
    next = {d.eDBPokuta->text(), QString::number(d.eDBVybaveny->CheckedValue()), d.eDBMeno->text(),
            QString::number(d.eDBMeno->ReadOnly())};
    // A non-member's offence, left unsettled by hand, saved with "Ďalší".
    d.eDBPriezvisko->setText(QStringLiteral("Hosť"));
    d.eDBMeno->setText(QStringLiteral("Peter"));
    d.eDBMesto->setText(QStringLiteral("Púchov"));
    d.eDBUlica->setText(QStringLiteral("Nová 2"));
    d.eDBPSC->setText(QStringLiteral("02001"));
    d.eDBRevir->FindIt(revir);
    d.eDBPriestupok->setEditText(QStringLiteral("Nočný lov"));
    d.eDBVybaveny->SetCheckedValue(0);
    Submit(f, Qt::Key_F11);
  });
  QStringList third;
  script.Then([&](TForm& f) {
    TfrmEPriestupkyPridaj& d = Dialog(f);
    third = {d.eDBPokuta->text(), QString::number(d.eDBVybaveny->CheckedValue())};
    f.SetModalResult(mrCancel);
  });
  Key(form.list, Qt::Key_P);
  EXPECT_EQ(copied, QStringList({QStringLiteral("Ján"), QStringLiteral("Novák"), QStringLiteral("Hlavná 1"),
                                 QStringLiteral("Žilina"), QStringLiteral("01001")}));
  EXPECT_TRUE(locked);
  EXPECT_TRUE(tickedByPayment);
  // The fine and the settled box stay for the next offender, ticked or not.
  EXPECT_EQ(next, QStringList({QStringLiteral("500,00"), QStringLiteral("1"), QString(), QStringLiteral("0")}));
  EXPECT_EQ(third, QStringList({QStringLiteral("500,00"), QStringLiteral("0")}));
  EXPECT_EQ(Rows(QStringLiteral("select rok,c_clenov,meno,mesto,pokuta,vybaveny from e_priestupky order by jedin")),
            QStringList(
                {QStringLiteral("2026/%1/Ján/Žilina/500/1").arg(member), QStringLiteral("2026//Peter/Púchov/500/0")}));
}

// The dialog keeps its place's size with the person in its " Rybár: " box,
// and after a refused save only the control the refusal went to looks focused.
TEST_F(OffencesTest, TheDialogFitsItsSizeAndOnlyTheFocusedFieldLooksFocused) {
  TfrmEPriestupky form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  QSize size;
  bool personInBox = false;
  QString focused;
  QStringList lookingFocused;
  script.Then([&](TForm& f) {
    TfrmEPriestupkyPridaj& d = Dialog(f);
    Activate(f);
    size = f.size();
    const auto* box = f.findChild<QGroupBox*>(QStringLiteral("gbxRybar"));
    personInBox = box && box->isVisible() && box->title() == QStringLiteral(" Rybár: ");
    for (QWidget* edit : std::initializer_list<QWidget*>{d.eDBTitul, d.eDBMeno, d.eDBMesto, d.eDBDatumNarodenia})
      personInBox = personInBox && box->isAncestorOf(edit);
    // A non-member without a name: the save is refused at the first name.
    d.eDBPriezvisko->setFocus();
    TypeText(d.eDBPriezvisko, QStringLiteral("Hosť"));
    Press(f, Qt::Key_F12);
    focused = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    for (QWidget* widget : f.findChildren<QWidget*>()) {
      const auto* control = dynamic_cast<TDataEntryControl*>(widget);
      if (control && (control->Color() == TDataEntryControl::FocusColor ||
                      control->Color() == TDataEntryControl::FocusRequiredColor))
        lookingFocused << widget->objectName();
    }
    EXPECT_TRUE(f.grab().save(TestOutputPath(QStringLiteral("offence-dialog.png"))));
    f.SetModalResult(mrCancel);
  });
  Key(form.list, Qt::Key_P);
  EXPECT_EQ(size, QSize(709, 317));
  EXPECT_TRUE(personInBox);
  EXPECT_EQ(Messages().size(), 1);
  EXPECT_EQ(lookingFocused, QStringList(focused)) << "focused: " << focused.toStdString();
}

TEST_F(OffencesTest, UnsettledFinesAreRedAndNonMembersBold) {
  const int member = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
  AddOffence(2026, QStringLiteral("A"), 0, member);
  AddOffence(2026, QStringLiteral("B"), 1);
  TfrmEPriestupky form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  const int memberRow = int(Listed(form.list, QStringLiteral("PRIESTUPOK")).indexOf(QStringLiteral("A")));
  const struct {
    int row, column;
    TColor brush;
    bool bold;
  } cases[] = {{memberRow, 3, TColor(0x0000FF), false},
               {memberRow, 0, clWindow, false},
               {1 - memberRow, 3, clWindow, false},
               {1 - memberRow, 0, clWindow, true}};
  for (const auto& c : cases) {
    TGridCellCanvas canvas;
    form.gr1DrawColumnCell(c.row, form.list.gr1->QPLColumn(c.column), canvas);
    EXPECT_EQ(canvas.Brush, c.brush) << c.row << " " << c.column;
    EXPECT_EQ(canvas.Font.bold(), c.bold) << c.row << " " << c.column;
  }
}

} // namespace
