#pragma once
#include "core/Color.h"
#include <QtWidgets/QFrame>
#include <functional>

class TrpSpeedButton;

// The colour palette the designer drops under its colour buttons: the 16
// standard colours, transparent and "other" (the colour dialog).
class TColorSelector : public QFrame {
  Q_OBJECT
public:
  explicit TColorSelector(QWidget* owner);

  // Presses the button of the colour (16 standard ones or clNone); any other
  // colour shows on the "other" button. SelectedColor stays as it was.
  void ShowColor(TColor color);
  // What a click on the button with that tag chooses: 0..15 the colour table's
  // colour, 16 transparent, 17 the colour dialog's (nothing when it is cancelled).
  void ColorSelected(int tag);

  TColor SelectedColor = clNone;
  std::function<void(TColorSelector* sender)> OnColorSelected;
  // The colour dialog; answers false when cancelled. A test may replace it.
  std::function<bool(TColor& color)> ChooseOtherColor;

private:
  TrpSpeedButton* buttons_[18] = {};
};

// A colour button's 16 x 16 glyph showing the colour: a letter or bar in the
// colour over the button face, with a button-face bar where the colour is none.
// kind 0 is the font colour, 1 the fill colour, 2 the frame colour.
QImage rpColorButtonGlyph(int kind, TColor color);
