#include "reports/designer/rpFuncForm.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QVBoxLayout>

TrpFuncForm::TrpFuncForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53720));
  Tree1 = new QTreeWidget(this);
  Tree1->header()->hide();
  FuncLB = new QListWidget(this);
  MakeFunctionLabels(this, FuncLabel, DescrLabel);
  connect(FuncLB, &QListWidget::itemDoubleClicked, this, [this] { SetModalResult(mrOk); });
  connect(FuncLB, &QListWidget::currentTextChanged, this, &TrpFuncForm::ShowFunction);
  connect(Tree1, &QTreeWidget::currentItemChanged, this, &TrpFuncForm::ShowFunctionsOfCategory);

  auto* root = new QTreeWidgetItem(Tree1, {rpLoadStr(55348)});
  if (rpEngineStarted()) {
    QStringList categories;
    rpInstalledFunctions().ListCategories(categories);
    for (const QString& category : categories)
      new QTreeWidgetItem(root, {category});
  }
  Tree1->expandAll();
  Tree1->setCurrentItem(root);

  auto* lists = new QHBoxLayout;
  lists->addWidget(Tree1);
  lists->addWidget(FuncLB);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addWidget(FuncLabel);
  layout->addWidget(DescrLabel);
  layout->addLayout(rpOkCancelRow(this));
  resize(520, 400);
}

void TrpFuncForm::MakeFunctionLabels(QWidget* parent, QLabel*& pattern, QLabel*& description) {
  pattern = new QLabel(parent);
  QFont bold = pattern->font();
  bold.setBold(true);
  pattern->setFont(bold);
  pattern->setTextFormat(Qt::PlainText);
  description = new QLabel(parent);
  description->setTextFormat(Qt::PlainText);
  description->setWordWrap(true);
  description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  description->setMinimumHeight(48);
}

void TrpFuncForm::ShowFunctionsOfCategory() {
  FuncLB->clear();
  if (!Tree1->currentItem() || !rpEngineStarted()) return;
  QStringList names;
  rpInstalledFunctions().ListFunctionsOfCategory(Tree1->currentItem()->text(0), names);
  FuncLB->addItems(names);
  if (FuncLB->count() > 0) FuncLB->setCurrentRow(0);
}

void TrpFuncForm::ShowFunction(const QString& name) {
  const QString description =
      rpEngineStarted() && !name.isEmpty() ? rpInstalledFunctions().DescriptionOf(name) : QString();
  const qsizetype slash = description.indexOf(QLatin1Char('/'));
  FuncLabel->setText(slash < 0 ? QString() : description.left(slash));
  DescrLabel->setText(slash < 0 ? description : description.mid(slash + 1, 1000));
}
