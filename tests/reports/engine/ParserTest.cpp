#include "reports/engine/rpFunctionSplitter.h"
#include "reports/engine/rpParser.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/rpVariables.h"
#include <QtCore/QMap>
#include <gtest/gtest.h>

namespace {

// A parser whose names come from a table and whose unknown calls are recorded.
struct ParserHost {
  TrpParser parser;
  QMap<QString, QVariant> values{{QStringLiteral("TOTAL"), rpIntegerValue(21)},
                                 {QStringLiteral("Sales.Amount"), 2.5},
                                 {QStringLiteral("MENO"), QStringLiteral("Ján")}};
  QStringList asked;
  QStringList calls;

  ParserHost() {
    parser.OnGetValue = [this](const QString& name, QVariant& value) {
      asked.append(name);
      value = values.value(name);
    };
    parser.OnFunction = [this](const QString& name, const QString& p1, const QString& p2, const QString& p3,
                               QVariant& val) {
      calls.append(name + QLatin1Char('|') + p1 + QLatin1Char('|') + p2 + QLatin1Char('|') + p3);
      if (name == QLatin1String("GETARRAY")) val = QString(p1 + QLatin1Char('@') + rpValueToText(parser.Calc(p2)));
      if (name == QLatin1String("DOUBLE")) val = rpMultiply(parser.Calc(p1), rpIntegerValue(2));
    };
  }
};

struct ValueCase {
  const char* expression;
  QVariant expected;
};

QVariant Int(qint64 v) { return rpIntegerValue(v); }
QVariant Text(const char* s) { return QString::fromUtf8(s); }

class Evaluates : public ::testing::TestWithParam<ValueCase> {};

TEST_P(Evaluates, ToTheValueAndKindOfTheLanguage) {
  ParserHost host;
  const QVariant result = host.parser.Calc(QString::fromUtf8(GetParam().expression));
  const QVariant& expected = GetParam().expected;
  EXPECT_EQ(rpValueKind(result), rpValueKind(expected)) << rpValueToText(result).toStdString();
  if (rpValueKind(expected) == TrpValueKind::Float)
    EXPECT_DOUBLE_EQ(result.toDouble(), expected.toDouble());
  else
    EXPECT_EQ(rpValueToText(result), rpValueToText(expected));
}

const QDateTime kChristmas(QDate(2026, 12, 25), QTime(0, 0));

INSTANTIATE_TEST_SUITE_P(
    Parser, Evaluates,
    ::testing::Values(
        // precedence and association
        ValueCase{"2 + 3 * 4", 14.0}, ValueCase{"10 - 4 - 3", 3.0}, ValueCase{"(2 + 3) * 4", 20.0},
        ValueCase{"12 / 2 / 3", 2.0}, ValueCase{"7 / 2", 3.5}, ValueCase{"7 / 0", Int(0)},
        ValueCase{"7 / (1 - 1)", Int(0)}, ValueCase{"1 = 1 OR 2 = 3", Int(0)}, ValueCase{"(1 = 1) OR (2 = 3)", Int(1)},
        ValueCase{"(1 = 2) and (2 = 2)", Int(0)}, ValueCase{"2 + 6 AND 3", 4.0}, ValueCase{"6 AND 3", Int(2)},
        ValueCase{"4 OR 1", Int(5)}, ValueCase{"TRUE AND FALSE", false}, ValueCase{"true or false", true},
        ValueCase{"7 MOD 3", Int(1)}, ValueCase{"-7 mod 3", Int(-1)},
        // signs and unary words
        ValueCase{"-5", -5.0}, ValueCase{"-(2 + 3)", -5.0}, ValueCase{"+4", 4.0}, ValueCase{"2 * (-3)", -6.0},
        ValueCase{"1 = -1", Int(0)}, ValueCase{"NOT 0", Int(1)}, ValueCase{"NOT 5", Int(0)},
        ValueCase{"not (1 = 2)", Int(1)},
        // comparisons give integers
        ValueCase{"3 >= 3", Int(1)}, ValueCase{"2 <= 1", Int(0)}, ValueCase{"2 <> 3", Int(1)},
        ValueCase{"2 > 3", Int(0)}, ValueCase{"'abc' < 'abd'", Int(1)}, ValueCase{"'10' = 10", Int(1)},
        // texts
        ValueCase{"'It''s'", Text("It's")}, ValueCase{"'ab' + 'cd'", Text("abcd")}, ValueCase{"'5' + 1", 6.0},
        ValueCase{"COPY('abcdef', 2, 3)", Text("bcd")}, ValueCase{"COPY('abc', 0, 9)", Text("abc")},
        ValueCase{"STR(1,5)", Text("1,5")}, ValueCase{"STR(2 = 2) + 'x'", Text("1x")},
        ValueCase{"'Ľ' + MENO", Text("ĽJán")},
        // built-in functions
        ValueCase{"IF(1 < 2, 'yes', STRTODATE('x'))", Text("yes")}, ValueCase{"IF(0, 1, 2)", 2.0},
        ValueCase{"IF(0.4, 1, 2)", 2.0}, ValueCase{"INT(2.9999999999999)", 3.0}, ValueCase{"INT(-2.5)", -2.0},
        ValueCase{"FRAC(-2.5)", -0.5}, ValueCase{"FRAC(1.0000000000001)", 0.0}, ValueCase{"ROUND(2.5)", 2.0},
        ValueCase{"ROUND(3.5)", 4.0}, ValueCase{"ROUND(-2.5)", -2.0},
        // dates
        ValueCase{"STRTODATE('24.12.2026') + 1", kChristmas}, ValueCase{"STRTODATE('25. 12. 2026')", kChristmas},
        ValueCase{"STRTODATE('27.12.2026') - STRTODATE('25.12.2026')", 2.0},
        ValueCase{"STRTODATE('25.12.26') = STRTODATE('25.12.2026')", Int(1)}, ValueCase{"STRTOTIME('12:00') * 2", 1.0},
        // names, brackets, calls, the end of an expression
        ValueCase{"Total * 2", 42.0}, ValueCase{"[Sales.Amount] + 1", 3.5}, ValueCase{"Unknown", QVariant()},
        ValueCase{"Unknown + 1", QVariant()}, ValueCase{"double(3) + 1", 7.0}, ValueCase{"x[1 + 1]", Text("x@2")},
        ValueCase{"", Int(0)}, ValueCase{"1 ; 2", 1.0}, ValueCase{"1,5 + 0.5", 2.0}));

TEST(Parser, HandsNamesAndCallsToTheCallbacksAsTheLanguageSays) {
  ParserHost host;
  host.parser.Calc(QStringLiteral("[Sales.Amount] + Total + myfunc(a, 'b,c') + x[2]"));
  EXPECT_EQ(host.asked, (QStringList{QStringLiteral("Sales.Amount"), QStringLiteral("TOTAL")}));
  EXPECT_EQ(host.calls, (QStringList{QStringLiteral("MYFUNC|a| 'b,c'|"), QStringLiteral("GETARRAY|x| 2|")}));
}

TEST(Parser, PostfixPlacesOperatorsByTheirPriority) {
  TrpParser parser;
  const struct {
    const char* infix;
    QString postfix;
  } cases[] = {
      {"2 + 3 * 4", QStringLiteral("2 3 4 *+")},
      {"1 = 1 OR 2 = 3", QStringLiteral("1 1 2 \x04=3 =")},
      {"-(a)", QStringLiteral("a \x09")},
      {"a >= b", QStringLiteral("a b \x01")},
      {"f(1, (2)) * 'x'", QStringLiteral("f(1, (2))'x' *")},
      {"%dName", QStringLiteral("%dName ")},
  };
  for (const auto& c : cases)
    EXPECT_EQ(parser.ToPostfix(QLatin1String(c.infix)), c.postfix) << c.infix;
}

// The recursion depth of nested calls; each level is one IF.
QString NestedIf(int depth) {
  QString text = QStringLiteral("1");
  for (int i = 0; i < depth; ++i)
    text = QStringLiteral("IF(1, ") + text + QStringLiteral(", 0)");
  return text;
}

QString PendingValues(int count) {
  QString text = QStringLiteral("1");
  for (int i = 1; i < count; ++i)
    text = QStringLiteral("1 + (") + text + QLatin1Char(')');
  return text;
}

TEST(Parser, RefusesWhatItCannotComputeWithoutLeavingItsStack) {
  const struct {
    QString expression;
    const char* error; // exception class
  } cases[] = {
      {QStringLiteral("2 * -3"), "parser"},
      {QStringLiteral("*"), "parser"},
      {QStringLiteral("NOT"), "parser"},
      {QStringLiteral("1 +"), "parser"},
      {QStringLiteral("'abc' * 2"), "conversion"},
      {QStringLiteral("1;2"), "conversion"},
      {QStringLiteral("7 MOD 0"), "division"},
      {QStringLiteral("COPY('abc', 'x', 1)"), "conversion"},
      {QStringLiteral("STRTODATE('x')"), "conversion"},
      {QStringLiteral("INT(Unknown)"), "conversion"},
      {QStringLiteral("myfunc(1, 2"), "parser"},
      {PendingValues(33), "parser"},
      {NestedIf(200), "parser"},
  };
  for (const auto& c : cases) {
    ParserHost host;
    const std::string which = c.error;
    try {
      host.parser.Calc(c.expression);
      ADD_FAILURE() << "no error for " << c.expression.toStdString();
    } catch (const ErpParserError&) {
      EXPECT_EQ(which, "parser") << c.expression.toStdString();
    } catch (const ErpConversionError&) {
      EXPECT_EQ(which, "conversion") << c.expression.toStdString();
    } catch (const ErpDivisionByZero&) {
      EXPECT_EQ(which, "division") << c.expression.toStdString();
    }
  }
  ParserHost host;
  EXPECT_DOUBLE_EQ(host.parser.Calc(PendingValues(32)).toDouble(), 32.0);
  EXPECT_DOUBLE_EQ(host.parser.Calc(NestedIf(40)).toDouble(), 1.0);
}

TEST(Parser, UnclosedCallRaisesAnEmptyMessage) {
  TrpParser parser;
  try {
    parser.Calc(QStringLiteral("f(1, (2)"));
    ADD_FAILURE();
  } catch (const ErpParserError& e) {
    EXPECT_TRUE(e.Message().isEmpty());
  }
}

TEST(Parser, TokenisingHelpers) {
  const QString text = QStringLiteral("  ab\"c d\"e(x, 'y,)', (1, 2), 4)");
  qsizetype pos = 0;
  EXPECT_EQ(TrpParser::GetIdentifier(text, pos), QStringLiteral("ab\"c d\"e"));
  EXPECT_EQ(pos, 10);
  QString p1, p2, p3;
  TrpParser::GetParameters(text, pos, p1, p2, p3);
  EXPECT_EQ(p1, QStringLiteral("x"));
  EXPECT_EQ(p2, QStringLiteral(" 'y,)'"));
  EXPECT_EQ(p3, QStringLiteral(" (1, 2)"));
  EXPECT_EQ(pos, text.size());

  const QString quoted = QStringLiteral("'a''b' + 1");
  pos = 0;
  EXPECT_EQ(TrpParser::GetString(quoted, pos), QStringLiteral("'a''b'"));
  EXPECT_EQ(pos, 6);

  const QString bracketed = QStringLiteral("x [a[b]']'\"]\"] y");
  qsizetype finish = 0;
  EXPECT_EQ(rpGetBracketedText(bracketed, 2, finish), QStringLiteral("a[b]']'\"]\""));
  EXPECT_EQ(finish, bracketed.size() - 3);
  EXPECT_EQ(rpGetBracketedText(bracketed, 0, finish), QString());
}

TEST(Variables, NamesAreUniqueWithoutRegardToCase) {
  TrpVariables v;
  v.SetVariable(QStringLiteral("Total"), 1);
  v.SetVariable(QStringLiteral("TOTAL"), 2);
  v.SetVariable(QStringLiteral("Ďalší"), 3);
  EXPECT_EQ(v.GetCount(), 2);
  EXPECT_EQ(v.GetName(0), QStringLiteral("Total"));
  EXPECT_EQ(v[QStringLiteral("total")], QVariant(2));
  EXPECT_EQ(v.IndexOf(QStringLiteral("ĎALŠÍ")), 1);
  EXPECT_FALSE(v.GetVariable(QStringLiteral("absent")).isValid());

  v.Insert(0, QStringLiteral("Nový"));
  EXPECT_EQ(v.GetName(0), QStringLiteral("Nový"));
  EXPECT_EQ(v.GetValue(0), rpIntegerValue(0));
  v.SetName(0, QStringLiteral("total")); // taken by another entry: ignored
  EXPECT_EQ(v.GetName(0), QStringLiteral("Nový"));
  v.Delete(0);
  EXPECT_EQ(v.GetName(0), QStringLiteral("Total"));

  // Outside the range: ignored, reads give 0 and an empty name.
  v.SetValue(9, 5);
  v.Delete(-1);
  EXPECT_EQ(v.GetCount(), 2);
  EXPECT_EQ(v.GetValue(9), rpIntegerValue(0));
  EXPECT_EQ(v.GetName(-1), QString());

  TrpVariables copy;
  copy.SetVariable(QStringLiteral("x"), 1);
  copy.Assign(v);
  EXPECT_EQ(copy.GetCount(), 2);
  EXPECT_EQ(copy.IndexOf(QStringLiteral("x")), -1);
}

TEST(Variables, SortedListKeepsTheLocaleOrder) {
  TrpVariables v;
  for (const char* name : {"zeta", "Čas", "alfa", "Beta", "cesta"})
    v.SetVariable(QString::fromUtf8(name), 0);
  v.SetSorted(true);
  v.SetVariable(QStringLiteral("delta"), 1);
  v.Insert(0, QStringLiteral("omega"));
  QStringList names;
  for (int i = 0; i < v.GetCount(); ++i)
    names.append(v.GetName(i));
  EXPECT_EQ(names,
            (QStringList{QStringLiteral("alfa"), QStringLiteral("Beta"), QStringLiteral("cesta"), QStringLiteral("Čas"),
                         QStringLiteral("delta"), QStringLiteral("omega"), QStringLiteral("zeta")}));
}

TEST(FunctionSplitter, FindsTheCallsOfListedFunctions) {
  TrpVariables variables;
  variables.SetVariable(QStringLiteral("Suma"), QStringLiteral("SUM([Cena]) * 2"));
  variables.SetVariable(QStringLiteral("Kruh"), QStringLiteral("[Kruh]"));
  variables.SetVariable(QStringLiteral("P"), QStringLiteral("SUM(x) + Q"));
  variables.SetVariable(QStringLiteral("Q"), QStringLiteral("P + COUNT(y)"));
  const QStringList names{QStringLiteral("SUM"), QStringLiteral("COUNT")};
  const struct {
    const char* text;
    QStringList found;
  } cases[] = {
      {"SUM([B]) / COUNT(x)", {QStringLiteral("SUM([B])"), QStringLiteral(" COUNT(x)")}},
      {"[SUM([B])]", {QStringLiteral("SUM([B])")}},
      {"[A] + SUM([B])", {}},
      {"'SUM(x)'", {}},
      {"sum(count(y))", {QStringLiteral("count(y)"), QStringLiteral("sum(count(y))")}},
      {"Suma + 1", {QStringLiteral("SUM([Cena])")}},
      {"[Suma]", {QStringLiteral("SUM([Cena])")}},
      {"[Kruh]", {}},
      {"P", {QStringLiteral("SUM(x)"), QStringLiteral(" COUNT(y)")}},
      {"MAX(a) + COUNT(b)", {QStringLiteral(" COUNT(b)")}},
  };
  for (const auto& c : cases) {
    QStringList result;
    TrpFunctionSplitter(names, result, &variables).Split(QString::fromUtf8(c.text));
    EXPECT_EQ(result, c.found) << c.text;
  }
}

} // namespace
