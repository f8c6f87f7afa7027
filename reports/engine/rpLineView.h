#pragma once
#include "reports/engine/rpView.h"

// A line: a degenerate rectangle drawn as one frame line, so the frame's
// colour, width and style give its look. Its record is the common one alone.
class TrpLineView : public TrpStretcheable {
public:
  TrpLineView();
  void ListProperties() override;
  void WriteXmlElement(QString& element) override;
  // A stretched vertical line grows with its band.
  int CalcHeight(TrpRunContext& run) override { return Height; }
  int MinimumHeight() override { return 1; }
  int RemainingHeight() override { return 0; }
  // Turns the object into the line it draws: horizontal (Height 0, top line)
  // when it is wider than high, else vertical (Width 0, left line).
  void MakeLine();
  // The line as one frame line; no background.
  void Draw(TrpRunContext& run, QPainter* canvas) override;
};
