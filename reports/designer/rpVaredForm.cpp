#include "reports/designer/rpVaredForm.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/designer/rpDictVariables.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QVBoxLayout>

TrpVaredForm::TrpVaredForm(QWidget* parent) : TForm(parent) {
  setObjectName(QStringLiteral("TrpVaredForm"));
  SetCaption(rpLoadStr(53360));
  auto* label = new QLabel(rpLoadStr(53361), this);
  M1 = new QPlainTextEdit(this);
  M1->setObjectName(QStringLiteral("M1"));
  M1->setLineWrapMode(QPlainTextEdit::NoWrap);
  label->setBuddy(M1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(M1);
  // Enter starts a new line in the memo; OK is pressed, not defaulted.
  layout->addLayout(rpOkCancelRow(this, nullptr, nullptr, false));
  resize(320, 400);
}

void TrpVaredForm::FormShow() {
  if (list_) M1->setPlainText(TrpDictVariables(*list_).EditLines().join(QLatin1Char('\n')));
  M1->setFocus();
}

void TrpVaredForm::FormClose(TCloseAction&) {
  if (ModalResult() == mrOk && list_)
    TrpDictVariables(*list_).ApplyEditLines(M1->toPlainText().split(QLatin1Char('\n')));
}
