#pragma once
#include <QtCore/QChar>
#include <QtCore/QRectF>
#include <QtCore/QString>
#include <QtGui/QPainterPath>

// The symbol font templates name ("Wingdings") is not on Linux. The few of
// its characters the program draws are given here, both as outlines to fill
// and as the Unicode characters of the same marks (for text formats):
// 0xFB a cross, 0xFC a check mark, 215 to 218 arrowheads to the left, right,
// up and down.

constexpr quint8 kSymbolCross = 0xFB;
constexpr quint8 kSymbolCheck = 0xFC;
constexpr quint8 kSymbolArrowLeft = 215;
constexpr quint8 kSymbolArrowRight = 216;
constexpr quint8 kSymbolArrowUp = 217;
constexpr quint8 kSymbolArrowDown = 218;

// True for the font name the marks stand in for (compared without regard to case).
bool rpIsSymbolFont(const QString& fontName);
// The Unicode character of a mark; a null character for other codes.
QChar rpSymbolChar(quint8 code);
// The mark as a filled outline inside a character cell (the cell's height is
// the character height; marks are as wide as high); empty for other codes.
QPainterPath rpSymbolPath(quint8 code, const QRectF& cell);
// The width of a mark of that character height.
inline qreal rpSymbolWidth(qreal height) { return height; }
