#pragma once
#include "core/Color.h"
#include <QtCore/QString>

// The attributes every new object takes, kept for the program's run; the
// attribute tool bars and the font dialog change them.
struct TrpInsertDefaults {
  QString FontName = QStringLiteral("Arial");
  int FontSize = 10;
  quint16 FontStyle = 0; // the stored style word: 1 italic, 2 bold, 4 underline
  TColor FontColor = 0;
  quint8 Charset = 1;
  qint32 Alignment = 0;
  quint16 FrameType = 0;
  float FrameWidth = 1.0f;
  float LineWidth = 2.0f;
  TColor FrameColor = 0;
  TColor FillColor = clNone;
};

// The program's one set.
TrpInsertDefaults& rpInsertDefaults();
