#include "reports/designer/rpFuncArgForm.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/designer/rpExprForm.h"
#include "reports/designer/rpFuncForm.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpComboEdit.h"
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

TrpFuncArgForm::TrpFuncArgForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53730));
  TrpFuncForm::MakeFunctionLabels(this, FuncLabel, DescrLabel);
  auto* grid = new QGridLayout;
  grid->setColumnStretch(1, 1);
  QLabel** labels[] = {&Label1, &Label2, &Label3};
  TrpComboEdit** edits[] = {&ArgEdit1, &ArgEdit2, &ArgEdit3};
  for (int i = 0; i < 3; ++i) {
    *labels[i] = new QLabel(rpLoadStr(53731) + QStringLiteral(" &") + QString::number(i + 1), this);
    TrpComboEdit* edit = *edits[i] = new TrpComboEdit(this);
    edit->SetButtonHint(rpLoadStr(53575));
    (*labels[i])->setBuddy(edit);
    connect(edit, &TrpComboEdit::ButtonClicked, this, [this, edit] { ComposeArgument(edit); });
    grid->addWidget(*labels[i], i, 0);
    grid->addWidget(edit, i, 1);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FuncLabel);
  layout->addWidget(DescrLabel);
  layout->addLayout(grid);
  layout->addStretch();
  layout->addLayout(rpOkCancelRow(this));
  resize(460, 260);
}

QString TrpFuncArgForm::ComposeCall(const QString& name, const QString& first, const QString& second,
                                    const QString& third) {
  QString call = name + QLatin1Char('(') + first;
  for (const QString& argument : {second, third})
    if (!argument.isEmpty()) call += QStringLiteral(", ") + argument;
  return call + QLatin1Char(')');
}

void TrpFuncArgForm::FormShow() {
  Label2->setEnabled(false);
  ArgEdit2->setEnabled(false);
  Label3->setEnabled(false);
  ArgEdit3->setEnabled(false);
  // One more argument for every comma of the call pattern, at most three.
  const int commas = int(FuncLabel->text().count(QLatin1Char(',')));
  if (commas >= 1) {
    Label2->setEnabled(true);
    ArgEdit2->setEnabled(true);
  }
  if (commas >= 2) {
    Label3->setEnabled(true);
    ArgEdit3->setEnabled(true);
  }
  ArgEdit1->setFocus();
}

void TrpFuncArgForm::FormClose(TCloseAction&) {
  FunctionText = ComposeCall(FunctionText, ArgEdit1->currentText(), ArgEdit2->currentText(), ArgEdit3->currentText());
}

void TrpFuncArgForm::ComposeArgument(TrpComboEdit* edit) {
  TrpExprForm form;
  if (form.ShowModal() == mrOk) edit->setEditText(form.ExprMemo->toPlainText());
}
