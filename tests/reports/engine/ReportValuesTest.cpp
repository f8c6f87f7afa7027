#include "ReportFixture.h"
#include "reports/engine/rpDisplayFormat.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpParser.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpValue.h"

namespace {

// A report with one page and one text object, bound to the global parser.
class ReportValues : public ReportFixture {
protected:
  ReportValues() {
    report.Pages.Add();
    auto view = std::make_unique<TrpMemoView>();
    view->Name = QStringLiteral("Memo1");
    memo = static_cast<TrpMemoView*>(report.Pages.GetPage(0)->Add(std::move(view)));
    report.BindParser(rpRun());
    report.Info.Name = QStringLiteral("Zoznam členov");
  }
  QString Formatted(const QString& expression) {
    QString text = QStringLiteral("untouched");
    report.GetFormattedValue(rpRun(), expression, text);
    return text;
  }
  QVariant Resolve(const QString& name) {
    QVariant value;
    report.ResolveName(rpRun(), name, value);
    return value;
  }

  QObject owner;
  TrpReport report{&owner};
  TrpMemoView* memo = nullptr;
};

} // namespace

TEST_F(ReportValues, NamesResolveInTheirOrder) {
  TrpRunContext& g = rpRun();
  g.PageNumber = 2;
  g.TotalPages = 9;
  rpVariables().SetVariable(QStringLiteral("Pocet"), rpIntegerValue(5));
  rpVariables().SetVariable(QStringLiteral("Dvojnasobok"), QStringLiteral("Pocet * 2"));
  report.Dictionary.Variables.SetVariable(QStringLiteral("Klub"), QStringLiteral("'MO Vimek'"));
  memo->Width = 120;
  struct Case {
    const char* Name;
    QVariant Expected;
  };
  const Case cases[] = {
      {"PAGE#", rpIntegerValue(3)},
      {"TOTALPAGES", rpIntegerValue(9)},
      {"REPORTNAME", QStringLiteral("Zoznam členov")},
      {"Klub", QStringLiteral("MO Vimek")},
      {"Pocet", rpIntegerValue(5)},
      {"Memo1.Width", rpIntegerValue(120)},
      {"clRed", rpIntegerValue(0xFF)},
      {"LINE#", rpIntegerValue(0)}, // no band engine yet
      {"3 + 4", rpIntegerValue(7)}, // any other name is an expression
  };
  for (const Case& c : cases)
    EXPECT_EQ(rpValueToText(Resolve(QLatin1String(c.Name))), rpValueToText(c.Expected)) << c.Name;

  report.OnGetValue = [](const QString& name, QVariant& value) {
    if (name == QLatin1String("Pocet")) value = QStringLiteral("z udalosti");
  };
  EXPECT_EQ(Resolve(QStringLiteral("Pocet")), QVariant(QStringLiteral("z udalosti"))) << "the event comes first";
}

TEST_F(ReportValues, ANameThatLeadsBackToItselfIsUndefined) {
  rpRun().EvaluatingName = QStringLiteral("NEZNAME");
  try {
    Resolve(QStringLiteral("NEZNAME"));
    FAIL() << "no error";
  } catch (const ErpParserError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Nedefinovaný symbol \"NEZNAME\""));
  }
  rpRun().AggregatePass = true;
  EXPECT_TRUE(rpIsNull(Resolve(QStringLiteral("NEZNAME"))));
  rpRun().AggregatePass = false;
  rpRun().EvaluatingName.clear();
}

TEST_F(ReportValues, FormattedValuesFollowSuffixObjectFormatAndHideZeros) {
  rpRun().CurrentObject = memo;
  memo->DisplayFormatCode = rpMakeFormatCode(1, 1, 2, ',');
  EXPECT_EQ(Formatted(QStringLiteral("1234.5")), QStringLiteral("1234,50"));
  EXPECT_EQ(Formatted(QStringLiteral("1234.5 #N###,##0.00")),
            QStringLiteral("1") + QChar(0xA0) + QStringLiteral("234.50"));
  EXPECT_EQ(Formatted(QStringLiteral("1 #BNie;Áno")), QStringLiteral("Áno"));
  EXPECT_EQ(Formatted(QStringLiteral("0 #BNie;Áno")), QStringLiteral("Nie"));
  memo->DisplayFormatCode = 0;
  memo->Flags |= mfHideZeros;
  EXPECT_EQ(Formatted(QStringLiteral("0")), QString());
  EXPECT_EQ(Formatted(QStringLiteral("'0'")), QStringLiteral("0"));
  EXPECT_EQ(rpRun().CurrentValue, QVariant(QStringLiteral("0"))) << "VALUE is the last formatted value";
  rpRun().AggregatePass = true;
  EXPECT_EQ(Formatted(QStringLiteral("7")), QStringLiteral("untouched"));
  rpRun().AggregatePass = false;
}

TEST_F(ReportValues, BuiltinProceduresArraysAndScriptAssignments) {
  memo->Memo = QStringList{QStringLiteral("starý"), QStringLiteral("druhý")};
  TrpInterpretator& script = *rpRun().Interpreter;
  QStringList coded, errors;
  script.PrepareScript({QStringLiteral("begin SETARRAY(A, 1, 5); SETARRAY(Memo1.Lines, 1, 'nový');"),
                        QStringLiteral("Z := GETARRAY(Memo1.Lines, 0);"), QStringLiteral("X := GETARRAY(A, 1);"),
                        QStringLiteral("Y := GETARRAY(A, 2);"), QStringLiteral("SETARRAY(A, 'k', 'text');"),
                        QStringLiteral("NoveMeno := 10;"), QStringLiteral("INC(NoveMeno);"), QStringLiteral("DEC(X);"),
                        QStringLiteral("Memo1.Width := 77;"), QStringLiteral("Memo1.SetNieco(1) end")},
                       coded, errors);
  ASSERT_TRUE(errors.isEmpty()) << qPrintable(errors.join(QLatin1Char('\n')));
  script.DoScript(coded);
  const TrpVariables& v = rpVariables();
  EXPECT_EQ(v.GetVariable(QStringLiteral("Arr_A_1")), rpIntegerValue(5));
  EXPECT_EQ(v.GetVariable(QStringLiteral("Arr_A_k")), QVariant(QStringLiteral("text")));
  EXPECT_EQ(v.GetVariable(QStringLiteral("X")), rpIntegerValue(4));
  EXPECT_TRUE(rpIsNull(v.GetVariable(QStringLiteral("Y"))));
  EXPECT_EQ(v.GetVariable(QStringLiteral("NoveMeno")), rpIntegerValue(11));
  EXPECT_EQ(memo->Width, 77) << "a property is written, not a variable";
  EXPECT_EQ(memo->Memo, (QStringList{QStringLiteral("starý"), QStringLiteral("nový")})) << "an indexed property";
  EXPECT_EQ(v.GetVariable(QStringLiteral("Z")), QVariant(QStringLiteral("starý")));
  EXPECT_EQ(v.IndexOf(QStringLiteral("Memo1.Width")), -1);
  EXPECT_EQ(rpValueToText(rpRun().Parser->Calc(QStringLiteral("NEZNAMAFUNKCIA(1)"))), QStringLiteral("0"));

  QStringList userCalls;
  report.OnUserFunction = [&](const QString& name, const QString& p1, const QString&, const QString&, QVariant& val) {
    userCalls << name + QLatin1Char(':') + p1;
    val = QStringLiteral("od používateľa");
  };
  EXPECT_EQ(rpRun().Parser->Calc(QStringLiteral("VLASTNA(1 + 2)")), QVariant(QStringLiteral("od používateľa")));
  EXPECT_EQ(userCalls, QStringList{QStringLiteral("VLASTNA:1 + 2")}) << "arguments come as their texts";
}

TEST_F(ReportValues, VariablesSurviveFromOneReportToTheNext) {
  TrpInterpretator& script = *rpRun().Interpreter;
  QStringList coded, errors;
  script.PrepareScript({QStringLiteral("Prenos := 42")}, coded, errors);
  script.DoScript(coded);
  TrpReport next(&owner);
  next.BindParser(rpRun());
  EXPECT_EQ(rpRun().Parser->Calc(QStringLiteral("Prenos + 1")), rpIntegerValue(43));
}

TEST_F(ReportValues, TagExpansionAndInvisibleObjectsInPreparedPages) {
  TrpView& view = *memo;
  rpVariables().SetVariable(QStringLiteral("Cislo"), rpIntegerValue(12));
  QString text = QStringLiteral("Č. [Cislo] z [PAGE#] ['[x]'] [neuzavreté");
  TrpView::ExpandBrackets(rpRun(), text);
  EXPECT_EQ(text, QStringLiteral("Č. 12 z 1 [x] [neuzavreté")) << "inserted text is not scanned again";

  memo->Tag = QStringLiteral("ID[Cislo]");
  memo->Memo = QStringList{QStringLiteral("Suma: [Cislo]")};
  TBinaryWriter writer;
  memo->WritePrepared(rpRun(), writer);
  const QByteArray bytes = writer.Data();
  EXPECT_FALSE(bytes.isEmpty());
  EXPECT_TRUE(bytes.contains(QByteArrayLiteral("ID12")));
  EXPECT_EQ(memo->Tag, QStringLiteral("ID[Cislo]")) << "the template's Tag is kept";
  EXPECT_EQ(memo->WorkLines, QStringList{QStringLiteral("Suma: 12")});

  memo->Script = QStringList{QStringLiteral("Visible := 0")};
  TBinaryWriter hidden;
  view.WritePrepared(rpRun(), hidden);
  EXPECT_EQ(hidden.Size(), 0);
  EXPECT_EQ(memo->SplitMode, 0);
}

namespace {

// The band engine's answers and a record of the requests scripts make.
class FakeRunState : public TrpRunState {
public:
  qint64 RowNumber(bool throughReport) const override { return throughReport ? 40 : 4; }
  qint64 ColumnNumber() const override { return 2; }
  qint64 CurrentRow() const override { return 17; }
  int CurY() const override { return y; }
  void SetCurY(int value) override { y = value; }
  int BottomLimit() const override { return 1000; }
  int BandPrintedHeight() const override { return 30; }
  bool FinalPass() const override { return true; }
  void Terminate() override { requests << QStringLiteral("stop"); }
  void RequestNewPage() override { requests << QStringLiteral("page"); }
  void RequestNewColumn() override { requests << QStringLiteral("column"); }
  void ShowBand(const QString& name) override { requests << QStringLiteral("show ") + name; }
  bool SetModalResult(int result) override {
    requests << QStringLiteral("modal %1").arg(result);
    return true;
  }
  void Progress(const QString& text) override { requests << QStringLiteral("progress ") + text; }

  int y = 250;
  QStringList requests;
};

} // namespace

TEST_F(ReportValues, RunValuesAndRequestsReachTheBandEngine) {
  FakeRunState run;
  rpRun().Run = &run;
  struct Case {
    const char* Name;
    QString Expected;
  };
  const Case cases[] = {{"LINE#", QStringLiteral("4")},         {"LINETHROUGH#", QStringLiteral("40")},
                        {"COLUMN#", QStringLiteral("2")},       {"CURRENT#", QStringLiteral("17")},
                        {"CURY", QStringLiteral("250")},        {"FREESPACE", QStringLiteral("750")},
                        {"PAGEHEIGHT", QStringLiteral("1000")}, {"FINALPASS", QStringLiteral("True")}};
  for (const Case& c : cases)
    EXPECT_EQ(rpValueToText(Resolve(QLatin1String(c.Name))), c.Expected) << c.Name;

  TrpInterpretator& script = *rpRun().Interpreter;
  QStringList coded, errors;
  script.PrepareScript({QStringLiteral("begin CurY := CurY + 10; NEWPAGE; NEWCOLUMN; SHOWBAND(Hlavicka);"),
                        QStringLiteral("Progress := 'Strana 1'; ModalResult := mrOk; STOPREPORT end")},
                       coded, errors);
  ASSERT_TRUE(errors.isEmpty()) << qPrintable(errors.join(QLatin1Char('\n')));
  script.DoScript(coded);
  EXPECT_EQ(run.y, 260);
  EXPECT_EQ(run.requests,
            (QStringList{QStringLiteral("page"), QStringLiteral("column"), QStringLiteral("show Hlavicka"),
                         QStringLiteral("progress Strana 1"), QStringLiteral("modal 1"), QStringLiteral("stop")}));
  EXPECT_EQ(rpVariables().IndexOf(QStringLiteral("CurY")), -1) << "engine values are not script variables";
  rpRun().Run = nullptr;
}

TEST_F(ReportValues, CalcWidthMeasuresTheExpandedText) {
  rpGlobals().TextWidth = [](const QFont&, const QString& text) { return int(text.size()) * 10; };
  rpVariables().SetVariable(QStringLiteral("Meno"), QStringLiteral("Ján Novák"));
  memo->Memo = QStringList{QStringLiteral("Člen: [Meno]")};
  rpRun().CurrentObject = memo;
  // 15 characters, frame width 1, GapX 2 on both sides and 1.
  EXPECT_EQ(Resolve(QStringLiteral("CALCWIDTH")), rpIntegerValue(150 + 1 + 4 + 1));
  rpRun().CurrentObject = nullptr;
  EXPECT_EQ(Resolve(QStringLiteral("CALCWIDTH")), rpIntegerValue(0));
}
