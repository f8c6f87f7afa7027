#include "reports/designer/rpDesignerUndo.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpView.h"

namespace {

constexpr quint16 kNoUndoFlag = 16384;

std::unique_ptr<TrpView> CopyOfObject(TrpView& object) {
  std::unique_ptr<TrpView> copy = rpNewObjectOfType(object.ObjectKind, object.ClassName());
  if (!copy) return nullptr;
  copy->Assign(object);
  copy->ObjectId = object.ObjectId;
  return copy;
}

TrpUndoItem ItemOf(TrpUndoAction action, TrpView& object, int index) {
  TrpUndoItem item;
  item.ObjectId = object.ObjectId;
  item.Index = index;
  if (action == TrpUndoAction::Delete || action == TrpUndoAction::Modify) item.Copy = CopyOfObject(object);
  return item;
}

TrpUndoAction InverseOf(TrpUndoAction action) {
  switch (action) {
  case TrpUndoAction::Insert:
    return TrpUndoAction::Delete;
  case TrpUndoAction::Delete:
    return TrpUndoAction::Insert;
  default:
    return action;
  }
}

// The step that undoes `record` on the page as it is now.
TrpUndoRecord InverseRecord(TrpUndoRecord& record, TrpPage& page) {
  TrpUndoRecord inverse;
  inverse.Action = InverseOf(record.Action);
  inverse.PageIndex = record.PageIndex;
  for (TrpUndoItem& item : record.Items) {
    switch (record.Action) {
    case TrpUndoAction::Insert:
    case TrpUndoAction::Reorder: {
      const int index = page.IndexOfObjectID(item.ObjectId);
      if (index >= 0) inverse.Items.push_back(ItemOf(inverse.Action, *page.GetObject(index), index));
      break;
    }
    case TrpUndoAction::Delete:
      if (item.Copy) {
        // The copy goes back onto the page; the inverse names it by ID.
        TrpUndoItem back;
        back.ObjectId = item.ObjectId;
        back.Index = item.Index;
        inverse.Items.push_back(std::move(back));
      }
      break;
    case TrpUndoAction::Modify:
      if (item.Index >= 0 && item.Index < page.Count())
        inverse.Items.push_back(ItemOf(inverse.Action, *page.GetObject(item.Index), item.Index));
      break;
    }
  }
  return inverse;
}

void ApplyRecord(TrpUndoRecord& record, TrpPage& page) {
  for (TrpUndoItem& item : record.Items) {
    switch (record.Action) {
    case TrpUndoAction::Insert:
      page.Delete(page.IndexOfObjectID(item.ObjectId));
      break;
    case TrpUndoAction::Delete:
      if (item.Copy) {
        page.Add(std::move(item.Copy));
        page.MoveObject(page.Count() - 1, qBound(0, item.Index, page.Count() - 1));
      }
      break;
    case TrpUndoAction::Modify:
      if (item.Copy && item.Index >= 0 && item.Index < page.Count()) {
        TrpView* object = page.GetObject(item.Index);
        const qint32 id = object->ObjectId;
        object->Assign(*item.Copy);
        object->ObjectId = id;
      }
      break;
    case TrpUndoAction::Reorder: {
      const int index = page.IndexOfObjectID(item.ObjectId);
      if (index >= 0) page.MoveObject(index, qBound(0, item.Index, page.Count() - 1));
      break;
    }
    }
  }
}

} // namespace

QList<TrpView*> TrpDesignerUndo::StepObjects(const TrpPage& page, TrpUndoAction action) {
  QList<TrpView*> objects;
  for (int i = 0; i < page.Count(); ++i) {
    TrpView* object = page.GetObject(i);
    if (object->Flags & kNoUndoFlag) continue;
    if (action == TrpUndoAction::Reorder || object->IsSelected) objects << object;
  }
  return objects;
}

bool TrpDesignerUndo::Record(TrpUndoAction action, int pageIndex, const QList<TrpView*>& objects) {
  if (objects.isEmpty()) return false;
  TrpUndoRecord record;
  record.Action = action;
  record.PageIndex = pageIndex;
  for (TrpView* object : objects) {
    const TrpPage* page = object->Page;
    int index = -1;
    if (page)
      for (int i = 0; i < page->Count(); ++i)
        if (page->GetObject(i) == object) index = i;
    record.Items.push_back(ItemOf(action, *object, index));
  }
  redo_.clear();
  Push(undo_, std::move(record));
  return true;
}

void TrpDesignerUndo::Push(Buffer& buffer, TrpUndoRecord record) {
  if (int(buffer.size()) >= Capacity) buffer.pop_front();
  buffer.push_back(std::move(record));
}

bool TrpDesignerUndo::TakeBack(Buffer& from, Buffer& to, TrpPage& page, int pageIndex) {
  if (from.empty() || from.back().PageIndex != pageIndex) return false;
  TrpUndoRecord record = std::move(from.back());
  from.pop_back();
  TrpUndoRecord inverse = InverseRecord(record, page);
  ApplyRecord(record, page);
  if (!inverse.Items.empty()) Push(to, std::move(inverse));
  return true;
}

bool TrpDesignerUndo::Undo(TrpPage& page, int pageIndex) { return TakeBack(undo_, redo_, page, pageIndex); }

bool TrpDesignerUndo::Redo(TrpPage& page, int pageIndex) { return TakeBack(redo_, undo_, page, pageIndex); }

void TrpDesignerUndo::Clear() {
  undo_.clear();
  redo_.clear();
}
