#pragma once
#include "console/editor/text/CodeEditFontStyle.h"
#include "core/Color.h"
#include <QtGui/QFont>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

// The measures of one style variant of a font: made on first use.
struct TStyleFontData {
  std::optional<QFont> Font;
  int Advance = 0; // of "M": the cell width
  int Height = 0;  // ascent + descent: the cell height
  int Ascent = 0;
};

// One base font and its 16 style variants (bold, italic, underline,
// strike-out), shared by every font stock of that font.
struct TSharedFontInfo {
  int RefCount = 0;
  QFont BaseFont;
  QString Key; // the normalised font: without italic, underline, strike-out
  std::array<TStyleFontData, 16> Styles;
};

// The process's shared font entries, keyed by the normalised base font, so
// that style variants are made and measured once per font.
class TheFontsInfoManager {
public:
  static TheFontsInfoManager& Instance();
  TSharedFontInfo* AcquireFontInfo(const QFont& font);
  void ReleaseFontInfo(TSharedFontInfo* info);
  int Count() const { return int(entries_.size()); }

private:
  std::vector<std::unique_ptr<TSharedFontInfo>> entries_;
};

// The style bits of a font.
TFontStyles StyleOf(const QFont& font);

// Access to the style variants of one base font.
class TheFontStock {
public:
  explicit TheFontStock(const QFont& font);
  ~TheFontStock();
  TheFontStock(const TheFontStock&) = delete;
  TheFontStock& operator=(const TheFontStock&) = delete;

  void SetBaseFont(const QFont& font);
  // Makes the variant current, creating and measuring it on first use.
  void SetStyle(TFontStyles style);
  const QFont& CurrentFont() const { return *current_->Font; }
  int CharAdvance() const { return current_->Advance; }
  int CharHeight() const { return current_->Height; }
  int CharAscent() const { return current_->Ascent; }
  const TStyleFontData& StyleData(TFontStyles style) const { return info_->Styles[style]; }
  TSharedFontInfo* FontInfo() const { return info_; }

private:
  TSharedFontInfo* info_ = nullptr;
  TStyleFontData* current_ = nullptr;
};

// Writes runs of characters in fixed cells, one cell per character, so that
// bold and italic text stays on the editor's grid; its measuring style
// defines the cell.
class TheTextDrawer {
public:
  TheTextDrawer(TFontStyles measuringStyle, const QFont& font);

  int CharWidth() const { return cellWidth_ + charExtra_; }
  int CharHeight() const { return cellHeight_; }
  const QFont& CurrentFont() const { return currentFont_; }
  void SetBaseFont(const QFont& font);
  void SetBaseStyle(TFontStyles style);
  void SetStyle(TFontStyles style);
  void SetForeColor(TColor color) { foreColor_ = color; }
  void SetBackColor(TColor color) { backColor_ = color; }
  void SetCharExtra(int extra) { charExtra_ = extra; }
  TColor ForeColor() const { return foreColor_; }
  TColor BackColor() const { return backColor_; }

  // Brackets the drawing on a painter; nested brackets on the same painter
  // need as many ends, and only the last restores the painter's state.
  void BeginDrawing(QPainter* painter);
  void EndDrawing();
  int DrawingDepth() const { return depth_; }
  // Writes the text from (x, y) (the cell's top left), clipped to the
  // rectangle, which is first filled with the background when opaque.
  void SpacedTextOut(int x, int y, bool opaque, const QRect& clip, QStringView text);
  // How far the character's ink reaches right of its cell (italic and bold
  // overhang), 0 when it stays inside.
  int Overhang(QChar c) const;

private:
  TheFontStock stock_;
  TFontStyles measuringStyle_;
  int cellWidth_ = 0;
  int cellHeight_ = 0;
  QFont currentFont_;
  int ascent_ = 0;
  bool fitsCells_ = false;
  QPainter* painter_ = nullptr;
  int depth_ = 0;
  TColor foreColor_ = clWindowText;
  TColor backColor_ = clWindow;
  int charExtra_ = 0;
};
