// The member list's prepared pages as PDF: our export (compressed, and
// uncompressed) beside Qt's own PDF writer painting the same page objects
// (texts and frames at their places), and the metafile export beside the PDF
// export on a list of about 2,000 pages. Every run is a process of its own,
// so that each one's peak memory is its own: seconds, size, peak memory and
// the ratios to the baseline.
#include "MemberListReport.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPrinter.h"
#include "reports/export/vzGraphicExport.h"
#include "reports/export/vzPDFExport.h"
#include <QtCore/QDirIterator>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>
#include <QtWidgets/QApplication>
#include <cstdio>
#include <sys/resource.h>

namespace {

struct TResult {
  double Seconds = -1;
  qint64 Bytes = 0;
  long PeakKiB = 0;
  int Pages = 0;
};

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Qt's PDF writer paints every page's texts and frames where the report has them.
bool PaintWithQt(TrpReport& report, const QString& file) {
  QPdfWriter writer(file);
  writer.setResolution(int(std::lround(kReportUnitsPerInch)));
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  QPainter painter(&writer);
  for (int i = 0; i < report.EMFPages.Count(); ++i) {
    if (i > 0) writer.newPage();
    TrpPage& page = report.EMFPages.LoadPageObjects(i);
    for (int o = 0; o < page.Count(); ++o) {
      auto* memo = dynamic_cast<TrpMemoView*>(page.GetObject(o));
      if (!memo) continue;
      const QRect box(memo->Left, memo->Top, memo->Width, memo->Height);
      painter.setFont(rpMakeQFont(memo->Font, int(std::lround(memo->Font.Size * 96.0 / 72)), 0));
      painter.drawText(box.adjusted(2, 0, -2, 0), int((memo->Alignment & 3) == 1 ? Qt::AlignRight : Qt::AlignLeft),
                       memo->Memo.join(QLatin1Char('\n')));
      if (memo->FrameTyp & 15) painter.drawRect(box);
    }
    report.EMFPages.GetPage(i).PageObject.reset();
  }
  return painter.end();
}

qint64 SizeOf(const QString& file, const QString& extension) {
  qint64 bytes = 0;
  for (QDirIterator it(QFileInfo(file).path(), {QStringLiteral("*.") + extension}); it.hasNext();)
    bytes += QFileInfo(it.next()).size();
  return bytes;
}

// One run in this process: "ours", "plain", "qt", "emf" or "pdf" over `rows` members.
int RunChild(const QString& kind, int rows) {
  rpEngineStart();
  rpGlobals().ErrorBox = [](const QString& text, const QString&) { std::fprintf(stderr, "%s\n", qPrintable(text)); };
  QObject owner;
  TUxMemoryData data;
  FillMembers(data, rows);
  TrpDBDataSet members(&owner);
  members.setObjectName(QStringLiteral("Clenovia"));
  members.SetDataSet(&data);
  TrpReport report(&owner);
  AddMemberListPage(report);
  report.ShowProgress = false;
  if (!report.BuildPreparedPages()) return 1;
  QTemporaryDir dir;
  const QString extension = kind == QLatin1String("emf") ? QStringLiteral("emf") : QStringLiteral("pdf");
  const QString file = dir.filePath(QStringLiteral("clenovia.") + extension);
  QElapsedTimer timer;
  timer.start();
  bool written = false;
  if (kind == QLatin1String("qt")) {
    written = PaintWithQt(report, file);
  } else if (kind == QLatin1String("emf")) {
    TVezoEMFExport emf;
    emf.ShowDialog = false;
    written = report.ExportToFile(&emf, file);
  } else {
    TVezoPDFExport pdf;
    pdf.ShowDialog = false;
    pdf.UseCompression = kind != QLatin1String("plain");
    written = report.ExportToFile(&pdf, file);
  }
  const double seconds = timer.nsecsElapsed() / 1e9;
  std::printf("%.4f %lld %ld %d\n", written ? seconds : -1.0, static_cast<long long>(SizeOf(file, extension)),
              PeakKiB(), report.EMFPages.Count());
  rpEngineEnd();
  return written ? 0 : 1;
}

TResult Run(const QString& kind, int rows) {
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(), {kind, QString::number(rows)});
  TResult result;
  if (!child.waitForFinished(-1) || child.exitCode() != 0) return result;
  const QStringList fields = QString::fromLatin1(child.readAllStandardOutput()).split(QLatin1Char(' '));
  if (fields.size() != 4) return result;
  result.Seconds = fields[0].toDouble();
  result.Bytes = fields[1].toLongLong();
  result.PeakKiB = fields[2].toLong();
  result.Pages = fields[3].trimmed().toInt();
  return result;
}

void Print(const char* name, const TResult& r, const TResult& baseline) {
  std::printf("%-34s %6d %9.3f %10lld %10ld %8.2f %8.2f %8.2f\n", name, r.Pages, r.Seconds,
              static_cast<long long>(r.Bytes / 1024), r.PeakKiB / 1024, r.Seconds / baseline.Seconds,
              double(r.Bytes) / double(baseline.Bytes), double(r.PeakKiB) / double(baseline.PeakKiB));
}

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc == 3) return RunChild(QString::fromLatin1(argv[1]), QString::fromLatin1(argv[2]).toInt());

  std::printf("%-34s %6s %9s %10s %10s %8s %8s %8s\n", "run", "pages", "seconds", "KiB", "peak MiB", "x time", "x size",
              "x peak");
  const TResult qt = Run(QStringLiteral("qt"), kMemberRows);
  const TResult ours = Run(QStringLiteral("ours"), kMemberRows);
  const TResult plain = Run(QStringLiteral("plain"), kMemberRows);
  Print("baseline: QPdfWriter", qt, qt);
  Print("PDF export, compressed", ours, qt);
  Print("PDF export, uncompressed", plain, qt);
  // The rows that make about 2,000 pages.
  const int rows = ours.Pages > 0 ? int(qint64(kMemberRows) * 2000 / ours.Pages) : kMemberRows;
  const TResult pdf = Run(QStringLiteral("ours"), rows);
  const TResult emf = Run(QStringLiteral("emf"), rows);
  Print("baseline: PDF export", pdf, pdf);
  Print("EMF export", emf, pdf);
  const bool failed = qt.Seconds < 0 || ours.Seconds < 0 || plain.Seconds < 0 || pdf.Seconds < 0 || emf.Seconds < 0;
  return failed ? 1 : 0;
}
