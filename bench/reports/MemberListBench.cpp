// A 20,000-row member list built to prepared pages: pages per second and the
// peak memory, beside a baseline that walks the same rows and formats the same
// texts without the engine.
#include "util/UxMemDS.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpDBDataSet.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReport.h"
#include <QtCore/QElapsedTimer>
#include <QtGui/QGuiApplication>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kRows = 20000;

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void Fill(TUxMemoryData& data) {
  TUxFieldDef name;
  name.Name = QStringLiteral("PRIEZVISKO");
  name.DataType = TUxFieldType::String;
  name.Size = 40;
  TUxFieldDef town = name;
  town.Name = QStringLiteral("OBEC");
  TUxFieldDef fee;
  fee.Name = QStringLiteral("POPLATOK");
  fee.DataType = TUxFieldType::Integer;
  data.AddFieldDef(name);
  data.AddFieldDef(town);
  data.AddFieldDef(fee);
  data.Open();
  for (int i = 1; i <= kRows; ++i) {
    data.Append();
    data.FieldByName(QStringLiteral("PRIEZVISKO")).SetValue(QStringLiteral("Rybár %1").arg(i));
    data.FieldByName(QStringLiteral("OBEC")).SetValue(QStringLiteral("Obec %1").arg(i % 37));
    data.FieldByName(QStringLiteral("POPLATOK")).SetValue(i % 50);
    data.Post();
  }
}

void AddText(TrpPage* page, int left, int top, int width, const QString& text) {
  auto memo = std::make_unique<TrpMemoView>();
  memo->SetBounds(left, top, width, 18);
  memo->Memo = QStringList{text};
  memo->Flags &= quint16(~mfStretched);
  page->Add(std::move(memo));
}

TrpBandView* AddBand(TrpPage* page, int type, int top, int height, quint16 flags, const QString& source) {
  auto band = std::make_unique<TrpBandView>();
  band->SetBandType(type);
  band->SetBounds(0, top, 720, height);
  band->Flags = flags;
  band->DisplayFormatText = source;
  band->Name = QStringLiteral("Band%1").arg(type);
  return static_cast<TrpBandView*>(page->Add(std::move(band)));
}

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  rpEngineStart();
  QObject owner;
  TUxMemoryData data;
  Fill(data);
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
  report.DoublePassReport = true;
  TrpPage* page = report.Pages.GetPage(0);
  AddBand(page, 2, 20, 20, 0, {});
  AddText(page, 10, 20, 300, QStringLiteral("Zoznam členov"));
  AddBand(page, 5, 100, 18, 0, QStringLiteral("Clenovia"));
  AddText(page, 10, 100, 60, QStringLiteral("[LINE#]"));
  AddText(page, 80, 100, 250, QStringLiteral("[Clenovia.\"PRIEZVISKO\"]"));
  AddText(page, 340, 100, 200, QStringLiteral("[Clenovia.\"OBEC\"]"));
  AddText(page, 560, 100, 100, QStringLiteral("[Clenovia.\"POPLATOK\"]"));
  AddBand(page, 3, 300, 20, bfOnFirstPage | bfOnLastPage, {});
  AddText(page, 10, 300, 300, QStringLiteral("Strana [PAGE#] z [TOTALPAGES]"));
  AddBand(page, 1, 200, 20, 0, {});
  AddText(page, 10, 200, 300, QStringLiteral("Spolu [SUM([Clenovia.\"POPLATOK\"], Band5)]"));

  timer.restart();
  const bool built = report.BuildPreparedPages();
  const double seconds = timer.nsecsElapsed() / 1e9;
  const int pages = report.EMFPages.Count();
  qint64 bytes = 0;
  for (int i = 0; i < pages; ++i) bytes += report.EMFPages.GetPage(i).Stream.size();

  std::printf("%-34s %12s %14s %14s\n", "20000-row member list", "seconds", "rows/s", "peak KiB");
  std::printf("%-34s %12.3f %14.0f %14ld\n", "baseline: walk and format rows", baselineSeconds,
              kRows / baselineSeconds, baselinePeak);
  std::printf("%-34s %12.3f %14.0f %14ld\n", "engine: two-pass build", seconds, kRows / seconds, PeakKiB());
  std::printf("pages built: %d (%s), %.1f pages/s, prepared streams %lld KiB, baseline characters %lld\n", pages,
              built ? "ok" : "FAILED", pages / seconds, static_cast<long long>(bytes / 1024),
              static_cast<long long>(characters));
  rpEngineEnd();
  return built ? 0 : 1;
}
