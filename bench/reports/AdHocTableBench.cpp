// A 20,000-row, 10-column data set printed as an ad-hoc table into prepared
// pages, beside the same ten fields printed from a template over the same
// data in the same run. The table measures every text and prints its cells
// through the cross band, so it is expected to take longer; the goal is at
// most twice the template's time.
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

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  rpEngineStart();
  QObject owner;
  TUxMemoryData data;
  Fill(data);
  TrpDBDataSet walker(&owner);
  walker.setObjectName(QStringLiteral("Data"));
  walker.SetDataSet(&data);

  TrpReport report(&owner);
  FillTemplate(report);
  bool templateOk = false;
  const double templateSeconds = Seconds([&] { return report.BuildPreparedPages(); }, templateOk);
  const int templatePages = report.EMFPages.Count();

  TrpPrintTable table(&owner);
  table.DataSet = &data;
  table.AutoOrientation.Enabled = false;
  bool tableOk = false;
  const double tableSeconds = Seconds(
      [&] {
        table.BuildAdHocReport();
        return table.Report().BuildPreparedPages();
      },
      tableOk);
  const int tablePages = table.Report().EMFPages.Count();

  std::printf("%-40s %10s %10s %12s\n", "20000 rows x 10 columns", "seconds", "pages", "rows/s");
  std::printf("%-40s %10.3f %10d %12.0f\n", "baseline: template of the ten fields", templateSeconds, templatePages,
              kRows / templateSeconds);
  std::printf("%-40s %10.3f %10d %12.0f\n", "ad-hoc table (measure, fit, build)", tableSeconds, tablePages,
              kRows / tableSeconds);
  std::printf("ratio table / template: %.2f (goal: at most 2)%s\n", tableSeconds / templateSeconds,
              templateOk && tableOk ? "" : "  BUILD FAILED");
  rpEngineEnd();
  return templateOk && tableOk ? 0 : 1;
}
