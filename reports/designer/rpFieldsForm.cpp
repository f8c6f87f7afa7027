#include "reports/designer/rpFieldsForm.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/designer/rpExpressionBuilder.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

TrpFieldsForm::TrpFieldsForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53450));
  DatasetsLB = new QListWidget(this);
  FieldsLB = new QListWidget(this);
  connect(DatasetsLB, &QListWidget::currentRowChanged, this, &TrpFieldsForm::ShowFieldsOfDataset);
  connect(FieldsLB, &QListWidget::itemDoubleClicked, this, [this] { SetModalResult(mrOk); });
  auto* lists = new QHBoxLayout;
  lists->addWidget(DatasetsLB);
  lists->addWidget(FieldsLB);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists);
  layout->addLayout(rpOkCancelRow(this));
  resize(420, 320);
}

void TrpFieldsForm::FormShow() {
  SelectedField.clear();
  const TrpReport* report = rpDesignedReport();
  DatasetsLB->clear();
  if (report) DatasetsLB->addItems(report->Dictionary.ListDataSets());
  if (DatasetsLB->count() == 0) return;
  const QList<QListWidgetItem*> last = DatasetsLB->findItems(rpLastFieldsDataset(), Qt::MatchExactly);
  DatasetsLB->setCurrentRow(last.isEmpty() || rpLastFieldsDataset().isEmpty() ? 0 : DatasetsLB->row(last.first()));
  ShowFieldsOfDataset();
  FieldsLB->setFocus();
}

void TrpFieldsForm::ShowFieldsOfDataset() {
  FieldsLB->clear();
  const TrpReport* report = rpDesignedReport();
  if (!report || !DatasetsLB->currentItem()) return;
  FieldsLB->addItems(report->Dictionary.ListFields(DatasetsLB->currentItem()->text()));
  if (FieldsLB->count() > 0) FieldsLB->setCurrentRow(0);
}

void TrpFieldsForm::FormClose(TCloseAction&) {
  if (DatasetsLB->count() > 0 && DatasetsLB->currentItem()) rpLastFieldsDataset() = DatasetsLB->currentItem()->text();
  if (ModalResult() == mrOk && DatasetsLB->currentItem() && FieldsLB->currentItem())
    SelectedField =
        DatasetsLB->currentItem()->text() + QStringLiteral(".\"") + FieldsLB->currentItem()->text() + QLatin1Char('"');
  // The keyboard goes back to the designer window it was opened from.
  if (TrpReportDesigner* designer = rpCurrentDesigner(); designer && designer->IsVisible())
    if (auto* window = dynamic_cast<QWidget*>(designer)) window->activateWindow();
}
