#include "util/UxDrawUtils.h"
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtGui/QPalette>

QString ShortenText(const QString& text, const QFontMetrics& metrics, int maxWidth) {
  if (metrics.horizontalAdvance(text) <= maxWidth) return text;
  const QString ellipsis = QStringLiteral("...");
  for (qsizetype n = text.size() - 2; n >= 0; --n) {
    const QString candidate = text.left(n) + ellipsis;
    if (metrics.horizontalAdvance(candidate) <= maxWidth) return candidate;
  }
  return ellipsis;
}

QImage CutGlyph(const QImage& source, int columns, int index, int rows) {
  columns = std::max(columns, 1);
  rows = std::max(rows, 1);
  index = std::max(index, 0);
  const int width = source.width() / columns;
  const int height = source.height() / rows;
  return source.copy((index % columns) * width, (index / columns) * height, width, height);
}

namespace {

// A mask image: opaque `color` where the source pixel belongs to the shape.
QImage ShapeIn(const QImage& source, const std::function<bool(QRgb)>& inShape, QColor color) {
  const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
  QImage shape(argb.size(), QImage::Format_ARGB32);
  shape.fill(Qt::transparent);
  for (int y = 0; y < argb.height(); ++y)
    for (int x = 0; x < argb.width(); ++x)
      if (inShape(argb.pixel(x, y))) shape.setPixel(x, y, color.rgba());
  return shape;
}

void DrawShape(QPainter& painter, const QImage& image, const std::function<bool(QRgb)>& inShape, int x, int y,
               bool emboss, QColor shadowColor, QColor highlightColor) {
  if (emboss) painter.drawImage(x + 1, y + 1, ShapeIn(image, inShape, highlightColor));
  painter.drawImage(x, y, ShapeIn(image, inShape, shadowColor));
}

} // namespace

QImage MakeDisabledBitmapEx(const QImage& bitmap, QColor maskColor, QColor backColor, bool emboss, QColor shadowColor,
                            QColor highlightColor) {
  QImage result(bitmap.size(), QImage::Format_ARGB32);
  result.fill(backColor);
  QPainter painter(&result);
  const QRgb mask = maskColor.rgb();
  DrawShape(
      painter, bitmap, [mask](QRgb pixel) { return qAlpha(pixel) != 0 && (pixel | 0xFF000000) != mask; }, 0, 0, emboss,
      shadowColor, highlightColor);
  return result;
}

QImage MakeDisabledBitmap(const QImage& bitmap, QColor maskColor) {
  const QPalette palette = QGuiApplication::palette();
  return MakeDisabledBitmapEx(bitmap, maskColor, palette.color(QPalette::Button), true, palette.color(QPalette::Dark),
                              palette.color(QPalette::Light));
}

void DrawImageDisabled(QPainter& painter, const QImage& image, int x, int y, bool emboss, QColor shadowColor,
                       QColor highlightColor) {
  DrawShape(
      painter, image, [](QRgb pixel) { return qAlpha(pixel) != 0 && (pixel | 0xFF000000) != 0xFFFFFFFF; }, x, y, emboss,
      shadowColor, highlightColor);
}

bool IsThreadForeground() { return QGuiApplication::focusWindow() != nullptr; }
