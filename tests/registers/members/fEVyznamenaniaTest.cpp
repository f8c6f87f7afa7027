#include "registers/members/fEVyznamenania.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "registers/members/fEVyznamenaniaPridaj.h"
#include "tests/registers/members/MemberRecordsTestSupport.h"

namespace {

class AwardsTest : public MemberRecordsTest {
protected:
  void SetUp() override {
    MemberRecordsTest::SetUp();
    novak = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
    kral = AddMember(QStringLiteral("Kráľ"), QStringLiteral("Peter"));
  }
  static TfrmEVyznamenaniaPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmEVyznamenaniaPridaj&>(f); }
  int novak = 0, kral = 0;
};

TEST_F(AwardsTest, ANewAwardProposesLastYearAndTheYearMustBePositive) {
  TfrmEVyznamenania form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  const int lastYear = QDate::currentDate().year() - 1;
  const struct {
    double year; // -1: as proposed, -2: emptied
    QString message;
  } cases[] = {{0, QStringLiteral("#1043")},
               {-2, QStringLiteral("#1043")},
               {-5, QStringLiteral("#1036")},
               {-1, QString()},
               {9999, QString()}};
  for (const auto& c : cases) {
    Exec(QStringLiteral("delete from e_vyznamenania"));
    FreshMessages();
    double proposed = 0;
    bool stayedOpen = false;
    script.Then([&](TForm& f) {
      proposed = Dialog(f).eDBRok->Value();
      Dialog(f).eDBClen->FindIt(novak);
      Dialog(f).eDBNazov->setEditText(QStringLiteral("Za zásluhy"));
      if (c.year == -2)
        Dialog(f).eDBRok->clear();
      else if (c.year != -1)
        Dialog(f).eDBRok->SetValue(c.year);
      Press(f, Qt::Key_F12);
      stayedOpen = f.isVisible();
      if (stayedOpen) f.SetModalResult(mrCancel);
    });
    Key(form.list, Qt::Key_P);
    EXPECT_EQ(proposed, lastYear);
    EXPECT_EQ(stayedOpen, !c.message.isEmpty()) << c.year;
    if (c.message.isEmpty())
      EXPECT_TRUE(Messages().isEmpty());
    else
      EXPECT_TRUE(Messages().value(0).contains(c.message)) << Messages().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Column(QStringLiteral("select rok_vyznamenania from e_vyznamenania")),
              c.message.isEmpty() ? QVariantList({c.year == -1 ? lastYear : int(c.year)}) : QVariantList());
  }
}

TEST_F(AwardsTest, TheFilterNarrowsToAMemberAndThePrintIsOrderedByYear) {
  for (const auto& [member, name, year] :
       {std::tuple{novak, "Za zásluhy", 2020}, std::tuple{kral, "Čestné uznanie", 2018},
        std::tuple{novak, "Čestné uznanie", 2015}})
    InsertRow(
        QStringLiteral("e_vyznamenania_id"),
        QStringLiteral("insert into e_vyznamenania (jedin,c_clenov,nazov,rok_vyznamenania) values (:JEDIN,:C,:N,:R)"),
        {{QStringLiteral("C"), member}, {QStringLiteral("N"), QString::fromUtf8(name)}, {QStringLiteral("R"), year}});
  TfrmEVyznamenania form(nullptr, ProgramSettings.Rok);
  form.eDBClen->FindIt(novak);
  form.list.btnFilterClick(&form); // opened filtered, as the member card does
  ShowActive(form);
  QVariantList listed = Listed(form.list, QStringLiteral("ROK_VYZNAMENANIA"));
  std::sort(listed.begin(), listed.end(), [](const QVariant& a, const QVariant& b) { return a.toInt() < b.toInt(); });
  EXPECT_EQ(listed, QVariantList({2015, 2020}));
  form.eDBClen->ClearValue();
  Key(form.list, Qt::Key_A); // descending: the print keeps its own order
  Key(form.list, Qt::Key_T);
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(prints[0].Title, QStringLiteral("Evidencia vyznamenaní"));
  EXPECT_EQ(prints[0].Template, QStringLiteral("Vyznamenania.rpf"));
  EXPECT_FALSE(prints[0].Variables.contains(QStringLiteral("Rok")));
  EXPECT_TRUE(prints[0].VariableNames.contains(QStringLiteral(" Organizacia")));
  QVariantList years;
  for (const QVariantMap& row : prints[0].Rows)
    years.append(row.value(QStringLiteral("ROK_VYZNAMENANIA")));
  EXPECT_EQ(years, QVariantList({2015, 2018, 2020}));
}

} // namespace
