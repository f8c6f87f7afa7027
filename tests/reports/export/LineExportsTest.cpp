#include "ExportFixture.h"
#include "reports/export/rpHTMExport.h"
#include "reports/export/rpRTFExport.h"
#include "reports/export/rpTextExport.h"
#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QRegularExpression>

namespace {

class LineExportsTest : public ExportFixture {};

// Two framed boxes side by side on one line; a third box below whose top
// frame shares the grid line with the bottom frames above.
const QList<TTestObject> kFramedBoxes{{13, 14, 52, 14, QStringLiteral("Meno"), 15},
                                      {65, 14, 52, 14, QStringLiteral("Obec"), 15},
                                      {13, 42, 104, 14, QStringLiteral("Spolu"), 15}};

TEST_F(LineExportsTest, TextLayoutsMatchTheirGoldenFiles) {
  struct Case {
    const char* golden;
    QList<TTestObject> objects;
    bool frames, pseudographic, oem;
  };
  const Case cases[] = {
      {"text_frames_ascii.txt", kFramedBoxes, true, false, false},
      {"text_frames_boxes.txt", kFramedBoxes, true, true, true},
      // A top frame right under a line of text gets a line of its own.
      {"text_top_frame_after_text.txt",
       {{13, 14, 104, 14, QStringLiteral("Hlavička")}, {13, 28, 104, 14, QStringLiteral("Rámik"), 8}},
       true,
       false,
       false},
      // Right-aligned text ends at its object's right edge; text that
      // would overlap follows the text before it.
      {"text_right_aligned.txt",
       {{13, 14, 130, 14, QStringLiteral("12,50"), 0, 1},
        {13, 28, 60, 14, QStringLiteral("Dlhý text pred")},
        {20, 28, 60, 14, QStringLiteral("prekrytím")}},
       false,
       false,
       false},
      {"text_slovak_852.txt", {{0, 0, 300, 14, QStringLiteral("Ďurčo Ľudovít, Žilina – Šaľa")}}, false, false, true},
      // A tab is text, never a frame mark.
      {"text_tab_stays_text.txt", {{0, 0, 300, 14, QStringLiteral("a\tb")}}, false, false, false},
  };
  for (const Case& c : cases) {
    report.EMFPages.Clear();
    AddPage(c.objects);
    TrpTextExport filter;
    filter.ExportFrames = c.frames;
    filter.UsePseudographic = c.pseudographic;
    filter.ConvertToOEM = c.oem;
    ExpectGolden(Export(filter, QStringLiteral("zostava.txt")), QLatin1String(c.golden));
  }
}

TEST_F(LineExportsTest, CancelledRunLeavesAFileAlreadyThereAsItWas) {
  AddPage({{0, 0, 100, 14, QStringLiteral("Prvá")}});
  AddPage({{0, 0, 100, 14, QStringLiteral("Druhá")}});
  QFile old(Path(QStringLiteral("zostava.txt")));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("predtym");
  old.close();
  report.OnProgress = [this](int page) {
    if (page == 1) report.Terminated = true; // Cancel after the first page
  };
  TrpTextExport filter;
  EXPECT_EQ(Export(filter, QStringLiteral("zostava.txt"), false), QByteArray("predtym"));
}

TEST_F(LineExportsTest, EmptyPagesAndTallPagesLoseNothing) {
  AddPage({});
  // Line index 300, past the 201 slots a page starts with.
  AddPage({{0, 300 * 14, 100, 14, QStringLiteral("Na konci")}});
  TrpTextExport filter;
  filter.KillEmptyLines = false;
  const QByteArray text = Export(filter, QStringLiteral("zostava.txt"));
  EXPECT_TRUE(text.startsWith("\f\r\n")) << "an empty page gives only its form feed";
  EXPECT_TRUE(text.endsWith("Na konci\r\n\f\r\n"));
  EXPECT_EQ(text.count("\r\n"), 1 + 300 + 1 + 1) << "the empty lines up to the text are kept";
}

TEST_F(LineExportsTest, CsvQuotesFieldsThatNeedItAndOfficeReadsThemBack) {
  AddPage({{0, 0, 60, 14, QStringLiteral("Priezvisko")},
           {64, 0, 60, 14, QStringLiteral("Meno")},
           {192, 0, 60, 14, QStringLiteral("Poznámka")},
           {0, 28, 60, 14, QStringLiteral("Ďurčo")},
           {64, 28, 60, 14, QStringLiteral("Ján; ml.")},
           {192, 28, 60, 14, QStringLiteral("volá sa \"Jano\"")}});
  TrpCSVExport filter;
  const QByteArray csv = Export(filter, QStringLiteral("clenovia.csv"));
  ExpectGolden(csv, QStringLiteral("clenovia.csv"));
  if (!OfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  // Semicolon, double quote, code page 1250 (LibreOffice's number 33 is MS-1250).
  const QByteArray read = ConvertWithOffice(Path(QStringLiteral("clenovia.csv")), QStringLiteral("ods"), dir.path(),
                                            QStringLiteral("CSV:59,34,33"));
  ASSERT_FALSE(read.isEmpty());
  const QByteArray back =
      ConvertWithOffice(Path(QStringLiteral("clenovia.ods")), QStringLiteral("csv:Text - txt - csv (StarCalc):9,34,76"),
                        Path(QStringLiteral("back")));
  // Calc writes the cell with quotes quoted again, in its own tab-separated form.
  EXPECT_EQ(QString::fromUtf8(back),
            QStringLiteral("Priezvisko\tMeno\tPoznámka\nĎurčo\tJán; ml.\t\"volá sa \"\"Jano\"\"\"\n"));
}

// Python's csv module reads the file (given its delimiter and code page) and answers its rows as JSON.
QJsonArray RowsReadByPython(const QString& file, const QString& delimiter, const QString& encoding) {
  const QString script = QStringLiteral("import csv, json, sys\n"
                                        "with open(sys.argv[1], newline='', encoding=sys.argv[3]) as f:\n"
                                        "    print(json.dumps(list(csv.reader(f, delimiter=sys.argv[2]))))\n");
  QString output;
  if (RunProgram(QStringLiteral("python3"), {QStringLiteral("-c"), script, file, delimiter, encoding}, &output) != 0)
    return {};
  return QJsonDocument::fromJson(output.toUtf8()).array();
}

// A list as reports lay it out: a right-aligned number right before a
// left-aligned name, a header over each column aligned like its values.
TEST_F(LineExportsTest, CsvGivesEveryTextOfARowItsOwnFieldUnderItsHeader) {
  const QList<QStringList> page{
      {QStringLiteral("Č."), QStringLiteral("Meno"), QStringLiteral("Obec"), QStringLiteral("Suma")},
      {QStringLiteral("1"), QStringLiteral("Ľubomír Šťastný"), QStringLiteral("Banská Štiavnica"),
       QStringLiteral("1 234,56")},
      {QStringLiteral("2"), QStringLiteral("Ján \"Jano\" Kováč"), QStringLiteral("Žilina; stred"),
       QStringLiteral("12,00")}};
  QList<TTestObject> objects;
  for (int row = 0; row < page.size(); ++row) {
    const int y = 14 * row;
    objects.append({0, y, 60, 14, page[row][0], 0, 1}); // right-aligned, ends where the name starts
    objects.append({64, y, 190, 14, page[row][1]});
    objects.append({256, y, 130, 14, page[row][2]});
    objects.append({390, y, 80, 14, page[row][3], 0, 1}); // right-aligned
  }
  AddPage(objects);
  TrpCSVExport filter;
  Export(filter, QStringLiteral("zoznam.csv"));
  const auto expectPage = [&page](const QJsonArray& rows, const char* reader) {
    ASSERT_EQ(rows.size(), page.size()) << reader;
    for (int row = 0; row < page.size(); ++row) {
      QStringList fields;
      for (const QJsonValue& field : rows[row].toArray())
        fields.append(field.toString());
      EXPECT_EQ(fields, page[row]) << reader << ", row " << row;
    }
  };
  const QJsonArray python =
      RowsReadByPython(Path(QStringLiteral("zoznam.csv")), QStringLiteral(";"), QStringLiteral("cp1250"));
  if (python.isEmpty()) GTEST_SKIP() << "python3 is not installed";
  expectPage(python, "Python");
  if (!OfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  // Calc imports every column as text (so "12,00" stays as written) and saves its cells tab-separated in UTF-8.
  ASSERT_FALSE(ConvertWithOffice(Path(QStringLiteral("zoznam.csv")), QStringLiteral("ods"), dir.path(),
                                 QStringLiteral("CSV:59,34,33,1,1/2/2/2/3/2/4/2"))
                   .isEmpty());
  ASSERT_FALSE(ConvertWithOffice(Path(QStringLiteral("zoznam.ods")),
                                 QStringLiteral("csv:Text - txt - csv (StarCalc):9,34,76"),
                                 Path(QStringLiteral("calc")))
                   .isEmpty());
  expectPage(RowsReadByPython(Path(QStringLiteral("calc/zoznam.csv")), QStringLiteral("\t"), QStringLiteral("utf-8")),
             "Calc");
}

// The CSV export places texts by their objects and measures no line; the
// text export after it must still measure a centered line to place it.
TEST_F(LineExportsTest, TextExportCentersALineAlsoAfterACsvExport) {
  AddPage({{0, 0, 200, 14, QStringLiteral("stred"), 0, 2}, {0, 28, 200, 14, QStringLiteral("vpravo"), 0, 1}});
  TrpTextExport text;
  text.PageBreaks = false;
  // Centered: 2 + (200 - 2 x 2 - 5 x 10) / 2 = 75 pixels, column 12; right-aligned ends at 200, column 31.
  const QByteArray expected = QByteArray(12, ' ') + "stred\r\n" + QByteArray(25, ' ') + "vpravo\r\n";
  EXPECT_EQ(Export(text, QStringLiteral("pred.txt")), expected);
  TrpCSVExport csv;
  EXPECT_EQ(Export(csv, QStringLiteral("stred.csv")), QByteArray("stred\r\nvpravo\r\n"));
  EXPECT_EQ(Export(text, QStringLiteral("po.txt")), expected);
}

TEST_F(LineExportsTest, LineHtmlDeclaresItsCodePageEscapesAndPassesTidy) {
  AddPage({{0, 0, 200, 14, QStringLiteral("Ryby <kapor> & šťuka"), 0, 0, clNone, true},
           {210, 0, 100, 14, QStringLiteral("Ďalší")}});
  AddPage({{0, 0, 200, 14, QStringLiteral("Druhá strana")}});
  TrpHTMExport filter;
  const QByteArray html = Export(filter, QStringLiteral("zoznam.htm"));
  EXPECT_TRUE(html.contains("charset=windows-1250"));
  EXPECT_TRUE(html.contains("<td><b>Ryby &lt;kapor&gt; &amp; \x9a\x9duka</b></td><td>\xcf"
                            "al\x9a\xed</td>"))
      << html.toStdString();
  QString output;
  const int code =
      RunProgram(QStringLiteral("tidy"),
                 {QStringLiteral("-e"), QStringLiteral("-q"), Path(QStringLiteral("zoznam.htm"))}, &output);
  if (code == -1) GTEST_SKIP() << "tidy is not installed";
  EXPECT_LT(code, 2) << output.toStdString();
  EXPECT_FALSE(output.contains(QStringLiteral("Error:"))) << output.toStdString();
}

TEST_F(LineExportsTest, RtfKeepsStylesInTheirPlaceAndOfficeReadsSlovakLetters) {
  AddPage({{0, 0, 100, 14, QStringLiteral("Tučný"), 0, 0, clNone, true},
           {120, 0, 100, 14, QStringLiteral("obyčajný {text}")},
           {0, 14, 300, 14, QStringLiteral("Ťažký Ľudovít z Prievidze")}});
  AddPage({{0, 0, 100, 14, QStringLiteral("Druhá")}});
  TrpRTFExport filter;
  const QByteArray rtf = Export(filter, QStringLiteral("zoznam.rtf"));
  EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1250\r\n"));
  // Bold ends within the row: it is switched off before the plain text.
  EXPECT_TRUE(rtf.contains("{\\f0\\fs20\\b\\cf1 Tu\\'e8n\\'fd\\tab\\b0 oby\\'e8ajn\\'fd \\{text\\}\\par}"))
      << rtf.toStdString();
  EXPECT_EQ(rtf.count("\\page"), 1);
  if (!OfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  const QByteArray text =
      ConvertWithOffice(Path(QStringLiteral("zoznam.rtf")), QStringLiteral("txt:Text (encoded):UTF8"), dir.path());
  const QString read = QString::fromUtf8(text);
  EXPECT_TRUE(read.contains(QStringLiteral("Tučný")) && read.contains(QStringLiteral("obyčajný {text}")) &&
              read.contains(QStringLiteral("Ťažký Ľudovít z Prievidze")) && read.contains(QStringLiteral("Druhá")))
      << read.toStdString();
}

TEST_F(LineExportsTest, RtfEmbedsPicturesAsBitmapsInAMetafile) {
  QImage image(2, 2, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray bmp;
  {
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
  }
  const QByteArray hex = TrpRTFExport::MetafileHex(bmp, 2, 2);
  // 70-byte bitmap file: G = 70 / 2 + 7 = 42 words, the file 42 + 36 = 78 words.
  ASSERT_EQ(bmp.size(), 70);
  EXPECT_TRUE(hex.startsWith("0100090000034E000000"
                             "00002A000000"
                             "0000"
                             "050000000b0200000000"
                             "050000000c0202000200"
                             "05000000090200000000"
                             "050000000102ffffff00"
                             "0400000007010300"
                             "2A000000430f2000cc000000"
                             "0200"
                             "0200"
                             "00000000"
                             "0200"
                             "0200"
                             "00000000\r\n"
                             "28000000"))
      << hex.toStdString();

  AddPage({{10, 10, 40, 40, {}, 0, 0, clNone, false, image}, {60, 10, 100, 14, QStringLiteral("Obrázok")}});
  TrpRTFExport filter;
  filter.ExportBitmaps = true;
  const QByteArray rtf = Export(filter, QStringLiteral("obrazok.rtf"));
  // 40 report units are 11.09 mm (629 twips); the page's 36-unit margins are 566 twips.
  EXPECT_TRUE(rtf.contains("\\pard\\phmrg\\posx0\\posy0\\absh629\\absw629{\\pict\\wmetafile8\\picw1109\\pich1109 "
                           "\\picbmp\\picbpp4\r\n010009000003"))
      << rtf.left(400).toStdString();
  EXPECT_TRUE(rtf.contains("030000000000}\\par\r\n"));
}

// Member-list pages as the print form prints them: a right-aligned number,
// a name, a town and a right-aligned amount ending at the right margin,
// rows 5 mm apart down to the bottom margin.
QList<TTestObject> MemberPage(int page, bool landscape) {
  const int right = landscape ? 1030 : 720, bottom = landscape ? 720 : 1034;
  QList<TTestObject> objects{
      {36, 36, 400, 18, QStringLiteral("Zoznam členov – strana %1").arg(page), 0, 0, clNone, true}};
  for (int row = 0, y = 90; y + 18 <= bottom; ++row, y += 18) {
    objects.append({36, y, 30, 18, QString::number(row + 1), 0, 1});
    objects.append({76, y, 250, 18, QStringLiteral("Šťastný Ľubomír %1-%2").arg(page).arg(row + 1)});
    objects.append({336, y, 200, 18, QStringLiteral("Banská Štiavnica")});
    objects.append({right - 120, y, 120, 18, QStringLiteral("1 234,56"), 0, 1});
  }
  return objects;
}

TEST_F(LineExportsTest, RtfAtThePrintFormsScaleHasThePreviewsPagesInWriter) {
  if (!OfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  for (const bool landscape : {false, true}) {
    SCOPED_TRACE(landscape ? "landscape" : "portrait");
    report.EMFPages.Clear();
    const int pages = 3;
    for (int page = 1; page <= pages; ++page)
      AddPage(MemberPage(page, landscape), landscape);
    TrpRTFExport filter;
    filter.ScaleX = 1.3; // as the print form sets it
    filter.ScaleY = 1;
    Export(filter, QStringLiteral("clenovia.rtf"));
    const QString out = Path(landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    ASSERT_FALSE(ConvertWithOffice(Path(QStringLiteral("clenovia.rtf")), QStringLiteral("pdf"), out).isEmpty());
    const QString pdf = out + QStringLiteral("/clenovia.pdf");
    QString info;
    ASSERT_EQ(RunProgram(QStringLiteral("pdfinfo"), {pdf}, &info), 0) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages)))) << info.toStdString();
    for (int page = 1; page <= pages; ++page) {
      QString text;
      RunProgram(QStringLiteral("pdftotext"),
                 {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                  QString::number(page), pdf, QStringLiteral("-")},
                 &text);
      const int rows = int(MemberPage(page, landscape).size() - 1) / 4;
      // Each row stays one line: its name and its amount are read together, on the row's own page.
      for (const int row : {1, rows}) {
        const QString name = QStringLiteral("Šťastný Ľubomír %1-%2").arg(page).arg(row);
        const QRegularExpression line(
            QStringLiteral("\\s%1\\s.*Banská Štiavnica\\s+1 234,56\\n").arg(QRegularExpression::escape(name)));
        EXPECT_TRUE(text.contains(line)) << name.toStdString() << " in\n" << text.toStdString();
      }
    }
  }
}

} // namespace
