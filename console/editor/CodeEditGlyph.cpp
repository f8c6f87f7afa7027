#include "console/editor/CodeEditGlyph.h"
#include "core/gui/ColorConvert.h"
#include <QtGui/QPainter>

// The resource initialiser must be referenced from code, or the linker drops
// it from a static library; it must be called from the global namespace.
void InitCodeEditImages() {
  static const bool done = [] {
    Q_INIT_RESOURCE(CodeEditImages);
    return true;
  }();
  Q_UNUSED(done);
}

QImage WithoutColor(const QImage& picture, TColor color) {
  if (picture.isNull() || color == clNone) return picture;
  QImage result = picture.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = ToQColor(color).rgb() | 0xFF000000u;
  for (int y = 0; y < result.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x)
      if ((line[x] | 0xFF000000u) == key) line[x] = 0;
  }
  return result;
}

void DrawPictureInRow(QPainter& painter, const QImage& picture, const QRect& source, int x, int y, int lineHeight) {
  if (source.height() <= lineHeight) {
    painter.drawImage(QPoint(x, y + (lineHeight - source.height()) / 2), picture, source);
  } else {
    const QRect band(source.left(), source.top() + (source.height() - lineHeight) / 2, source.width(), lineHeight);
    painter.drawImage(QPoint(x, y), picture, band);
  }
}

TCodeGlyph::TCodeGlyph(const QString& resourceName, TColor builtInMaskColor) : builtInMaskColor_(builtInMaskColor) {
  InitCodeEditImages();
  if (!resourceName.isEmpty()) builtIn_ = QImage(QStringLiteral(":/codeedit/") + resourceName);
}

void TCodeGlyph::Changed() {
  if (OnChange) OnChange(this);
}

void TCodeGlyph::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void TCodeGlyph::SetGlyph(const QImage& glyph) {
  glyph_ = glyph.copy();
  Changed();
}

void TCodeGlyph::SetMaskColor(TColor color) {
  if (color == maskColor_) return;
  maskColor_ = color;
  Changed();
}

void TCodeGlyph::Assign(const TCodeGlyph& other) {
  visible_ = other.visible_;
  builtInMaskColor_ = other.builtInMaskColor_;
  maskColor_ = other.maskColor_;
  builtIn_ = other.builtIn_.copy();
  glyph_ = other.glyph_.copy();
  Changed();
}

QImage TCodeGlyph::Picture() const {
  return glyph_.isNull() ? WithoutColor(builtIn_, builtInMaskColor_) : WithoutColor(glyph_, maskColor_);
}

int TCodeGlyph::GlyphWidth() const { return glyph_.isNull() ? builtIn_.width() : glyph_.width(); }

void TCodeGlyph::DrawGlyph(QPainter& painter, int x, int y, int lineHeight) const {
  const QImage picture = Picture();
  if (!picture.isNull()) DrawPictureInRow(painter, picture, picture.rect(), x, y, lineHeight);
}
