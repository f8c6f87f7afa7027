// The caret and the view: moving the caret and keeping it visible, the drawn
// caret, scrolling and the scroll bars.
#include "console/editor/CodeEditPrivate.h"
#include "console/editor/CodeTextDrawer.h"
#include "console/editor/text/CodeEditStrings.h"
#include "core/gui/ColorConvert.h"
#include <QtCore/QPointer>
#include <QtGui/QGuiApplication>
#include <QtGui/QInputMethod>
#include <QtGui/QPaintEngine>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyle>
#include <climits>
#include <cmath>

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

// The highest character index the caret may take on the line: its end
// without scrolling past line ends; with it, MaxScrollWidth + 1, or the end of
// a longer line, so that the text of a long line stays within the caret's
// reach.
int TCustomCodeEdit::CaretCharLimit(int line) const {
  const int lineEnd = int(lines_->Get(line - 1).size()) + 1;
  if (!HasOption(eoScrollPastEol)) return lineEnd;
  if (wrapPlugin_ || HasOption(eoAutoSizeMaxScrollWidth)) return INT_MAX;
  return qMax(maxScrollWidth_ + 1, lineEnd);
}

void TCustomCodeEdit::MoveCaretEx(bool ensureVisible, const TBufferCoord& position) {
  caretAtRowEnd_ = false;
  PaintTransient(ttBefore);
  const int line = qMax(1, qMin(position.Line, lines_->Count()));
  int charIndex = qMax(1, qMin(position.Char, CaretCharLimit(line)));
  // The caret never stands inside a character of two code units.
  if (IsTrailByte(lines_->Get(line - 1), charIndex)) --charIndex;
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
  topRow_ = row;
  // The view is painted again rather than its pixels moved: moved pixels may
  // hold a paint that is still owed, and the view would show text it no
  // longer holds.
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
    limit = HorizontalExtent() - visibleColumns_ + 1;
  }
  column = qMax(qMin(column, limit), 1);
  if (column == leftColumn_) return;
  leftColumn_ = column;
  // Painted again, not moved: see ScrollToRow.
  InvalidateLineRange(-1, -1);
  if (HasOption(eoScrollPastEol) && HasOption(eoAutoSizeMaxScrollWidth) &&
      leftColumn_ + visibleColumns_ > maxScrollWidth_)
    SetMaxScrollWidth(leftColumn_ + visibleColumns_);
  else
    UpdateScrollBarState();
  NotifyStatusChange(stcLeftColumn);
}

int TCustomCodeEdit::HorizontalExtent() {
  const int longest = lines_->GetLongestLineLength();
  return HasOption(eoScrollPastEol) ? qMax(maxScrollWidth_, longest) : qMax(longest, 1);
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

// --- scroll bar requests, the wheel and the scroll hint

namespace {

// The hint window of every editor of the process, made on first use.
QLabel& ScrollHintWindow() {
  static QPointer<QLabel> hint;
  if (!hint) {
    hint = new QLabel(nullptr, Qt::ToolTip | Qt::BypassGraphicsProxyWidget);
    hint->setAutoFillBackground(true);
    hint->setMargin(2);
    hint->setFrameStyle(QFrame::Box | QFrame::Plain);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, hint, &QObject::deleteLater);
  }
  return *hint;
}

} // namespace

void TCustomCodeEdit::OnScrollBarAction(Qt::Orientation orientation, int action) {
  const int less = HasOption(eoScrollByOneLess) ? 1 : 0;
  QScrollBar* bar = orientation == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
  // The thumb's position in the bar's own units, scaled back above 32767.
  const auto thumb = [&](int extent) {
    const int position = qint16(bar->sliderPosition());
    return extent > 32767 ? int(qint64(extent) * position / 32767) : position;
  };
  if (orientation == Qt::Horizontal) {
    int column = leftColumn_;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      column = leftColumn_ - 1;
      break;
    case QAbstractSlider::SliderSingleStepAdd:
      column = leftColumn_ + 1;
      break;
    case QAbstractSlider::SliderPageStepSub:
      column = leftColumn_ - (visibleColumns_ - less);
      break;
    case QAbstractSlider::SliderPageStepAdd:
      column = leftColumn_ + visibleColumns_ - less;
      break;
    case QAbstractSlider::SliderToMinimum:
      column = 1;
      break;
    case QAbstractSlider::SliderToMaximum:
      column = HasOption(eoScrollPastEol) ? HorizontalExtent() - visibleColumns_ + 1 : lines_->GetLongestLineLength();
      break;
    case QAbstractSlider::SliderMove:
      thumbTracking_ = true;
      column = thumb(HorizontalExtent());
      break;
    default:
      return;
    }
    ScrollToColumn(column);
  } else {
    int row = topRow_;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      row = topRow_ - 1;
      break;
    case QAbstractSlider::SliderSingleStepAdd:
      row = topRow_ + 1;
      break;
    case QAbstractSlider::SliderPageStepSub:
      row = topRow_ - (visibleRows_ - less);
      break;
    case QAbstractSlider::SliderPageStepAdd:
      row = topRow_ + visibleRows_ - less;
      break;
    case QAbstractSlider::SliderToMinimum:
      row = 1;
      break;
    case QAbstractSlider::SliderToMaximum:
      row = RowCount();
      break;
    case QAbstractSlider::SliderMove:
      thumbTracking_ = true;
      row = RowCount() > 32767 ? int(qint64(RowCount() + visibleRows_ - 1) * qint16(bar->sliderPosition()) / 32767)
                               : qint16(bar->sliderPosition());
      break;
    default:
      return;
    }
    ScrollToRow(row);
    if (thumbTracking_ && HasOption(eoShowScrollHint)) ShowScrollHint();
    viewport()->repaint();
  }
  // The bar keeps the position the view took, not the one it asked for.
  bar->setSliderPosition(bar->value());
  if (OnScroll) OnScroll(this, orientation);
}

void TCustomCodeEdit::OnScrollBarReleased(Qt::Orientation orientation) {
  thumbTracking_ = false;
  if (orientation == Qt::Vertical && HasOption(eoShowScrollHint)) HideScrollHint();
}

QString TCustomCodeEdit::ScrollHintText() const {
  const QLabel& hint = ScrollHintWindow();
  return hint.isVisible() ? hint.text() : QString();
}

void TCustomCodeEdit::ShowScrollHint() {
  QLabel& hint = ScrollHintWindow();
  QPalette palette = hint.palette();
  palette.setColor(QPalette::Window, ToQColor(scrollHintColor_));
  palette.setColor(QPalette::WindowText, ToQColor(clInfoText));
  hint.setPalette(palette);
  const int top = LineOfRow(topRow_);
  if (scrollHintFormat_ == shfTopToBottom)
    hint.setText(CodeEditStrings::ScrollHintTopToBottom().arg(top).arg(
        LineOfRow(topRow_ + qMin(visibleRows_, RowCount() - topRow_))));
  else
    hint.setText(CodeEditStrings::ScrollHintTopLine().arg(top));
  hint.setMaximumWidth(200);
  hint.adjustSize();
  QPoint point(viewport()->width() - hint.width() - 4, 10);
  if (HasOption(eoScrollHintFollows)) {
    const QScrollBar* bar = verticalScrollBar();
    const int arrow = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int maximum = qMax(1, bar->maximum());
    point.setY(arrow + int(std::lround(double(viewport()->height() - 2 * arrow) * bar->sliderPosition() / maximum)) +
               hint.height() / 2);
  }
  hint.move(viewport()->mapToGlobal(point));
  hint.show();
  hint.repaint();
}

void TCustomCodeEdit::HideScrollHint() { ScrollHintWindow().hide(); }

void TCustomCodeEdit::ScrollByWheel(int delta, bool ctrl) {
  int rowsPerNotch = QApplication::wheelScrollLines();
  if (ctrl) rowsPerNotch = HasOption(eoHalfPageScroll) ? visibleRows_ / 2 : visibleRows_;
  if (rowsPerNotch < 0 || rowsPerNotch > visibleRows_) rowsPerNotch = visibleRows_;
  wheelRemainder_ += delta;
  const int notches = wheelRemainder_ / 120;
  wheelRemainder_ %= 120;
  if (notches != 0) ScrollToRow(topRow_ - notches * rowsPerNotch);
  viewport()->repaint();
  if (OnScroll) OnScroll(this, Qt::Vertical);
}
