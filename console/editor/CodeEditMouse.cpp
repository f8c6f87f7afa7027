// The mouse: placing the caret, selecting by dragging (by character, or in
// column mode with Alt), extending with Shift, word selection by double click,
// auto-scrolling while dragging past the text, waiting for a drag of the
// selection, gutter clicks and the pointer's shape.
#include "console/editor/CodeEditPrivate.h"
#include <QtWidgets/QApplication>

namespace {

TMouseButton ToMouseButton(Qt::MouseButton button) {
  switch (button) {
  case Qt::RightButton:
    return mbRight;
  case Qt::MiddleButton:
    return mbMiddle;
  default:
    return mbLeft;
  }
}

} // namespace

void TCustomCodeEdit::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& point) {
  const TBufferCoord anchor = selectionAnchor_, activeEnd = selectionActiveEnd_;
  const bool onSelection = button == Qt::LeftButton && HasSelection();
  if (onSelection) mouseDownPoint_ = point;
  keyboardHandler_.RunMouseDownHandlers(this, ToMouseButton(button), ShiftStateFromQt(modifiers), point.x(), point.y());
  const TBufferCoord pressed = ToBufferCoord(PixelToScreenCoord(point.x(), point.y()));
  if (button == Qt::RightButton) {
    // The right button keeps a selection it presses on, for a context menu.
    if (!HasOption(eoRightMouseMovesCursor) || (HasSelection() && IsInSelection(pressed))) return;
    InvalidateSelectionLines();
    selectionActiveEnd_ = selectionAnchor_;
    MoveCaretToPixel(point.x(), point.y());
  } else if (button == Qt::LeftButton) {
    MoveCaretToPixel(point.x(), point.y());
    selectionAnchor_ = anchor;
    selectionActiveEnd_ = activeEnd;
    mouseCaptured_ = true;
    SetStateFlag(esWaitForDrag, false);
    if (onSelection && HasOption(eoDragDropEditing) && point.x() >= gutterPixelWidth_ + 2 &&
        selectionMode_ == smNormal && IsInSelection(pressed))
      SetStateFlag(esWaitForDrag, true);
  }
  if (!StateFlag(esWaitForDrag) && !StateFlag(esDoubleClicked)) {
    if (modifiers & Qt::ShiftModifier) {
      SetSelectionActiveEnd(CaretPos());
    } else {
      if (HasOption(eoAltSetsColumnMode) && currentSelectionMode_ != smLine)
        SetSelectionMode(modifiers & Qt::AltModifier ? smColumn : smNormal);
      SetSelectionAnchor(CaretPos());
    }
  }
  if (point.x() < gutterPixelWidth_ + 2) {
    if (button == Qt::RightButton)
      GutterClicked(button, point.x(), point.y());
    else
      SetStateFlag(esGutterPress, true);
  }
  setFocus(Qt::MouseFocusReason);
}

void TCustomCodeEdit::MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, const QPoint& point) {
  lastMousePoint_ = point;
  lastMouseModifiers_ = modifiers;
  ChooseMouseCursor(point);
  if (mouseCaptured_ && StateFlag(esWaitForDrag)) {
    const QPoint moved = point - mouseDownPoint_;
    const int distance = QApplication::startDragDistance();
    if (qAbs(moved.x()) >= distance || qAbs(moved.y()) >= distance) {
      SetStateFlag(esWaitForDrag, false);
      StartDragOfSelection();
    }
    return;
  }
  if (!(buttons & Qt::LeftButton) || !mouseCaptured_) return;
  UpdateAutoScroll(point);
  TScreenCoord p = PixelToNearestScreenCoord(point.x(), point.y());
  p.Row = qMax(1, qMin(p.Row, RowCount()));
  // While the view scrolls by itself, the tick moves the caret along that axis.
  if (autoScrollStep_.x() != 0) p.Column = CaretColumn();
  if (autoScrollStep_.y() != 0) p.Row = CaretRow();
  TCodeEditPaintLock lock(*this);
  MoveCaretTo(ToBufferCoord(p));
  SetSelectionActiveEnd(CaretPos());
}

void TCustomCodeEdit::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& point) {
  keyboardHandler_.RunMouseUpHandlers(this, ToMouseButton(button), ShiftStateFromQt(modifiers), point.x(), point.y());
  autoScrollTimer_.stop();
  ReleaseMouse();
  if (StateFlag(esGutterPress) && point.x() < gutterPixelWidth_ && button != Qt::RightButton) {
    GutterClicked(button, point.x(), point.y());
  } else if (StateFlag(esWaitForDrag) && !StateFlag(esDoubleClicked)) {
    // A press on the selection that did not become a drag places the caret.
    TCodeEditPaintLock lock(*this);
    MoveCaretToPixel(point.x(), point.y());
    if (!(modifiers & Qt::ShiftModifier)) SetSelectionAnchor(CaretPos());
    SetSelectionActiveEnd(CaretPos());
    SetStateFlag(esWaitForDrag, false);
  }
  SetStateFlag(esDoubleClicked, false);
  SetStateFlag(esGutterPress, false);
}

void TCustomCodeEdit::DoubleClick(const QPoint& point) {
  if (point.x() < gutterPixelWidth_ + 2) return;
  if (!HasOption(eoNoSelection)) SelectWordAtCaret();
  SetStateFlag(esDoubleClicked, true);
  // Moving on does not extend the word, and the release does not move the caret.
  ReleaseMouse();
}

void TCustomCodeEdit::ReleaseMouse() { mouseCaptured_ = false; }

void TCustomCodeEdit::UpdateAutoScroll(const QPoint& point) {
  if (!mouseCaptured_ && !dragging_) {
    autoScrollTimer_.stop();
    return;
  }
  QRect text(gutterPixelWidth_, 0, visibleColumns_ * charCellWidth_, visibleRows_ * rowHeight_);
  if (borderStyle_ == bsNone) text.adjust(2, 2, -2, -2);
  const int left = text.left(), right = text.left() + text.width();
  const int top = text.top(), bottom = text.top() + text.height();
  const int cell = qMax(1, charCellWidth_), row = qMax(1, rowHeight_);
  int dx = 0, dy = 0;
  if (point.x() < left)
    dx = (point.x() - left) / cell - 1;
  else if (point.x() >= right)
    dx = (point.x() - right) / cell + 1;
  if (point.y() < top)
    dy = (point.y() - top) / row - 1;
  else if (point.y() >= bottom)
    dy = (point.y() - bottom) / row + 1;
  autoScrollStep_ = QPoint(dx, dy);
  if (dx != 0 || dy != 0) {
    if (!autoScrollTimer_.isActive()) autoScrollTimer_.start();
  } else {
    autoScrollTimer_.stop();
  }
}

void TCustomCodeEdit::AutoScrollTick() {
  TScreenCoord p = PixelToScreenCoord(lastMousePoint_.x(), lastMousePoint_.y());
  p.Row = qMax(1, qMin(p.Row, RowCount()));
  if (autoScrollStep_.x() != 0) {
    ScrollToColumn(leftColumn_ + autoScrollStep_.x());
    p.Column = leftColumn_ + (autoScrollStep_.x() > 0 ? visibleColumns_ : 0);
  }
  if (autoScrollStep_.y() != 0) {
    const bool pages = lastMouseModifiers_ & Qt::ShiftModifier;
    ScrollToRow(topRow_ + autoScrollStep_.y() * (pages ? visibleRows_ : 1));
    p.Row = qMax(1, qMin(topRow_ + (autoScrollStep_.y() > 0 ? visibleRows_ - 1 : 0), RowCount()));
  }
  const TBufferCoord target = ToBufferCoord(p);
  if (target != CaretPos()) {
    TCodeEditPaintLock lock(*this);
    MoveCaretTo(target);
    if (mouseCaptured_) SetSelectionActiveEnd(CaretPos());
  }
  UpdateAutoScroll(lastMousePoint_);
}

void TCustomCodeEdit::GutterClicked(Qt::MouseButton button, int x, int y) {
  if (!OnGutterClick) return;
  const int line = ToBufferCoord(PixelToScreenCoord(x, y)).Line;
  if (line > lines_->Count()) return;
  TCodeEditMark* clicked = nullptr;
  int offset = 0;
  for (TCodeEditMark* mark : marks_.MarksOfLine(line)) {
    if (!mark) continue;
    offset += bookMarkOptions_.Xoffset();
    if (offset > x) {
      clicked = mark;
      break;
    }
  }
  OnGutterClick(this, button, x, y, line, clicked);
}

void TCustomCodeEdit::ChooseMouseCursor(const QPoint& point) {
  Qt::CursorShape cursor = gutter_.Cursor();
  if (point.x() >= gutterPixelWidth_) {
    const TBufferCoord p = ToBufferCoord(PixelToScreenCoord(point.x(), point.y()));
    // Over the selection the arrow tells that it can be dragged.
    cursor = HasOption(eoDragDropEditing) && !mouseCaptured_ && IsInSelection(p) ? Qt::ArrowCursor : Qt::IBeamCursor;
    if (OnMouseCursor) OnMouseCursor(this, p, cursor);
    keyboardHandler_.RunMouseCursorHandlers(this, p, cursor);
  }
  if (viewport()->cursor().shape() != cursor) viewport()->setCursor(cursor);
}
