#include "registers/members/fEPredmety.h"
#include "controls/DbGridBase.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/QPLBtn.h"
#include "core/DateTime.h"
#include "registers/members/fEPredmetyPridaj.h"
#include "registers/members/fEPredmetyTlac.h"
#include "tests/registers/members/MemberRecordsTestSupport.h"

namespace {

class EntrustedItemsTest : public MemberRecordsTest {
protected:
  void SetUp() override {
    MemberRecordsTest::SetUp();
    novak = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
  }
  int AddItem(const QString& nazov, double cena, double mnozstvo, double vratene, int day = 1) {
    return InsertRow(
        QStringLiteral("e_predmety_id"),
        QStringLiteral("insert into e_predmety (jedin,c_clenov,datum,nazov,cena,mnozstvo,mnozstvo_vratene) "
                       "values (:JEDIN,:C,:D,:N,:CE,:M,:V)"),
        {{QStringLiteral("C"), novak},
         {QStringLiteral("D"), QDate(2026, 3, day)},
         {QStringLiteral("N"), nazov},
         {QStringLiteral("CE"), cena},
         {QStringLiteral("M"), mnozstvo},
         {QStringLiteral("V"), vratene}});
  }
  int novak = 0;
};

TEST_F(EntrustedItemsTest, ReturnedItemsAreListedOnlyOnRequestAndStruckOut) {
  AddItem(QStringLiteral("Vesta"), 12.5, 3, 1);
  AddItem(QStringLiteral("Čln"), 1000, 1, 1, 2);
  TfrmEPredmety form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  EXPECT_EQ(Listed(form.list, QStringLiteral("NAZOV")), QVariantList({QStringLiteral("Vesta")}));
  EXPECT_DOUBLE_EQ(Listed(form.list, QStringLiteral("SPOLU")).value(0).toDouble(), 37.5);
  // Price, quantity and total show their two decimals.
  QStringList shown;
  for (int column : {3, 4, 5})
    shown.append(form.list.gr1->model()->index(0, column).data().toString());
  EXPECT_EQ(shown, QStringList({QStringLiteral("12,50"), QStringLiteral("3,00"), QStringLiteral("37,50")}));
  form.list.btnFilterClick(&form); // the panel open, the box unticked: still only the items out
  EXPECT_EQ(Listed(form.list, QStringLiteral("NAZOV")), QVariantList({QStringLiteral("Vesta")}));
  form.eDBVratene->SetCheckedValue(1);
  Key(form.list, Qt::Key_R);
  const QVariantList names = Listed(form.list, QStringLiteral("NAZOV"));
  EXPECT_EQ(names, QVariantList({QStringLiteral("Vesta"), QStringLiteral("Čln")}));
  for (int row = 0; row < 2; ++row) {
    TGridCellCanvas canvas;
    form.gr1DrawColumnCell(row, form.list.gr1->QPLColumn(0), canvas);
    EXPECT_EQ(canvas.Font.strikeOut(), names[row] == QStringLiteral("Čln")) << row;
  }
}

TEST_F(EntrustedItemsTest, AReturnBeyondTheLoanIsRefused) {
  TfrmEPredmety form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  const struct {
    double lent, returned;
    int returnDay; // day of March 2026 (lent on the 10th), 0 none
    bool saved;
  } cases[] = {
      {3, 4, 0, false}, // more back than lent
      {3, 3, 9, false}, // back before the loan
      {3, 3, 10, true}, // all back the same day
      {3, 0, 0, true},  // still out
  };
  for (const auto& c : cases) {
    Exec(QStringLiteral("delete from e_predmety"));
    FreshMessages();
    bool stayedOpen = false;
    script.Then([&](TForm& f) {
      auto& d = dynamic_cast<TfrmEPredmetyPridaj&>(f);
      d.eDBClen->FindIt(novak);
      d.eDBDatum->SetDate(DateTime::EncodeDate(2026, 3, 10));
      d.eDBNazov->setEditText(QStringLiteral("Vesta"));
      d.eDBCena->SetValue(12.5);
      d.eDBMnozstvo->SetValue(c.lent);
      d.eDBMnozstvoVratene->SetValue(c.returned);
      if (c.returnDay) d.eDBDatumVratenia->SetDate(DateTime::EncodeDate(2026, 3, c.returnDay));
      Press(f, Qt::Key_F12);
      stayedOpen = f.isVisible();
      if (stayedOpen) f.SetModalResult(mrCancel);
    });
    Key(form.list, Qt::Key_P);
    EXPECT_EQ(stayedOpen, !c.saved) << c.returned << " " << c.returnDay;
    EXPECT_EQ(Messages().isEmpty(), c.saved);
    EXPECT_EQ(Rows(QStringLiteral("select mnozstvo,mnozstvo_vratene from e_predmety")),
              c.saved ? QStringList(QStringLiteral("%1/%2").arg(c.lent).arg(c.returned)) : QStringList());
  }
}

TEST_F(EntrustedItemsTest, TheSummaryPrintShowsTheValueStillOutstanding) {
  const QVariantList keys{AddItem(QStringLiteral("Vesta"), 12.5, 3, 1), AddItem(QStringLiteral("Sieť"), 4, 2, 0, 2)};
  TfrmEPredmety form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  TfrmEPredmetyTlac dialog(&form, form.list);
  const struct {
    int button;
    QString tag, templ, column;
    QVariantList values;
  } cases[] = {
      {1,
       QStringLiteral("D407795B-D2DB-451D"),
       QStringLiteral("Predmety01.rpf"),
       QStringLiteral("NAZOV"),
       {QStringLiteral("Vesta"), QStringLiteral("Sieť")}},
      {2, QStringLiteral("6932A6A0-3859-42F1"), QStringLiteral("Predmety02.rpf"), QStringLiteral("ZOSTATOK"), {33.0}},
  };
  for (const auto& c : cases) {
    prints.clear();
    (c.button == 1 ? dialog.btn1 : dialog.btn2)->click();
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_EQ(prints[0].Template, c.templ);
    EXPECT_EQ(prints[0].Title, c.button == 1 ? dialog.btn1->text() : dialog.btn2->text());
    QVariantList values;
    for (const QVariantMap& row : prints[0].Rows)
      values.append(c.column == QLatin1String("ZOSTATOK") ? QVariant(row.value(c.column).toDouble())
                                                          : row.value(c.column));
    EXPECT_EQ(values, c.values) << c.button;
    EXPECT_EQ(Column(QStringLiteral("select cislo from temp_spracuj where zaradenie=:T order by cislo"),
                     {{QStringLiteral("T"), c.tag}}),
              keys);
  }
}

} // namespace
