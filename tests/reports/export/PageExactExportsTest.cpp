#include "ExportFixture.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpSymbolFont.h"
#include "reports/export/rpRTFExport.h"
#include "reports/export/vzExportFilter.h"
#include "reports/export/vzGraphicExport.h"
#include "reports/export/vzHTMLExport.h"
#include "reports/export/vzMetafile.h"
#include "reports/export/vzPDFExport.h"
#include "reports/export/vzRTFExport.h"
#include "reports/objects/rpCheckBoxView.h"
#include "reports/objects/rpShapeView.h"
#include "tests/support/PinnedFont.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestOutput.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QTimeZone>
#include <QtCore/QtEndian>
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <charconv>

namespace {

const QStringList kNames{QStringLiteral("Čierny Ďuro"),    QStringLiteral("Ľubomír Ĺžka"),
                         QStringLiteral("Ňachaj Ôndrej"),  QStringLiteral("Ŕaľo Šťastný"),
                         QStringLiteral("Ťapák Žofia"),    QStringLiteral("Kováč Ján"),
                         QStringLiteral("Nováková Mária"), QStringLiteral("Hudec Peter")};

std::unique_ptr<TrpView> Text(int x, int y, int w, int h, const QString& text, bool bold = false, int frame = 0,
                              const QString& name = {}) {
  TTestObject o{x, y, w, h, text, frame};
  o.Bold = bold;
  auto view = ExportFixture::TextView(o);
  view->Name = name.isEmpty() ? QStringLiteral("Memo%1_%2").arg(x).arg(y) : name;
  return view;
}

std::unique_ptr<TrpView> CheckBox(int x, int y, bool checked, const QString& name) {
  auto box = std::make_unique<TrpCheckBoxView>();
  box->SetBounds(x, y, 18, 18);
  box->Memo = QStringList{checked ? QStringLiteral("1") : QStringLiteral("0")};
  box->CheckStyle = TrpCheckBoxView::csCheck;
  box->FrameTyp = 15;
  box->Name = name;
  return box;
}

std::unique_ptr<TrpView> Shape(int x, int y, const QString& name) {
  auto shape = std::make_unique<TrpShapeView>();
  shape->SetBounds(x, y, 40, 30);
  shape->Shape = TrpShapeView::skEllipse;
  shape->FillColor = clRed;
  shape->Name = name;
  return shape;
}

std::unique_ptr<TrpView> Picture(int x, int y, const QString& name) {
  QImage image(24, 12, QImage::Format_RGB32);
  image.fill(Qt::blue);
  TTestObject o{x, y, 24, 12, {}};
  o.Picture = image;
  auto view = ExportFixture::TextView(o);
  view->Name = name;
  return view;
}

class PageExactExportsTest : public ExportFixture {
protected:
  // A member list over two pages: a bold title, the names, a check box, a shape and a picture.
  void AddMemberList() {
    for (int page = 0; page < 2; ++page) {
      std::vector<std::unique_ptr<TrpView>> views;
      views.push_back(Text(36, 36, 400, 24, QStringLiteral("Zoznam členov"), true, 2, QStringLiteral("Nadpis")));
      for (int i = 0; i < 4; ++i)
        views.push_back(Text(36, 80 + 20 * i, 300, 18, kNames[page * 4 + i], false, 0, QStringLiteral("Meno")));
      views.push_back(CheckBox(360, 80, true, QStringLiteral("Zaplatil")));
      views.push_back(Shape(400, 80, QStringLiteral("Ryba")));
      views.push_back(Picture(460, 80, QStringLiteral("Znak")));
      AddViewsPage(std::move(views));
    }
  }
};

// --- the frame

TEST_F(PageExactExportsTest, FileNamesAndTextFitting) {
  EXPECT_EQ(PageFileName(QStringLiteral("/out/report.htm"), 2, QStringLiteral("htm")),
            QStringLiteral("report0002.htm"));
  EXPECT_EQ(ImageFileName(QStringLiteral("/out/report.htm"), 7, QStringLiteral("jpg")),
            QStringLiteral("report_I0007.jpg"));
  EXPECT_EQ(FitText(QStringLiteral("abcdefghij"), 50, 100), QStringLiteral("abcde"));
  EXPECT_EQ(FitText(QStringLiteral("abc"), 100, 100), QStringLiteral("abc"));
  EXPECT_EQ(PosFrom(QStringLiteral("b"), QStringLiteral("abcb"), 3), 4);
  EXPECT_EQ(ReplaceAllText(QStringLiteral("aXbxc"), QStringLiteral("x"), QStringLiteral("-")), QStringLiteral("a-b-c"));
  EXPECT_EQ(ColorToHex(clRed), QStringLiteral("FF0000"));
}

// Collects the items of a page without writing anything.
class TItemProbe : public TVezoExportFilter {
public:
  void EndPage() override {
    for (const auto& item : DataItems)
      items.append(*item);
    for (const auto& line : TextItems)
      lines.append(*line);
    TVezoExportFilter::EndPage();
  }
  QList<TVezoDataRec> items;
  QList<TVezoTextRec> lines;
};

TEST_F(PageExactExportsTest, ItemsOfAPage) {
  std::vector<std::unique_ptr<TrpView>> views;
  for (const int alignment : {0, 1, 2, 3, 8, 9, 10, 11, 16, 17, 18, 19, 4}) {
    auto view = Text(0, alignment * 20, 100, 18, QStringLiteral("a"));
    static_cast<TrpMemoView*>(view.get())->Alignment = alignment;
    views.push_back(std::move(view));
  }
  views.push_back(CheckBox(0, 300, false, QStringLiteral("Nie")));
  views.push_back(CheckBox(0, 320, true, QStringLiteral("Ano")));
  // 30 characters at 10 pixels are 300 pixels: a 100-pixel object keeps its first 10 (with the "W": 310 to 100).
  views.push_back(
      Text(0, 340, 100, 18, QStringLiteral("123456789012345678901234567890"), false, 0, QStringLiteral("Dlhy")));
  // Only 18 - 16 pixels of this line lie inside its object: less than 80 % of a line.
  auto cut = Text(0, 400, 100, 4, QStringLiteral("orezany"));
  views.push_back(std::move(cut));
  views.push_back(Shape(200, 0, QStringLiteral("Ryba")));
  AddViewsPage(std::move(views));
  AddViewsPage([] {
    std::vector<std::unique_ptr<TrpView>> next;
    next.push_back(Shape(0, 0, QStringLiteral("Ryba")));
    next.push_back(Text(0, 40, 100, 18, QStringLiteral("b"), false, 0, QStringLiteral("Novy")));
    return next;
  }());

  TItemProbe probe;
  probe.ShowDialog = false;
  ASSERT_TRUE(report.ExportToFile(&probe, Path(QStringLiteral("sonda.bin"))));
  QList<int> flags;
  for (int i = 0; i < 13; ++i)
    flags.append(probe.items[i].AlignFlags);
  EXPECT_EQ(flags, (QList<int>{5, 6, 36, 20, 65, 66, 96, 80, 9, 10, 40, 24, 0}));
  EXPECT_TRUE(probe.items[12].Rotated);
  const auto byName = [&probe](const QString& name) -> const TVezoDataRec* {
    for (const TVezoDataRec& item : probe.items)
      if (item.ViewName == name) return &item;
    return nullptr;
  };
  // An unchecked box keeps its frame, without a mark.
  ASSERT_TRUE(byName(QStringLiteral("Nie")));
  EXPECT_TRUE(byName(QStringLiteral("Nie"))->Text.isEmpty());
  EXPECT_EQ(byName(QStringLiteral("Nie"))->FrameTyp, 15);
  ASSERT_TRUE(byName(QStringLiteral("Ano")));
  EXPECT_TRUE(byName(QStringLiteral("Ano"))->Symbol);
  EXPECT_EQ(byName(QStringLiteral("Ano"))->Text, QString(QChar(char16_t(kSymbolCheck))));
  EXPECT_EQ(byName(QStringLiteral("Dlhy"))->Text, QStringLiteral("1234567890\r\n"));
  QStringList texts;
  for (const TVezoTextRec& line : probe.lines)
    texts.append(line.Text);
  EXPECT_FALSE(texts.contains(QStringLiteral("orezany"))) << "a line mostly outside its object";
  EXPECT_EQ(texts.count(QString(QChar(char16_t(kSymbolCheck)))), 1) << "only the checked box has a mark";
  // The shape is a picture item; its name keeps its index on the next page.
  const TVezoDataRec* fish = byName(QStringLiteral("Ryba"));
  ASSERT_TRUE(fish);
  EXPECT_EQ(fish->Picture.size(), QSize(40, 30));
  const TVezoDataRec& nextFish = probe.items[probe.items.size() - 2];
  EXPECT_EQ(nextFish.ViewName, QStringLiteral("Ryba"));
  EXPECT_EQ(nextFish.NameIndex, fish->NameIndex);

  // 192 dots an inch double every picture's pixels.
  TItemProbe sharp;
  sharp.ShowDialog = false;
  sharp.ImageDPI = 192;
  ASSERT_TRUE(report.ExportToFile(&sharp, Path(QStringLiteral("sonda.bin"))));
  for (const TVezoDataRec& item : sharp.items) {
    if (item.ViewName == QLatin1String("Ryba")) {
      EXPECT_EQ(item.Picture.size(), QSize(80, 60));
    }
  }
}

// --- PDF

QString ReaderOutput(const QString& program, const QStringList& arguments, int* code = nullptr) {
  QString output;
  const int result = RunProgram(program, arguments, &output);
  if (code) *code = result;
  return output;
}

TEST_F(PageExactExportsTest, PdfIsReadWithItsLettersAndFonts) {
  AddMemberList();
  report.Title = QStringLiteral("Zoznam členov");
  TVezoPDFExport filter;
  const QByteArray pdf = Export(filter, QStringLiteral("clenovia.pdf"));
  ASSERT_TRUE(pdf.startsWith("%PDF-1.3"));
  const QString file = Path(QStringLiteral("clenovia.pdf"));
  int code = 0;
  const QString check = ReaderOutput(QStringLiteral("qpdf"), {QStringLiteral("--check"), file}, &code);
  if (code == -1) GTEST_SKIP() << "qpdf is not installed";
  EXPECT_EQ(code, 0) << check.toStdString();
  const QString text = ReaderOutput(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
  for (const QString& name : kNames)
    EXPECT_TRUE(text.contains(name)) << name.toStdString() << " in\n" << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("Zoznam členov")));
  const QString fonts = ReaderOutput(QStringLiteral("pdffonts"), {file});
  const QRegularExpression arial(QStringLiteral("^Arial\\s+TrueType\\s+\\S+\\s+no\\s+no"),
                                 QRegularExpression::MultilineOption);
  const QRegularExpression arialBold(QStringLiteral("^Arial,Bold\\s+TrueType\\s+\\S+\\s+no\\s+no"),
                                     QRegularExpression::MultilineOption);
  EXPECT_TRUE(arial.match(fonts).hasMatch()) << fonts.toStdString();
  EXPECT_TRUE(arialBold.match(fonts).hasMatch()) << fonts.toStdString();
  const QString info = ReaderOutput(QStringLiteral("pdfinfo"), {file});
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2")))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Zoznam členov\n")))) << info.toStdString();
  // The first page as a picture for a person to look at.
  RunProgram(QStringLiteral("pdftoppm"),
             {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"), QStringLiteral("-singlefile"), file,
              TestOutputPath(QStringLiteral("clenovia-pdf"))});
}

} // namespace

namespace {

// --- RTF

TEST_F(PageExactExportsTest, RtfIsReadByOfficeWithItsWordsAndLetters) {
  AddMemberList();
  TVezoRTFExport filter;
  filter.Title = QStringLiteral("Členovia {2026}");
  const QByteArray rtf = Export(filter, QStringLiteral("clenovia.rtf"));
  QFile::remove(TestOutputPath(QStringLiteral("clenovia.rtf")));
  QFile::copy(Path(QStringLiteral("clenovia.rtf")), TestOutputPath(QStringLiteral("clenovia.rtf")));
  ASSERT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1250"));
  EXPECT_TRUE(rtf.contains("{\\title \\'c8lenovia \\{2026\\}}")) << "the document information is escaped";
  EXPECT_EQ(rtf.count("\\page}\r\n"), 1);
  EXPECT_TRUE(rtf.contains("\\par}\r\n}"));
  if (!OfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  // Its positioned paragraphs are read through the page LibreOffice lays out.
  const QByteArray pdf =
      ConvertWithOffice(Path(QStringLiteral("clenovia.rtf")), QStringLiteral("pdf"), Path(QStringLiteral("pdf")));
  ASSERT_FALSE(pdf.isEmpty());
  const QString pdfFile = Path(QStringLiteral("pdf/clenovia.pdf"));
  const QString firstPage = ReaderOutput(QStringLiteral("pdftotext"),
                                         {QStringLiteral("-l"), QStringLiteral("1"), pdfFile, QStringLiteral("-")});
  const QString secondPage = ReaderOutput(QStringLiteral("pdftotext"),
                                          {QStringLiteral("-f"), QStringLiteral("2"), pdfFile, QStringLiteral("-")});
  for (int i = 0; i < kNames.size(); ++i)
    EXPECT_TRUE((i < 4 ? firstPage : secondPage).contains(kNames[i]))
        << kNames[i].toStdString() << " on its page in\n"
        << firstPage.toStdString() << secondPage.toStdString();
  RunProgram(QStringLiteral("pdftoppm"),
             {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
              Path(QStringLiteral("pdf/clenovia.pdf")), TestOutputPath(QStringLiteral("clenovia-rtf"))});
}

// --- HTML

TEST_F(PageExactExportsTest, HtmlPagesLinkEachOther) {
  for (int page = 1; page <= 3; ++page) {
    std::vector<std::unique_ptr<TrpView>> views;
    views.push_back(Text(36, 36, 300, 18, QStringLiteral("Strana %1 <b> & \"úvodzovky\"").arg(page)));
    views.push_back(Picture(36, 80, QStringLiteral("Znak%1").arg(page)));
    AddViewsPage(std::move(views));
  }
  TVezoHTMLExport filter;
  filter.ImageDir = QStringLiteral("img");
  const QString first = QString::fromLatin1(Export(filter, QStringLiteral("report.htm")));
  const QString second = QString::fromLatin1(ReadFile(Path(QStringLiteral("report0002.htm"))));
  const QString third = QString::fromLatin1(ReadFile(Path(QStringLiteral("report0003.htm"))));
  ASSERT_FALSE(second.isEmpty());
  ASSERT_FALSE(third.isEmpty());
  EXPECT_TRUE(QFile::exists(Path(QStringLiteral("img/report_I0001.jpg"))));
  EXPECT_TRUE(first.contains(QStringLiteral("<IMG SRC=\"img/report_I0001.jpg\"")));
  // Page 1 has no target for First and Previous; page 2 has all four.
  EXPECT_TRUE(first.contains(QStringLiteral("<A TITLE=\"First\">")) &&
              first.contains(QStringLiteral("<A TITLE=\"Previous\">")));
  EXPECT_TRUE(first.contains(QStringLiteral("<A HREF=\"report0002.htm\" TITLE=\"Next\">")));
  EXPECT_TRUE(first.contains(QStringLiteral("<A HREF=\"report0003.htm\" TITLE=\"Last\">")));
  EXPECT_EQ(second.count(QStringLiteral("<A HREF=")), 4) << second.toStdString();
  EXPECT_TRUE(third.contains(QStringLiteral("<A TITLE=\"Next\">")));
  EXPECT_TRUE(first.contains(QStringLiteral("charset=windows-1250")));
  // The arrows of the links are characters that common fonts draw.
  EXPECT_TRUE(first.contains(QStringLiteral("<A TITLE=\"First\">&#9650;</A>"))) << first.toStdString();
  const QFontMetrics dejaVu(QFont(QStringLiteral("DejaVu Sans")));
  for (const quint8 code : {kSymbolArrowLeft, kSymbolArrowRight, kSymbolArrowUp, kSymbolArrowDown})
    EXPECT_TRUE(dejaVu.inFont(rpSymbolChar(code))) << int(code);
  // Report text reads literally.
  EXPECT_TRUE(first.contains(QStringLiteral("Strana&nbsp;1&nbsp;&lt;b&gt;&nbsp;&amp;&nbsp;&quot;")));
  for (const QString& file :
       {QStringLiteral("report.htm"), QStringLiteral("report0002.htm"), QStringLiteral("report0003.htm")}) {
    QString output;
    const int code =
        RunProgram(QStringLiteral("tidy"), {QStringLiteral("-e"), QStringLiteral("-q"), Path(file)}, &output);
    if (code == -1) GTEST_SKIP() << "tidy is not installed";
    EXPECT_LT(code, 2) << file.toStdString() << "\n" << output.toStdString();
  }
}

TEST_F(PageExactExportsTest, HtmlStacksPagesInOneFile) {
  AddViewsPage([] {
    std::vector<std::unique_ptr<TrpView>> views;
    views.push_back(Text(36, 36, 300, 18, QStringLiteral("prvá")));
    return views;
  }());
  AddViewsPage([] {
    std::vector<std::unique_ptr<TrpView>> views;
    views.push_back(Text(36, 36, 300, 18, QStringLiteral("druhá")));
    return views;
  }());
  TVezoHTMLExport filter;
  filter.SeparateFilePerPage = false;
  const QString html = QString::fromLatin1(Export(filter, QStringLiteral("spolu.htm")));
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("spolu0002.htm"))));
  EXPECT_EQ(html.count(QStringLiteral("</BODY>")), 1);
  EXPECT_EQ(html.count(QStringLiteral("<HR SIZE=2")), 2);
  // The second page's line lies one page height and two pixels lower.
  const QRegularExpression top(QStringLiteral("top: (\\d+)px[^>]*>([^<]*)</DIV>"));
  QMap<QString, int> tops;
  for (auto it = top.globalMatch(html); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    tops.insert(match.captured(2), match.captured(1).toInt());
  }
  const int offset = rpRoundEven(vzPaperInches(report.EMFPages.GetPage(0)).height() * ScreenPixelsPerInch() + 2);
  ASSERT_TRUE(tops.contains(QStringLiteral("prv\xe1")) && tops.contains(QStringLiteral("druh\xe1")))
      << html.toStdString();
  EXPECT_EQ(tops.value(QStringLiteral("druh\xe1")) - tops.value(QStringLiteral("prv\xe1")), offset);
  QString output;
  const int code = RunProgram(QStringLiteral("tidy"),
                              {QStringLiteral("-e"), QStringLiteral("-q"), Path(QStringLiteral("spolu.htm"))}, &output);
  if (code != -1) {
    EXPECT_LT(code, 2) << output.toStdString();
  }
}

// --- metafiles

TEST_F(PageExactExportsTest, MetafilesHaveAPageEach) {
  for (int page = 1; page <= 3; ++page) {
    std::vector<std::unique_ptr<TrpView>> views;
    views.push_back(Text(36, 36, 300, 18, QStringLiteral("Strana %1 Čierny Ďuro").arg(page), true, 15));
    views.push_back(Shape(36, 80, QStringLiteral("Ryba")));
    AddViewsPage(std::move(views), page == 2);
  }
  TVezoEMFExport emf;
  Export(emf, QStringLiteral("pages.emf"));
  EXPECT_EQ(emf.PageFiles, (QStringList{Path(QStringLiteral("pages.emf")), Path(QStringLiteral("pages0002.emf")),
                                        Path(QStringLiteral("pages0003.emf"))}));
  for (const QString& file : emf.PageFiles)
    EXPECT_TRUE(ReadFile(file).mid(40, 4) == QByteArray(" EMF")) << file.toStdString();
  TVezoWMFExport wmf;
  Export(wmf, QStringLiteral("pages.wmf"));
  EXPECT_TRUE(ReadFile(Path(QStringLiteral("pages0003.wmf"))).startsWith("\xd7\xcd\xc6\x9a"));
  QFile::remove(TestOutputPath(QStringLiteral("pages.wmf")));
  QFile::copy(Path(QStringLiteral("pages.wmf")), TestOutputPath(QStringLiteral("pages.wmf")));
  if (!OfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  for (const QString& name :
       {QStringLiteral("pages.emf"), QStringLiteral("pages0002.emf"), QStringLiteral("pages.wmf")}) {
    const QByteArray png = ConvertWithOffice(Path(name), QStringLiteral("png"), Path(name + QStringLiteral("-png")));
    QImage image;
    ASSERT_TRUE(image.loadFromData(png)) << name.toStdString();
    // The page's text and the red fish are on the picture.
    int red = 0, dark = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
        dark += c.red() < 80 && c.green() < 80 && c.blue() < 80;
      }
    EXPECT_GT(red, 100) << name.toStdString();
    EXPECT_GT(dark, 100) << name.toStdString();
    image.save(TestOutputPath(name + QStringLiteral(".png")));
  }
  QString svg;
  const int code = RunProgram(QStringLiteral("wmf2svg"), {Path(QStringLiteral("pages.wmf"))}, &svg);
  if (code != -1) {
    EXPECT_EQ(code, 0) << svg.toStdString();
    EXPECT_TRUE(svg.contains(QStringLiteral("<svg"))) << svg.left(400).toStdString();
  }
}

TEST_F(PageExactExportsTest, MetafileScalesAndEachPageItsOwnSize) {
  AddPage({{36, 36, 100, 18, QStringLiteral("na výšku")}});
  AddPage({{36, 36, 100, 18, QStringLiteral("na šírku")}}, true);
  TVezoEMFExport emf;
  emf.ScaleX = 2;
  emf.ScaleY = 0.5;
  Export(emf, QStringLiteral("mierka.emf"));
  const auto frameSize = [](const QByteArray& file) -> QSize {
    const auto at = [&file](int offset) { return qFromLittleEndian<qint32>(file.constData() + offset); };
    return QSize(at(16) - at(8) + 1, at(20) - at(12) + 1); // the bounds hold their last pixel
  };
  // A4 at 96 pixels an inch is 793.7 × 1122.5 pixels.
  EXPECT_EQ(frameSize(ReadFile(Path(QStringLiteral("mierka.emf")))), QSize(1587, 561));
  EXPECT_EQ(frameSize(ReadFile(Path(QStringLiteral("mierka0002.emf")))), QSize(2245, 397))
      << "the landscape page keeps its own size";
}

} // namespace

namespace {

// --- PDF in detail

class PdfDetailTest : public PageExactExportsTest {
protected:
  // A fixed clock one hour east of UTC.
  static QDateTime FixedNow() { return QDateTime(QDate(2026, 7, 1), QTime(9, 30), QTimeZone(3600)); }
  // Uncompressed, so that the page's operators can be read in the file.
  QByteArray Run(TVezoPDFExport& filter) {
    filter.Now = FixedNow;
    filter.UseCompression = false;
    return Export(filter, QStringLiteral("detail.pdf"));
  }
};

TEST_F(PdfDetailTest, EdgeCasesMatchTheirGoldenBytes) {
  const QString family = PinnedFontFamily();
  std::vector<std::unique_ptr<TrpView>> views;
  auto text = Text(36, 36, 300, 18, QStringLiteral("a(b)\\c č"));
  static_cast<TrpMemoView*>(text.get())->Font.Name = family;
  views.push_back(std::move(text));
  auto boxed = Text(36, 60, 100, 18, QString());
  boxed->FrameTyp = 15;
  boxed->FillColor = clYellow;
  views.push_back(std::move(boxed));
  auto topOnly = Text(36, 90, 100, 18, QString());
  topOnly->FrameTyp = 8;
  views.push_back(std::move(topOnly));
  QImage twoByOne(2, 1, QImage::Format_RGB32);
  twoByOne.setPixel(0, 0, qRgb(255, 0, 0));
  twoByOne.setPixel(1, 0, qRgb(0, 0, 255));
  TTestObject picture{200, 36, 2, 1, {}};
  picture.Picture = twoByOne;
  views.push_back(TextView(picture));
  AddViewsPage(std::move(views));
  TVezoPDFExport filter;
  filter.Title = QStringLiteral("Skúška (1)");
  const QByteArray pdf = Run(filter);
  ExpectGolden(pdf, QStringLiteral("pdf_edge_cases.pdf"));
  // The 2 × 1 picture is six bytes of red, green and blue, without a filter.
  EXPECT_TRUE(pdf.contains("/Width 2/Height 1/BitsPerComponent 8/ColorSpace/DeviceRGB/Length 6\r\n>>\r\nstream\r\n"
                           "\xff\x00\x00\x00\x00\xff\r\nendstream"));
  EXPECT_TRUE(pdf.contains("(a\\(b\\)\\\\c \xe8) Tj")) << "escaped, the letter as its 1250 byte";
  EXPECT_TRUE(pdf.contains(" re\rS\r")) << "a full frame is one rectangle";
  EXPECT_TRUE(pdf.contains("0 w\r\r"));
  EXPECT_TRUE(pdf.contains("/CreationDate (D:20260701093000+01'00')"));
  EXPECT_TRUE(pdf.contains("/Title <FEFF0053006B00FA0161006B00610020002800310029>")) << "the title in UTF-16";
  // Every object has its 20-byte entry.
  const qsizetype xref = pdf.lastIndexOf("\r\nxref\r\n") + 2;
  const QList<QByteArray> head = pdf.mid(xref).split('\n');
  const int count = head[1].trimmed().split(' ')[1].toInt();
  const qsizetype trailer = pdf.indexOf("trailer", xref);
  EXPECT_EQ(trailer - (xref + 6 + head[1].size() + 1), 20 * count);
  if (RunProgram(QStringLiteral("qpdf"), {QStringLiteral("--check"), Path(QStringLiteral("detail.pdf"))}) != -1) {
    EXPECT_EQ(RunProgram(QStringLiteral("qpdf"), {QStringLiteral("--check"), Path(QStringLiteral("detail.pdf"))}), 0);
  }
}

TEST_F(PdfDetailTest, FontsImagesAndFrames) {
  std::vector<std::unique_ptr<TrpView>> views;
  for (const auto& [size, bold] : {std::pair{8, false}, std::pair{12, false}, std::pair{10, true}}) {
    auto text = Text(36, 36 + 20 * size, 300, 18, QStringLiteral("Arial %1").arg(size), bold, 15);
    static_cast<TrpMemoView*>(text.get())->Font.Size = size;
    views.push_back(std::move(text));
  }
  views.push_back(Picture(36, 400, QStringLiteral("Znak")));
  AddViewsPage(std::move(views));
  TVezoPDFExport filter;
  filter.SetExportImageFormat(ifJPG);
  filter.SetExportImageFormat(ifGIF); // refused
  EXPECT_EQ(filter.ExportImageFormat, ifJPG);
  const QByteArray pdf = Run(filter);
  EXPECT_EQ(pdf.count("/Subtype /TrueType"), 2) << "sizes 8 and 12 share one font, bold has its own";
  EXPECT_TRUE(pdf.contains("/BaseFont /Arial\r\n") && pdf.contains("/BaseFont /Arial,Bold\r\n"));
  EXPECT_TRUE(pdf.contains("/Filter/DCTDecode"));
  EXPECT_TRUE(pdf.contains("/Differences [128 /Euro"));
  EXPECT_TRUE(pdf.contains("/Count 1\r\n"));

  TVezoPDFExport plain;
  plain.ExportFrames = false;
  const QByteArray noFrames = Run(plain);
  EXPECT_FALSE(noFrames.contains(" RG\r") || noFrames.contains(" re f") || noFrames.contains(" re\r"))
      << "no frame operators without frames";
  EXPECT_TRUE(noFrames.contains("/Img0 Do")) << "pictures stay without frames";
}

// Coordinates are written with four decimals as the exact binary value rounds,
// also where the fifth decimal is a five that the value lies just above or below.
TEST(PdfNumbers, RoundAsTheExactValue) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{0, "0.0000"},         {-0.00004, "0.0000"},        {-0.0, "0.0000"},
               {12, "12.0000"},       {-3.5, "-3.5000"},           {0.00005, "0.0001"},
               {-0.00005, "-0.0001"}, {0.00015, "0.0001"},         {1.00005, "1.0001"},
               {2.00025, "2.0002"},   {28.28905, "28.2890"},       {123456.78905, "123456.7891"},
               {0.1 + 0.2, "0.3000"}, {1e11, "100000000000.0000"}, {1e20, "100000000000000000000.0000"}};
  for (const auto& c : cases)
    EXPECT_EQ(TVezoPDFExport::FormatNumber(c.value), QByteArray(c.text)) << c.value;
  // Values as pages give them (report units to points, halves of ten-thousandths), against the exact conversion.
  for (int step = -200000; step <= 200000; step += 7) {
    for (const double value : {step / 20000.0, step * 0.75 / 96 * 72, step / 10000.0 + 0.00005, step * 1.0000001}) {
      char digits[64];
      const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 4).ptr;
      QByteArray exact(digits, end - digits);
      if (exact == "-0.0000") exact = "0.0000";
      ASSERT_EQ(TVezoPDFExport::FormatNumber(value), exact) << value;
    }
  }
}

TEST_F(PdfDetailTest, AReportWithoutTextStillDeclaresArial) {
  AddViewsPage({});
  TVezoPDFExport filter;
  const QByteArray pdf = Run(filter);
  EXPECT_TRUE(pdf.contains("/F0 ") && pdf.contains("/BaseFont /Arial\r\n"));
  EXPECT_TRUE(pdf.contains("0 obj\r\n0\r\nendobj")) << "the empty page's length is 0";
}

// --- the paper: every page-exact export gives a page the size its template names

struct TPaperCase {
  const char* name;
  TTestPaper paper;
  double widthPt, heightPt; // the paper's true size
};
const TPaperCase kPapers[] = {
    {"A4", {9}, 595.28, 841.89},
    {"A4 na šírku", {9, 0, 0, true}, 841.89, 595.28},
    {"vlastný 150 × 100 mm", {256, 1500, 1000}, 425.20, 283.46},
    {"Letter", {1}, 612, 792},
    {"A5", {11}, 419.53, 595.28},
};
// Two inches from the paper's left and top edges in report units.
constexpr int kTwoInches = 183;

class PaperSizeTest : public PageExactExportsTest {
protected:
  void AddPaper(const TPaperCase& c) {
    std::vector<std::unique_ptr<TrpView>> views;
    views.push_back(
        Text(kTwoInches, kTwoInches, 300, 18, QStringLiteral("Dvapalce %1").arg(QString::fromUtf8(c.name))));
    AddPaperPage(c.paper, std::move(views));
  }
  // The size of each page in points as pdfinfo reads it.
  static QList<QSizeF> PdfPageSizes(const QString& file, int pages) {
    const QString info = ReaderOutput(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                                  QStringLiteral("-l"), QString::number(pages), file});
    QList<QSizeF> sizes;
    const QRegularExpression size(QStringLiteral("Page\\s+\\d+ size:\\s+([\\d.]+) x ([\\d.]+) pts"));
    for (auto it = size.globalMatch(info); it.hasNext();) {
      const QRegularExpressionMatch match = it.next();
      sizes.append(QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()));
    }
    return sizes;
  }
  // Where pdftotext finds the word on its page (points from the top-left corner).
  static QPointF WordAt(const QString& file, int page, const QString& word) {
    const QString boxes = ReaderOutput(QStringLiteral("pdftotext"),
                                       {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                                        QStringLiteral("-l"), QString::number(page), file, QStringLiteral("-")});
    const QRegularExpression box(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>%1<").arg(word));
    const QRegularExpressionMatch match = box.match(boxes);
    return match.hasMatch() ? QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QPointF(-1, -1);
  }
};

TEST_F(PaperSizeTest, PdfPagesHaveTheirPapersSizeAndObjectsTheirPlace) {
  for (const TPaperCase& c : kPapers)
    AddPaper(c);
  TVezoPDFExport filter;
  Export(filter, QStringLiteral("papiere.pdf"));
  const QString file = Path(QStringLiteral("papiere.pdf"));
  const int pages = int(std::size(kPapers));
  const QList<QSizeF> sizes = PdfPageSizes(file, pages);
  if (sizes.isEmpty()) GTEST_SKIP() << "pdfinfo is not installed";
  ASSERT_EQ(sizes.size(), pages);
  for (int i = 0; i < pages; ++i) {
    SCOPED_TRACE(kPapers[i].name);
    EXPECT_NEAR(sizes[i].width(), kPapers[i].widthPt, 0.5);
    EXPECT_NEAR(sizes[i].height(), kPapers[i].heightPt, 0.5);
    // The text's object starts two inches (144 points) in; the text's box lies a little inside it.
    const QPointF word = WordAt(file, i + 1, QStringLiteral("Dvapalce"));
    EXPECT_NEAR(word.x(), 144, 1.5);
    EXPECT_NEAR(word.y(), 144, 4);
  }
}

TEST_F(PaperSizeTest, RtfPaperIsTheTemplatesInWriter) {
  if (!OfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  for (const TPaperCase& c : {kPapers[0], kPapers[1], kPapers[2]}) {
    SCOPED_TRACE(c.name);
    report.EMFPages.Clear();
    AddPaper(c);
    TVezoRTFExport filter;
    Export(filter, QStringLiteral("papier.rtf"));
    const QString out = Path(QStringLiteral("rtf-%1").arg(&c - kPapers));
    ASSERT_FALSE(ConvertWithOffice(Path(QStringLiteral("papier.rtf")), QStringLiteral("pdf"), out).isEmpty());
    const QString pdf = out + QStringLiteral("/papier.pdf");
    const QList<QSizeF> sizes = PdfPageSizes(pdf, 1);
    ASSERT_EQ(sizes.size(), 1);
    EXPECT_NEAR(sizes[0].width(), c.widthPt, 0.5);
    EXPECT_NEAR(sizes[0].height(), c.heightPt, 0.5);
    const QPointF word = WordAt(pdf, 1, QStringLiteral("Dvapalce"));
    EXPECT_NEAR(word.x(), 144, 2);
    EXPECT_NEAR(word.y(), 144, 4);
  }
}

TEST_F(PaperSizeTest, HtmlPagesStackAtTheirPapersHeight) {
  for (const TPaperCase& c : {kPapers[0], kPapers[1], kPapers[2]}) {
    SCOPED_TRACE(c.name);
    report.EMFPages.Clear();
    AddPaper(c);
    AddPaper(c);
    TVezoHTMLExport filter;
    filter.SeparateFilePerPage = false;
    const QString html = QString::fromLatin1(Export(filter, QStringLiteral("papier.htm")));
    // A CSS pixel is a 96th of an inch: the second page's text lies one paper height and two pixels lower.
    QList<int> tops, lefts;
    const QRegularExpression text(QStringLiteral("top: (\\d+)px; left: (\\d+)px[^>]*>Dvapalce"));
    for (auto it = text.globalMatch(html); it.hasNext();) {
      const QRegularExpressionMatch match = it.next();
      tops.append(match.captured(1).toInt());
      lefts.append(match.captured(2).toInt());
    }
    ASSERT_EQ(tops.size(), 2) << html.toStdString();
    EXPECT_NEAR(tops[1] - tops[0], c.heightPt / 72 * 96 + 2, 1.5);
    // The object starts two inches (192 pixels) in, its text a small gap inside.
    EXPECT_GE(lefts[0], 192);
    EXPECT_LE(lefts[0], 196);
  }
}

TEST_F(PaperSizeTest, MetafilesHaveTheirPapersSize) {
  for (const TPaperCase& c : {kPapers[0], kPapers[1], kPapers[2]})
    AddPaper(c);
  TVezoEMFExport emf;
  Export(emf, QStringLiteral("papier.emf"));
  TVezoWMFExport wmf;
  Export(wmf, QStringLiteral("papier.wmf"));
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(kPapers[i].name);
    // The enhanced metafile's frame in hundredths of a millimetre.
    const QByteArray enhanced = ReadFile(emf.PageFiles[i]);
    ASSERT_GE(enhanced.size(), 40);
    const auto at = [&enhanced](int offset) { return qFromLittleEndian<qint32>(enhanced.constData() + offset); };
    EXPECT_NEAR((at(32) - at(24)) / 100.0, kPapers[i].widthPt / 72 * 25.4, 0.5);
    EXPECT_NEAR((at(36) - at(28)) / 100.0, kPapers[i].heightPt / 72 * 25.4, 0.5);
    // The placeable metafile's bounds in its units an inch.
    const QByteArray placeable = ReadFile(wmf.PageFiles[i]);
    ASSERT_GE(placeable.size(), 22);
    const auto word = [&placeable](int offset) { return qFromLittleEndian<qint16>(placeable.constData() + offset); };
    const double perInch = qFromLittleEndian<quint16>(placeable.constData() + 14);
    EXPECT_NEAR((word(10) - word(6)) / perInch * 72, kPapers[i].widthPt, 1);
    EXPECT_NEAR((word(12) - word(8)) / perInch * 72, kPapers[i].heightPt, 1);
  }
}

// --- the document's title

TEST_F(PageExactExportsTest, DocumentTitleIsTheReportsNameWhenNoneIsSet) {
  AddPage({{36, 36, 100, 18, QStringLiteral("a")}});
  struct Case {
    QString title, name, expected;
  } const cases[] = {
      {TrpReport::kUntitled, QStringLiteral("Zoznam členov"), QStringLiteral("Zoznam členov")},
      {QStringLiteral("Výkaz úlovkov"), QStringLiteral("Zoznam členov"), QStringLiteral("Výkaz úlovkov")},
      {TrpReport::kUntitled, QString(), QStringLiteral("zostava")}, // the file exported
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected.toStdString());
    report.Title = c.title;
    report.Info.Name = c.name;
    TVezoPDFExport filter;
    Export(filter, QStringLiteral("zostava.pdf"));
    const QString info = ReaderOutput(QStringLiteral("pdfinfo"), {Path(QStringLiteral("zostava.pdf"))});
    if (info.isEmpty()) GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_TRUE(info.contains(QStringLiteral("Title:           ") + c.expected + QLatin1Char('\n')))
        << info.toStdString();
    TVezoRTFExport rtf;
    const QByteArray title = "{\\title " + rpRtfText(c.expected) + "}";
    EXPECT_TRUE(Export(rtf, QStringLiteral("zostava.rtf")).contains(title));
  }
}

// --- PDF compression

TEST_F(PageExactExportsTest, CompressedPdfReadsAsTheUncompressedOne) {
  for (int page = 0; page < 6; ++page) {
    std::vector<std::unique_ptr<TrpView>> views;
    for (int row = 0; row < 50; ++row) {
      const int number = page * 50 + row + 1;
      views.push_back(Text(36, 36 + 18 * row, 40, 18, QString::number(number), false, 15));
      views.push_back(Text(80, 36 + 18 * row, 300, 18, kNames[number % kNames.size()], false, 15));
      views.push_back(Text(380, 36 + 18 * row, 120, 18, QStringLiteral("%1,50 €").arg(number * 3), false, 15));
    }
    views.push_back(Picture(520, 36, QStringLiteral("Znak")));
    AddViewsPage(std::move(views));
  }
  const auto run = [this](bool compress, TPDFCompressionMethod level, const QString& name) {
    TVezoPDFExport filter;
    filter.UseCompression = compress;
    filter.CompressionMethod = level;
    return Export(filter, name);
  };
  const QByteArray plain = run(false, cmMaxCompress, QStringLiteral("plain.pdf"));
  EXPECT_FALSE(plain.contains("/FlateDecode")) << "unchecked, nothing is packed";
  const QString plainText =
      ReaderOutput(QStringLiteral("pdftotext"), {Path(QStringLiteral("plain.pdf")), QStringLiteral("-")});
  const QString plainFonts = ReaderOutput(QStringLiteral("pdffonts"), {Path(QStringLiteral("plain.pdf"))});
  qsizetype previous = plain.size();
  for (const TPDFCompressionMethod level : {cmFastest, cmNormal, cmMaxCompress}) {
    SCOPED_TRACE(int(level));
    const QString name = QStringLiteral("packed%1.pdf").arg(int(level));
    const QByteArray packed = run(true, level, name);
    EXPECT_EQ(packed.count("/Filter/FlateDecode"), 6 + 6) << "every page's content and its picture";
    EXPECT_LT(packed.size() * 4, plain.size());
    EXPECT_LE(packed.size(), previous) << "a higher level packs no worse";
    previous = packed.size();
    int code = 0;
    const QString check = ReaderOutput(QStringLiteral("qpdf"), {QStringLiteral("--check"), Path(name)}, &code);
    if (code == -1) GTEST_SKIP() << "qpdf is not installed";
    EXPECT_EQ(code, 0) << check.toStdString();
    EXPECT_EQ(ReaderOutput(QStringLiteral("pdftotext"), {Path(name), QStringLiteral("-")}), plainText);
    EXPECT_EQ(ReaderOutput(QStringLiteral("pdffonts"), {Path(name)}), plainFonts);
  }
  EXPECT_TRUE(plainText.contains(QStringLiteral("900,50"))) << "the last row is there";
}

// --- RTF in detail

TEST_F(PageExactExportsTest, RtfEdgeCases) {
  std::vector<std::unique_ptr<TrpView>> views;
  views.push_back(Text(36, 36, 300, 40, QStringLiteral("prvý riadok\r\ndruhý {riadok}\r\n")));
  views.push_back(Text(36, 90, 300, 18, QStringLiteral("ďalší v Arial")));
  auto otherSet = Text(36, 120, 300, 18, QStringLiteral("iná sada"));
  static_cast<TrpMemoView*>(otherSet.get())->Font.Charset = 0;
  views.push_back(std::move(otherSet));
  auto rotated = Text(36, 150, 18, 100, QStringLiteral("otočený"));
  static_cast<TrpMemoView*>(rotated.get())->Alignment = 4;
  views.push_back(std::move(rotated));
  views.push_back(Shape(300, 150, QStringLiteral("Ryba")));
  AddViewsPage(std::move(views));
  AddViewsPage({});
  TVezoRTFExport filter;
  filter.ExportImages = false;
  const QByteArray rtf = Export(filter, QStringLiteral("detail.rtf"));
  EXPECT_TRUE(rtf.contains("prv\\'fd riadok\r\n\\par druh\\'fd \\{riadok\\}\r\n")) << "the last break is dropped";
  EXPECT_TRUE(rtf.contains("{\\f0\\fnil\\fcharset238 Arial;}{\\f1\\fnil\\fcharset0 Arial;}"))
      << "one entry per font and character set";
  EXPECT_FALSE(rtf.contains("oto\\'e8en")) << "rotated text is only a picture";
  EXPECT_FALSE(rtf.contains("\\pict")) << "no pictures without images";
  EXPECT_EQ(rtf.count("{\r\n"), 2);
  EXPECT_TRUE(rtf.endsWith("\\par}\r\n}"));

  TVezoRTFExport binary;
  binary.GraphicDataInBinary = true;
  binary.SetExportImageFormat(ifBMP);
  const QByteArray bmp = Export(binary, QStringLiteral("detail.rtf"));
  EXPECT_TRUE(bmp.contains("\\wmetafile8") && !bmp.contains("\\bin")) << "bitmaps stay hexadecimal";
}

TEST_F(PageExactExportsTest, RtfRichTextFontsAndColoursAreRenumbered) {
  TVezoRTFExport::TTables tables;
  // A text object's red comes first, then a rich text with two fonts (the second numbered 12) and its own red.
  const QByteArray rich = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}"
                          "{\\f12\\fnil\\fcharset238 Courier New;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;"
                          "\\red0\\green0\\blue255;}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20\\cf1 a\\f12\\cf2 b\\cf12 c}";
  const QByteArray box = TVezoRTFExport::RichTextBox(rich, tables);
  EXPECT_FALSE(box.contains("\\rtf1") || box.contains("\\fonttbl") || box.contains("\\colortbl"));
  EXPECT_TRUE(box.contains("\\f0\\fs20\\cf1 a\\f1\\cf2 b\\cf12 c")) << box.toStdString();
  EXPECT_TRUE(box.contains("\\viewkind1"));
}

TEST_F(PageExactExportsTest, RtfBodySpillsIntoATemporaryFile) {
  for (int page = 0; page < 3; ++page)
    AddPage({{36, 36, 300, 18, QStringLiteral("Strana %1").arg(page + 1)}});
  // A temporary folder of this test's own, so no other run's files count.
  const QTemporaryDir temporary;
  const TScopedEnvironment ownTemporary("TMPDIR", temporary.path());
  TVezoRTFExport filter;
  filter.BodyLimit = 300;
  const QByteArray rtf = Export(filter, QStringLiteral("velky.rtf"));
  EXPECT_TRUE(filter.Spilled());
  EXPECT_TRUE(rtf.indexOf("Strana 1") < rtf.indexOf("Strana 2") && rtf.indexOf("Strana 2") < rtf.indexOf("Strana 3"));
  TVezoRTFExport inMemory;
  EXPECT_EQ(Export(inMemory, QStringLiteral("maly.rtf")).mid(rtf.indexOf("\\headery0")),
            rtf.mid(rtf.indexOf("\\headery0")))
      << "the spilled body reads the same";
  EXPECT_TRUE(QDir(temporary.path()).entryList({QStringLiteral("VeZO*")}).isEmpty()) << "the temporary file is gone";
}

// Cells framed on every side, on one side, on two opposite sides and on none,
// one of them filled, each with its number, as Writer draws them: each side
// is a line where the preview has it, a missing side leaves the paper white.
TEST_F(PageExactExportsTest, RtfFramesAndFillsShowInWriterWhereThePreviewHasThem) {
  struct Cell {
    int x, y, frame;
    TColor fill;
  };
  const Cell cells[] = {{108, 180, 15, clNone}, {288, 180, 8, clNone}, {468, 180, 2, clNone},
                        {108, 300, 5, clNone},  {288, 300, 0, clNone}, {468, 300, 15, clYellow},
                        {108, 420, 10, clNone}, {288, 420, 1, clNone}, {468, 420, 4, clNone}};
  const int width = 140, height = 60;
  std::vector<std::unique_ptr<TrpView>> views;
  for (const Cell& c : cells) {
    auto cell = Text(c.x, c.y, width, height, QStringLiteral("%1").arg(&c - cells), false, c.frame,
                     QStringLiteral("Bunka%1").arg(&c - cells));
    cell->FillColor = c.fill;
    views.push_back(std::move(cell));
  }
  views.push_back(Text(108, 560, 300, 18, QStringLiteral("Rámik pod textom"), false, 2, QStringLiteral("Text")));
  AddViewsPage(std::move(views));
  TVezoRTFExport filter;
  Export(filter, QStringLiteral("ramiky.rtf"));
  if (!OfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  ASSERT_FALSE(ConvertWithOffice(Path(QStringLiteral("ramiky.rtf")), QStringLiteral("pdf"), Path(QStringLiteral("pdf")))
                   .isEmpty());
  const QString pdf = Path(QStringLiteral("pdf/ramiky.pdf"));
  const QString text = ReaderOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  EXPECT_TRUE(text.contains(QStringLiteral("Rámik pod textom"))) << text.toStdString();
  for (const Cell& c : cells)
    EXPECT_TRUE(text.contains(QString::number(&c - cells))) << "the text of each cell, the filled one too";
  const int dpi = 96;
  ASSERT_EQ(
      RunProgram(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                              QStringLiteral("-singlefile"), pdf, Path(QStringLiteral("ramiky"))}),
      0);
  const QImage page(Path(QStringLiteral("ramiky.png")));
  ASSERT_FALSE(page.isNull());
  page.save(TestOutputPath(QStringLiteral("ramiky-rtf.png")));
  const auto pixels = [dpi](double units) { return units * dpi / kReportUnitsPerInch; };
  // How much of a side's middle part (a line from a to b) has a dark pixel within two pixels across it.
  const auto drawn = [&page](QPointF a, QPointF b) {
    int dark = 0, samples = 0;
    for (double t = 0.2; t <= 0.8; t += 0.02, ++samples) {
      const QPointF at = a + (b - a) * t;
      bool found = false;
      for (int d = -2; d <= 2 && !found; ++d) {
        const QPoint p =
            a.y() == b.y() ? QPoint(qRound(at.x()), qRound(at.y()) + d) : QPoint(qRound(at.x()) + d, qRound(at.y()));
        found = page.valid(p) && qGray(page.pixel(p)) < 128;
      }
      dark += found ? 1 : 0;
    }
    return double(dark) / samples;
  };
  for (const Cell& c : cells) {
    SCOPED_TRACE(QStringLiteral("frame %1 at %2, %3").arg(c.frame).arg(c.x).arg(c.y).toStdString());
    const double l = pixels(c.x), t = pixels(c.y), r = pixels(c.x + width), b = pixels(c.y + height);
    const struct {
      int flag;
      const char* side;
      QPointF a, b;
    } sides[] = {{8, "top", {l, t}, {r, t}},
                 {1, "right", {r, t}, {r, b}},
                 {2, "bottom", {l, b}, {r, b}},
                 {4, "left", {l, t}, {l, b}}};
    for (const auto& side : sides) {
      if (c.frame & side.flag)
        EXPECT_GT(drawn(side.a, side.b), 0.9) << side.side << " is drawn";
      else
        EXPECT_LT(drawn(side.a, side.b), 0.1) << side.side << " is not drawn";
    }
    const QColor middle = page.pixelColor(QPointF((l + r) / 2, (t + b) / 2).toPoint());
    if (c.fill == clYellow)
      EXPECT_TRUE(middle.red() > 200 && middle.green() > 200 && middle.blue() < 80) << middle.name().toStdString();
    else
      EXPECT_EQ(middle, QColor(Qt::white));
  }
  // The line under the page's last text lies over that text's paragraph too.
  EXPECT_GT(drawn(QPointF(pixels(108), pixels(578)), QPointF(pixels(408), pixels(578))), 0.9);
}

// --- HTML in detail

TEST_F(PageExactExportsTest, HtmlOnePageHasNoNavigator) {
  AddPage({{36, 36, 300, 18, QStringLiteral("sama")}});
  TVezoHTMLExport filter;
  const QString html = QString::fromLatin1(Export(filter, QStringLiteral("jedna.htm")));
  EXPECT_FALSE(html.contains(QStringLiteral("<SCRIPT")) || html.contains(QStringLiteral("PsNavigator")));
  EXPECT_FALSE(html.contains(QStringLiteral("initNavigator")));
}

} // namespace
