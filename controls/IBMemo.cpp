#include "controls/IBMemo.h"
#include "core/ui/EventBoundary.h"
#include <QtGui/QFocusEvent>
#include <QtGui/QKeyEvent>

TIBMemo::TIBMemo(QWidget* parent) : TUxMemo(parent), TDataEntryControl(this) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Tab (and Enter, which becomes Tab) leaves the memo instead of inserting a tab.
  setTabChangesFocus(true);
  SetColor(clWindow);
}

void TIBMemo::SetReadOnly(bool on) {
  if (on != ReadOnly()) {
    SetReadOnlyFlag(on);
    SetMemoReadOnly(on);
    setFocusPolicy(on ? Qt::ClickFocus : Qt::StrongFocus);
  }
  SetColor(on ? clBtnFace : clWindow);
}

bool TIBMemo::ValidationFailed() { return CanFocus() && !ReadOnly() && RefusesUnstorableText(toPlainText()); }

void TIBMemo::focusInEvent(QFocusEvent* event) {
  RunGuarded([&] {
    TUxMemo::focusInEvent(event);
    if (!BeginEnter()) return;
    RememberColor();
    if (!ReadOnly()) SetColor(FocusColor);
    emit OnEnter();
  });
}

void TIBMemo::focusOutEvent(QFocusEvent* event) {
  RunGuarded([&] {
    TUxMemo::focusOutEvent(event);
    if (!BeginLeave(event)) return;
    if (!ReadOnly()) SetColor(RememberedColor());
    emit OnExit();
  });
}

void TIBMemo::keyPressEvent(QKeyEvent* event) {
  RunGuarded([&] {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_A && modifiers == Qt::ControlModifier) {
      selectAll();
      return;
    }
    if (OnKeyDown) {
      int key = event->key();
      OnKeyDown(key, event->modifiers());
      if (key == 0) return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && modifiers == Qt::NoModifier) {
      MoveToNextControl();
      return;
    }
    // Shift+Enter and Ctrl+Enter break the line (the note's caption tells of Ctrl+Enter).
    if (enter && (modifiers == Qt::ShiftModifier || modifiers == Qt::ControlModifier) && !isReadOnly()) {
      insertPlainText(QStringLiteral("\n"));
      return;
    }
    TUxMemo::keyPressEvent(event);
  });
}
