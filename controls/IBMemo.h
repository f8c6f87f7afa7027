#pragma once
#include "controls/DataEntryControl.h"
#include "controls/UxMemo.h"
#include <functional>

// The note field of the dialogs: aqua while focused (unless read-only),
// Enter moves on as Tab does (Shift+Enter and Ctrl+Enter start a new line), Ctrl+A selects
// all. It has no leaving check; the form's check before a save refuses a
// character that cannot be stored.
class TIBMemo : public TUxMemo, public TDataEntryControl {
  Q_OBJECT
public:
  explicit TIBMemo(QWidget* parent = nullptr);

  void SetReadOnly(bool on);
  bool ValidationFailed() override;

  // The memo's own key-down event; setting `key` to 0 consumes it.
  std::function<void(int& key, Qt::KeyboardModifiers shift)> OnKeyDown;

signals:
  void OnEnter();
  void OnExit();

protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};
