#include "reports/engine/rpSubReportView.h"
#include "reports/engine/rpStream.h"

void TrpSubReportView::SaveToStream(TBinaryWriter& stream) {
  TrpView::SaveToStream(stream);
  rpWriteInteger(stream, SubPage);
}

void TrpSubReportView::LoadFromStream(TBinaryReader& stream) {
  TrpView::LoadFromStream(stream);
  SubPage = rpReadInteger(stream);
}
