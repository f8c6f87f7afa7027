#include "reports/engine/rpInterpretator.h"
#include "reports/engine/rpValue.h"
#include <QtCore/QMap>
#include <gtest/gtest.h>

namespace {

// An interpreter whose variables live in a map; arrays are stored as
// "NAME[index]" entries through SETARRAY and GETARRAY.
class ScriptHost : public TrpInterpretator {
public:
  QMap<QString, QVariant> vars;
  QStringList assigned; // names as SetValue received them
  QStringList calls;

  void GetValue(const QString& name, QVariant& value) override { value = vars.value(name); }
  void SetValue(const QString& name, const QVariant& value) override {
    assigned.append(name);
    vars[name.toUpper()] = value;
  }
  void DoFunction(const QString& name, const QString& p1, const QString& p2, const QString& p3,
                  QVariant& val) override {
    calls.append(name);
    if (name == QLatin1String("ISPRINT")) val = true;
    if (name == QLatin1String("SETARRAY")) vars[ArrayKey(p1, p2)] = Parser().Calc(p3);
    if (name == QLatin1String("GETARRAY")) val = vars.value(ArrayKey(p1, p2));
  }

  QString ArrayKey(const QString& name, const QString& index) {
    return name.trimmed().toUpper() + QLatin1Char('[') + rpValueToText(Parser().Calc(index)) + QLatin1Char(']');
  }

  // Compiles and runs; returns the variables as "NAME=value;..." or the compile errors.
  QString Run(const QString& script) {
    QStringList code, errors;
    PrepareScript(script.split(QLatin1Char('\n')), code, errors);
    if (!errors.isEmpty()) return errors.join(QLatin1Char('|'));
    DoScript(code);
    QStringList state;
    for (auto it = vars.cbegin(); it != vars.cend(); ++it)
      state.append(it.key() + QLatin1Char('=') + rpValueToText(it.value()));
    return state.join(QLatin1Char(';'));
  }
};

struct ScriptCase {
  const char* name;
  const char* script;
  const char* effect;
};

class Runs : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(Runs, WithItsEffectOnTheVariables) {
  ScriptHost host;
  EXPECT_EQ(host.Run(QString::fromUtf8(GetParam().script)), QString::fromUtf8(GetParam().effect));
}

INSTANTIATE_TEST_SUITE_P(
    Interpreter, Runs,
    ::testing::Values(
        ScriptCase{"Assignment", "x := 2 + 3 * 4", "X=14"}, ScriptCase{"Block", "begin a := 1; b := 2 end", "A=1;B=2"},
        ScriptCase{"OnlyFirstStatementWithoutBlock", "a := 1; b := 2", "A=1"},
        ScriptCase{"BlockEndingWithSemicolon", "begin a := 'x'; end", "A=x"},
        ScriptCase{"IfThen", "if 2 > 1 then y := 1 else y := 2", "Y=1"},
        ScriptCase{"IfElse", "if 2 < 1 then y := 1 else y := 2", "Y=2"},
        ScriptCase{"IfWithoutElseSkips", "begin y := 0; if 1 = 2 then y := 1 end", "Y=0"},
        ScriptCase{"DanglingElseBindsInner", "begin x := 0; if 1 then if 0 then x := 1 else x := 2 end", "X=2"},
        ScriptCase{"For", "begin s := 0; for i := 1 to 3 do s := s + i end", "I=4;S=6"},
        ScriptCase{"ForNeverEntered", "begin s := 0; for i := 5 to 3 do s := 1 end", "I=5;S=0"},
        ScriptCase{"NestedFor", "begin c := 0; for i := 1 to 2 do begin for j := 1 to 3 do c := c + 1 end end",
                   "C=6;I=3;J=4"},
        ScriptCase{"Repeat", "begin i := 0; repeat i := i + 1 until i >= 5 end", "I=5"},
        ScriptCase{"RepeatRunsOnce", "begin i := 9; repeat i := i + 1; j := i until 1 end", "I=10;J=10"},
        ScriptCase{"While", "begin i := 0; while i < 3 do i := i + 2 end", "I=4"},
        ScriptCase{"Exit", "begin exit; x := 1 end", ""},
        ScriptCase{"ExitInLoop", "begin i := 0; while 1 do begin i := i + 1; if i = 3 then exit end end", "I=3"},
        ScriptCase{"GotoForward", "begin x := 0; goto 10; x := 1; 10: y := 2 end", "X=0;Y=2"},
        ScriptCase{"GotoBackward", "begin n := 0;\n5: n := n + 1;\nif n < 3 then goto 5\nend", "N=3"},
        ScriptCase{"Comments", "begin { first\n comment } x := 1; // rest of line\n y := x + 1 {end} end", "X=1;Y=2"},
        ScriptCase{"CommentGluedToSemicolon", "begin x := 1;// note\ny := 2 end", "X=1;Y=2"},
        ScriptCase{"Arrays", "begin a[2] := 5; b := a[1 + 1] * 2 end", "A[2]=5;B=10"},
        ScriptCase{"StringsKeepCommentMarks", "begin s := 'a{b}//c'; t := s + '''' end", "S=a{b}//c;T=a{b}//c'"},
        ScriptCase{"Tabs", "begin\tx\t:=\t1\tend", "X=1"}),
    [](const auto& info) { return std::string(info.param.name); });

// Coded lines made readable: jumps as "?target condition" and "->target",
// expressions as "!text", assignments as they are; operators as {code}.
QStringList Readable(const QStringList& code) {
  QStringList out;
  for (const QString& line : code) {
    QString text;
    for (QChar c : line.mid(line[0].unicode() <= 2 ? 3 : line[0].unicode() == 3 ? 1 : 0))
      text += c.unicode() < 32 ? QStringLiteral("{%1}").arg(c.unicode()) : QString(c);
    const int target = line.size() >= 3 ? (line[1].unicode() | line[2].unicode() << 8) : -1;
    switch (line[0].unicode()) {
    case 1:
      out.append(QStringLiteral("?%1 %2").arg(target).arg(text));
      break;
    case 2:
      out.append(QStringLiteral("->%1").arg(target));
      break;
    case 3:
      out.append(QLatin1Char('!') + text);
      break;
    default:
      out.append(text);
    }
  }
  return out;
}

TEST(Interpreter, CompilesToTheCodedLines) {
  const struct {
    const char* script;
    QStringList code;
  } cases[] = {
      {"if x > 1 then y := 1 else y := 2",
       {QStringLiteral("?3 x 1 >"), QStringLiteral("y 1 "), QStringLiteral("->4"), QStringLiteral("y 2 ")}},
      {"begin a := 1; b := 2 end", {QStringLiteral("a 1 "), QStringLiteral("b 2 ")}},
      {"a := 1; b := 2", {QStringLiteral("a 1 ")}},
      {"a[2] := 5", {QStringLiteral("!SETARRAY(a, 2, 5)")}},
      {"exit", {QStringLiteral("!exit(0)")}},
      {"exit;", {QStringLiteral("!exit(0)")}},
      {"Visible := IsPrint()", {QStringLiteral("Visible IsPrint()")}},
      {"for i := 1 to n do s := s + i",
       {QStringLiteral("i 1 "), QStringLiteral("?5 i n {2}"), QStringLiteral("s s i +"), QStringLiteral("i i 1 +"),
        QStringLiteral("->1")}},
      {"while a or b do f(a)", {QStringLiteral("?3 a b {4}"), QStringLiteral("!f(a)"), QStringLiteral("->0")}},
      {"", {}},
      {"  { only a comment }  ", {}},
  };
  for (const auto& c : cases) {
    ScriptHost host;
    QStringList code, errors;
    host.PrepareScript(QString::fromUtf8(c.script).split(QLatin1Char('\n')), code, errors);
    EXPECT_TRUE(errors.isEmpty()) << c.script << ": " << errors.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Readable(code), c.code) << c.script;
  }
}

TEST(Interpreter, ReportsTheFirstErrorWithItsPositionInTheSource) {
  const struct {
    const char* script;
    const char* error;
  } cases[] = {
      {"goto abc", "Line 1/1: \"goto\" label must be a number"},
      {"if x y := 1", "Line 1/6: Need \"then\" here"},
      {"begin a := 1 b := 2 end", "Line 1/14: Need \";\" or \"end\" here"},
      {"repeat x := 1 y", "Line 1/15: Need \";\" or \"until\" here"},
      {"while x < 1 x := 1", "Line 1/13: Need \"do\" here"},
      {"for i := 1 do x := 1", "Line 1/12: Need \"to\" here"},
      {"for i := 1 to 2 x := 1", "Line 1/17: Need \"do\" here"},
      {"for f(1) to 2 do x := 1", "Line 1/10: Need \":=\" here"},
      {"x = 1", "Line 1/3: Need \":=\" here"},
      {"x := (1 + 2", "Line 1/12: Need \")\" here"},
      {"x := f(1 2)", "Line 1/10: Need \",\" or \")\" here"},
      {"x := [abc", "Line 1/6: Need \"]\" here"},
      {"{ a comment\nspanning } begin\n  x := 1;\n  y 2\nend", "Line 4/5: Need \":=\" here"},
      {"begin // note\n  x := 1 {note} y := 2\nend", "Line 2/17: Need \";\" or \"end\" here"},
      {"begin x := 1;\n  goto 7\nend", "Line 2/8: Návestie \"7\" v príkaze goto nie je v skripte."},
  };
  for (const auto& c : cases) {
    ScriptHost host;
    QStringList code, errors;
    host.PrepareScript(QString::fromUtf8(c.script).split(QLatin1Char('\n')), code, errors);
    EXPECT_EQ(errors, QStringList{QString::fromUtf8(c.error)}) << c.script;
  }
}

TEST(Interpreter, HandsAssignmentsAsWrittenAndCallsToTheSubclass) {
  ScriptHost host;
  EXPECT_EQ(host.Run(QStringLiteral("Visible := IsPrint()")), QStringLiteral("VISIBLE=True"));
  EXPECT_EQ(host.assigned, QStringList{QStringLiteral("Visible")});
  EXPECT_EQ(host.calls, QStringList{QStringLiteral("ISPRINT")});
}

TEST(Interpreter, CompilesInPlace) {
  ScriptHost host;
  QStringList lines{QStringLiteral("begin"), QStringLiteral("  x := 7"), QStringLiteral("end")};
  QStringList errors{QStringLiteral("stale")};
  host.PrepareScript(lines, lines, errors);
  EXPECT_TRUE(errors.isEmpty());
  EXPECT_EQ(lines, QStringList{QStringLiteral("x 7 ")});
}

TEST(Interpreter, StopsARunThatNeverEnds) {
  ScriptHost host;
  host.SetMaxSteps(1000);
  QStringList code, errors;
  host.PrepareScript({QStringLiteral("begin x := 0; while 1 do x := x + 1 end")}, code, errors);
  ASSERT_TRUE(errors.isEmpty());
  EXPECT_THROW(host.DoScript(code), ErpScriptError);
  EXPECT_GT(host.vars.value(QStringLiteral("X")).toDouble(), 100.0);

  host.PrepareScript({QStringLiteral("for i := 1 to 200 do x := i")}, code, errors);
  EXPECT_NO_THROW(host.DoScript(code)) << "a loop inside the limit runs to its end";
  EXPECT_EQ(host.vars.value(QStringLiteral("X")).toDouble(), 200.0);
  EXPECT_EQ(TrpInterpretator::kDefaultMaxSteps, TrpInterpretator().MaxSteps());
}

TEST(Interpreter, RunTimeErrorsReachTheCaller) {
  ScriptHost host;
  QStringList code, errors;
  host.PrepareScript({QStringLiteral("x := 'a' * 2")}, code, errors);
  EXPECT_THROW(host.DoScript(code), ErpConversionError);
  EXPECT_THROW(host.DoScript({QString(QChar(2))}), ErpScriptError) << "a jump without its target bytes";
}

TEST(Interpreter, SplitsTheExpressionsOfCodedLines) {
  ScriptHost host;
  QStringList code, errors, found;
  host.PrepareScript({QStringLiteral("begin if SUM(a) > 1 then x := COUNT(b) else f(SUM(c)) end")}, code, errors);
  host.SplitExpressions(code, {QStringLiteral("SUM"), QStringLiteral("COUNT")}, nullptr, found);
  EXPECT_EQ(found, (QStringList{QStringLiteral("SUM(a)"), QStringLiteral("COUNT(b)"), QStringLiteral("SUM(c)")}));
}

} // namespace
