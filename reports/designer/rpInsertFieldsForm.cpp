#include "reports/designer/rpInsertFieldsForm.h"
#include "core/DataSet.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

TrpInsertFieldsForm::TrpInsertFieldsForm(TrpReport& report, QWidget* parent) : TForm(parent), report_(report) {
  SetCaption(rpLoadStr(53630));
  resize(320, 360);
  auto* layout = new QVBoxLayout(this);
  auto* datasetLabel = new QLabel(rpLoadStr(53631), this);
  DatasetCB = new QComboBox(this);
  DatasetCB->setObjectName(QStringLiteral("DatasetCB"));
  datasetLabel->setBuddy(DatasetCB);
  layout->addWidget(datasetLabel);
  layout->addWidget(DatasetCB);
  FieldsLB = new QListWidget(this);
  FieldsLB->setObjectName(QStringLiteral("FieldsLB"));
  FieldsLB->setSelectionMode(QAbstractItemView::ExtendedSelection);
  layout->addWidget(FieldsLB, 1);
  auto* placement = new QGroupBox(rpLoadStr(53632), this);
  auto* placementLayout = new QHBoxLayout(placement);
  HorzRB = new QRadioButton(rpLoadStr(53633), placement);
  VertRB = new QRadioButton(rpLoadStr(53634), placement);
  HorzRB->setChecked(true);
  placementLayout->addWidget(HorzRB);
  placementLayout->addWidget(VertRB);
  layout->addWidget(placement);
  HeaderCB = new QCheckBox(rpLoadStr(53635), this);
  BandCB = new QCheckBox(rpLoadStr(53636), this);
  HeaderCB->setChecked(true);
  BandCB->setChecked(true);
  layout->addWidget(HeaderCB);
  layout->addWidget(BandCB);
  layout->addLayout(rpOkCancelRow(this));

  DatasetCB->addItems(report_.Dictionary.ListDataSets());
  connect(DatasetCB, &QComboBox::currentIndexChanged, this, [this] { ChooseDataSet(); });
  ChooseDataSet();
}

QString TrpInsertFieldsForm::DataSetName() const { return DatasetCB->currentText(); }

QStringList TrpInsertFieldsForm::SelectedFields() const {
  QStringList fields;
  for (int i = 0; i < FieldsLB->count(); ++i)
    if (FieldsLB->item(i)->isSelected()) fields << FieldsLB->item(i)->text();
  return fields;
}

void TrpInsertFieldsForm::ChooseDataSet() {
  FieldsLB->clear();
  dataSet_ = nullptr;
  const QString shown = DatasetCB->currentText();
  if (shown.isEmpty()) return;
  dataSet_ = qobject_cast<TDataSet*>(rpFindDataSet(&report_, report_.Dictionary.DataSetOfAlias(shown)));
  FieldsLB->addItems(report_.Dictionary.ListFields(shown));
}
