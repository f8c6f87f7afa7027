#include "reports/objects/rpShapeView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpValue.h"
#include "reports/objects/rpObjectUtils.h"
#include <QtGui/QPainter>
#include <algorithm>

TrpShapeView::TrpShapeView() {
  SetKind(10, QStringLiteral("Shape"), QStringLiteral("TrpShapeView"));
  const char* names[] = {"skRectangle", "skRoundRectangle", "skEllipse", "skTriangle", "skDiagonal1", "skDiagonal2"};
  for (int i = 0; i < 6; ++i)
    rpSetScriptConstant(names[i], i);
}

void TrpShapeView::WriteProperty(const QString& name, const QVariant& value) {
  TrpView::WriteProperty(name, value);
  if (name.toUpper() == QLatin1String("SHAPE")) Shape = quint8(rpValueToInteger(value));
}

QVariant TrpShapeView::ReadProperty(const QString& name) {
  const QVariant result = TrpView::ReadProperty(name);
  if (!rpIsNull(result) || name.toUpper() != QLatin1String("SHAPE")) return result;
  return rpIntegerValue(Shape);
}

void TrpShapeView::ListProperties() {
  TrpView::ListProperties();
  AddEnumPropertyRec(QStringLiteral("Shape"),
                     QStringLiteral("skRectangle;skRoundRectangle;skEllipse;skTriangle;skDiagonal1;skDiagonal2"),
                     QVariantList{0, 1, 2, 3, 4, 5});
}

void TrpShapeView::Draw(TrpRunContext& run, QPainter* canvas) {
  PrepareDrawing(run, canvas);
  WorkLines = Memo;
  ToDeviceCoords(!run.EngineMode);
  // The figure is the fill: the common background and frame paint none under it.
  const TColor fill = FillColor;
  FillColor = clNone;
  PaintBackground(run);
  PaintFrame(run);
  FillColor = fill;
  if (canvas && !run.SuppressDrawing) {
    const int x = Left, y = Top;
    const int right = rpRoundEven(ZoomedRight()), bottom = rpRoundEven(ZoomedBottom());
    const int m = std::min(Width, Height);
    QPainter& p = *canvas;
    p.save();
    const int penWidth = rpRoundEven(FrameWidth);
    // A one-pixel pen draws every end point, as the platform's thin pens do.
    QPen pen(rpPaintColor(FrameColor), penWidth <= 1 ? 0 : penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    pen.setMiterLimit(16); // sharp corners keep their tips, as the platform's polygons do
    p.setPen(pen);
    p.setBrush(FillColor == clNone ? QBrush(Qt::NoBrush) : QBrush(rpPaintColor(FillColor)));
    const QRect box(QPoint(x, y), QPoint(right - 1, bottom - 1)); // outline through x..right, y..bottom
    switch (Shape) {
    case skRectangle:
      p.drawRect(box);
      break;
    case skRoundRectangle:
      p.drawRoundedRect(box, (m / 4) / 2.0, (m / 4) / 2.0);
      break;
    case skEllipse:
      p.drawEllipse(box);
      break;
    case skTriangle: {
      const QPoint apex(x + (right - x) / 2, y);
      const QPoint corners[] = {{right, bottom}, {x, bottom}, apex};
      // The outline line by line, so that each corner gets its pixel.
      const QPen outline = p.pen();
      p.setPen(Qt::NoPen);
      p.drawPolygon(corners, 3);
      p.setPen(outline);
      for (int i = 0; i < 3; ++i)
        p.drawLine(corners[i], corners[(i + 1) % 3]);
      break;
    }
    case skDiagonal1:
      p.drawLine(x, bottom, right, y);
      break;
    case skDiagonal2:
      p.drawLine(x, y, right, bottom);
      break;
    default:
      break;
    }
    p.restore();
  }
  RestoreDesignCoords();
}

void TrpShapeView::WriteXmlElement(QString& element) {
  TrpView::WriteXmlElement(element);
  rpXmlAttribute(element, QStringLiteral("Shape"), Shape);
}

void TrpShapeView::LoadFromStream(TBinaryReader& stream) {
  TrpView::LoadFromStream(stream);
  Shape = rpReadByte(stream);
}

void TrpShapeView::SaveToStream(TBinaryWriter& stream) {
  TrpView::SaveToStream(stream);
  rpWriteByte(stream, Shape);
}
