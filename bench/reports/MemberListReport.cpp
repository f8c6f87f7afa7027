#include "MemberListReport.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpMemoView.h"

namespace {

void AddText(TrpPage* page, int left, int top, int width, const QString& text, int height = 18) {
  auto memo = std::make_unique<TrpMemoView>();
  memo->SetBounds(left, top, width, height);
  memo->Memo = QStringList{text};
  memo->Flags &= quint16(~mfStretched);
  page->Add(std::move(memo));
}

void AddBand(TrpPage* page, int type, int top, int height, quint16 flags, const QString& source) {
  auto band = std::make_unique<TrpBandView>();
  band->SetBandType(type);
  band->SetBounds(0, top, 720, height);
  band->Flags = flags;
  band->DisplayFormatText = source;
  band->Name = QStringLiteral("Band%1").arg(type);
  page->Add(std::move(band));
}

} // namespace

void FillMembers(TUxMemoryData& data, int rows, int membersPerTown) {
  TUxFieldDef name;
  name.Name = QStringLiteral("PRIEZVISKO");
  name.DataType = TUxFieldType::String;
  name.Size = 40;
  TUxFieldDef town = name;
  town.Name = QStringLiteral("OBEC");
  TUxFieldDef fee;
  fee.Name = QStringLiteral("POPLATOK");
  fee.DataType = TUxFieldType::Integer;
  data.AddFieldDef(name);
  data.AddFieldDef(town);
  data.AddFieldDef(fee);
  data.Open();
  for (int i = 1; i <= rows; ++i) {
    data.Append();
    data.FieldByName(QStringLiteral("PRIEZVISKO")).SetValue(QStringLiteral("Rybár %1").arg(i));
    data.FieldByName(QStringLiteral("OBEC"))
        .SetValue(QStringLiteral("Obec %1").arg(membersPerTown > 0 ? (i - 1) / membersPerTown : i % 37));
    data.FieldByName(QStringLiteral("POPLATOK")).SetValue(i % 50);
    data.Post();
  }
}

void AddMemberListPage(TrpReport& report) {
  report.DoublePassReport = true;
  TrpPage* page = report.Pages.GetPage(0);
  AddBand(page, 2, 20, 20, 0, {});
  AddText(page, 10, 20, 300, QStringLiteral("Zoznam členov"));
  AddBand(page, 5, 100, 18, 0, QStringLiteral("Clenovia"));
  AddText(page, 10, 100, 60, QStringLiteral("[LINE#]"));
  AddText(page, 80, 100, 250, QStringLiteral("[Clenovia.\"PRIEZVISKO\"]"));
  AddText(page, 340, 100, 200, QStringLiteral("[Clenovia.\"OBEC\"]"));
  AddText(page, 560, 100, 100, QStringLiteral("[Clenovia.\"POPLATOK\"]"));
  AddBand(page, 3, 300, 20, bfOnFirstPage | bfOnLastPage, {});
  AddText(page, 10, 300, 300, QStringLiteral("Strana [PAGE#] z [TOTALPAGES]"));
  AddBand(page, 1, 200, 20, 0, {});
  AddText(page, 10, 200, 300, QStringLiteral("Spolu [SUM([Clenovia.\"POPLATOK\"], Band5)]"));
}

void AddMemberGroupsPage(TrpReport& report) {
  using L = TMemberGroupsLayout;
  report.DoublePassReport = true;
  TrpPage* page = report.Pages.GetPage(0);
  page->TopMargin = L::kTopMargin;
  page->BottomMargin = L::kBottomMargin;
  AddBand(page, btPageHeader, 20, L::kPageHeader, 0, {});
  AddText(page, 10, 20, 300, QStringLiteral("Zoznam členov podľa obcí"), L::kPageHeader);
  AddBand(page, btGroupHeader, 60, L::kGroupHeader, 0, QStringLiteral("[Clenovia.\"OBEC\"]"));
  AddText(page, 10, 60, 300, QStringLiteral("[Clenovia.\"OBEC\"]"), L::kGroupHeader);
  AddBand(page, btMasterData, 100, L::kRow, 0, QStringLiteral("Clenovia"));
  const QString rowTexts[4] = {QStringLiteral("[LINE#]"), QStringLiteral("[Clenovia.\"PRIEZVISKO\"]"),
                               QStringLiteral("[Clenovia.\"OBEC\"]"), QStringLiteral("[Clenovia.\"POPLATOK\"]")};
  for (int c = 0; c < 4; ++c)
    AddText(page, L::kRowColumns[c][0], 100, L::kRowColumns[c][1], rowTexts[c], L::kRow);
  AddBand(page, btGroupFooter, 140, L::kGroupFooter, 0, {});
  AddText(page, 340, 140, 320, QStringLiteral("Spolu za obec [SUM([Clenovia.\"POPLATOK\"], Band5)]"), L::kGroupFooter);
  AddBand(page, btReportSummary, 200, L::kSummary, 0, {});
  AddText(page, 340, 200, 320, QStringLiteral("Spolu [SUM([Clenovia.\"POPLATOK\"], Band5)]"), L::kSummary);
  AddBand(page, btPageFooter, 300, L::kPageFooter, bfOnFirstPage | bfOnLastPage, {});
  AddText(page, 10, 300, 300, QStringLiteral("Strana [PAGE#] z [TOTALPAGES]"), L::kPageFooter);
}
