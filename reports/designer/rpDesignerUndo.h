#pragma once
#include "reports/engine/rpView.h"
#include <QtCore/QList>
#include <deque>
#include <memory>
#include <vector>

class TrpPage;

// The kinds of an undo step.
enum class TrpUndoAction { Insert, Delete, Modify, Reorder };

// One object of a step: its ID, for delete and modify a copy of the object
// as it was, and its index on the page.
struct TrpUndoItem {
  qint32 ObjectId = 0;
  std::unique_ptr<TrpView> Copy;
  int Index = -1;
};

// One step: what was done, on which page, to which objects.
struct TrpUndoRecord {
  TrpUndoAction Action = TrpUndoAction::Modify;
  int PageIndex = 0;
  std::vector<TrpUndoItem> Items;
};

// The designer's undo and redo buffers of up to 100 steps each. A step
// belongs to a page and is undone only while that page is current.
class TrpDesignerUndo {
public:
  static constexpr int Capacity = 100;

  // The objects a step for the page's selection records: the selected ones,
  // for reorder all, in page order; objects flagged 16384 never.
  static QList<TrpView*> StepObjects(const TrpPage& page, TrpUndoAction action);
  // Records a step of the objects into the undo buffer and empties the redo
  // buffer; false (nothing recorded) when the list is empty. A full buffer
  // drops its oldest step.
  bool Record(TrpUndoAction action, int pageIndex, const QList<TrpView*>& objects);
  // Takes back the last step when it belongs to the current page, recording
  // its inverse for redo; false when nothing was done.
  bool Undo(TrpPage& page, int pageIndex);
  bool Redo(TrpPage& page, int pageIndex);
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  int UndoCount() const { return int(undo_.size()); }
  int RedoCount() const { return int(redo_.size()); }
  void Clear();
  void ClearRedo() { redo_.clear(); }

private:
  using Buffer = std::deque<TrpUndoRecord>;
  static void Push(Buffer& buffer, TrpUndoRecord record);
  static bool TakeBack(Buffer& from, Buffer& to, TrpPage& page, int pageIndex);

  Buffer undo_, redo_;
};
