#pragma once
#include "controls/DataEntryControl.h"
#include <QtWidgets/QCheckBox>
#include <functional>

// The yes/no field of the dialogs: `CheckedValue` is 1 or 0 after a click, a
// toggle or a change by the program (a written value is kept as written, the box checked only for 1);
// a numeric-pad digit toggles it, Enter moves on firing OnExit once, and it
// is aqua while focused. It has no leaving check.
class TIBCheckBox : public QCheckBox, public TDataEntryControl {
  Q_OBJECT
public:
  explicit TIBCheckBox(QWidget* parent = nullptr);
  TIBCheckBox(const QString& caption, QWidget* parent = nullptr);

  quint8 CheckedValue() const { return checkedValue_; }
  void SetCheckedValue(quint8 value);
  bool ValidationFailed() override { return false; }

  // The box's own key-down event, fired last.
  std::function<void(int key, Qt::KeyboardModifiers shift)> OnKeyDown;

signals:
  void OnEnter();
  void OnExit();
  void OnClick();

protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // The box keeps its own colour when not focused.
  void LeftUnseen() override { SetColor(RememberedColor()); }
  void keyPressEvent(QKeyEvent* event) override;

private:
  void Clicked();

  quint8 checkedValue_ = 0;
};
