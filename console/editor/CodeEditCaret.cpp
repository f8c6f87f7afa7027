// The caret and the view: moving the caret and keeping it visible, the drawn
// caret, scrolling and the scroll bars.
#include "console/editor/CodeEditPrivate.h"
#include "console/editor/CodeTextDrawer.h"
#include "core/gui/ColorConvert.h"
#include <QtGui/QGuiApplication>
#include <QtGui/QInputMethod>
#include <QtGui/QPaintEngine>
#include <QtGui/QPainter>
#include <QtWidgets/QScrollBar>
#include <climits>

TScreenCoord TCustomCodeEdit::CaretScreenPos() const {
  TScreenCoord position = ToScreenCoord(CaretPos());
  if (wrapPlugin_ && caretAtRowEnd_) {
    // The caret shows at the end of the previous row, not the start of its own.
    if (position.Column == 1 && position.Row > 1) {
      --position.Row;
      position.Column = wrapPlugin_->RowLength(position.Row) + 1;
    } else {
      caretAtRowEnd_ = false;
    }
  }
  return position;
}

int TCustomCodeEdit::CaretRow() const { return wrapPlugin_ ? CaretScreenPos().Row : caretLine_; }

void TCustomCodeEdit::RememberCaretColumn() {
  caretTrailAdjusted_ = false;
  preferredColumn_ = CaretColumn();
}

bool TCustomCodeEdit::CaretIsVisible() const {
  const TScreenCoord caret = CaretScreenPos();
  return caret.Column >= leftColumn_ && caret.Column <= leftColumn_ + visibleColumns_ && caret.Row >= topRow_ &&
         caret.Row <= topRow_ + visibleRows_;
}

void TCustomCodeEdit::MoveCaretEx(bool ensureVisible, const TBufferCoord& position) {
  caretAtRowEnd_ = false;
  PaintTransient(ttBefore);
  const bool pastEol = HasOption(eoScrollPastEol);
  int limit = wrapPlugin_ ? INT_MAX : maxScrollWidth_ + 1;
  int line = qMin(position.Line, lines_->Count());
  if (line < 1) {
    line = 1;
    if (!pastEol) limit = 1;
  } else if (!pastEol) {
    limit = int(lines_->Get(line - 1).size()) + 1;
  }
  int charIndex = position.Char;
  if (charIndex > limit && !(pastEol && HasOption(eoAutoSizeMaxScrollWidth))) charIndex = limit;
  charIndex = qMax(1, charIndex);
  if (charIndex == caretChar_ && line == caretLine_) {
    RememberCaretColumn();
  } else {
    TCodeEditPaintLock lock(*this);
    if (charIndex != caretChar_) {
      caretChar_ = charIndex;
      NotifyStatusChange(stcCaretChar);
    }
    if (line != caretLine_) {
      if (activeLineColor_ != clNone) {
        InvalidateOneLine(line);
        InvalidateOneLine(caretLine_);
      }
      caretLine_ = line;
      NotifyStatusChange(stcCaretLine);
    }
    RememberCaretColumn();
    if (ensureVisible) EnsureCaretVisibleEx(false);
    SetStateFlag(esCaretPending, true);
    SetStateFlag(esScrollBarsPending, true);
  }
  PaintTransient(ttAfter);
}

void TCustomCodeEdit::MoveCaretCollapsing(const TBufferCoord& position) {
  TCodeEditPaintLock lock(*this);
  pendingStatusChanges_ |= stcSelection;
  MoveCaretEx(true, position);
  if (HasSelection()) InvalidateSelectionLines();
  selectionAnchor_ = selectionActiveEnd_ = CaretPos();
}

void TCustomCodeEdit::MoveCaretToScreenCoord(const TScreenCoord& position) {
  {
    TCodeEditPaintLock lock(*this);
    MoveCaretTo(ToBufferCoord(position));
    caretAtRowEnd_ = wrapPlugin_ && position.Row <= wrapPlugin_->RowCount() &&
                     position.Column > wrapPlugin_->RowLength(position.Row) &&
                     ToScreenCoord(CaretPos()).Row != position.Row;
  }
  RememberCaretColumn();
}

void TCustomCodeEdit::MoveCaretToPixel(int x, int y) {
  TScreenCoord position = PixelToNearestScreenCoord(x, y);
  position.Row = qMax(1, qMin(position.Row, RowCount()));
  MoveCaretToScreenCoord(position);
}

void TCustomCodeEdit::EnsureCaretVisibleEx(bool centre) {
  TCodeEditPaintLock lock(*this);
  const int column = CaretColumn();
  if (column < leftColumn_)
    ScrollToColumn(column);
  else if (column >= leftColumn_ + visibleColumns_ && visibleColumns_ > 0)
    ScrollToColumn(column - visibleColumns_ + 1);
  else
    ScrollToColumn(leftColumn_);
  const int row = CaretRow();
  if (centre) {
    if (row < topRow_ || row > topRow_ + visibleRows_ - 1) ScrollToRow(row - (visibleRows_ - 1) / 2);
  } else if (row < topRow_) {
    ScrollToRow(row);
  } else if (row > topRow_ + visibleRows_ - 1) {
    ScrollToRow(row - visibleRows_ + 1);
  } else {
    ScrollToRow(topRow_);
  }
}

// --- the drawn caret

void TCustomCodeEdit::CreateEditorCaret() {
  const TCodeEditCaretType type = insertMode_ ? insertCaret_ : overwriteCaret_;
  switch (type) {
  case ctHorizontalLine:
    caretSize_ = QSize(charCellWidth_, 2);
    caretOffset_ = QPoint(0, rowHeight_ - 2);
    break;
  case ctHalfBlock:
    caretSize_ = QSize(charCellWidth_, (rowHeight_ - 2) / 2);
    caretOffset_ = QPoint(0, (rowHeight_ - 2) / 2);
    break;
  case ctBlock:
    caretSize_ = QSize(charCellWidth_, rowHeight_ - 2);
    caretOffset_ = QPoint(0, 0);
    break;
  case ctVerticalLine:
    caretSize_ = QSize(2, rowHeight_ - 2);
    caretOffset_ = QPoint(-1, 0);
    break;
  }
  HideEditorCaret();
  if (hasFocus()) UpdateCaretPosition();
}

void TCustomCodeEdit::UpdateCaretPosition() {
  if (paintLockDepth_ > 0 || !hasFocus()) {
    SetStateFlag(esCaretPending, true);
    return;
  }
  SetStateFlag(esCaretPending, false);
  TScreenCoord position = CaretScreenPos();
  if (wrapPlugin_) position.Column = qMin(position.Column, visibleColumns_ + 1);
  const QPoint cell = ScreenCoordToPixel(position);
  const QPoint point(cell.x() + caretOffset_.x(), cell.y() + caretOffset_.y() + 1);
  const QRect rect(point, caretSize_);
  if (rect != caretRect_) {
    viewport()->update(caretRect_);
    caretRect_ = rect;
    caretBlinkOn_ = true;
    viewport()->update(caretRect_);
  }
  const QRect textArea(gutterPixelWidth_, 0, viewport()->width() - gutterPixelWidth_, viewport()->height());
  if (textArea.contains(point))
    ShowEditorCaret();
  else
    HideEditorCaret();
  if (QInputMethod* input = QGuiApplication::inputMethod()) input->update(Qt::ImCursorRectangle);
}

void TCustomCodeEdit::ShowEditorCaret() {
  if (HasOption(eoNoCaret) || StateFlag(esCaretShown)) return;
  SetStateFlag(esCaretShown, true);
  caretBlinkOn_ = true;
  caretBlinkTimer_.start();
  viewport()->update(caretRect_);
}

void TCustomCodeEdit::HideEditorCaret() {
  if (!StateFlag(esCaretShown)) return;
  SetStateFlag(esCaretShown, false);
  caretBlinkTimer_.stop();
  viewport()->update(caretRect_);
}

void TCustomCodeEdit::BlinkCaret() {
  caretBlinkOn_ = !caretBlinkOn_;
  viewport()->update(caretRect_);
}

void TCustomCodeEdit::PaintCaret(QPainter& painter) {
  if (!StateFlag(esCaretShown) || !caretBlinkOn_ || caretRect_.isEmpty()) return;
  painter.save();
  if (painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(caretRect_, Qt::white);
  } else {
    painter.fillRect(caretRect_, ToQColor(fontColor_));
  }
  painter.restore();
}

// --- scrolling

void TCustomCodeEdit::ScrollToRow(int row) {
  const int limit = HasOption(eoScrollPastEof) ? RowCount() : RowCount() - visibleRows_ + 1;
  row = qMax(qMin(row, limit), 1);
  if (row == topRow_) return;
  const int delta = topRow_ - row;
  topRow_ = row;
  if (qAbs(delta) < visibleRows_)
    viewport()->scroll(0, delta * rowHeight_);
  else
    viewport()->update();
  UpdateScrollBarState();
  NotifyStatusChange(stcTopRow);
}

void TCustomCodeEdit::ScrollToColumn(int column) {
  if (wrapPlugin_) column = 1;
  int limit = 1;
  if (!HasOption(eoScrollPastEol)) {
    const int longest = lines_->GetLongestLineLength();
    limit = visibleColumns_ < longest ? longest - visibleColumns_ + 1 : 1;
  } else if (HasOption(eoAutoSizeMaxScrollWidth)) {
    limit = INT_MAX - visibleColumns_;
  } else {
    limit = maxScrollWidth_ - visibleColumns_ + 1;
  }
  column = qMax(qMin(column, limit), 1);
  if (column == leftColumn_) return;
  const int delta = leftColumn_ - column;
  leftColumn_ = column;
  textOriginX_ = gutterPixelWidth_ + 2 - (leftColumn_ - 1) * charCellWidth_;
  if (qAbs(delta) < visibleColumns_) {
    const QRect text(gutterPixelWidth_ + 2, 0, viewport()->width() - gutterPixelWidth_ - 2, viewport()->height());
    viewport()->scroll(delta * charCellWidth_, 0, text);
  } else {
    InvalidateLineRange(-1, -1);
  }
  if (HasOption(eoScrollPastEol) && HasOption(eoAutoSizeMaxScrollWidth) &&
      leftColumn_ + visibleColumns_ > maxScrollWidth_)
    SetMaxScrollWidth(leftColumn_ + visibleColumns_);
  else
    UpdateScrollBarState();
  NotifyStatusChange(stcLeftColumn);
}

int TCustomCodeEdit::HorizontalExtent() {
  return HasOption(eoScrollPastEol) ? maxScrollWidth_ : qMax(lines_->GetLongestLineLength(), 1);
}

int TCustomCodeEdit::VerticalExtent() const { return RowCount() + (HasOption(eoScrollPastEof) ? visibleRows_ - 1 : 0); }

void TCustomCodeEdit::SetScrollBar(Qt::Orientation orientation, int extent, int page, int position) {
  QScrollBar* bar = orientation == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
  // Above 32767 units the bar works in 32767 steps, as the stored positions do.
  const bool scaled = extent > 32767;
  const int minimum = scaled ? 0 : 1;
  const int maximum = scaled ? 32767 : (orientation == Qt::Vertical ? qMax(1, extent) : extent);
  const int pageSize = scaled ? MulDiv(page, 32767, extent) : page;
  const int value = scaled ? MulDiv(position, 32767, extent) : position;
  const QSignalBlocker blocker(bar);
  bar->setRange(minimum, qMax(minimum, maximum - qMax(pageSize, 1) + 1));
  bar->setPageStep(qMax(1, pageSize));
  bar->setSingleStep(1);
  bar->setValue(value);
  const bool hide = HasOption(eoHideShowScrollbars) && !scaled && maximum <= page;
  const Qt::ScrollBarPolicy policy = hide ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn;
  if (orientation == Qt::Horizontal)
    setHorizontalScrollBarPolicy(policy);
  else
    setVerticalScrollBarPolicy(policy);
  // A bar that cannot move the view is disabled rather than hidden.
  bar->setEnabled(HasOption(eoHideShowScrollbars) || maximum > page || scaled);
}

void TCustomCodeEdit::UpdateScrollBarState() {
  if (!constructed_ || paintLockDepth_ > 0) {
    SetStateFlag(esScrollBarsPending, true);
    return;
  }
  SetStateFlag(esScrollBarsPending, false);
  if (scrollBars_ == ssNone) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return;
  }
  if ((scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && !wrapPlugin_)
    SetScrollBar(Qt::Horizontal, HorizontalExtent(), visibleColumns_, leftColumn_);
  else
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth)
    SetScrollBar(Qt::Vertical, VerticalExtent(), visibleRows_, topRow_);
  else
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TCustomCodeEdit::scrollContentsBy(int, int) {
  // The view follows TopRow and LeftColumn, not the bars' own scrolling.
}
