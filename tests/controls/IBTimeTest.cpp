#include "controls/IBTime.h"
#include "KitTestSupport.h"
#include "controls/QPLBtn.h"
#include "util/RtDateUtils.h"
#include <QtWidgets/QLineEdit>

namespace {

const QString kWrongTime = QStringLiteral("Nesprávny čas! Opravte hodnotu.");
const QString kTimeRequired = QStringLiteral("Povinný údaj. Položka musí byť zadaná!");

class TimeEditTest : public KitDialogTest {
protected:
  void SetUp() override {
    edit = Add<TIBTime>(QStringLiteral("edCas"));
    next = Add<QLineEdit>(QStringLiteral("next"));
    Show();
    next->setFocus(Qt::OtherFocusReason);
  }
  void Type(const QString& text) {
    Focus(edit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  bool Leave() {
    QTest::keyClick(edit, Qt::Key_Tab);
    return next->hasFocus();
  }

  TIBTime* edit = nullptr;
  QLineEdit* next = nullptr;
};

TEST_F(TimeEditTest, TypedTimesAndTheirRefusals) {
  const struct {
    bool cleared; // the edit was cleared before (hours 24, minutes 61)
    const char* typed;
    const char* shown; // after leaving; nullptr: refused
  } cases[] = {
      {false, "0830", "08:30"}, {false, "08", "08:15"},     {false, "2359", "23:59"}, {false, "0", "00:15"},
      {false, "2400", nullptr}, {false, "1260", nullptr},   {false, "", ""},          {true, "08", nullptr},
      {true, "0905", "09:05"},  {false, "12a3:4", "12:34"},
  };
  for (const auto& c : cases) {
    edit->SetTime(DateTime::EncodeTime(10, 15, 0));
    if (c.cleared) edit->Clear();
    const qsizetype before = Messages().size();
    Type(QString::fromUtf8(c.typed));
    const bool left = Leave();
    if (c.shown) {
      EXPECT_TRUE(left) << c.typed;
      EXPECT_EQ(edit->text(), QString::fromUtf8(c.shown)) << c.typed;
      EXPECT_EQ(edit->Time().isNull(), *c.shown == 0) << c.typed;
      if (*c.shown) {
        EXPECT_EQ(FormatDateTime(QStringLiteral("hh:nn"), edit->Time().toDouble()), QString::fromUtf8(c.shown));
      }
      EXPECT_EQ(Messages().size(), before);
      continue;
    }
    EXPECT_FALSE(left) << c.typed;
    ASSERT_EQ(Messages().size(), before + 1) << c.typed;
    EXPECT_EQ(Messages().last(), kWrongTime);
    EXPECT_EQ(edit->text(), c.cleared ? QString::fromUtf8(c.typed) : QStringLiteral("1015"))
        << "the stored time is shown again when there is one";
  }
}

TEST_F(TimeEditTest, RequiredBlankIsRefusedAlsoByTheFormWideCheck) {
  edit->SetRequired(true);
  EXPECT_EQ(edit->Color(), clYellow);
  edit->Clear();
  // A required time edit that the user never entered.
  EXPECT_TRUE(edit->ValidationFailed());
  EXPECT_EQ(Messages(), QStringList{kTimeRequired});
  EXPECT_TRUE(edit->hasFocus());
  Type(QString());
  EXPECT_FALSE(Leave());
  EXPECT_EQ(Messages().size(), 2);
}

TEST_F(TimeEditTest, RangeMessagesNameTheLimit) {
  edit->SetMinTime(DateTime::EncodeTime(8, 0, 0));
  edit->SetMaxTime(DateTime::EncodeTime(16, 30, 0));
  const struct {
    const char* typed;
    QString message;
  } cases[] = {
      {"0759", QStringLiteral("Zadaný čas je menší ako je povolené! (8:00:00)")},
      {"1631", QStringLiteral("Zadaný čas je väčší ako je povolené! (16:30:00)")},
      {"0800", QString()},
      {"1630", QString()},
  };
  for (const auto& c : cases) {
    const qsizetype before = Messages().size();
    Type(QString::fromUtf8(c.typed));
    EXPECT_EQ(Leave(), c.message.isEmpty()) << c.typed;
    if (!c.message.isEmpty()) {
      EXPECT_EQ(Messages().value(before), c.message);
    }
  }
}

TEST_F(TimeEditTest, MidnightF5ReadOnlyAndCancelButton) {
  edit->SetTime(0.0);
  Focus(edit);
  EXPECT_EQ(edit->text(), QStringLiteral("00:00")) << "midnight is not reformatted on entry";
  EXPECT_TRUE(Leave());
  EXPECT_EQ(edit->text(), QStringLiteral("00:00"));
  EXPECT_EQ(edit->Time(), QVariant(0.0));

  Focus(edit);
  QTest::keyClick(edit, Qt::Key_F5);
  const QTime now = QTime::currentTime();
  EXPECT_EQ(edit->text(), now.toString(QStringLiteral("HHmm")));
  EXPECT_EQ(edit->selectedText(), edit->text());

  // A Cancel button does not skip the time edit's check.
  auto* cancel = Add<TQPLBtn>(QStringLiteral("btnNezapis"));
  cancel->SetCancel(true);
  cancel->show();
  Type(QStringLiteral("2500"));
  cancel->setFocus(Qt::MouseFocusReason);
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_EQ(Messages().value(0), kWrongTime);

  edit->SetTime(DateTime::EncodeTime(7, 45, 0));
  edit->SetReadOnly(true);
  EXPECT_EQ(edit->Color(), clBtnFace);
  EXPECT_EQ(edit->focusPolicy(), Qt::ClickFocus);
  QTest::keyClick(edit, Qt::Key_F5);
  EXPECT_EQ(FormatDateTime(QStringLiteral("hh:nn"), edit->Time().toDouble()), QStringLiteral("07:45"));
}

} // namespace
