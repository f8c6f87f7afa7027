// A 20,000-row member list built to prepared pages: pages per second and the
// peak memory, beside a baseline that walks the same rows and formats the same
// texts without the engine.
#include "MemberListReport.h"
#include "reports/engine/rpGlobals.h"
#include <QtCore/QElapsedTimer>
#include <QtGui/QGuiApplication>
#include <cstdio>
#include <sys/resource.h>

namespace {

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  rpEngineStart();
  QObject owner;
  TUxMemoryData data;
  FillMembers(data);
  TrpDBDataSet members(&owner);
  members.setObjectName(QStringLiteral("Clenovia"));
  members.SetDataSet(&data);

  // Baseline: the same rows and texts without bands and pages.
  QElapsedTimer timer;
  timer.start();
  qint64 characters = 0;
  for (data.First(); !data.Eof(); data.Next())
    characters += (data.FieldByName(QStringLiteral("PRIEZVISKO")).AsString() + QLatin1Char(' ') +
                   data.FieldByName(QStringLiteral("OBEC")).AsString() + QLatin1Char(' ') +
                   data.FieldByName(QStringLiteral("POPLATOK")).AsString())
                      .size();
  const double baselineSeconds = timer.nsecsElapsed() / 1e9;
  const long baselinePeak = PeakKiB();

  TrpReport report(&owner);
  AddMemberListPage(report);

  timer.restart();
  const bool built = report.BuildPreparedPages();
  const double seconds = timer.nsecsElapsed() / 1e9;
  const int pages = report.EMFPages.Count();
  qint64 bytes = 0;
  for (int i = 0; i < pages; ++i)
    bytes += report.EMFPages.GetPage(i).Stream.size();

  std::printf("%-34s %12s %14s %14s\n", "20000-row member list", "seconds", "rows/s", "peak KiB");
  std::printf("%-34s %12.3f %14.0f %14ld\n", "baseline: walk and format rows", baselineSeconds,
              kMemberRows / baselineSeconds, baselinePeak);
  std::printf("%-34s %12.3f %14.0f %14ld\n", "engine: two-pass build", seconds, kMemberRows / seconds, PeakKiB());
  std::printf("pages built: %d (%s), %.1f pages/s, prepared streams %lld KiB, baseline characters %lld\n", pages,
              built ? "ok" : "FAILED", pages / seconds, static_cast<long long>(bytes / 1024),
              static_cast<long long>(characters));
  rpEngineEnd();
  return built ? 0 : 1;
}
