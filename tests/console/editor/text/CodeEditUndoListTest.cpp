#include "console/editor/text/CodeEditUndoList.h"
#include <gtest/gtest.h>

namespace {

// One scripted operation on the list and the state it leaves behind.
struct Step {
  const char* op; // rec, brk, begin, end, lock, unlock, max N, save, unsave, take, clear
  int arg;
  int count;        // items held
  int newestNumber; // change number of the newest item (0 when empty)
  bool atSaved;
  bool dropped;
  int notices; // OnItemAdded calls made by this step
};

void Run(TCodeEditUndoList& list, const Step& step) {
  const std::string op = step.op;
  if (op == "rec")
    list.RecordChange(urInsert, {1, 1}, {2, 1}, QString(), smNormal);
  else if (op == "brk")
    list.AppendGroupBreak();
  else if (op == "begin")
    list.BeginChangeBlock();
  else if (op == "end")
    list.EndChangeBlock();
  else if (op == "lock")
    list.Lock();
  else if (op == "unlock")
    list.Unlock();
  else if (op == "max")
    list.SetMaxItems(step.arg);
  else if (op == "save")
    list.SetSavedState(true);
  else if (op == "unsave")
    list.SetSavedState(false);
  else if (op == "take")
    list.TakeNewestItem();
  else if (op == "clear")
    list.Clear();
  else
    FAIL() << "unknown step " << op;
}

void RunScript(const std::vector<Step>& steps) {
  TCodeEditUndoList list;
  int notices = 0;
  list.OnItemAdded = [&](TCodeEditUndoList* sender) {
    EXPECT_EQ(sender, &list);
    ++notices;
  };
  for (size_t i = 0; i < steps.size(); ++i) {
    const Step& step = steps[i];
    SCOPED_TRACE("step " + std::to_string(i + 1) + " " + step.op);
    notices = 0;
    Run(list, step);
    EXPECT_EQ(list.ItemCount(), step.count);
    EXPECT_EQ(list.NewestItem() ? list.NewestItem()->ChangeNumber : 0, step.newestNumber);
    EXPECT_EQ(list.IsAtSavedState(), step.atSaved);
    EXPECT_EQ(list.ItemsDropped(), step.dropped);
    EXPECT_EQ(notices, step.notices);
  }
}

TEST(CodeEditUndoListTest, ChangeNumbersAndBlocks) {
  RunScript({
      {"rec", 0, 1, 1, false, false, 1},
      {"rec", 0, 2, 2, false, false, 1},
      {"begin", 0, 2, 2, false, false, 0},
      {"begin", 0, 2, 2, false, false, 0},
      {"begin", 0, 2, 2, false, false, 0},
      {"rec", 0, 3, 3, false, false, 1},
      {"end", 0, 3, 3, false, false, 0},
      {"rec", 0, 4, 3, false, false, 1},
      {"end", 0, 4, 3, false, false, 0},
      {"end", 0, 4, 3, false, false, 1}, // the outermost end tells once more
      {"end", 0, 4, 3, false, false, 0}, // no block open: nothing
      {"rec", 0, 5, 4, false, false, 1},
      {"begin", 0, 5, 4, false, false, 0},
      {"end", 0, 5, 4, false, false, 0}, // an empty block: no notice, but a number used up
      {"rec", 0, 6, 6, false, false, 1},
  });
}

TEST(CodeEditUndoListTest, SavedStateTransitions) {
  RunScript({
      {"save", 0, 0, 0, true, false, 0},
      {"rec", 0, 1, 1, false, false, 1},
      {"take", 0, 0, 0, true, false, 0},
      {"rec", 0, 1, 2, false, false, 1},
      {"save", 0, 1, 2, true, false, 0},
      {"rec", 0, 2, 3, false, false, 1},
      {"take", 0, 1, 2, true, false, 0},
      {"unsave", 0, 1, 2, false, false, 0},
      {"take", 0, 0, 0, false, false, 0}, // no state is the saved one any more
      {"rec", 0, 1, 4, false, false, 1},
      {"unsave", 0, 1, 4, false, false, 0},
      {"save", 0, 1, 4, true, false, 0},
      {"clear", 0, 0, 0, false, false, 0},
  });
}

TEST(CodeEditUndoListTest, MaximumDropsTheOldestItems) {
  RunScript({
      {"rec", 0, 1, 1, false, false, 1},
      {"rec", 0, 2, 2, false, false, 1},
      {"rec", 0, 3, 3, false, false, 1},
      {"max", 2, 2, 3, false, true, 0},
      {"rec", 0, 2, 4, false, true, 1},
      {"max", -5, 0, 0, false, true, 0}, // negative counts as 0
      {"rec", 0, 0, 0, false, true, 1},  // dropped at once, still announced
      {"brk", 0, 0, 0, false, true, 0},
      {"clear", 0, 0, 0, false, false, 0},
      {"save", 0, 0, 0, true, false, 0},
      {"rec", 0, 0, 0, false, true, 1}, // empty again, but no longer the saved text
  });
}

TEST(CodeEditUndoListTest, GroupBreaksAndLocking) {
  RunScript({
      {"brk", 0, 1, 1, false, false, 0}, // an empty list gets one, silently
      {"brk", 0, 1, 1, false, false, 0}, // never two in a row
      {"rec", 0, 2, 2, false, false, 1},
      {"brk", 0, 3, 3, false, false, 0},
      {"lock", 0, 3, 3, false, false, 0},
      {"lock", 0, 3, 3, false, false, 0},
      {"rec", 0, 3, 3, false, false, 0},
      {"unlock", 0, 3, 3, false, false, 0},
      {"rec", 0, 3, 3, false, false, 0},
      {"unlock", 0, 3, 3, false, false, 0},
      {"unlock", 0, 3, 3, false, false, 0}, // never below 0
      {"rec", 0, 4, 4, false, false, 1},
  });
}

TEST(CodeEditUndoListTest, LockedListStillTakesAppendedItemsAndAssignCopiesState) {
  TCodeEditUndoList list;
  list.Lock();
  auto item = std::make_unique<TCodeEditUndoItem>();
  item->Reason = urDelete;
  item->ChangeText = QStringLiteral("gone");
  item->ChangeNumber = 7;
  list.AppendItem(std::move(item));
  list.AppendItem(nullptr);
  ASSERT_EQ(list.ItemCount(), 1);
  EXPECT_EQ(list.NewestReason(), urDelete);

  TCodeEditUndoList copy;
  copy.SetSavedState(false);
  copy.SetMaxItems(9);
  copy.Assign(list);
  EXPECT_EQ(copy.ItemCount(), 1);
  EXPECT_EQ(copy.NewestItem()->ChangeText, QStringLiteral("gone"));
  EXPECT_NE(copy.NewestItem(), list.NewestItem());
  EXPECT_EQ(copy.LockCount(), 1);
  EXPECT_EQ(copy.MaxItems(), 1024);
  EXPECT_EQ(copy.SavedChangeNumber(), -1); // stays
  const std::unique_ptr<TCodeEditUndoItem> taken = copy.TakeNewestItem();
  EXPECT_EQ(taken->ChangeNumber, 7);
  EXPECT_EQ(copy.NewestReason(), urNone);
  EXPECT_EQ(copy.TakeNewestItem(), nullptr);
}

} // namespace
