#include "registers/permits/fEKrmenia.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "registers/permits/fCKrmiv.h"
#include "registers/permits/fCKrmivPridaj.h"
#include "registers/permits/fEKrmeniaPridaj.h"
#include "tests/registers/permits/PermitsTestSupport.h"

namespace {

class FeedsTest : public PermitListTest<TfrmCKrmiv> {
protected:
  static TfrmCKrmivPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmCKrmivPridaj&>(f); }
  static std::function<void(TForm&)> Enter(const QString& nazov, int key) {
    return [=](TForm& f) {
      Retype(Dialog(f).eDBNazov, nazov);
      Press(f, key);
    };
  }
  void AddFeed(int rok, const QString& nazov) {
    Exec(QStringLiteral("insert into c_krmiv (jedin,rok,nazov) values (gen_id(c_krmiv_id,1),:R,:N)"),
         {{QStringLiteral("R"), rok}, {QStringLiteral("N"), nazov}});
  }
  QStringList Stored() const { return Rows(QStringLiteral("select rok,nazov from c_krmiv order by jedin")); }
};

TEST_F(FeedsTest, AFeedNameIsUniqueWithinItsYearOnlyAndEditAndDeleteWork) {
  AddFeed(2025, QStringLiteral("Kukurica"));
  AddFeed(2026, QStringLiteral("Pšenica"));
  Open();
  EXPECT_EQ(form->Caption(), QStringLiteral("Číselník krmív - rok 2026"));
  EXPECT_EQ(Listed(QStringLiteral("NAZOV")), QVariantList({QStringLiteral("Pšenica")}));
  bool stayedOpen = false;
  QString refusal;
  // The last year's name is free in this year; this year's in other case is not.
  script.Then(Enter(QStringLiteral("Kukurica"), Qt::Key_F11));
  script.Then([&](TForm& f) {
    Enter(QStringLiteral("PŠENICA"), Qt::Key_F12)(f);
    stayedOpen = f.isVisible();
    refusal = Messages().value(0);
    Press(f, Qt::Key_Escape);
  });
  Key(Qt::Key_P);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(refusal.contains(QStringLiteral("#1004"))) << refusal.toStdString();
  EXPECT_EQ(Stored(), QStringList({QStringLiteral("2025/Kukurica"), QStringLiteral("2026/Pšenica"),
                                   QStringLiteral("2026/Kukurica")}));

  form->list.LocateKey(2);
  script.Then(Enter(QStringLiteral("Pšenica ozimná"), Qt::Key_F12));
  Key(Qt::Key_F4);
  Answer({mrYes});
  form->list.LocateKey(3);
  Key(Qt::Key_F8);
  EXPECT_EQ(Stored(), QStringList({QStringLiteral("2025/Kukurica"), QStringLiteral("2026/Pšenica ozimná")}));
}

class FeedingTest : public PermitListTest<TfrmEKrmenia> {
protected:
  void SetUp() override {
    PermitListTest::SetUp();
    for (const int rok : {2025, 2026}) {
      Exec(QStringLiteral("insert into c_krmiv (jedin,rok,nazov) values (:J,:R,:N)"),
           {{QStringLiteral("J"), rok - 2020},
            {QStringLiteral("R"), rok},
            {QStringLiteral("N"), QStringLiteral("Kukurica %1").arg(rok)}});
      Exec(
          QStringLiteral("insert into c_reviry_jux (jedin,rok,nazov,nazov_uplny,nazov_uplny2) values (:J,:R,:N,:N,:N)"),
          {{QStringLiteral("J"), rok - 2020},
           {QStringLiteral("R"), rok},
           {QStringLiteral("N"), QStringLiteral("Váh %1").arg(rok)}});
    }
  }
  static TfrmEKrmeniaPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmEKrmeniaPridaj&>(f); }
};

TEST_F(FeedingTest, TwelveAndAHalfAtFourMakeFiftyTheUnitIsKeptAsTypedAndOnlyTheYearsFeedsAreOffered) {
  Open();
  QVariant lastYearsFeed, lastYearsGround;
  double total = 0;
  script.Then([&](TForm& f) {
    TfrmEKrmeniaPridaj& d = Dialog(f);
    d.eDBKrmivo->FindIt(5); // the feed of 2025
    lastYearsFeed = d.eDBKrmivo->GetKeyValue();
    d.eDBRevir->FindIt(5);
    lastYearsGround = d.eDBRevir->GetKeyValue();
    d.eDBRevir->FindIt(6);
    d.eDBKrmivo->FindIt(6);
    Retype(d.eDBJC, QStringLiteral("4"));
    Retype(d.eDBMnozstvo, QStringLiteral("12,5"));
    d.eDBMJ->setFocus();
    TypeText(d.eDBMJ, QStringLiteral("vrece"));
    total = d.eDBSpolu->Value();
    Press(f, Qt::Key_F12);
  });
  Key(Qt::Key_P);
  EXPECT_TRUE(lastYearsFeed.isNull());
  EXPECT_TRUE(lastYearsGround.isNull());
  EXPECT_DOUBLE_EQ(total, 50);
  EXPECT_EQ(Rows(QStringLiteral("select rok,c_reviry_jux,c_krmiv,jc,mnozstvo,mj,spolu from e_krmenia")),
            QStringList(QStringLiteral("2026/6/6/4/12.5/vrece/50")));
  // The new unit is offered from then on.
  QString offered;
  script.Then([&](TForm& f) {
    TfrmEKrmeniaPridaj& d = Dialog(f);
    d.eDBMJ->FindIt(QStringLiteral("vrece"));
    offered = d.eDBMJ->currentText();
    Press(f, Qt::Key_Escape);
  });
  Key(Qt::Key_P);
  EXPECT_EQ(offered, QStringLiteral("vrece"));
}

} // namespace
