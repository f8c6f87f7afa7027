#include "controls/BaseNumEdit.h"
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

// Types keys: "\b" is Backspace, "\x7f" Delete, other characters typed text.
void Type(QWidget* edit, const QString& keys) {
  for (const QChar c : keys) {
    if (c == QLatin1Char('\b'))
      QTest::keyClick(edit, Qt::Key_Backspace);
    else if (c == QChar(0x7F))
      QTest::keyClick(edit, Qt::Key_Delete);
    else
      QTest::keyClicks(edit, QString(c));
  }
}

struct KeyCase {
  int decimals;
  const char* text;
  int selStart;  // caret, or start of the selection
  int selLength; // -1: all
  const char* keys;
  const char* expected;
};

class NumEditKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(NumEditKeys, KeepTheTextANumber) {
  const KeyCase& c = GetParam();
  TBaseNumEdit edit;
  edit.SetDecimals(c.decimals);
  edit.setText(QString::fromUtf8(c.text));
  if (c.selLength < 0)
    edit.selectAll();
  else if (c.selLength > 0)
    edit.setSelection(c.selStart, c.selLength);
  else
    edit.setCursorPosition(c.selStart);
  Type(&edit, QString::fromUtf8(c.keys));
  EXPECT_EQ(edit.text(), QString::fromUtf8(c.expected)) << c.text << " + " << c.keys;
}

INSTANTIATE_TEST_SUITE_P(Table, NumEditKeys,
                         testing::Values(
                             // typing over the whole text, decimals overwritten, a further decimal refused;
                             // only the locale's separator is one
                             KeyCase{2, "0,00", 0, -1, "12", "12,00"}, KeyCase{2, "0,00", 0, -1, "12,56", "12,56"},
                             KeyCase{2, "0,00", 0, -1, "12,567", "12,56"}, KeyCase{2, "0,00", 0, -1, "12.5", "125,00"},
                             KeyCase{2, "12,56", 3, 0, ",9", "12,96"},
                             // "-" toggles the sign wherever the caret is, never inserted
                             KeyCase{2, "12,56", 2, 0, "-", "-12,56"}, KeyCase{2, "12,56", 5, 0, "--", "12,56"},
                             KeyCase{2, "-12,56", 0, 0, "3", "-312,56"}, KeyCase{2, "0,00", 0, -1, "-5", "-5,00"},
                             // separator: jump behind it, insert it only when missing and decimals are free
                             KeyCase{-1, "0", 0, -1, "3,125", "3,125"}, KeyCase{-1, "3", 0, 0, ",", "3,"},
                             KeyCase{0, "0", 0, -1, "7,5", "75"}, KeyCase{-1, "3,5", 0, 0, ",2", "3,25"},
                             // exponent: "e" is "E", a sign of its own, at most 4932
                             KeyCase{-1, "12", 2, 0, "e5", "12E5"}, KeyCase{-1, "12E5", 4, 0, "-", "12E-5"},
                             KeyCase{-1, "1", 1, 0, "E4932", "1E4932"}, KeyCase{-1, "1", 1, 0, "E4933", "1E493"},
                             KeyCase{-1, "1E0", 3, 0, "7", "1E7"},
                             // other characters are dropped
                             KeyCase{-1, "12", 2, 0, "a+ 3", "123"},
                             // Backspace and Delete keep the count of decimals and step over the separator
                             KeyCase{2, "12,56", 5, 0, "\b", "12,50"}, KeyCase{2, "12,50", 3, 0, "\b", "1,50"},
                             KeyCase{2, "5,00", 1, 0, "\b", "0,00"}, KeyCase{2, "-5,00", 1, 0, "\b", "5,00"},
                             KeyCase{2, "12,50", 0, 0, "\x7f", "2,50"}, KeyCase{2, "12,50", 2, 0, "\x7f", "12,00"},
                             KeyCase{-1, "12E", 3, 0, "\b", "12"}, KeyCase{2, "123,45", 0, 2, "9", "93,45"},
                             KeyCase{2, "123,45", 0, -1, "\b", "0,00"}));

struct FormatCase {
  int decimals;
  double value;
  const char* text;
};

class NumEditFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(NumEditFormat, FormatValue) {
  const FormatCase& c = GetParam();
  TBaseNumEdit edit;
  edit.SetDecimals(c.decimals);
  EXPECT_EQ(edit.FormatValue(c.value), QString::fromUtf8(c.text)) << c.value;
  edit.SetValue(c.value);
  EXPECT_EQ(edit.text(), QString::fromUtf8(c.text));
  // A stored amount is rounded by the same rule as its display.
  if (c.decimals >= 0) {
    EXPECT_EQ(RoundDecimal(c.value, c.decimals),
              QString::fromUtf8(c.text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumEditFormat,
    testing::Values(FormatCase{2, 1234.5, "1234,50"}, FormatCase{0, 7.6, "8"}, FormatCase{-1, 0.125, "0,125"},
                    FormatCase{-1, 3, "3"}, FormatCase{-1, 0.1 + 0.2, "0,3"}, FormatCase{2, 1.005, "1,01"},
                    FormatCase{2, -1.005, "-1,01"}, FormatCase{2, 2.675, "2,68"}, FormatCase{0, 2.5, "3"},
                    FormatCase{0, -2.5, "-3"}, FormatCase{2, -0.001, "0,00"}, FormatCase{1, 0.05, "0,1"},
                    FormatCase{14, 123456.789, "123456,78900000000000"}, FormatCase{3, 1e15, "1000000000000000,000"},
                    FormatCase{2, 999.995, "1000,00"}));

TEST(NumEdit, ValueReadsTheText) {
  const std::pair<const char*, double> cases[] = {{"", 0},
                                                  {"-", 0},
                                                  {"12,5", 12.5},
                                                  {"-0,25", -0.25},
                                                  {"12E", 12},
                                                  {"12E-", 12},
                                                  {"1,5E3", 1500},
                                                  {"2E-2", 0.02},
                                                  {"0,01E2231", std::numeric_limits<double>::max()},
                                                  {"-1E400", -std::numeric_limits<double>::max()},
                                                  {"1E-400", 0}};
  TBaseNumEdit edit;
  for (const auto& [text, value] : cases) {
    edit.setText(QString::fromUtf8(text));
    EXPECT_DOUBLE_EQ(edit.Value(), value) << text;
  }
  edit.setText(QStringLiteral("12x"));
  EXPECT_THROW(edit.Value(), EConvertError);
}

TEST(NumEdit, DecimalsAreClamped) {
  TBaseNumEdit edit;
  const std::tuple<int, int, int> cases[] = {{0, 20, 14}, {0, -5, -1}, {4, 3, 2}, {4, 1, 1}};
  for (const auto& [maxLength, decimals, expected] : cases) {
    edit.SetMaxLength(maxLength);
    edit.SetDecimals(decimals);
    EXPECT_EQ(edit.Decimals(), expected) << maxLength << " " << decimals;
  }
}

TEST(NumEdit, WritingTheSameValueKeepsTheCaret) {
  TBaseNumEdit edit;
  edit.SetDecimals(2);
  edit.SetValue(12.5);
  edit.setCursorPosition(1);
  edit.SetValue(12.5);
  EXPECT_EQ(edit.cursorPosition(), 1);
  edit.SetValue(13);
  EXPECT_EQ(edit.text(), QStringLiteral("13,00"));
}

TEST(NumEdit, PasteGoesThroughTheKeyFilterAndCopyNormalises) {
  TBaseNumEdit edit;
  edit.selectAll();
  QGuiApplication::clipboard()->setText(QStringLiteral("1a2,5"));
  QTest::keySequence(&edit, QKeySequence::Paste);
  EXPECT_EQ(edit.text(), QStringLiteral("12,5"));
  edit.setText(QStringLiteral("1\u00A0234,5"));
  edit.selectAll();
  QTest::keySequence(&edit, QKeySequence::Copy);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1234,5"));
}

TEST(NumEdit, LocaleChangeRewritesTheSeparators) {
  TBaseNumEdit edit;
  edit.SetDecimals(2);
  edit.SetValue(12.5);
  edit.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(edit.text(), QStringLiteral("12.50"));
  EXPECT_DOUBLE_EQ(edit.Value(), 12.5);
}

TEST(NumEdit, ReadOnlyTakesNoKeys) {
  TBaseNumEdit edit;
  edit.setText(QStringLiteral("5"));
  edit.setReadOnly(true);
  edit.selectAll();
  Type(&edit, QStringLiteral("7-\b"));
  EXPECT_EQ(edit.text(), QStringLiteral("5"));
}

} // namespace
