#include "ExportFixture.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/ui/rpQtPrinter.h"
#include "reports/export/vzGraphicExport.h"
#include "reports/export/vzHTMLExport.h"
#include "reports/export/vzPDFExport.h"
#include "reports/export/vzRTFExport.h"
#include "reports/objects/rpBarCodeView.h"
#include "reports/objects/rpCheckBoxView.h"
#include "tests/support/QStringPrinter.h"
#include "tests/support/TestOutput.h"
#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QScopeGuard>
#include <QtCore/QStandardPaths>
#include <QtGui/QPainter>

// Barcodes and check boxes as a person sees them on paper, in the preview
// and in the files of the page-exact exports.

namespace {

bool Installed(const char* program) { return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty(); }

// What a scanner reads from the picture: zbarimg's raw output.
QString Scanned(const QImage& image, const QString& folder, const QString& name) {
  const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
  image.save(file);
  QProcess reader;
  reader.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), file});
  if (!reader.waitForFinished(60000)) return QStringLiteral("<timeout>");
  return QString::fromUtf8(reader.readAllStandardOutput()).trimmed();
}

// The first page of a PDF as poppler renders it at the resolution.
QImage Rendered(const QString& pdf, int dpi) {
  const QString stem = pdf + QStringLiteral("-page");
  RunProgram(QStringLiteral("pdftoppm"),
             {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), QStringLiteral("-singlefile"),
              QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf, stem});
  return QImage(stem + QStringLiteral(".png"));
}

bool Dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 110; }

// The widths of the dark and light runs along a line through the image,
// from the first dark pixel to the last.
QList<int> Runs(const QImage& image, bool horizontal, int at) {
  const int length = horizontal ? image.width() : image.height();
  QList<int> runs;
  int first = -1, last = -1;
  for (int i = 0; i < length; ++i)
    if (horizontal ? Dark(image, i, at) : Dark(image, at, i)) {
      if (first < 0) first = i;
      last = i;
    }
  if (first < 0) return runs;
  bool dark = true;
  int run = 0;
  for (int i = first; i <= last; ++i) {
    const bool d = horizontal ? Dark(image, i, at) : Dark(image, at, i);
    if (d != dark) {
      runs.append(run);
      run = 0;
      dark = d;
    }
    ++run;
  }
  runs.append(run);
  return runs;
}

// The element widths of the generator's pattern, in modules.
QList<int> PatternWidths(TrpBarCodeView& bar) {
  QList<int> widths;
  const QList<TrpBarcode::TElement> elements = bar.Generator.Elements();
  for (const TrpBarcode::TElement& element : elements) {
    const QRect r = element.Corners.boundingRect();
    widths.append(bar.Horizontal() ? r.width() : r.height());
  }
  return widths;
}

class ObjectsOnPaper : public ExportFixture {
protected:
  // One page with the object at (x, y); the page's size in report pixels.
  QSize AddObjectPage(std::unique_ptr<TrpView> view) {
    std::vector<std::unique_ptr<TrpView>> views;
    views.push_back(std::move(view));
    AddViewsPage(std::move(views));
    const TrpEMFPage& page = report.EMFPages.GetPage(report.EMFPages.Count() - 1);
    return QSize(page.PrnInfo.Width, page.PrnInfo.Height);
  }

  // The page as the preview shows it at the zoom.
  QImage PreviewGrab(QSize page, double zoom) {
    QImage image(QSize(int(page.width() * zoom), int(page.height() * zoom)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    report.EMFPages.GetPage(0).Visible = true;
    report.EMFPages.Draw(0, &painter, image.rect());
    return image;
  }

  // The report printed on the virtual printer into a PDF file.
  bool PrintToPdf(const QString& pdf) {
    TrpGlobals& g = rpGlobals();
    auto restore = qScopeGuard([&g] { g.OpenPrintDevice = {}; });
    g.OpenPrintDevice = [](const QString& fileName) -> std::unique_ptr<TrpPrintDevice> {
      return std::make_unique<TrpQtPrintDevice>(fileName);
    };
    report.PrintFileName = pdf;
    return report.PrintPages(QString(), 1, true, 0);
  }
};

TEST_F(ObjectsOnPaper, TheBarcodeObjectScansToItsValueInThePreviewThePrintAndThePdf) {
  if (!Installed("zbarimg") || !Installed("pdftoppm")) GTEST_SKIP() << "zbar-tools or poppler-utils is not installed";
  const struct {
    quint8 type;
    const char* value;
    double zoom, rotation;
  } cases[] = {
      {bcCode39, "VIMEK-42", 1, 0}, {bcCode128B, "Clen 42a", 2, 0}, {bcCode128B, "Kapor 73", 1, 90},
      {bcCode39, "ZO 12", 2, 90},   {bcCode128B, "Sumec", 1, 180},  {bcCode128C, "20240731", 1.5, 270},
  };
  for (const auto& c : cases) {
    const QString value = QString::fromLatin1(c.value);
    const QString name = QStringLiteral("kod-%1-%2-%3").arg(c.type).arg(c.zoom).arg(c.rotation);
    SCOPED_TRACE(name.toStdString());
    report.EMFPages.Clear();
    auto bar = std::make_unique<TrpBarCodeView>();
    bar->Name = QStringLiteral("Kod");
    bar->Memo = {value};
    bar->BarType = c.type;
    bar->CheckSum = false;
    bar->Zoom = c.zoom;
    bar->Rotation = c.rotation;
    bar->SetBounds(60, 60, 200, 60);
    if (c.rotation == 90 || c.rotation == 270) bar->SetBounds(60, 60, 60, 200);
    const QSize page = AddObjectPage(std::move(bar));

    // The preview at zoom 1: each element exactly its modules wide.
    const QImage preview = PreviewGrab(page, 1);
    auto* drawn = dynamic_cast<TrpBarCodeView*>(report.EMFPages.GetPage(0).PageObject->GetObject(0));
    ASSERT_NE(drawn, nullptr);
    const QList<int> modules = PatternWidths(*drawn);
    const int pixelsPerModule = std::max(1, int(std::floor(c.zoom)));
    QList<int> expected;
    for (int m : modules)
      expected.append(m * pixelsPerModule);
    // Turned by 90 or 180 degrees the code reads from its end.
    if (c.rotation == 90 || c.rotation == 180) std::reverse(expected.begin(), expected.end());
    const bool horizontal = drawn->Horizontal();
    // A line through the bars, clear of the text.
    const int across = c.rotation == 0 ? 80 : c.rotation == 180 ? 100 : c.rotation == 90 ? 80 : 100;
    EXPECT_EQ(Runs(preview, horizontal, across), expected);
    EXPECT_EQ(Scanned(preview.scaled(preview.size() * 4), dir.path(), name + QStringLiteral("-nahlad")), value);

    // The page-exact PDF at 300 dots an inch: bars as rectangles.
    TVezoPDFExport pdf;
    pdf.UseCompression = false; // the drawing operators stay readable in the file
    const QByteArray file = Export(pdf, name + QStringLiteral(".pdf"));
    EXPECT_TRUE(file.contains(" re f")) << "the bars are vector rectangles";
    const QImage exported = Rendered(Path(name + QStringLiteral(".pdf")), 300);
    ASSERT_FALSE(exported.isNull());
    EXPECT_EQ(Scanned(exported, dir.path(), name + QStringLiteral("-export")), value);

    // Printed into a PDF on the virtual printer, at 300 dots an inch.
    if (rpPrinter().IsVirtual()) {
      const QString printed = Path(name + QStringLiteral("-tlac.pdf"));
      ASSERT_TRUE(PrintToPdf(printed)) << messages.join(QLatin1Char('\n')).toStdString();
      const QImage paper = Rendered(printed, 300);
      ASSERT_FALSE(paper.isNull());
      const QString read = Scanned(paper, dir.path(), name + QStringLiteral("-tlac"));
      EXPECT_EQ(read, value);
      if (read != value) paper.save(TestOutputPath(name + QStringLiteral("-tlac.png")));
    }
  }
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
}

// Dark pixels of the image within the area.
QRect DarkBounds(const QImage& image, const QRect& area) {
  QRect bounds;
  for (int y = area.top(); y <= area.bottom() && y < image.height(); ++y)
    for (int x = area.left(); x <= area.right() && x < image.width(); ++x)
      if (Dark(image, x, y)) bounds |= QRect(x, y, 1, 1);
  return bounds;
}

// A square frame around a light inside, or with a mark inside.
void ExpectFramedBox(const QImage& image, const QRect& area, bool marked, const QString& where) {
  SCOPED_TRACE(where.toStdString());
  const QRect box = DarkBounds(image, area);
  ASSERT_TRUE(box.isValid()) << "nothing is drawn";
  EXPECT_NEAR(double(box.width()) / box.height(), 1.0, 0.2) << "a square";
  EXPECT_GT(box.width(), 8);
  // Each side is a line: dark along most of its length.
  const auto darkShare = [&](QPoint from, QPoint step, int count) {
    int dark = 0;
    for (int i = 0; i < count; ++i) {
      const QPoint p = from + step * i;
      dark += Dark(image, p.x(), p.y()) || Dark(image, p.x() + step.y(), p.y() + step.x());
    }
    return double(dark) / count;
  };
  const int w = box.width(), h = box.height();
  EXPECT_GT(darkShare(box.topLeft(), QPoint(1, 0), w), 0.9) << "top";
  EXPECT_GT(darkShare(box.bottomLeft() - QPoint(0, 1), QPoint(1, 0), w), 0.9) << "bottom";
  EXPECT_GT(darkShare(box.topLeft(), QPoint(0, 1), h), 0.9) << "left";
  EXPECT_GT(darkShare(box.topRight() - QPoint(1, 0), QPoint(0, 1), h), 0.9) << "right";
  const QRect inside = box.adjusted(w / 4, h / 4, -w / 4, -h / 4);
  EXPECT_EQ(DarkBounds(image, inside).isValid(), marked) << (marked ? "the mark is missing" : "a mark in an empty box");
}

TEST_F(ObjectsOnPaper, CheckBoxesKeepTheirFramesInEveryPageExactExport) {
  // The unchecked box on the left half of the page, the checked one on the right.
  std::vector<std::unique_ptr<TrpView>> views;
  for (bool checked : {false, true}) {
    auto box = std::make_unique<TrpCheckBoxView>();
    box->SetBounds(checked ? 500 : 100, 100, 24, 24);
    box->Memo = {checked ? QStringLiteral("1") : QStringLiteral("0")};
    box->CheckStyle = TrpCheckBoxView::csCheck;
    box->Name = checked ? QStringLiteral("Zaplatil") : QStringLiteral("Nezaplatil");
    views.push_back(std::move(box));
  }
  AddViewsPage(std::move(views));
  // The two halves of a picture of the whole page.
  const auto expectBoxes = [](const QImage& page, const QString& where) {
    ASSERT_FALSE(page.isNull()) << where.toStdString();
    const int half = page.width() / 2, top = page.height() / 3;
    ExpectFramedBox(page, QRect(0, 0, half - 1, top), false, where + QStringLiteral(" unchecked"));
    ExpectFramedBox(page, QRect(half, 0, page.width() - half, top), true, where + QStringLiteral(" checked"));
  };

  if (Installed("pdftoppm")) {
    TVezoPDFExport pdf;
    Export(pdf, QStringLiteral("boxy.pdf"));
    expectBoxes(Rendered(Path(QStringLiteral("boxy.pdf")), 150), QStringLiteral("PDF"));
  }

  TVezoHTMLExport html;
  const QString htmlText = QString::fromUtf8(Export(html, QStringLiteral("boxy.htm")));
  // Each box, checked or not, is a block with all four borders.
  static const QRegularExpression block(QStringLiteral("<DIV[^>]*>"), QRegularExpression::CaseInsensitiveOption);
  QStringList framed;
  for (auto match = block.globalMatch(htmlText); match.hasNext();) {
    const QString tag = match.next().captured();
    if (tag.contains(QStringLiteral("border-top")) && tag.contains(QStringLiteral("border-bottom")) &&
        tag.contains(QStringLiteral("border-left")) && tag.contains(QStringLiteral("border-right")))
      framed.append(tag);
  }
  EXPECT_EQ(framed.size(), 2) << htmlText.toStdString();

  if (!OfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  TVezoRTFExport rtf;
  Export(rtf, QStringLiteral("boxy.rtf"));
  QImage rtfPage;
  rtfPage.loadFromData(
      ConvertWithOffice(Path(QStringLiteral("boxy.rtf")), QStringLiteral("png"), Path(QStringLiteral("rtf-png"))));
  rtfPage.save(TestOutputPath(QStringLiteral("boxy-rtf.png")));
  expectBoxes(rtfPage, QStringLiteral("RTF"));

  TVezoEMFExport emf;
  Export(emf, QStringLiteral("boxy.emf"));
  QImage emfPage;
  emfPage.loadFromData(
      ConvertWithOffice(Path(QStringLiteral("boxy.emf")), QStringLiteral("png"), Path(QStringLiteral("emf-png"))));
  emfPage.save(TestOutputPath(QStringLiteral("boxy-emf.png")));
  expectBoxes(emfPage, QStringLiteral("metafile"));
}

} // namespace
