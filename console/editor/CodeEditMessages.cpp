// The platform's events of the control, in one place: keys through the key
// bindings, input-method strings, the wheel, focus and size, the mouse, the
// pointer's shape, and drops of the selection or of files.
#include "console/editor/CodeEditPrivate.h"
#include <QtCore/QMimeData>
#include <QtGui/QFocusEvent>
#include <QtGui/QInputMethodEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QWheelEvent>

namespace {

// A key with Ctrl or Alt types nothing (Ctrl with Alt is AltGr on some
// keyboards and does).
bool TypesText(Qt::KeyboardModifiers modifiers) {
  const bool ctrl = modifiers & Qt::ControlModifier, alt = modifiers & Qt::AltModifier;
  return ctrl == alt;
}

bool IsControlText(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 32 || c.unicode() == 127; });
}

} // namespace

bool TCustomCodeEdit::event(QEvent* event) {
  // A key bound to a command belongs to the editor before any shortcut of its window.
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const quint16 code = VirtualKeyFromKeyEvent(*key);
    const TShiftState shift = ShiftStateFromQt(key->modifiers());
    const bool bound =
        keystrokes_.FindSingleKey(code, shift) >= 0 ||
        (pendingChordKey_ != 0 && keystrokes_.FindChordKey(pendingChordKey_, pendingChordShift_, code, shift) >= 0);
    if (code != 0 && bound && (wantReturns_ || code != vk::Return)) {
      event->accept();
      return true;
    }
  }
  return QAbstractScrollArea::event(event);
}

bool TCustomCodeEdit::focusNextPrevChild(bool next) {
  // With WantTabs, Tab is the editor's key, not the window's focus key.
  return wantTabs_ ? false : QAbstractScrollArea::focusNextPrevChild(next);
}

void TCustomCodeEdit::keyPressEvent(QKeyEvent* event) {
  quint16 key = VirtualKeyFromKeyEvent(*event);
  const TShiftState shift = ShiftStateFromQt(event->modifiers());
  if (!wantReturns_ && key == vk::Return) {
    event->ignore();
    return;
  }
  if (key != 0) {
    keyboardHandler_.RunKeyDownHandlers(this, key, shift);
    if (key == 0) return;
    const TCodeEditorCommand command = KeyToCommand(key, shift);
    if (command != ecNone) {
      // The key's character is part of the command.
      SetStateFlag(esSkipNextChar, true);
      ProcessCommand(command);
      return;
    }
  }
  SetStateFlag(esSkipNextChar, false);
  const QString text = event->text();
  if (text.isEmpty() || IsControlText(text) || !TypesText(event->modifiers())) {
    event->ignore();
    return;
  }
  if (text.size() == 1) {
    QChar ch = text.front();
    keyboardHandler_.RunKeyPressHandlers(this, ch);
    if (!ch.isNull()) ProcessCommand(ecChar, ch);
  } else {
    // A character of two code units (or a composed run) is typed whole.
    ProcessCommand(ecImeStr, QChar(), &text);
  }
}

void TCustomCodeEdit::keyReleaseEvent(QKeyEvent* event) {
  quint16 key = VirtualKeyFromKeyEvent(*event);
  keyboardHandler_.RunKeyUpHandlers(this, key, ShiftStateFromQt(event->modifiers()));
  QAbstractScrollArea::keyReleaseEvent(event);
}

void TCustomCodeEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  if (!commit.isEmpty()) ProcessCommand(ecImeStr, QChar(), &commit);
  if (preeditText_ != event->preeditString()) {
    preeditText_ = event->preeditString();
    viewport()->update();
  }
  event->accept();
}

QVariant TCustomCodeEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
  case Qt::ImEnabled:
    return !readOnly_;
  case Qt::ImCursorRectangle: {
    const QPoint cell = ScreenCoordToPixel(CaretScreenPos());
    return QRect(cell + viewport()->geometry().topLeft(), QSize(qMax(1, charCellWidth_), rowHeight_));
  }
  case Qt::ImFont:
    return font();
  case Qt::ImSurroundingText:
    return CaretLineText();
  case Qt::ImCursorPosition:
    return qMin(caretChar_ - 1, int(CaretLineText().size()));
  case Qt::ImAnchorPosition: {
    const TBufferCoord anchor = selectionAnchor_;
    const int position = anchor.Line == caretLine_ ? anchor.Char - 1 : caretChar_ - 1;
    return qMin(position, int(CaretLineText().size()));
  }
  case Qt::ImCurrentSelection:
    return SelectedText();
  case Qt::ImHints:
    return int(Qt::ImhMultiLine);
  default:
    return QAbstractScrollArea::inputMethodQuery(query);
  }
}

void TCustomCodeEdit::wheelEvent(QWheelEvent* event) {
  ScrollByWheel(event->angleDelta().y(), event->modifiers() & Qt::ControlModifier);
  event->accept();
}

void TCustomCodeEdit::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  ProcessCommand(ecGotFocus);
  CreateEditorCaret();
  if (hideSelection_ && HasSelection()) InvalidateSelectionLines();
}

void TCustomCodeEdit::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  ProcessCommand(ecLostFocus);
  if (hasFocus()) return;
  HideEditorCaret();
  if (hideSelection_ && HasSelection()) InvalidateSelectionLines();
}

void TCustomCodeEdit::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  RecomputeViewSize(false);
}

void TCustomCodeEdit::mousePressEvent(QMouseEvent* event) {
  lastMousePoint_ = event->position().toPoint();
  MouseDown(event->button(), event->modifiers(), lastMousePoint_);
  event->accept();
}

void TCustomCodeEdit::mouseMoveEvent(QMouseEvent* event) {
  MouseMove(event->buttons(), event->modifiers(), event->position().toPoint());
  event->accept();
}

void TCustomCodeEdit::mouseReleaseEvent(QMouseEvent* event) {
  MouseUp(event->button(), event->modifiers(), event->position().toPoint());
  event->accept();
}

void TCustomCodeEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton)
    DoubleClick(event->position().toPoint());
  else
    MouseDown(event->button(), event->modifiers(), event->position().toPoint());
  event->accept();
}

void TCustomCodeEdit::dragEnterEvent(QDragEnterEvent* event) {
  if (DragSourceEdit(event)) {
    event->setDropAction(event->modifiers() & Qt::ControlModifier ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
  } else if (HasOption(eoDropFiles) && event->mimeData()->hasUrls()) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TCustomCodeEdit::dragMoveEvent(QDragMoveEvent* event) {
  if (TCustomCodeEdit* source = DragSourceEdit(event)) {
    event->setDropAction(event->modifiers() & Qt::ControlModifier ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
    DragOverFromEditor(source, event->position().toPoint());
  } else if (HasOption(eoDropFiles) && event->mimeData()->hasUrls()) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TCustomCodeEdit::dragLeaveEvent(QDragLeaveEvent* event) {
  autoScrollTimer_.stop();
  // A drag that leaves its own editor puts the caret back where it began.
  if (dragging_) MoveCaretToPixel(mouseDownPoint_.x(), mouseDownPoint_.y());
  event->accept();
}

void TCustomCodeEdit::dropEvent(QDropEvent* event) {
  autoScrollTimer_.stop();
  const QPoint point = event->position().toPoint();
  if (TCustomCodeEdit* source = DragSourceEdit(event)) {
    DropSelection(source, point, event->modifiers());
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return;
  }
  if (!HasOption(eoDropFiles) || !event->mimeData()->hasUrls()) {
    event->ignore();
    return;
  }
  QStringList files;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) files << url.toLocalFile();
  if (OnDropFiles) OnDropFiles(this, point.x(), point.y(), files);
  event->acceptProposedAction();
}
