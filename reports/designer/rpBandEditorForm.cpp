#include "reports/designer/rpBandEditorForm.h"
#include "reports/designer/rpBandChoices.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QVBoxLayout>

TrpBandEditorForm::TrpBandEditorForm(QWidget* parent) : TrpObjEditorForm(parent) {
  SetCaption(rpLoadStr(53480));
  SourcesLB = new QListWidget(this);
  RecordCountLabel = new QLabel(rpLoadStr(53482), this);
  RecordCountE = new QLineEdit(this);
  RecordCountLabel->setBuddy(RecordCountE);
  connect(SourcesLB, &QListWidget::currentRowChanged, this, [this] { FollowPosition(); });
  connect(SourcesLB, &QListWidget::itemDoubleClicked, this, [this] { SetModalResult(mrOk); });
  auto* count = new QHBoxLayout;
  count->addWidget(RecordCountLabel);
  count->addWidget(RecordCountE, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(SourcesLB, 1);
  layout->addLayout(count);
  layout->addLayout(rpOkCancelRow(this));
  resize(260, 300);
}

TrpBandEditorForm::~TrpBandEditorForm() = default;

void TrpBandEditorForm::FollowPosition() {
  const bool virtualSource = SourcesLB->currentRow() == TrpBandSourceList::Virtual;
  RecordCountLabel->setEnabled(virtualSource);
  RecordCountE->setEnabled(virtualSource);
}

int TrpBandEditorForm::ShowEditor(TrpView* object) {
  auto* band = dynamic_cast<TrpBandView*>(object);
  if (!band) return mrCancel;
  sources_ = std::make_unique<TrpBandSourceList>(TrpBandSourceList::DesignedDictionary());
  SourcesLB->clear();
  SourcesLB->addItems(sources_->Entries());
  const QString text = band->DisplayFormatText;
  const int position = sources_->PositionOf(text);
  RecordCountE->setText(position == TrpBandSourceList::Virtual ? text : QString());
  SourcesLB->setCurrentRow(position);
  FollowPosition();
  SourcesLB->setFocus();
  const int result = ShowModal();
  if (result != mrOk) return result;
  if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->BeforeChange();
  band->DisplayFormatText = sources_->TextAt(SourcesLB->currentRow(), RecordCountE->text());
  return result;
}
