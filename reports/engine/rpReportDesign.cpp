// The report's entry points into the designer window, which the designer
// library registers as TrpGlobals::DesignerWindow.
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include <QtCore/QScopeGuard>

namespace {

constexpr int kYesNoQuestion = 4 | 32; // mb_YesNo | mb_IconQuestion
constexpr int kAnswerYes = 6;

// A copy of every object of `from` appended to `to`, in order.
void CopyPageObjects(const TrpPage& from, TrpPage& to) {
  for (int i = 0; i < from.Count(); ++i) {
    TrpView* source = from.GetObject(i);
    std::unique_ptr<TrpView> copy = rpNewObjectOfType(source->ObjectKind, source->ClassName());
    if (!copy) continue;
    TrpView* added = to.Add(std::move(copy));
    added->Assign(*source);
  }
}

void TakePaperOfPreparedPage(const TrpEMFPage& entry, TrpPage& page) {
  page.PaperSize = entry.PaperSize;
  page.PaperWidth = entry.PaperWidth;
  page.PaperHeight = entry.PaperHeight;
  page.Orientation = entry.Orientation;
  page.Bin = entry.Bin;
  page.UseMargins = entry.UseMargins;
  page.LeftMargin = entry.LeftMargin;
  page.TopMargin = entry.TopMargin;
  page.RightMargin = entry.RightMargin;
  page.BottomMargin = entry.BottomMargin;
  page.PrnInfo = entry.PrnInfo;
}

} // namespace

int TrpReport::OpenDesigner() {
  TrpGlobals& g = rpGlobals();
  TrpRunContext& run = rpRun();
  if (!g.DesignerWindow) return 2;
  EnsureOnePage();
  run.CurrentReport = this;
  run.EngineMode = false;
  return g.DesignerWindow(*this, true);
}

bool TrpReport::EditPreparedPage(int index) {
  TrpGlobals& g = rpGlobals();
  TrpRunContext& run = rpRun();
  if (!g.DesignerWindow || index < 0 || index >= EMFPages.Count()) return false;
  const QByteArray keptTemplate = SaveToStream();
  const QString keptFileName = FileName;
  const bool keptModified = Modified;
  const auto restore = qScopeGuard([&] {
    LoadFromStream(keptTemplate, false);
    FileName = keptFileName;
    Modified = keptModified;
  });
  ClearTemplate();
  TrpPage* page = Pages.Add();
  const TrpEMFPage& entry = EMFPages.GetPage(index);
  TakePaperOfPreparedPage(entry, *page);
  CopyPageObjects(EMFPages.LoadPageObjects(index), *page);
  EMFPages.GetPage(index).PageObject.reset();
  run.CurrentReport = this;
  run.EngineMode = false;
  Modified = false;
  g.DesignerWindow(*this, false);
  if (!Modified || !g.MessageBox) return false;
  if (g.MessageBox(rpLoadStr(55306) + QLatin1Char('?'), rpLoadStr(55006), kYesNoQuestion) != kAnswerYes) return false;
  TrpPage& prepared = EMFPages.LoadPageObjects(index);
  prepared.Clear();
  CopyPageObjects(*Pages.GetPage(0), prepared);
  EMFPages.StorePageObjects(index);
  EMFPages.GetPage(index).PageObject.reset();
  return true;
}
