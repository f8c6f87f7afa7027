#pragma once
#include "reports/engine/rpStream.h"
#include <QtGui/QFont>
#include <vector>

// The fonts text objects ask for while the engine runs. Every text object
// asks for its font each time it is laid out, drawn or exported, and making
// a QFont from a family name costs more than measuring with it; a report uses
// few fonts, so each is made once and handed out shared (copies are cheap and
// compare equal at once).
class TrpFontCache {
public:
  // The font at `pixelHeight` (at least 1) with the letter spacing in pixels.
  QFont Font(const TrpFont& font, int pixelHeight, int charSpacing);
  // The same font made anew, kept nowhere.
  static QFont Make(const TrpFont& font, int pixelHeight, int charSpacing);

private:
  struct TMade {
    QString Name;
    int PixelHeight = 0, CharSpacing = 0;
    TFontStyles Style;
    QFont Font;
  };
  std::vector<TMade> made_;
};
