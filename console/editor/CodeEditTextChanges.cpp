// Text changes: the one primitive that replaces the selection by a text in a
// selection mode, its undoable wrapper, and what the control does when its
// buffer reports changed lines (range rescans, word wrap, repainting, marks).
#include "console/editor/CodeEditPrivate.h"
#include "console/editor/text/CodeEditHighlighter.h"

QStringList SplitAtLineBreaks(const QString& text, bool* endsWithBreak) {
  const qsizetype nul = text.indexOf(QChar(u'\0'));
  const QStringView rest = QStringView(text).left(nul < 0 ? text.size() : nul);
  QStringList segments;
  qsizetype start = 0;
  for (qsizetype i = 0; i < rest.size(); ++i) {
    if (rest[i] != u'\r' && rest[i] != u'\n') continue;
    segments << rest.mid(start, i - start).toString();
    if (rest[i] == u'\r' && i + 1 < rest.size() && rest[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  segments << rest.mid(start).toString();
  if (endsWithBreak) *endsWithBreak = segments.size() > 1 && segments.back().isEmpty();
  return segments;
}

void SnapColumnsToCharBounds(QStringView text, int& a, int& b) {
  if (IsTrailByte(text, a)) ++a;
  if (IsTrailByte(text, b)) ++b;
}

QString TrimTrailingBlanks(QString text) {
  qsizetype end = text.size();
  while (end > 0 && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
    --end;
  text.truncate(end);
  return text;
}

namespace {

bool IsBlankText(QStringView text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' ' || c == u'\t'; });
}

// Keeps the buffer inside one update for a scope, also after an error.
class TBufferUpdate {
public:
  explicit TBufferUpdate(TCodeEditStringList& lines) : lines_(lines) { lines_.BeginUpdate(); }
  ~TBufferUpdate() noexcept(false) { lines_.EndUpdate(); }
  TBufferUpdate(const TBufferUpdate&) = delete;
  TBufferUpdate& operator=(const TBufferUpdate&) = delete;

private:
  TCodeEditStringList& lines_;
};

} // namespace

void TCustomCodeEdit::StoreLine(int index, const QString& text) {
  lines_->Put(index, HasOption(eoTrimTrailingSpaces) ? TrimTrailingBlanks(text) : text);
}

void TCustomCodeEdit::SetCaretLineRaw(int line) {
  if (line == caretLine_) return;
  caretLine_ = line;
  SetStateFlag(esCaretPending, true);
  NotifyStatusChange(stcCaretLine);
}

void TCustomCodeEdit::SetCaretCharRaw(int charIndex) {
  if (charIndex == caretChar_) return;
  caretChar_ = charIndex;
  SetStateFlag(esCaretPending, true);
  NotifyStatusChange(stcCaretChar);
}

void TCustomCodeEdit::ReplaceSelectionRaw(TCodeSelectionMode mode, const QString& text, bool record) {
  TCodeEditPaintLock lock(*this);
  TBufferUpdate update(*lines_);
  const TBufferCoord first = SelectionFirst(), last = SelectionLast();
  if (HasSelection()) {
    const TCodeSelectionMode removedMode = currentSelectionMode_;
    // Blanks before a replacing text are not trailing: they are kept.
    TCodeEditOptionSwitch trim(*this, eoTrimTrailingSpaces, HasOption(eoTrimTrailingSpaces) && text.isEmpty());
    RemoveSelectedText(first, last);
    // A replacing text goes where the selection began: the left edge of a
    // column block, whichever corner it was made from; the start of the line
    // that took the place of whole lines.
    if (removedMode == smColumn) {
      // The column holds for every line (it is not moved off a character of
      // two code units on the first).
      SetCaretLineRaw(first.Line);
      SetCaretCharRaw(qMin(first.Char, last.Char));
    } else if (removedMode == smNormal) {
      MoveCaretTo(first);
    }
  }
  if (!text.isEmpty()) InsertTextByMode(mode, text, record);
  if (caretLine_ < 1) SetCaretLineRaw(1);
  // The caret stays off the second half of a character of two code units.
  if (IsTrailByte(CaretLineText(), caretChar_)) SetCaretCharRaw(caretChar_ - 1);
}

void TCustomCodeEdit::RemoveSelectedText(const TBufferCoord& first, const TBufferCoord& last) {
  switch (currentSelectionMode_) {
  case smNormal: {
    if (lines_->Count() > 0) {
      QString joined = lines_->Get(first.Line - 1).left(first.Char - 1) + lines_->Get(last.Line - 1).mid(last.Char - 1);
      if (last.Line > first.Line) lines_->DeleteLineRange(first.Line, last.Line - first.Line);
      if (HasOption(eoScrollPastEol) && HasOption(eoTrimTrailingSpaces)) joined = TrimTrailingBlanks(joined);
      lines_->Put(first.Line - 1, joined);
    }
    MoveCaretTo(first);
    MarkLinesDeleted(first.Line, last.Line - first.Line);
    break;
  }
  case smLine:
    if (last.Line == lines_->Count()) {
      lines_->Put(last.Line - 1, QString());
      lines_->DeleteLineRange(first.Line - 1, last.Line - first.Line);
    } else {
      lines_->DeleteLineRange(first.Line - 1, last.Line - first.Line + 1);
    }
    MoveCaretTo({1, first.Line});
    MarkLinesDeleted(first.Line, last.Line - first.Line + 1);
    break;
  case smColumn: {
    const int left = qMin(first.Char, last.Char), right = qMax(first.Char, last.Char);
    for (int line = first.Line; line <= last.Line; ++line) {
      QString text = lines_->Get(line - 1);
      int a = left, b = right;
      SnapColumnsToCharBounds(text, a, b);
      if (a <= text.size()) text.remove(a - 1, qMin<qsizetype>(b, text.size() + 1) - a);
      StoreLine(line - 1, text);
    }
    MoveCaretTo({left, selectionActiveEnd_.Line});
    break;
  }
  }
}

void TCustomCodeEdit::InsertTextByMode(TCodeSelectionMode mode, const QString& text, bool record) {
  int startLine = caretLine_;
  const int startChar = caretChar_;
  int added = 0;
  switch (mode) {
  case smNormal:
    added = InsertStreamText(text);
    if (startChar > 1) ++startLine;
    break;
  case smColumn:
    // Lines a column block adds are appended after the last line: no mark moves.
    InsertColumnText(text, record);
    break;
  case smLine:
    added = InsertWholeLines(text);
    break;
  }
  if (added > 0) MarkLinesInserted(startLine, added);
  EnsureCaretVisible();
}

int TCustomCodeEdit::InsertStreamText(const QString& text) {
  const QString line = CaretLineText();
  QString left = line.left(caretChar_ - 1);
  if (caretChar_ - 1 > line.size()) {
    if (HasOption(eoTabsToSpaces) || !IsBlankText(left))
      left = left.leftJustified(caretChar_ - 1, u' ');
    else
      left = IndentText(CaretColumn() - 1, true);
  }
  const QString right = line.mid(caretChar_ - 1);
  const QStringList segments = SplitAtLineBreaks(text);
  int added = 0;
  QString lastBuilt;
  if (segments.size() > 1) {
    StoreLine(caretLine_ - 1, left + segments.front());
    lines_->InsertBlankLines(caretLine_, int(segments.size()) - 1);
    for (qsizetype i = 1; i < segments.size(); ++i) {
      SetCaretLineRaw(caretLine_ + 1);
      lastBuilt = i + 1 == segments.size() ? segments[i] + right : segments[i];
      StoreLine(caretLine_ - 1, lastBuilt);
      ++added;
    }
  } else {
    lastBuilt = left + segments.front() + right;
    StoreLine(caretLine_ - 1, lastBuilt);
  }
  TCodeEditOptionSwitch pastEol(*this, eoScrollPastEol, true);
  const QString stored = lines_->Get(caretLine_ - 1);
  if (HasOption(eoTrimTrailingSpaces) && right.isEmpty())
    MoveCaretTo({int(stored.size()) + ExpandedLength(lastBuilt, tabWidth_) - ExpandedLength(stored, tabWidth_) + 1,
                 caretLine_});
  else
    MoveCaretTo({int(lastBuilt.size() - right.size()) + 1, caretLine_});
  return added;
}

int TCustomCodeEdit::InsertColumnText(const QString& text, bool record) {
  const int column = caretChar_;
  bool endsWithBreak = false;
  const QStringList segments = SplitAtLineBreaks(text, &endsWithBreak);
  int appended = 0;
  int lastLength = 0;
  for (qsizetype i = 0; i < segments.size(); ++i) {
    const QString& segment = segments[i];
    if (i > 0) SetCaretLineRaw(caretLine_ + 1);
    if (segment.isEmpty() && (i + 1 == segments.size() && endsWithBreak)) break;
    int at = column;
    if (caretLine_ > lines_->Count()) {
      const int previous = lines_->Count();
      const TBufferCoord end{int(lines_->Get(previous - 1).size()) + 1, previous};
      lines_->Add(QString(column - 1, u' ') + segment);
      ++appended;
      // The first line of an empty text breaks no line.
      if (record && previous > 0) activeUndoList_->RecordChange(urLineBreak, end, end, QString(), smColumn);
    } else if (!segment.isEmpty()) {
      QString line = lines_->Get(caretLine_ - 1);
      at = IsTrailByte(line, column) ? column + 1 : column;
      if (line.size() < at - 1) {
        // The blanks that reach the block are a change of their own, so that
        // taking the block back leaves the line as it was.
        if (record)
          activeUndoList_->RecordChange(urInsert, {int(line.size()) + 1, caretLine_}, {at, caretLine_}, QString(),
                                        smNormal);
        line = line.leftJustified(at - 1, u' ');
      }
      line.insert(at - 1, segment);
      StoreLine(caretLine_ - 1, line);
    } else {
      continue;
    }
    // Recorded as the column it is, whatever selection it replaced.
    if (record)
      activeUndoList_->RecordChange(urPaste, {at, caretLine_}, {at + int(segment.size()), caretLine_}, QString(),
                                    smColumn);
    if (!segment.isEmpty()) lastLength = int(segment.size());
  }
  SetCaretCharRaw(caretChar_ + lastLength);
  return appended;
}

int TCustomCodeEdit::InsertWholeLines(const QString& text) {
  SetCaretCharRaw(1);
  bool endsWithBreak = false;
  QStringList segments = SplitAtLineBreaks(text, &endsWithBreak);
  if (endsWithBreak) segments.removeLast();
  int added = 0;
  // An empty text is one empty line, which the lines go before (as undo
  // leaves it when it takes them out again).
  if (lines_->Count() == 0) lines_->Add(QString());
  // Whole lines are always inserted, also in overwrite mode: lines they
  // overwrote could not be given back by undo.
  for (const QString& segment : segments) {
    lines_->Insert(qMin(caretLine_ - 1, lines_->Count()), QString());
    ++added;
    StoreLine(caretLine_ - 1, segment);
    SetCaretLineRaw(caretLine_ + 1);
  }
  return added;
}

void TCustomCodeEdit::InsertColumnBlock(const TBufferCoord& at, bool record, const QString& text) {
  TCodeEditPaintLock lock(*this);
  // The column holds for every line, also where it falls inside a character
  // of two code units on the first (each line steps past such a character).
  SetCaretLineRaw(at.Line);
  SetCaretCharRaw(at.Char);
  selectionAnchor_ = selectionActiveEnd_ = at;
  currentSelectionMode_ = smColumn;
  ReplaceSelectionRaw(smColumn, text, record);
  NotifyStatusChange(stcSelection);
}

void TCustomCodeEdit::ReplaceSelection(const QString& text) { ReplaceSelectionAs(text, selectionMode_); }

void TCustomCodeEdit::ReplaceSelectionAs(const QString& text, TCodeSelectionMode modeWithoutSelection) {
  TCodeEditUndoBlock block(*this);
  if (HasSelection()) {
    activeUndoList_->RecordChange(urDelete, selectionAnchor_, selectionActiveEnd_, SelectionContents(),
                                  currentSelectionMode_);
  } else {
    currentSelectionMode_ = modeWithoutSelection;
    // Without a selection the text goes to the caret, which is where the
    // change is recorded (the anchor may stand elsewhere, clipped to a line end).
    if (currentSelectionMode_ == smNormal) FillLineToCaret();
    selectionAnchor_ = selectionActiveEnd_ = CaretPos();
  }
  TBufferCoord start = SelectionFirst();
  const TBufferCoord last = SelectionLast();
  selectionAnchor_ = start;
  selectionActiveEnd_ = last;
  ReplaceSelectionRawCurrent(text);
  if (text.isEmpty() || currentSelectionMode_ == smColumn) return;
  // Whole lines inserted end before the line the caret stands on now; the
  // two ends differ in their character so that they select those lines.
  const TBufferCoord end = currentSelectionMode_ == smLine && caretChar_ == 1
                               ? TBufferCoord{qMax(2, visibleColumns_), qMax(start.Line, caretLine_ - 1)}
                               : SelectionLast();
  if (currentSelectionMode_ == smLine) start.Char = 1;
  activeUndoList_->RecordChange(urInsert, start, end, QString(), currentSelectionMode_);
}

void TCustomCodeEdit::DeleteSelection() {
  if (HasSelection()) ReplaceSelection(QString());
}

void TCustomCodeEdit::ClearAllText() {
  lines_->Clear();
  marks_.ClearAll();
  bookmarks_.fill(nullptr);
  ClearUndo();
  SetModified(false);
}

void TCustomCodeEdit::BufferCleared() {
  if (wrapPlugin_) wrapPlugin_->Rebuild();
  ClearUndo();
  dirtyRect_ = QRect();
  viewport()->update();
  MoveCaretCollapsing({1, 1});
  topRow_ = 1;
  leftColumn_ = 1;
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
