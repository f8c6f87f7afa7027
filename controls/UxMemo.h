#pragma once
#include <QtCore/QFlags>
#include <QtWidgets/QPlainTextEdit>

enum TClipboardCommand { ccCopy = 0x1, ccCut = 0x2, ccPaste = 0x4, ccUndo = 0x8 };
Q_DECLARE_FLAGS(TClipboardCommands, TClipboardCommand)
Q_DECLARE_OPERATORS_FOR_FLAGS(TClipboardCommands)

// A multi-line memo that carries out only the clipboard commands in its set
// (keys and context menu alike). Read-only means copy alone; a set of copy
// alone (or nothing) makes the memo read-only, any other set editable.
class TUxMemo : public QPlainTextEdit {
  Q_OBJECT
public:
  explicit TUxMemo(QWidget* parent = nullptr);

  TClipboardCommands ClipboardCommands() const { return commands_; }
  void SetClipboardCommands(TClipboardCommands commands);
  void SetMemoReadOnly(bool on);

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  // True when the key is a clipboard command that the set leaves out.
  bool RefusedCommand(const QKeyEvent* event) const;

private:
  TClipboardCommands commands_ = ccCopy | ccCut | ccPaste | ccUndo;
};
