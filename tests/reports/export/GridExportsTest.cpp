#include "ExportFixture.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpValue.h"
#include "reports/export/rpExcel.h"
#include "reports/export/rpExportUtils.h"
#include "reports/export/rpHTMLTableExport.h"
#include "reports/export/rpIEMatrix.h"
#include "reports/export/rpOLEExcelExport.h"
#include "reports/export/rpProgress.h"
#include "reports/export/rpXMLExcelExport.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QTimeZone>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

namespace {

class GridExportsTest : public ExportFixture {};

TEST_F(GridExportsTest, PageRangesListTheirPages) {
  const struct {
    const char* text;
    QList<int> pages; // of pages 1 to 12
  } cases[] = {{"1,3,5-7", {1, 3, 5, 6, 7}},
               {" 2 , 9 - 10 ", {2, 9, 10}},
               {"4, 7-5", {4}},
               {"", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
               {"3,3,2", {2, 3}},
               {"11-2000000000", {11, 12}}};
  for (const auto& c : cases) {
    TrpPageRange range;
    range.Parse(QLatin1String(c.text));
    QList<int> pages;
    for (int page = 1; page <= 12; ++page)
      if (range.Contains(page)) pages.append(page);
    EXPECT_EQ(pages, c.pages) << c.text;
  }
  TrpPageRange range;
  range.Parse(QStringLiteral("2-1000000000"));
  EXPECT_TRUE(range.Contains(999999999));
  EXPECT_THROW(range.Parse(QStringLiteral("1,a")), ErpConversionError);
  EXPECT_THROW(range.Parse(QStringLiteral("1-")), ErpConversionError);
  EXPECT_THROW(range.Parse(QStringLiteral("99999999999")), ErpConversionError);
}

// --- the matrix

struct TMatrixObject {
  int x, y, w, h;
  const char* text;
  int frame;
  TColor fill;
};

std::unique_ptr<TrpIEMatrix> MatrixOf(const QList<TMatrixObject>& objects, double inaccuracy, double maxCellHeight,
                                      bool deleteDuplicates) {
  auto matrix = std::make_unique<TrpIEMatrix>();
  matrix->ShowProgress = false;
  matrix->Inaccuracy = inaccuracy;
  matrix->MaxCellHeight = maxCellHeight;
  matrix->DeleteDuplicateBorders = deleteDuplicates;
  for (const TMatrixObject& o : objects) {
    TrpMemoView memo;
    memo.SetBounds(o.x, o.y, o.w, o.h);
    memo.Memo = QStringList{QString::fromUtf8(o.text)};
    memo.FrameTyp = quint16(o.frame);
    memo.FillColor = o.fill;
    matrix->AddObject(&memo);
  }
  matrix->Prepare();
  return matrix;
}

QList<double> Positions(const TrpIEMatrix& m, bool rows) {
  QList<double> result;
  for (int i = 0; i < (rows ? m.Height() : m.Width()); ++i)
    result.append(rows ? m.YPos(i) : m.XPos(i));
  return result;
}

// "text:frame:fill" of the object at a cell.
QString CellText(const TrpIEMatrix& m, int column, int row) {
  const TrpIEMObject* o = m.CellObject(column, row);
  if (!o) return QStringLiteral("-");
  const TrpIEMStyle& s = m.Style(o->StyleIndex);
  return o->Memo.join(QLatin1Char('|')) + QStringLiteral(":%1:%2").arg(s.FrameTyp).arg(quint32(s.FillColor), 0, 16);
}

TEST_F(GridExportsTest, MatrixLaysOutSmallLayouts) {
  // Edges closer than Inaccuracy share the later boundary.
  auto merged = MatrixOf({{0, 0, 100, 20, "A", 0, clNone}, {101, 0, 50, 20, "B", 0, clNone}}, 1.0, 0, false);
  EXPECT_EQ(Positions(*merged, false), (QList<double>{0, 101, 151}));
  EXPECT_EQ(CellText(*merged, 0, 0), QStringLiteral("A:0:1fffffff"));
  EXPECT_EQ(CellText(*merged, 1, 0), QStringLiteral("B:0:1fffffff"));

  // Rows taller than MaxCellHeight get extra boundaries.
  auto split = MatrixOf({{0, 0, 100, 1200, "Vysoký", 0, clNone}}, 0.5, 511.25, false);
  EXPECT_EQ(Positions(*split, true), (QList<double>{0, 511.25, 1022.5, 1200}));
  int x, y, dx, dy;
  split->ObjectBounds(0, x, y, dx, dy);
  EXPECT_EQ(QList<int>({x, y, dx, dy}), (QList<int>{0, 0, 1, 3}));

  // A framed text half covered by a later object: the first piece carries
  // the text and only the sides on the outline; the second piece is empty.
  auto cut = MatrixOf({{0, 0, 200, 20, "Zakrytý", 15, clNone}, {100, 0, 100, 10, "Navrchu", 0, clNone}}, 0.5, 0, false);
  EXPECT_EQ(CellText(*cut, 0, 0), QStringLiteral("Zakrytý:14:1fffffff")) << "top, left and bottom";
  EXPECT_EQ(CellText(*cut, 1, 0), QStringLiteral("Navrchu:0:1fffffff"));
  EXPECT_EQ(CellText(*cut, 1, 1), QStringLiteral(":3:1fffffff")) << "bottom and right, no text";
  EXPECT_EQ(cut->CellIndex(0, 1), cut->CellIndex(0, 0)) << "the first piece spans both rows";

  // A transparent text on a filled rectangle takes the fill beneath.
  auto filled = MatrixOf({{0, 0, 100, 40, "", 0, clRed}, {0, 0, 100, 20, "Na červenom", 0, clNone}}, 0.5, 0, false);
  EXPECT_EQ(CellText(*filled, 0, 0), QStringLiteral("Na červenom:0:ff"));

  // Stacked boxes: the lower box's top duplicates the upper box's bottom.
  const QList<TMatrixObject> stacked{{0, 0, 100, 20, "Horný", 15, clNone}, {0, 20, 100, 20, "Dolný", 15, clNone}};
  EXPECT_EQ(CellText(*MatrixOf(stacked, 0.5, 0, false), 0, 1), QStringLiteral("Dolný:15:1fffffff"));
  auto deduplicated = MatrixOf(stacked, 0.5, 0, true);
  EXPECT_EQ(CellText(*deduplicated, 0, 1), QStringLiteral("Dolný:7:1fffffff"));
  EXPECT_EQ(CellText(*deduplicated, 0, 0), QStringLiteral("Horný:15:1fffffff"));

  // Equal looks are stored once.
  auto shared = MatrixOf({{0, 0, 50, 20, "a", 0, clNone}, {50, 0, 50, 20, "b", 0, clNone}}, 0.5, 0, false);
  EXPECT_EQ(shared->StyleCount(), 1);

  // A text narrower than Inaccuracy keeps a cell of its own.
  auto narrow =
      MatrixOf({{0, 0, 100, 20, "A", 0, clNone}, {100, 0, 1, 20, "úzky", 0, clNone}, {0, 20, 200, 20, "B", 0, clNone}},
               1.0, 0, false);
  EXPECT_EQ(Positions(*narrow, false), (QList<double>{0, 101, 200}));
  EXPECT_EQ(CellText(*narrow, 1, 0), QStringLiteral("úzky:0:1fffffff"));

  // A gap of exactly two row heights gets one split, never a row of no height.
  auto exact = MatrixOf({{0, 0, 100, 1022, "Presne", 0, clNone}}, 0.5, 511, false);
  EXPECT_EQ(Positions(*exact, true), (QList<double>{0, 511, 1022}));
}

// --- HTML table

// A text over three columns and two rows, with neighbours that make the boundaries.
const QList<TTestObject> kSpanning{{0, 0, 300, 40, QStringLiteral("Veľký <blok> & \"úvodzovky\""), 15},
                                   {300, 0, 50, 20, QStringLiteral("a")},
                                   {300, 20, 50, 20, QStringLiteral("b")},
                                   {0, 40, 100, 20, QStringLiteral("c")},
                                   {100, 40, 100, 20, QStringLiteral("d")},
                                   {200, 40, 100, 20, QStringLiteral("e")}};

void ExpectTidyWithoutErrors(const QString& file) {
  QString output;
  const int code = RunProgram(QStringLiteral("tidy"), {QStringLiteral("-e"), QStringLiteral("-q"), file}, &output);
  if (code == -1) return; // tidy is not installed
  EXPECT_LT(code, 2) << file.toStdString() << "\n" << output.toStdString();
  EXPECT_FALSE(output.contains(QStringLiteral("Error:"))) << output.toStdString();
}

TEST_F(GridExportsTest, HtmlTableWritesSpansAsOneCellEscapedAndTidy) {
  AddPage(kSpanning);
  TrpHTMLTableExport filter;
  const QString html = QString::fromUtf8(Export(filter, QStringLiteral("tabulka.html")));
  EXPECT_EQ(html.count(QStringLiteral("colspan=\"3\" rowspan=\"2\"")), 1) << html.toStdString();
  EXPECT_TRUE(html.contains(QStringLiteral(">Veľký &lt;blok&gt; &amp; &quot;úvodzovky&quot;</td>")));
  EXPECT_EQ(html.count(QStringLiteral("<td")), 7) << "one cell per object and the empty corner";
  EXPECT_TRUE(html.contains(QStringLiteral("<title>Zoznam členov</title>")));
  ExpectTidyWithoutErrors(Path(QStringLiteral("tabulka.html")));
}

TEST_F(GridExportsTest, HtmlTablePagesAndNavigatorLieBesideTheExportFile) {
  QImage red(20, 20, QImage::Format_RGB32);
  red.fill(Qt::red);
  AddPage({{0, 0, 100, 20, QStringLiteral("Strana 1")}, {0, 20, 20, 20, {}, 0, 0, clNone, false, red}});
  AddPage({{0, 0, 100, 20, QStringLiteral("Strana 2")}});
  AddPage({{0, 0, 100, 20, QStringLiteral("Strana 3")}});
  QTemporaryDir elsewhere;
  const QString keep = QDir::currentPath();
  QDir::setCurrent(elsewhere.path());
  struct Case {
    bool multipage, navigator;
    QString range;
    QList<const char*> files;
  };
  const Case cases[] = {
      {true,
       true,
       {},
       {"web.html", "web.files/1.html", "web.files/2.html", "web.files/3.html", "web.files/nav.html",
        "web.files/img0.jpg"}},
      {false, true, QStringLiteral("2"), {"web.html", "web.files/main.html", "web.files/nav.html"}},
      {false, false, {}, {"web.html", "web.files/img0.jpg"}},
  };
  for (const Case& c : cases) {
    QDir(Path(QStringLiteral("web.files"))).removeRecursively();
    TrpHTMLTableExport filter;
    filter.Multipage = c.multipage;
    filter.Navigator = c.navigator;
    filter.PageRangeText = c.range;
    filter.ShowDialog = false;
    filter.PageRange.Parse(c.range);
    ASSERT_TRUE(report.ExportToFile(&filter, Path(QStringLiteral("web.html"))));
    for (const char* file : c.files)
      EXPECT_TRUE(QFile::exists(Path(QLatin1String(file)))) << file;
    EXPECT_TRUE(QDir(elsewhere.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty())
        << "nothing lands in the working directory";
    if (c.navigator) {
      const QString nav = QString::fromUtf8(ReadFile(Path(QStringLiteral("web.files/nav.html"))));
      EXPECT_EQ(nav.count(QStringLiteral("<a href")), 3) << "the navigator lists every page counted";
      EXPECT_TRUE(ReadFile(Path(QStringLiteral("web.html"))).contains("<frameset"));
    }
  }
  // The single document refers to its picture in the companion folder.
  EXPECT_TRUE(ReadFile(Path(QStringLiteral("web.html"))).contains("<img src=\"web.files/img0.jpg\""));
  QDir::setCurrent(keep);
  ExpectTidyWithoutErrors(Path(QStringLiteral("web.html")));
}

TEST_F(GridExportsTest, HtmlTablePageFilesAndMainDocumentFindTheirPictures) {
  QImage red(20, 20, QImage::Format_RGB32);
  red.fill(Qt::red);
  AddPage({{0, 0, 100, 20, QStringLiteral("Strana 1")}, {0, 20, 20, 20, {}, 0, 0, clNone, false, red}});
  AddPage({{0, 0, 100, 20, QStringLiteral("Strana 2")}, {0, 20, 100, 20, QStringLiteral("riadok 2")}});
  const QRegularExpression source(QStringLiteral("<img src=\"([^\"]*)\""));
  for (const bool multipage : {true, false}) {
    QDir(Path(QStringLiteral("web.files"))).removeRecursively();
    TrpHTMLTableExport filter;
    filter.Multipage = multipage;
    filter.Navigator = true;
    Export(filter, QStringLiteral("web.html"));
    const QString document =
        Path(multipage ? QStringLiteral("web.files/1.html") : QStringLiteral("web.files/main.html"));
    const QRegularExpressionMatch image = source.match(QString::fromUtf8(ReadFile(document)));
    ASSERT_TRUE(image.hasMatch()) << multipage;
    EXPECT_TRUE(QFileInfo::exists(QFileInfo(document).dir().filePath(image.captured(1))))
        << "the reference " << image.captured(1).toStdString() << " leads to the picture";
    ExpectTidyWithoutErrors(document);
    ExpectTidyWithoutErrors(Path(QStringLiteral("web.files/nav.html")));
    if (!multipage) continue;
    // A page file is one page: no break splits it after its first row.
    const QString second = QString::fromUtf8(ReadFile(Path(QStringLiteral("web.files/2.html"))));
    EXPECT_FALSE(second.contains(QStringLiteral("page_break\">"))) << second.toStdString();
    EXPECT_EQ(second.count(QStringLiteral("</table>")), 1);
    ExpectTidyWithoutErrors(Path(QStringLiteral("web.files/2.html")));
  }
}

TEST_F(GridExportsTest, HtmlTableWithoutDialogTakesEveryPage) {
  AddPage({{0, 0, 100, 20, QStringLiteral("Prvá")}});
  AddPage({{0, 0, 100, 20, QStringLiteral("Druhá")}});
  TrpHTMLTableExport filter;
  filter.PageRangeText = QStringLiteral("2");
  const QString html = QString::fromUtf8(Export(filter, QStringLiteral("obe.html")));
  EXPECT_TRUE(html.contains(QStringLiteral("Prvá")) && html.contains(QStringLiteral("Druhá")));
  EXPECT_TRUE(
      html.contains(QStringLiteral("<table border=\"0\" cellspacing=\"0\" cellpadding=\"0\" class=\"page_break\">")));
}

// --- spreadsheet workbook

TEST_F(GridExportsTest, ColumnNames) {
  const std::pair<int, const char*> cases[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"}, {702, "ZZ"}};
  for (const auto& [column, name] : cases)
    EXPECT_EQ(TRpExcel::ColumnName(column), QLatin1String(name)) << column;
  EXPECT_EQ(TRpExcel::CellName(28, 5), QStringLiteral("AB5"));
}

class RecordingExcel : public TRpExcel {
public:
  explicit RecordingExcel(QStringList& log) : log_(log) {}
  void Open() override { log_ << QStringLiteral("Open"), TRpExcel::Open(); }
  void SetVisible(bool on) override { log_ << QStringLiteral("Visible %1").arg(on), TRpExcel::SetVisible(on); }
  void SetRange(int c, int r, int rows, int cols) override {
    log_ << QStringLiteral("Range %1,%2 %3x%4").arg(c).arg(r).arg(cols).arg(rows);
    TRpExcel::SetRange(c, r, rows, cols);
  }
  void SetColumnWidth(int c, double w) override {
    log_ << QStringLiteral("Width %1 %2").arg(c).arg(w), TRpExcel::SetColumnWidth(c, w);
  }
  void SetRowHeight(int r, double h) override {
    log_ << QStringLiteral("Height %1 %2").arg(r).arg(h), TRpExcel::SetRowHeight(r, h);
  }
  void MergeRange() override { log_ << QStringLiteral("Merge"), TRpExcel::MergeRange(); }
  void SetBorders(int f) override { log_ << QStringLiteral("Borders %1").arg(f), TRpExcel::SetBorders(f); }
  void SetPageSetup(int o, double l, double r, double t, double b) override {
    log_ << QStringLiteral("PageSetup %1 %2 %3 %4 %5").arg(o).arg(l).arg(r).arg(t).arg(b);
    TRpExcel::SetPageSetup(o, l, r, t, b);
  }
  void AddStyle(const QString& n, const TRpCellStyle& s) override {
    log_ << QStringLiteral("Style %1 %2 %3").arg(n, s.FontName).arg(s.Bold);
    TRpExcel::AddStyle(n, s);
  }
  void SetRangeStyle(const QString& n) override {
    log_ << QStringLiteral("RangeStyle ") + n, TRpExcel::SetRangeStyle(n);
  }
  void SetValues(const QList<QStringList>& rows) override {
    QStringList texts;
    for (const QStringList& row : rows)
      texts << row.join(QLatin1Char('|'));
    log_ << QStringLiteral("Values ") + texts.join(QLatin1Char('/'));
    TRpExcel::SetValues(rows);
  }
  void SetWrapText(bool on) override { log_ << QStringLiteral("Wrap %1").arg(on), TRpExcel::SetWrapText(on); }
  void SelectFirstCell() override { log_ << QStringLiteral("Select"), TRpExcel::SelectFirstCell(); }
  void SaveAs(const QString& f) override {
    log_ << QStringLiteral("SaveAs ") + QFileInfo(f).fileName(), TRpExcel::SaveAs(f);
  }
  void Quit() override { log_ << QStringLiteral("Quit"), TRpExcel::Quit(); }

private:
  QStringList& log_;
};

TEST_F(GridExportsTest, WorkbookExportCallsTheSpreadsheetInOrder) {
  // A bold framed text over two columns and three rows beside a column of three texts.
  AddPage({{0, 0, 160, 60, QStringLiteral("Blok"), 15, 0, clNone, true},
           {160, 0, 80, 20, QStringLiteral("1")},
           {160, 20, 80, 20, QStringLiteral("2")},
           {160, 40, 80, 20, QStringLiteral("3")},
           {0, 60, 80, 20, QStringLiteral("x")},
           {80, 60, 80, 20, QStringLiteral("y")}});
  QStringList log;
  TrpOLEExcelExport filter;
  filter.CreateExcel = [&log] { return std::make_unique<RecordingExcel>(log); };
  Export(filter, QStringLiteral("zosit.xlsx"));
  const QStringList expected{QStringLiteral("Open"),
                             QStringLiteral("PageSetup 1 9 9 9 9"),
                             QStringLiteral("Height 1 15.2672"),
                             QStringLiteral("Height 2 15.2672"),
                             QStringLiteral("Height 3 15.2672"),
                             QStringLiteral("Height 4 15.2672"),
                             QStringLiteral("Width 1 10"),
                             QStringLiteral("Width 2 10"),
                             QStringLiteral("Width 3 10"),
                             QStringLiteral("Style S0 Arial 1"),
                             QStringLiteral("Style S1 Arial 0"),
                             QStringLiteral("Range 1,1 2x3"),
                             QStringLiteral("RangeStyle S0"),
                             QStringLiteral("Merge"),
                             QStringLiteral("Borders 15"),
                             QStringLiteral("Range 3,1 1x1"),
                             QStringLiteral("RangeStyle S1"),
                             QStringLiteral("Borders 0"),
                             QStringLiteral("Range 3,2 1x1"),
                             QStringLiteral("RangeStyle S1"),
                             QStringLiteral("Borders 0"),
                             QStringLiteral("Range 3,3 1x1"),
                             QStringLiteral("RangeStyle S1"),
                             QStringLiteral("Borders 0"),
                             QStringLiteral("Range 1,4 1x1"),
                             QStringLiteral("RangeStyle S1"),
                             QStringLiteral("Borders 0"),
                             QStringLiteral("Range 2,4 1x1"),
                             QStringLiteral("RangeStyle S1"),
                             QStringLiteral("Borders 0"),
                             QStringLiteral("Values Blok||1/||2/||3/x|y|"),
                             QStringLiteral("Wrap 1"),
                             QStringLiteral("Select"),
                             QStringLiteral("SaveAs zosit.xlsx"),
                             QStringLiteral("Quit")};
  EXPECT_EQ(log, expected);
}

TEST_F(GridExportsTest, WorkbookIsReadByCalcWithValuesAndMergedBlock) {
  AddPage({{0, 0, 160, 40, QStringLiteral("Zlúčený blok"), 15},
           {160, 0, 80, 20, QStringLiteral("Ďurčo")},
           {160, 20, 80, 20, QStringLiteral("Šťastný & syn")},
           {0, 40, 80, 20, QStringLiteral("riadok 3")}});
  TrpOLEExcelExport filter;
  const QByteArray file = Export(filter, QStringLiteral("clenovia.xlsx"));
  EXPECT_TRUE(file.startsWith("PK\x03\x04"));
  if (!OfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  const QString html =
      QString::fromUtf8(ConvertWithOffice(Path(QStringLiteral("clenovia.xlsx")), QStringLiteral("html"), dir.path()));
  EXPECT_TRUE(html.contains(QStringLiteral("colspan=2 rowspan=2")) ||
              html.contains(QStringLiteral("colspan=\"2\" rowspan=\"2\"")))
      << html.toStdString();
  for (const QString& text : {QStringLiteral("Zlúčený blok"), QStringLiteral("Ďurčo"),
                              QStringLiteral("Šťastný &amp; syn"), QStringLiteral("riadok 3")})
    EXPECT_TRUE(html.contains(text)) << text.toStdString();
}

// Keeps the workbook when the export quits the spreadsheet, so the test can look at it.
class KeepingExcel : public TRpExcel {
public:
  explicit KeepingExcel(std::unique_ptr<TRpWorkbook>& kept) : kept_(kept) {}
  void Quit() override {
    kept_ = std::move(Workbook);
    TRpExcel::Quit();
  }

private:
  std::unique_ptr<TRpWorkbook>& kept_;
};

TEST_F(GridExportsTest, WorkbookRowHeightsStopAt409Points) {
  // 300 pixels at scale 2 are 458 points.
  AddPage({{0, 0, 100, 131, QStringLiteral("nízky")}, {0, 131, 100, 300, QStringLiteral("vysoký")}});
  TrpOLEExcelExport filter;
  filter.VerticalScale = 2;
  std::unique_ptr<TRpWorkbook> book;
  filter.CreateExcel = [&book] { return std::make_unique<KeepingExcel>(book); };
  Export(filter, QStringLiteral("vyska.xls"));
  ASSERT_TRUE(book);
  EXPECT_DOUBLE_EQ(book->RowHeight(1), 200);
  EXPECT_EQ(book->RowHeight(2), 409);
}

// Clicks Cancel of the first progress window that offers it.
void CancelWhenAsked(QObject* context) {
  auto* timer = new QTimer(context);
  QObject::connect(timer, &QTimer::timeout, timer, [timer] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* progress = qobject_cast<TrpProgress*>(w);
          progress && progress->isVisible() && progress->CancelButton->isVisible()) {
        progress->CancelButton->click();
        timer->stop();
      }
  });
  timer->start(0);
}

TEST_F(GridExportsTest, CancelledGridExportsWriteNothing) {
  QList<TTestObject> rows;
  for (int i = 0; i < 40; ++i)
    rows.append({0, i * 20, 100, 20, QStringLiteral("Riadok %1").arg(i)});
  AddPage(rows);
  AddPage(rows);
  TrpOLEExcelExport workbook;
  TrpXMLExcelExport xml;
  TrpHTMLTableExport html;
  for (TrpGridExport* filter : std::initializer_list<TrpGridExport*>{&workbook, &xml, &html}) {
    QObject context;
    CancelWhenAsked(&context);
    Export(*filter, QStringLiteral("zrusene.xls"), false);
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("zrusene.xls")))) << filter->metaObject()->className();
  }
  // A file already there stays as it was.
  QFile old(Path(QStringLiteral("stary.xls")));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("starý zošit");
  old.close();
  QObject context;
  CancelWhenAsked(&context);
  Export(workbook, QStringLiteral("stary.xls"), false);
  EXPECT_EQ(ReadFile(Path(QStringLiteral("stary.xls"))), QByteArray("starý zošit"));
  EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.xls*")}, QDir::Files | QDir::Hidden).size() == 1)
      << "no temporary file is left";
}

TEST_F(GridExportsTest, FailedWorkbookSaveIsReported) {
  AddPage({{0, 0, 100, 20, QStringLiteral("a")}});
  struct TFailingExcel : TRpExcel {
    void SaveAs(const QString&) override { throw Exception(QStringLiteral("Disk je plný.")); }
  };
  TrpOLEExcelExport filter;
  filter.CreateExcel = [] { return std::make_unique<TFailingExcel>(); };
  Export(filter, QStringLiteral("zosit.xlsx"), false);
  EXPECT_EQ(messages, QStringList{QStringLiteral("Disk je plný.")});
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("zosit.xlsx"))));
}

// --- XML spreadsheet

TEST_F(GridExportsTest, XmlSpreadsheetIsWellFormedAndReadByCalc) {
  AddPage({{0, 0, 160, 60, QStringLiteral("Ryby & raci <\"kapor\">\nriadok 2"), 15},
           {160, 0, 80, 20, QStringLiteral("12")},
           {160, 20, 80, 20, QStringLiteral("Ľubica")},
           {160, 40, 80, 20, QStringLiteral("a<b")},
           {0, 60, 80, 20, QStringLiteral("pod")}});
  AddPage({{0, 0, 80, 20, QStringLiteral("Strana 2")}});
  TrpXMLExcelExport filter;
  filter.Now = [] { return QDateTime(QDate(2026, 3, 1), QTime(8, 30, 5), QTimeZone::utc()); };
  const QString xml = QString::fromUtf8(Export(filter, QStringLiteral("zoznam.xls")));
  EXPECT_TRUE(xml.contains(QStringLiteral("<Created>2026-03-01T08:30:05Z</Created>")));
  EXPECT_TRUE(xml.contains(QStringLiteral("ss:MergeAcross=\"1\" ss:MergeDown=\"2\" ")));
  EXPECT_TRUE(xml.contains(QStringLiteral(">Ryby &amp; raci &lt;&quot;kapor&quot;&gt;&#10;riadok 2</Data>")));
  EXPECT_TRUE(xml.contains(QStringLiteral("<RowBreak><Row>")));
  EXPECT_TRUE(xml.contains(QStringLiteral("<Worksheet ss:Name=\"Zoznam členov\">")));
  QString output;
  const int code =
      RunProgram(QStringLiteral("xmllint"), {QStringLiteral("--noout"), Path(QStringLiteral("zoznam.xls"))}, &output);
  if (code != -1) {
    EXPECT_EQ(code, 0) << output.toStdString();
  }
  if (!OfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
  const QString html =
      QString::fromUtf8(ConvertWithOffice(Path(QStringLiteral("zoznam.xls")), QStringLiteral("html"), dir.path()));
  EXPECT_TRUE(html.contains(QStringLiteral("colspan=2 rowspan=3")) ||
              html.contains(QStringLiteral("colspan=\"2\" rowspan=\"3\"")))
      << html.toStdString();
  for (const QString& text : {QStringLiteral("Ryby &amp; raci &lt;&quot;kapor&quot;&gt;"), QStringLiteral("Ľubica"),
                              QStringLiteral("a&lt;b"), QStringLiteral("Strana 2")})
    EXPECT_TRUE(html.contains(text)) << text.toStdString();
  // The framed block's borders stay with it.
  const QRegularExpression plainCell(QStringLiteral("<td([^>]*)>(<[^>]*>)*Ľubica"));
  const QRegularExpressionMatch cell = plainCell.match(html);
  ASSERT_TRUE(cell.hasMatch());
  EXPECT_FALSE(cell.captured(1).contains(QStringLiteral("border"))) << cell.captured(0).toStdString();
}

TEST_F(GridExportsTest, BadDialogNumbersStopTheExportBeforeAnyFile) {
  AddPage({{0, 0, 80, 20, QStringLiteral("a")}});
  TrpXMLExcelExport filter;
  filter.ShowDialog = false;
  filter.PageRangeText = QStringLiteral("x");
  // Without a dialog the range text is not used: every page goes.
  EXPECT_TRUE(report.ExportToFile(&filter, Path(QStringLiteral("ok.xls"))));
  TrpXMLExcelExport shown;
  auto* timer = new QTimer(&shown);
  QObject::connect(timer, &QTimer::timeout, timer, [timer] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* form = qobject_cast<TrpXMLExcelSet*>(w); form && form->isVisible()) {
        form->PageRangeE->setText(QStringLiteral("1,x"));
        form->OKB->click();
        timer->stop();
      }
  });
  timer->start(0);
  EXPECT_FALSE(report.ExportToFile(&shown, Path(QStringLiteral("zle.xls"))));
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("zle.xls"))));
  EXPECT_EQ(messages.size(), 1);
}

} // namespace
