#pragma once
#include "core/ui/Form.h"

class QListWidget;

// The variable chooser: the dictionary's categories and the system
// variables. After modal result 1 SelectedVariable is a variable's name or a
// system variable's engine name ("PAGE#", "TOTALPAGES"...), or empty.
class TrpVarForm : public TForm {
  Q_OBJECT
public:
  explicit TrpVarForm(QWidget* parent = nullptr);

  // The engine name of the system variable at a position of the shown list (index 1 of the table is never shown).
  static QString SystemVariableAt(int position);

  QListWidget* CategoryLB;
  QListWidget* VarLB;
  QString SelectedVariable;

protected:
  void FormShow() override;
  void FormClose(TCloseAction& action) override;

private:
  bool SystemCategoryShown() const;
  void ShowVariablesOfCategory();
};
