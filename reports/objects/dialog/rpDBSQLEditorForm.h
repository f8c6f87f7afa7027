#pragma once
#include "core/ui/Form.h"

class QPlainTextEdit;
class TrpSpeedButton;

// The SQL editor of a query: open and save the text to a file, cut, copy,
// paste, the SQL builder (which has no action), cancel and OK above the
// memo. Ctrl+Enter closes with OK, Esc in the memo with cancel. The memo is
// a plain text memo in the designer's script font until the designer's
// syntax memo can take its place.
class TrpDBSQLEditorForm : public TForm {
  Q_OBJECT
public:
  explicit TrpDBSQLEditorForm(QWidget* parent = nullptr);

  QPlainTextEdit* Memo = nullptr;

protected:
  bool FormKeyDown(QKeyEvent* event) override;

private:
  // The designer's script font from the registry.
  static QFont ScriptFont();
  void LoadFromFile();
  void SaveToFile();
};
