// The member list grouped by town, from rows in memory to a PDF file: the
// engine's two-pass build of prepared pages plus its PDF export, beside what
// a Qt developer would write without a report engine: QPainter on QPdfWriter
// drawing the same texts with the same font, row heights, page breaks, group
// headers, group and grand totals and "Strana n z N" footers (the page count
// from a layout pass that draws nothing). At 2,000, 20,000 and 200,000 rows,
// each side in a process of its own so that each peak memory is its own.
#include "MemberListReport.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPrinter.h"
#include "reports/export/vzPDFExport.h"
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

constexpr int kMembersPerTown = 50;

struct TResult {
  double Seconds = -1;      // rows to a closed PDF file
  double BuildSeconds = -1; // ours: the prepared pages alone
  int Pages = 0;
  qint64 Bytes = 0;
  long DataPeakKiB = 0; // after filling the rows, before the work
  long PeakKiB = 0;
};

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// The baseline's layout: walks the rows once, breaking pages where the
// engine's bands would, and hands each text to `draw` and each new page to
// `newPage`. Returns the number of pages.
template <class Draw, class NewPage>
int LayOut(TUxMemoryData& data, double pageHeight, int totalPages, Draw draw, NewPage newPage) {
  using L = TMemberGroupsLayout;
  const TField& name = data.FieldByName(QStringLiteral("PRIEZVISKO"));
  const TField& town = data.FieldByName(QStringLiteral("OBEC"));
  const TField& fee = data.FieldByName(QStringLiteral("POPLATOK"));
  const double footerTop = pageHeight - L::kBottomMargin - L::kPageFooter;
  int page = 1;
  double y = L::kTopMargin;
  const auto pageHeader = [&] {
    draw(10, y, 300, L::kPageHeader, QStringLiteral("Zoznam členov podľa obcí"));
    y += L::kPageHeader;
  };
  const auto room = [&](int height) {
    if (y + height <= footerTop) return;
    draw(10, footerTop, 300, L::kPageFooter, QStringLiteral("Strana %1 z %2").arg(page).arg(totalPages));
    newPage();
    ++page;
    y = L::kTopMargin;
    pageHeader();
  };
  const auto band = [&](int left, int width, int height, const QString& text) {
    room(height);
    draw(left, y, width, height, text);
    y += height;
  };
  pageHeader();
  QString currentTown;
  qint64 townTotal = 0, total = 0;
  int line = 0;
  for (data.First(); !data.Eof(); data.Next()) {
    const QString rowTown = town.AsString();
    if (line == 0 || rowTown != currentTown) {
      if (line > 0) band(340, 320, L::kGroupFooter, QStringLiteral("Spolu za obec %1").arg(townTotal));
      band(10, 300, L::kGroupHeader, rowTown);
      currentTown = rowTown;
      townTotal = 0;
    }
    const int rowFee = fee.AsInteger();
    townTotal += rowFee;
    total += rowFee;
    room(L::kRow);
    const QString texts[4] = {QString::number(++line), name.AsString(), rowTown, QString::number(rowFee)};
    for (int c = 0; c < 4; ++c)
      draw(L::kRowColumns[c][0], y, L::kRowColumns[c][1], L::kRow, texts[c]);
    y += L::kRow;
  }
  band(340, 320, L::kGroupFooter, QStringLiteral("Spolu za obec %1").arg(townTotal));
  band(340, 320, L::kSummary, QStringLiteral("Spolu %1").arg(total));
  draw(10, footerTop, 300, L::kPageFooter, QStringLiteral("Strana %1 z %2").arg(page).arg(totalPages));
  return page;
}

// QPainter on QPdfWriter, in report units (the painter scaled to the writer's resolution).
bool PaintWithQt(TUxMemoryData& data, const QString& file, int& pages) {
  QPdfWriter writer(file);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  const double scale = writer.resolution() / kReportUnitsPerInch;
  const double pageHeight = writer.height() / scale;
  pages = LayOut(
      data, pageHeight, 0, [](int, double, int, int, const QString&) {}, [] {});
  QPainter painter(&writer);
  painter.scale(scale, scale);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(13); // 10 points at 96 pixels per inch, as the report's texts
  painter.setFont(font);
  LayOut(
      data, pageHeight, pages,
      [&](int left, double top, int width, int height, const QString& text) {
        painter.drawText(QRectF(left + 2, top, width - 4, height), Qt::AlignLeft | Qt::AlignTop, text);
      },
      [&] { writer.newPage(); });
  return painter.end();
}

// One side in this process: "ours" or "qt" over `rows` members; prints the figures on one line.
int RunChild(const QString& kind, int rows) {
  rpEngineStart();
  rpGlobals().ErrorBox = [](const QString& text, const QString&) { std::fprintf(stderr, "%s\n", qPrintable(text)); };
  TUxMemoryData data;
  FillMembers(data, rows, kMembersPerTown);
  TResult r;
  r.DataPeakKiB = PeakKiB();
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("clenovia.pdf"));
  QElapsedTimer timer;
  bool written = false;
  if (kind == QLatin1String("qt")) {
    timer.start();
    written = PaintWithQt(data, file, r.Pages);
  } else {
    QObject owner;
    TrpDBDataSet members(&owner);
    members.setObjectName(QStringLiteral("Clenovia"));
    members.SetDataSet(&data);
    TrpReport report(&owner);
    AddMemberGroupsPage(report);
    report.ShowProgress = false;
    timer.start();
    if (report.BuildPreparedPages()) {
      r.BuildSeconds = timer.nsecsElapsed() / 1e9;
      r.Pages = report.EMFPages.Count();
      TVezoPDFExport pdf;
      pdf.ShowDialog = false;
      written = report.ExportToFile(&pdf, file);
    }
  }
  r.Seconds = timer.nsecsElapsed() / 1e9;
  std::printf("%.4f %.4f %d %lld %ld %ld\n", written ? r.Seconds : -1.0, r.BuildSeconds, r.Pages,
              static_cast<long long>(QFileInfo(file).size()), r.DataPeakKiB, PeakKiB());
  rpEngineEnd();
  return written ? 0 : 1;
}

TResult Run(const QString& kind, int rows) {
  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  child.start(QCoreApplication::applicationFilePath(), {kind, QString::number(rows)});
  TResult r;
  if (!child.waitForFinished(-1) || child.exitCode() != 0) return r;
  const QStringList f = QString::fromLatin1(child.readAllStandardOutput()).simplified().split(QLatin1Char(' '));
  if (f.size() != 6) return r;
  r.Seconds = f[0].toDouble();
  r.BuildSeconds = f[1].toDouble();
  r.Pages = f[2].toInt();
  r.Bytes = f[3].toLongLong();
  r.DataPeakKiB = f[4].toLong();
  r.PeakKiB = f[5].toLong();
  return r;
}

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc == 3) return RunChild(QString::fromLatin1(argv[1]), QString::fromLatin1(argv[2]).toInt());

  std::printf("Member list grouped by town (%d to a town), rows to a PDF file; peak MiB of each process, and its\n"
              "peak after filling the rows (data) before the work began\n",
              kMembersPerTown);
  std::printf("%7s %-22s %6s %9s %9s %9s %9s %9s %8s %8s\n", "rows", "run", "pages", "build s", "total s", "KiB",
              "data MiB", "peak MiB", "x time", "x peak");
  bool failed = false;
  for (int rows : {2000, 20000, 200000}) {
    const TResult qt = Run(QStringLiteral("qt"), rows);
    const TResult ours = Run(QStringLiteral("ours"), rows);
    failed |= qt.Seconds < 0 || ours.Seconds < 0;
    std::printf("%7d %-22s %6d %9s %9.3f %9lld %9.1f %9.1f\n", rows, "baseline: QPdfWriter", qt.Pages, "-", qt.Seconds,
                static_cast<long long>(qt.Bytes / 1024), qt.DataPeakKiB / 1024.0, qt.PeakKiB / 1024.0);
    std::printf("%7d %-22s %6d %9.3f %9.3f %9lld %9.1f %9.1f %8.2f %8.2f\n", rows, "engine: build + PDF", ours.Pages,
                ours.BuildSeconds, ours.Seconds, static_cast<long long>(ours.Bytes / 1024), ours.DataPeakKiB / 1024.0,
                ours.PeakKiB / 1024.0, ours.Seconds / qt.Seconds, double(ours.PeakKiB) / double(qt.PeakKiB));
  }
  std::printf("goal: at most 1.10 x time and 1.30 x peak memory at every size\n");
  return failed ? 1 : 0;
}
