// Editing commands: typing and input-method strings, Backspace and Delete and
// their word and line forms, line breaks with automatic indentation, Tab and
// Shift+Tab with smart tabs and block indentation, and the case commands.
// Each records what it changes in the undo list.
#include "console/editor/CodeEditPrivate.h"
#include <QtCore/QScopeGuard>

namespace {

bool IsBlankText(QStringView text) { return std::all_of(text.begin(), text.end(), IsBlankChar); }

bool Before(const TBufferCoord& a, const TBufferCoord& b) {
  return a.Line < b.Line || (a.Line == b.Line && a.Char < b.Char);
}

// The width of a character at a 1-based index: two for the first half of a
// two-unit character.
int CharWidthAt(QStringView text, int index) {
  return index >= 1 && index < text.size() && text[index - 1].isHighSurrogate() && text[index].isLowSurrogate() ? 2 : 1;
}

QString ToggleCaseText(const QString& text) {
  QString result = text;
  for (QChar& c : result)
    c = c == c.toUpper() ? c.toLower() : c.toUpper();
  return result;
}

} // namespace

// --- indentation

int TCustomCodeEdit::LeadingBlankWidth(const QString& text, bool tabsAsWidth) const {
  if (!HasOption(eoAutoIndent)) return 0;
  int width = 0;
  for (QChar c : text) {
    if (c.unicode() > 32) break;
    width += c == u'\t' && tabsAsWidth ? tabWidth_ : 1;
  }
  return width;
}

QString TCustomCodeEdit::IndentText(int width, bool tabsAllowed) const {
  if (!tabsAllowed || HasOption(eoTabsToSpaces) || width < tabWidth_) return QString(width, u' ');
  return QString(width / tabWidth_, u'\t') + QString(width % tabWidth_, u' ');
}

// The leading blank width of the first line above `line` (1-based) that is
// indented less than `width`; 0 when there is none.
int TCustomCodeEdit::IndentAbove(int line, int width, bool tabsAsWidth) const {
  if (width <= 0) return 0;
  for (int above = line - 1; above >= 1; --above) {
    const int indent = LeadingBlankWidth(lines_->Get(above - 1), tabsAsWidth);
    if (indent < width) return indent;
  }
  return 0;
}

// Makes the caret's line reach a caret standing past its end, as a recorded
// change: spaces (or, on a blank line without tabs-to-spaces, the tabs and
// spaces that reach the caret's column). Undoing what follows and this gives
// the line back as it was, without the blanks.
void TCustomCodeEdit::FillLineToCaret() {
  const QString line = CaretLineText();
  if (caretChar_ - 1 <= line.size() || caretLine_ > qMax(1, lines_->Count()) || HasOption(eoTrimTrailingSpaces)) return;
  const QString filled = HasOption(eoTabsToSpaces) || !IsBlankText(line) ? line.leftJustified(caretChar_ - 1, u' ')
                                                                         : IndentText(CaretColumn() - 1, true);
  const int lineEnd = int(line.size()) + 1;
  lines_->Put(caretLine_ - 1, filled);
  const TBufferCoord end{int(filled.size()) + 1, caretLine_};
  if (filled.startsWith(line)) {
    activeUndoList_->RecordChange(urInsert, {lineEnd, caretLine_}, end, QString(), smNormal);
  } else {
    // Blanks rebuilt as tabs: the old ones go, the new ones come.
    activeUndoList_->RecordChange(urDelete, {1, caretLine_}, {lineEnd, caretLine_}, line, smNormal);
    activeUndoList_->RecordChange(urInsert, {1, caretLine_}, end, QString(), smNormal);
  }
  SetCaretCharRaw(end.Char);
}

// --- shared steps

void TCustomCodeEdit::DeleteSelectionRecorded() {
  const TBufferCoord anchor = selectionAnchor_, activeEnd = selectionActiveEnd_;
  const TCodeSelectionMode mode = currentSelectionMode_;
  const QString text = SelectionContents();
  TCodeEditUndoBlock block(*this);
  ReplaceSelectionRawCurrent(QString());
  activeUndoList_->RecordChange(Before(anchor, activeEnd) ? urDelete : urDeleteForward, anchor, activeEnd, text, mode);
}

void TCustomCodeEdit::ForceCaretChar(int charIndex) {
  TCodeEditOptionSwitch pastEol(*this, eoScrollPastEol, true);
  MoveCaretTo({charIndex, caretLine_});
}

// --- typing

void TCustomCodeEdit::TypeChar(QChar ch) {
  if (ch.unicode() < 32 || ch.unicode() == 127) return;
  PaintTransient(ttBefore);
  const auto after = qScopeGuard([this] { PaintTransient(ttAfter); });
  TCodeEditUndoBlock block(*this);
  if (!insertMode_ && !HasSelection()) {
    // Overwriting takes the character under the caret; past the line end there
    // is none, and the character is inserted as in insert mode.
    const QString line = CaretLineText();
    if (caretChar_ <= line.size()) {
      const TBufferCoord end{caretChar_ + CharWidthAt(line, caretChar_), caretLine_};
      PlaceCaretAndSelection(end, CaretPos(), end);
    }
  }
  // Without a selection a typed character goes into the line at the caret,
  // whatever the selection mode.
  ReplaceSelectionAs(QString(ch), smNormal);
}

void TCustomCodeEdit::InsertImeString(const QString& text) {
  QString string = text;
  // A composed string is typed text: no line breaks or other control characters.
  string.removeIf([](QChar c) { return c.unicode() < 32 && c != u'\t'; });
  if (string.isEmpty()) return;
  TCodeEditUndoBlock block(*this);
  if (!insertMode_ && !HasSelection()) {
    // Overwriting takes as many characters of the line as the string has, as
    // a deletion of its own, so that redo replaces them again.
    const QString line = CaretLineText();
    const int end = qMin(caretChar_ + int(string.size()), int(line.size()) + 1);
    if (end > caretChar_) PlaceCaretAndSelection({end, caretLine_}, CaretPos(), {end, caretLine_});
  }
  if (HasSelection()) {
    // Recorded in the selection's own mode, as it is replaced.
    ReplaceSelection(string);
    InvalidateGutterRange(-1, -1);
    return;
  }
  FillLineToCaret();
  QString line = CaretLineText().leftJustified(caretChar_ - 1, u' ');
  TCodeEditOptionSwitch pastEol(*this, eoScrollPastEol, true);
  const TBufferCoord start = CaretPos();
  line.insert(caretChar_ - 1, string);
  StoreLine(caretLine_ - 1, line);
  MoveCaretTo({caretChar_ + int(string.size()), caretLine_});
  activeUndoList_->RecordChange(urInsert, start, CaretPos(), QString(), smNormal);
  if (caretChar_ >= leftColumn_ + visibleColumns_) ScrollToColumn(leftColumn_ + qMin(25, visibleColumns_ - 1));
}

// --- deleting

void TCustomCodeEdit::DeleteLastChar() {
  PaintTransient(ttBefore, true);
  const auto after = qScopeGuard([this] { PaintTransient(ttAfter, true); });
  if (HasSelection()) {
    DeleteSelectionRecorded();
    return;
  }
  QString text = CaretLineText();
  const int length = int(text.size());
  const TBufferCoord old = CaretPos();
  QString removed;
  int trim = 0;
  if (caretChar_ > length + 1) {
    // Past the line end only the caret moves back.
    if (!HasOption(eoSmartTabDelete)) {
      SetCaretCharRaw(caretChar_ - 1);
    } else if (length > 0) {
      SetCaretCharRaw(length + 1);
    } else {
      const int width = caretChar_ - 1;
      const int above = IndentAbove(caretLine_, width, HasOption(eoTrimTrailingSpaces));
      SetCaretCharRaw(caretChar_ - (width - (above == width ? 0 : above)));
    }
  } else if (caretChar_ == 1) {
    if (caretLine_ == 1) return;
    // The line joins the one above.
    const int previousLength = int(lines_->Get(caretLine_ - 2).size());
    const QString tail = HasOption(eoTrimTrailingSpaces) ? TrimTrailingBlanks(text) : text;
    lines_->Delete(caretLine_ - 1);
    MarkLinesDeleted(caretLine_, 1);
    SetCaretLineRaw(caretLine_ - 1);
    SetCaretCharRaw(previousLength + 1);
    lines_->Put(caretLine_ - 1, lines_->Get(caretLine_ - 1) + tail);
    removed = QStringLiteral("\r\n");
  } else {
    int blanks = LeadingBlankWidth(text, false);
    if (text[caretChar_ - 2].unicode() <= 32 && blanks == caretChar_ - 1) {
      // Right after the indentation: back to an indentation above, or to the
      // previous tab stop.
      int kept = 0;
      if (HasOption(eoSmartTabDelete)) {
        // The blanks go from before the caret, where the deletion is recorded.
        kept = IndentAbove(caretLine_, blanks, false);
        removed = text.mid(kept, blanks - kept);
        text.remove(kept, blanks - kept);
      } else {
        const QString expanded = lines_->GetExpandedLine(caretLine_ - 1);
        const auto tabAt = [&](int column) {
          return column >= 1 && column <= expanded.size() && expanded[column - 1] == u'\t';
        };
        int distance = (CaretColumn() - 1) % tabWidth_;
        if (distance == 0) distance = tabWidth_;
        int count = 0;
        int column = CaretColumn() - distance;
        while (count < tabWidth_ && count < distance && !tabAt(column)) {
          ++count;
          ++column;
        }
        if (tabAt(column)) ++count;
        count = qMin(count, blanks);
        const int from = count == blanks ? 0 : blanks - count;
        removed = text.mid(from, count);
        text.remove(from, count);
        blanks = count;
      }
      StoreLine(caretLine_ - 1, text);
      SetCaretCharRaw(caretChar_ - (blanks - kept));
      RememberCaretColumn();
    } else {
      const int width = IsTrailByte(text, caretChar_ - 1) ? 2 : 1;
      SetCaretCharRaw(caretChar_ - width);
      const bool tabs = HasOption(eoTrimTrailingSpaces) && text.contains(u'\t');
      if (tabs) trim = CharIndexToColumn(caretChar_, tabWidth_, text);
      removed = text.mid(caretChar_ - 1, width);
      text.remove(caretChar_ - 1, width);
      StoreLine(caretLine_ - 1, text);
      const QString stored = lines_->Get(caretLine_ - 1);
      trim = tabs && stored.size() < text.size() ? trim - CharIndexToColumn(caretChar_, tabWidth_, stored) : 0;
    }
  }
  if (CaretPos() != old) {
    activeUndoList_->RecordChange(urDeleteNoSelect, CaretPos(), old, removed, smNormal);
    if (trim != 0) ForceCaretChar(caretChar_ + trim);
    SetSelectionAnchor(CaretPos());
  }
  EnsureCaretVisible();
}

void TCustomCodeEdit::DeleteChar() {
  PaintTransient(ttBefore);
  const auto after = qScopeGuard([this] { PaintTransient(ttAfter); });
  if (HasSelection()) {
    DeleteSelectionRecorded();
    return;
  }
  RememberCaretColumn();
  TCodeEditUndoBlock block(*this);
  QString text = CaretLineText();
  QString removed;
  TBufferCoord end = CaretPos();
  if (caretChar_ <= text.size()) {
    const int width = CharWidthAt(text, caretChar_);
    removed = text.mid(caretChar_ - 1, width);
    text.remove(caretChar_ - 1, width);
    StoreLine(caretLine_ - 1, text);
    end = {caretChar_ + width, caretLine_};
  } else if (caretLine_ < lines_->Count()) {
    FillLineToCaret();
    StoreLine(caretLine_ - 1, CaretLineText().leftJustified(caretChar_ - 1, u' ') + lines_->Get(caretLine_));
    lines_->Delete(caretLine_);
    MarkLinesDeleted(caretLine_ + 1, 1);
    removed = QStringLiteral("\r\n");
    end = {1, caretLine_ + 1};
  }
  if (end != CaretPos()) activeUndoList_->RecordChange(urDeleteForwardNoSelect, CaretPos(), end, removed, smNormal);
}

void TCustomCodeEdit::DeleteWordOrLineEnd(TCodeEditorCommand command) {
  PaintTransient(ttBefore);
  const auto after = qScopeGuard([this] { PaintTransient(ttAfter); });
  const QString text = CaretLineText();
  const int length = int(text.size());
  TBufferCoord target{length + 1, caretLine_};
  if (command == ecDeleteWord) {
    target = WordEndFromCaret();
    if (Before(target, CaretPos()) || (target == CaretPos() && caretLine_ != lines_->Count())) {
      if (target.Char > length)
        target = {1, caretLine_ + 1};
      else if (!IsBlankChar(text[target.Char - 1]))
        ++target.Char;
    }
    const QString line = lines_->Get(target.Line - 1);
    while (target.Char <= line.size() && IsBlankChar(line[target.Char - 1]))
      ++target.Char;
  }
  // Past the end of the last line there is nothing to delete.
  if (!Before(CaretPos(), target) || target.Line > lines_->Count()) return;
  TCodeEditUndoBlock block(*this);
  FillLineToCaret();
  const TBufferCoord caret = CaretPos();
  SetSelectionAnchor(caret);
  SetSelectionActiveEnd(target);
  currentSelectionMode_ = smNormal;
  // A caret past the line end deletes from the line end.
  const TBufferCoord from{qMin(caret.Char, int(CaretLineText().size()) + 1), caret.Line};
  const QString removed = SelectionContents();
  ReplaceSelectionRawCurrent(QString());
  activeUndoList_->RecordChange(urDeleteForwardNoSelect, from, target, removed, smNormal);
  MoveCaretTo(caret);
}

void TCustomCodeEdit::DeleteLastWordOrLineStart(TCodeEditorCommand command) {
  PaintTransient(ttBefore);
  const auto after = qScopeGuard([this] { PaintTransient(ttAfter); });
  const TBufferCoord caret = CaretPos();
  const TBufferCoord target = command == ecDeleteLastWord ? PrevWordFromCaret() : TBufferCoord{1, caretLine_};
  if (target == caret) return;
  SetSelectionAnchor(caret);
  SetSelectionActiveEnd(target);
  currentSelectionMode_ = smNormal;
  const QString removed = SelectionContents();
  ReplaceSelectionRawCurrent(QString());
  activeUndoList_->RecordChange(urDeleteNoSelect, target, caret, removed, smNormal);
  MoveCaretTo(target);
}

void TCustomCodeEdit::DeleteLine() {
  const int count = lines_->Count();
  if (count == 0 || (caretLine_ == count && lines_->Get(count - 1).isEmpty())) return;
  PaintTransient(ttBefore);
  const auto after = qScopeGuard([this] { PaintTransient(ttAfter); });
  if (HasSelection()) SetSelectionAnchor(CaretPos());
  const int line = caretLine_;
  QString removed = CaretLineText();
  if (line == count) {
    lines_->Put(line - 1, QString());
    activeUndoList_->RecordChange(urDeleteForwardNoSelect, {1, line}, {int(removed.size()) + 1, line}, removed,
                                  smNormal);
  } else {
    lines_->Delete(line - 1);
    removed += QStringLiteral("\r\n");
    activeUndoList_->RecordChange(urDeleteForwardNoSelect, {1, line}, {1, line + 1}, removed, smNormal);
    MarkLinesDeleted(line, 1);
  }
  MoveCaretTo({1, line});
}

// --- line breaks

void TCustomCodeEdit::LineBreak(bool moveCaret) {
  TCodeEditUndoBlock block(*this);
  if (HasSelection()) {
    const TBufferCoord anchor = selectionAnchor_, activeEnd = selectionActiveEnd_;
    const TCodeSelectionMode mode = currentSelectionMode_;
    const QString text = SelectionContents();
    ReplaceSelectionRawCurrent(QString());
    activeUndoList_->RecordChange(urDelete, anchor, activeEnd, text, mode);
  }
  if (lines_->Count() == 0) lines_->Add(QString());
  const QString text = CaretLineText();
  const int length = int(text.size());
  const TBufferCoord caret = CaretPos();
  // The new line goes before the caret's line or after it; the marks follow.
  int insertedAt = caretLine_ + 1;
  if (length > 0 && caretChar_ <= length) {
    if (caretChar_ > 1) {
      const QString left = text.left(caretChar_ - 1), right = text.mid(caretChar_ - 1);
      const QString indent = IndentText(LeadingBlankWidth(left, true), true);
      lines_->Insert(caretLine_, indent + right);
      StoreLine(caretLine_ - 1, left);
      activeUndoList_->RecordChange(urLineBreak, caret, caret, right, smNormal);
      if (moveCaret) MoveCaretTo({int(indent.size()) + 1, caretLine_ + 1});
    } else {
      lines_->Insert(caretLine_ - 1, QString());
      insertedAt = caretLine_;
      activeUndoList_->RecordChange(urLineBreak, caret, caret, text, smNormal);
      if (moveCaret) MoveCaretTo({1, caretLine_ + 1});
    }
  } else if (length > 0) {
    const int width = LeadingBlankWidth(text, false);
    lines_->Insert(caretLine_, QString());
    if (moveCaret) {
      if (width > 0) lines_->Put(caretLine_, text.left(width));
      MoveCaretTo({width + 1, caretLine_ + 1});
    }
    activeUndoList_->RecordChange(urLineBreak, caret, caret, QString(), smNormal);
  } else {
    int width = 0;
    for (int above = caretLine_ - 1; above >= 1 && HasOption(eoAutoIndent); --above) {
      const QString line = lines_->Get(above - 1);
      if (line.isEmpty()) continue;
      width = LeadingBlankWidth(line, true);
      break;
    }
    lines_->Insert(caretLine_ - 1, QString());
    insertedAt = caretLine_;
    activeUndoList_->RecordChange(urLineBreak, caret, caret, QString(), smNormal);
    if (moveCaret) MoveCaretTo({width + 1, caretLine_ + 1});
  }
  MarkLinesInserted(insertedAt, 1);
  SetSelectionAnchor(CaretPos());
  EnsureCaretVisible();
  RememberCaretColumn();
}

// --- tabs and block indentation

void TCustomCodeEdit::InsertTab() {
  const bool wholeLines = SelectionIsWholeLines();
  if (HasOption(eoTabIndent) && (SelectionSpansLines() || wholeLines)) {
    IndentBlock();
    if (wholeLines) {
      TBufferCoord& smaller = selectionAnchor_.Char < selectionActiveEnd_.Char ? selectionAnchor_ : selectionActiveEnd_;
      smaller.Char = 1;
    }
    return;
  }
  // Smart tabs go to the next word start of the nearest line above that
  // reaches the caret's column.
  int distance = 0;
  int targetColumn = 0;
  if (HasOption(eoSmartTabs) && caretLine_ >= 2 && caretLine_ <= lines_->Count()) {
    const int column = CaretColumn();
    for (int above = caretLine_ - 1; above >= 1; --above) {
      const QString line = lines_->Get(above - 1);
      const int from = ToBufferCoord({column, above}).Char;
      if (line.size() < from) continue;
      int i = from;
      while (i <= line.size() && !IsBlankChar(line[i - 1]))
        ++i;
      while (i <= line.size() && IsBlankChar(line[i - 1]))
        ++i;
      distance = i - from;
      targetColumn = CharIndexToColumn(i, tabWidth_, line);
      break;
    }
  }
  const bool smart = distance > 0;
  TCodeEditUndoBlock block(*this);
  if (HasSelection()) {
    activeUndoList_->RecordChange(urDelete, selectionAnchor_, selectionActiveEnd_, SelectionContents(),
                                  currentSelectionMode_);
    ReplaceSelectionRawCurrent(QString());
  }
  FillLineToCaret();
  const TBufferCoord start = CaretPos();
  const QString line = CaretLineText();
  if (!smart) distance = HasOption(eoTabsToSpaces) ? tabWidth_ - (start.Char - 1) % tabWidth_ : tabWidth_;
  QString inserted;
  int caret = start.Char;
  if (HasOption(eoTabsToSpaces)) {
    inserted = QString(distance, u' ');
    caret = start.Char + distance;
  } else if (HasOption(eoTrimTrailingSpaces) && start.Char > line.size()) {
    // Blanks at the line end would be trimmed: only the caret moves.
    const int column = CaretColumn();
    caret = start.Char + (smart ? targetColumn - column : tabWidth_ - (column - 1) % tabWidth_);
  } else {
    if (smart && IsBlankText(line.left(start.Char - 1))) {
      int column = CaretColumn() - 1; // 0-based display columns
      const int target = targetColumn - 1;
      const int nextStop = (column / tabWidth_ + 1) * tabWidth_;
      if (target >= nextStop) {
        inserted += u'\t';
        column = nextStop;
        for (; target - column >= tabWidth_; column += tabWidth_)
          inserted += u'\t';
      }
      inserted += QString(qMax(0, target - column), u' ');
    } else {
      inserted = QStringLiteral("\t");
    }
    caret = start.Char + (HasOption(eoTrimTrailingSpaces) && IsBlankText(line) ? ExpandedLength(inserted, tabWidth_)
                                                                               : int(inserted.size()));
  }
  if (!inserted.isEmpty()) {
    // A tab goes into the line at the caret, whatever the selection mode.
    ReplaceSelectionRaw(smNormal, inserted, true);
    activeUndoList_->RecordChange(urInsert, start, CaretPos(), QString(), smNormal);
  }
  ForceCaretChar(caret);
  EnsureCaretVisible();
}

void TCustomCodeEdit::RemoveTab() {
  if (HasOption(eoTabIndent) && (SelectionSpansLines() || SelectionIsWholeLines())) {
    UnindentBlock();
    return;
  }
  const QString text = CaretLineText();
  int x = caretChar_;
  if (HasOption(eoSmartTabs) && x > 1 && caretLine_ >= 2 && caretLine_ <= lines_->Count()) {
    for (int above = caretLine_ - 1; above >= 1; --above) {
      const QString line = lines_->Get(above - 1);
      if (line.size() < x - 1) continue;
      int i = x - 1;
      while (i > 1 && line[i - 1] == u' ')
        --i;
      while (i > 1 && line[i - 2] != u' ')
        --i;
      x = i;
      break;
    }
  }
  // Shift+Tab takes back blanks only, never text before the caret.
  if (!IsBlankText(QStringView(text).mid(x - 1, caretChar_ - x))) x = caretChar_;
  if (x == caretChar_) {
    const int stop = ((caretChar_ - 2) / tabWidth_) * tabWidth_ + 1;
    if (text.size() + 1 < x) {
      x = stop;
    } else if (stop < x && x >= 2 && text[x - 2] == u'\t') {
      --x;
    } else {
      while (x > stop && (x - 2 >= text.size() || text[x - 2] == u' '))
        --x;
    }
  }
  if (IsTrailByte(text, x)) --x;
  if (!IsBlankText(QStringView(text).mid(x - 1, caretChar_ - x))) x = caretChar_;
  if (x == caretChar_ || x < 1) return;
  TCodeEditUndoBlock block(*this);
  const TBufferCoord old = CaretPos(), from{x, caretLine_};
  SetSelectionAnchor(from);
  SetSelectionActiveEnd(old);
  currentSelectionMode_ = smNormal;
  const QString removed = SelectionContents();
  ReplaceSelectionRawCurrent(QString());
  activeUndoList_->RecordChange(urDeleteNoSelect, from, old, removed, smNormal);
  MoveCaretTo(from);
}

void TCustomCodeEdit::IndentBlock() {
  if (!HasSelection()) return;
  const TBufferCoord first = SelectionFirst(), last = SelectionLast();
  // A selection that ends at the start of a line leaves that line alone.
  const int lastLine = last.Char == 1 && last.Line > first.Line ? last.Line - 1 : last.Line;
  const QString unit = HasOption(eoTabsToSpaces) ? QString(tabWidth_, u' ') : QStringLiteral("\t");
  const int width = int(unit.size());
  const int x = currentSelectionMode_ == smColumn ? qMin(first.Char, last.Char) : 1;
  const TBufferCoord caret{last.Char == 1 ? 1 : caretChar_ + width, caretLine_};
  const TBufferCoord from{first.Char + width, first.Line};
  const TBufferCoord to{last.Char > 1 ? last.Char + width : last.Char, last.Line};
  {
    TCodeEditUndoBlock block(*this);
    QStringList pieces;
    for (int line = first.Line; line <= lastLine; ++line)
      pieces << unit;
    const TCodeSelectionMode mode = currentSelectionMode_;
    InsertColumnBlock({x, first.Line}, true, pieces.join(QStringLiteral("\r\n")));
    currentSelectionMode_ = mode;
    activeUndoList_->RecordChange(urIndent, first, last, QString(), smColumn);
    activeUndoList_->RecordChange(urIndent, from, to, QString(), smColumn);
  }
  PlaceCaretAndSelection(caret, from, to);
}

void TCustomCodeEdit::UnindentBlock() {
  if (!HasSelection()) return;
  const TBufferCoord first = SelectionFirst(), last = SelectionLast();
  const TCodeSelectionMode mode = currentSelectionMode_;
  const int lastLine = last.Char == 1 && last.Line > first.Line ? last.Line - 1 : last.Line;
  const int x = mode == smColumn ? qMin(first.Char, last.Char) : 1;
  // One tab, or up to a tab width of spaces and a tab after fewer of them.
  QStringList prefixes;
  for (int line = first.Line; line <= lastLine; ++line) {
    const QString text = lines_->Get(line - 1);
    const int from = mode == smColumn ? std::min({first.Char - 1, last.Char - 1, int(text.size())}) : 0;
    int i = from;
    if (i < text.size() && text[i] == u'\t') {
      ++i;
    } else {
      while (i < text.size() && i - from < tabWidth_ && text[i] == u' ')
        ++i;
      if (i - from < tabWidth_ && i < text.size() && text[i] == u'\t') ++i;
    }
    prefixes << text.mid(from, i - from);
  }
  QStringList nonEmpty = prefixes;
  nonEmpty.removeAll(QString());
  if (nonEmpty.isEmpty()) return;
  const TBufferCoord caret = CaretPos();
  const bool caretLineTaken = caret.Line >= first.Line && caret.Line <= lastLine;
  const int caretShift = caretLineTaken && caret.Char > 1 ? int(prefixes[caret.Line - first.Line].size()) : 0;
  {
    TCodeEditUndoBlock block(*this);
    for (int line = first.Line; line <= lastLine; ++line) {
      const QString& prefix = prefixes[line - first.Line];
      if (!prefix.isEmpty()) lines_->Put(line - 1, lines_->Get(line - 1).remove(x - 1, prefix.size()));
    }
    activeUndoList_->RecordChange(urUnindent, first, last, prefixes.join(QStringLiteral("\r\n")), mode);
  }
  if (mode == smColumn) {
    PlaceCaretAndSelection(caret, first, last);
    return;
  }
  const TBufferCoord from{qMax(1, first.Char - int(nonEmpty.front().size())), first.Line};
  const TBufferCoord to{qMax(1, last.Char - int(nonEmpty.back().size())), last.Line};
  PlaceCaretAndSelection({qMax(1, caret.Char - caretShift), caret.Line}, from, to);
}

// --- case

void TCustomCodeEdit::ChangeCase(TCodeEditorCommand command) {
  const bool block = command >= ecUpperCaseBlock;
  const bool hadSelection = HasSelection();
  const TBufferCoord anchor = selectionAnchor_, activeEnd = selectionActiveEnd_, caret = CaretPos();
  const auto restore = qScopeGuard([&] {
    if (block && hadSelection) {
      PlaceCaretAndSelection(caret, anchor, activeEnd);
    } else if (!block) {
      MoveCaretCollapsing(caret);
    }
  });
  if (!block) {
    // A word command takes the word at the caret, not a selection there was.
    MoveCaretCollapsing(caret);
    SelectWordAtCaret();
    for (int tries = 0; tries < 2 && !HasSelection(); ++tries) {
      MoveCaretCollapsing(PrevWordFromCaret());
      SelectWordAtCaret();
    }
  } else if (!hadSelection) {
    if (caretChar_ > CaretLineText().size()) {
      if (caretLine_ < lines_->Count()) MoveCaretCollapsing({1, caretLine_ + 1});
      return;
    }
    StepCaretHorizontally(1, true);
  }
  const QString text = SelectionContents();
  if (text.isEmpty()) return;
  QString converted;
  switch (command) {
  case ecUpperCase:
  case ecUpperCaseBlock:
    converted = text.toUpper();
    break;
  case ecLowerCase:
  case ecLowerCaseBlock:
    converted = text.toLower();
    break;
  case ecTitleCase:
    converted = text.left(1).toUpper() + text.mid(1).toLower();
    break;
  default:
    converted = ToggleCaseText(text);
    break;
  }
  TCodeEditUndoBlock undoBlock(*this);
  if (hadSelection)
    activeUndoList_->RecordChange(urSelectionChange, anchor, activeEnd, QString(), currentSelectionMode_);
  else
    activeUndoList_->RecordChange(urSelectionChange, caret, caret, QString(), currentSelectionMode_);
  activeUndoList_->RecordChange(urCaretMove, caret, caret, QString(), currentSelectionMode_);
  ReplaceSelection(converted);
}
