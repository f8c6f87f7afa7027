#pragma once
#include <QtCore/QByteArray>

class QTextDocument;

// The document as RTF (code page 1250, characters beyond it as "\uN"), with
// the formats rpReadRtf reads back.
QByteArray rpWriteRtf(const QTextDocument& document);

// Twips (1440 an inch) and pixels at 96 dots per inch.
inline double rpTwipsToPixels(double twips) { return twips / 15.0; }
inline int rpPixelsToTwips(double pixels) { return int(pixels * 15.0 + (pixels < 0 ? -0.5 : 0.5)); }
