#include "ReportFixture.h"
#include "reports/engine/rpDisplayFormat.h"
#include "reports/engine/rpValue.h"
#include <QtCore/QDate>

namespace {

QVariant Day(int y, int m, int d, double time = 0) {
  return rpDateTimeValue(double(QDate(1899, 12, 30).daysTo(QDate(y, m, d))) + time);
}
QVariant At(int h, int n, int s) { return rpDateTimeValue((h * 3600 + n * 60 + s) / 86400.0); }

const QString nbsp(QChar(0xA0));

struct FormatCase {
  const char* Label;
  QVariant Value;
  qint32 Code;
  QString Format;
  QString Expected;
};

} // namespace

TEST_F(ReportFixture, DisplayFormatTable) {
  const qint32 comma = ',', point = '.';
  const FormatCase cases[] = {
      {"text group", 1234.5, rpMakeFormatCode(0, 0), {}, QStringLiteral("1234,5")},
      {"null", QVariant(), rpMakeFormatCode(1, 1, 2, comma), {}, QString()},
      {"blank text", QStringLiteral("  "), rpMakeFormatCode(0, 0), {}, QString()},
      {"##0.## drops zeros", 1234.5, rpMakeFormatCode(1, 0, 2, comma), {}, QStringLiteral("1234,5")},
      {"##0. no decimals", 1234.5, rpMakeFormatCode(1, 0, 0, comma), {}, QStringLiteral("1235")},
      {"fixed", 1234.5, rpMakeFormatCode(1, 1, 2, comma), {}, QStringLiteral("1234,50")},
      {"fixed rounds half up", 0.125, rpMakeFormatCode(1, 1, 2, comma), {}, QStringLiteral("0,13")},
      {"fixed 15 digits", 2.675, rpMakeFormatCode(1, 1, 2, comma), {}, QStringLiteral("2,68")},
      {"fixed negative", -1234.5, rpMakeFormatCode(1, 1, 1, point), {}, QStringLiteral("-1234.5")},
      {"fixed negative zero", -0.004, rpMakeFormatCode(1, 1, 2, comma), {}, QStringLiteral("0,00")},
      {"#,##0.##",
       1234567.891,
       rpMakeFormatCode(1, 2, 2, comma),
       {},
       QStringLiteral("1") + nbsp + QStringLiteral("234") + nbsp + QStringLiteral("567,89")},
      {"thousands fixed",
       1234567.8,
       rpMakeFormatCode(1, 3, 2, comma),
       {},
       QStringLiteral("1") + nbsp + QStringLiteral("234") + nbsp + QStringLiteral("567,80")},
      {"thousands fixed small", -12.0, rpMakeFormatCode(1, 3, 0, comma), {}, QStringLiteral("-12")},
      {"float format", 2.5, rpMakeFormatCode(1, 4, 0, point), QStringLiteral("000.000"), QStringLiteral("002.500")},
      {"literals", 7.0, rpMakeFormatCode(1, 4, 0, comma), QStringLiteral("'č. '0' ks'"), QStringLiteral("č. 7 ks")},
      {"negative section", -1234.5, rpMakeFormatCode(1, 4, 0, comma), QStringLiteral("#,##0.00;(#,##0.00);nula"),
       QStringLiteral("(1") + nbsp + QStringLiteral("234,50)")},
      {"zero section", 0.001, rpMakeFormatCode(1, 4, 0, comma), QStringLiteral("#,##0.00;(#,##0.00);nula"),
       QStringLiteral("nula")},
      {"integer value", rpIntegerValue(42), rpMakeFormatCode(1, 1, 1, comma), {}, QStringLiteral("42,0")},
      {"not a number", QStringLiteral("abc"), rpMakeFormatCode(1, 1, 2, comma), {}, QStringLiteral("abc")},
      {"number form above 4", 5.0, rpMakeFormatCode(1, 5), {}, QString()},
      {"group above 4", 5.0, rpMakeFormatCode(5, 0), {}, QString()},
      {"date mm.dd.yy", Day(2026, 3, 9), rpMakeFormatCode(2, 0), {}, QStringLiteral("03.09.26")},
      {"date mm.dd.yyyy", Day(2026, 3, 9), rpMakeFormatCode(2, 1), {}, QStringLiteral("03.09.2026")},
      {"date d mmm yyyy", Day(2026, 3, 9), rpMakeFormatCode(2, 2), {}, QStringLiteral("9 mar 2026")},
      {"date long", Day(2026, 3, 9), rpMakeFormatCode(2, 3), {}, QStringLiteral("pondelok 9. marca 2026")},
      {"date format", Day(2026, 3, 9), rpMakeFormatCode(2, 4), QStringLiteral("d.m.yyyy"), QStringLiteral("9.3.2026")},
      {"date of a text", QStringLiteral("zajtra"), rpMakeFormatCode(2, 1), {}, QStringLiteral("zajtra")},
      {"time hh:nn:ss", At(9, 5, 7), rpMakeFormatCode(3, 0), {}, QStringLiteral("09:05:07")},
      {"time h:nn:ss", At(9, 5, 7), rpMakeFormatCode(3, 1), {}, QStringLiteral("9:05:07")},
      {"time hh:nn", At(9, 5, 7), rpMakeFormatCode(3, 2), {}, QStringLiteral("09:05")},
      {"time h:nn", At(19, 5, 7), rpMakeFormatCode(3, 3), {}, QStringLiteral("19:05")},
      {"time format", At(19, 5, 7), rpMakeFormatCode(3, 4), QStringLiteral("nn'm'"), QStringLiteral("05m")},
      {"logical 0;1 true", true, rpMakeFormatCode(4, 0), {}, QStringLiteral("1")},
      {"logical Nie;Ano false", false, rpMakeFormatCode(4, 1), {}, QStringLiteral("Nie")},
      {"logical _;x", rpIntegerValue(3), rpMakeFormatCode(4, 2), {}, QStringLiteral("x")},
      {"logical words", rpIntegerValue(0), rpMakeFormatCode(4, 3), {}, QStringLiteral("Nepravdivý")},
      {"logical format", true, rpMakeFormatCode(4, 4), QStringLiteral("Nie;Áno"), QStringLiteral("Áno")},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(rpFormatByDisplayFormat(c.Value, c.Code, c.Format), c.Expected) << c.Label;
  }
}

TEST(DisplayFormatSuffix, SuffixesGiveCodeAndFormat) {
  struct SuffixCase {
    QString Suffix;
    qint32 Code;
    QString Format;
  };
  const SuffixCase cases[] = {
      {QStringLiteral("N2,2"), rpMakeFormatCode(1, 1, 2, ','), QString()},
      {QStringLiteral("2.3"), rpMakeFormatCode(1, 1, 3, '.'), QString()},
      {QStringLiteral("n0-1"), rpMakeFormatCode(1, 1, 1, '-'), QString()},
      {QStringLiteral("N###,##0.00"), rpMakeFormatCode(1, 4, 0, '.'), QStringLiteral("###,##0.00")},
      {QStringLiteral("N#,0"), rpMakeFormatCode(1, 4, 0, ','), QStringLiteral("#.0")},
      {QStringLiteral("Dd.m.yyyy"), rpMakeFormatCode(2, 4), QStringLiteral("d.m.yyyy")},
      {QStringLiteral("thh:nn"), rpMakeFormatCode(2, 4), QStringLiteral("hh:nn")},
      {QStringLiteral("BNie;Áno"), rpMakeFormatCode(4, 4), QStringLiteral("Nie;Áno")},
  };
  for (const SuffixCase& c : cases) {
    qint32 code = -1;
    QString format = QStringLiteral("?");
    ASSERT_TRUE(rpParseFormatSuffix(c.Suffix, code, format)) << qPrintable(c.Suffix);
    EXPECT_EQ(code, c.Code) << qPrintable(c.Suffix);
    if (rpFormatForm(c.Code) == 4) {
      EXPECT_EQ(format, c.Format) << qPrintable(c.Suffix);
    }
  }
  qint32 code = 7;
  QString format = QStringLiteral("keep");
  EXPECT_FALSE(rpParseFormatSuffix(QStringLiteral("X12"), code, format));
  EXPECT_EQ(code, 7);
  EXPECT_EQ(format, QStringLiteral("keep"));
}

TEST(DisplayFormatMask, MaskTakesTheTextCharactersInOrder) {
  EXPECT_EQ(rpFormatMaskText(QStringLiteral("000\\-000"), QStringLiteral("123456")), QStringLiteral("123-456"));
  EXPECT_EQ(rpFormatMaskText(QStringLiteral("000 00"), QStringLiteral("0120")), QStringLiteral("012 0 "));
  EXPECT_EQ(rpFormatMaskText(QStringLiteral("LL\\/00"), QStringLiteral("SK12")), QStringLiteral("SK/12"));
}
