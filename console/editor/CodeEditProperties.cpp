// Property changes and the handlers of the owned objects' change notices.
#include "console/editor/CodeEditActions.h"
#include "console/editor/CodeEditPrivate.h"
#include "console/editor/CodeEditSearchCustom.h"
#include "console/editor/CodeTextDrawer.h"
#include "console/editor/text/CodeEditHighlighter.h"

void TCustomCodeEdit::ShowBorder() {
  setFrameStyle(borderStyle_ == bsSingle ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
}

void TCustomCodeEdit::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  ShowBorder();
}

void TCustomCodeEdit::SetHighlighter(TCodeCustomHighlighter* highlighter) {
  if (highlighter == highlighter_) return;
  if (highlighter_) {
    highlighter_->UnhookChange(this);
    disconnect(highlighter_, &QObject::destroyed, this, nullptr);
  }
  highlighter_ = highlighter;
  if (highlighter) {
    highlighter->HookChange(this, [this](QObject* sender) { HighlighterChanged(sender); });
    connect(highlighter, &QObject::destroyed, this, [this] {
      highlighter_ = nullptr;
      HighlighterChanged(nullptr);
    });
  }
  HighlighterChanged(highlighter);
}

void TCustomCodeEdit::HighlighterChanged(QObject* sender) {
  MeasureCharCell();
  if (highlighter_ && sender == highlighter_) {
    lines_->BeginUpdate();
    try {
      RescanAllRanges();
    } catch (...) {
      lines_->EndUpdate();
      throw;
    }
    lines_->EndUpdate();
  } else {
    viewport()->update();
  }
  RecomputeViewSize(true);
}

void TCustomCodeEdit::GutterSettingsChanged() {
  if (gutter_.ShowLineNumbers() && gutter_.AutoSize()) gutter_.FitDigitsToLineCount(lines_->Count());
  int charWidth = charCellWidth_;
  if (gutter_.UseFontStyle()) {
    textDrawer_->SetBaseFont(gutter_.Font());
    charWidth = textDrawer_->CharWidth();
    textDrawer_->SetBaseFont(font());
  }
  const int width = gutter_.PixelWidth(charWidth);
  if (width == gutterPixelWidth_)
    InvalidateGutterRange(-1, -1);
  else
    SetGutterPixelWidth(width);
}

void TCustomCodeEdit::SetKeystrokes(const TCodeEditKeyStrokes* keystrokes) {
  if (keystrokes)
    keystrokes_.Assign(*keystrokes);
  else
    keystrokes_.Clear();
}

void TCustomCodeEdit::SetOptions(TCodeEditorOptions options) {
  if (options == options_) return;
  const TCodeEditorOptions old = options_;
  if (!(old & Opt(eoScrollPastEol))) ScrollToColumn(leftColumn_);
  if (!(old & Opt(eoScrollPastEof))) ScrollToRow(topRow_);
  const TCodeEditorOptions barOptions =
      Opt(eoDisableScrollArrows) | Opt(eoHideShowScrollbars) | Opt(eoScrollPastEof) | Opt(eoScrollPastEol);
  const bool scrollBarsChanged = (old ^ options) & barOptions;
  options_ = options;
  MoveCaretTo(CaretPos());
  if (HasOption(eoScrollPastEol)) {
    const TBufferCoord first = SelectionFirst(), last = SelectionLast();
    SetSelectionAnchor(first);
    SetSelectionActiveEnd(last);
  }
  ApplyDropAcceptance();
  if (HasOption(eoShowSpecialChars) != specialCharsVisible_) {
    specialCharsVisible_ = HasOption(eoShowSpecialChars);
    viewport()->update();
  }
  if (scrollBarsChanged) UpdateScrollBarState();
}

void TCustomCodeEdit::ApplyDropAcceptance() {
  const bool accept = HasOption(eoDropFiles) || HasOption(eoDragDropEditing);
  viewport()->setAcceptDrops(accept);
}

void TCustomCodeEdit::SetWordWrap(bool value) {
  if (value == WordWrap()) return;
  viewport()->update();
  const bool caretShown = CaretIsVisible();
  const int topLine = LineOfRow(topRow_);
  if (value) {
    wrapPlugin_ = std::make_shared<TCodeWordWrapPlugin>(this);
    ScrollToColumn(1);
  } else {
    wrapPlugin_.reset();
  }
  ScrollToRow(RowOfLine(topLine));
  UpdateScrollBarState();
  if (HasOption(eoScrollPastEol)) {
    MoveCaretTo(CaretPos());
    const TBufferCoord first = SelectionFirst(), last = SelectionLast();
    SetSelectionAnchor(first);
    SetSelectionActiveEnd(last);
  }
  if (caretShown) EnsureCaretVisible();
}

void TCustomCodeEdit::SetTabWidth(int width) {
  width = qBound(1, width, 256);
  if (width == tabWidth_) return;
  tabWidth_ = width;
  lines_->SetTabWidth(width);
  viewport()->update();
  if (wrapPlugin_) {
    wrapPlugin_->Rebuild();
    InvalidateGutterRange(-1, -1);
  }
}

void TCustomCodeEdit::SetRightEdge(int column) {
  if (column == rightEdge_) return;
  rightEdge_ = column;
  viewport()->update();
}

void TCustomCodeEdit::SetRightEdgeColor(TColor color) {
  if (color == rightEdgeColor_) return;
  rightEdgeColor_ = color;
  const int x = TextOriginX() + rightEdge_ * charCellWidth_;
  InvalidatePixels(QRect(x - 1, 0, 3, viewport()->height()));
}

void TCustomCodeEdit::SetActiveLineColor(TColor color) {
  if (color == activeLineColor_) return;
  activeLineColor_ = color;
  InvalidateOneLine(caretLine_);
}

void TCustomCodeEdit::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  viewport()->update();
}

void TCustomCodeEdit::SetExtraLineSpacing(int pixels) {
  extraLineSpacing_ = pixels;
  ApplyFontChange();
}

void TCustomCodeEdit::SetHideSelection(bool value) {
  if (value == hideSelection_) return;
  hideSelection_ = value;
  InvalidateSelectionLines();
}

void TCustomCodeEdit::SetInsertMode(bool value) {
  if (value == insertMode_) return;
  insertMode_ = value;
  CreateEditorCaret();
  NotifyStatusChange(stcInsertMode);
}

void TCustomCodeEdit::SetInsertCaret(TCodeEditCaretType type) {
  if (type == insertCaret_) return;
  insertCaret_ = type;
  CreateEditorCaret();
}

void TCustomCodeEdit::SetOverwriteCaret(TCodeEditCaretType type) {
  if (type == overwriteCaret_) return;
  overwriteCaret_ = type;
  CreateEditorCaret();
}

void TCustomCodeEdit::SetMaxScrollWidth(int width) {
  width = qBound(1, width, 2147483646);
  if (width == maxScrollWidth_) return;
  maxScrollWidth_ = width;
  if (HasOption(eoScrollPastEol)) UpdateScrollBarState();
}

void TCustomCodeEdit::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  NotifyStatusChange(stcReadOnly);
}

void TCustomCodeEdit::SetScrollBars(TScrollStyle style) {
  if (style == scrollBars_) return;
  scrollBars_ = style;
  UpdateScrollBarState();
  viewport()->update();
}

void TCustomCodeEdit::SetSelectionMode(TCodeSelectionMode mode) {
  if (mode == selectionMode_) return;
  selectionMode_ = mode;
  SetCurrentSelectionMode(mode);
}

void TCustomCodeEdit::SetSearchEngine(TCodeEditSearchCustom* engine) { searchEngine_ = engine; }

TCodeCharSet TCustomCodeEdit::EditorIdentifierChars() const {
  return highlighter_ ? highlighter_->IdentifierChars() : TCodeCustomHighlighter::DefaultIdentifierChars();
}

// --- the standard edit actions

bool TCustomCodeEdit::ExecuteAction(TEditAction& action) {
  switch (action.Kind()) {
  case TEditActionKind::Cut:
    if (!readOnly_ && HasSelection()) CutSelection();
    break;
  case TEditActionKind::Copy:
    CopySelection();
    break;
  case TEditActionKind::Paste:
    PasteClipboard();
    break;
  case TEditActionKind::Delete:
    if (!readOnly_) DeleteSelection();
    break;
  case TEditActionKind::Undo:
    Undo();
    break;
  case TEditActionKind::SelectAll:
    SelectAllText();
    break;
  }
  return true;
}

bool TCustomCodeEdit::UpdateAction(TEditAction& action) {
  if (!hasFocus()) return false;
  switch (action.Kind()) {
  case TEditActionKind::Cut:
  case TEditActionKind::Copy:
  case TEditActionKind::Delete:
    action.setEnabled(HasSelection());
    break;
  case TEditActionKind::Paste:
    action.setEnabled(CanPaste());
    break;
  case TEditActionKind::Undo:
    action.setEnabled(CanUndo());
    break;
  case TEditActionKind::SelectAll:
    action.setEnabled(true);
    break;
  }
  return true;
}
