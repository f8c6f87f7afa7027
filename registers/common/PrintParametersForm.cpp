#include "registers/common/PrintParametersForm.h"
#include "registers/common/PatternKeys.h"
#include <QtGui/QKeyEvent>

TPrintParametersForm::TPrintParametersForm(QWidget* owner) : TForm(owner) { SetKeyPreview(true); }

bool TPrintParametersForm::FormKeyDown(QKeyEvent* event) {
  if (event->modifiers() & kHeldModifiers) return false;
  if (event->key() == Qt::Key_Escape) {
    SetModalResult(mrCancel);
    return true;
  }
  if (event->key() == Qt::Key_F12) {
    btnZapisClick();
    return true;
  }
  return false;
}

bool TPrintParametersForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == this && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
  }
  return TForm::eventFilter(watched, event);
}
