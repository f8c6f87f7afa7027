#include "reports/objects/rpCrossLists.h"
#include "reports/engine/rpReport.h"
#include "reports/objects/rpCrossView.h"

namespace {

// The object's own handlers of the four events.
TrpCrossHandlers HandlersOf(TrpCrossView* view) {
  return {[view] { view->BeforeBuild(); },
          [view](QStringList& lines, TrpView* object) { view->BeforePrint(lines, object); },
          [view](int column, int& width) { view->PrintColumn(column, width); }, [view] { view->EndDoc(); }};
}

TrpCrossHandlers ReportHandlers(const TrpReport& report) {
  return {report.OnBeforeBuild, report.OnBeforePrint, report.OnPrintColumn, report.OnEndDoc};
}

void SetReportHandlers(TrpReport& report, const TrpCrossHandlers& handlers) {
  report.OnBeforeBuild = handlers.BeforeBuild;
  report.OnBeforePrint = handlers.BeforePrint;
  report.OnPrintColumn = handlers.PrintColumn;
  report.OnEndDoc = handlers.EndDoc;
}

} // namespace

void TrpCrossList::Hook(TrpCrossView* view) {
  Views.append(view);
  if (!Report) return;
  view->Saved = ReportHandlers(*Report);
  SetReportHandlers(*Report, HandlersOf(view));
}

void TrpCrossList::Unhook(TrpCrossView* view) {
  const qsizetype index = Views.indexOf(view);
  if (index < 0) return;
  Views.removeAt(index);
  if (!Report) return;
  // Back to the state before the object joined, then the later ones join again in order.
  SetReportHandlers(*Report, view->Saved);
  if (Views.isEmpty()) return;
  for (qsizetype i = index; i < Views.size(); ++i)
    Views[i]->Saved = i == 0 ? ReportHandlers(*Report) : HandlersOf(Views[i - 1]);
  SetReportHandlers(*Report, HandlersOf(Views.last()));
}

TrpCrossList* TrpCrossLists::ListOf(const TrpReport* report) const {
  for (const auto& list : lists_)
    if (list->Report == report) return list.get();
  return nullptr;
}

void TrpCrossLists::AddView(TrpCrossView* view) {
  TrpCrossList* list = ListOf(view->Report);
  if (!list) {
    lists_.append(std::make_shared<TrpCrossList>(view->Report));
    list = lists_.last().get();
  }
  list->Hook(view);
}

void TrpCrossLists::RemoveView(TrpCrossView* view) {
  for (qsizetype i = 0; i < lists_.size(); ++i) {
    if (!lists_[i]->Views.contains(view)) continue;
    lists_[i]->Unhook(view);
    if (lists_[i]->Views.isEmpty()) lists_.removeAt(i);
    return;
  }
}

TrpCrossLists& rpCrossLists() {
  static TrpCrossLists lists;
  return lists;
}
