// Commands: keys to commands, the pipeline every command passes, the built-in
// commands, and the navigation ones in full (caret moves by character, word,
// line and page, scrolling, word selection, brackets, bookmarks, offsets).
#include "console/editor/CodeEditPrivate.h"
#include "console/editor/text/CodeEditHighlighter.h"
#include <climits>

namespace {

// Opening and closing brackets; an even index opens, index ^ 1 is its partner.
constexpr char16_t kBrackets[] = {u'(', u')', u'[', u']', u'{', u'}', u'<', u'>'};

bool IsLeadAt(QStringView text, int index) {
  return index >= 1 && index <= text.size() && text[index - 1].isHighSurrogate();
}

} // namespace

// --- keys and the pipeline

TCodeEditorCommand TCustomCodeEdit::KeyToCommand(quint16 key, TShiftState shift) {
  int found = keystrokes_.FindChordKey(pendingChordKey_, pendingChordShift_, key, shift);
  if (found < 0) found = keystrokes_.FindSingleKey(key, shift);
  const TCodeEditorCommand command = found >= 0 ? keystrokes_.Items(found).Command() : ecNone;
  // A key without a command may be the first of a two-key binding.
  if (command == ecNone && key >= 30 && key <= 145) {
    pendingChordKey_ = key;
    pendingChordShift_ = shift;
  } else {
    pendingChordKey_ = 0;
    pendingChordShift_ = 0;
  }
  return command;
}

int TCustomCodeEdit::AddCommandHook(TCommandHook hook, void* handlerData) {
  commandHooks_.push_back({++lastCommandHookId_, std::move(hook), handlerData});
  return lastCommandHookId_;
}

void TCustomCodeEdit::RemoveCommandHook(int id) {
  std::erase_if(commandHooks_, [id](const CommandHookEntry& e) { return e.id == id; });
}

void TCustomCodeEdit::ProcessCommand(TCodeEditorCommand command, QChar ch, const void* data) {
  FireProcessCommand(command, ch, data);
  if (command != ecNone) {
    RunCommandHooks(false, command, ch, data);
    if (command != ecNone && command < ecUserFirst) RunCommand(command, ch, data);
    if (command != ecNone) RunCommandHooks(true, command, ch, data);
  }
  FireCommandProcessed(command, ch, data);
}

void TCustomCodeEdit::FireProcessCommand(TCodeEditorCommand& command, QChar& ch, const void* data) {
  const TProcessCommandEvent& handler = command >= ecUserFirst ? OnProcessUserCommand : OnProcessCommand;
  if (handler) handler(this, command, ch, data);
}

void TCustomCodeEdit::FireCommandProcessed(TCodeEditorCommand command, QChar ch, const void* data) {
  if (OnCommandProcessed) OnCommandProcessed(this, command, ch, data);
}

void TCustomCodeEdit::RunCommandHooks(bool afterProcessing, TCodeEditorCommand& command, QChar& ch, const void* data) {
  bool handled = false;
  const std::vector<CommandHookEntry> hooks = commandHooks_;
  for (const CommandHookEntry& entry : hooks)
    entry.hook(this, afterProcessing, handled, command, ch, data, entry.data);
  if (handled) command = ecNone;
}

void TCustomCodeEdit::RunCommand(TCodeEditorCommand command, QChar ch, const void* data) {
  TCodeEditPaintLock lock(*this);
  const bool extend = command >= ecSelLeft && command <= ecSelGotoXY;
  const TCodeEditorCommand movement = extend ? TCodeEditorCommand(command - ecSelection) : command;
  const bool writable = !readOnly_;
  switch (movement) {
  case ecLeft:
  case ecRight:
    StepCaretHorizontally(movement == ecLeft ? -1 : 1, extend);
    return;
  case ecUp:
  case ecDown:
    StepCaretVertically(movement == ecUp ? -1 : 1, extend);
    viewport()->update();
    return;
  case ecWordLeft:
    MoveCaretExtending(CaretPos(), PrevWordFromCaret(), extend);
    return;
  case ecWordRight:
    MoveCaretExtending(CaretPos(), NextWordFromCaret(), extend);
    return;
  case ecLineStart:
    GoLineStart(extend);
    return;
  case ecLineEnd:
    GoLineEnd(extend);
    return;
  case ecPageUp:
  case ecPageDown:
    MovePage(movement == ecPageUp ? -1 : 1, extend);
    viewport()->update();
    return;
  case ecPageLeft:
  case ecPageRight:
    StepCaretHorizontally(movement == ecPageLeft ? -visibleColumns_ : visibleColumns_, extend);
    return;
  case ecPageTop:
  case ecPageBottom: {
    const int row = movement == ecPageTop ? topRow_ : topRow_ + visibleRows_ - 1;
    MoveCaretExtending(CaretPos(), ToBufferCoord({CaretColumn(), row}), extend);
    viewport()->update();
    return;
  }
  case ecEditorTop:
    MoveCaretExtending(CaretPos(), {1, 1}, extend);
    viewport()->update();
    return;
  case ecEditorBottom: {
    const int count = lines_->Count();
    const TBufferCoord end =
        count == 0 ? TBufferCoord{1, 1} : TBufferCoord{int(lines_->Get(count - 1).size()) + 1, count};
    MoveCaretExtending(CaretPos(), end, extend);
    viewport()->update();
    return;
  }
  case ecGotoXY:
    if (data) {
      MoveCaretExtending(CaretPos(), *static_cast<const TBufferCoord*>(data), extend);
      viewport()->update();
    }
    return;
  default:
    break;
  }
  switch (command) {
  case ecSelWord:
    SelectWordAtCaret();
    break;
  case ecSelectAll:
    SelectAllText();
    break;
  case ecScrollUp:
  case ecScrollDown:
    ScrollOneRow(command == ecScrollUp ? -1 : 1);
    break;
  case ecScrollLeft:
  case ecScrollRight:
    ScrollToColumn(leftColumn_ + (command == ecScrollLeft ? -1 : 1));
    viewport()->update();
    break;
  case ecInsertMode:
  case ecOverwriteMode:
  case ecToggleMode:
    SetInsertMode(command == ecInsertMode || (command == ecToggleMode && !insertMode_));
    break;
  case ecNormalSelect:
    SetSelectionMode(smNormal);
    break;
  case ecColumnSelect:
    SetSelectionMode(smColumn);
    break;
  case ecLineSelect:
    SetSelectionMode(smLine);
    break;
  case ecMatchBracket:
    JumpToMatchingBracket();
    break;
  case ecCopy:
    CopySelection();
    break;
  case ecCut:
    if (writable && HasSelection()) CutSelection();
    break;
  case ecPaste:
    if (writable) PasteClipboard();
    break;
  case ecContextHelp:
    if (OnContextHelp) OnContextHelp(this, WordAtCaret());
    break;
  case ecChar:
    if (writable) TypeChar(ch);
    break;
  case ecImeStr:
    if (writable && data) InsertImeString(*static_cast<const QString*>(data));
    break;
  case ecDeleteLastChar:
    if (writable) DeleteLastChar();
    break;
  case ecDeleteChar:
    if (writable) DeleteChar();
    break;
  case ecDeleteWord:
  case ecDeleteEOL:
    if (writable) DeleteWordOrLineEnd(command);
    break;
  case ecDeleteLastWord:
  case ecDeleteBOL:
    if (writable) DeleteLastWordOrLineStart(command);
    break;
  case ecDeleteLine:
    if (writable) DeleteLine();
    break;
  case ecClearAll:
    if (writable) ClearAllText();
    break;
  case ecLineBreak:
  case ecInsertLine:
    if (writable) LineBreak(command == ecLineBreak);
    break;
  case ecUndo:
    if (writable) Undo();
    break;
  case ecRedo:
    if (writable) Redo();
    break;
  case ecTab:
    if (writable) InsertTab();
    break;
  case ecShiftTab:
    if (writable) RemoveTab();
    break;
  case ecBlockIndent:
    if (writable) IndentBlock();
    break;
  case ecBlockUnindent:
    if (writable) UnindentBlock();
    break;
  case ecUpperCase:
  case ecLowerCase:
  case ecToggleCase:
  case ecTitleCase:
  case ecUpperCaseBlock:
  case ecLowerCaseBlock:
  case ecToggleCaseBlock:
    if (writable) ChangeCase(command);
    break;
  default:
    if (command >= ecGotoMarker0 && command <= ecGotoMarker9 && bookMarkOptions_.EnableKeys())
      GotoBookmark(command - ecGotoMarker0);
    else if (command >= ecSetMarker0 && command <= ecSetMarker9 && bookMarkOptions_.EnableKeys())
      ToggleBookmark(command - ecSetMarker0, data);
    break;
  }
}

// --- caret moves

void TCustomCodeEdit::MoveCaretExtending(const TBufferCoord& from, const TBufferCoord& to, bool extend) {
  // Typing before and after a move is undone separately.
  if (HasOption(eoGroupUndo) && activeUndoList_->HasItems()) activeUndoList_->AppendGroupBreak();
  TCodeEditPaintLock lock(*this);
  if (extend) {
    if (!HasSelection()) SetSelectionAnchor(from);
    SetSelectionActiveEnd(to);
  } else {
    SetSelectionAnchor(to);
  }
  MoveCaretTo(to);
}

void TCustomCodeEdit::StepCaretHorizontally(int delta, bool extend) {
  if (wrapPlugin_) {
    // The caret shown at a row's end and at the next row's start is one position.
    if (delta > 0 && caretAtRowEnd_) {
      caretAtRowEnd_ = false;
      SetStateFlag(esCaretPending, true);
      UpdateCaretPosition();
      return;
    }
    if (delta < 0 && !caretAtRowEnd_ && caretChar_ > 1 && CaretColumn() == 1) {
      caretAtRowEnd_ = true;
      const TScreenCoord shown = CaretScreenPos();
      if (shown.Column > visibleColumns_ + 1) MoveCaretToScreenCoord({visibleColumns_ + 1, shown.Row});
      SetStateFlag(esCaretPending, true);
      UpdateCaretPosition();
      return;
    }
  }
  const QString text = CaretLineText();
  const int length = int(text.size());
  const bool wrapAtLineEnds = !HasOption(eoScrollPastEol);
  TBufferCoord target = CaretPos();
  if (wrapAtLineEnds && delta == -1 && caretChar_ == 1 && caretLine_ > 1) {
    target = {int(lines_->Get(caretLine_ - 2).size()) + 1, caretLine_ - 1};
  } else if (wrapAtLineEnds && delta == 1 && caretChar_ > length && caretLine_ < lines_->Count()) {
    target = {1, caretLine_ + 1};
  } else {
    target.Char = qMax(1, caretChar_ + delta);
    if (wrapAtLineEnds && delta > 0) target.Char = qMin(target.Char, length + 1);
    if (target.Char > 1 && target.Char <= length && IsTrailByte(text, target.Char)) target.Char += delta > 0 ? 1 : -1;
  }
  MoveCaretExtending(CaretPos(), target, extend);
  if (wrapPlugin_ && delta > 0) {
    const TScreenCoord at = ToScreenCoord(CaretPos());
    if (caretChar_ <= length && at.Column == 1 && at.Row != RowOfLine(caretLine_)) {
      caretAtRowEnd_ = true;
      RememberCaretColumn();
      SetStateFlag(esCaretPending, true);
      UpdateCaretPosition();
    } else if (at.Column > visibleColumns_ + 1) {
      MoveCaretToScreenCoord({1, at.Row + 1});
    }
  }
}

void TCustomCodeEdit::StepCaretVertically(int delta, bool extend) {
  const TScreenCoord from = CaretScreenPos();
  int row = from.Row + delta;
  if (delta > 0 && LineOfRow(row) > lines_->Count()) row = qMax(1, RowCount());
  if (row < 1) row = 1;
  const bool rowChanged = row != from.Row;
  const int column = rowChanged && HasOption(eoKeepCaretX) ? preferredColumn_ : from.Column;
  TBufferCoord target = ToBufferCoord({column, row});
  bool trailAdjusted = caretTrailAdjusted_;
  if (rowChanged) {
    if (caretTrailAdjusted_ && !HasOption(eoKeepCaretX)) ++target.Char;
    trailAdjusted = IsTrailByte(lines_->Get(target.Line - 1), target.Char);
    if (trailAdjusted) --target.Char;
  }
  const int preferred = preferredColumn_;
  {
    TCodeEditPaintLock lock(*this);
    MoveCaretExtending(CaretPos(), target, extend);
    if (wrapPlugin_) caretAtRowEnd_ = ToScreenCoord(CaretPos()).Column == 1 && ToScreenCoord(CaretPos()).Row != row;
  }
  caretTrailAdjusted_ = trailAdjusted;
  preferredColumn_ = preferred;
}

void TCustomCodeEdit::MovePage(int direction, bool extend) {
  int rows = visibleRows_;
  if (HasOption(eoHalfPageScroll)) rows /= 2;
  if (HasOption(eoScrollByOneLess)) --rows;
  rows *= direction;
  ScrollToRow(topRow_ + rows);
  StepCaretVertically(rows, extend);
}

void TCustomCodeEdit::ScrollOneRow(int direction) {
  const int row = CaretRow();
  if (row < topRow_ || row >= topRow_ + visibleRows_) {
    EnsureCaretVisible();
    return;
  }
  ScrollToRow(topRow_ + direction);
  const int lastVisible = topRow_ + visibleRows_ - 1;
  if (direction < 0 && row > lastVisible)
    StepCaretVertically(lastVisible - row, false);
  else if (direction > 0 && row < topRow_)
    StepCaretVertically(topRow_ - row, false);
  EnsureCaretVisible();
  viewport()->repaint();
}

bool TCustomCodeEdit::CaretOnFirstRow() const { return !wrapPlugin_ || CaretScreenPos().Row == RowOfLine(caretLine_); }

bool TCustomCodeEdit::CaretOnLastRow() const {
  return !wrapPlugin_ || CaretScreenPos().Row == RowOfLine(caretLine_ + 1) - 1;
}

// Moves to a display position of the caret's row, extending or not, and
// tells whether the caret stands at the end of that row.
void TCustomCodeEdit::MoveToScreenRowColumn(const TScreenCoord& position, bool extend) {
  TCodeEditPaintLock lock(*this);
  MoveCaretExtending(CaretPos(), ToBufferCoord(position), extend);
  caretAtRowEnd_ = position.Row <= wrapPlugin_->RowCount() && position.Column > wrapPlugin_->RowLength(position.Row) &&
                   ToScreenCoord(CaretPos()).Row != position.Row;
  RememberCaretColumn();
}

void TCustomCodeEdit::GoLineStart(bool extend) {
  const QString text = CaretLineText();
  int target = 1;
  if (HasOption(eoEnhanceHomeKey) && CaretOnFirstRow()) {
    int limit = int(text.size());
    if (wrapPlugin_) {
      const TScreenCoord caret = CaretScreenPos();
      limit = qMin(limit, ToBufferCoord({wrapPlugin_->RowLength(caret.Row) + 1, caret.Row}).Char - 1);
    }
    int blanks = 0;
    while (blanks < limit && IsBlankChar(text[blanks]))
      ++blanks;
    target = caretChar_ - 1 > blanks || caretChar_ == 1 ? blanks + 1 : 1;
  }
  if (!wrapPlugin_) {
    MoveCaretExtending(CaretPos(), {target, caretLine_}, extend);
    return;
  }
  MoveToScreenRowColumn({ToScreenCoord({target, caretLine_}).Column, CaretRow()}, extend);
}

void TCustomCodeEdit::GoLineEnd(bool extend) {
  const QString text = CaretLineText();
  const int length = int(text.size());
  int target = length + 1;
  const bool enhanced = HasOption(eoEnhanceEndKey) && CaretOnLastRow();
  if (enhanced) {
    const int rowStart = wrapPlugin_ ? ToBufferCoord({1, CaretRow()}).Char - 1 : 0;
    int end = length;
    while (end > rowStart && IsBlankChar(text[end - 1]))
      --end;
    target = caretChar_ - 1 == end ? length + 1 : end + 1;
  }
  if (!wrapPlugin_) {
    MoveCaretExtending(CaretPos(), {target, caretLine_}, extend);
    return;
  }
  const int row = CaretRow();
  int column = enhanced ? ToScreenCoord({target, caretLine_}).Column : wrapPlugin_->RowLength(row) + 1;
  column = qMin(column, visibleColumns_ + 1);
  MoveToScreenRowColumn({column, row}, extend);
}

// --- words

void TCustomCodeEdit::WordCharSets(TCodeCharSet& identifier, TCodeCharSet& white) const {
  identifier = highlighter_
                   ? highlighter_->IdentifierChars() - highlighter_->WordBreakSet()
                   : TCodeCustomHighlighter::DefaultIdentifierChars() - TCodeCustomHighlighter::DefaultWordBreakChars();
  white = identifier.Complement();
}

TBufferCoord TCustomCodeEdit::FindNextWord(const TBufferCoord& position) const {
  if (position.Line < 1 || position.Line > lines_->Count()) return position;
  TCodeCharSet ident, white;
  WordCharSets(ident, white);
  QString text = lines_->Get(position.Line - 1);
  int x = position.Char;
  int line = position.Line;
  if (x >= text.size()) {
    if (line == lines_->Count()) return position;
    text = lines_->Get(line++);
    x = ScanForCharInSet(text, 1, ident);
    const int lead = ScanForLeadByte(text, 1);
    if (lead > 0 && (x == 0 || lead < x)) x = lead;
    return {x == 0 ? 1 : x, line};
  }
  const int lead = ScanForLeadByte(text, x + 1);
  if (x >= 1 && !IsLeadAt(text, x) && ident.Contains(text[x - 1])) x = ScanForCharInSet(text, x, white);
  if (x > 0) x = ScanForCharInSet(text, x, ident);
  if (lead > 0 && (x == 0 || lead < x)) x = lead;
  if (x == 0) x = int(text.size()) + 1;
  return {x, line};
}

TBufferCoord TCustomCodeEdit::FindPrevWord(const TBufferCoord& position) const {
  if (position.Line < 1 || position.Line > lines_->Count()) return position;
  TCodeCharSet ident, white;
  WordCharSets(ident, white);
  const QString text = lines_->Get(position.Line - 1);
  const auto endOfPreviousLine = [&]() -> TBufferCoord {
    return {int(lines_->Get(position.Line - 2).size()) + 1, position.Line - 1};
  };
  int x = qMin(position.Char, int(text.size()) + 1);
  if (x <= 1) return position.Line > 1 ? endOfPreviousLine() : TBufferCoord{1, 1};
  const int lead = ScanBackForLeadByte(text, x - 1);
  if (!IsLeadAt(text, x - 1) && white.Contains(text[x - 2])) x = ScanBackForCharInSet(text, x - 1, ident);
  if (x > 0) x = ScanBackForCharInSet(text, x - 1, white) + 1;
  if (lead > 0 && (x == 0 || x < lead)) x = lead;
  if (x == 0) return position.Line == 1 ? TBufferCoord{1, 1} : endOfPreviousLine();
  return {x, position.Line};
}

TBufferCoord TCustomCodeEdit::FindWordBegin(const TBufferCoord& position) const {
  if (position.Line < 1 || position.Line > lines_->Count()) return position;
  TCodeCharSet ident, white;
  WordCharSets(ident, white);
  const QString text = lines_->Get(position.Line - 1);
  int x = qMin(position.Char, int(text.size()) + 1);
  if (x > 1 && !white.Contains(text[x - 2])) x = ScanBackForCharInSet(text, x - 1, white) + 1;
  return {x, position.Line};
}

TBufferCoord TCustomCodeEdit::FindWordEnd(const TBufferCoord& position) const {
  if (position.Line < 1 || position.Line > lines_->Count()) return position;
  TCodeCharSet ident, white;
  WordCharSets(ident, white);
  const QString text = lines_->Get(position.Line - 1);
  const int x = ScanForCharInSet(text, position.Char, white);
  return {x == 0 ? int(text.size()) + 1 : x, position.Line};
}

QString TCustomCodeEdit::WordAt(const TBufferCoord& position) const {
  const TBufferCoord begin = FindWordBegin(position), end = FindWordEnd(position);
  if (begin.Line != end.Line || begin.Char >= end.Char || begin.Line < 1 || begin.Line > lines_->Count()) return {};
  return lines_->Get(begin.Line - 1).mid(begin.Char - 1, end.Char - begin.Char);
}

void TCustomCodeEdit::SelectWordAt(const TBufferCoord& position) {
  if (lines_->Count() == 0) return;
  TBufferCoord p = position;
  p.Char = qMax(1, p.Char);
  if (HasOption(eoScrollPastEol) && !wrapPlugin_) p.Char = qMin(p.Char, maxScrollWidth_ + 1);
  p.Line = qMax(1, qMin(p.Line, lines_->Count()));
  const int lineEnd = int(lines_->Get(p.Line - 1).size()) + 1;
  if (p.Char > lineEnd) {
    MoveCaretCollapsing({lineEnd, p.Line});
    return;
  }
  const TBufferCoord begin = FindWordBegin(p), end = FindWordEnd(p);
  if (begin.Line == end.Line && begin.Char < end.Char) PlaceCaretAndSelection(end, begin, end);
}

void TCustomCodeEdit::SelectAllText() {
  const int count = lines_->Count();
  const TBufferCoord last =
      count == 0 ? TBufferCoord{1, 1} : TBufferCoord{int(lines_->Get(count - 1).size()) + 1, count};
  PlaceCaretAndSelection(last, {1, 1}, last);
  NotifyStatusChange(stcSelection);
}

// --- brackets

bool TCustomCodeEdit::HighlighterTokenAt(const TBufferCoord& position, QString& token,
                                         TCodeHighlighterAttributes*& attribute) {
  token.clear();
  attribute = nullptr;
  if (!highlighter_ || position.Line < 1 || position.Line > lines_->Count()) return false;
  if (position.Line == 1)
    highlighter_->ClearRange();
  else
    highlighter_->RestoreRange(int(lines_->GetLineRange(position.Line - 2)));
  highlighter_->StartLine(lines_->Get(position.Line - 1), position.Line - 1);
  for (; !highlighter_->AtLineEnd(); highlighter_->NextToken()) {
    const int start = highlighter_->TokenStart();
    const QString text = highlighter_->TokenText();
    if (position.Char >= start + 1 && position.Char <= start + text.size()) {
      token = text;
      attribute = highlighter_->TokenAttribute();
      return true;
    }
  }
  return false;
}

bool TCustomCodeEdit::IgnoredByBracketSearch(const TBufferCoord& position) {
  QString token;
  TCodeHighlighterAttributes* attribute = nullptr;
  if (!HighlighterTokenAt(position, token, attribute) || !attribute) return false;
  return attribute == highlighter_->DefaultAttribute(TCodeCustomHighlighter::drComment) ||
         attribute == highlighter_->DefaultAttribute(TCodeCustomHighlighter::drString);
}

TBufferCoord TCustomCodeEdit::MatchingBracketAt(const TBufferCoord& position) {
  if (position.Line < 1 || position.Line > lines_->Count()) return {0, 0};
  QString text = lines_->Get(position.Line - 1);
  if (position.Char < 1 || position.Char > text.size()) return {0, 0};
  const QChar bracket = text[position.Char - 1];
  const auto found = std::find(std::begin(kBrackets), std::end(kBrackets), bracket.unicode());
  if (found == std::end(kBrackets)) return {0, 0};
  const int index = int(found - std::begin(kBrackets));
  const QChar partner(kBrackets[index ^ 1]);
  const int step = index % 2 == 0 ? 1 : -1;
  int depth = 1;
  int line = position.Line;
  int x = position.Char;
  for (;;) {
    x += step;
    while (x < 1 || x > text.size()) {
      line += step;
      if (line < 1 || line > lines_->Count()) return {0, 0};
      text = lines_->Get(line - 1);
      x = step > 0 ? 1 : int(text.size());
    }
    const QChar c = text[x - 1];
    if ((c != bracket && c != partner) || IgnoredByBracketSearch({x, line})) continue;
    depth += c == bracket ? 1 : -1;
    if (depth == 0) return {x, line};
  }
}

void TCustomCodeEdit::JumpToMatchingBracket() {
  const TBufferCoord match = MatchingBracket();
  if (match.Char > 0) MoveCaretTo(match);
}

// --- bookmarks

void TCustomCodeEdit::FirePlaceBookmark(TCodeEditMark*& mark) {
  if (OnPlaceBookmark) OnPlaceBookmark(this, mark);
}

void TCustomCodeEdit::FireClearBookmark(TCodeEditMark*& mark) {
  if (OnClearBookmark) OnClearBookmark(this, mark);
}

void TCustomCodeEdit::SetBookmark(int number, int charIndex, int line) {
  if (number < 0 || number > 9 || line < 1 || line > qMax(1, lines_->Count())) return;
  auto* mark = new TCodeEditMark;
  mark->SetLine(line);
  mark->SetColumn(charIndex);
  mark->SetImageIndex(number);
  mark->SetBookmarkSlot(number);
  mark->SetVisible(true);
  mark->SetUseBuiltInImage(bookMarkOptions_.BookmarkImages() == nullptr);
  TCodeEditMark* placed = mark;
  FirePlaceBookmark(placed);
  if (placed != mark) delete mark;
  if (!placed) return;
  if (bookmarks_[number]) ClearBookmark(number);
  bookmarks_[number] = placed;
  marks_.Add(placed);
}

void TCustomCodeEdit::ClearBookmark(int number) {
  if (number < 0 || number > 9 || !bookmarks_[number]) return;
  TCodeEditMark* mark = bookmarks_[number];
  FireClearBookmark(mark);
  marks_.Remove(bookmarks_[number]);
  bookmarks_[number] = nullptr;
}

void TCustomCodeEdit::GotoBookmark(int number) {
  const TCodeEditMark* mark = Bookmark(number);
  if (!mark || mark->Line() > lines_->Count()) return;
  TCodeEditPaintLock lock(*this);
  MoveCaretEx(false, {mark->Column(), mark->Line()});
  EnsureCaretVisibleEx(true);
  if (HasSelection()) InvalidateSelectionLines();
  selectionAnchor_ = selectionActiveEnd_ = CaretPos();
  NotifyStatusChange(stcSelection);
}

// The same number on the bookmark's own line removes it; on another line it
// moves it there.
void TCustomCodeEdit::ToggleBookmark(int number, const void* data) {
  const TBufferCoord at = data ? *static_cast<const TBufferCoord*>(data) : CaretPos();
  if (const TCodeEditMark* mark = Bookmark(number)) {
    const int oldLine = mark->Line();
    ClearBookmark(number);
    if (oldLine != at.Line) SetBookmark(number, at.Char, at.Line);
  } else {
    SetBookmark(number, at.Char, at.Line);
  }
}

// --- offsets in the text as one string

int TCustomCodeEdit::BufferCoordToCharIndex(const TBufferCoord& position) const {
  const int line = qMin(position.Line, lines_->Count());
  int offset = 0;
  for (int i = 0; i < line - 1; ++i)
    offset += int(lines_->Get(i).size()) + 2;
  return offset + position.Char - 1;
}

TBufferCoord TCustomCodeEdit::CharIndexToBufferCoord(int offset) const {
  int start = 0;
  for (int line = 1; line <= lines_->Count(); ++line) {
    const int end = start + int(lines_->Get(line - 1).size()) + 2;
    if (end > offset) return {offset - start + 1, line};
    start = end;
  }
  return {1, lines_->Count() + 1};
}

int TCustomCodeEdit::SelectionStartOffset() const {
  return BufferCoordToCharIndex(HasSelection() ? SelectionFirst() : CaretPos());
}

int TCustomCodeEdit::SelectionEndOffset() const {
  return BufferCoordToCharIndex(HasSelection() ? SelectionLast() : CaretPos());
}

void TCustomCodeEdit::SetSelectionStartOffset(int offset) {
  const TBufferCoord position = CharIndexToBufferCoord(offset);
  TCodeEditPaintLock lock(*this);
  MoveCaretTo(position);
  SetSelectionAnchor(position);
}

void TCustomCodeEdit::SetSelectionEndOffset(int offset) { SetSelectionActiveEnd(CharIndexToBufferCoord(offset)); }

void TCustomCodeEdit::SetSelectionLength(int length) {
  const TBufferCoord first = SelectionFirst();
  const int offset = BufferCoordToCharIndex(first);
  if (length >= 0) {
    const TBufferCoord end = CharIndexToBufferCoord(offset + length);
    PlaceCaretAndSelection(end, first, end);
  } else if (offset + length >= 0) {
    const TBufferCoord start = CharIndexToBufferCoord(offset + length);
    PlaceCaretAndSelection(start, start, first);
  } else {
    const int count = lines_->Count();
    const TBufferCoord end{count == 0 ? 1 : int(lines_->Get(count - 1).size()) + 1, qMax(1, count)};
    PlaceCaretAndSelection(end, first, end);
  }
}
