#include "core/Exception.h"
#include "reports/objects/rpBarcode.h"
#include "tests/support/QStringPrinter.h"
#include "tests/support/TestOutput.h"
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace {

struct TPatternCase {
  int type;
  const char* text;
  bool checksum;
  const char* pattern; // empty: only the stored text or the error is checked
  const char* stored;  // the text afterwards, or the error's message
  bool fails = false;
};

// The pattern, or the error's message.
std::pair<QString, QString> Build(int type, const QString& text, bool checksum,
                                  TrpCheckSumMethod method = csmModulo10) {
  TrpBarcode code;
  code.SetTyp(type);
  code.SetText(text);
  code.SetChecksum(checksum);
  code.CheckSumMethod = method;
  try {
    const QString pattern = code.BuildPattern();
    return {pattern, code.Text()};
  } catch (const Exception& error) {
    return {QString(), error.Message()};
  }
}

TEST(Barcode, PatternsTextsAndErrorsOfEverySymbology) {
  const TPatternCase cases[] = {{bcCode_2_5_interleaved, "12", false, "50506051505061605", "12"},
                                {bcCode_2_5_interleaved, "123", false, "", "0123"}, // an odd count gets a leading zero
                                {bcCode_2_5_industrial, "1", false, "6060506050505060605060", "1"},
                                {bcCode_2_5_matrix, "1", false, "70505060506070505", "1"},
                                {bcCode39, "A", false, "51506060506050515060515060605", "A"},
                                {bcCode39, "A", true, "515060605060505150606050515060515060605", "A"},
                                {bcCode39, "a", false, "", "TrpBarcode:Code39 bad Data <a>", true},
                                {bcCode39Extended, "a", false, "", "a"},
                                {bcCode39Extended, "é", false, "", "TrpBarcode:Code39 bad Data <é>", true},
                                {bcCode128A, "A", false, "", "A"},
                                {bcCode128A, "a", false, "", "TrpBarcode:Code128 bad Data <a>", true},
                                {bcCode128B, "a~", false, "", "a~"},
                                {bcCode128B, "č", false, "", "TrpBarcode:Code128 bad Data <č>", true},
                                {bcCode128C, "12345", false, "", "012345"},
                                {bcCode93, "AB-1", false, "", "AB-1"},
                                {bcCode93, "a", false, "", "TrpBarcode:Code93 bad Data <a>", true},
                                {bcCode93Extended, "ab", false, "", "ab"},
                                {bcCodeMSI, "1", false, "605151516060515151515", "1"},
                                {bcCodePostNet, "1", false, "51A1A1A151515", "1"},
                                {bcCodePostNet, "1-2", false, "", "Barcode must be numeric", true},
                                {bcCodeCodabar, "12", false, "", "12"},
                                {bcCodeCodabar, "1x", false, "", "TrpBarcode:Codabar bad Data <1x>", true},
                                {bcCodeEAN8, "1234567", true, "", "1234567"},
                                {bcCodeEAN13, "123456789012", true, "", "1234567890128"},
                                {bcCodeEAN13, "123456789012", false, "", "0123456789012"},
                                {bcCodeEAN13, " 12a", false, "", "Barcode must be numeric", true},
                                {bcCodeUPC_A, "036000291450", true, "", "036000291452"},
                                {bcCodeUPC_A, "03600029145", true, "", "003600029143"}, // fitted to twelve digits first
                                {bcCodeUPC_E0, "4252610", true, "", "4252614"},
                                {bcCodeUPC_E1, "425261", false, "", "0425261"},
                                {bcCodeUPC_Supp2, "12", false, "5061615051516", "12"},
                                {bcCodeUPC_Supp2, "12", true, "5061615051516", "125"},
                                {bcCodeUPC_Supp5, "52495", true, "", "524951"},
                                {bcCodeEAN128A, "12", true, "", "123"},
                                {bcCodeEAN128B, "12", false, "", "12"},
                                {bcCodeEAN128C, "123", false, "", "0123"},
                                {23, "1", false, "", "TrpBarcode: wrong BarcodeType", true}};
  for (const TPatternCase& c : cases) {
    SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.type).arg(QString::fromUtf8(c.text)).toStdString());
    const auto [pattern, text] = Build(c.type, QString::fromUtf8(c.text), c.checksum);
    EXPECT_EQ(pattern.isEmpty(), c.fails);
    if (*c.pattern) EXPECT_EQ(pattern, QString::fromLatin1(c.pattern).remove(QLatin1Char(' ')));
    EXPECT_EQ(text, QString::fromUtf8(c.stored));
  }
  // Without a check digit to add, EAN-8 has seven digits where eight are needed.
  EXPECT_EQ(Build(bcCodeEAN8, QStringLiteral("1234567"), true, csmNone).second,
            QStringLiteral("Invalid Text len (EAN8)"));
  EXPECT_EQ(Build(bcCodeEAN13, QStringLiteral("12"), true, csmNone).second, QStringLiteral("Invalid Text len (EAN13)"));
}

TEST(Barcode, ModuleRatioAndWidthRules) {
  TrpBarcode code;
  int changes = 0;
  code.OnChange = [&](TrpBarcode*) { ++changes; };
  code.SetModul(0);
  code.SetModul(50);
  EXPECT_EQ(code.Modul(), 1);
  EXPECT_EQ(changes, 0);
  code.SetModul(1); // the same value still fires
  EXPECT_EQ(changes, 1);
  code.SetTyp(bcCode39);
  code.SetText(QStringLiteral("12345678"));
  code.SetRatio(1.5);
  changes = 0;
  code.BuildPattern();
  EXPECT_EQ(code.Ratio(), 2.0);
  EXPECT_EQ(changes, 1);
  const int width = code.Width();
  EXPECT_EQ(width, 10 * 12 + 9); // ten characters of 12 modules and the gaps between them
  code.SetWidth(width - 1);      // would need a module below 1
  EXPECT_EQ(code.Modul(), 1);
  code.SetWidth(3 * width);
  EXPECT_EQ(code.Modul(), 3);
  EXPECT_EQ(code.Width(), 3 * width);
  TrpBarcode other;
  other.SetTyp(bcCode128B);
  other.SetRatio(1.5);
  other.SetText(QStringLiteral("A"));
  other.BuildPattern();
  EXPECT_EQ(other.Ratio(), 1.5); // Code 128 keeps its ratio
}

// What the decoder a user's scanner stands for reads from a painted code.
QString Decode(const QImage& image) {
  QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("kod.png"));
  image.save(file);
  QProcess reader;
  reader.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), file});
  if (!reader.waitForFinished(60000)) return QStringLiteral("<timeout>");
  return QString::fromUtf8(reader.readAllStandardOutput()).trimmed();
}

QImage Painted(int type, const QString& text, bool checksum, double angle) {
  TrpBarcode code;
  code.SetTyp(type);
  code.SetText(text);
  code.SetChecksum(checksum);
  code.SetModul(3);
  code.SetHeight(90);
  code.SetAngle(angle);
  code.SetLeft(40);
  code.SetTop(40);
  const int width = code.Width();
  const bool upright = angle == 90 || angle == 270;
  QImage image(upright ? 180 : width + 80, upright ? width + 80 : 180, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  code.PaintTo(painter);
  return image;
}

TEST(Barcode, ScannersReadWhatThePatternsEncode) {
  if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty())
    GTEST_SKIP() << "zbarimg is not installed (zbar-tools)";
  const struct {
    int type;
    const char* text;
    bool checksum;
    QStringList read; // what the decoder may report
  } cases[] = {{bcCodeEAN8, "1234567", true, {QStringLiteral("12345670")}},
               {bcCodeEAN13, "123456789012", true, {QStringLiteral("1234567890128")}},
               {bcCodeUPC_A, "036000291450", true, {QStringLiteral("036000291452"), QStringLiteral("0036000291452")}},
               // The decoder reports a UPC-E code as the UPC-A number it stands for.
               {bcCodeUPC_E0, "4252610", true, {QStringLiteral("04252614"), QStringLiteral("0042100005264")}},
               {bcCode39, "ZO-12 $/+%", false, {QStringLiteral("ZO-12 $/+%")}},
               {bcCode39Extended, "Kapor a", false, {QStringLiteral("K+A+P+O+R +A")}},
               {bcCode93, "KAPOR-12", false, {QStringLiteral("KAPOR-12")}},
               {bcCode93Extended, "Kapor", false, {QStringLiteral("Kapor")}},
               {bcCode128A, "ZO 12/3", false, {QStringLiteral("ZO 12/3")}},
               {bcCode128B, "Clen 42a", false, {QStringLiteral("Clen 42a")}},
               {bcCode128C, "12345", false, {QStringLiteral("012345")}},
               {bcCodeEAN128B, "Clen42", false, {QStringLiteral("Clen42"), QStringLiteral("]C1Clen42")}},
               {bcCode_2_5_interleaved, "1234567", false, {QStringLiteral("01234567")}},
               {bcCodeCodabar, "123456", false, {QStringLiteral("A123456B")}}};
  for (const auto& c : cases)
    for (double angle : {0.0, 90.0}) {
      SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(c.type).arg(QLatin1String(c.text)).arg(angle).toStdString());
      const QImage image = Painted(c.type, QString::fromLatin1(c.text), c.checksum, angle);
      const QString read = Decode(image);
      EXPECT_TRUE(c.read.contains(read)) << read.toStdString();
      if (!c.read.contains(read))
        image.save(TestOutputPath(QStringLiteral("barcode-%1-%2.png").arg(c.type).arg(angle)));
    }
}

} // namespace
