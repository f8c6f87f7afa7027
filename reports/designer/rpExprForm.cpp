#include "reports/designer/rpExprForm.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/designer/rpExpressionBuilder.h"
#include "reports/designer/rpFieldsForm.h"
#include "reports/designer/rpFuncArgForm.h"
#include "reports/designer/rpFuncForm.h"
#include "reports/designer/rpVarForm.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

TrpExprForm::TrpExprForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53700));
  GroupBox1 = new QGroupBox(rpLoadStr(53701), this);
  ExprMemo = new QPlainTextEdit(GroupBox1);
  ExprMemo->setTabChangesFocus(true);
  auto* operators = new QGridLayout;
  const QStringList captions{QStringLiteral("+"),  QStringLiteral("-"),  QStringLiteral("*"),   QStringLiteral("/"),
                             QStringLiteral("="),  QStringLiteral("<>"), QStringLiteral(">"),   QStringLiteral("<"),
                             QStringLiteral(">="), QStringLiteral("<="), QStringLiteral("And"), QStringLiteral("Or"),
                             QStringLiteral("Not")};
  for (const QString& caption : captions) {
    auto* button = new QPushButton(caption, GroupBox1);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, [this, caption] { InsertText(caption + QLatin1Char(' ')); });
    operators->addWidget(button, int(OperatorButtons.size()) / 7, int(OperatorButtons.size()) % 7);
    OperatorButtons.append(button);
  }
  auto* expression = new QVBoxLayout(GroupBox1);
  expression->addWidget(ExprMemo);
  expression->addLayout(operators);

  GroupBox2 = new QGroupBox(rpLoadStr(53702), this);
  InsDBBtn = new QPushButton(rpLoadStr(53703), GroupBox2);
  InsVarBtn = new QPushButton(rpLoadStr(53704), GroupBox2);
  InsFuncBtn = new QPushButton(rpLoadStr(53705), GroupBox2);
  auto* insert = new QVBoxLayout(GroupBox2);
  for (QPushButton* button : {InsDBBtn, InsVarBtn, InsFuncBtn}) {
    button->setAutoDefault(false);
    insert->addWidget(button);
  }
  insert->addStretch();
  connect(InsDBBtn, &QPushButton::clicked, this, &TrpExprForm::InsDBBtnClick);
  connect(InsVarBtn, &QPushButton::clicked, this, &TrpExprForm::InsVarBtnClick);
  connect(InsFuncBtn, &QPushButton::clicked, this, &TrpExprForm::InsFuncBtnClick);

  auto* body = new QHBoxLayout;
  body->addWidget(GroupBox1, 1);
  body->addWidget(GroupBox2);
  // Enter makes a new line in the expression.
  QHBoxLayout* buttons = rpOkCancelRow(this, &OkBtn, &CancelBtn, false);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addLayout(buttons);
  resize(560, 300);
}

void TrpExprForm::FormShow() { ExprMemo->setFocus(); }

void TrpExprForm::InsertText(const QString& text) {
  ExprMemo->insertPlainText(text);
  ExprMemo->setFocus();
}

void TrpExprForm::InsDBBtnClick() {
  TrpFieldsForm form;
  if (form.ShowModal() == mrOk && !form.SelectedField.isEmpty()) InsertText(rpBracketIfNeeded(form.SelectedField));
}

void TrpExprForm::InsVarBtnClick() {
  TrpVarForm form;
  if (form.ShowModal() == mrOk && !form.SelectedVariable.isEmpty())
    InsertText(rpBracketIfNeeded(form.SelectedVariable));
}

void TrpExprForm::InsFuncBtnClick() {
  TrpFuncForm form;
  if (form.ShowModal() != mrOk || !form.FuncLB->currentItem()) return;
  const QString name = form.FuncLB->currentItem()->text();
  if (!form.FuncLabel->text().contains(QLatin1Char('('))) {
    InsertText(rpBracketIfNeeded(name));
    return;
  }
  TrpFuncArgForm arguments;
  arguments.FuncLabel->setText(form.FuncLabel->text());
  arguments.DescrLabel->setText(form.DescrLabel->text());
  arguments.FunctionText = name;
  if (arguments.ShowModal() == mrOk) InsertText(arguments.FunctionText);
}
