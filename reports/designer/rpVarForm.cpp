#include "reports/designer/rpVarForm.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/designer/rpExpressionBuilder.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace {
constexpr int kSystemVariableCount = 9; // PAGE# .. TOTALPAGES; the expression entry (1) is never offered
}

TrpVarForm::TrpVarForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53440));
  CategoryLB = new QListWidget(this);
  VarLB = new QListWidget(this);
  connect(CategoryLB, &QListWidget::currentRowChanged, this, &TrpVarForm::ShowVariablesOfCategory);
  connect(VarLB, &QListWidget::itemDoubleClicked, this, [this] { SetModalResult(mrOk); });
  auto* lists = new QHBoxLayout;
  lists->addWidget(CategoryLB);
  lists->addWidget(VarLB);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists);
  layout->addLayout(rpOkCancelRow(this));
  resize(420, 320);
}

QString TrpVarForm::SystemVariableAt(int position) {
  const int index = position <= 0 ? 0 : position + 1;
  return index < kSystemVariableCount ? rpSystemVariableNames().value(index) : QString();
}

void TrpVarForm::FormShow() {
  SelectedVariable.clear();
  CategoryLB->clear();
  if (const TrpReport* report = rpDesignedReport()) CategoryLB->addItems(report->Dictionary.ListCategories());
  CategoryLB->addItem(rpLoadStr(55075));
  const QList<QListWidgetItem*> last = CategoryLB->findItems(rpLastVariableCategory(), Qt::MatchExactly);
  CategoryLB->setCurrentRow(last.isEmpty() ? 0 : CategoryLB->row(last.first()));
  ShowVariablesOfCategory();
  VarLB->setFocus();
}

bool TrpVarForm::SystemCategoryShown() const { return CategoryLB->currentRow() == CategoryLB->count() - 1; }

void TrpVarForm::ShowVariablesOfCategory() {
  VarLB->clear();
  if (!CategoryLB->currentItem()) return;
  if (SystemCategoryShown()) {
    for (int index = 0; index < kSystemVariableCount; ++index)
      if (index != 1) VarLB->addItem(rpLoadStr(55110 + index));
  } else if (const TrpReport* report = rpDesignedReport()) {
    VarLB->addItems(report->Dictionary.ListVariablesOfCategory(CategoryLB->currentItem()->text()));
  }
  if (VarLB->count() > 0) VarLB->setCurrentRow(0);
}

void TrpVarForm::FormClose(TCloseAction&) {
  if (ModalResult() == mrOk) {
    if (SystemCategoryShown())
      SelectedVariable = SystemVariableAt(VarLB->currentRow());
    else if (VarLB->currentItem())
      SelectedVariable = VarLB->currentItem()->text();
  }
  if (CategoryLB->currentItem()) rpLastVariableCategory() = CategoryLB->currentItem()->text();
}
