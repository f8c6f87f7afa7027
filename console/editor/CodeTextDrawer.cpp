#include "console/editor/CodeTextDrawer.h"
#include "core/gui/ColorConvert.h"
#include <QtGui/QFontInfo>
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>

TFontStyles StyleOf(const QFont& font) {
  TFontStyles style = 0;
  if (font.bold()) style |= fsBold;
  if (font.italic()) style |= fsItalic;
  if (font.underline()) style |= fsUnderline;
  if (font.strikeOut()) style |= fsStrikeOut;
  return style;
}

namespace {

// Below U+0300 the fixed-pitch fonts have every glyph and no combining marks,
// so a run can be written in one piece when the font's advance is the cell.
bool FitsTheGrid(QStringView text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x300; });
}

} // namespace

TheFontsInfoManager& TheFontsInfoManager::Instance() {
  static TheFontsInfoManager manager;
  return manager;
}

TSharedFontInfo* TheFontsInfoManager::AcquireFontInfo(const QFont& font) {
  QFont normalised = font;
  normalised.setItalic(false);
  normalised.setUnderline(false);
  normalised.setStrikeOut(false);
  const QString key = normalised.key();
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e->Key == key; });
  if (it == entries_.end()) {
    auto entry = std::make_unique<TSharedFontInfo>();
    entry->BaseFont = normalised;
    entry->Key = key;
    entries_.push_back(std::move(entry));
    it = entries_.end() - 1;
  }
  ++(*it)->RefCount;
  return it->get();
}

void TheFontsInfoManager::ReleaseFontInfo(TSharedFontInfo* info) {
  if (--info->RefCount > 0) return;
  std::erase_if(entries_, [info](const auto& e) { return e.get() == info; });
}

TheFontStock::TheFontStock(const QFont& font) { SetBaseFont(font); }

TheFontStock::~TheFontStock() { TheFontsInfoManager::Instance().ReleaseFontInfo(info_); }

void TheFontStock::SetBaseFont(const QFont& font) {
  TSharedFontInfo* info = TheFontsInfoManager::Instance().AcquireFontInfo(font);
  if (info == info_) {
    TheFontsInfoManager::Instance().ReleaseFontInfo(info);
    return;
  }
  if (info_) TheFontsInfoManager::Instance().ReleaseFontInfo(info_);
  info_ = info;
  current_ = nullptr;
  SetStyle(StyleOf(font));
}

void TheFontStock::SetStyle(TFontStyles style) {
  Q_ASSERT(style < 16);
  TStyleFontData& data = info_->Styles[style];
  current_ = &data;
  if (data.Font) return;
  QFont font = info_->BaseFont;
  font.setWeight(style & fsBold ? QFont::Bold : QFont::Normal);
  font.setItalic(style & fsItalic);
  font.setUnderline(style & fsUnderline);
  font.setStrikeOut(style & fsStrikeOut);
  const QFontMetrics metrics(font);
  data.Font = font;
  data.Advance = metrics.horizontalAdvance(u'M');
  data.Height = metrics.height();
  data.Ascent = metrics.ascent();
}

TheTextDrawer::TheTextDrawer(TFontStyles measuringStyle, const QFont& font)
    : stock_(font), measuringStyle_(measuringStyle) {
  SetBaseFont(font);
}

void TheTextDrawer::SetBaseFont(const QFont& font) {
  stock_.SetBaseFont(font);
  stock_.SetStyle(measuringStyle_);
  cellWidth_ = stock_.CharAdvance();
  cellHeight_ = stock_.CharHeight();
  SetStyle(StyleOf(font));
}

void TheTextDrawer::SetBaseStyle(TFontStyles style) {
  if (style == measuringStyle_) return;
  measuringStyle_ = style;
  // Only the cell changes; the current font stays until the next SetStyle.
  stock_.SetStyle(style);
  cellWidth_ = stock_.CharAdvance();
  cellHeight_ = stock_.CharHeight();
}

void TheTextDrawer::SetStyle(TFontStyles style) {
  stock_.SetStyle(style);
  currentFont_ = stock_.CurrentFont();
  ascent_ = stock_.CharAscent();
  fitsCells_ = QFontInfo(currentFont_).fixedPitch() && stock_.CharAdvance() == cellWidth_;
  if (painter_) painter_->setFont(currentFont_);
}

void TheTextDrawer::BeginDrawing(QPainter* painter) {
  if (painter != painter_) {
    Q_ASSERT(painter_ == nullptr && depth_ == 0);
    painter_ = painter;
    painter_->save();
    painter_->setFont(currentFont_);
  }
  ++depth_;
}

void TheTextDrawer::EndDrawing() {
  Q_ASSERT(depth_ > 0);
  if (--depth_ > 0) return;
  painter_->restore();
  painter_ = nullptr;
}

void TheTextDrawer::SpacedTextOut(int x, int y, bool opaque, const QRect& clip, QStringView text) {
  if (!painter_) return;
  QPainter& painter = *painter_;
  if (opaque) painter.fillRect(clip, ToQColor(backColor_));
  if (text.isEmpty() || clip.isEmpty()) return;
  // The clip holds for this run only.
  const bool clipped = painter.hasClipping();
  if (clipped) painter.save();
  painter.setClipRect(clip, clipped ? Qt::IntersectClip : Qt::ReplaceClip);
  painter.setPen(ToQColor(foreColor_));
  const int baseline = y + ascent_;
  const int cell = CharWidth();
  if (fitsCells_ && charExtra_ == 0 && FitsTheGrid(text)) {
    painter.drawText(QPoint(x, baseline), text.toString());
  } else {
    for (qsizetype i = 0; i < text.size(); ++i) {
      const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
      painter.drawText(QPoint(x + int(i) * cell, baseline), text.mid(i, pair ? 2 : 1).toString());
      if (pair) ++i;
    }
  }
  if (clipped)
    painter.restore();
  else
    painter.setClipping(false);
}

int TheTextDrawer::Overhang(QChar c) const {
  const QFontMetrics metrics(currentFont_);
  const int ink = metrics.horizontalAdvance(c) + qMax(0, -metrics.rightBearing(c));
  return qMax(0, ink - CharWidth());
}
