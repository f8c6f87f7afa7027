#pragma once
#include "reports/engine/rpDBDataSet.h"
#include "reports/engine/rpReport.h"
#include "util/UxMemDS.h"

// The benchmarks' member list: `rows` members in memory and a two-pass
// report over them (title, one data band of four texts, page footer with
// page numbers, summary with a total).
constexpr int kMemberRows = 20000;

void FillMembers(TUxMemoryData& data, int rows = kMemberRows);

// Lays the member list out on the report's first page, walking `members`.
void AddMemberListPage(TrpReport& report);
