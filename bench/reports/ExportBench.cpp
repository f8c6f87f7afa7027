// The 20,000-member list's prepared pages exported as XML spreadsheet and as
// HTML table beside the CSV export of the same pages, and as PDF beside
// printing them into a PDF file through the engine's print path: seconds and
// the ratio to each baseline.
#include "MemberListReport.h"
#include "reports/engine/rpExportFilter.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/ui/rpQtPrinter.h"
#include "reports/export/rpHTMLTableExport.h"
#include "reports/export/rpTextExport.h"
#include "reports/export/rpXMLExcelExport.h"
#include "reports/export/vzPDFExport.h"
#include <QtCore/QElapsedTimer>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>
#include <cstdio>

namespace {

struct TRun {
  const char* name;
  TrpExportFilter* filter;
  QString file;
};

// Seconds of one export run, or -1 when it failed.
double TimeExport(TrpReport& report, TrpExportFilter& filter, const QString& file) {
  filter.ShowDialog = false;
  QElapsedTimer timer;
  timer.start();
  const bool written = report.ExportToFile(&filter, file);
  return written ? timer.nsecsElapsed() / 1e9 : -1;
}

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  rpEngineStart();
  rpGlobals().ErrorBox = [](const QString& text, const QString&) { std::fprintf(stderr, "%s\n", qPrintable(text)); };
  QObject owner;
  TUxMemoryData data;
  FillMembers(data);
  TrpDBDataSet members(&owner);
  members.setObjectName(QStringLiteral("Clenovia"));
  members.SetDataSet(&data);
  TrpReport report(&owner);
  AddMemberListPage(report);
  report.ShowProgress = false;
  if (!report.BuildPreparedPages()) return 1;

  QTemporaryDir dir;
  TrpCSVExport csv;
  TrpXMLExcelExport xml;
  TrpHTMLTableExport html;
  const TRun runs[] = {{"baseline: CSV export", &csv, dir.filePath(QStringLiteral("clenovia.csv"))},
                       {"XML spreadsheet export", &xml, dir.filePath(QStringLiteral("clenovia.xls"))},
                       {"HTML table export", &html, dir.filePath(QStringLiteral("clenovia.html"))}};
  std::printf("%d prepared pages of %d members\n", report.EMFPages.Count(), kMemberRows);
  std::printf("%-26s %10s %12s %10s\n", "export", "seconds", "KiB", "x CSV");
  double baseline = 0;
  bool failed = false;
  for (const TRun& run : runs) {
    const double seconds = TimeExport(report, *run.filter, run.file);
    failed |= seconds < 0;
    if (baseline == 0) baseline = seconds;
    std::printf("%-26s %10.3f %12lld %10.2f\n", run.name, seconds,
                static_cast<long long>(QFileInfo(run.file).size() / 1024), seconds / baseline);
  }

  // PDF: the export beside the engine printing the same pages into a PDF file.
  rpInstallPrinting();
  rpPrinter().SetPrinterIndex(rpPrinter().VirtualPrinterIndex);
  report.ShowPrintDialog = false;
  report.PrintFileName = dir.filePath(QStringLiteral("tlac.pdf"));
  QElapsedTimer timer;
  timer.start();
  const bool printed = report.PrintPages(QString(), 1, false, 0);
  const double printSeconds = timer.nsecsElapsed() / 1e9;
  TVezoPDFExport pdf;
  const QString pdfFile = dir.filePath(QStringLiteral("clenovia.pdf"));
  const double pdfSeconds = TimeExport(report, pdf, pdfFile);
  failed |= !printed || pdfSeconds < 0;
  std::printf("%-26s %10.3f %12lld %10s\n", "baseline: print to PDF", printSeconds,
              static_cast<long long>(QFileInfo(report.PrintFileName).size() / 1024), "x print");
  std::printf("%-26s %10.3f %12lld %10.2f\n", "PDF export", pdfSeconds,
              static_cast<long long>(QFileInfo(pdfFile).size() / 1024), pdfSeconds / printSeconds);
  rpEngineEnd();
  return failed ? 1 : 0;
}
