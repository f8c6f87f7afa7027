#include "controls/IBCheckBox.h"
#include "core/ui/EventBoundary.h"
#include <QtGui/QFocusEvent>
#include <QtGui/QKeyEvent>

namespace {
// Set while Enter has fired OnExit and moves the focus on (one for all boxes).
bool checkBoxEnterFlag = false;
} // namespace

TIBCheckBox::TIBCheckBox(QWidget* parent) : TIBCheckBox(QString(), parent) {}

TIBCheckBox::TIBCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent), TDataEntryControl(this) {
  // The caption stands left of the box.
  setLayoutDirection(Qt::RightToLeft);
  SetColor(clBtnFace);
  connect(this, &QCheckBox::clicked, this, &TIBCheckBox::Clicked);
  // A box checked or cleared by the program holds the value it shows; a
  // written value the box agrees with (2 shows unchecked) stays as written.
  connect(this, &QCheckBox::toggled, this, [this](bool checked) {
    if (checked != (checkedValue_ == 1)) checkedValue_ = checked ? 1 : 0;
  });
}

void TIBCheckBox::SetCheckedValue(quint8 value) {
  checkedValue_ = value;
  setChecked(value == 1);
}

void TIBCheckBox::Clicked() {
  checkedValue_ = isChecked() ? 1 : 0;
  emit OnClick();
}

void TIBCheckBox::focusInEvent(QFocusEvent* event) {
  RunGuarded([&] {
    QCheckBox::focusInEvent(event);
    if (!BeginEnter()) return;
    checkBoxEnterFlag = false;
    RememberColor();
    SetColor(FocusColor);
    emit OnEnter();
  });
}

void TIBCheckBox::focusOutEvent(QFocusEvent* event) {
  RunGuarded([&] {
    QCheckBox::focusOutEvent(event);
    if (!BeginLeave(event)) return;
    SetColor(RememberedColor());
    if (!checkBoxEnterFlag) emit OnExit();
    checkBoxEnterFlag = false;
  });
}

void TIBCheckBox::keyPressEvent(QKeyEvent* event) {
  RunGuarded([&] {
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool keypadDigit = (event->modifiers() & Qt::KeypadModifier) && key >= Qt::Key_0 && key <= Qt::Key_9;
    if (plain && keypadDigit) {
      toggle();
      Clicked();
    } else if (IsPlainEnter(event)) {
      checkBoxEnterFlag = false;
      emit OnExit();
      checkBoxEnterFlag = true;
      if (hasFocus()) MoveToNextControl();
    } else {
      QCheckBox::keyPressEvent(event);
    }
    if (OnKeyDown) OnKeyDown(key, event->modifiers());
  });
}
