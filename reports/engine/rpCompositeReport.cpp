#include "reports/engine/rpCompositeReport.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpGlobals.h"

QList<TrpReport*> TrpCompositeReport::Members() const {
  QList<TrpReport*> members;
  for (const QPointer<TrpReport>& member : MemberReports)
    if (member && member.data() != this) members.append(member.data());
  return members;
}

QList<TrpReport*> TrpCompositeReport::TemplateReports() { return Members(); }

void TrpCompositeReport::EndBuild() {
  TrpReport::EndBuild();
  for (TrpReport* member : Members())
    member->EndBuild();
}

bool TrpCompositeReport::MayAppend(TrpReport& member, TrpReport& next) const {
  if (next.Pages.Count() == 0 || !next.Pages.GetPage(0)->PrintToPrevPage) return false;
  const TrpPage& first = *next.Pages.GetPage(0);
  // Before any page was prepared the member's last template page stands for the page it ends on.
  if (EMFPages.Count() == 0) {
    if (member.Pages.Count() == 0) return false;
    const TrpPage& last = *member.Pages.GetPage(member.Pages.Count() - 1);
    return last.Orientation == first.Orientation && last.PaperSize == first.PaperSize;
  }
  const TrpEMFPage& last = EMFPages.GetPage(EMFPages.Count() - 1);
  return last.Orientation == first.Orientation && last.PaperSize == first.PaperSize;
}

void TrpCompositeReport::BuildPages() {
  TrpRunContext& g = rpRun();
  CanRebuild = true;
  g.PageNumber = 0;
  TrpDataset* data = Dataset();
  if (data) {
    data->Init();
    data->First();
  }
  const QList<TrpReport*> members = Members();
  do {
    for (qsizetype i = 0; i < members.size() && !Terminated; ++i) {
      TrpReport& member = *members[i];
      // Each record of the driving data set starts from the member's own template again.
      const QByteArray kept = data ? member.SaveToStream() : QByteArray();
      g.AppendNextReport = i + 1 < members.size() && MayAppend(member, *members[i + 1]);
      member.Terminated = false;
      member.BuildPages();
      if (member.Terminated || g.BuildAborted) Terminated = true;
      if (data) member.LoadFromStream(kept, false);
      g.AppendPage = g.AppendNextReport;
      g.AppendNextReport = false;
    }
    if (data) data->Next();
  } while (data && !Terminated && !data->Eof());
  if (data) data->Exit();
  g.CurrentReport = this;
}
