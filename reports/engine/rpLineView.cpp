#include "reports/engine/rpLineView.h"
#include "reports/engine/rpGlobals.h"

TrpLineView::TrpLineView() {
  SetKind(4, QStringLiteral("Line"), QStringLiteral("TrpLineView"));
  FrameTyp = 4;
  FillColor = clWhite;
  Flags = 1;
}

void TrpLineView::ListProperties() {
  ListViewProperties(true);
  AddPropertyRec(QStringLiteral("Stretched"), ptBoolean);
}

void TrpLineView::MakeLine() {
  if (Height < Width) {
    Height = 0;
    FrameTyp = 8;
  } else {
    Width = 0;
    FrameTyp = 4;
  }
}

void TrpLineView::Draw(TrpRunContext& run, QPainter* canvas) {
  PrepareDrawing(run, canvas);
  MakeLine();
  ToDeviceCoords(!run.EngineMode);
  PaintFrame(run);
  RestoreDesignCoords();
}

void TrpLineView::WriteXmlElement(QString& element) {
  TrpView::WriteXmlElement(element);
  if (!(Flags & 1)) rpXmlAttribute(element, QStringLiteral("Stretched"), QStringLiteral("False"));
}
