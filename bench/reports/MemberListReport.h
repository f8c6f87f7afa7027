#pragma once
#include "reports/engine/rpDBDataSet.h"
#include "reports/engine/rpReport.h"
#include "util/UxMemDS.h"

// The benchmarks' member list: `rows` members in memory and a two-pass
// report over them (title, one data band of four texts, page footer with
// page numbers, summary with a total).
constexpr int kMemberRows = 20000;

// Towns are mixed (member i lives in town i % 37) when `membersPerTown` is 0,
// otherwise the members come town by town, `membersPerTown` to a town.
void FillMembers(TUxMemoryData& data, int rows = kMemberRows, int membersPerTown = 0);

// Lays the member list out on the report's first page, walking `members`.
void AddMemberListPage(TrpReport& report);

// The member list grouped by town (members filled town by town): page header,
// group header with the town, the data band of four texts, group footer with
// the town's total, summary with the grand total and the page footer
// "Strana n z N". Each band's top and height are below, so that a program
// drawing the same list can use the same layout.
struct TMemberGroupsLayout {
  static constexpr int kTopMargin = 38, kBottomMargin = 38; // report units (about 10 mm)
  static constexpr int kPageHeader = 30, kGroupHeader = 22, kRow = 18, kGroupFooter = 22, kSummary = 24,
                       kPageFooter = 20;
  static constexpr int kRowColumns[4][2] = {{10, 60}, {80, 250}, {340, 200}, {560, 100}}; // left, width
};
void AddMemberGroupsPage(TrpReport& report);
