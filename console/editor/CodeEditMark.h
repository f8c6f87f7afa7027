#pragma once
#include <array>
#include <functional>
#include <memory>
#include <vector>

// A mark shown in the gutter on a line: a bookmark (slot 0..9) or a plain
// mark (slot -1). Changes of a visible mark notify OnChange; moving it to
// another line notifies for the old line and again for the new one.
class TCodeEditMark {
public:
  int Line() const { return line_; }
  int Column() const { return column_; }
  int ImageIndex() const { return imageIndex_; }
  bool Visible() const { return visible_; }
  bool UseBuiltInImage() const { return useBuiltInImage_; }
  int BookmarkSlot() const { return bookmarkSlot_; }
  bool IsBookmark() const { return bookmarkSlot_ >= 0; }

  void SetLine(int line);
  void SetColumn(int column) { column_ = column; }
  void SetImageIndex(int index);
  void SetVisible(bool visible);
  void SetUseBuiltInImage(bool value);
  void SetBookmarkSlot(int slot) { bookmarkSlot_ = slot; }

  std::function<void(TCodeEditMark* sender)> OnChange;

private:
  void NotifyIfVisible();

  int line_ = 0;
  int column_ = 0;
  int imageIndex_ = 0;
  bool visible_ = false;
  bool useBuiltInImage_ = false;
  int bookmarkSlot_ = -1;
};

// All marks of an editor, owned.
class TCodeEditMarkList {
public:
  static constexpr int kMarksPerLine = 17;
  using LineMarks = std::array<TCodeEditMark*, kMarksPerLine>;

  int Count() const { return int(marks_.size()); }
  TCodeEditMark* Items(int index) const { return marks_[index].get(); }
  // Takes ownership; notifies; returns the index.
  int Add(TCodeEditMark* mark);
  // Frees the mark, without a notice.
  void Delete(int index);
  // Frees the mark and notifies; returns its index. EListError for a mark
  // not in the list.
  int Remove(TCodeEditMark* mark);
  // Frees every mark, then notifies once.
  void ClearAll();
  // The first 17 marks of the line in list order, the rest of the slots empty.
  LineMarks MarksOfLine(int line) const;

  std::function<void(TCodeEditMarkList* sender)> OnChange;

private:
  void Changed();
  std::vector<std::unique_ptr<TCodeEditMark>> marks_;
};
