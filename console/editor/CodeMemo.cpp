#include "console/editor/CodeMemo.h"
#include "console/editor/CodeEditPrivate.h"
#include <QtCore/QScopeGuard>
#include <QtGui/QAccessible>
#include <QtWidgets/QAccessibleWidget>

namespace {

quint32 Pack(int low, int high) { return quint32(quint16(low)) | (quint32(quint16(high)) << 16); }

// What a screen reader sees of a memo: its whole text (line breaks as CR LF),
// the selection and the caret, and the same changes a user can make.
class TCodeMemoAccessible : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
public:
  explicit TCodeMemoAccessible(TCodeMemo* memo) : QAccessibleWidget(memo, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Value ? Memo()->Text() : QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = !Memo()->ReadOnly();
    s.readOnly = Memo()->ReadOnly();
    s.multiLine = true;
    s.selectableText = true;
    return s;
  }

  // --- text
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && Memo()->HasSelection()) Memo()->EmGetSel(startOffset, endOffset);
  }
  int selectionCount() const override { return Memo()->HasSelection() ? 1 : 0; }
  void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
  void removeSelection(int) override { Memo()->EmSetSel(cursorPosition(), cursorPosition()); }
  void setSelection(int, int startOffset, int endOffset) override { Memo()->EmSetSel(startOffset, endOffset); }
  int cursorPosition() const override { return Memo()->BufferCoordToCharIndex(Memo()->CaretPos()); }
  void setCursorPosition(int position) override { Memo()->EmSetSel(position, position); }
  QString text(int startOffset, int endOffset) const override {
    return Memo()->Text().mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return int(Memo()->Text().size()); }
  QRect characterRect(int offset) const override {
    const TCodeMemo* memo = Memo();
    const QPoint corner = memo->ScreenCoordToPixel(memo->ToScreenCoord(memo->CharIndexToBufferCoord(offset)));
    return QRect(memo->viewport()->mapToGlobal(corner), QSize(memo->CharCellWidth(), memo->RowHeight()));
  }
  int offsetAtPoint(const QPoint& point) const override {
    return Memo()->OffsetAtPoint(Memo()->viewport()->mapFromGlobal(point));
  }
  void scrollToSubstring(int startIndex, int endIndex) override {
    Memo()->EmSetSel(startIndex, endIndex);
    Memo()->EnsureCaretVisible();
  }
  QString attributes(int offset, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = characterCount();
    Q_UNUSED(offset);
    return {};
  }

  // --- editable text
  void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, QString()); }
  void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
  void replaceText(int startOffset, int endOffset, const QString& text) override {
    Memo()->EmSetSel(startOffset, endOffset);
    Memo()->EmReplaceSel(text, true);
  }

private:
  TCodeMemo* Memo() const { return static_cast<TCodeMemo*>(widget()); }
};

QAccessibleInterface* MemoAccessibleFactory(const QString&, QObject* object) {
  auto* memo = qobject_cast<TCodeMemo*>(object);
  return memo ? new TCodeMemoAccessible(memo) : nullptr;
}

} // namespace

TCodeMemo::TCodeMemo(QWidget* parent) : TCodeEdit(parent) {
  static const bool installed = (QAccessible::installFactory(MemoAccessibleFactory), true);
  Q_UNUSED(installed);
}

quint32 TCodeMemo::EmGetSel(int* start, int* end) const {
  const int first = SelectionStartOffset(), last = SelectionEndOffset();
  if (start) *start = first;
  if (end) *end = last;
  return Pack(first, last);
}

void TCodeMemo::EmSetSel(int start, int end) {
  SetSelectionStartOffset(start);
  SetSelectionEndOffset(end);
}

void TCodeMemo::EmReplaceSel(const QString& text, bool canUndo) {
  if (ReadOnly()) return;
  PaintTransient(ttBefore);
  {
    TCodeEditUndoBlock block(*this);
    TCodeEditUndoList& undo = UndoList();
    if (HasSelection() && canUndo)
      undo.RecordChange(urDelete, SelectionFirst(), SelectionLast(), SelectionContents(), CurrentSelectionMode());
    const TBufferCoord start = SelectionFirst();
    PlaceCaretAndSelection(CaretPos(), start, SelectionLast());
    {
      SuspendUndo();
      const auto resume = qScopeGuard([this] { ResumeUndo(); });
      ReplaceSelection(text);
    }
    if (canUndo) undo.RecordChange(urPaste, start, SelectionLast(), SelectedText(), smNormal);
  }
  EnsureCaretVisible();
  NotifyStatusChange(stcSelection);
  PaintTransient(ttAfter);
}

int TCodeMemo::EmGetLine(int line, char16_t* buffer) const {
  if (!buffer || line < 0 || line >= Lines().Count()) return 0;
  const QString text = Lines().Get(line);
  const int count = qMin(int(text.size()), int(buffer[0]));
  std::copy_n(text.utf16(), count, buffer);
  return count;
}

int TCodeMemo::EmUndo() {
  const int result = EmCanUndo();
  Undo();
  return result;
}

int TCodeMemo::OffsetAtPoint(const QPoint& point) const {
  const TBufferCoord position = ToBufferCoord(PixelToScreenCoord(point.x(), point.y()));
  const int line = position.Line - 1;
  const int charIndex = line < Lines().Count() ? qMin(position.Char, int(Lines().Get(line).size()) + 1) : 1;
  int offset = charIndex - 1;
  for (int i = 0; i < line; ++i)
    offset += int(Lines().Get(i).size()) + 2;
  return offset;
}

quint32 TCodeMemo::EmCharFromPos(quint32 point) const {
  const QPoint client(int(point & 0xFFFF), int(point >> 16));
  const int line = ToBufferCoord(PixelToScreenCoord(client.x(), client.y())).Line - 1;
  return Pack(OffsetAtPoint(client), line);
}

int TCodeMemo::EmGetSelText(char16_t* buffer) const {
  if (!buffer) return 0;
  const QString text = SelectedText();
  std::copy_n(text.utf16(), text.size(), buffer);
  buffer[text.size()] = 0;
  return int(text.size());
}

void TCodeMemo::FireStatusChange() {
  if (QAccessible::isActive()) {
    QAccessibleTextCursorEvent event(this, BufferCoordToCharIndex(CaretPos()));
    QAccessible::updateAccessibility(&event);
  }
  TCodeEdit::FireStatusChange();
}
