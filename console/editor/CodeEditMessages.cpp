// The window events of the control, mapped from the platform's messages.
#include "console/editor/CodeEditPrivate.h"
#include <QtGui/QFocusEvent>

void TCustomCodeEdit::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  CreateEditorCaret();
  if (hideSelection_ && HasSelection()) InvalidateSelectionLines();
}

void TCustomCodeEdit::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  if (hasFocus()) return;
  HideEditorCaret();
  if (hideSelection_ && HasSelection()) InvalidateSelectionLines();
}
