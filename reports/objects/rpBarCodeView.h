#pragma once
#include "reports/engine/rpView.h"
#include "reports/objects/rpBarcode.h"
#include <QtGui/QTransform>

// A bar or gap as the barcode object painted it, in the canvas's coordinates.
struct TrpBarStroke {
  QRectF Rect;
  QColor Color;
};

// A barcode of the code in the first memo line (or of the value of the
// [expression] there), optionally with the code as text beneath and rotated
// by a multiple of 90 degrees. Along the code the object is as long as the
// bar pattern at one pixel per narrow module times Zoom. Its record adds 24
// bytes after the common one.
class TrpBarCodeView : public TrpView {
public:
  TrpBarCodeView();

  void ListProperties() override;
  void Draw(TrpRunContext& run, QPainter* canvas) override;
  // An [expression] in the first line is replaced by its value ("0", which
  // prints nothing, when it fails).
  void WritePrepared(TrpRunContext& run, TBinaryWriter& stream) override;
  // A record of module 1 (an older template) loads as module 2 with half the zoom.
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;
  void AddContextMenuItems(QList<TrpContextMenuItem>& items) override {}
  void OpenEditor() override;

  // The code the object shows for its memo: the first line, or "12345678"
  // for none or an expression not yet evaluated (and for a numeric type, for
  // a text that is no number).
  QString CodeText() const;
  bool Horizontal() const { return Rotation != 90 && Rotation != 270; }

  bool CheckSum = true;
  bool ShowText = true;
  quint8 Reserved = 0;
  quint8 BarType = bcCode39;
  qint32 Module = 2;
  double Zoom = 1.0;
  double Rotation = 0;

  TrpBarcode Generator;
  // The bars and gaps of the last drawing (the exports write them as rectangles).
  QList<TrpBarStroke> Strokes;

private:
  // The generator's elements on whole pixels of the canvas's device, every
  // module equally wide, within the area of drawn width × height pixels.
  QList<TrpBarStroke> LayOutBars(const QTransform& toDevice, const QRectF& area, int drawnWidth, int drawnHeight);
  void PaintCodeText(QPainter& canvas, const QRectF& area, int drawnWidth, int drawnHeight);
};

// The stand-in of the code text's "Courier New": a metric-compatible
// monospace font installed with the program's fonts.
QFont rpBarcodeTextFont();
