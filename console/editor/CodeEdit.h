#pragma once
#include "console/editor/CodeEditBookMarkOpt.h"
#include "console/editor/CodeEditGlyph.h"
#include "console/editor/CodeEditGutter.h"
#include "console/editor/CodeEditMark.h"
#include "console/editor/CodeEditSearchCustom.h"
#include "console/editor/CodeEditSelectedColor.h"
#include "console/editor/CodeEditTypes.h"
#include "console/editor/text/CodeEditFontStyle.h"
#include "console/editor/text/CodeEditHighlighter.h"
#include "console/editor/text/CodeEditKbdHandler.h"
#include "console/editor/text/CodeEditKeyCmds.h"
#include "console/editor/text/CodeEditStringList.h"
#include "console/editor/text/CodeEditUndoList.h"
#include "console/editor/text/CodeEditWordWrap.h"
#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtWidgets/QAbstractScrollArea>
#include <array>
#include <memory>

class TCodeInternalImage;
class TEditAction;
class TheTextDrawer;
class QMimeData;
class QPainter;

// The custom-drawn multi-line editor of the service console. It keeps no text
// of its own: it shows and edits its line buffer, colours it through an
// optional highlighter, draws every character in a fixed cell through its text
// drawer, maps keys to commands through its key bindings and can wrap long
// lines. Positions are buffer positions (character, line) and display
// positions (column, row), both 1-based. Caret, scroll-bar and status work
// asked for inside a paint lock is done once, when the outermost lock ends.
class TCustomCodeEdit : public QAbstractScrollArea, public ICodeWordWrapHost {
  Q_OBJECT
public:
  explicit TCustomCodeEdit(QWidget* parent = nullptr);
  ~TCustomCodeEdit() override;

  // --- text
  TCodeEditStringList& Lines() const override { return *lines_; }
  // Copies the lines into the buffer.
  void SetLines(const QStringList& lines);
  QString Text() const;
  void SetText(const QString& text);
  // The caret's line ("" outside the text); writing replaces it.
  QString CaretLineText() const;
  void SetCaretLineText(const QString& text);

  // --- settings
  TCodeCustomHighlighter* Highlighter() const { return highlighter_; }
  void SetHighlighter(TCodeCustomHighlighter* highlighter);
  TCodeGutter& Gutter() { return gutter_; }
  // Copies the settings (the gutter's change handling follows).
  void SetGutter(const TCodeGutter& gutter) { gutter_.Assign(gutter); }
  TCodeSelectedColor& SelectedColor() { return selectedColor_; }
  TCodeBookMarkOpt& BookMarkOptions() { return bookMarkOptions_; }
  TCodeGlyph& WordWrapGlyph() { return wordWrapGlyph_; }
  void SetWordWrapGlyph(const TCodeGlyph& glyph) { wordWrapGlyph_.Assign(glyph); }
  TCodeEditMarkList& Marks() { return marks_; }
  TCodeEditKeyStrokes& Keystrokes() { return keystrokes_; }
  void SetKeystrokes(const TCodeEditKeyStrokes* keystrokes);
  TCodeEditKbdHandler& KeyboardHandler() { return keyboardHandler_; }
  TCodeEditorOptions Options() const { return options_; }
  bool HasOption(TCodeEditorOption option) const { return options_ & Opt(option); }
  void SetOptions(TCodeEditorOptions options);
  // The control's font: a proportional font is replaced by a fixed-pitch one.
  QFont Font() const { return font(); }
  void SetFont(const QFont& font);
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor color);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TColor ActiveLineColor() const { return activeLineColor_; }
  void SetActiveLineColor(TColor color);
  int ExtraLineSpacing() const { return extraLineSpacing_; }
  void SetExtraLineSpacing(int pixels);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value);
  bool InsertMode() const { return insertMode_; }
  void SetInsertMode(bool value);
  TCodeEditCaretType InsertCaret() const { return insertCaret_; }
  TCodeEditCaretType OverwriteCaret() const { return overwriteCaret_; }
  void SetInsertCaret(TCodeEditCaretType type);
  void SetOverwriteCaret(TCodeEditCaretType type);
  int MaxScrollWidth() const { return maxScrollWidth_; }
  void SetMaxScrollWidth(int width);
  int MaxUndo() const { return activeUndoList_->MaxItems(); }
  void SetMaxUndo(int items);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  int RightEdge() const { return rightEdge_; }
  void SetRightEdge(int column);
  TColor RightEdgeColor() const { return rightEdgeColor_; }
  void SetRightEdgeColor(TColor color);
  TColor ScrollHintColor() const { return scrollHintColor_; }
  void SetScrollHintColor(TColor color) { scrollHintColor_ = color; }
  TScrollHintFormat ScrollHintFormat() const { return scrollHintFormat_; }
  void SetScrollHintFormat(TScrollHintFormat format) { scrollHintFormat_ = format; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle style);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  TCodeSelectionMode SelectionMode() const { return selectionMode_; }
  void SetSelectionMode(TCodeSelectionMode mode);
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int width);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value) { wantReturns_ = value; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool value) { wantTabs_ = value; }
  bool WordWrap() const { return wrapPlugin_ != nullptr; }
  void SetWordWrap(bool value);
  TCodeEditSearchCustom* SearchEngine() const { return searchEngine_; }
  void SetSearchEngine(TCodeEditSearchCustom* engine);

  // --- state
  TBufferCoord CaretPos() const { return {caretChar_, caretLine_}; }
  int CaretChar() const { return caretChar_; }
  int CaretLine() const { return caretLine_; }
  int PreferredColumn() const { return preferredColumn_; }
  int TopRow() const { return topRow_; }
  int LeftColumn() const { return leftColumn_; }
  int VisibleRows() const { return visibleRows_; }
  int VisibleColumns() const override { return visibleColumns_; }
  int CharCellWidth() const { return charCellWidth_; }
  int RowHeight() const { return rowHeight_; }
  // Where column 1 lies: past the gutter, less the columns scrolled out of view.
  int TextOriginX() const { return gutterPixelWidth_ + 2 - (leftColumn_ - 1) * charCellWidth_; }
  int GutterPixelWidth() const { return gutterPixelWidth_; }
  TBufferCoord SelectionAnchor() const { return selectionAnchor_; }
  TBufferCoord SelectionActiveEnd() const { return selectionActiveEnd_; }
  TCodeSelectionMode CurrentSelectionMode() const { return currentSelectionMode_; }
  bool Modified() const { return modified_; }
  void SetModified(bool value);
  bool StateFlag(TCodeEditorStateFlag flag) const { return stateFlags_ & flag; }
  TCodeEditUndoList& UndoList() const { return *activeUndoList_; }
  TCodeEditUndoList& RedoList() const { return *activeRedoList_; }
  TCodeCharSet EditorIdentifierChars() const override;

  // --- coordinates
  TScreenCoord ToScreenCoord(const TBufferCoord& position) const;
  TBufferCoord ToBufferCoord(const TScreenCoord& position) const;
  int RowCount() const;
  int RowOfLine(int line) const;
  int LineOfRow(int row) const;
  QPoint ScreenCoordToPixel(const TScreenCoord& position) const;
  TScreenCoord PixelToScreenCoord(int x, int y) const;
  TScreenCoord PixelToNearestScreenCoord(int x, int y) const;

  // --- paint lock and status
  void BeginPaintLock() { ++paintLockDepth_; }
  void EndPaintLock();
  void NotifyStatusChange(TCodeStatusChanges changes);

  // --- caret and view
  TScreenCoord CaretScreenPos() const;
  int CaretColumn() const { return CaretScreenPos().Column; }
  int CaretRow() const;
  bool CaretIsVisible() const;
  void MoveCaretTo(const TBufferCoord& position) { MoveCaretEx(true, position); }
  virtual void MoveCaretEx(bool ensureVisible, const TBufferCoord& position);
  virtual void MoveCaretCollapsing(const TBufferCoord& position);
  void MoveCaretToScreenCoord(const TScreenCoord& position);
  void MoveCaretToPixel(int x, int y);
  void EnsureCaretVisible() { EnsureCaretVisibleEx(false); }
  void EnsureCaretVisibleEx(bool centre);
  void ScrollToRow(int row);
  void ScrollToColumn(int column);
  void UpdateScrollBarState();
  // Where the drawn caret stands now (empty while it is not shown).
  QRect CaretRect() const { return StateFlag(esCaretShown) ? caretRect_ : QRect(); }

  // --- selection
  TBufferCoord SelectionFirst() const;
  TBufferCoord SelectionLast() const;
  bool HasSelection() const;
  bool SelectionSpansLines() const;
  bool SelectionIsWholeLines() const;
  bool IsInSelection(const TBufferCoord& position) const;
  void SetSelectionAnchor(const TBufferCoord& position);
  void SetSelectionActiveEnd(const TBufferCoord& position);
  void SetCurrentSelectionMode(TCodeSelectionMode mode);
  void PlaceCaretAndSelection(const TBufferCoord& caret, const TBufferCoord& anchor, const TBufferCoord& activeEnd);
  // The selected text by the current selection mode ("" without a selection);
  // lines joined with CR LF. Rows of a column block that end before its right
  // edge are filled with spaces to its width, unless trailing blanks are trimmed.
  QString SelectedText() const;

  // --- clipboard: plain text, and the editor's own block (the MIME type
  // BlockMimeType(), standing for "CodeEdit Control Block Type") with the
  // selection mode, so that a column block is pasted as a column
  // Raises ECodeEditError when there is no clipboard.
  void CopyToClipboardEx(const QString& text);
  void CopySelection();
  void CutSelection();
  void PasteClipboard();
  bool CanPaste() const;
  static const QString& BlockMimeType();
  // What a drag of the selection carries (the editor's drops know it as
  // coming from this editor); the caller owns it.
  QMimeData* DragMimeData();

  // --- commands
  // Runs a command through the whole pipeline: the process events, the
  // hooks, the built-in command (codes below ecUserFirst) and the processed
  // event. `data` points to a TBufferCoord for ecGotoXY, ecSelGotoXY and
  // ecSetMarker0..9, to a QString for ecImeStr.
  virtual void ProcessCommand(TCodeEditorCommand command, QChar ch = QChar(), const void* data = nullptr);
  // The command bound to the key (a pending first key of a two-key binding
  // taken into account); a key without a command may start such a binding.
  TCodeEditorCommand KeyToCommand(quint16 key, TShiftState shift);
  // A handler that sees every command before and after it runs; setting
  // `handled` in any of them cancels the command.
  using TCommandHook = std::function<void(TCustomCodeEdit* sender, bool afterProcessing, bool& handled,
                                          TCodeEditorCommand& command, QChar& ch, const void* data, void* handlerData)>;
  // Returns the number by which the hook is removed again.
  int AddCommandHook(TCommandHook hook, void* handlerData);
  void RemoveCommandHook(int id);
  int CommandHookCount() const { return int(commandHooks_.size()); }

  // --- words, brackets and positions
  virtual TBufferCoord FindNextWord(const TBufferCoord& position) const;
  virtual TBufferCoord FindWordBegin(const TBufferCoord& position) const;
  virtual TBufferCoord FindWordEnd(const TBufferCoord& position) const;
  virtual TBufferCoord FindPrevWord(const TBufferCoord& position) const;
  TBufferCoord NextWordFromCaret() const { return FindNextWord(CaretPos()); }
  TBufferCoord WordBeginFromCaret() const { return FindWordBegin(CaretPos()); }
  TBufferCoord WordEndFromCaret() const { return FindWordEnd(CaretPos()); }
  TBufferCoord PrevWordFromCaret() const { return FindPrevWord(CaretPos()); }
  QString WordAt(const TBufferCoord& position) const;
  QString WordAtCaret() const { return WordAt(CaretPos()); }
  void SelectWordAt(const TBufferCoord& position);
  void SelectWordAtCaret() { SelectWordAt(CaretPos()); }
  void SelectAllText();
  // The partner of the bracket at the position, skipping brackets inside
  // strings and comments; (0, 0) when there is none.
  virtual TBufferCoord MatchingBracketAt(const TBufferCoord& position);
  TBufferCoord MatchingBracket() { return MatchingBracketAt(CaretPos()); }
  virtual void JumpToMatchingBracket();
  // The highlighter's token covering the position; false without one.
  bool HighlighterTokenAt(const TBufferCoord& position, QString& token, TCodeHighlighterAttributes*& attribute);
  // The text as one string with two characters per line break.
  int BufferCoordToCharIndex(const TBufferCoord& position) const;
  TBufferCoord CharIndexToBufferCoord(int offset) const;
  int SelectionStartOffset() const;
  void SetSelectionStartOffset(int offset);
  int SelectionEndOffset() const;
  void SetSelectionEndOffset(int offset);
  void SetSelectionLength(int length);

  // --- bookmarks (0..9)
  TCodeEditMark* Bookmark(int number) const { return number >= 0 && number <= 9 ? bookmarks_[number] : nullptr; }
  void SetBookmark(int number, int charIndex, int line);
  void ClearBookmark(int number);
  void GotoBookmark(int number);

  // --- text changes
  // Replaces the selection by the text as one undoable change.
  void ReplaceSelection(const QString& text);
  void DeleteSelection();
  // Empties the text, the marks and both undo lists; not undoable.
  void ClearAllText();

  // --- the standard edit actions (TEditAction): running one, and its
  // enabled state; both false when the editor does not have the focus.
  bool ExecuteAction(TEditAction& action);
  bool UpdateAction(TEditAction& action);

  // --- undo
  void Undo();
  void Redo();
  bool CanUndo() const { return !readOnly_ && activeUndoList_->HasItems(); }
  bool CanRedo() const { return !readOnly_ && activeRedoList_->HasItems(); }
  void BeginUndoBlock() { activeUndoList_->BeginChangeBlock(); }
  void EndUndoBlock() { activeUndoList_->EndChangeBlock(); }
  // Nothing is recorded between them.
  void SuspendUndo();
  void ResumeUndo();
  void ClearUndo();

  // --- painting
  void InvalidateGutterRange(int firstLine, int lastLine);
  void InvalidateLineRange(int firstLine, int lastLine);
  void InvalidateOneLine(int line);
  void InvalidateSelectionLines();
  // Paints the part of the client area inside the clip rectangle.
  void PaintClipArea(QPainter& painter, const QRect& clip);

  // --- events
  std::function<void(TCustomCodeEdit* sender)> OnChange;
  std::function<void(TCustomCodeEdit* sender, TCodeStatusChanges changes)> OnStatusChange;
  std::function<void(TCustomCodeEdit* sender, QPainter& canvas)> OnPaint;
  std::function<void(TCustomCodeEdit* sender, QPainter& canvas, TTransientType type)> OnPaintTransient;
  std::function<void(TCustomCodeEdit* sender, int line, bool& special, TColor& foreground, TColor& background)>
      OnSpecialLineColors;
  std::function<void(TCustomCodeEdit* sender, int line, QString& text)> OnGutterGetText;
  std::function<void(TCustomCodeEdit* sender, int line, int x, int y)> OnGutterPaint;
  using TProcessCommandEvent =
      std::function<void(TCustomCodeEdit* sender, TCodeEditorCommand& command, QChar& ch, const void* data)>;
  TProcessCommandEvent OnProcessCommand, OnProcessUserCommand, OnCommandProcessed;
  std::function<void(TCustomCodeEdit* sender, const QString& word)> OnContextHelp;
  // The mark may be replaced, or set to none to refuse the bookmark.
  std::function<void(TCustomCodeEdit* sender, TCodeEditMark*& mark)> OnPlaceBookmark;
  std::function<void(TCustomCodeEdit* sender, TCodeEditMark*& mark)> OnClearBookmark;
  std::function<void(TCustomCodeEdit* sender, Qt::MouseButton button, int x, int y, int line, TCodeEditMark* mark)>
      OnGutterClick;
  std::function<void(TCustomCodeEdit* sender, const TBufferCoord& linePos, Qt::CursorShape& cursor)> OnMouseCursor;
  std::function<void(TCustomCodeEdit* sender, int x, int y, const QStringList& files)> OnDropFiles;
  std::function<void(TCustomCodeEdit* sender, Qt::Orientation bar)> OnScroll;

  // --- mouse auto-scroll (tests drive the timer's tick themselves)
  void AutoScrollTick();
  bool AutoScrollRunning() const { return autoScrollTimer_.isActive(); }
  QPoint AutoScrollStep() const { return autoScrollStep_; }
  // The text of an input-method composition shown at the caret.
  QString PreeditText() const { return preeditText_; }
  // The scroll hint's text while it shows ("" when hidden).
  QString ScrollHintText() const;

protected:
  // The virtual operations of the control.
  virtual void InvalidatePixels(const QRect& rect);
  virtual void BufferChanged();
  virtual void PaintGutter(QPainter& painter, const QRect& rect, int firstRow, int lastRow);
  virtual void PaintTextRows(QPainter& painter, const QRect& rect, int firstRow, int lastRow, int firstColumn,
                             int lastColumn);
  virtual void FirePaint(QPainter& painter);
  virtual void PaintTransient(TTransientType type, bool changeLock);
  virtual bool SpecialLineColors(int line, TColor& foreground, TColor& background);
  void PaintTransient(TTransientType type) { PaintTransient(type, false); }
  virtual void FireStatusChange();
  virtual void FireChange();
  // The text the selection holds, as deleting it takes it out (no filling).
  QString SelectionContents() const;
  virtual void RunCommand(TCodeEditorCommand command, QChar ch, const void* data);
  virtual void RunCommandHooks(bool afterProcessing, TCodeEditorCommand& command, QChar& ch, const void* data);
  virtual void FireProcessCommand(TCodeEditorCommand& command, QChar& ch, const void* data);
  virtual void FireCommandProcessed(TCodeEditorCommand command, QChar ch, const void* data);
  virtual void FirePlaceBookmark(TCodeEditMark*& mark);
  virtual void FireClearBookmark(TCodeEditMark*& mark);
  virtual void GutterClicked(Qt::MouseButton button, int x, int y);
  virtual void ChooseMouseCursor(const QPoint& point);

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool event(QEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  friend class TCodeEditPaintLock;
  friend class TCodeEditOptionSwitch;
  struct PaintState;
  struct RowPaint;

  // lifecycle and model (CodeEdit.cpp)
  void WireBuffer();
  void ApplyFontChange();
  void MeasureCharCell();
  void RecomputeViewSize(bool fontChanged);
  void SetGutterPixelWidth(int width);
  void BufferChanging();
  void SetStateFlag(TCodeEditorStateFlag flag, bool on);

  // painting (CodeEditPaint.cpp)
  void AddInvalidRect(const QRect& rect);
  TColor ColumnBackground(bool currentLine) const;
  void PaintMarks(QPainter& painter, int firstLine, int lastLine, int firstRow, int lastRow);
  void DrawMark(QPainter& painter, const TCodeEditMark& mark, int row, int& offset);
  void PaintLine(QPainter& painter, PaintState& state, int line);
  void PaintRow(QPainter& painter, PaintState& state, RowPaint& row);
  void PaintRowTokens(QPainter& painter, PaintState& state, RowPaint& row);
  void PaintRowPlain(PaintState& state, RowPaint& row);
  void AddToken(QPainter& painter, PaintState& state, RowPaint& row, QStringView text, int column, TColor foreground,
                TColor background, TFontStyles style);
  void FlushToken(QPainter& painter, PaintState& state, RowPaint& row, bool fillToEnd);
  void PaintPiece(RowPaint& row, const QString& text, int columnsBefore, int first, int last);
  void SetPieceColors(PaintState& state, bool selected);
  void DrawRightEdge(QPainter& painter, const PaintState& state, int top, int bottom);
  void PaintCaret(QPainter& painter);
  void PaintPreedit(QPainter& painter);

  // caret and view (CodeEditCaret.cpp)
  void RememberCaretColumn();
  void CreateEditorCaret();
  void UpdateCaretPosition();
  void ShowEditorCaret();
  void HideEditorCaret();
  void BlinkCaret();
  int HorizontalExtent();
  int VerticalExtent() const;
  void SetScrollBar(Qt::Orientation orientation, int extent, int page, int position);

  int CaretCharLimit(int line) const;
  void SetCaretLineRaw(int line);
  void SetCaretCharRaw(int charIndex);
  void OnScrollBarAction(Qt::Orientation orientation, int action);
  void OnScrollBarReleased(Qt::Orientation orientation);
  void ShowScrollHint();
  void HideScrollHint();
  void ScrollByWheel(int delta, bool ctrl);

  // selection (CodeEditSelection.cpp)
  TBufferCoord ClampedSelectionEnd(const TBufferCoord& position) const;

  // mouse (CodeEditMouse.cpp)
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& point);
  void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, const QPoint& point);
  void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& point);
  void DoubleClick(const QPoint& point);
  void UpdateAutoScroll(const QPoint& point);
  void ReleaseMouse();

  // commands and navigation (CodeEditCommands.cpp)
  void WordCharSets(TCodeCharSet& identifier, TCodeCharSet& white) const;
  void MoveCaretExtending(const TBufferCoord& from, const TBufferCoord& to, bool extend);
  void StepCaretHorizontally(int delta, bool extend);
  void StepCaretVertically(int delta, bool extend);
  void MovePage(int direction, bool extend);
  void ScrollOneRow(int direction);
  void GoLineStart(bool extend);
  void GoLineEnd(bool extend);
  void MoveToScreenRowColumn(const TScreenCoord& position, bool extend);
  bool CaretOnFirstRow() const;
  bool CaretOnLastRow() const;
  void ToggleBookmark(int number, const void* data);
  bool IgnoredByBracketSearch(const TBufferCoord& position);

  // clipboard and drag and drop (CodeEditClipboard.cpp)
  QString SelectionText(bool padColumns) const;
  QMimeData* SelectionMimeData(const QString& text) const;
  void StartDragOfSelection();
  TCustomCodeEdit* DragSourceEdit(const QDropEvent* event) const;
  void DragOverFromEditor(TCustomCodeEdit* source, const QPoint& point);
  void DropSelection(TCustomCodeEdit* source, const QPoint& point, Qt::KeyboardModifiers modifiers);

  // text changes (CodeEditTextChanges.cpp)
  void ReplaceSelectionRaw(TCodeSelectionMode mode, const QString& text, bool record);
  void ReplaceSelectionRawCurrent(const QString& text) { ReplaceSelectionRaw(currentSelectionMode_, text, true); }
  void RemoveSelectedText(const TBufferCoord& first, const TBufferCoord& last);
  void InsertTextByMode(TCodeSelectionMode mode, const QString& text, bool record);
  int InsertStreamText(const QString& text);
  int InsertColumnText(const QString& text, bool record);
  int InsertWholeLines(const QString& text);
  // Inserts the lines of the text as a column at the position's character.
  void InsertColumnBlock(const TBufferCoord& at, bool record, const QString& text);
  void StoreLine(int index, const QString& text);
  // ReplaceSelection with the mode of the insertion when nothing is selected.
  void ReplaceSelectionAs(const QString& text, TCodeSelectionMode modeWithoutSelection);
  void BufferCleared();
  void BufferLinesDeleted(int index, int count);
  void BufferLinesInserted(int index, int count);
  void BufferLinesReplaced(int index, int count);
  int RescanRangesFrom(int index);
  void RescanAllRanges();
  void MarkLinesInserted(int firstLine, int count);
  void MarkLinesDeleted(int firstLine, int count);
  void GrowMaxScrollWidthTo(int index);

  // undo (CodeEditUndo.cpp)
  void SyncModifiedWithUndo();
  void UndoListItemAdded(TCodeEditUndoList* list);
  void UndoOneItem();
  void RedoOneItem();

  // editing commands (CodeEditEditing.cpp)
  int LeadingBlankWidth(const QString& text, bool tabsAsWidth) const;
  QString IndentText(int width, bool tabsAllowed) const;
  int IndentAbove(int line, int width, bool tabsAsWidth) const;
  void FillLineToCaret();
  void DeleteSelectionRecorded();
  void ForceCaretChar(int charIndex);
  void TypeChar(QChar ch);
  void InsertImeString(const QString& text);
  void DeleteLastChar();
  void DeleteChar();
  void DeleteWordOrLineEnd(TCodeEditorCommand command);
  void DeleteLastWordOrLineStart(TCodeEditorCommand command);
  void DeleteLine();
  void LineBreak(bool moveCaret);
  void InsertTab();
  void RemoveTab();
  void IndentBlock();
  void UnindentBlock();
  void ChangeCase(TCodeEditorCommand command);

  // property changes (CodeEditProperties.cpp)
  void HighlighterChanged(QObject* sender);
  void GutterSettingsChanged();
  // The text area takes drops of the selection and of files when an option asks.
  void ApplyDropAcceptance();
  void ShowBorder();

  TBufferCoord selectionAnchor_{1, 1};
  TBufferCoord selectionActiveEnd_{1, 1};
  int caretChar_ = 1;
  int preferredColumn_ = 1;
  int caretLine_ = 1;
  int visibleColumns_ = 0;
  int charCellWidth_ = 0;
  QFont substituteFont_;
  bool caretTrailAdjusted_ = false;
  bool insertMode_ = true;
  TCodeEditStringList* lines_;
  std::unique_ptr<TCodeEditStringList> ownBuffer_;
  std::unique_ptr<TCodeEditUndoList> ownUndoList_;
  std::unique_ptr<TCodeEditUndoList> ownRedoList_;
  int visibleRows_ = 0;
  int leftColumn_ = 1;
  int maxScrollWidth_ = 1024;
  int paintLockDepth_ = 0;
  bool readOnly_ = false;
  int rightEdge_ = 80;
  TColor rightEdgeColor_ = clSilver;
  TColor scrollHintColor_ = clInfoBk;
  TScrollHintFormat scrollHintFormat_ = shfTopLineOnly;
  TScrollStyle scrollBars_ = ssBoth;
  int rowHeight_ = 0;
  int topRow_ = 1;
  QPointer<TCodeCustomHighlighter> highlighter_;
  TCodeSelectedColor selectedColor_;
  TColor activeLineColor_ = clNone;
  TCodeEditUndoList* activeUndoList_;
  TCodeEditUndoList* activeRedoList_;
  std::array<TCodeEditMark*, 10> bookmarks_{};
  QPoint mouseDownPoint_;
  TCodeBookMarkOpt bookMarkOptions_;
  TBorderStyle borderStyle_ = bsSingle;
  bool hideSelection_ = false;
  int wheelRemainder_ = 0;
  TCodeEditCaretType overwriteCaret_ = ctBlock;
  TCodeEditCaretType insertCaret_ = ctVerticalLine;
  QPoint caretOffset_;
  QSize caretSize_;
  TCodeEditKeyStrokes keystrokes_;
  bool modified_ = false;
  TCodeEditMarkList marks_;
  int extraLineSpacing_ = 0;
  TCodeSelectionMode selectionMode_ = smNormal;
  TCodeSelectionMode currentSelectionMode_ = smNormal;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  std::shared_ptr<ICodeEditBufferPlugin> wrapPlugin_;
  TCodeGlyph wordWrapGlyph_;
  mutable bool caretAtRowEnd_ = false;
  TCodeGutter gutter_;
  int tabWidth_ = 8;
  std::unique_ptr<TheTextDrawer> textDrawer_;
  QRect dirtyRect_;
  quint16 stateFlags_ = 0;
  TCodeEditorOptions options_ = kDefaultEditorOptions;
  TCodeStatusChanges pendingStatusChanges_ = 0;
  TCodeEditKbdHandler keyboardHandler_;
  QPointer<TCodeEditSearchCustom> searchEngine_;
  QTimer autoScrollTimer_;
  QPoint autoScrollStep_;
  bool specialCharsVisible_ = false;
  int transientLockDepth_ = 0;
  bool thumbTracking_ = false;
  int gutterPixelWidth_ = 0;
  std::unique_ptr<TCodeInternalImage> internalBookmarkImages_;
  TColor color_ = clWindow;
  TColor fontColor_ = clWindowText;
  QRect caretRect_;
  QTimer caretBlinkTimer_;
  bool caretBlinkOn_ = true;
  QPainter* paintingOn_ = nullptr;
  bool constructed_ = false;
  quint16 pendingChordKey_ = 0;
  TShiftState pendingChordShift_ = 0;
  struct CommandHookEntry {
    int id;
    TCommandHook hook;
    void* data;
  };
  std::vector<CommandHookEntry> commandHooks_;
  int lastCommandHookId_ = 0;
  bool mouseCaptured_ = false;
  QPoint lastMousePoint_;
  Qt::KeyboardModifiers lastMouseModifiers_;
  QString preeditText_;
  bool dragging_ = false;
};

// The editor control as forms place it.
class TCodeEdit : public TCustomCodeEdit {
  Q_OBJECT
public:
  using TCustomCodeEdit::TCustomCodeEdit;
};
