#include "controls/UxCalculator.h"
#include "tests/support/ModalDriver.h"
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <gtest/gtest.h>

namespace {

// Types keys into the dialog: Esc, Enter and Backspace as their keys, other
// characters as typed text.
void Type(QWidget* form, const QString& keys) {
  for (const QChar c : keys) {
    if (c == QChar(0x1B))
      QTest::keyClick(form, Qt::Key_Escape);
    else if (c == QLatin1Char('\r'))
      QTest::keyClick(form, Qt::Key_Return);
    else if (c == QLatin1Char('\b'))
      QTest::keyClick(form, Qt::Key_Backspace);
    else
      QTest::keyClicks(form, QString(c));
  }
}

struct CalcCase {
  double start;
  const char* keys;
  const char* display;
};

class CalculatorKeys : public testing::TestWithParam<CalcCase> {};

TEST_P(CalculatorKeys, ShowTheResult) {
  const CalcCase& c = GetParam();
  TUxCalculatorForm form(nullptr, 15, false);
  if (c.start != 0) form.Panel()->StartWith(c.start);
  Type(&form, QString::fromUtf8(c.keys));
  EXPECT_EQ(form.Panel()->DisplayText(), QString::fromUtf8(c.display)) << c.keys;
  EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("display"))->text(), QString::fromUtf8(c.display));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CalculatorKeys,
    testing::Values(CalcCase{0, "5+3=", "8"}, CalcCase{0, "200+10%", "220"}, CalcCase{0, "200*10%", "20"},
                    CalcCase{0, "200-10%", "180"}, CalcCase{0, "50/10%", "500"}, CalcCase{0, "7/0=", "Error"},
                    CalcCase{0, "7/0=5+1=", "Error"}, CalcCase{0, "7/0=C", "0"},
                    CalcCase{0,
                             "7/0=\x1b"
                             "4",
                             "4"},
                    CalcCase{0, "5+3\r", "8"}, CalcCase{0, "5++3=", "8"}, CalcCase{0, "5+*3=", "15"},
                    CalcCase{0, "2+3*4=", "20"}, CalcCase{12.5, "3", "3"}, CalcCase{12.5, "+1=", "13,5"},
                    CalcCase{0, "5_\b", "0"}, CalcCase{0, "123\b", "12"}, CalcCase{0, "1,5+1.25=", "2,75"},
                    CalcCase{0, ",5", "0,5"}, CalcCase{0, "1,,5", "1,5"}, CalcCase{0, "16q", "4"},
                    CalcCase{0, "4_Q", "Error"}, CalcCase{0, "4r", "0,25"}, CalcCase{0, "0R", "Error"},
                    CalcCase{0, "1234567890123456", "123456789012345"}, CalcCase{0, "1_234", "-1234"},
                    CalcCase{0, "1/3=", "0,333333333333333"}, CalcCase{0, "0000", "0"}));

TEST(Calculator, MemoryButtonsKeepTheirRegister) {
  TUxCalculatorForm form(nullptr, 15, false);
  TUxCalculatorPanel* panel = form.Panel();
  Type(&form, QStringLiteral("12"));
  panel->Button(TCalcBtnKind::MemoryStore)->click();
  Type(&form, QStringLiteral("3"));
  panel->Button(TCalcBtnKind::MemoryAdd)->click();
  EXPECT_EQ(panel->Memory(), 15);
  Type(&form, QStringLiteral("C"));
  panel->Button(TCalcBtnKind::MemoryRecall)->click();
  EXPECT_EQ(panel->DisplayText(), QStringLiteral("15"));
  Type(&form, QStringLiteral("7/0="));
  panel->Button(TCalcBtnKind::MemoryStore)->click(); // refused in the error status
  EXPECT_EQ(panel->Memory(), 15);
  panel->Button(TCalcBtnKind::MemoryClear)->click();
  EXPECT_EQ(panel->Memory(), 0);
}

TEST(Calculator, CopyAndPasteTheDisplay) {
  TUxCalculatorForm form(nullptr, 15, false);
  Type(&form, QStringLiteral("12,5"));
  QTest::keySequence(&form, QKeySequence::Copy);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("12,5"));
  const std::pair<const char*, const char*> pasted[] = {{"7,25 €", "7,25"}, {" 3 ", "3"}, {"abc", "0"}};
  for (const auto& [clipboard, display] : pasted) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8(clipboard));
    QTest::keySequence(&form, QKeySequence::Paste);
    EXPECT_EQ(form.Panel()->DisplayText(), QString::fromUtf8(display)) << clipboard;
  }
}

TEST(Calculator, DisplayFormatUsesTheLocaleAndShortExponents) {
  EXPECT_EQ(CalcFormatNumber(12.5, 15), QStringLiteral("12,5"));
  EXPECT_EQ(CalcFormatNumber(1.5e20, 15), QStringLiteral("1,5E20"));
  EXPECT_EQ(CalcFormatNumber(-2e-7, 15), QStringLiteral("-2E-7"));
  EXPECT_EQ(CalcFormatNumber(-0.0, 15), QStringLiteral("0"));
}

// Runs the calculator with a start value and lets `drive` work the dialog.
std::pair<bool, double> RunCalculator(double start, const std::function<void(TUxCalculatorForm*)>& drive) {
  TUxCalculator calculator;
  calculator.SetValue(start);
  calculator.SetBeepOnError(false);
  WhenModal<TUxCalculatorForm>(drive);
  const bool accepted = calculator.Execute();
  return {accepted, calculator.Value()};
}

TEST(Calculator, OnlyOkTakesTheResult) {
  const auto ok = RunCalculator(12.5, [](TUxCalculatorForm* form) {
    EXPECT_EQ(form->Panel()->DisplayText(), QStringLiteral("12,5"));
    Type(form, QStringLiteral("*2\r"));
    form->Panel()->Button(TCalcBtnKind::Ok)->click();
  });
  EXPECT_TRUE(ok.first);
  EXPECT_EQ(ok.second, 25);

  const auto cancelled = RunCalculator(12.5, [](TUxCalculatorForm* form) {
    Type(form, QStringLiteral("*2\r"));
    form->Panel()->Button(TCalcBtnKind::Cancel)->click();
  });
  EXPECT_FALSE(cancelled.first);
  EXPECT_EQ(cancelled.second, 12.5);

  const auto closed = RunCalculator(12.5, [](TUxCalculatorForm* form) {
    Type(form, QStringLiteral("*2\r\x1b")); // Enter computes, Esc clears: neither closes
    EXPECT_TRUE(form->isVisible());
    form->close();
  });
  EXPECT_FALSE(closed.first);
  EXPECT_EQ(closed.second, 12.5);
}

TEST(Calculator, OkIsRefusedInTheErrorStatus) {
  const auto result = RunCalculator(0, [](TUxCalculatorForm* form) {
    Type(form, QStringLiteral("7/0="));
    form->Panel()->Button(TCalcBtnKind::Ok)->click();
    EXPECT_TRUE(form->isVisible());
    Type(form, QStringLiteral("C9"));
    form->Panel()->Button(TCalcBtnKind::Ok)->click();
  });
  EXPECT_TRUE(result.first);
  EXPECT_EQ(result.second, 9);
}

} // namespace
