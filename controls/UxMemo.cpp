#include "controls/UxMemo.h"
#include <QtGui/QKeyEvent>
#include <QtWidgets/QMenu>

TUxMemo::TUxMemo(QWidget* parent) : QPlainTextEdit(parent) {}

void TUxMemo::SetClipboardCommands(TClipboardCommands commands) {
  commands_ = commands;
  setReadOnly(commands == TClipboardCommands() || commands == TClipboardCommands(ccCopy));
}

void TUxMemo::SetMemoReadOnly(bool on) {
  setReadOnly(on);
  if (on) commands_ = ccCopy;
}

bool TUxMemo::RefusedCommand(const QKeyEvent* event) const {
  const struct {
    QKeySequence::StandardKey key;
    TClipboardCommand command;
  } commands[] = {{QKeySequence::Copy, ccCopy},
                  {QKeySequence::Cut, ccCut},
                  {QKeySequence::Paste, ccPaste},
                  {QKeySequence::Undo, ccUndo}};
  for (const auto& c : commands)
    if (event->matches(c.key)) return !commands_.testFlag(c.command);
  return false;
}

void TUxMemo::keyPressEvent(QKeyEvent* event) {
  if (RefusedCommand(event)) return;
  QPlainTextEdit::keyPressEvent(event);
}

void TUxMemo::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  const struct {
    const char* name;
    TClipboardCommand command;
  } actions[] = {{"edit-copy", ccCopy}, {"edit-cut", ccCut}, {"edit-paste", ccPaste}, {"edit-undo", ccUndo}};
  for (QAction* action : menu->actions())
    for (const auto& a : actions)
      if (action->objectName() == QLatin1String(a.name) && !commands_.testFlag(a.command)) action->setEnabled(false);
  menu->exec(event->globalPos());
  delete menu;
}
