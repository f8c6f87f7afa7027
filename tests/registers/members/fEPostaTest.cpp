#include "registers/members/fEPosta.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "core/DateTime.h"
#include "registers/members/fEPostaPridaj.h"
#include "tests/registers/members/MemberRecordsTestSupport.h"

namespace {

class MailTest : public MemberRecordsTest {
protected:
  int AddMail(int rok, int druh, int cislo, const QString& vec, const QDate& datum = QDate(2026, 2, 1)) {
    return InsertRow(
        QStringLiteral("e_posta_id"),
        QStringLiteral("insert into e_posta (jedin,rok,druh,cislo,vec,datum) values (:JEDIN,:R,:D,:C,:V,:DT)"),
        {{QStringLiteral("R"), rok},
         {QStringLiteral("D"), druh},
         {QStringLiteral("C"), cislo},
         {QStringLiteral("V"), vec},
         {QStringLiteral("DT"), datum}});
  }
  static TfrmEPostaPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmEPostaPridaj&>(f); }
};

TEST_F(MailTest, TheNumberIsProposedOncePerYearAndATypedOneIsKept) {
  AddMail(2025, 1, 40, QStringLiteral("Minulý rok"));
  AddMail(2026, -1, 7, QStringLiteral("Odoslaná"));
  TfrmEPosta form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  QList<double> proposed, afterKind;
  // One series for every kind of the year: 8 follows the sent item 7. The
  // user types 10 over it and leaves the kind by Tab: the 10 stays.
  script.Then([&](TForm& f) {
    TfrmEPostaPridaj& d = Dialog(f);
    proposed.append(d.eDBCislo->Value());
    d.eDBCislo->setFocus(Qt::TabFocusReason);
    TypeText(d.eDBCislo, QStringLiteral("10"));
    QTest::keyClick(d.eDBCislo, Qt::Key_Tab);
    d.eDBDruh->setFocus(Qt::TabFocusReason);
    QTest::keyClick(d.eDBDruh, Qt::Key_Tab);
    afterKind.append(d.eDBCislo->Value());
    d.eDBVec->setFocus(Qt::TabFocusReason);
    TypeText(d.eDBVec, QStringLiteral("Prvá"));
    Submit(f, Qt::Key_F11);
  });
  // The next proposal follows the typed number; choosing another kind
  // changes nothing.
  script.Then([&](TForm& f) {
    TfrmEPostaPridaj& d = Dialog(f);
    proposed.append(d.eDBCislo->Value());
    d.eDBDruh->setFocus(Qt::TabFocusReason);
    d.eDBDruh->FindIt(-1);
    QTest::keyClick(d.eDBDruh, Qt::Key_Tab);
    afterKind.append(d.eDBCislo->Value());
    f.SetModalResult(mrCancel);
  });
  Key(form.list, Qt::Key_P);
  EXPECT_EQ(proposed, QList<double>({8, 11}));
  EXPECT_EQ(afterKind, QList<double>({10, 11}));
  EXPECT_EQ(Rows(QStringLiteral("select rok,druh,cislo,vec from e_posta where vec='Prvá'")),
            QStringList(QStringLiteral("2026/1/10/Prvá")));
}

TEST_F(MailTest, ANumberSavedMeanwhileElsewhereIsRefusedAndTheNextFreeOneProposed) {
  TfrmEPosta form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  double proposedAgain = 0;
  bool stayedOpen = false;
  script.Then([&](TForm& f) {
    EXPECT_EQ(Dialog(f).eDBCislo->Value(), 1);
    AddMail(2026, 1, 1, QStringLiteral("Z inej stanice")); // another workstation was quicker
    Dialog(f).eDBVec->setText(QStringLiteral("Moja"));
    Press(f, Qt::Key_F12);
    stayedOpen = f.isVisible();
    proposedAgain = Dialog(f).eDBCislo->Value();
    Submit(f, Qt::Key_F12);
  });
  Key(form.list, Qt::Key_P);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(proposedAgain, 2);
  EXPECT_EQ(Rows(QStringLiteral("select cislo,vec from e_posta order by cislo")),
            QStringList({QStringLiteral("1/Z inej stanice"), QStringLiteral("2/Moja")}));
}

TEST_F(MailTest, TheFilterTakesDatesEitherWayRoundAndFindsTextAnywhereInTheSubject) {
  AddMail(2026, 1, 1, QStringLiteral("Žiadosť o povolenie"), QDate(2026, 1, 10));
  AddMail(2026, 1, 2, QStringLiteral("Faktúra"), QDate(2026, 2, 10));
  AddMail(2026, -1, 3, QStringLiteral("Odpoveď na žiadosť"), QDate(2026, 3, 10));
  TfrmEPosta form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  Key(form.list, Qt::Key_F);
  const struct {
    QDate od, po;
    QString vec;
    QVariantList numbers;
  } cases[] = {
      {QDate(2026, 2, 28), QDate(2026, 1, 1), QString(), {1, 2}},
      {QDate(2026, 1, 1), QDate(2026, 2, 28), QString(), {1, 2}},
      {QDate(2026, 2, 1), QDate(), QString(), {2, 3}},
      {QDate(), QDate(), QStringLiteral("žiadosť"), {1, 3}},
  };
  for (const auto& c : cases) {
    form.eDatumOd->SetDate(c.od.isValid() ? QVariant(DateTime::FromDate(c.od)) : QVariant());
    form.eDatumDo->SetDate(c.po.isValid() ? QVariant(DateTime::FromDate(c.po)) : QVariant());
    form.eVec->setText(c.vec);
    Key(form.list, Qt::Key_R);
    EXPECT_EQ(Listed(form.list, QStringLiteral("CISLO")), c.numbers) << c.od.toString().toStdString();
  }
}

TEST_F(MailTest, ThePrintTakesTheMarkedItemsInNumberOrder) {
  const int third = AddMail(2026, 1, 3, QStringLiteral("C"), QDate(2026, 1, 1));
  AddMail(2026, 1, 2, QStringLiteral("B"), QDate(2026, 1, 2));
  const int first = AddMail(2026, -1, 1, QStringLiteral("A"), QDate(2026, 1, 3));
  TfrmEPosta form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  Mark(form.list, {third, first});
  Key(form.list, Qt::Key_T);
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(prints[0].Title, QStringLiteral("Evidencia pošty - rok 2026"));
  EXPECT_EQ(prints[0].Template, QStringLiteral("Posta.rpf"));
  EXPECT_EQ(prints[0].Variables.value(QStringLiteral("Rok")), QStringLiteral("'2026'"));
  QStringList rows;
  for (const QVariantMap& row : prints[0].Rows)
    rows.append(row.value(QStringLiteral("CISLO")).toString() + QLatin1Char('/') +
                row.value(QStringLiteral("DRUH")).toString());
  EXPECT_EQ(rows, QStringList({QStringLiteral("1/odoslaná"), QStringLiteral("3/došlá")}));
}

} // namespace
