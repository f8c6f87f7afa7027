#include "reports/engine/ui/rpFindForm.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

TrpPreviewSearchForm::TrpPreviewSearchForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53000));
  Label1 = new QLabel(rpLoadStr(53001), this);
  Edit1 = new QLineEdit(this);
  Label1->setBuddy(Edit1);
  GroupBox1 = new QGroupBox(rpLoadStr(53002), this);
  CB1 = new QCheckBox(rpLoadStr(53003), GroupBox1);
  (new QVBoxLayout(GroupBox1))->addWidget(CB1);
  GroupBox2 = new QGroupBox(rpLoadStr(53004), this);
  RB1 = new QRadioButton(rpLoadStr(53005), GroupBox2);
  RB2 = new QRadioButton(rpLoadStr(53006).trimmed(), GroupBox2);
  RB1->setChecked(true);
  auto* from = new QVBoxLayout(GroupBox2);
  from->addWidget(RB1);
  from->addWidget(RB2);
  Button1 = new QPushButton(rpLoadStr(55000), this);
  Button1->setDefault(true);
  Button2 = new QPushButton(rpLoadStr(55001), this);
  connect(Button1, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(Button2, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  auto* options = new QHBoxLayout;
  options->addWidget(GroupBox1);
  options->addWidget(GroupBox2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Edit1);
  layout->addLayout(options);
  layout->addLayout(buttons);
}

void TrpPreviewSearchForm::FormActivate() {
  Edit1->setFocus();
  Edit1->selectAll();
}
