// The selection: its ends, its mode and the queries on it.
#include "console/editor/CodeEditPrivate.h"
#include <algorithm>

namespace {

bool Before(const TBufferCoord& a, const TBufferCoord& b) {
  return a.Line < b.Line || (a.Line == b.Line && a.Char < b.Char);
}

} // namespace

TBufferCoord TCustomCodeEdit::SelectionFirst() const {
  return Before(selectionActiveEnd_, selectionAnchor_) ? selectionActiveEnd_ : selectionAnchor_;
}

TBufferCoord TCustomCodeEdit::SelectionLast() const {
  return Before(selectionActiveEnd_, selectionAnchor_) ? selectionAnchor_ : selectionActiveEnd_;
}

bool TCustomCodeEdit::HasSelection() const {
  return selectionAnchor_.Char != selectionActiveEnd_.Char ||
         (selectionAnchor_.Line != selectionActiveEnd_.Line && currentSelectionMode_ != smColumn);
}

bool TCustomCodeEdit::SelectionSpansLines() const {
  return selectionAnchor_.Line != selectionActiveEnd_.Line && currentSelectionMode_ != smColumn;
}

bool TCustomCodeEdit::SelectionIsWholeLines() const {
  return SelectionFirst().Char <= 1 && CaretLineText().size() < SelectionLast().Char && HasSelection();
}

bool TCustomCodeEdit::IsInSelection(const TBufferCoord& position) const {
  const TBufferCoord first = SelectionFirst();
  const TBufferCoord last = SelectionLast();
  if (position.Line < first.Line || position.Line > last.Line || first == last) return false;
  switch (currentSelectionMode_) {
  case smLine:
    return true;
  case smColumn: {
    const int lo = qMin(first.Char, last.Char), hi = qMax(first.Char, last.Char);
    return lo <= position.Char && position.Char < hi;
  }
  case smNormal:
    if (position.Line == first.Line && position.Char < first.Char) return false;
    if (position.Line < last.Line) return true;
    return position.Char < last.Char;
  }
  return false;
}

TBufferCoord TCustomCodeEdit::ClampedSelectionEnd(const TBufferCoord& position) const {
  TBufferCoord p = position;
  p.Line = qMax(1, qMin(p.Line, lines_->Count()));
  p.Char = qMax(1, p.Char);
  if (HasOption(eoScrollPastEol) && !wrapPlugin_) p.Char = qMin(p.Char, CaretCharLimit(p.Line));
  if (currentSelectionMode_ == smNormal)
    p.Char = p.Line > lines_->Count() ? 1 : qMin(p.Char, int(lines_->Get(p.Line - 1).size()) + 1);
  if (IsTrailByte(lines_->Get(p.Line - 1), p.Char)) --p.Char;
  return p;
}

void TCustomCodeEdit::SetSelectionAnchor(const TBufferCoord& position) {
  SetCurrentSelectionMode(selectionMode_);
  const TBufferCoord p = ClampedSelectionEnd(position);
  if (HasSelection()) {
    InvalidateLineRange(std::min({p.Line, selectionAnchor_.Line, selectionActiveEnd_.Line}),
                        std::max({p.Line, selectionAnchor_.Line, selectionActiveEnd_.Line}));
    selectionAnchor_ = selectionActiveEnd_ = p;
    NotifyStatusChange(stcSelection);
  } else {
    const bool changed = selectionAnchor_ != p || selectionActiveEnd_ != p;
    selectionAnchor_ = selectionActiveEnd_ = p;
    if (changed) NotifyStatusChange(stcSelection);
  }
}

void TCustomCodeEdit::SetSelectionActiveEnd(const TBufferCoord& position) {
  SetCurrentSelectionMode(selectionMode_);
  if (HasOption(eoNoSelection)) return;
  TBufferCoord p = ClampedSelectionEnd(position);
  if (p == selectionActiveEnd_) return;
  if (IsTrailByte(lines_->Get(p.Line - 1), p.Char)) --p.Char;
  if (p == selectionActiveEnd_) return;
  const TBufferCoord old = selectionActiveEnd_;
  if (currentSelectionMode_ != smColumn || p.Char == old.Char) {
    selectionActiveEnd_ = p;
    if (!(currentSelectionMode_ == smColumn && selectionAnchor_.Char == p.Char))
      InvalidateLineRange(qMin(old.Line, p.Line), qMax(old.Line, p.Line));
  } else {
    InvalidateLineRange(std::min({old.Line, p.Line, selectionAnchor_.Line}),
                        std::max({old.Line, p.Line, selectionAnchor_.Line}));
    selectionActiveEnd_ = p;
  }
  NotifyStatusChange(stcSelection);
}

void TCustomCodeEdit::SetCurrentSelectionMode(TCodeSelectionMode mode) {
  if (mode == currentSelectionMode_) return;
  if (HasSelection()) InvalidateSelectionLines();
  currentSelectionMode_ = mode;
  // A stream selection ends within its lines (a column block may reach past them).
  if (mode == smNormal) {
    selectionAnchor_ = ClampedSelectionEnd(selectionAnchor_);
    selectionActiveEnd_ = ClampedSelectionEnd(selectionActiveEnd_);
  }
  if (HasSelection()) InvalidateSelectionLines();
  NotifyStatusChange(stcSelection);
}

void TCustomCodeEdit::PlaceCaretAndSelection(const TBufferCoord& caret, const TBufferCoord& anchor,
                                             const TBufferCoord& activeEnd) {
  TCodeEditPaintLock lock(*this);
  // The ends are placed (and clipped) in the mode in force, which stays.
  const TCodeSelectionMode defaultMode = std::exchange(selectionMode_, currentSelectionMode_);
  MoveCaretTo(caret);
  SetSelectionAnchor(anchor);
  SetSelectionActiveEnd(activeEnd);
  selectionMode_ = defaultMode;
}
