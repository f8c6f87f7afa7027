#pragma once
#include "core/ui/Form.h"

class QGroupBox;
class QPlainTextEdit;
class QPushButton;

// The expression dialog: the expression in ExprMemo, composed with the
// operator buttons and the field, variable and function choosers. The
// caller may preset ExprMemo and reads it after modal result 1.
class TrpExprForm : public TForm {
  Q_OBJECT
public:
  explicit TrpExprForm(QWidget* parent = nullptr);

  // Inserts at the memo's caret, replacing its selection.
  void InsertText(const QString& text);
  // What the three insert buttons do.
  void InsDBBtnClick();
  void InsVarBtnClick();
  void InsFuncBtnClick();

  QGroupBox* GroupBox1;
  QPlainTextEdit* ExprMemo;
  QGroupBox* GroupBox2;
  QPushButton* InsDBBtn;
  QPushButton* InsVarBtn;
  QPushButton* InsFuncBtn;
  QList<QPushButton*> OperatorButtons;
  QPushButton* OkBtn;
  QPushButton* CancelBtn;

protected:
  void FormShow() override;
};
