#include "reports/designer/rpDesignerPages.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpSubReportView.h"
#include "reports/engine/rpUtils.h"

namespace {

constexpr int kOverlayBand = 13;

bool IsBand(const TrpView* view) { return dynamic_cast<const TrpBandView*>(view) != nullptr; }

bool IsCrossBand(const TrpView* view) {
  const auto* band = dynamic_cast<const TrpBandView*>(view);
  return band && band->IsCrossBand();
}

int BandCount(const TrpPage& page) {
  int count = 0;
  for (int i = 0; i < page.Count(); ++i)
    count += IsBand(page.GetObject(i)) ? 1 : 0;
  return count;
}

// Calls `visit` with every subreport object of the report.
template <class Visit> void ForEachSubreport(const TrpReport& report, Visit visit) {
  for (int p = 0; p < report.Pages.Count(); ++p) {
    TrpPage* page = report.Pages.GetPage(p);
    for (int i = 0; i < page->Count(); ++i)
      if (auto* subreport = dynamic_cast<TrpSubReportView*>(page->GetObject(i))) visit(*subreport);
  }
}

} // namespace

void rpNormaliseObjectOrder(TrpPage& page) {
  // Bands to the front, keeping the order within bands and within the rest.
  int nextBand = 0;
  for (int i = 0; i < page.Count(); ++i)
    if (IsBand(page.GetObject(i))) page.MoveObject(i, nextBand++);
  for (int i = 0; i < page.Count(); ++i) {
    const auto* band = dynamic_cast<const TrpBandView*>(page.GetObject(i));
    if (band && band->GetBandType() == kOverlayBand) {
      page.MoveObject(i, 0);
      break;
    }
  }
  const int bands = BandCount(page);
  int crossBands = 0;
  for (int i = 0; i < bands - crossBands;) {
    if (IsCrossBand(page.GetObject(i))) {
      page.MoveObject(i, bands - 1);
      ++crossBands;
    } else {
      ++i;
    }
  }
}

QString rpPageTabCaption(const TrpReport& report, int index) {
  QString caption;
  ForEachSubreport(report, [&](TrpSubReportView& subreport) {
    if (caption.isEmpty() && subreport.SubPage == index) caption = subreport.Name;
  });
  return caption.isEmpty() ? rpLoadStr(55004) + QLatin1Char(' ') + QString::number(index + 1) : caption;
}

bool rpDeleteReportPage(TrpReport& report, int index) {
  if (report.Pages.Count() <= 1 || index < 0 || index >= report.Pages.Count()) return false;
  report.Pages.Delete(index);
  for (int p = 0; p < report.Pages.Count(); ++p) {
    TrpPage* page = report.Pages.GetPage(p);
    for (int i = page->Count() - 1; i >= 0; --i) {
      auto* subreport = dynamic_cast<TrpSubReportView*>(page->GetObject(i));
      if (!subreport) continue;
      if (subreport->SubPage == index)
        page->Delete(i);
      else if (subreport->SubPage > index)
        --subreport->SubPage;
    }
  }
  return true;
}

void rpMoveReportPage(TrpReport& report, int from, int to) {
  const int count = report.Pages.Count();
  if (from < 0 || from >= count || to < 0 || to >= count || from == to) return;
  ForEachSubreport(report, [&](TrpSubReportView& subreport) {
    const int target = subreport.SubPage;
    if (target == from)
      subreport.SubPage = to;
    else if (from < to && target > from && target <= to)
      --subreport.SubPage;
    else if (from > to && target >= to && target < from)
      ++subreport.SubPage;
  });
  report.Pages.Move(from, to);
}

TrpWorkspacePlacement rpPlaceWorkspace(int clientWidth, int pageWidth, int pageHeight, int pagePosition,
                                       int scrollBarWidth) {
  constexpr int top = 10;
  int left;
  if (clientWidth - 11 < pageWidth || pagePosition == 3)
    left = 10;
  else if (pagePosition == 5)
    left = (clientWidth - pageWidth) / 2;
  else
    left = clientWidth - pageWidth - 11;
  return {QRect(left, top, pageWidth, pageHeight),
          QSize(left + pageWidth + 10 - scrollBarWidth, top + pageHeight + 10)};
}
