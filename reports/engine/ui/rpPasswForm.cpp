#include "reports/engine/ui/rpPasswForm.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

TrpPasswForm::TrpPasswForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(55653));
  L1 = new QLabel(rpLoadStr(55654), this);
  L2 = new QLabel(rpLoadStr(55655), this);
  L2->setVisible(false);
  E1 = new QLineEdit(this);
  E1->setEchoMode(QLineEdit::Password);
  OK = new QPushButton(rpLoadStr(55000), this);
  OK->setDefault(true);
  Cancel = new QPushButton(rpLoadStr(55001), this);
  connect(OK, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(Cancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OK);
  buttons->addWidget(Cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(L1);
  layout->addWidget(L2);
  layout->addWidget(E1);
  layout->addLayout(buttons);
}

void TrpPasswForm::FormShow() { E1->setFocus(); }
