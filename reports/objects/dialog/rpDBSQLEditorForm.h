#pragma once
#include "core/ui/Form.h"

class TrpSyntaxMemo;
class TrpSpeedButton;

// The SQL editor of a query: open and save the text to a file, cut, copy,
// paste, the SQL builder (which has no action), cancel and OK above the
// designer's syntax memo in SQL colouring and the designer's script font.
// Ctrl+Enter closes with OK, Esc in the memo with cancel.
class TrpDBSQLEditorForm : public TForm {
  Q_OBJECT
public:
  explicit TrpDBSQLEditorForm(QWidget* parent = nullptr);

  TrpSyntaxMemo* Memo = nullptr;

protected:
  bool FormKeyDown(QKeyEvent* event) override;

private:
  // The designer's script font from the registry.
  static QFont ScriptFont();
  void LoadFromFile();
  void SaveToFile();
};
