#include "reports/engine/rpPrintJob.h"
#include "core/Exception.h"
#include "reports/engine/rpUtils.h"
#include <algorithm>

namespace {

[[noreturn]] void RefuseList(const QString& text) { throw Exception(rpLoadStr(58090).arg(text)); }

int PageNumberOf(const QString& item, const QString& list) {
  bool ok = false;
  const int number = item.toInt(&ok);
  // Only plain digits: a sign or a blank inside an item is not a page number.
  if (!ok || item.isEmpty() || !std::all_of(item.begin(), item.end(), [](QChar c) { return c.isDigit(); }))
    RefuseList(list);
  return number;
}

} // namespace

QList<int> rpParsePageList(const QString& text, int pageCount) {
  QString list = text;
  list.remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
  QList<bool> named(qsizetype(std::max(pageCount, 0)) + 1, list.isEmpty());
  if (list.endsWith(QLatin1Char('-'))) list += QString::number(pageCount);
  if (!list.isEmpty()) {
    for (const QString& item : list.split(QLatin1Char(','))) {
      const QStringList ends = item.split(QLatin1Char('-'));
      if (ends.size() > 2) RefuseList(text);
      const int first = PageNumberOf(ends.first(), text);
      const int last = PageNumberOf(ends.last(), text);
      // Clamped, so a range such as 1-999999999 costs no more than the report's pages.
      for (int page = std::max(first, 1); page <= std::min(last, pageCount); ++page)
        named[page] = true;
    }
  }
  QList<int> pages;
  for (int page = 1; page <= pageCount; ++page)
    if (named[page]) pages.append(page);
  return pages;
}

TrpPrintPlan rpPlanPrint(const TrpPrintSettings& settings, int pageCount, bool driverCopies) {
  QList<int> pages;
  for (int page : rpParsePageList(settings.PageList, pageCount)) {
    const bool wanted =
        settings.OddEven == 0 || (settings.OddEven == 1 && page % 2 == 1) || (settings.OddEven == 2 && page % 2 == 0);
    if (wanted) pages.append(page);
  }
  const int copies = std::clamp(settings.Copies, 1, kMaxPrintCopies);
  TrpPrintPlan plan;
  if (settings.Collate) {
    for (int copy = 0; copy < copies; ++copy)
      plan.Pages += pages;
  } else if (driverCopies) {
    plan.Pages = pages;
    plan.DeviceCopies = copies;
  } else {
    for (int page : pages)
      plan.Pages += QList<int>(copies, page);
  }
  return plan;
}
