// Undo and redo: one step takes the items of one change number (or of a
// bracketed paste, or a run of like changes with group undo), reverts or
// re-applies each, and records its inverse in the other list; the modified
// flag follows the undo list's saved state. Undo and redo reproduce positions
// past the line ends and blanks exactly: scrolling past line ends is on and
// trimming of trailing blanks off while they run.
#include "console/editor/CodeEditPrivate.h"
#include <QtCore/QScopeGuard>

namespace {

bool IsClosingMarker(TUndoReason reason) {
  return reason == urAutoCompleteClose || reason == urPasteClose || reason == urSpecial1Close ||
         reason == urSpecial2Close;
}

bool IsOpeningMarker(TUndoReason reason) {
  return reason == urAutoCompleteOpen || reason == urPasteOpen || reason == urSpecial1Open || reason == urSpecial2Open;
}

// The marker at the other end of a bracket (opening and closing numbers pair up).
TUndoReason PartnerMarker(TUndoReason reason) { return TUndoReason(IsOpeningMarker(reason) ? reason + 1 : reason - 1); }

// Sets a list's block number for a scope, so that what one step records there
// forms one step too.
class TBlockNumber {
public:
  TBlockNumber(TCodeEditUndoList& list, int number) : list_(list), saved_(list.BlockChangeNumber()) {
    list_.SetBlockChangeNumber(number);
  }
  ~TBlockNumber() { list_.SetBlockChangeNumber(saved_); }
  TBlockNumber(const TBlockNumber&) = delete;
  TBlockNumber& operator=(const TBlockNumber&) = delete;

private:
  TCodeEditUndoList& list_;
  int saved_;
};

// Moves a group break on top of `from` to `to`, under the break's own number.
void MoveGroupBreak(TCodeEditUndoList& from, TCodeEditUndoList& to) {
  const std::unique_ptr<TCodeEditUndoItem> item = from.TakeNewestItem();
  const TBlockNumber number(to, item->ChangeNumber);
  to.AppendGroupBreak();
}

void Record(TCodeEditUndoList& list, const TCodeEditUndoItem& item, const QString& text) {
  list.RecordChange(item.Reason, item.StartPos, item.EndPos, text, item.ChangeSelectionMode);
}

// Whether a step that began with `first` goes on with the next item.
bool StepGoesOn(const TCodeEditUndoItem& next, TUndoReason firstReason, int firstNumber, TUndoReason lastReason,
                bool groupUndo, bool (*bracketStart)(TUndoReason)) {
  if (bracketStart(firstReason)) return next.Reason != PartnerMarker(firstReason);
  return next.ChangeNumber == firstNumber ||
         (groupUndo && next.Reason == lastReason && lastReason != urIndent && lastReason != urUnindent);
}

} // namespace

void TCustomCodeEdit::ClearUndo() {
  activeUndoList_->Clear();
  activeRedoList_->Clear();
}

void TCustomCodeEdit::SuspendUndo() {
  activeUndoList_->Lock();
  activeRedoList_->Lock();
}

void TCustomCodeEdit::ResumeUndo() {
  activeUndoList_->Unlock();
  activeRedoList_->Unlock();
}

void TCustomCodeEdit::SetMaxUndo(int items) {
  if (items < 0) return;
  activeUndoList_->SetMaxItems(items);
  activeRedoList_->SetMaxItems(items);
}

void TCustomCodeEdit::SetModified(bool value) {
  if (value == modified_) return;
  modified_ = value;
  // Typing after a save starts a new undo step.
  if (!value && HasOption(eoGroupUndo) && activeUndoList_->HasItems()) activeUndoList_->AppendGroupBreak();
  activeUndoList_->SetSavedState(!value);
  NotifyStatusChange(stcModified);
}

void TCustomCodeEdit::SyncModifiedWithUndo() { SetModified(!activeUndoList_->IsAtSavedState()); }

void TCustomCodeEdit::UndoListItemAdded(TCodeEditUndoList* list) {
  SyncModifiedWithUndo();
  // A new change forgets what could be redone.
  if (list == activeUndoList_ && !list->RedoInProgress() && list->NewestItem() && list->NewestReason() != urGroupBreak)
    activeRedoList_->Clear();
  if (list->BlockDepth() == 0) FireChange();
}

void TCustomCodeEdit::Undo() {
  if (readOnly_) return;
  TCodeEditUndoList& undo = *activeUndoList_;
  TCodeEditUndoList& redo = *activeRedoList_;
  if (undo.NewestReason() == urGroupBreak) MoveGroupBreak(undo, redo);
  const TCodeEditUndoItem* first = undo.NewestItem();
  if (!first) return;
  const TUndoReason firstReason = first->Reason;
  const int firstNumber = first->ChangeNumber;
  const TBlockNumber number(redo, firstNumber);
  for (;;) {
    const TUndoReason lastReason = undo.NewestReason();
    UndoOneItem();
    const TCodeEditUndoItem* next = undo.NewestItem();
    if (!next || !StepGoesOn(*next, firstReason, firstNumber, lastReason, HasOption(eoGroupUndo), IsClosingMarker))
      break;
  }
  if (IsClosingMarker(firstReason) && undo.NewestReason() == PartnerMarker(firstReason)) {
    UndoOneItem();
    SyncModifiedWithUndo();
  }
}

void TCustomCodeEdit::Redo() {
  if (readOnly_) return;
  TCodeEditUndoList& undo = *activeUndoList_;
  TCodeEditUndoList& redo = *activeRedoList_;
  const TCodeEditUndoItem* first = redo.NewestItem();
  if (!first) return;
  const TUndoReason firstReason = first->Reason;
  const int firstNumber = first->ChangeNumber;
  {
    const TBlockNumber number(undo, firstNumber);
    for (;;) {
      const TUndoReason lastReason = redo.NewestReason();
      RedoOneItem();
      const TCodeEditUndoItem* next = redo.NewestItem();
      if (!next || !StepGoesOn(*next, firstReason, firstNumber, lastReason, HasOption(eoGroupUndo), IsOpeningMarker))
        break;
    }
    if (IsOpeningMarker(firstReason) && redo.NewestReason() == PartnerMarker(firstReason)) RedoOneItem();
  }
  if (redo.NewestReason() == urGroupBreak) MoveGroupBreak(redo, undo);
  SyncModifiedWithUndo();
}

void TCustomCodeEdit::UndoOneItem() {
  const std::unique_ptr<TCodeEditUndoItem> item = activeUndoList_->TakeNewestItem();
  if (!item) return;
  TCodeEditUndoList& redo = *activeRedoList_;
  const TCodeSelectionMode mode = item->ChangeSelectionMode;
  SetCurrentSelectionMode(mode);
  TCodeEditPaintLock lock(*this);
  TCodeEditOptionSwitch pastEol(*this, eoScrollPastEol, true);
  TCodeEditOptionSwitch untrimmed(*this, eoTrimTrailingSpaces, false);
  const TBufferCoord start = item->StartPos, end = item->EndPos;
  switch (item->Reason) {
  case urCaretMove:
    redo.RecordChange(urCaretMove, CaretPos(), CaretPos(), QString(), currentSelectionMode_);
    MoveCaretTo(start);
    break;
  case urSelectionChange:
    redo.RecordChange(urSelectionChange, SelectionFirst(), SelectionLast(), QString(), currentSelectionMode_);
    PlaceCaretAndSelection(CaretPos(), start, end);
    break;
  case urInsert:
  case urPaste:
  case urDragDropInsert: {
    PlaceCaretAndSelection(start, start, end);
    const QString removed = SelectionContents();
    ReplaceSelectionRaw(mode, item->ChangeText, false);
    Record(redo, *item, removed);
    MoveCaretTo(start);
    break;
  }
  case urDeleteForward:
  case urDelete:
  case urDeleteNoSelect:
  case urDeleteForwardNoSelect:
  case urDeleteAll: {
    const bool forward = item->Reason == urDeleteForward || item->Reason == urDeleteForwardNoSelect;
    TBufferCoord at = EarlierPoint(start, end);
    if (mode == smColumn) at = {qMin(start.Char, end.Char), qMin(start.Line, end.Line)};
    if (forward && at.Line > lines_->Count()) {
      MoveCaretTo({1, lines_->Count()});
      lines_->Add(QString());
    }
    MoveCaretCollapsing(at);
    if (mode == smColumn) {
      // A column goes back at its character on every line, even where that
      // falls inside a character of two code units on the first.
      SetCaretCharRaw(at.Char);
      selectionAnchor_ = selectionActiveEnd_ = at;
    }
    ReplaceSelectionRaw(mode, item->ChangeText, false);
    // Whole lines deleted down to the last line left that line empty; the
    // lines put back take its place.
    const bool lastLines = mode == smLine && !item->ChangeText.isEmpty() && !item->ChangeText.endsWith(u'\n') &&
                           !item->ChangeText.endsWith(u'\r');
    if (lastLines && caretLine_ == lines_->Count() && lines_->Count() > 1 && CaretLineText().isEmpty())
      lines_->Delete(caretLine_ - 1);
    const TBufferCoord caret = forward ? start : end;
    if (item->Reason == urDeleteNoSelect || item->Reason == urDeleteForwardNoSelect)
      MoveCaretCollapsing(caret);
    else
      PlaceCaretAndSelection(caret, start, end);
    Record(redo, *item, QString());
    if (item->Reason == urDeleteAll) {
      MoveCaretTo({1, 1});
      selectionActiveEnd_ = {1, 1};
    }
    EnsureCaretVisible();
    break;
  }
  case urLineBreak: {
    MoveCaretTo(start);
    QString line = CaretLineText();
    // Blanks trimmed before the break come back with the text that followed
    // it; with no such text the line stays as it was.
    if (!item->ChangeText.isEmpty() && line.size() < caretChar_ - 1 && LeadingBlankWidth(item->ChangeText, false) == 0)
      line = line.leftJustified(caretChar_ - 1, u' ');
    StoreLine(caretLine_ - 1, line + item->ChangeText);
    // The line the break made, for the redo to make it again as it was.
    const QString made = lines_->Get(end.Line);
    if (end.Line < lines_->Count()) lines_->Delete(end.Line);
    MarkLinesDeleted(caretLine_ + 1, 1);
    Record(redo, *item, made);
    break;
  }
  case urIndent:
    PlaceCaretAndSelection(end, start, end);
    Record(redo, *item, item->ChangeText);
    break;
  case urUnindent: {
    const int x = mode == smColumn ? qMin(start.Char, end.Char) : 1;
    InsertColumnBlock({x, start.Line}, false, item->ChangeText);
    PlaceCaretAndSelection(start, start, end);
    Record(redo, *item, item->ChangeText);
    break;
  }
  default:
    // Brackets of a paste and the like change no text; they travel with it.
    Record(redo, *item, item->ChangeText);
    break;
  }
}

void TCustomCodeEdit::RedoOneItem() {
  const std::unique_ptr<TCodeEditUndoItem> item = activeRedoList_->TakeNewestItem();
  if (!item) return;
  TCodeEditUndoList& undo = *activeUndoList_;
  const TCodeSelectionMode mode = item->ChangeSelectionMode;
  SetCurrentSelectionMode(mode);
  TCodeEditPaintLock lock(*this);
  TCodeEditOptionSwitch pastEol(*this, eoScrollPastEol, true);
  TCodeEditOptionSwitch untrimmed(*this, eoTrimTrailingSpaces, false);
  undo.SetRedoInProgress(true);
  const auto done = qScopeGuard([&undo] { undo.SetRedoInProgress(false); });
  const TBufferCoord start = item->StartPos, end = item->EndPos;
  switch (item->Reason) {
  case urCaretMove:
    undo.RecordChange(urCaretMove, CaretPos(), CaretPos(), QString(), currentSelectionMode_);
    MoveCaretTo(start);
    break;
  case urSelectionChange:
    undo.RecordChange(urSelectionChange, SelectionFirst(), SelectionLast(), QString(), currentSelectionMode_);
    PlaceCaretAndSelection(CaretPos(), start, end);
    break;
  case urInsert:
  case urPaste:
  case urDragDropInsert:
    PlaceCaretAndSelection(start, start, start);
    ReplaceSelectionRaw(mode, item->ChangeText, false);
    MoveCaretTo(end);
    Record(undo, *item, SelectionContents());
    if (item->Reason == urDragDropInsert) PlaceCaretAndSelection(end, start, end);
    break;
  case urDeleteForward:
  case urDeleteForwardNoSelect:
  case urDelete:
  case urDeleteNoSelect:
  case urDeleteAll: {
    PlaceCaretAndSelection(start, start, end);
    const QString removed = SelectionContents();
    ReplaceSelectionRaw(mode, item->ChangeText, false);
    Record(undo, *item, removed);
    const bool forward = item->Reason == urDeleteForward || item->Reason == urDeleteForwardNoSelect;
    MoveCaretTo(forward ? end : start);
    break;
  }
  case urLineBreak: {
    // The break is made again as it was made (a line break or an inserted
    // line, with the indentation it had), not as the options would make it now.
    MoveCaretCollapsing(start);
    const QString line = CaretLineText();
    lines_->Insert(start.Line, item->ChangeText);
    StoreLine(start.Line - 1, line.left(start.Char - 1));
    undo.RecordChange(urLineBreak, start, start, line.mid(start.Char - 1), smNormal);
    MarkLinesInserted(start.Char == 1 && !line.isEmpty() ? start.Line : start.Line + 1, 1);
    MoveCaretCollapsing({1, start.Line + 1});
    break;
  }
  case urIndent:
    PlaceCaretAndSelection(end, start, end);
    Record(undo, *item, item->ChangeText);
    break;
  case urUnindent: {
    const int x = mode == smColumn ? qMin(start.Char, end.Char) : 1;
    int line = start.Line;
    QString lastSegment;
    for (const QString& segment : SplitAtLineBreaks(item->ChangeText)) {
      if (!segment.isEmpty() && line <= lines_->Count()) {
        lines_->Put(line - 1, lines_->Get(line - 1).remove(x - 1, segment.size()));
        lastSegment = segment;
      }
      ++line;
    }
    if (mode == smColumn) {
      PlaceCaretAndSelection(start, start, end);
    } else {
      const TBufferCoord from{start.Char - tabWidth_, start.Line};
      PlaceCaretAndSelection(from, from, {end.Char - int(lastSegment.size()), end.Line});
    }
    Record(undo, *item, item->ChangeText);
    break;
  }
  default:
    Record(undo, *item, item->ChangeText);
    break;
  }
}
