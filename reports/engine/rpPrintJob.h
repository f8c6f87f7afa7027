#pragma once
#include <QtCore/QList>
#include <QtCore/QString>

// The arguments of one print of prepared pages: the page list ("" all pages,
// "1,3-5", "2-" to the end), copies, collation and the odd/even choice
// (0 all, 1 odd, 2 even; any other value prints nothing).
struct TrpPrintSettings {
  QString PageList;
  int Copies = 1;
  bool Collate = true;
  int OddEven = 0;
  bool operator==(const TrpPrintSettings&) const = default;
};

// The 1-based numbers of the pages a page list names, ascending and each once,
// limited to 1..pageCount; an empty list names every page. Blanks are
// ignored, a list ending in "-" runs to the last page, and a range whose end
// lies below its start names nothing. Raises Exception for text that is not a
// page list.
QList<int> rpParsePageList(const QString& text, int pageCount);

// More copies than this are taken as this many (a mistyped count must not
// queue millions of pages).
constexpr int kMaxPrintCopies = 999;

// What the printer gets: the page numbers in print order, and the copy count
// the driver itself makes of each page.
struct TrpPrintPlan {
  QList<int> Pages;
  int DeviceCopies = 1;
  bool operator==(const TrpPrintPlan&) const = default;
};

// The print order of the settings over a report of `pageCount` pages: pages
// in page order, filtered by the odd/even choice; collated copies repeat the
// whole run, uncollated copies repeat each page unless the driver makes them
// (`driverCopies`). Copies below 1 count as 1, above kMaxPrintCopies as that. Raises like rpParsePageList.
TrpPrintPlan rpPlanPrint(const TrpPrintSettings& settings, int pageCount, bool driverCopies);
