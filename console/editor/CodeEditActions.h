#pragma once
#include <QtGui/QAction>

class TCustomCodeEdit;

enum class TEditActionKind { Cut, Copy, Paste, Delete, Undo, SelectAll };

// One of the standard edit actions of a window (cut, copy, paste, delete,
// undo, select all). It runs on the editor that has the focus, and its
// enabled state follows that editor whenever the focus moves or Update is
// called; without a focused editor it is left as it is.
class TEditAction : public QAction {
  Q_OBJECT
public:
  TEditAction(TEditActionKind kind, QObject* parent = nullptr);
  TEditActionKind Kind() const { return kind_; }

  // The editor that has the focus, if any.
  static TCustomCodeEdit* FocusedEditor();
  // Runs the action on the focused editor; false without one.
  bool Execute();
  // Takes the enabled state from the focused editor; false without one.
  bool Update();

private:
  TEditActionKind kind_;
};
