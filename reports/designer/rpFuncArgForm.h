#pragma once
#include "core/ui/Form.h"

class QLabel;
class TrpComboEdit;

// The function-argument dialog: up to three arguments of the function named
// by FunctionText, as many as the call pattern in FuncLabel has (one more
// per comma). Each argument's button composes it in an expression dialog.
// Closing composes the call into FunctionText.
class TrpFuncArgForm : public TForm {
  Q_OBJECT
public:
  explicit TrpFuncArgForm(QWidget* parent = nullptr);

  // name(a1, a2, a3): the first argument always, the others only when not empty.
  static QString ComposeCall(const QString& name, const QString& first, const QString& second, const QString& third);

  QLabel* FuncLabel;
  QLabel* DescrLabel;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  TrpComboEdit* ArgEdit1;
  TrpComboEdit* ArgEdit2;
  TrpComboEdit* ArgEdit3;
  QString FunctionText;

protected:
  void FormShow() override;
  void FormClose(TCloseAction& action) override;

private:
  void ComposeArgument(TrpComboEdit* edit);
};
