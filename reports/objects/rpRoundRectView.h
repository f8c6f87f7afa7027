#pragma once
#include "reports/engine/rpMemoView.h"

// A text object whose body is a rectangle (rounded or not) with a shadow at
// its lower right, or, with ShadowWidth -99, a gradient from FillColor (the
// end colour) to ShadowColor (the begin colour) in the style kept in RoundSize.
// Its record adds 14 bytes after the text object's.
class TrpRoundRectView : public TrpMemoView {
public:
  static constexpr qint32 kGradientMode = -99;

  TrpRoundRectView();

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  void ListProperties() override;
  // While designing the whole rectangle is cleared white (outside gradient mode).
  void PaintBackground(const TrpRunContext& run) override;
  // The shadow and the body, or the gradient and the frame lines; the text follows.
  void PaintFrame(const TrpRunContext& run) override;
  // The text lies inside the body: away from the shadow and the corners.
  void ToDeviceCoords(bool designing) override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void OpenEditor() override;

  bool IsGradient() const { return ShadowWidth == kGradientMode; }

  TColor ShadowColor = 0x808080; // the begin colour in gradient mode
  qint32 ShadowWidth = 6;
  quint8 Framed = 1;
  bool RoundRect = true;
  qint32 RoundSize = 10; // the gradient style in gradient mode
};
