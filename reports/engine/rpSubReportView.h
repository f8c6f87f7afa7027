#pragma once
#include "reports/engine/rpView.h"

// Stands for another template page (SubPage, counted from 0) printed in its place.
class TrpSubReportView : public TrpView {
public:
  TrpSubReportView() { SetKind(3, QStringLiteral("SubReport"), QStringLiteral("TrpSubReportView")); }
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;
  // The designer's placeholder: a white rectangle with the object's name.
  void Draw(TrpRunContext& run, QPainter* canvas) override;

  qint32 SubPage = 0;
};
