#include "MemberListReport.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpMemoView.h"

namespace {

void AddText(TrpPage* page, int left, int top, int width, const QString& text) {
  auto memo = std::make_unique<TrpMemoView>();
  memo->SetBounds(left, top, width, 18);
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

void FillMembers(TUxMemoryData& data, int rows) {
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
    data.FieldByName(QStringLiteral("OBEC")).SetValue(QStringLiteral("Obec %1").arg(i % 37));
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
