#pragma once
#include <QtCore/QRect>
#include <QtGui/QColor>

class QPainter;

// a × b / c in 64 bits, rounded to the nearest integer (halves away from
// zero); -1 when c is 0.
int rpMulDiv(qint64 a, qint64 b, qint64 c);

// The colour of step i out of n between two colours, channel by channel,
// each kept to 8 bits.
QColor rpGradientStep(const QColor& first, const QColor& last, int i, int n);

// Gradient styles of the rounded rectangle (the values its record stores).
enum TrpGradientStyle {
  gsHorizontal = 0, // vertical stripes, left to right
  gsVertical = 1,   // horizontal stripes, top to bottom
  gsElliptic = 2,   // ellipses from the outside to the centre
  gsRectangle = 3,  // rectangles from the edges to the centre
  gsVertCenter = 4, // rows from the top and bottom edges to the middle
  gsHorizCenter = 5 // columns from the left and right edges to the middle
};

// Fills the area from (x, y) to (x2, y2) (right and bottom edges excluded)
// running from `first` to `last` in the style; nothing without a painter or
// for an unknown style.
void rpGradientFill(QPainter* painter, int x, int y, int x2, int y2, const QColor& first, const QColor& last,
                    int style);
