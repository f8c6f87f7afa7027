#include "reports/objects/rpRoundRectView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpValue.h"
#include "reports/objects/rpGradient.h"
#include "reports/objects/rpObjectUtils.h"
#include "reports/objects/rpRoundRectForm.h"
#include <QtGui/QPainter>

TrpRoundRectView::TrpRoundRectView() {
  SetKind(10, QStringLiteral("RoundRect"), QStringLiteral("TrpRoundRectView"));
  FrameTyp = 0xFF;
  rpSetScriptConstant("gsHorizontal", gsHorizontal);
  rpSetScriptConstant("gsVertical", gsVertical);
  rpSetScriptConstant("gsElliptic", gsElliptic);
  rpSetScriptConstant("gsRectangle", gsRectangle);
  rpSetScriptConstant("gsVertCenter", gsVertCenter);
  rpSetScriptConstant("gsHorizCenter", gsHorizCenter);
}

void TrpRoundRectView::WriteProperty(const QString& name, const QVariant& value) {
  TrpMemoView::WriteProperty(name, value);
  const QString n = name.toUpper();
  const auto asInt = [&] { return qint32(rpValueToInteger(value)); };
  if (n == QLatin1String("SHADOWCOLOR") || n == QLatin1String("BEGINCOLOR"))
    ShadowColor = asInt();
  else if (n == QLatin1String("SHADOWWIDTH"))
    ShadowWidth = asInt();
  else if (n == QLatin1String("ROUNDRECT"))
    RoundRect = asInt() != 0;
  else if (n == QLatin1String("ROUNDSIZE") || n == QLatin1String("STYLE"))
    RoundSize = asInt();
  else if (n == QLatin1String("ENDCOLOR"))
    FillColor = asInt();
  else if (n == QLatin1String("GRADIENT")) {
    if (asInt() != 0) {
      ShadowWidth = kGradientMode;
      RoundSize = 0;
    } else {
      ShadowWidth = 10;
    }
  }
}

QVariant TrpRoundRectView::ReadProperty(const QString& name) {
  const QVariant result = TrpMemoView::ReadProperty(name);
  if (!rpIsNull(result)) return result;
  const QString n = name.toUpper();
  if (n == QLatin1String("SHADOWCOLOR") || n == QLatin1String("BEGINCOLOR")) return rpIntegerValue(ShadowColor);
  if (n == QLatin1String("SHADOWWIDTH")) return rpIntegerValue(ShadowWidth);
  if (n == QLatin1String("ROUNDRECT")) return RoundRect;
  if (n == QLatin1String("ROUNDSIZE")) return rpIntegerValue(RoundSize);
  if (n == QLatin1String("GRADIENT")) return IsGradient();
  if (n == QLatin1String("STYLE")) return rpIntegerValue(IsGradient() ? RoundSize : 0);
  if (n == QLatin1String("ENDCOLOR")) return rpIntegerValue(FillColor);
  return result;
}

void TrpRoundRectView::ListProperties() {
  TrpMemoView::ListProperties();
  AddPropertyRec(QStringLiteral("ShadowColor"), ptColor);
  AddPropertyRec(QStringLiteral("ShadowWidth"), ptInteger);
  AddPropertyRec(QStringLiteral("RoundRect"), ptBoolean);
  AddPropertyRec(QStringLiteral("RoundSize"), ptInteger);
  AddPropertyRec(QStringLiteral("Gradient"), ptBoolean);
  AddEnumPropertyRec(QStringLiteral("Style"),
                     QStringLiteral("gsVertical;gsHorizontal;gsElliptic;gsRectangle;gsHorizCenter;gsVertCenter"),
                     QVariantList{1, 0, 2, 3, 5, 4});
  AddPropertyRec(QStringLiteral("BeginColor"), ptColor);
  AddPropertyRec(QStringLiteral("EndColor"), ptColor);
}

void TrpRoundRectView::ToDeviceCoords(bool designing) {
  TrpMemoView::ToDeviceCoords(designing);
  if (!IsGradient()) {
    DrawRect.setRight(DrawRect.right() - ShadowWidth);
    DrawRect.setBottom(DrawRect.bottom() - ShadowWidth);
  }
  GapX += RoundSize / 4;
  GapY += RoundSize / 4;
}

void TrpRoundRectView::PaintBackground(const TrpRunContext& run) {
  if (run.EngineMode || IsGradient()) return;
  const QRect keptRect = DrawRect;
  const TColor keptFill = FillColor;
  DrawRect = QRect(Left, Top, Width + 1, Height + 1);
  FillColor = clWhite;
  TrpMemoView::PaintBackground(run);
  DrawRect = keptRect;
  FillColor = keptFill;
}

void TrpRoundRectView::PaintFrame(const TrpRunContext& run) {
  if (run.SuppressDrawing || !DrawCanvas) return;
  QPainter& p = *DrawCanvas;
  const int x = Left, y = Top, w = Width, h = Height;
  const int penWidth = rpRoundEven(FrameWidth);
  p.save();
  if (IsGradient()) {
    if (RoundSize < 0) RoundSize = 0;
    rpGradientFill(&p, x, y, x + w, y + h, rpPaintColor(FillColor), rpPaintColor(ShadowColor), RoundSize);
    p.setPen(QPen(rpPaintColor(FrameColor), penWidth));
    if (FrameTyp & 1) p.drawLine(x + w, y, x + w, y + h);
    if (FrameTyp & 4) p.drawLine(x, y, x, y + h);
    if (FrameTyp & 2) p.drawLine(x, y + h, x + w, y + h);
    if (FrameTyp & 8) p.drawLine(x, y, x + w, y);
  } else {
    const int s = rpRoundEven(ShadowWidth * ZoomY), r = rpRoundEven(RoundSize * ZoomY);
    const auto figure = [&](const QRect& box) {
      if (RoundRect)
        p.drawRoundedRect(box, r / 2.0, r / 2.0);
      else
        p.drawRect(box);
    };
    const QColor shadow = rpPaintColor(ShadowColor);
    p.setPen(QPen(shadow, penWidth));
    p.setBrush(shadow);
    figure(QRect(QPoint(x + s, y + s), QPoint(x + w, y + h)));
    Framed = (FrameTyp & 15) == 15 ? 1 : 0;
    const QColor fill = FillColor == clNone ? QColor(Qt::white) : rpPaintColor(FillColor);
    p.setPen(QPen(Framed ? rpPaintColor(FrameColor) : fill, penWidth));
    p.setBrush(fill);
    figure(QRect(QPoint(x, y), QPoint(x + w - s, y + h - s)));
  }
  p.restore();
}

void TrpRoundRectView::LoadFromStream(TBinaryReader& stream) {
  TrpMemoView::LoadFromStream(stream);
  ShadowColor = rpReadInteger(stream);
  ShadowWidth = rpReadInteger(stream);
  Framed = rpReadByte(stream);
  RoundRect = rpReadByte(stream) != 0;
  RoundSize = rpReadInteger(stream);
}

void TrpRoundRectView::SaveToStream(TBinaryWriter& stream) {
  TrpMemoView::SaveToStream(stream);
  rpWriteInteger(stream, ShadowColor);
  rpWriteInteger(stream, ShadowWidth);
  rpWriteByte(stream, Framed);
  rpWriteByte(stream, RoundRect ? 1 : 0);
  rpWriteInteger(stream, RoundSize);
}

void TrpRoundRectView::OpenEditor() {
  TrpRoundRectForm editor;
  editor.ShowEditor(this);
}
