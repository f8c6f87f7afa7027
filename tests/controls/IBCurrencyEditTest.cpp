#include "controls/IBCurrencyEdit.h"
#include "KitTestSupport.h"
#include "controls/QPLBtn.h"
#include "controls/UxCalculator.h"
#include "core/gui/ColorConvert.h"
#include "tests/support/ModalDriver.h"
#include <QtTest/QSignalSpy>
#include <QtWidgets/QLineEdit>

namespace {

const QString k1043 = QStringLiteral("Hlásenie #1043\r\n\r\nHodnota nemôže byť nulová!");
const QString k1036 = QStringLiteral("Hlásenie #1036\r\n\r\nHodnota nemôže byť záporná!\r\n");

class MoneyEditTest : public KitDialogTest {
protected:
  void SetUp() override {
    edit = Add<TIBCurrencyEdit>(QStringLiteral("ce1"));
    next = Add<QLineEdit>(QStringLiteral("next"));
    cancel = Add<TQPLBtn>(QStringLiteral("btnNezapis"));
    cancel->SetCaption(QStringLiteral("&Nezapíš"));
    cancel->SetCancel(true);
    Show();
    Focus(edit);
  }
  // Types keys into the money edit ("\b" Backspace) and leaves it with Tab.
  void TypeAndLeave(const QString& keys) {
    for (const QChar c : keys) {
      if (c == QLatin1Char('\b'))
        QTest::keyClick(edit, Qt::Key_Backspace);
      else
        QTest::keyClicks(edit, QString(c));
    }
    QTest::keyClick(edit, Qt::Key_Tab);
  }

  TIBCurrencyEdit* edit;
  QLineEdit* next;
  TQPLBtn* cancel;
};

struct CheckCase {
  bool allowZero, allowNegative;
  double minValue, maxValue;
  int zeroText;
  const char* keys;
  const char* message; // empty: accepted; "-": refused without a message
};

class MoneyEditChecks : public MoneyEditTest, public testing::WithParamInterface<CheckCase> {};

TEST_P(MoneyEditChecks, RefuseAndKeepTheFocus) {
  const CheckCase& c = GetParam();
  edit->SetAllowZero(c.allowZero);
  edit->SetAllowNegative(c.allowNegative);
  edit->SetMaxValue(c.maxValue);
  edit->SetMinValue(c.minValue);
  edit->SetAllowZeroErrorText(c.zeroText);
  QSignalSpy exits(edit, &TIBCurrencyEdit::OnExit);
  TypeAndLeave(QString::fromUtf8(c.keys));
  const QString expected = QString::fromUtf8(c.message);
  const bool accepted = expected.isEmpty();
  EXPECT_EQ(Messages(), accepted || expected == QStringLiteral("-") ? QStringList() : QStringList{expected});
  EXPECT_EQ(edit->hasFocus(), !accepted) << c.keys;
  EXPECT_EQ(edit->CheckFailed(), !accepted);
  EXPECT_EQ(exits.count(), accepted ? 1 : 0);
  if (!accepted) {
    EXPECT_EQ(edit->selectedText(), edit->text());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MoneyEditChecks,
    testing::Values(
        CheckCase{false, true, 0, 0, 1043, "0", "Hlásenie #1043\r\n\r\nHodnota nemôže byť nulová!"},
        CheckCase{false, true, 0, 0, 0, "0", "-"}, CheckCase{false, true, 0, 0, 1043, "5", ""},
        CheckCase{true, false, 0, 0, 1043, "5-", "Hlásenie #1036\r\n\r\nHodnota nemôže byť záporná!\r\n"},
        CheckCase{true, true, 0, 0, 1043, "5-", ""},
        CheckCase{true, true, 0, 100, 1043, "150", "Zadaná hodnota je väčšia ako povolená. (MaxValue=100,00)"},
        CheckCase{true, true, 0, 100, 1043, "100", ""},
        CheckCase{true, true, 10, 1000, 1043, "5", "Zadaná hodnota je menšia ako povolená. (MinValue=10,00)"},
        CheckCase{true, true, 0, 0, 1043, "\b\b\b", ""}));

TEST_F(MoneyEditTest, YearFieldRefusesZeroAndNegative) {
  edit->SetMaxLength(4);
  edit->SetDecimals(0);
  edit->SetRequired(true);
  edit->SetAllowZero(false);
  edit->SetAllowNegative(false);
  edit->SetValue(2024);
  QTest::keyClick(edit, Qt::Key_F8);
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_EQ(edit->text(), QStringLiteral("0"));
  EXPECT_EQ(Messages(), QStringList{k1043});
  EXPECT_TRUE(edit->hasFocus());
  QTest::keyClicks(edit, QStringLiteral("2024-"));
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_EQ(edit->text(), QStringLiteral("-2024"));
  EXPECT_EQ(Messages().value(1), k1036);
  EXPECT_TRUE(edit->hasFocus());
}

TEST_F(MoneyEditTest, CancelButtonSkipsTheCheck) {
  edit->SetAllowZero(false);
  QSignalSpy exits(edit, &TIBCurrencyEdit::OnExit);
  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_TRUE(cancel->hasFocus());
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(exits.count(), 0);
}

TEST_F(MoneyEditTest, EnterChecksOnceAndMovesOn) {
  QSignalSpy exits(edit, &TIBCurrencyEdit::OnExit);
  QSignalSpy enters(edit, &TIBCurrencyEdit::OnClickEnter);
  QTest::keyClicks(edit, QStringLiteral("12"));
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_TRUE(next->hasFocus());
  EXPECT_EQ(exits.count(), 1);
  EXPECT_EQ(enters.count(), 1);

  Focus(edit);
  edit->SetAllowZero(false);
  QTest::keyClick(edit, Qt::Key_V);
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_EQ(Messages(), QStringList{k1043});
  EXPECT_EQ(exits.count(), 1);
}

TEST_F(MoneyEditTest, CommaAndPointBothJumpToTheDecimals) {
  for (const QString& separator : {QStringLiteral(","), QStringLiteral(".")}) {
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("12") + separator + QStringLiteral("5"));
    EXPECT_EQ(edit->text(), QStringLiteral("12,50")) << separator.toStdString();
  }
}

TEST_F(MoneyEditTest, F8AndVClearToZeroOrMinValue) {
  const std::tuple<Qt::Key, double, bool, const char*> cases[] = {{Qt::Key_F8, 0, false, "0,00"},
                                                                  {Qt::Key_V, 0, false, "0,00"},
                                                                  {Qt::Key_V, 5, false, "5,00"},
                                                                  {Qt::Key_F8, 0, true, "7,00"}};
  for (const auto& [key, minValue, readOnly, expected] : cases) {
    edit->SetMaxValue(100);
    edit->SetMinValue(minValue);
    edit->SetReadOnly(false);
    edit->SetValue(7);
    edit->SetReadOnly(readOnly);
    QTest::keyClick(edit, key);
    EXPECT_EQ(edit->text(), QString::fromUtf8(expected));
  }
}

// Works the calculator dialog while it is shown modally.
void OnCalculator(const std::function<void(TUxCalculatorForm*)>& drive) { WhenModal<TUxCalculatorForm>(drive); }

TEST_F(MoneyEditTest, KOpensTheCalculatorWithTheValue) {
  edit->SetValue(12.5);
  OnCalculator([](TUxCalculatorForm* form) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Kalkulačka..."));
    EXPECT_EQ(form->Panel()->DisplayText(), QStringLiteral("12,5"));
    QTest::keyClicks(form, QStringLiteral("*2="));
    form->Panel()->Button(TCalcBtnKind::Cancel)->click();
  });
  QTest::keyClick(edit, Qt::Key_K);
  EXPECT_EQ(edit->text(), QStringLiteral("12,50"));

  OnCalculator([](TUxCalculatorForm* form) {
    QTest::keyClicks(form, QStringLiteral("*2="));
    form->Panel()->Button(TCalcBtnKind::Ok)->click();
  });
  QTest::keyClick(edit, Qt::Key_K);
  EXPECT_EQ(edit->text(), QStringLiteral("25,00"));

  edit->SetReadOnly(true);
  OnCalculator([](TUxCalculatorForm* form) {
    QTest::keyClicks(form, QStringLiteral("*2="));
    form->Panel()->Button(TCalcBtnKind::Ok)->click();
  });
  QTest::keyClick(edit, Qt::Key_K);
  EXPECT_EQ(edit->text(), QStringLiteral("25,00"));
}

// Records the edit's colours at the moment a message is shown.
class ColourWitness : public IMessageDialogService {
public:
  explicit ColourWitness(TDataEntryControl* control) : control_(control), previous_(SetMessageDialogService(this)) {}
  ~ColourWitness() override { SetMessageDialogService(previous_); }
  TMessageReply Show(const TMessageRequest&) override {
    seen.append({control_->Color(), control_->FontColor()});
    return {mrOk, {}};
  }
  QList<std::pair<TColor, TColor>> seen;

private:
  TDataEntryControl* control_;
  IMessageDialogService* previous_;
};

TEST_F(MoneyEditTest, StateColours) {
  EXPECT_EQ(edit->Color(), clAqua);
  Focus(next);
  EXPECT_EQ(edit->Color(), clWindow);
  edit->SetRequired(true);
  EXPECT_EQ(edit->Color(), clYellow);
  Focus(edit);
  EXPECT_EQ(edit->Color(), TColor(0xFFD900));
  Focus(next);
  EXPECT_EQ(edit->Color(), clYellow);
  edit->SetMoneyColor(true);
  EXPECT_EQ(edit->Color(), TColor(0x2FFF63));
  edit->SetReadOnly(true);
  EXPECT_EQ(edit->Color(), clBtnFace);
  Focus(edit);
  EXPECT_EQ(edit->Color(), clBtnFace);
  edit->SetReadOnly(false);
  Focus(next);
  Focus(edit);
  edit->SetAllowZero(false);
  edit->SetValue(0);
  ColourWitness witness(edit);
  QTest::keyClick(edit, Qt::Key_Tab);
  ASSERT_EQ(witness.seen.size(), 1);
  EXPECT_EQ(witness.seen[0], std::make_pair(clRed, clWhite));
  EXPECT_EQ(edit->Color(), TColor(0xFFD900));
  EXPECT_EQ(edit->FontColor(), clWindowText);

  edit->setEnabled(false);
  EXPECT_EQ(edit->palette().color(QPalette::Base), ToQColor(clBtnFace));
  edit->setEnabled(true);
  EXPECT_EQ(edit->palette().color(QPalette::Base), ToQColor(edit->Color()));
}

} // namespace
