#include "reports/engine/rpControl.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpLocale.h"
#include "reports/engine/rpPropertyStream.h"
#include <QtGui/QPainter>

TrpControl::TrpControl() {
  FillColor = clBtnFace;
  FrameTyp = 0;
}

void TrpControl::ListProperties() {
  ClearPropertyList();
  AddPropertyRec(QStringLiteral("Name"), ptText | ptSingleOnly);
  for (const char* n : {"Left", "Top", "Width", "Height"})
    AddPropertyRec(QLatin1String(n), ptUnitLength);
  AddPropertyRec(QStringLiteral("Visible"), ptBoolean);
  AddPropertyRec(QStringLiteral("Restrictions"), ptEditor);
}

void TrpControl::WriteProperty(const QString& name, const QVariant& value) {
  TrpView::WriteProperty(name, value);
  if (name.toUpper() == QLatin1String("VISIBLE")) ControlVisibilityChanged();
}

TrpNonVisualControl::TrpNonVisualControl() {
  Width = Height = 28;
  IconBitmap = rpGetLocale().LoadBitmapResource(QStringLiteral("RP_NONVISUALCOMPONENT"));
}

void TrpNonVisualControl::ListProperties() {
  ClearPropertyList();
  AddPropertyRec(QStringLiteral("Name"), ptText | ptSingleOnly);
  AddPropertyRec(QStringLiteral("Restrictions"), ptEditor);
}

void TrpNonVisualControl::WriteProperty(const QString& name, const QVariant& value) {
  TrpControl::WriteProperty(name, value);
  if (name.toUpper() == QLatin1String("NAME")) ComponentRenamed();
}

void TrpControl::Draw(TrpRunContext& run, QPainter* canvas) {
  PrepareDrawing(run, canvas);
  ToDeviceCoords(!run.EngineMode);
  PaintControlImage();
  RestoreDesignCoords();
}

void TrpNonVisualControl::Draw(TrpRunContext& run, QPainter* canvas) {
  Width = Height = 28;
  PrepareDrawing(run, canvas);
  ToDeviceCoords(!run.EngineMode);
  FillColor = clBtnFace;
  PaintBackground(run);
  PaintControlImage();
  RestoreDesignCoords();
}

void TrpNonVisualControl::PaintControlImage() {
  if (!DrawCanvas) return;
  QPainter& p = *DrawCanvas;
  p.save();
  const QRect r = DrawRect.adjusted(0, 0, -1, -1);
  // A raised edge: light on the top and left, shadow on the bottom and right.
  p.setPen(rpPaintColor(clBtnHighlight));
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(rpPaintColor(clBtnShadow));
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
  if (!IconBitmap.isNull()) p.drawImage(QPoint(DrawRect.left() + 2, DrawRect.top() + 2), IconBitmap);
  p.restore();
}

void TrpNonVisualControl::WriteXmlElement(QString& element) {
  TrpView::WriteXmlElement(element);
  TrpPropertyStream properties;
  properties.Name(QStringLiteral("pLeft"));
  properties.Integer(Left);
  properties.Name(QStringLiteral("pTop"));
  properties.Integer(Top);
  properties.ListEnd();
  rpXmlAttribute(element, QStringLiteral("Propdata"), properties.Hex());
}
