#include "console/editor/text/CodeEditUndoList.h"

void TCodeEditUndoList::AdvanceChangeNumber() {
  if (++nextChangeNumber_ == 0) ++nextChangeNumber_;
}

void TCodeEditUndoList::RecordChange(TUndoReason reason, const TBufferCoord& start, const TBufferCoord& end,
                                     const QString& text, TCodeSelectionMode selectionMode) {
  if (lockCount_ != 0) return;
  auto item = std::make_unique<TCodeEditUndoItem>();
  item->Reason = reason;
  item->ChangeSelectionMode = selectionMode;
  item->StartPos = start;
  item->EndPos = end;
  item->ChangeText = text;
  if (blockChangeNumber_ != 0) {
    item->ChangeNumber = blockChangeNumber_;
  } else {
    item->ChangeNumber = nextChangeNumber_;
    if (blockDepth_ == 0) AdvanceChangeNumber();
  }
  AppendItem(std::move(item));
}

void TCodeEditUndoList::BeginChangeBlock() {
  ++blockDepth_;
  blockChangeNumber_ = nextChangeNumber_;
}

void TCodeEditUndoList::EndChangeBlock() {
  if (blockDepth_ == 0) return;
  if (--blockDepth_ > 0) return;
  const int closed = blockChangeNumber_;
  blockChangeNumber_ = 0;
  AdvanceChangeNumber();
  // Listeners that ignore items added inside an open block hear of the whole
  // block once it is closed.
  if (!items_.empty() && items_.back()->ChangeNumber == closed && OnItemAdded) OnItemAdded(this);
}

void TCodeEditUndoList::AppendItem(std::unique_ptr<TCodeEditUndoItem> item) {
  if (!item) return;
  const TUndoReason reason = item->Reason;
  items_.push_back(std::move(item));
  TrimToMax();
  if (reason != urGroupBreak && OnItemAdded) OnItemAdded(this);
}

void TCodeEditUndoList::TrimToMax() {
  if (int(items_.size()) <= maxItems_) return;
  itemsDropped_ = true;
  while (int(items_.size()) > maxItems_)
    items_.pop_front();
  // An empty list no longer means the text as it was marked: its first
  // changes are gone and cannot be undone.
  if (savedChangeNumber_ == 0) savedChangeNumber_ = -1;
}

void TCodeEditUndoList::AppendGroupBreak() {
  if (NewestReason() != urGroupBreak) RecordChange(urGroupBreak, {}, {}, QString(), smNormal);
}

void TCodeEditUndoList::Clear() {
  items_.clear();
  itemsDropped_ = false;
}

std::unique_ptr<TCodeEditUndoItem> TCodeEditUndoList::TakeNewestItem() {
  if (items_.empty()) return nullptr;
  std::unique_ptr<TCodeEditUndoItem> item = std::move(items_.back());
  items_.pop_back();
  return item;
}

void TCodeEditUndoList::SetSavedState(bool saved) {
  if (saved)
    savedChangeNumber_ = items_.empty() ? 0 : items_.back()->ChangeNumber;
  else if (IsAtSavedState())
    savedChangeNumber_ = -1;
}

bool TCodeEditUndoList::IsAtSavedState() const {
  return items_.empty() ? savedChangeNumber_ == 0 : items_.back()->ChangeNumber == savedChangeNumber_;
}

void TCodeEditUndoList::Assign(const TCodeEditUndoList& other) {
  Clear();
  for (const auto& item : other.items_)
    items_.push_back(std::make_unique<TCodeEditUndoItem>(*item));
  blockChangeNumber_ = other.blockChangeNumber_;
  blockDepth_ = other.blockDepth_;
  itemsDropped_ = other.itemsDropped_;
  lockCount_ = other.lockCount_;
  maxItems_ = other.maxItems_;
  nextChangeNumber_ = other.nextChangeNumber_;
  redoInProgress_ = other.redoInProgress_;
}

void TCodeEditUndoList::SetMaxItems(int maxItems) {
  maxItems = qMax(0, maxItems);
  if (maxItems == maxItems_) return;
  maxItems_ = maxItems;
  TrimToMax();
}
