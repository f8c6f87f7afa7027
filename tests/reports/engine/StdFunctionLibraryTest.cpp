#include "ReportFixture.h"
#include "reports/engine/rpQPLFunctionLibrary.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpStdFunctionLibrary.h"
#include "reports/engine/rpValue.h"

namespace {

// A report bound to the global parser, with two variables to compute with.
class FunctionFixture : public ReportFixture {
protected:
  FunctionFixture() {
    report.BindParser(rpRun());
    rpVariables().SetVariable(QStringLiteral("D"), rpDateTimeValue(46090)); // 9.3.2026
    rpVariables().SetVariable(QStringLiteral("N"), -12.99);
    words = TQPLFunctionLibrary::NumberInWords;
    TQPLFunctionLibrary::NumberInWords = [](qint64 n) {
      return n == 12 ? QStringLiteral("dvanásť") : QString::number(n);
    };
  }
  ~FunctionFixture() override {
    TQPLFunctionLibrary::NumberInWords = words;
    rpRun().Aggregates = nullptr;
  }
  QString Calc(const QString& expression) { return rpValueToText(rpRun().Parser->Calc(expression)); }

  QObject owner;
  TrpReport report{&owner};
  std::function<QString(qint64)> words;
};

// The band engine's aggregate side as a table of registered keys.
class FakeAggregateBands : public TrpAggregateBands {
public:
  int callType = 6;
  QString callName = QStringLiteral("MasterFooter1");
  bool crossObjects = false;
  int aggregateType = 5;
  QString aggregateName = QStringLiteral("MasterData1");
  bool linked = true;
  QMap<QString, QVariant> registered;

  int CallBandType() const override { return callType; }
  QString CallBandName() const override { return callName; }
  bool CallBandHasCrossObjects() const override { return crossObjects; }
  int AggregateBandType() const override { return aggregateType; }
  QString AggregateBandName() const override { return aggregateName; }
  void Register(const QString& key, const QVariant& start) override { registered.insert(key, start); }
  bool LinkedName(QString& name) const override {
    name = callName;
    return linked;
  }
  QVariant Value(const QString& key) const override { return registered.value(key, QStringLiteral("missing")); }
};

} // namespace

TEST_F(FunctionFixture, StandardAndProgramFunctionTable) {
  struct Case {
    const char* Expression;
    QString Expected;
  };
  const Case cases[] = {
      {"DAYOF(D)", QStringLiteral("9")},
      {"MONTHOF(D)", QStringLiteral("3")},
      {"YEAROF(D)", QStringLiteral("2026")},
      {"FORMATDATETIME('dd.mm.yyyy', D)", QStringLiteral("09.03.2026")},
      {"FORMATFLOAT('#,##0.00', 1234.5)", QStringLiteral("1") + QChar(0xA0) + QStringLiteral("234,50")},
      {"FORMATFLOAT('0.0', N)", QStringLiteral("-13,0")},
      {"FORMATTEXT('000\\-000', 123456)", QStringLiteral("123-456")},
      {"INPUT('Zadaj', 'predvolené')", QStringLiteral("predvolené")},
      {"LENGTH('Šťúr')", QStringLiteral("4")},
      {"LENGTH('')", QStringLiteral("0")},
      {"LOWERCASE('ŽLTÝ Kôň')", QStringLiteral("žltý kôň")},
      {"UPPERCASE('žltý kôň')", QStringLiteral("ŽLTÝ KÔŇ")},
      {"NAMECASE('jÁN')", QStringLiteral("Ján")},
      {"NAMECASE('')", QString()},
      {"TRIM('  a b  ')", QStringLiteral("a b")},
      {"POS('b', 'abc')", QStringLiteral("2")},
      {"POS('x', 'abc')", QStringLiteral("0")},
      {"MAXNUM(3, 7)", QStringLiteral("7")},
      {"MAXNUM(-1, -5)", QStringLiteral("-1")},
      {"MAXNUM('a', 'a')", QStringLiteral("a")},
      {"MINNUM(3, 7)", QStringLiteral("3")},
      {"MESSAGEBOX('Text', 'Titul', mb_OkCancel)", QStringLiteral("1")},
      {"FIELDISNULL('Nikde.Pole')", QStringLiteral("True")},
      {"MONEYTOSTR(12.99)", QStringLiteral("dvanásť")},
      {"MONEYTOSTR(N)", QStringLiteral("mínus dvanásť")},
      {"MONEYTOSTR(0.5)", QStringLiteral("0")},
      {"SUM(N)", QStringLiteral("0")}, // no band engine: the start result
      {"NEZNAMA(1)", QStringLiteral("0")},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Calc(QString::fromUtf8(c.Expression)), c.Expected) << c.Expression;
}

TEST_F(FunctionFixture, FunctionErrors) {
  const char* failing[] = {"DAYOF('nie')", "FORMATFLOAT('0', 'x')", "MONEYTOSTR(1E19)", "MONEYTOSTR(-1E19)",
                           "MESSAGEBOX('a', 'b', 'c')"};
  for (const char* expression : failing)
    EXPECT_THROW(rpRun().Parser->Calc(QLatin1String(expression)), Exception) << expression;
  EXPECT_EQ(Calc(QStringLiteral("MONEYTOSTR(9.2E18)")), QStringLiteral("9200000000000000000"));
}

TEST_F(FunctionFixture, MessageBoxAndInputGetTheirArguments) {
  QStringList seen;
  rpGlobals().MessageBox = [&](const QString& text, const QString& title, int flags) {
    seen << text << title << QString::number(flags);
    return 7;
  };
  rpGlobals().InputBox = [](const QString& prompt, const QString& preset) -> QString {
    return prompt + QLatin1Char('|') + preset;
  };
  EXPECT_EQ(Calc(QStringLiteral("MESSAGEBOX('Uložiť?', 'Otázka', mb_YesNo + mb_IconQuestion)")), QStringLiteral("7"));
  EXPECT_EQ(seen, (QStringList{QStringLiteral("Uložiť?"), QStringLiteral("Otázka"), QStringLiteral("36")}));
  EXPECT_EQ(Calc(QStringLiteral("INPUT('Rok', 2026)")), QStringLiteral("Rok|2026"));
}

TEST_F(FunctionFixture, AggregatesRegisterKeysAndReadValues) {
  FakeAggregateBands bands;
  rpRun().Aggregates = &bands;
  const QChar s(1);
  rpRun().AggregatePass = true;
  Calc(QStringLiteral("COUNT()")); // a master footer counts the master data band
  Calc(QStringLiteral("SUM([Suma], MasterData1, 1)"));
  Calc(QStringLiteral("MAX(N, Iny)")); // another band: nothing
  bands.crossObjects = true;
  Calc(QStringLiteral("MIN(N)"));
  bands.callType = 9; // a detail footer aggregates the detail band only
  Calc(QStringLiteral("AVG(N)"));
  rpRun().AggregatePass = false;
  const QString count = QStringLiteral("MasterFooter1") + s + QChar(akCount) + s + s + s;
  const QString sum =
      QStringLiteral("MasterFooter1") + s + QChar(akSum) + s + QStringLiteral("[Suma]") + s + QStringLiteral("1") + s;
  const QString min =
      QStringLiteral("0") + s + QStringLiteral("MasterFooter1") + s + QChar(akMin) + s + QStringLiteral("N") + s + s;
  EXPECT_EQ(bands.registered.keys(), (QStringList{min, sum, count})); // sorted keys
  EXPECT_EQ(bands.registered.value(count), rpIntegerValue(0));
  EXPECT_TRUE(rpIsNull(bands.registered.value(min))) << "MIN and MAX start from the first row";

  bands.callType = 6;
  bands.registered[count] = rpIntegerValue(4);
  EXPECT_EQ(Calc(QStringLiteral("COUNT()")), QStringLiteral("4"));
  bands.linked = false;
  EXPECT_EQ(Calc(QStringLiteral("COUNT()")), QStringLiteral("0"));
}

TEST(AggregateAccumulation, MinAndMaxStartFromTheFirstValue) {
  struct Case {
    char16_t Kind;
    QList<double> Values;
    QVariant Expected;
  };
  const Case cases[] = {
      {akMax, {-5, -2, -9}, -2.0}, {akMin, {5, 2, 9}, 2.0},
      {akSum, {1.5, 2.5}, 4.0},    {akCount, {7, 8, 9}, rpIntegerValue(3)},
      {akMax, {}, QVariant()},
  };
  for (const Case& c : cases) {
    QVariant accumulated = rpAggregateStart(c.Kind);
    for (double v : c.Values)
      rpAccumulateAggregate(c.Kind, accumulated, v);
    EXPECT_EQ(rpValueToText(accumulated), rpValueToText(c.Expected)) << int(c.Kind);
  }
}

TEST_F(ReportFixture, InstalledFunctionsByCategory) {
  TrpInstalledFunctions& installed = rpInstalledFunctions();
  QStringList list;
  installed.ListFunctionsOfCategory(QStringLiteral("výpočtové"), list);
  EXPECT_EQ(list, (QStringList{QStringLiteral("AVG"), QStringLiteral("COUNT"), QStringLiteral("MAX"),
                               QStringLiteral("MIN"), QStringLiteral("SUM")}));
  installed.ListCategories(list);
  EXPECT_EQ(list,
            (QStringList{QStringLiteral("Database"), QStringLiteral("Datumové a časové"),
                         QStringLiteral("Interpretované"), QStringLiteral("Logické"), QStringLiteral("Matematické"),
                         QStringLiteral("Ostatné"), QStringLiteral("Palendrix"), QStringLiteral("Report info"),
                         QStringLiteral("Reťazcové"), QStringLiteral("Výpočtové")}));
  EXPECT_EQ(installed.DescriptionOf(QStringLiteral("count")),
            QStringLiteral("COUNT(<BandName>)/Vráti počet riadkov v zadaní pásky <BandName>."));
  EXPECT_EQ(installed.DescriptionOf(QStringLiteral("MONEYTOSTR")),
            QStringLiteral("MONEYTOSTR(<Number>)/Vráti číslo ako text suma slovom."));
  EXPECT_EQ(installed.DescriptionOf(QStringLiteral("INC")), QString());
  QStringList all, empty;
  installed.ListFunctionsOfCategory(QStringLiteral("Všetky funkcie"), all);
  installed.ListFunctionsOfCategory(QString(), empty);
  EXPECT_EQ(all, empty);
  EXPECT_TRUE(all.contains(QStringLiteral("FIELDISNULL")));
}
