#pragma once
#include "console/editor/text/CodeEditSupport.h"
#include <deque>
#include <functional>
#include <memory>

// The kind of a recorded change, with the numbers the editor stores.
enum TUndoReason : quint8 {
  urInsert = 0,
  urPaste = 1,
  urDragDropInsert = 2,
  urDeleteForward = 3,
  urDelete = 4,
  urLineBreak = 5,
  urIndent = 6,
  urUnindent = 7,
  urDeleteNoSelect = 8,
  urDeleteForwardNoSelect = 9,
  urAutoCompleteOpen = 10,
  urAutoCompleteClose = 11,
  urPasteOpen = 12,
  urPasteClose = 13,
  urSpecial1Open = 14,
  urSpecial1Close = 15,
  urSpecial2Open = 16,
  urSpecial2Close = 17,
  urCaretMove = 18,
  urSelectionChange = 19,
  urNone = 20,
  urGroupBreak = 21,
  urDeleteAll = 22,
};

// One recorded change: what was done, where, the text needed to restore it,
// and the change number it shares with the other items of its user action.
struct TCodeEditUndoItem {
  TUndoReason Reason = urNone;
  TCodeSelectionMode ChangeSelectionMode = smNormal;
  TBufferCoord StartPos;
  TBufferCoord EndPos;
  QString ChangeText;
  int ChangeNumber = 0;
};

// The changes made in the editor, oldest first, so that they can be taken
// back. Items of one user action share a change number (one block); the list
// keeps at most MaxItems items, can be locked, and remembers which change
// number is the saved text. Once its oldest items are dropped, an empty list
// is no longer the saved text.
class TCodeEditUndoList {
public:
  TCodeEditUndoList() = default;
  TCodeEditUndoList(const TCodeEditUndoList&) = delete;
  TCodeEditUndoList& operator=(const TCodeEditUndoList&) = delete;

  // Records nothing while locked.
  void RecordChange(TUndoReason reason, const TBufferCoord& start, const TBufferCoord& end, const QString& text,
                    TCodeSelectionMode selectionMode);
  void BeginChangeBlock();
  void EndChangeBlock();
  // Takes ownership; appends also while locked.
  void AppendItem(std::unique_ptr<TCodeEditUndoItem> item);
  void AppendGroupBreak();
  // Frees every item; numbers, block state and lock stay.
  void Clear();

  bool HasItems() const { return !items_.empty(); }
  int ItemCount() const { return int(items_.size()); }
  const TCodeEditUndoItem& Item(int index) const { return *items_[index]; }
  const TCodeEditUndoItem* NewestItem() const { return items_.empty() ? nullptr : items_.back().get(); }
  std::unique_ptr<TCodeEditUndoItem> TakeNewestItem();
  TUndoReason NewestReason() const { return items_.empty() ? urNone : items_.back()->Reason; }

  void Lock() { ++lockCount_; }
  void Unlock() { lockCount_ = qMax(0, lockCount_ - 1); }
  int LockCount() const { return lockCount_; }

  void SetSavedState(bool saved);
  bool IsAtSavedState() const;
  // Copies the items and the state; the saved number and the event stay.
  void Assign(const TCodeEditUndoList& other);

  int MaxItems() const { return maxItems_; }
  void SetMaxItems(int maxItems);
  bool ItemsDropped() const { return itemsDropped_; }
  int BlockChangeNumber() const { return blockChangeNumber_; }
  void SetBlockChangeNumber(int number) { blockChangeNumber_ = number; }
  int BlockDepth() const { return blockDepth_; }
  int NextChangeNumber() const { return nextChangeNumber_; }
  int SavedChangeNumber() const { return savedChangeNumber_; }
  bool RedoInProgress() const { return redoInProgress_; }
  void SetRedoInProgress(bool value) { redoInProgress_ = value; }

  std::function<void(TCodeEditUndoList* sender)> OnItemAdded;

private:
  void TrimToMax();
  void AdvanceChangeNumber();

  int blockChangeNumber_ = 0;
  int blockDepth_ = 0;
  bool itemsDropped_ = false;
  std::deque<std::unique_ptr<TCodeEditUndoItem>> items_;
  int lockCount_ = 0;
  int maxItems_ = 1024;
  int nextChangeNumber_ = 1;
  int savedChangeNumber_ = 0;
  bool redoInProgress_ = false;
};
