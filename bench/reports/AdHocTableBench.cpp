// A 20,000-row, 10-column data set printed as an ad-hoc table into prepared
// pages, beside the same ten fields printed from a template over the same
// data in the same run. The table measures every text and prints its cells
// through the cross band, so it is expected to take longer; the goal is at
// most twice the template's time. Each side runs in a process of its own, so
// that its peak memory is its own.
#include "bench/support/BenchSides.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpDBDataSet.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPrintTable.h"
#include "reports/engine/rpReport.h"
#include "util/UxMemDS.h"
#include <QtCore/QElapsedTimer>
#include <QtGui/QGuiApplication>
#include <cstdio>

namespace {

constexpr int kRows = 20000;
constexpr int kColumns = 10;

void Fill(TUxMemoryData& data) {
  for (int c = 1; c <= kColumns; ++c) {
    TUxFieldDef def;
    def.Name = QStringLiteral("F%1").arg(c);
    def.DataType = c % 2 ? TUxFieldType::String : TUxFieldType::Integer;
    def.Size = 20;
    data.AddFieldDef(def);
  }
  data.Open();
  for (int i = 1; i <= kRows; ++i) {
    data.Append();
    for (int c = 1; c <= kColumns; ++c)
      data.FieldByNumber(c - 1).SetValue(c % 2 ? QVariant(QStringLiteral("Text %1").arg(i % 97)) : QVariant(i % 1000));
    data.Post();
  }
}

// The ten fields side by side, 60 units each, from x 28.
void FillTemplate(TrpReport& report) {
  TrpPage* page = report.Pages.GetPage(0);
  auto band = std::make_unique<TrpBandView>();
  band->SetBandType(btMasterData);
  band->SetBounds(0, 100, 720, 18);
  band->Flags |= bfStretched;
  band->DisplayFormatText = QStringLiteral("Data");
  band->Name = QStringLiteral("Rows");
  page->Add(std::move(band));
  for (int c = 1; c <= kColumns; ++c) {
    auto memo = std::make_unique<TrpMemoView>();
    memo->SetBounds(28 + (c - 1) * 60, 100, 60, 18);
    memo->Memo = QStringList{QStringLiteral("[Data.\"F%1\"]").arg(c)};
    memo->Flags = mfStretched | mfWordWrap;
    memo->FrameTyp = 15;
    page->Add(std::move(memo));
  }
}

double Seconds(const std::function<bool()>& run, bool& ok) {
  QElapsedTimer timer;
  timer.start();
  ok = run();
  return timer.nsecsElapsed() / 1e9;
}

// One side in this process, "template" or "table": prints "seconds pages peak-KiB".
int RunChild(const QString& side) {
  rpEngineStart();
  QObject owner;
  TUxMemoryData data;
  Fill(data);
  TrpDBDataSet walker(&owner);
  walker.setObjectName(QStringLiteral("Data"));
  walker.SetDataSet(&data);
  bool ok = false;
  double seconds = 0;
  int pages = 0;
  if (side == QLatin1String("template")) {
    TrpReport report(&owner);
    FillTemplate(report);
    seconds = Seconds([&] { return report.BuildPreparedPages(); }, ok);
    pages = report.EMFPages.Count();
  } else {
    TrpPrintTable table(&owner);
    table.DataSet = &data;
    table.AutoOrientation.Enabled = false;
    seconds = Seconds(
        [&] {
          table.BuildAdHocReport();
          return table.Report().BuildPreparedPages();
        },
        ok);
    pages = table.Report().EMFPages.Count();
  }
  std::printf("%.4f %d %ld\n", seconds, pages, OwnPeakKiB());
  rpEngineEnd();
  return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc == 2) return RunChild(QString::fromLatin1(argv[1]));
  const QStringList base = RunSide({QStringLiteral("template")});
  const QStringList table = RunSide({QStringLiteral("table")});
  if (base.size() != 3 || table.size() != 3) return 1;
  std::printf("%d rows x %d columns into prepared pages; each side in its own process\n", kRows, kColumns);
  std::printf("pages: ad-hoc table %s, template %s\n", qPrintable(table[1]), qPrintable(base[1]));
  PrintFiguresHeader("seconds");
  PrintFigure("ad-hoc table / template of the ten fields", table[0].toDouble(), base[0].toDouble(), table[2].toLong(),
              base[2].toLong());
  std::printf("goal: ratio at most 2\n");
  return 0;
}
