#pragma once
#include "core/ui/Form.h"

class QLabel;
class QListWidget;
class QTreeWidget;

// The function chooser: the categories of the installed functions under one
// node for all of them, the functions of the selected category, the call
// pattern (FuncLabel) and the description (DescrLabel) of the selected one.
// After modal result 1 the caller reads FuncLB's current item and the labels.
class TrpFuncForm : public TForm {
  Q_OBJECT
public:
  explicit TrpFuncForm(QWidget* parent = nullptr);

  // Shows a function's description: the call pattern before the first "/",
  // the rest (at most 1000 characters) below; without "/" all of it below.
  void ShowFunction(const QString& name);
  // The call pattern's label (bold) and the description's (wrapped) of this and the argument dialog.
  static void MakeFunctionLabels(QWidget* parent, QLabel*& pattern, QLabel*& description);

  QTreeWidget* Tree1;
  QListWidget* FuncLB;
  QLabel* FuncLabel;
  QLabel* DescrLabel;

private:
  void ShowFunctionsOfCategory();
};
