#include "registers/members/fCClenovPreruseneRoky.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "registers/members/fCClenovPreruseneRokyPridaj.h"
#include "tests/registers/common/RegisterTestSupport.h"
#include <QtCore/QDate>

namespace {

class InterruptedYearsTest : public RegisterTest {
protected:
  void SetUp() override {
    RegisterTest::SetUp();
    for (int member : {1, 2})
      Exec(QStringLiteral("insert into c_clenov (jedin) values (:J)"), {{QStringLiteral("J"), member}});
    for (int year : {2020, 2022})
      Exec(QStringLiteral("insert into c_clenov_prerusene_roky (jedin,c_clenov,rok,dovod)"
                          " values (gen_id(c_clenov_prerusene_roky_id,1),1,:R,'')"),
           {{QStringLiteral("R"), year}});
  }
  void TearDown() override {
    form.reset();
    RegisterTest::TearDown();
  }
  void Open(int member) {
    form = std::make_unique<TfrmCClenovPreruseneRoky>(nullptr, ProgramSettings.Rok);
    form->Clen = member;
    ShowActive(*form);
    form->list.gr1->setFocus();
  }
  void Key(int key) { QTest::keyClick(form->list.gr1, Qt::Key(key)); }
  static TfrmCClenovPreruseneRokyPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmCClenovPreruseneRokyPridaj&>(f); }
  static void TypeYear(TForm& f, int year) {
    TIBCurrencyEdit* edit = Dialog(f).eDBRok;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::number(year));
  }
  QVariantList Years(int member) const {
    return Column(QStringLiteral("select rok from c_clenov_prerusene_roky where c_clenov=:C order by rok"),
                  {{QStringLiteral("C"), member}});
  }

  std::unique_ptr<TfrmCClenovPreruseneRoky> form;
};

TEST_F(InterruptedYearsTest, ListShowsOnlyTheMembersYears) {
  Open(1);
  EXPECT_EQ(form->list.ib1->RecordCount(), 2);
  Open(2);
  EXPECT_TRUE(form->list.ib1->IsEmpty());
}

TEST_F(InterruptedYearsTest, AYearTheMemberHasGives2005AndKeepsTheDialogOpenWithTheEntries) {
  ProgramSettings.Rok = 2019; // the proposal is the calendar year, not the working year
  Open(1);
  double proposed = 0;
  bool openAfterRefusal = false, yearFocused = false;
  QString reasonKept;
  script.Then([&](TForm& f) {
    proposed = Dialog(f).eDBRok->Value();
    TypeYear(f, 2020);
    Dialog(f).eDBDovod->setFocus();
    TypeText(Dialog(f).eDBDovod, QStringLiteral("sťahovanie"));
    Press(f, Qt::Key_F12);
    openAfterRefusal = f.isVisible();
    yearFocused = f.focusWidget() == Dialog(f).eDBRok;
    reasonKept = Dialog(f).eDBDovod->text();
    TypeYear(f, 2021);
    Press(f, Qt::Key_F12);
  });
  Key(Qt::Key_P);
  EXPECT_EQ(proposed, QDate::currentDate().year());
  EXPECT_TRUE(openAfterRefusal);
  EXPECT_TRUE(yearFocused);
  EXPECT_EQ(reasonKept, QStringLiteral("sťahovanie"));
  ASSERT_FALSE(Messages().isEmpty());
  EXPECT_TRUE(Messages().first().contains(QStringLiteral("#2005"))) << Messages().first().toStdString();
  EXPECT_EQ(Years(1), QVariantList({2020, 2021, 2022}));
  EXPECT_EQ(form->list.ib1->FieldByName(QStringLiteral("ROK")).AsInteger(), 2021);
}

TEST_F(InterruptedYearsTest, EditToAnotherRecordedYearIsRefusedAndOtherMembersMayHaveTheYear) {
  Open(1);
  form->list.LocateKey(1);
  bool openAfterRefusal = false;
  script.Then([&](TForm& f) {
    TypeYear(f, 2022);
    Press(f, Qt::Key_F12);
    openAfterRefusal = f.isVisible();
    Press(f, Qt::Key_Escape);
  });
  Key(Qt::Key_F4);
  EXPECT_TRUE(openAfterRefusal);
  EXPECT_EQ(Years(1), QVariantList({2020, 2022}));

  Open(2);
  Answer();
  script.Then([&](TForm& f) {
    TypeYear(f, 2020);
    Press(f, Qt::Key_F12);
  });
  Key(Qt::Key_F2);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(Years(2), QVariantList({2020}));
}

} // namespace
