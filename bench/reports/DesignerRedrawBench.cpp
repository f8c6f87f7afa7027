// A page of 1,000 text objects in the designer's workspace: redrawing the
// region of one object (as after an edit) beside redrawing the whole page, in
// the same run. The goal is at most a tenth of the whole page's time. Each
// side runs in a process of its own, so that its peak memory is its own.
#include "bench/support/BenchSides.h"
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

// One side in this process, "page" or "region": prints "milliseconds peak-KiB".
int RunChild(const QString& side) {
  rpEngineStart();
  double ms = 0;
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
    Milliseconds(workspace, canvas, 10000, whole); // warm the font caches
    if (side == QLatin1String("page")) {
      ms = Milliseconds(workspace, canvas, 10000, whole);
    } else {
      const int middle = kObjects / 2;
      ms = Milliseconds(workspace, canvas, middle, QRegion(page.GetObject(middle)->ObjectRegion(true)));
    }
  }
  std::printf("%.4f %ld\n", ms, OwnPeakKiB());
  rpEngineEnd();
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc == 2) return RunChild(QString::fromLatin1(argv[1]));
  const QStringList page = RunSide({QStringLiteral("page")});
  const QStringList region = RunSide({QStringLiteral("region")});
  if (page.size() != 2 || region.size() != 2) return 1;
  std::printf("designer redraw, %d text objects, %d rounds each; each side in its own process\n", kObjects, kRounds);
  PrintFiguresHeader("milliseconds a redraw");
  PrintFigure("one object's region / whole page", region[0].toDouble(), page[0].toDouble(), region[1].toLong(),
              page[1].toLong());
  std::printf("goal: ratio at most 0.10\n");
  return 0;
}
