#include "reports/objects/dialog/rpDBFieldsEditorForm.h"
#include "db/IBQuery.h"
#include "reports/engine/rpUtils.h"
#include "reports/objects/dialog/rpDBLookupFieldForm.h"
#include "reports/objects/dialog/rpDBUtils.h"
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

TrpDBFieldsEditorForm::TrpDBFieldsEditorForm(TIBQuery& dataSet, QWidget* parent) : TForm(parent), dataSet_(dataSet) {
  setObjectName(QStringLiteral("rpDBFieldsEditorForm"));
  SetCaption(dataSet.objectName() + QLatin1Char(' ') + rpLoadStr(55239));
  auto* layout = new QHBoxLayout(this);
  FieldList = new QListWidget(this);
  FieldList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  layout->addWidget(FieldList);
  auto* buttons = new QVBoxLayout;
  layout->addLayout(buttons);
  auto addButton = [&](int id) {
    auto* button = new QPushButton(rpLoadStr(id), this);
    buttons->addWidget(button);
    return button;
  };
  connect(addButton(56040), &QPushButton::clicked, this, &TrpDBFieldsEditorForm::AddFields);
  connect(addButton(56041), &QPushButton::clicked, this, &TrpDBFieldsEditorForm::AddLookupField);
  connect(addButton(56042), &QPushButton::clicked, FieldList, &QListWidget::selectAll);
  connect(addButton(56043), &QPushButton::clicked, this, &TrpDBFieldsEditorForm::DeleteSelected);
  connect(addButton(56044), &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  buttons->addStretch();
  RebuildList();
}

void TrpDBFieldsEditorForm::RebuildList() {
  FieldList->clear();
  for (const TIBPersistentField& field : dataSet_.PersistentFields())
    FieldList->addItem(field.FieldName);
}

void TrpDBFieldsEditorForm::AddFields() {
  TrpDBFieldsListForm list(dataSet_, this);
  if (list.ShowModal() == mrOk) list.AddSelected();
  RebuildList();
}

void TrpDBFieldsEditorForm::AddLookupField() {
  TrpDBLookupFieldForm(dataSet_, this).ShowModal();
  RebuildList();
}

void TrpDBFieldsEditorForm::DeleteSelected() {
  for (const QListWidgetItem* item : FieldList->selectedItems())
    dataSet_.RemovePersistentField(item->text());
  RebuildList();
}

TrpDBFieldsListForm::TrpDBFieldsListForm(TIBQuery& dataSet, QWidget* parent) : TForm(parent), dataSet_(dataSet) {
  setObjectName(QStringLiteral("rpDBFieldsListForm"));
  SetCaption(rpLoadStr(56060));
  auto* layout = new QVBoxLayout(this);
  FieldList = new QListWidget(this);
  FieldList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  layout->addWidget(FieldList);
  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  auto* ok = new QPushButton(rpLoadStr(55000), this);
  auto* cancel = new QPushButton(rpLoadStr(55001), this);
  ok->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  connect(ok, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(cancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  defs_ = dataSet.FieldDefinitions();
  for (const TFieldDef& def : defs_)
    if (!dataSet.FindPersistentField(def.Name)) FieldList->addItem(def.Name);
  FieldList->selectAll();
}

void TrpDBFieldsListForm::AddSelected() {
  for (const QListWidgetItem* item : FieldList->selectedItems()) {
    const TFieldDef* def = rpFindFieldDef(defs_, item->text());
    if (!def) continue;
    TIBPersistentField field;
    field.FieldName = def->Name;
    field.DataType = IBFieldTypeOf(def->DataType);
    field.Size = def->DataType == TFieldType::String ? def->Size : 0;
    dataSet_.AddPersistentField(field);
  }
}
