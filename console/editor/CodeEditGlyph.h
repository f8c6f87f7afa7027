#pragma once
#include "core/Color.h"
#include <QtGui/QImage>
#include <functional>

class QPainter;

// A picture drawn in a row of the gutter: the glyph set by the program, or
// else the built-in picture loaded from a resource; each leaves out its own
// transparent colour.
class TCodeGlyph {
public:
  // No resource name: no built-in picture.
  TCodeGlyph(const QString& resourceName, TColor builtInMaskColor);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  const QImage& Glyph() const { return glyph_; }
  // Copies the picture.
  void SetGlyph(const QImage& glyph);
  TColor MaskColor() const { return maskColor_; }
  void SetMaskColor(TColor color);
  void Assign(const TCodeGlyph& other);

  // Draws the picture vertically centred in a row of the height at (x, y), or
  // the row's middle band of a taller picture; nothing without a picture.
  void DrawGlyph(QPainter& painter, int x, int y, int lineHeight) const;
  // The width of the picture DrawGlyph would use, 0 without one.
  int GlyphWidth() const;

  std::function<void(TCodeGlyph* sender)> OnChange;

private:
  void Changed();
  QImage Picture() const;

  bool visible_ = true;
  QImage builtIn_;
  QImage glyph_;
  TColor builtInMaskColor_;
  TColor maskColor_ = clNone;
};

// Registers the editor's built-in pictures (":/codeedit/...") once.
void InitCodeEditImages();
// Draws `picture` vertically centred in a row of lineHeight at (x, y), or the
// middle band of a taller picture at (x, y).
void DrawPictureInRow(QPainter& painter, const QImage& picture, const QRect& source, int x, int y, int lineHeight);
// The picture with every pixel of the colour made transparent (clNone: as is).
QImage WithoutColor(const QImage& picture, TColor color);
