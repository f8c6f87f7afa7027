#include "console/editor/CodeEditMark.h"
#include "console/editor/text/CodeEditErrors.h"

void TCodeEditMark::NotifyIfVisible() {
  if (visible_ && OnChange) OnChange(this);
}

void TCodeEditMark::SetImageIndex(int index) {
  imageIndex_ = index;
  NotifyIfVisible();
}

void TCodeEditMark::SetUseBuiltInImage(bool value) {
  useBuiltInImage_ = value;
  NotifyIfVisible();
}

void TCodeEditMark::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (OnChange) OnChange(this);
}

void TCodeEditMark::SetLine(int line) {
  if (line == line_ || !visible_ || !OnChange) {
    line_ = line;
    return;
  }
  if (line_ > 0) OnChange(this);
  line_ = line;
  if (line_ > 0) OnChange(this);
}

void TCodeEditMarkList::Changed() {
  if (OnChange) OnChange(this);
}

int TCodeEditMarkList::Add(TCodeEditMark* mark) {
  marks_.emplace_back(mark);
  Changed();
  return Count() - 1;
}

void TCodeEditMarkList::Delete(int index) { marks_.erase(marks_.begin() + index); }

int TCodeEditMarkList::Remove(TCodeEditMark* mark) {
  const auto it = std::find_if(marks_.begin(), marks_.end(), [mark](const auto& m) { return m.get() == mark; });
  if (it == marks_.end()) throw EListError(QStringLiteral("List index je mimo rozsahu (%1)").arg(-1));
  const int index = int(it - marks_.begin());
  Delete(index);
  Changed();
  return index;
}

void TCodeEditMarkList::ClearAll() {
  marks_.clear();
  Changed();
}

TCodeEditMarkList::LineMarks TCodeEditMarkList::MarksOfLine(int line) const {
  LineMarks found{};
  int n = 0;
  for (const auto& mark : marks_) {
    if (n == kMarksPerLine) break;
    if (mark->Line() == line) found[n++] = mark.get();
  }
  return found;
}
