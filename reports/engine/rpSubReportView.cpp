#include "reports/engine/rpSubReportView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpStream.h"
#include <QtGui/QPainter>

void TrpSubReportView::SaveToStream(TBinaryWriter& stream) {
  TrpView::SaveToStream(stream);
  rpWriteInteger(stream, SubPage);
}

void TrpSubReportView::LoadFromStream(TBinaryReader& stream) {
  TrpView::LoadFromStream(stream);
  SubPage = rpReadInteger(stream);
}

void TrpSubReportView::Draw(TrpRunContext& run, QPainter* canvas) {
  PrepareDrawing(run, canvas);
  FrameWidth = 1;
  ToDeviceCoords(!run.EngineMode);
  if (canvas) {
    canvas->save();
    canvas->setFont(QFont(QStringLiteral("Arial"), 8));
    canvas->setPen(QPen(Qt::black, 1));
    canvas->setBrush(Qt::white);
    canvas->drawRect(QRect(Left, Top, Width + 1, Height + 1));
    canvas->setBrush(Qt::NoBrush);
    canvas->setClipRect(DrawRect);
    canvas->drawText(QPoint(Left + 2, Top + 2 + canvas->fontMetrics().ascent()), Name);
    canvas->restore();
  }
  RestoreDesignCoords();
}

void TrpSubReportView::WriteXmlElement(QString& element) {
  TrpView::WriteXmlElement(element);
  rpXmlAttribute(element, QStringLiteral("Page"), QStringLiteral("Page%1").arg(SubPage + 1));
}
