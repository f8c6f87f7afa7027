// The report component's preview and build-progress side: the windows
// themselves live in the engine's window library and are reached through the
// TrpGlobals hooks, so the engine stays widget-free.
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include <QtCore/QCoreApplication>

namespace {

QString CaptionWithTitle(const QString& caption, const QString& title) {
  return title.isEmpty() ? caption : caption + QStringLiteral(" - ") + title;
}

} // namespace

void TrpReport::ReportProgress(int pageNumber) {
  if (OnProgress) {
    OnProgress(pageNumber);
    return;
  }
  TrpGlobals& g = rpGlobals();
  if (!ShowProgress || !g.ProgressText) return;
  g.ProgressText(ProgressText(pageNumber));
  // The window's cancel button must be heard while pages build.
  QCoreApplication::processEvents();
}

QString TrpReport::ProgressText(int pageNumber) const {
  const bool firstOfTwo = DoublePassReport && !FinalPass;
  QString text = (firstOfTwo ? QStringLiteral("Uskutočňujem 1. skok:") : QStringLiteral("Generovanie strany:")) +
                 QStringLiteral("  ") + QString::number(pageNumber);
  if (DoublePassReport && FinalPass) text += QStringLiteral(" z ") + QString::number(rpRun().TotalPages);
  return text;
}

bool TrpReport::RunPreparePassesShown() {
  TrpGlobals& g = rpGlobals();
  if (OnProgress || !ShowProgress || !g.ProgressWindow) return RunPreparePasses();
  bool result = false;
  const bool completed =
      g.ProgressWindow(*this, CaptionWithTitle(QStringLiteral("Príprava zostavy"), Title), [this, &result] {
        ReportProgress(1);
        result = RunPreparePasses();
      });
  if (!completed) {
    // A cancel that came after the last page still discards the pages.
    Terminated = true;
    EMFPages.Clear();
  }
  return completed && result;
}

void TrpReport::ShowPreview() {
  TrpGlobals& g = rpGlobals();
  TrpRunContext& run = rpRun();
  run.CurrentReport = this;
  run.RunReport = this;
  run.EngineMode = true;
  run.CurrentBand = nullptr;
  if (EMFPages.Count() == 0 || !g.PreviewWindow) return;
  g.PreviewWindow(*this, CaptionWithTitle(QStringLiteral("Ukážka"), Title));
}

void TrpReport::BuildAndShow() {
  BuildPreparedPages();
  ShowPreview();
}
