#include "reports/objects/rpBarCodeView.h"
#include "core/Exception.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpParser.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include "reports/objects/rpBarCodeForm.h"
#include "reports/objects/rpObjectUtils.h"
#include <QtCore/QRegularExpression>
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kTextHeight = 12; // pixels of the code's text
constexpr int kTextRoom = 14;   // the bars leave this much for it

// An optional sign, digits, a decimal point and an exponent.
bool IsDecimalNumber(const QString& text) {
  static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
  return number.match(text).hasMatch();
}

} // namespace

QFont rpBarcodeTextFont() {
  QFont font(QStringLiteral("Liberation Mono"));
  font.setPixelSize(kTextHeight);
  return font;
}

TrpBarCodeView::TrpBarCodeView() {
  SetKind(10, QStringLiteral("Bar"), QStringLiteral("TrpBarCodeView"));
  Memo = {QStringLiteral("12345678")};
}

void TrpBarCodeView::ListProperties() {
  TrpView::ListProperties();
  AddPropertyRec(QStringLiteral("Barcode"), ptEditor | ptSingleOnly, [this] { OpenEditor(); });
  AddPropertyRec(QStringLiteral("DataField"), ptEditor | ptSingleOnly | ptText);
}

QString TrpBarCodeView::CodeText() const {
  const QString fallback = QStringLiteral("12345678");
  if (WorkLines.isEmpty() || WorkLines.first().startsWith(QLatin1Char('['))) return fallback;
  const QString code = WorkLines.first();
  if (rpBarcodeTypeInfo(BarType).Numeric && !IsDecimalNumber(code.trimmed())) return fallback;
  return code;
}

void TrpBarCodeView::Draw(TrpRunContext& run, QPainter* canvas) {
  if (Width < 0 || Height < 0 || Memo == QStringList{QString()}) return;
  PrepareDrawing(run, canvas);
  WorkLines = Memo;
  Generator.SetAngle(Rotation);
  Generator.SetRatio(2);
  Generator.SetModul(1);
  Generator.SetChecksum(CheckSum);
  Generator.Color = FillColor == clNone ? QColor(Qt::white) : rpPaintColor(FillColor);
  Generator.SetTyp(BarType);
  Generator.SetText(CodeText());
  const bool horizontal = Horizontal();
  const int pattern = Generator.Width();
  qint32& along = horizontal ? Width : Height;
  along = pattern;
  const int restored = rpRoundEven(pattern * Zoom);
  if (Generator.Text().trimmed() == QLatin1String("0")) return;
  const int h = (horizontal ? Height : Width) - (ShowText ? kTextRoom : 0);
  Generator.SetLeft(0);
  Generator.SetTop(0);
  Generator.SetHeight(h);
  if (BarType == bcCodePostNet && Rotation == 0) {
    Generator.SetTop(h);
    Generator.SetHeight(-h);
  } else if (Rotation == 180) {
    Generator.SetTop(Height - h);
  } else if (Rotation == 270) {
    Generator.SetLeft(Width - h);
  }
  const int drawnWidth = Width, drawnHeight = Height;
  along = restored;
  ToDeviceCoords(!run.EngineMode);
  PaintBackground(run);
  Strokes.clear();
  if (canvas && !run.SuppressDrawing && drawnWidth > 0 && drawnHeight > 0) {
    // DrawRect's corners are inclusive: its right and bottom are the edges.
    const QRectF area(QPointF(DrawRect.left(), DrawRect.top()), QPointF(DrawRect.right(), DrawRect.bottom()));
    Strokes = LayOutBars(canvas->deviceTransform(), area, drawnWidth, drawnHeight);
    canvas->save();
    canvas->setClipRect(DrawRect, Qt::IntersectClip);
    canvas->setRenderHint(QPainter::Antialiasing, false);
    for (const TrpBarStroke& stroke : Strokes)
      canvas->fillRect(stroke.Rect, stroke.Color);
    if (ShowText) PaintCodeText(*canvas, area, drawnWidth, drawnHeight);
    canvas->restore();
  }
  PaintFrame(run);
  RestoreDesignCoords();
}

QList<TrpBarStroke> TrpBarCodeView::LayOutBars(const QTransform& toDevice, const QRectF& area, int drawnWidth,
                                               int drawnHeight) {
  const QList<TrpBarcode::TElement> elements = Generator.Elements();
  QRect drawn; // the elements' extent at one pixel per module
  for (const TrpBarcode::TElement& element : elements)
    drawn |= element.Corners.boundingRect();
  if (drawn.isEmpty()) return {};
  const bool horizontal = Horizontal();
  const QRectF device = toDevice.mapRect(area);
  const double length = horizontal ? device.width() : device.height();
  const int pattern = horizontal ? drawn.width() : drawn.height();
  // Whole device pixels per module, every module alike; the bars centred along the code.
  const int module = std::max(1, int(std::floor(length / pattern + 1e-9)));
  const int slack = std::max(0, int(std::floor((length - pattern * module) / 2)));
  const double across = horizontal ? device.height() / drawnHeight : device.width() / drawnWidth;
  const QTransform toCanvas = toDevice.inverted();
  const auto r = [](double v) { return int(std::lround(v)); };
  QList<TrpBarStroke> strokes;
  strokes.reserve(elements.size());
  for (const TrpBarcode::TElement& element : elements) {
    const QRect e = element.Corners.boundingRect();
    QRect onDevice;
    if (horizontal) {
      const int left = r(device.left()) + slack + (e.left() - drawn.left()) * module;
      onDevice = QRect(QPoint(left, r(device.top() + e.top() * across)),
                       QPoint(left + e.width() * module, r(device.top() + (e.bottom() + 1) * across)));
    } else {
      const int top = r(device.top()) + slack + (e.top() - drawn.top()) * module;
      onDevice = QRect(QPoint(r(device.left() + e.left() * across), top),
                       QPoint(r(device.left() + (e.right() + 1) * across), top + e.height() * module));
    }
    // The corners as edges: the rectangle ends where the next element begins.
    const QRectF edges(QPointF(onDevice.left(), onDevice.top()), QPointF(onDevice.right(), onDevice.bottom()));
    strokes.append({toCanvas.mapRect(edges), element.Bar ? Generator.ColorBar : Generator.Color});
  }
  return strokes;
}

void TrpBarCodeView::PaintCodeText(QPainter& canvas, const QRectF& area, int drawnWidth, int drawnHeight) {
  const QFont font = rpBarcodeTextFont();
  const QString text = Generator.Text();
  const int tw = QFontMetrics(font).horizontalAdvance(text);
  QPoint at;
  if (Rotation == 0)
    at = {(drawnWidth - tw) / 2, drawnHeight - kTextHeight};
  else if (Rotation == 90)
    at = {drawnWidth - kTextHeight, drawnHeight - (drawnHeight - tw) / 2};
  else if (Rotation == 180)
    at = {drawnWidth - (drawnWidth - tw) / 2, kTextHeight};
  else
    at = {kTextHeight, (drawnHeight - tw) / 2};
  // The text keeps its place at one pixel per module, scaled with the object.
  canvas.translate(area.topLeft());
  canvas.scale(area.width() / drawnWidth, area.height() / drawnHeight);
  canvas.setFont(font);
  canvas.setPen(Qt::black);
  canvas.translate(at);
  canvas.rotate(-std::round(Rotation * 10) / 10);
  canvas.drawText(QRect(0, 0, tw + 1, kTextHeight), Qt::AlignLeft | Qt::AlignTop, text);
}

void TrpBarCodeView::WritePrepared(TrpRunContext& run, TBinaryWriter& stream) {
  QString keptTag;
  if (!BeginPreparedWrite(run, keptTag)) return;
  if (!WorkLines.isEmpty() && WorkLines.first().startsWith(QLatin1Char('['))) {
    try {
      WorkLines[0] = rpValueToText(run.Parser->Calc(WorkLines.first()));
    } catch (const Exception&) {
      WorkLines[0] = QStringLiteral("0"); // prints nothing
    }
  }
  WriteTypedRecord(stream);
  Tag = keptTag;
}

void TrpBarCodeView::LoadFromStream(TBinaryReader& stream) {
  TrpView::LoadFromStream(stream);
  CheckSum = rpReadByte(stream) != 0;
  ShowText = rpReadByte(stream) != 0;
  Reserved = rpReadByte(stream);
  BarType = rpReadByte(stream);
  Module = rpReadInteger(stream);
  Zoom = stream.ReadDouble();
  Rotation = stream.ReadDouble();
  if (Module == 1) {
    // The older form kept one pixel per module at twice the zoom.
    Zoom /= 2;
    Module = 2;
  }
}

void TrpBarCodeView::SaveToStream(TBinaryWriter& stream) {
  TrpView::SaveToStream(stream);
  rpWriteByte(stream, CheckSum ? 1 : 0);
  rpWriteByte(stream, ShowText ? 1 : 0);
  rpWriteByte(stream, Reserved);
  rpWriteByte(stream, BarType);
  rpWriteInteger(stream, Module);
  stream.WriteDouble(Zoom);
  stream.WriteDouble(Rotation);
}

void TrpBarCodeView::WriteXmlElement(QString& element) {
  TrpView::WriteXmlElement(element);
  if (!Memo.isEmpty()) rpXmlAttribute(element, QStringLiteral("Text"), Memo.first());
  rpXmlAttribute(element, QStringLiteral("BarType"), BarType);
  rpXmlAttribute(element, QStringLiteral("CalcCheckSum"), CheckSum ? 1 : 0);
  rpXmlAttribute(element, QStringLiteral("Rotation"), rpXmlFloat(Rotation));
  rpXmlAttribute(element, QStringLiteral("ShowText"), ShowText ? 1 : 0);
  rpXmlAttribute(element, QStringLiteral("Zoom"), rpXmlFloat(Zoom));
  if (!Memo.isEmpty()) rpXmlDataFieldAttributes(element, Memo.first());
}

void TrpBarCodeView::OpenEditor() {
  TrpBarCodeForm editor;
  editor.ShowEditor(this);
}
