#include "reports/engine/rpSymbolFont.h"
#include <QtGui/QPainterPathStroker>

namespace {

// A stroked polyline in cell units (0..1), as an outline to fill.
QPainterPath Strokes(const QRectF& cell, std::initializer_list<std::initializer_list<QPointF>> lines, qreal weight) {
  QPainterPath centre;
  const auto at = [&](QPointF p) {
    return QPointF(cell.left() + p.x() * cell.width(), cell.top() + p.y() * cell.height());
  };
  for (const auto& line : lines) {
    auto it = line.begin();
    centre.moveTo(at(*it));
    for (++it; it != line.end(); ++it)
      centre.lineTo(at(*it));
  }
  QPainterPathStroker stroker;
  stroker.setWidth(weight * cell.height());
  stroker.setCapStyle(Qt::RoundCap);
  stroker.setJoinStyle(Qt::RoundJoin);
  return stroker.createStroke(centre).simplified();
}

QPainterPath Triangle(const QRectF& cell, QPointF a, QPointF b, QPointF c) {
  const auto at = [&](QPointF p) {
    return QPointF(cell.left() + p.x() * cell.width(), cell.top() + p.y() * cell.height());
  };
  QPainterPath path;
  path.moveTo(at(a));
  path.lineTo(at(b));
  path.lineTo(at(c));
  path.closeSubpath();
  return path;
}

} // namespace

bool rpIsSymbolFont(const QString& fontName) {
  return fontName.compare(QLatin1String("Wingdings"), Qt::CaseInsensitive) == 0;
}

QChar rpSymbolChar(quint8 code) {
  switch (code) {
  case kSymbolCross:
    return QChar(0x2717);
  case kSymbolCheck:
    return QChar(0x2713);
  // The pointers of the geometric shapes, which nearly every font has (the
  // arrowheads of the symbols block showed as empty boxes in readers).
  case kSymbolArrowLeft:
    return QChar(0x25C4);
  case kSymbolArrowRight:
    return QChar(0x25BA);
  case kSymbolArrowUp:
    return QChar(0x25B2);
  case kSymbolArrowDown:
    return QChar(0x25BC);
  default:
    return {};
  }
}

QPainterPath rpSymbolPath(quint8 code, const QRectF& cell) {
  switch (code) {
  case kSymbolCross:
    return Strokes(cell, {{{0.22, 0.25}, {0.78, 0.82}}, {{0.78, 0.25}, {0.22, 0.82}}}, 0.12);
  case kSymbolCheck:
    return Strokes(cell, {{{0.16, 0.55}, {0.4, 0.8}, {0.86, 0.2}}}, 0.12);
  case kSymbolArrowLeft:
    return Triangle(cell, {0.15, 0.5}, {0.85, 0.15}, {0.85, 0.85});
  case kSymbolArrowRight:
    return Triangle(cell, {0.85, 0.5}, {0.15, 0.15}, {0.15, 0.85});
  case kSymbolArrowUp:
    return Triangle(cell, {0.5, 0.15}, {0.85, 0.85}, {0.15, 0.85});
  case kSymbolArrowDown:
    return Triangle(cell, {0.5, 0.85}, {0.15, 0.15}, {0.85, 0.15});
  default:
    return {};
  }
}
