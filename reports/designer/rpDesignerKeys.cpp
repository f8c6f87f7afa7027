#include "reports/designer/rpDesignerKeys.h"

TrpDialogPageKey rpMapDialogPageKey(int key, Qt::KeyboardModifiers modifiers) {
  if ((modifiers & ~Qt::KeypadModifier) != Qt::ControlModifier) return {key, modifiers};
  switch (key) {
  case Qt::Key_C:
    return {Qt::Key_Insert, Qt::ControlModifier};
  case Qt::Key_X:
    return {Qt::Key_Delete, Qt::ShiftModifier};
  case Qt::Key_V:
    return {Qt::Key_Insert, Qt::ShiftModifier};
  case Qt::Key_A:
    return {key, modifiers, true};
  default:
    return {key, modifiers};
  }
}
