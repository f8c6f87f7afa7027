#include "registers/members/fCClenovTlac.h"
#include "controls/QPLBtn.h"
#include "registers/members/fCClenov.h"
#include "tests/registers/members/MembersTestSupport.h"

namespace {

class MemberPrintsTest : public MembersTest {
protected:
  QStringList Surnames(const TRecordedPrint& print) const {
    QStringList names;
    for (const QVariantMap& row : print.Rows)
      names.append(row.value(QStringLiteral("PRIEZVISKO")).toString());
    return names;
  }
};

TEST_F(MemberPrintsTest, BothPrintsFromOneOpeningTakeTheChosenMembers) {
  QVariantList keys;
  for (const char* name : {"Cyril", "Adam", "Boris"})
    keys.append(AddPerson({QString::fromLatin1(name), QStringLiteral("J"), QStringLiteral("Nitra")}));
  TfrmCClenov list(nullptr, ProgramSettings.Rok);
  list.list.btnRefreshClick();
  const struct {
    QVariantList marked;
    QStringList printed;
  } cases[] = {
      {{}, {QStringLiteral("Adam"), QStringLiteral("Boris"), QStringLiteral("Cyril")}},
      {{keys[0], keys[1]}, {QStringLiteral("Adam"), QStringLiteral("Cyril")}},
  };
  for (const auto& c : cases) {
    list.list.gr1->UncheckAll();
    Mark(list.list, c.marked);
    prints.clear();
    TfrmCClenovTlac dialog(&list, list.list);
    EXPECT_EQ(dialog.Caption(), QStringLiteral("Výber tlačovej zostavy..."));
    EXPECT_TRUE(dialog.btn1->font().bold() && dialog.btn2->font().bold());
    script.Then([](TForm& f) {
      auto& d = static_cast<TfrmCClenovTlac&>(f);
      d.btn1->click();
      d.btn2->click();
      Press(f, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    ASSERT_EQ(prints.size(), 2u);
    const struct {
      QString title, file;
    } expected[] = {{QStringLiteral("Tlač zoznamu členov"), QStringLiteral("ClenZoznam.rpf")},
                    {QStringLiteral("Tlač štítkov"), QStringLiteral("ClenStitky.rpf")}};
    for (size_t i = 0; i < 2; ++i) {
      const TRecordedPrint& p = prints[i];
      EXPECT_EQ(p.Title, expected[i].title);
      EXPECT_EQ(p.Template, expected[i].file);
      EXPECT_EQ(p.Aliases, (QMap<QString, QString>{{QStringLiteral("ib1"), QStringLiteral("MASTER")}}));
      EXPECT_EQ(p.Variables.value(QStringLiteral("Rok")), QStringLiteral("'2026'"));
      EXPECT_TRUE(p.VariableNames.contains(QStringLiteral(" Nastavenia")));
      EXPECT_TRUE(p.VariableNames.contains(QStringLiteral(" Organizacia")));
      EXPECT_EQ(Surnames(p), c.printed);
    }
    // Each print keeps its own selection set.
    EXPECT_EQ(
        Column(QStringLiteral("select count(*) from temp_spracuj where zaradenie='DBD05A9C-3FA7-4662'")).value(0),
        Column(QStringLiteral("select count(*) from temp_spracuj where zaradenie='BFA2BA58-3F64-48AF'")).value(0));
  }
}

TEST_F(MemberPrintsTest, AnEmptyListSaysThereIsNothingToPrint) {
  TfrmCClenov list(nullptr, ProgramSettings.Rok);
  list.list.btnRefreshClick();
  TfrmCClenovTlac dialog(&list, list.list);
  dialog.btn1->click();
  EXPECT_EQ(Messages(), QStringList(QStringLiteral("Nie sú údaje pre tlač.")));
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_FALSE(prints[0].Shown);
}

} // namespace
