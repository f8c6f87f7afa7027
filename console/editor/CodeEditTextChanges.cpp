// What the control does when its buffer changes: highlighter range rescans,
// word-wrap updates, repainting and marks.
#include "console/editor/CodeEditPrivate.h"
#include "console/editor/text/CodeEditHighlighter.h"

void TCustomCodeEdit::BufferCleared() {
  if (wrapPlugin_) wrapPlugin_->Rebuild();
  ClearUndo();
  dirtyRect_ = QRect();
  viewport()->update();
  MoveCaretCollapsing({1, 1});
  topRow_ = 1;
  leftColumn_ = 1;
  textOriginX_ = gutterPixelWidth_ + 2;
  pendingStatusChanges_ |= stcAll;
}

void TCustomCodeEdit::BufferLinesInserted(int index, int count) {
  if (highlighter_ && lines_->Count() > 0)
    for (int line = index; line < index + count;)
      line = RescanRangesFrom(line) + 1;
  if (wrapPlugin_) wrapPlugin_->LinesInserted(index, count);
  InvalidateLineRange(index + 1, lines_->Count());
  InvalidateGutterRange(index + 1, lines_->Count() + 1);
  GrowMaxScrollWidthTo(index);
}

void TCustomCodeEdit::BufferLinesDeleted(int index, int count) {
  if (highlighter_ && lines_->Count() > 0) RescanRangesFrom(index);
  if (wrapPlugin_) wrapPlugin_->LinesDeleted(index, count);
  InvalidateLineRange(index + 1, lines_->Count());
  InvalidateGutterRange(index + 1, lines_->Count() + 1);
}

void TCustomCodeEdit::BufferLinesReplaced(int index, int count) {
  int end = index + 1;
  if (wrapPlugin_ && wrapPlugin_->LinesReplaced(index, count) != 0) end = lines_->Count();
  InvalidateGutterRange(index + 1, end);
  if (highlighter_) end = qMax(end, 1 + RescanRangesFrom(index));
  InvalidateLineRange(index + 1, end);
  GrowMaxScrollWidthTo(index);
}

void TCustomCodeEdit::GrowMaxScrollWidthTo(int index) {
  if (!HasOption(eoAutoSizeMaxScrollWidth)) return;
  const int length = lines_->GetExpandedLineLength(index);
  if (length > maxScrollWidth_) SetMaxScrollWidth(length);
}

int TCustomCodeEdit::RescanRangesFrom(int index) {
  if (!highlighter_ || index < 0 || index >= lines_->Count()) return index;
  if (index == 0)
    highlighter_->ClearRange();
  else
    highlighter_->RestoreRange(int(lines_->GetLineRange(index - 1)));
  for (int line = index;; ++line) {
    highlighter_->StartLine(lines_->Get(line), line);
    highlighter_->SkipToLineEnd();
    const qintptr range = highlighter_->CurrentRange();
    // The lines below begin as they did before: their ranges still hold.
    if (range == lines_->GetLineRange(line)) return line;
    lines_->SetLineRange(line, range);
    if (line == lines_->Count() - 1) return line;
  }
}

void TCustomCodeEdit::RescanAllRanges() {
  if (!highlighter_ || lines_->Count() == 0) return;
  highlighter_->ClearRange();
  for (int line = 0; line < lines_->Count(); ++line) {
    highlighter_->StartLine(lines_->Get(line), line);
    highlighter_->SkipToLineEnd();
    lines_->SetLineRange(line, highlighter_->CurrentRange());
  }
}

void TCustomCodeEdit::MarkLinesInserted(int firstLine, int count) {
  for (int i = 0; i < marks_.Count(); ++i) {
    TCodeEditMark* mark = marks_.Items(i);
    if (mark->Line() >= firstLine) mark->SetLine(mark->Line() + count);
  }
}

void TCustomCodeEdit::MarkLinesDeleted(int firstLine, int count) {
  for (int i = 0; i < marks_.Count(); ++i) {
    TCodeEditMark* mark = marks_.Items(i);
    if (mark->Line() >= firstLine + count)
      mark->SetLine(mark->Line() - count);
    else if (mark->Line() > firstLine)
      mark->SetLine(firstLine);
  }
}
