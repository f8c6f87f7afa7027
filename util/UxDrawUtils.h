#pragma once
#include <QtCore/QRect>
#include <QtCore/QString>
#include <QtGui/QColor>
#include <QtGui/QFontMetrics>
#include <QtGui/QImage>

class QPainter;

// Drawing routines of the control kit's buttons and calculator (QtGui only).

inline int RectWidth(const QRect& rect) { return rect.width(); }
inline int RectHeight(const QRect& rect) { return rect.height(); }

// The text when it fits maxWidth; else the first n characters followed by
// "..." for the largest n (from length - 2 down to 0) that fits; "..." alone
// when none fits.
QString ShortenText(const QString& text, const QFontMetrics& metrics, int maxWidth);

// Image `index` of a source laid out as columns x rows equal images (columns
// and rows below 1 count as 1, index below 0 as 0): row index / columns,
// column index % columns. Transparency is kept.
QImage CutGlyph(const QImage& source, int columns, int index, int rows);

// The shape of the bitmap (every pixel not of maskColor, and not transparent)
// drawn on backColor: with emboss first in highlightColor one pixel right and
// down, then in shadowColor in place.
QImage MakeDisabledBitmapEx(const QImage& bitmap, QColor maskColor, QColor backColor, bool emboss, QColor shadowColor,
                            QColor highlightColor);
// MakeDisabledBitmapEx on the button face colour, embossed, with the button
// shadow and highlight colours.
QImage MakeDisabledBitmap(const QImage& bitmap, QColor maskColor);
// Draws the image's shape (its non-white, non-transparent pixels) in
// highlightColor at x+1, y+1 when emboss, then in shadowColor at x, y.
void DrawImageDisabled(QPainter& painter, const QImage& image, int x, int y, bool emboss, QColor shadowColor,
                       QColor highlightColor);

// True when one of this program's windows is the active window.
bool IsThreadForeground();
