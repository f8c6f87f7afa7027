#include "reports/engine/rpFontCache.h"

namespace {

// More fonts than any report uses; beyond it the kept ones are dropped.
constexpr size_t kKeptFonts = 64;

} // namespace

QFont TrpFontCache::Font(const TrpFont& font, int pixelHeight, int charSpacing) {
  for (const TMade& m : made_)
    if (m.PixelHeight == pixelHeight && m.CharSpacing == charSpacing && m.Style == font.Style && m.Name == font.Name)
      return m.Font;
  if (made_.size() >= kKeptFonts) made_.clear();
  made_.push_back({font.Name, pixelHeight, charSpacing, font.Style, Make(font, pixelHeight, charSpacing)});
  return made_.back().Font;
}

QFont TrpFontCache::Make(const TrpFont& font, int pixelHeight, int charSpacing) {
  QFont f(font.Name);
  f.setPixelSize(std::max(pixelHeight, 1));
  f.setBold(font.Style.Bold);
  f.setItalic(font.Style.Italic);
  f.setUnderline(font.Style.Underline);
  f.setStrikeOut(font.Style.StrikeOut);
  if (charSpacing != 0) f.setLetterSpacing(QFont::AbsoluteSpacing, charSpacing);
  return f;
}
