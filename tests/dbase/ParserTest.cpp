#include "DbfBytes.h"
#include "core/DateTime.h"
#include "dbase/xb_parser.h"
#include "dbase/xbtable.h"
#include <QtCore/QBuffer>
#include <gtest/gtest.h>

namespace {

// The value as "type:text" (or "E:message" for an error), so one column of
// a table states type and value.
QString Show(const TExprValue& v) {
  switch (v.Type) {
  case etInteger:
    return QStringLiteral("I:%1").arg(v.Int);
  case etLargeInt:
    return QStringLiteral("L:%1").arg(v.Large);
  case etFloat:
    return QStringLiteral("F:%1").arg(v.Float, 0, 'g', 15);
  case etDateTime:
    return QStringLiteral("D:%1").arg(v.Float, 0, 'g', 15);
  case etBoolean:
    return QStringLiteral("B:%1").arg(v.Bool ? 1 : 0);
  case etString:
    return QStringLiteral("S:") + QString::fromLatin1(v.Text);
  default:
    return QStringLiteral("?");
  }
}

template <typename Run> QString Outcome(Run run) {
  try {
    return run();
  } catch (const Exception& e) {
    return QStringLiteral("E:") + e.Message();
  }
}

struct Case {
  const char* text;
  const char* expected;
};

const Case kConstantCases[] = {
    // literals
    {"42", "I:42"},
    {"$1F", "I:31"},
    {"1.5e3", "F:1500"},
    {"1.5", "F:1.5"},
    {"'abc'", "S:abc"},
    {"\"x y\"", "S:x y"},
    {"'abc", "S:'abc"},
    {"1e5", "E:'1e5' is not a valid integer value"},
    {"3000000000", "E:'3000000000' is not a valid integer value"},
    // arithmetic: products before sums, left to right, a sign in front
    {"2 * 3 + 4", "I:10"},
    {"2 + 3 * 4", "I:14"},
    {"(2 * 3) + 4", "I:10"},
    {"2 * (3 + 4)", "I:14"},
    {"10 - 5 - 2", "I:3"},
    {"100 / 10 / 5", "I:2"},
    {"7 / 2", "I:3"},
    {"-7 / 2", "I:-3"},
    {"7.0 / 2", "F:3.5"},
    {"-5", "I:-5"},
    {"2 * -3", "I:-6"},
    {"- -4", "I:4"},
    {"-2.5 * 2", "F:-5"},
    {"((7))", "I:7"},
    {"'ab' + 'cd' + 'e'", "S:abcde"},
    {"2147483647 + 1", "E:Integer overflow"},
    {"-2147483647 - 2", "E:Integer overflow"},
    {"65536 * 65536", "E:Integer overflow"},
    {"1 / 0", "E:Division by zero"},
    {"1.0 / 0", "E:Floating point division by zero"},
    {"0.0 / 0", "E:Invalid floating point operation"},
    // comparisons and logic
    {"1 < 2", "B:1"},
    {"2 <= 1", "B:0"},
    {"3 = 3.0", "B:1"},
    {"3 <> 3", "B:0"},
    {"2.5 >= 2", "B:1"},
    {"'abc' = 'ABC'", "B:1"},
    {"'a' < 'b'", "B:1"},
    {"'b' > 'a'", "B:1"},
    {"NOT 1 = 2", "B:1"},
    {"1 = 1 AND 2 = 3", "B:0"},
    {"1 = 1 OR 2 = 3", "B:1"},
    {"NOT 1 = 1 OR 1 = 1", "B:1"},
    {"1 + 1 = 2 AND NOT 3 < 2", "B:1"},
    // functions with edge values
    {"STR(3.14159, 8, 2)", "S:    3.14"},
    {"STR(5.0)", "S:5"},
    {"STR(-2.5, 6, 1)", "S:  -2.5"},
    {"STR(42, 5)", "S:   42"},
    {"STR(42, 5, 2)", "S:   42.00"},
    {"STR(42, 5, 0)", "S:   42."},
    {"STR(123456, 3)", "S:***"},
    {"STR(-5)", "S:-5"},
    {"STR(-12, 3)", "S:-12"},
    {"STR(-123, 3)", "S:***"},
    {"STR(7, 0)", "S:"},
    {"STR(12345.678, 5, 2)", "S:*****"},
    {"SUBSTR('ABCDEF', 2, 3)", "S:BCD"},
    {"SUBSTR('ABC', 2, 5)", "S:BC"},
    {"SUBSTR('ABC', 3, 1)", "S:C"},
    {"SUBS('ABC', 4, 1)", "S:"},
    {"SUBSTR('ABC', 0, 2)", "S:"},
    {"SUBSTR('ABC', 1, -1)", "S:"},
    {"SUBSTR('ABC', 1, 3)", "S:ABC"},
    {"UPPER('abc')", "S:ABC"},
    {"UPPERCASE('abc')", "S:ABC"},
    {"LOWER('AbC')", "S:abc"},
    {"lowercase('X')", "S:x"},
    {"UPPER('ab') + 'c'", "S:ABc"},
    // errors
    {"SUBSTR('ABC', 2)", "E:Function or operand has too few arguments"},
    {"SUBSTR('a',,3)", "E:Function or operand has too few arguments"},
    {"UPPER('a', 'b')", "E:Function or operand has too many arguments"},
    {"STR(1,2,3,4,5,6,7)", "E:Function or operand has too many arguments"},
    {"'a' + 1", "E:Argument type mismatch"},
    {"'a' < 1", "E:Argument type mismatch"},
    {"NOT 5", "E:Argument type mismatch"},
    {"-'a'", "E:Argument type mismatch"},
    {"(1 + 2", "E:Unequal brackets"},
    {"()", "E:Empty brackets ()"},
    {"1 + (", "E:Unequal brackets"},
    {"(1)(2)", "E:Missing operator between )("},
    {"1 2", "E:Missing operator between '1' and '2'"},
    {"'a' 'b'", "E:Missing operator between ''a'' and ''b''"},
    {"'it''s'", "E:Missing operator between ''it'' and ''s''"},
    {"(1) 2", "E:Missing operator between ) and constant/variable"},
    {"2 * 3 +", "E:Argument type mismatch"},
    {"UPPER 'a'", "E:Function or operand has too few arguments"},
    {"'a'(1)", "E:Missing operator between constant/variable and ("},
    {"a", "E:Index based on unknown field \"a\"."},
};

class ConstantExpressionTest : public ::testing::TestWithParam<Case> {};

TEST_P(ConstantExpressionTest, Evaluates) {
  const QString text = QString::fromUtf8(GetParam().text);
  const QString got = Outcome([&]() -> QString {
    TXbParser parser;
    parser.PrepareExpression(text);
    return Show(parser.EvaluateRecord(nullptr));
  });
  EXPECT_EQ(got.toStdString(), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, ConstantExpressionTest, ::testing::ValuesIn(kConstantCases));

TEST(ExpressionParserTest, EmptyTextCompilesNothing) {
  TXbParser parser;
  parser.PrepareExpression(QString());
  EXPECT_EQ(parser.ExpressionType(), etUnknown);
  EXPECT_FALSE(parser.IsCompiled());
}

TEST(ExpressionParserTest, WordListKeepsOverloadsInOrderAndFindsShortNames) {
  TExpressList list;
  auto a = std::make_shared<TFunction>(QStringLiteral("F"), QString(), QStringLiteral("I"), 1, etInteger, nullptr);
  auto b = std::make_shared<TFunction>(QStringLiteral("f"), QString(), QStringLiteral("S"), 1, etInteger, nullptr);
  auto up = std::make_shared<TFunction>(QStringLiteral("UPPERCASE"), QStringLiteral("UPPER"), QStringLiteral("S"), 1,
                                        etString, nullptr);
  list.Add(a);
  list.Add(up);
  list.Add(b);
  const std::vector<TWordPtr> overloads = list.Overloads(QStringLiteral("F"));
  ASSERT_EQ(overloads.size(), 2u);
  EXPECT_EQ(overloads[0], a);
  EXPECT_EQ(overloads[1], b);
  EXPECT_EQ(list.Find(QStringLiteral("upper")), up);
  EXPECT_EQ(list.Find(QStringLiteral("UPP")), nullptr);
  EXPECT_THROW(TFunction(QStringLiteral("X"), QString(), QStringLiteral("IIIIIII"), 1, etInteger, nullptr),
               EParserException);
}

// A table in memory with one field of each kind an expression can bind.
class FieldExpressionTest : public ::testing::Test {
protected:
  DbfBytes::Table def;
  QBuffer buffer;
  TXbTable table;
  QByteArray record;

  void SetUp() override {
    def.version = 0x03;
    def.fields = {{"NAME", 'C', 10}, {"CITY", 'C', 6},   {"AGE", 'N', 3},   {"PAY", 'N', 8, 2},
                  {"BORN", 'D', 8},  {"ACTIVE", 'L', 1}, {"NOTE", 'M', 10}, {"WIDE", 'C', 120}};
    def.records = {DbfBytes::Record(def, {"ABC", "Nitra", " 42", "  123.50", "20240305", "T", "", ""})};
    buffer.setData(DbfBytes::Build(def));
    table.Storage = TXbStorage::stoMemory;
    table.SetMemoryStream(&buffer);
    table.Open();
    record = def.records.front();
  }
  QString Eval(const char* text, bool raw = true, bool wildcard = false, bool ignoreCase = true) {
    return Outcome([&]() -> QString {
      TXbParser parser(table.DbfFile());
      parser.SetRawStrings(raw);
      parser.SetWildcardEquality(wildcard);
      parser.SetIgnoreCase(ignoreCase);
      parser.PrepareExpression(QString::fromLatin1(text));
      return Show(parser.EvaluateRecord(record.constData())) + QStringLiteral("/%1").arg(parser.ResultLength());
    });
  }
};

TEST_F(FieldExpressionTest, FieldsBindByType) {
  const struct {
    const char* text;
    bool raw;
    const char* expected;
  } cases[] = {
      {"NAME", true, "S:ABC       /10"},
      {"name", true, "S:ABC       /10"},
      {" NAME", true, "S:ABC       /10"},
      {"NAME", false, "S:ABC/10"},
      {"NAME + CITY", true, "S:ABC       Nitra /16"},
      {"NAME + CITY", false, "S:ABCNitra/0"},
      {"NAME = 'ABC'", false, "B:1/1"},
      {"NAME = 'ABC'", true, "B:0/1"},
      {"NAME = 'ABC       '", true, "B:1/1"},
      {"AGE * 2", true, "I:84/4"},
      {"PAY + AGE", true, "F:165.5/8"},
      {"AGE > 41.5", true, "B:1/1"},
      {"BORN", true, "D:45356/8"},
      {"DTOS(BORN)", true, "S:20240305/8"},
      {"ACTIVE = 'T'", true, "B:1/1"},
      {"UPPER(CITY)", true, "S:NITRA /6"},
      {"STR(AGE, 5) + NAME", true, "S:   42ABC       /15"},
      {"NOTE", true, "E:Field \"NOTE\" is an invalid field type to base index on."},
      {"NOTE + NAME", true, "E:Field \"NOTE\" is an invalid field type to base index on."},
      {"NOSUCH", true, "E:Index based on unknown field \"NOSUCH\"."},
      {"#", true, "E:Index based on unknown field \"#\"."},
      {"ACTIVE AND 1 = 1", true, "E:Argument type mismatch"},
      {"BORN = BORN", true, "E:Argument type mismatch"},
      {"WIDE", false, "E:Index result for \"WIDE\" too long, >100 characters (120)."},
      {"NAME + WIDE", true, "E:Index result for \"NAME + WIDE\" too long, >100 characters (130)."},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Eval(c.text, c.raw).toStdString(), c.expected) << c.text << " raw " << c.raw;
}

TEST_F(FieldExpressionTest, EmptyDateIsTheZeroDay) {
  record = DbfBytes::Record(def, {"", "", "", "", "", "F", "", ""});
  EXPECT_EQ(Eval("DTOS(BORN)").toStdString(), "S:18991230/8");
}

TEST_F(FieldExpressionTest, StringEqualityWithPatternsAndCase) {
  record = DbfBytes::Record(def, {"ABCDEF", "", "", "", "", "F", "", ""});
  const struct {
    const char* text;
    bool wildcard, ignoreCase;
    bool expected;
  } cases[] = {
      {"NAME = 'AB*'", true, true, true},       {"NAME = '*EF'", true, true, true},
      {"NAME = '*CD*'", true, true, true},      {"NAME = '*cd*'", true, true, true},
      {"NAME = '*cd*'", true, false, false},    {"NAME = '*'", true, true, false},
      {"NAME = '**'", true, true, false},       {"'AB*' = NAME", true, true, false},
      {"NAME = 'AB*'", false, true, false},     {"NAME = 'abcdef'", false, true, true},
      {"NAME = 'abcdef'", false, false, false}, {"NAME = '*XY'", true, true, false},
      {"NAME <> 'ABCDEF'", true, true, false},  {"NAME < 'B'", false, true, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Eval(c.text, false, c.wildcard, c.ignoreCase).toStdString(), c.expected ? "B:1/1" : "B:0/1") << c.text;
}

TEST_F(FieldExpressionTest, OptionChangeRecompilesThePreparedText) {
  record = DbfBytes::Record(def, {"abc", "", "", "", "", "F", "", ""});
  TXbParser parser(table.DbfFile());
  parser.SetRawStrings(false);
  parser.PrepareExpression(QStringLiteral("NAME = 'ABC'"));
  EXPECT_TRUE(parser.EvaluateRecord(record.constData()).Bool);
  parser.SetIgnoreCase(false);
  EXPECT_EQ(parser.ExpressionText(), QStringLiteral("NAME = 'ABC'"));
  EXPECT_FALSE(parser.EvaluateRecord(record.constData()).Bool);
}

TEST_F(FieldExpressionTest, TableFilterUsesExpressions) {
  table.SetFilter(QStringLiteral("AGE > 40 .AND. NAME = 'A*'").replace(QStringLiteral(".AND."), QStringLiteral("AND")));
  table.SetFiltered(true);
  EXPECT_EQ(table.RecordCount(), 1);
  table.SetFilter(QStringLiteral("AGE > 50"));
  EXPECT_EQ(table.RecordCount(), 0);
}

} // namespace
