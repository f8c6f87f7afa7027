#pragma once
#include "reports/engine/rpReport.h"
#include <QtCore/QList>
#include <QtCore/QPointer>

// Several reports built one after the other into this report's prepared
// pages (page numbers run on through all of them). A member whose first page
// prints on the previous page continues on the last page of the member before
// it when both use the same paper size and orientation. With a Dataset the
// whole list is built once per record. The members are not owned.
class TrpCompositeReport : public TrpReport {
  Q_OBJECT
public:
  using TrpReport::TrpReport;

  void BuildPages() override;
  void EndBuild() override;

  QList<QPointer<TrpReport>> MemberReports;

protected:
  QList<TrpReport*> TemplateReports() override;

private:
  // The members still alive, in list order.
  QList<TrpReport*> Members() const;
  // Whether `next` may continue on the page where `member` ends.
  bool MayAppend(TrpReport& member, TrpReport& next) const;
};
