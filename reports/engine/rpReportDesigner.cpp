#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpPage.h"

namespace {
TrpReportDesigner*& CurrentDesigner() {
  static TrpReportDesigner* designer = nullptr;
  return designer;
}
} // namespace

QList<TrpView*> TrpReportDesigner::SelectedObjects() const {
  QList<TrpView*> selected;
  for (int i = 0; Page && i < Page->Count(); ++i)
    if (Page->GetObject(i)->IsSelected) selected.append(Page->GetObject(i));
  return selected;
}

TrpReportDesigner* rpCurrentDesigner() { return CurrentDesigner(); }

void rpSetCurrentDesigner(TrpReportDesigner* designer) { CurrentDesigner() = designer; }

void rpSetFlagOfSelection(quint16 bit, bool set) {
  TrpReportDesigner* designer = rpCurrentDesigner();
  if (!designer) return;
  designer->BeforeChange();
  for (TrpView* view : designer->SelectedObjects())
    if (!(view->Restrictions & rrModify)) view->Flags = set ? view->Flags | bit : view->Flags & ~bit;
  designer->AfterChange();
}
