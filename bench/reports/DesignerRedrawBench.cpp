// A page of 1,000 text objects in the designer's workspace: redrawing the
// region of one object (as after an edit) beside redrawing the whole page, in
// the same run. The goal is at most a tenth of the whole page's time.
#include "reports/designer/rpDesignerPage.h"
#include "reports/designer/rpDesignerSelection.h"
#include "reports/designer/rpDesignerSettings.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReport.h"
#include <QtCore/QElapsedTimer>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <cstdio>

namespace {

constexpr int kObjects = 1000;
constexpr int kRounds = 20;

// Forty columns of 25 rows of small texts.
void FillPage(TrpPage& page) {
  for (int i = 0; i < kObjects; ++i) {
    auto memo = std::make_unique<TrpMemoView>();
    memo->SetBounds(20 + (i % 40) * 18, 20 + (i / 40) * 40, 17, 36);
    memo->Memo = QStringList{QStringLiteral("T%1").arg(i)};
    memo->Name = QStringLiteral("Text%1").arg(i + 1);
    page.Add(std::move(memo));
  }
}

double Milliseconds(TrpDesignerPage& workspace, QImage& canvas, int upTo, const QRegion& clip) {
  QElapsedTimer timer;
  timer.start();
  for (int round = 0; round < kRounds; ++round) {
    QPainter painter(&canvas);
    workspace.Draw(painter, upTo, clip);
  }
  return timer.nsecsElapsed() / 1e6 / kRounds;
}

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  rpEngineStart();
  {
    TrpReport report;
    TrpPage& page = *report.Pages.GetPage(0);
    FillPage(page);
    TrpDesignerSettings settings;
    TrpDesignerSelection selection;
    selection.SetPage(&page);
    TrpDesignerPage workspace(settings, selection, nullptr);
    workspace.SetPage(&page);
    workspace.resize(page.PrnInfo.Width, page.PrnInfo.Height);
    QImage canvas(workspace.size(), QImage::Format_RGB32);
    const QRegion whole(canvas.rect());
    const int middle = kObjects / 2;
    const QRegion one(page.GetObject(middle)->ObjectRegion(true));
    Milliseconds(workspace, canvas, 10000, whole); // warm the font caches
    const double wholePage = Milliseconds(workspace, canvas, 10000, whole);
    const double region = Milliseconds(workspace, canvas, middle, one);
    std::printf("designer redraw, %d text objects, %d rounds each\n", kObjects, kRounds);
    std::printf("  whole page (baseline)   %8.3f ms\n", wholePage);
    std::printf("  one object's region     %8.3f ms  (%.1f %% of the whole page; goal at most 10 %%)\n", region,
                100.0 * region / wholePage);
  }
  rpEngineEnd();
  return 0;
}
