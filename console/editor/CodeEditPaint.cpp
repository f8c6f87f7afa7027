// Painting: the gutter with line numbers, marks and wrap glyphs, and the text
// rows with syntax colours, the selection, the caret's line, the right edge
// and the visible marks of blanks, tabs and line ends. Only the rows and
// columns meeting the clip rectangle are painted.
#include "console/editor/CodeEditInternalImage.h"
#include "console/editor/CodeEditPrivate.h"
#include "console/editor/CodeTextDrawer.h"
#include "console/editor/text/CodeEditHighlighter.h"
#include "core/gui/ColorConvert.h"
#include "core/ui/ImageList.h"
#include <QtGui/QPaintEvent>
#include <QtGui/QPainter>
#include <climits>

namespace {

constexpr QChar kSpaceGlyph(0xB7);   // ·
constexpr QChar kTabGlyph(0xBB);     // »
constexpr QChar kLineEndGlyph(0xB6); // ¶

// A rectangle as the paint rules state it: right and bottom exclusive.
struct TRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  static TRect From(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
  bool Empty() const { return right <= left || bottom <= top; }
  QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
};

bool IsBlank(QStringView text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' ' || c == u'\t'; });
}

} // namespace

struct TCustomCodeEdit::PaintState {
  TRect rect;
  int firstRow = 0, lastRow = 0, firstColumn = 0, lastColumn = 0;
  bool hasSelection = false;
  TScreenCoord selStart, selEnd;
  bool drawRightEdge = false;
  int rightEdgeX = 0;
  // the line being painted
  QString lineText;
  bool currentLine = false;
  bool specialLine = false;
  TColor lineForeground = clNone, lineBackground = clNone;
  TColor selectedForeground = clNone, selectedBackground = clNone;
  // tokens of equal look gathered before they are drawn
  QString accText;
  int accColumnsBefore = 0;
  TColor accForeground = clNone, accBackground = clNone;
  TFontStyles accStyle = 0;
  TColor brush = clNone;
};

struct TCustomCodeEdit::RowPaint {
  int row = 0;
  int firstText = 0, lastText = 0; // the row's text columns (unwrapped)
  int selStart = 0, selEnd = 0;    // selected columns start..end-1 (0: none)
  bool partlySelected = false;
  bool wholeRow = false;
  TRect rowRect, tokenRect;
};

namespace {

int ColumnX(int column, int originX, int cellWidth) { return originX + (column - 1) * cellWidth; }

} // namespace

void TCustomCodeEdit::DrawRightEdge(QPainter& painter, const PaintState& st, int top, int bottom) {
  if (!st.drawRightEdge) return;
  painter.setPen(QPen(ToQColor(rightEdgeColor_), 1));
  painter.drawLine(st.rightEdgeX, top, st.rightEdgeX, bottom);
}

// --- invalidation

void TCustomCodeEdit::InvalidatePixels(const QRect& rect) { viewport()->update(rect); }

void TCustomCodeEdit::AddInvalidRect(const QRect& rect) {
  if (!isVisible() || rect.isEmpty()) return;
  if (StateFlag(esLinesChanging))
    dirtyRect_ |= rect;
  else
    InvalidatePixels(rect);
}

void TCustomCodeEdit::InvalidateGutterRange(int firstLine, int lastLine) {
  if (firstLine == -1 && lastLine == -1) {
    AddInvalidRect(QRect(0, 0, gutterPixelWidth_, viewport()->height()));
    return;
  }
  if (firstLine > lastLine) std::swap(firstLine, lastLine);
  if (wrapPlugin_) {
    firstLine = RowOfLine(firstLine);
    lastLine = lastLine > lines_->Count() ? INT_MAX : RowOfLine(lastLine);
  }
  const int first = qMax(firstLine, topRow_);
  const int last = qMin(lastLine, topRow_ + visibleRows_);
  if (last < first) return;
  AddInvalidRect(QRect(0, (first - topRow_) * rowHeight_, gutterPixelWidth_, (last - first + 1) * rowHeight_));
}

void TCustomCodeEdit::InvalidateLineRange(int firstLine, int lastLine) {
  const int width = viewport()->width() - gutterPixelWidth_;
  if (firstLine == -1 && lastLine == -1) {
    AddInvalidRect(QRect(gutterPixelWidth_, 0, width, viewport()->height()));
    return;
  }
  firstLine = qMax(firstLine, 1);
  lastLine = qMax(lastLine, 1);
  if (firstLine > lastLine) std::swap(firstLine, lastLine);
  const bool unlimited = lastLine >= lines_->Count();
  if (wrapPlugin_) {
    firstLine = RowOfLine(firstLine);
    if (!unlimited) lastLine = RowOfLine(lastLine + 1) - 1;
  }
  if (unlimited) lastLine = INT_MAX;
  const int first = qMax(firstLine, topRow_);
  const int last = qMin(lastLine, topRow_ + visibleRows_);
  if (last < first) return;
  AddInvalidRect(QRect(gutterPixelWidth_, (first - topRow_) * rowHeight_, width, (last - first + 1) * rowHeight_));
}

void TCustomCodeEdit::InvalidateOneLine(int line) {
  if (line < 1 || line > lines_->Count()) return;
  if (wrapPlugin_) {
    InvalidateLineRange(line, line);
  } else if (line >= topRow_ && line <= topRow_ + visibleRows_) {
    AddInvalidRect(
        QRect(gutterPixelWidth_, (line - topRow_) * rowHeight_, viewport()->width() - gutterPixelWidth_, rowHeight_));
  }
}

void TCustomCodeEdit::InvalidateSelectionLines() { InvalidateLineRange(SelectionFirst().Line, SelectionLast().Line); }

// --- the paint request

void TCustomCodeEdit::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  PaintClipArea(painter, event->rect());
  PaintPreedit(painter);
  PaintCaret(painter);
}

// The text an input method is composing, underlined at the caret.
void TCustomCodeEdit::PaintPreedit(QPainter& painter) {
  if (preeditText_.isEmpty()) return;
  const QPoint cell = ScreenCoordToPixel(CaretScreenPos());
  const QRect rect(cell, QSize(charCellWidth_ * int(preeditText_.size()), rowHeight_));
  QFont underlined = font();
  underlined.setUnderline(true);
  painter.save();
  painter.fillRect(rect, ToQColor(color_));
  painter.setFont(underlined);
  painter.setPen(ToQColor(fontColor_));
  painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, preeditText_);
  painter.restore();
}

void TCustomCodeEdit::PaintClipArea(QPainter& painter, const QRect& clip) {
  const TRect r = TRect::From(clip);
  const int cell = qMax(1, charCellWidth_), textLeft = gutterPixelWidth_ + 2;
  const int firstColumn = leftColumn_ + (r.left > textLeft ? (r.left - textLeft) / cell : 0);
  const int lastColumn = leftColumn_ + (r.right - textLeft + cell - 1) / cell;
  const int firstRow = qMax(topRow_ + r.top / qMax(1, rowHeight_), topRow_);
  // The row of the clip's last pixel: no row below the clip is painted.
  const int lastRow = qMax(qMin(topRow_ + (r.bottom - 1) / qMax(1, rowHeight_), RowCount()), 1);
  paintingOn_ = &painter;
  try {
    if (r.left < gutterPixelWidth_)
      PaintGutter(painter, TRect{r.left, r.top, gutterPixelWidth_, r.bottom}.ToQRect(), firstRow, lastRow);
    if (gutterPixelWidth_ < r.right)
      PaintTextRows(painter, TRect{qMax(r.left, gutterPixelWidth_), r.top, r.right, r.bottom}.ToQRect(), firstRow,
                    lastRow, firstColumn, lastColumn);
    FirePaint(painter);
    PaintTransient(ttAfter);
  } catch (...) {
    paintingOn_ = nullptr;
    throw;
  }
  paintingOn_ = nullptr;
}

void TCustomCodeEdit::FirePaint(QPainter& painter) {
  if (!OnPaint) return;
  painter.setFont(font());
  painter.setBrush(ToQColor(color_));
  OnPaint(this, painter);
}

void TCustomCodeEdit::PaintTransient(TTransientType type, bool changeLock) {
  bool fire = transientLockDepth_ == 0;
  if (changeLock) {
    if (type == ttAfter) {
      fire = transientLockDepth_ == 1;
      --transientLockDepth_;
    } else {
      ++transientLockDepth_;
    }
  }
  // The transient painting needs a canvas, which only a paint request gives.
  if (!fire || !OnPaintTransient || !paintingOn_) return;
  paintingOn_->save();
  paintingOn_->setFont(font());
  paintingOn_->setBrush(ToQColor(color_));
  OnPaintTransient(this, *paintingOn_, type);
  paintingOn_->restore();
}

bool TCustomCodeEdit::SpecialLineColors(int line, TColor& foreground, TColor& background) {
  bool special = false;
  if (OnSpecialLineColors) OnSpecialLineColors(this, line, special, foreground, background);
  return special;
}

TColor TCustomCodeEdit::ColumnBackground(bool currentLine) const {
  if (activeLineColor_ != clNone && currentLine) return activeLineColor_;
  if (highlighter_) {
    const TCodeHighlighterAttributes* space = highlighter_->DefaultAttribute(TCodeCustomHighlighter::drWhitespace);
    if (space && space->Background() != clNone) return space->Background();
  }
  return color_;
}

// --- the gutter

void TCustomCodeEdit::PaintGutter(QPainter& painter, const QRect& rect, int firstRow, int lastRow) {
  const TRect r = TRect::From(rect);
  const int firstLine = LineOfRow(firstRow), lastLine = LineOfRow(lastRow);
  const bool gradient = gutter_.Gradient();
  if (gradient)
    PaintGradient(painter, gutter_.GradientStartColor(), gutter_.GradientEndColor(), gutter_.GradientSteps(),
                  QRect(0, 0, gutterPixelWidth_, viewport()->height()), true);
  const QColor gutterColor = ToQColor(gutter_.Color());
  if (gutter_.ShowLineNumbers()) {
    QFont numberFont = font();
    numberFont.setBold(false);
    numberFont.setItalic(false);
    numberFont.setUnderline(false);
    numberFont.setStrikeOut(false);
    if (gutter_.UseFontStyle()) numberFont = gutter_.Font();
    const QFontMetrics metrics(numberFont);
    painter.save();
    painter.setFont(numberFont);
    painter.setPen(ToQColor(gutter_.UseFontStyle() ? gutter_.FontColor() : fontColor_));
    const int left = r.left, right = qMax(r.right, gutterPixelWidth_ - 2);
    int bottom = r.top;
    for (int line = firstLine; line <= lastLine; ++line) {
      const int y = (RowOfLine(line) - topRow_) * rowHeight_;
      if (wrapPlugin_ && !gradient && y > bottom)
        painter.fillRect(QRect(left, bottom, right - left, y - bottom), gutterColor);
      const QRect lineRect(left, y, right - left, rowHeight_);
      QString text = gutter_.LineNumberText(line);
      if (OnGutterGetText) OnGutterGetText(this, line, text);
      if (!gradient) painter.fillRect(lineRect, gutterColor);
      painter.setClipRect(lineRect);
      const int x = gutterPixelWidth_ - gutter_.RightOffset() - 2 - metrics.horizontalAdvance(text);
      painter.drawText(QPoint(x, y + (rowHeight_ - metrics.height()) / 2 + metrics.ascent()), text);
      painter.setClipping(false);
      bottom = y + rowHeight_;
    }
    if (!gradient && bottom < r.bottom)
      painter.fillRect(QRect(left, bottom, right - left, r.bottom - bottom), gutterColor);
    painter.restore();
  } else if (!gradient) {
    painter.fillRect(rect, gutterColor);
  }
  if (wrapPlugin_ && wordWrapGlyph_.Visible()) {
    for (int row = firstRow; row <= lastRow; ++row) {
      if (RowOfLine(LineOfRow(row)) == row) continue; // a line's first row carries its number, not the glyph
      wordWrapGlyph_.DrawGlyph(painter, gutterPixelWidth_ - gutter_.RightOffset() - 2 - wordWrapGlyph_.GlyphWidth(),
                               (row - topRow_) * rowHeight_, rowHeight_);
    }
  }
  if (gutter_.BorderStyle() != gbsNone && r.right >= gutterPixelWidth_ - 2) {
    const auto drawLine = [&](int x, TColor color) {
      painter.setPen(QPen(ToQColor(color), 1));
      painter.drawLine(x, r.top, x, r.bottom - 1);
    };
    if (gutter_.BorderStyle() == gbsMiddle) {
      drawLine(gutterPixelWidth_ - 2, gutter_.BorderColor());
      drawLine(gutterPixelWidth_ - 1, gutter_.Color());
    } else {
      drawLine(gutterPixelWidth_ - 1, gutter_.BorderColor());
    }
  }
  if (bookMarkOptions_.GlyphsVisible() && marks_.Count() > 0 && lastLine >= firstLine) {
    PaintMarks(painter, firstLine, lastLine, firstRow, lastRow);
  } else if (OnGutterPaint) {
    for (int line = firstLine; line <= lastLine; ++line)
      OnGutterPaint(this, line, 0, (RowOfLine(line) - topRow_) * rowHeight_);
  }
}

void TCustomCodeEdit::PaintMarks(QPainter& painter, int firstLine, int lastLine, int firstRow, int lastRow) {
  std::vector<int> offsets(lastRow - firstRow + 1, 0);
  const bool bookmarksFirst = bookMarkOptions_.DrawBookmarksFirst();
  bool secondPass = false;
  const auto pass = [&](bool bookmarks) {
    for (int i = 0; i < marks_.Count(); ++i) {
      const TCodeEditMark& mark = *marks_.Items(i);
      if (!mark.Visible() || mark.Line() < firstLine || mark.Line() > lastLine) continue;
      if (mark.IsBookmark() != bookmarks) {
        secondPass = true;
        continue;
      }
      const int row = RowOfLine(mark.Line());
      if (row >= firstRow && row <= lastRow) DrawMark(painter, mark, row, offsets[row - firstRow]);
    }
  };
  pass(bookmarksFirst);
  if (secondPass) pass(!bookmarksFirst);
  if (!OnGutterPaint) return;
  for (int line = firstLine; line <= lastLine; ++line) {
    const int row = RowOfLine(line);
    OnGutterPaint(this, line, row >= firstRow ? offsets[row - firstRow] : 0, (row - topRow_) * rowHeight_);
  }
}

void TCustomCodeEdit::DrawMark(QPainter& painter, const TCodeEditMark& mark, int row, int& offset) {
  const int y = (row - topRow_) * rowHeight_;
  const TImageList* images = bookMarkOptions_.BookmarkImages();
  if (!mark.UseBuiltInImage() && images) {
    if (mark.ImageIndex() >= images->Count()) return;
    if (mark.IsBookmark() == bookMarkOptions_.DrawBookmarksFirst())
      offset = 0;
    else if (offset == 0)
      offset = bookMarkOptions_.Xoffset();
    painter.drawPixmap(bookMarkOptions_.LeftMargin() + offset, y, images->Image(mark.ImageIndex()));
  } else {
    if (mark.ImageIndex() < 0 || mark.ImageIndex() > 9) return;
    if (!internalBookmarkImages_)
      internalBookmarkImages_ = std::make_unique<TCodeInternalImage>(QStringLiteral("CodeEditInternalImages"), 10);
    if (offset == 0)
      internalBookmarkImages_->DrawImage(painter, mark.ImageIndex(), bookMarkOptions_.LeftMargin(), y, rowHeight_);
  }
  offset += bookMarkOptions_.Xoffset();
}

// --- the text

void TCustomCodeEdit::PaintTextRows(QPainter& painter, const QRect& rect, int firstRow, int lastRow, int firstColumn,
                                    int lastColumn) {
  PaintState st;
  st.rect = TRect::From(rect);
  st.firstRow = firstRow;
  st.lastRow = lastRow;
  st.firstColumn = firstColumn;
  st.lastColumn = lastColumn;
  const int firstLine = LineOfRow(firstRow), lastLine = LineOfRow(lastRow);
  if (rightEdge_ > 0) {
    st.rightEdgeX = rightEdge_ * charCellWidth_ + TextOriginX();
    st.drawRightEdge = st.rightEdgeX >= st.rect.left && st.rightEdgeX < st.rect.right;
  }
  // The two pixels between the gutter and column 1 take the text background.
  if (st.rect.left < gutterPixelWidth_ + 2) {
    painter.fillRect(
        TRect{qMax(st.rect.left, gutterPixelWidth_), st.rect.top, gutterPixelWidth_ + 2, st.rect.bottom}.ToQRect(),
        ToQColor(ColumnBackground(false)));
    st.rect.left = gutterPixelWidth_ + 2;
  }
  if (lastLine >= firstLine) {
    TBufferCoord start = SelectionFirst(), end = SelectionLast();
    st.hasSelection =
        !(hideSelection_ && !hasFocus()) && start != end && end.Line >= firstLine && start.Line <= lastLine;
    if (st.hasSelection) {
      st.selStart = ToScreenCoord(start);
      st.selEnd = ToScreenCoord(end);
      if (currentSelectionMode_ == smColumn && st.selEnd.Column < st.selStart.Column)
        SwapInts(st.selStart.Column, st.selEnd.Column);
    }
    textDrawer_->SetStyle(StyleOf(font()));
    textDrawer_->BeginDrawing(&painter);
    try {
      for (int line = firstLine; line <= lastLine; ++line)
        PaintLine(painter, st, line);
    } catch (...) {
      textDrawer_->EndDrawing();
      throw;
    }
    textDrawer_->EndDrawing();
  }
  const int below = (lastRow - topRow_ + 1) * rowHeight_;
  if (below < st.rect.bottom) {
    painter.fillRect(TRect{st.rect.left, below, st.rect.right, st.rect.bottom}.ToQRect(),
                     ToQColor(ColumnBackground(false)));
    DrawRightEdge(painter, st, below, st.rect.bottom);
  }
}

void TCustomCodeEdit::PaintLine(QPainter& painter, PaintState& st, int line) {
  st.lineText = lines_->GetExpandedLine(line - 1);
  st.currentLine = line == caretLine_;
  st.lineForeground = fontColor_;
  st.lineBackground = ColumnBackground(st.currentLine);
  st.specialLine = SpecialLineColors(line, st.lineForeground, st.lineBackground);
  if (st.specialLine) {
    // A coloured line shows its selection in its own colours swapped.
    st.selectedForeground = st.lineBackground;
    st.selectedBackground = st.lineForeground;
  } else {
    st.selectedForeground = selectedColor_.Foreground();
    st.selectedBackground = selectedColor_.Background();
  }
  const int lastRowOfLine = qMin(RowOfLine(line + 1) - 1, st.lastRow);
  for (int row = qMax(RowOfLine(line), st.firstRow); row <= lastRowOfLine; ++row) {
    RowPaint rp;
    rp.row = row;
    if (wrapPlugin_) {
      rp.firstText = wrapPlugin_->ScreenToBuffer({highlighter_ ? st.firstColumn : 1, row}).Char;
      rp.lastText = wrapPlugin_->ScreenToBuffer({st.lastColumn, row}).Char;
    } else {
      rp.firstText = st.firstColumn;
      rp.lastText = st.lastColumn;
    }
    if (st.hasSelection && row >= st.selStart.Row && row <= st.selEnd.Row) {
      if (currentSelectionMode_ == smColumn && !wrapPlugin_) {
        // A column block covers the same character indexes on every line, as
        // it is copied and deleted; tabs move it on the display.
        const TBufferCoord first = SelectionFirst(), last = SelectionLast();
        st.selStart.Column = ToScreenCoord({qMin(first.Char, last.Char), line}).Column;
        st.selEnd.Column = ToScreenCoord({qMax(first.Char, last.Char), line}).Column;
      }
      rp.selStart = st.firstColumn;
      rp.selEnd = st.lastColumn + 1;
      const bool column = currentSelectionMode_ == smColumn, normal = currentSelectionMode_ == smNormal;
      if (column || (normal && row == st.selStart.Row)) {
        if (st.selStart.Column > st.lastColumn) {
          rp.selStart = rp.selEnd = 0;
        } else if (st.selStart.Column > st.firstColumn) {
          rp.selStart = st.selStart.Column;
          rp.partlySelected = true;
        }
      }
      if (column || (normal && row == st.selEnd.Row)) {
        if (st.selEnd.Column < st.firstColumn) {
          rp.selStart = rp.selEnd = 0;
        } else if (st.selEnd.Column <= st.lastColumn) {
          rp.selEnd = st.selEnd.Column;
          rp.partlySelected = true;
        }
      }
      if (column) {
        if (IsTrailByte(st.lineText, rp.selStart)) ++rp.selStart;
        if (IsTrailByte(st.lineText, rp.selEnd)) ++rp.selEnd;
      }
    }
    const int top = (row - topRow_) * rowHeight_;
    rp.rowRect = {st.rect.left, top, st.rect.right, top + rowHeight_};
    rp.wholeRow = !rp.partlySelected && rp.selStart > 0;
    rp.tokenRect = rp.rowRect;
    PaintRow(painter, st, rp);
  }
  st.currentLine = false;
}

void TCustomCodeEdit::PaintRow(QPainter& painter, PaintState& st, RowPaint& rp) {
  if (highlighter_ && highlighter_->Enabled())
    PaintRowTokens(painter, st, rp);
  else
    PaintRowPlain(st, rp);
  DrawRightEdge(painter, st, rp.rowRect.top, rp.rowRect.bottom);
}

void TCustomCodeEdit::PaintRowTokens(QPainter& painter, PaintState& st, RowPaint& rp) {
  const int line = LineOfRow(rp.row);
  const TFontStyles fontStyle = StyleOf(font());
  {
    if (line == 1)
      highlighter_->ClearRange();
    else
      highlighter_->RestoreRange(int(lines_->GetLineRange(line - 2)));
    highlighter_->StartLine(st.lineText, line - 1);
    st.accText.clear();
    int tokenEnd = 0;
    while (!highlighter_->AtLineEnd()) {
      const int start = highlighter_->TokenStart();
      const QString token = highlighter_->TokenText();
      if (token.isEmpty()) {
        highlighter_->NextToken();
        if (!highlighter_->AtLineEnd() && highlighter_->TokenText().isEmpty())
          throw Exception(QStringLiteral("The highlighter seems to be in an infinite loop"));
        continue;
      }
      int length = int(token.size());
      tokenEnd = start + length;
      if (start + length >= rp.firstText) {
        if (start + length >= rp.lastText) {
          if (start >= rp.lastText) break;
          length = rp.lastText - start - 1;
        }
        const TCodeHighlighterAttributes* attribute = highlighter_->TokenAttribute();
        AddToken(painter, st, rp, QStringView(token).left(qMax(0, length)), start - (rp.firstText - st.firstColumn),
                 attribute ? attribute->Foreground() : st.lineForeground,
                 attribute ? attribute->Background() : st.lineBackground, attribute ? attribute->Style() : fontStyle);
      }
      highlighter_->NextToken();
    }
    const int lineLength = int(st.lineText.size());
    if (highlighter_->AtLineEnd() && tokenEnd < rp.lastText) {
      // Text the highlighter left (after a NUL), then the line end's mark.
      const int from = qMax(tokenEnd, rp.firstText - 1);
      const int count = qMin(lineLength, rp.lastText) - (from + 1);
      if (from < lineLength && count > 0)
        AddToken(painter, st, rp, QStringView(st.lineText).mid(from, count), from - (rp.firstText - st.firstColumn),
                 st.lineForeground, st.lineBackground, fontStyle);
      if (specialCharsVisible_ && lineLength < rp.lastText)
        AddToken(painter, st, rp, QStringView(&kLineEndGlyph, 1), lineLength - (rp.firstText - st.firstColumn),
                 st.lineForeground, st.lineBackground, fontStyle);
    }
    FlushToken(painter, st, rp, true);
  }
}

// A row without a highlighter: the text, and the selection in up to three pieces.
void TCustomCodeEdit::PaintRowPlain(PaintState& st, RowPaint& rp) {
  QString token = rp.firstText == st.firstColumn && rp.lastText == st.lastColumn
                      ? st.lineText
                      : st.lineText.mid(rp.firstText - 1, qMax(0, rp.lastText - rp.firstText));
  if (specialCharsVisible_ && st.lineText.size() < rp.lastText) token += kLineEndGlyph;
  const int cell = charCellWidth_;
  if (rp.partlySelected) {
    SetPieceColors(st, false);
    rp.tokenRect.left = qMax(rp.rowRect.left, ColumnX(st.firstColumn, TextOriginX(), cell));
    rp.tokenRect.right = qMin(rp.rowRect.right, ColumnX(rp.selStart, TextOriginX(), cell));
    PaintPiece(rp, token, 0, st.firstColumn, rp.selStart);
    rp.tokenRect.left = qMax(rp.rowRect.left, ColumnX(rp.selEnd, TextOriginX(), cell));
    rp.tokenRect.right = qMin(rp.rowRect.right, ColumnX(st.lastColumn, TextOriginX(), cell));
    PaintPiece(rp, token, 0, rp.selEnd, st.lastColumn);
    SetPieceColors(st, true);
    rp.tokenRect.left = qMax(rp.rowRect.left, ColumnX(rp.selStart, TextOriginX(), cell));
    rp.tokenRect.right = qMin(rp.rowRect.right, ColumnX(rp.selEnd, TextOriginX(), cell));
    PaintPiece(rp, token, 0, rp.selStart, rp.selEnd - 1);
  } else {
    SetPieceColors(st, rp.wholeRow);
    PaintPiece(rp, token, 0, st.firstColumn, st.lastColumn);
  }
}

void TCustomCodeEdit::AddToken(QPainter& painter, PaintState& st, RowPaint& rp, QStringView text, int column,
                               TColor foreground, TColor background, TFontStyles style) {
  if (background == clNone || (st.currentLine && activeLineColor_ != clNone))
    background = ColumnBackground(st.currentLine);
  if (foreground == clNone) foreground = fontColor_;
  if (!st.accText.isEmpty()) {
    const bool blank = IsBlank(text);
    const bool sameStyle = style == st.accStyle || (!(style & fsUnderline) && !(st.accStyle & fsUnderline) && blank);
    const bool sameLook =
        (st.specialLine && !HasOption(eoSpecialLineDefaultFg)) || rp.wholeRow ||
        (background == st.accBackground && (foreground == st.accForeground || (blank && !specialCharsVisible_)));
    if (sameStyle && sameLook) {
      st.accText += text;
      return;
    }
    FlushToken(painter, st, rp, false);
  }
  st.accText = text.toString();
  st.accColumnsBefore = column;
  st.accForeground = foreground;
  st.accBackground = background;
  st.accStyle = style;
}

void TCustomCodeEdit::SetPieceColors(PaintState& st, bool selected) {
  const TColor foreground = selected ? st.selectedForeground : st.lineForeground;
  const TColor background = selected ? st.selectedBackground : st.lineBackground;
  textDrawer_->SetForeColor(foreground);
  textDrawer_->SetBackColor(background);
  st.brush = background;
}

void TCustomCodeEdit::FlushToken(QPainter& painter, PaintState& st, RowPaint& rp, bool fillToEnd) {
  const int cell = charCellWidth_;
  const auto x = [&](int column) { return ColumnX(column, TextOriginX(), cell); };
  const int c1 = qMax(st.firstColumn, st.accColumnsBefore + 1);
  const int c2 = qMin(st.lastColumn, st.accColumnsBefore + int(st.accText.size()) + 1);
  bool before = false, inSelection = rp.wholeRow, after = false;
  if (rp.partlySelected) {
    before = c1 < rp.selStart;
    inSelection = c1 < rp.selEnd && c2 >= rp.selStart;
    after = c2 >= rp.selEnd;
  }
  if (!st.accText.isEmpty()) {
    if (!st.specialLine) {
      st.lineBackground = st.accBackground;
      st.lineForeground = st.accForeground;
    } else if (HasOption(eoSpecialLineDefaultFg)) {
      st.lineForeground = st.accForeground;
    }
    textDrawer_->SetStyle(st.accStyle);
    if (inSelection && (before || after)) {
      if (before) {
        SetPieceColors(st, false);
        rp.tokenRect.right = x(rp.selStart);
        PaintPiece(rp, st.accText, st.accColumnsBefore, c1, rp.selStart);
      }
      SetPieceColors(st, true);
      const int selectedLast = qMin(rp.selEnd, c2);
      rp.tokenRect.right = x(selectedLast);
      PaintPiece(rp, st.accText, st.accColumnsBefore, qMax(rp.selStart, c1), selectedLast);
      if (after) {
        SetPieceColors(st, false);
        rp.tokenRect.right = x(c2);
        PaintPiece(rp, st.accText, st.accColumnsBefore, rp.selEnd, c2);
      }
    } else {
      SetPieceColors(st, inSelection);
      rp.tokenRect.right = x(c2);
      PaintPiece(rp, st.accText, st.accColumnsBefore, c1, c2);
    }
  }
  if (!fillToEnd || rp.tokenRect.left >= rp.rowRect.right) return;
  if (!st.specialLine) st.lineBackground = ColumnBackground(st.currentLine);
  // Bold and italic ink reaching past the last cell is not painted over.
  const auto keepOverhang = [&] {
    if (!st.accText.isEmpty() && st.accStyle != 0) rp.tokenRect.left += textDrawer_->Overhang(st.accText.back());
  };
  const auto fill = [&] {
    if (!rp.tokenRect.Empty()) painter.fillRect(rp.tokenRect.ToQRect(), ToQColor(st.brush));
  };
  if (rp.partlySelected) {
    const int x1 = x(rp.selStart), x2 = x(rp.selEnd);
    if (rp.tokenRect.left < x1) {
      SetPieceColors(st, false);
      rp.tokenRect.right = x1;
      keepOverhang();
      fill();
      rp.tokenRect.left = x1;
    }
    if (rp.tokenRect.left < x2) {
      SetPieceColors(st, true);
      rp.tokenRect.right = x2;
      fill();
      rp.tokenRect.left = x2;
    }
    if (rp.tokenRect.left < rp.rowRect.right) {
      SetPieceColors(st, false);
      rp.tokenRect.right = rp.rowRect.right;
      fill();
    }
  } else {
    SetPieceColors(st, rp.wholeRow);
    rp.tokenRect.right = rp.rowRect.right;
    keepOverhang();
    fill();
  }
}

void TCustomCodeEdit::PaintPiece(RowPaint& rp, const QString& text, int columnsBefore, int first, int last) {
  QString shown = text;
  bool hasTabs = false;
  for (int column = last; column >= first; --column) {
    const int index = column - columnsBefore;
    if (index < 1 || index > shown.size()) continue;
    QChar& c = shown[index - 1];
    if (c == u' ' && specialCharsVisible_) {
      c = kSpaceGlyph;
    } else if (c == u'\t') {
      c = u' ';
      hasTabs = hasTabs || specialCharsVisible_;
    }
  }
  if (last < first || rp.tokenRect.Empty()) return;
  const int cell = charCellWidth_;
  int x = ColumnX(first, TextOriginX(), cell);
  int index = first - columnsBefore;
  int count = 0;
  if (index <= shown.size()) {
    if (index > 1 && IsTrailByte(shown, index)) {
      --index;
      x -= cell;
    }
    count = qMax(0, qMin(int(shown.size()) - index + 1, (last - columnsBefore) - index + 1));
  }
  textDrawer_->SpacedTextOut(x, rp.tokenRect.top, true, rp.tokenRect.ToQRect(),
                             count > 0 ? QStringView(shown).mid(index - 1, count) : QStringView());
  if (hasTabs && count > 0) {
    // One "»" centred in each run of tab cells.
    QString tabs = text;
    for (int i = 1; i < index; ++i)
      if (tabs[i - 1] == u'\t') tabs[i - 1] = u' ';
    const int lastIndex = index + count - 1;
    for (qsizetype found = tabs.indexOf(u'\t', index - 1); found >= 0 && found + 1 <= lastIndex;
         found = tabs.indexOf(u'\t', found)) {
      const int runStart = int(found) + 1;
      int width = 1;
      while ((runStart + columnsBefore + width - 1) % tabWidth_ != 0 && width < tabWidth_)
        ++width;
      const int glyphX =
          ColumnX(columnsBefore + runStart + width / 2 - 1, TextOriginX(), cell) + (width % 2 ? cell : cell / 2);
      textDrawer_->SpacedTextOut(glyphX, rp.tokenRect.top, false, rp.tokenRect.ToQRect(), QStringView(&kTabGlyph, 1));
      for (int i = 0; i < width && found + i < tabs.size(); ++i)
        tabs[found + i] = u' ';
    }
  }
  rp.tokenRect.left = rp.tokenRect.right;
}
