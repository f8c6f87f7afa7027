// Undo and redo: the two lists, the modified flag that follows the undo list.
#include "console/editor/CodeEditPrivate.h"

void TCustomCodeEdit::ClearUndo() {
  activeUndoList_->Clear();
  activeRedoList_->Clear();
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
