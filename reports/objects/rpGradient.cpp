#include "reports/objects/rpGradient.h"
#include <QtGui/QPainter>
#include <cmath>

int rpMulDiv(qint64 a, qint64 b, qint64 c) {
  if (c == 0) return -1;
  const qint64 product = a * b;
  const qint64 half = (c < 0 ? -c : c);
  qint64 quotient = product / c, remainder = product % c;
  // Halves and more go away from zero.
  if (2 * (remainder < 0 ? -remainder : remainder) >= half) quotient += ((product < 0) != (c < 0)) ? -1 : 1;
  return int(quotient);
}

QColor rpGradientStep(const QColor& first, const QColor& last, int i, int n) {
  const auto channel = [&](int a, int b) { return (a + rpMulDiv(i, b - a, n)) & 0xFF; };
  return QColor(channel(first.red(), last.red()), channel(first.green(), last.green()),
                channel(first.blue(), last.blue()));
}

namespace {

// Fills the area between the corners, right and bottom edges excluded.
void Fill(QPainter& p, int left, int top, int right, int bottom, const QColor& color) {
  if (right > left && bottom > top) p.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), color);
}

} // namespace

void rpGradientFill(QPainter* painter, int x, int y, int x2, int y2, const QColor& first, const QColor& last,
                    int style) {
  if (!painter) return;
  QPainter& p = *painter;
  const int w = x2 - x, h = y2 - y;
  p.save();
  switch (style) {
  case gsHorizontal:
    for (int i = 0; i <= 255; ++i)
      Fill(p, x + rpMulDiv(i, w, 256), y, x + rpMulDiv(i + 1, w, 256), y2, rpGradientStep(first, last, i, 255));
    break;
  case gsVertical:
    for (int i = 0; i <= 255; ++i)
      Fill(p, x, y + rpMulDiv(i, h, 256), x2, y + rpMulDiv(i + 1, h, 256), rpGradientStep(first, last, i, 255));
    break;
  case gsElliptic: {
    p.setClipRect(QRect(QPoint(x, y), QPoint(x2 - 1, y2 - 1)), Qt::IntersectClip);
    p.setPen(Qt::NoPen);
    const double a = w / 4.0, b = h / 4.0;
    double l = x - a, t = y - b, r = x + w + a, bt = y + h + b;
    const double dx = (a + w / 2.0) / 155, dy = (b + h / 2.0) / 155;
    for (int n = 0; n <= 155; ++n) {
      l += dx;
      r -= dx;
      t += dy;
      bt -= dy;
      p.setBrush(rpGradientStep(first, last, n, 155));
      p.drawEllipse(QRect(QPoint(int(l), int(t)), QPoint(int(r) - 1, int(bt) - 1)));
    }
    break;
  }
  case gsRectangle: {
    double l = x, t = y, r = x2, bt = y2;
    for (int i = 0; i <= 255; ++i) {
      l += w / 510.0;
      r -= w / 510.0;
      t += h / 510.0;
      bt -= h / 510.0;
      Fill(p, int(l), int(t), int(r), int(bt), rpGradientStep(first, last, i, 255));
    }
    break;
  }
  case gsVertCenter: {
    const int m = h / 2;
    for (int i = 0; m >= 1 && i <= m; ++i) {
      const QColor color = rpGradientStep(first, last, i, m);
      Fill(p, x, y + i, x2, y + i + 1, color);
      Fill(p, x, y + h - i - 1, x2, y + h - i, color);
    }
    break;
  }
  case gsHorizCenter: {
    const int m = w / 2;
    for (int i = 0; m >= 1 && i <= m; ++i) {
      const QColor color = rpGradientStep(first, last, i, m);
      Fill(p, x + i, y, x + i + 1, y2, color);
      Fill(p, x + w - i - 1, y, x + w - i, y2, color);
    }
    break;
  }
  default:
    break;
  }
  p.restore();
}
