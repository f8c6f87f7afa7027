#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/ui/rpEngineUi.h"
#include "reports/engine/ui/rpPrinterBins.h"
#include "tests/reports/engine/ui/PrivateCups.h"
#include "tests/support/SourcePath.h"
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct BinCodeCase {
  const char* keyword;
  int index;
  int code;
};

// Common sources keep the codes other programs stored for them, whatever
// their place in the printer's list; a driver's own sources count from 256.
TEST(PrinterBinCodes, CommonSourcesKeepTheirCodes) {
  const BinCodeCase cases[] = {{"Upper", 5, 1},      {"lower", 0, 2},      {"Manual", 2, 4},
                               {"ManualFeed", 0, 4}, {"Auto", 3, 7},       {"Tractor", 1, 8},
                               {"Cassette", 4, 14},  {"Hlavicka", 2, 258}, {"Tray3", 0, 256}};
  for (const BinCodeCase& c : cases)
    EXPECT_EQ(rpBinCodeOf(c.keyword, c.index), c.code) << c.keyword;
}

const QString kPrinter = QStringLiteral("VimekZasobniky");
constexpr int kUpper = 1, kManual = 4, kLetterhead = 258; // the test driver's sources

// The engine on a private CUPS scheduler with one PostScript printer of three
// sources (upper tray by default, manual feed, letterhead), current.
class PrinterBins : public ::testing::Test {
protected:
  void SetUp() override {
    if (!cups.Error().isEmpty())
      GTEST_SKIP() << "the private CUPS scheduler cannot start: " << cups.Error().toStdString();
    QString error;
    ASSERT_TRUE(cups.AddPrinter(kPrinter, SourcePath(QStringLiteral("tests/fixtures/printers/VimekBins.ppd")), &error))
        << error.toStdString();
    rpInstallEngineUi();
    rpGlobals().ErrorBox = [this](const QString& text, const QString& caption) {
      errors.append(caption + QStringLiteral(": ") + text);
    };
    rpPrinter().SelectByName(kPrinter);
    ASSERT_EQ(rpPrinter().CurrentPrinterName(), kPrinter);
    report.ShowProgress = false;
    report.Title = QStringLiteral("Zásobníky");
  }

  // A prepared A4 page asking for the source, with one line of text.
  void AddPage(int bin, const QString& text) {
    TrpPage paper(nullptr, 9, 0, 0, 65535, 0);
    const int index = report.EMFPages.Count();
    report.EMFPages.Add(paper).Bin = bin;
    auto page = std::make_unique<TrpPage>(nullptr, 9, 0, 0, 65535, 0);
    auto memo = std::make_unique<TrpMemoView>();
    memo->SetBounds(40, 40, 500, 24);
    memo->Memo = QStringList{text};
    page->Add(std::move(memo));
    report.EMFPages.GetPage(index).PageObject = std::move(page);
    report.EMFPages.StorePageObjects(index);
    report.EMFPages.GetPage(index).PageObject.reset();
  }

  // The sources the spooled documents select, in order ("" where a document names none).
  static QStringList SelectedSources(const QByteArrayList& documents) {
    QStringList sources;
    const QRegularExpression feature(QStringLiteral("%%BeginFeature: \\*InputSlot (\\w+)"));
    for (const QByteArray& document : documents)
      sources.append(feature.match(QString::fromLatin1(document)).captured(1));
    return sources;
  }
  static QList<int> PageCounts(const QByteArrayList& documents) {
    QList<int> counts;
    const QRegularExpression pages(QStringLiteral("%%Pages: (\\d+)"));
    for (const QByteArray& document : documents)
      counts.append(pages.match(QString::fromLatin1(document)).captured(1).toInt());
    return counts;
  }

  TPrivateCups cups;
  struct EngineRun {
    EngineRun() { rpEngineStart(); }
    ~EngineRun() { rpEngineEnd(); }
  } engine;
  TrpReport report;
  QStringList errors;
};

TEST_F(PrinterBins, ThePrinterListsItsSourcesAfterTheDefault) {
  const TrpPrinter& printer = rpPrinter();
  EXPECT_EQ(printer.BinNames, (QStringList{QStringLiteral("Východzie"), QStringLiteral("Horný zásobník"),
                                           QStringLiteral("Ručné podávanie"), QStringLiteral("Hlavičkový papier")}));
  EXPECT_EQ(printer.BinCodes, (QList<int>{-1, kUpper, kManual, kLetterhead}));
  EXPECT_EQ(printer.Bin, kUpper) << "the driver's default source";
  EXPECT_EQ(printer.BinToIndex(kLetterhead), 3);
}

TEST_F(PrinterBins, APageTakesItsSourceAndAnUnknownOneFallsBackToTheDefault) {
  TrpPage page(nullptr, 9, 0, 0, kManual, 0);
  EXPECT_EQ(page.Bin, kManual);
  page.ApplyPaper(9, 0, 0, 77, 0);
  EXPECT_EQ(page.Bin, kUpper) << "a source the printer lacks gives way to its default one";
  page.ApplyPaper(9, 0, 0, -1, 0);
  EXPECT_EQ(page.Bin, 65535) << "the printer's default, as templates store it";
}

// Pages of other sources go as jobs of their own, each selecting its source;
// consecutive pages of one source share a job.
TEST_F(PrinterBins, PagesGoToTheirSourcesAsSeparateJobs) {
  AddPage(kManual, QStringLiteral("Prvá strana"));
  AddPage(kManual, QStringLiteral("Druhá strana"));
  AddPage(kLetterhead, QStringLiteral("Tretia strana"));
  AddPage(65535, QStringLiteral("Štvrtá strana"));
  ASSERT_TRUE(report.PrintPages(QString(), 1, true, 0)) << errors.join(QLatin1Char('\n')).toStdString();
  const QByteArrayList documents = cups.WaitForDocuments(3, 120000);
  ASSERT_EQ(documents.size(), 3) << "one job per run of pages of one source";
  EXPECT_EQ(SelectedSources(documents),
            (QStringList{QStringLiteral("Manual"), QStringLiteral("Hlavicka"), QStringLiteral("Upper")}));
  EXPECT_EQ(PageCounts(documents), (QList<int>{2, 1, 1}));
  EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
}

// A template and a prepared report keep each page's source through save and
// load, and the loaded prepared report prints to those sources.
TEST_F(PrinterBins, SourcesSurviveTheTemplateAndThePreparedFile) {
  QTemporaryDir dir;
  report.Pages.Add();
  report.Pages.GetPage(0)->ApplyPaper(9, 0, 0, kLetterhead, 0);
  ASSERT_EQ(report.Pages.GetPage(0)->Bin, kLetterhead);
  const QString templateFile = dir.filePath(QStringLiteral("zasobnik.rpf"));
  report.SaveToFile(templateFile);
  TrpReport loadedTemplate;
  ASSERT_TRUE(loadedTemplate.LoadFromFile(templateFile));
  EXPECT_EQ(loadedTemplate.Pages.GetPage(0)->Bin, kLetterhead);

  AddPage(kLetterhead, QStringLiteral("Hlavičkový"));
  AddPage(kManual, QStringLiteral("Ručný"));
  const QString preparedFile = dir.filePath(QStringLiteral("zasobnik.rpp"));
  report.SavePreparedFile(preparedFile);
  TrpReport loaded;
  loaded.ShowProgress = false;
  loaded.LoadPreparedFile(preparedFile);
  ASSERT_EQ(loaded.EMFPages.Count(), 2);
  EXPECT_EQ(loaded.EMFPages.GetPage(0).Bin, kLetterhead);
  EXPECT_EQ(loaded.EMFPages.GetPage(1).Bin, kManual);
  ASSERT_TRUE(loaded.PrintPages(QString(), 1, true, 0)) << errors.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(SelectedSources(cups.WaitForDocuments(2, 120000)),
            (QStringList{QStringLiteral("Hlavicka"), QStringLiteral("Manual")}));
}

} // namespace
