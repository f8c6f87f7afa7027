#include "reports/objects/dialog/rpDBLookupFieldForm.h"
#include "db/IBQuery.h"
#include "platform/MessageDialogs.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpWindowControl.h"
#include "reports/objects/dialog/rpDBUtils.h"
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace {

// The ten field types the dialog offers, in the order of their names.
const TIBFieldType kLookupFieldTypes[] = {TIBFieldType::ftString,   TIBFieldType::ftSmallint, TIBFieldType::ftInteger,
                                          TIBFieldType::ftWord,     TIBFieldType::ftBoolean,  TIBFieldType::ftFloat,
                                          TIBFieldType::ftCurrency, TIBFieldType::ftDate,     TIBFieldType::ftTime,
                                          TIBFieldType::ftBlob};

QComboBox* AddLookupRow(QFormLayout& form, int captionId, bool editable, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setEditable(editable);
  form.addRow(rpLoadStr(captionId), box);
  return box;
}

} // namespace

TrpDBLookupFieldForm::TrpDBLookupFieldForm(TIBQuery& dataSet, QWidget* parent) : TForm(parent), dataSet_(dataSet) {
  setObjectName(QStringLiteral("rpDBLookupFieldForm"));
  SetCaption(rpLoadStr(56070));
  auto* layout = new QVBoxLayout(this);
  auto* fieldGroup = new QGroupBox(rpLoadStr(56071), this);
  auto* fieldForm = new QFormLayout(fieldGroup);
  NameEdit = new QLineEdit(fieldGroup);
  fieldForm->addRow(rpLoadStr(56072), NameEdit);
  TypeList = AddLookupRow(*fieldForm, 56073, false, fieldGroup);
  SizeEdit = new QLineEdit(fieldGroup);
  fieldForm->addRow(rpLoadStr(56074), SizeEdit);
  layout->addWidget(fieldGroup);
  auto* lookupGroup = new QGroupBox(rpLoadStr(56075), this);
  auto* lookupForm = new QFormLayout(lookupGroup);
  KeyFieldBox = AddLookupRow(*lookupForm, 56076, true, lookupGroup);
  DataSetBox = AddLookupRow(*lookupForm, 56077, false, lookupGroup);
  LookupKeyBox = AddLookupRow(*lookupForm, 56078, true, lookupGroup);
  ResultBox = AddLookupRow(*lookupForm, 56079, true, lookupGroup);
  layout->addWidget(lookupGroup);
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(rpLoadStr(55000), this);
  auto* cancel = new QPushButton(rpLoadStr(55001), this);
  ok->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &TrpDBLookupFieldForm::Confirm);
  connect(cancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });

  for (int i = 0; i < 10; ++i)
    TypeList->addItem(rpLoadStr(55243 + i));
  TypeList->setCurrentIndex(0);
  QStringList fields;
  for (const TFieldDef& def : dataSet.FieldDefinitions())
    fields.append(def.Name);
  KeyFieldBox->addItems(fields);
  DataSetBox->addItems(rpComponentNames(rpDialogForm(), TDataSet::staticMetaObject, &dataSet));
  DataSetBox->setCurrentIndex(-1);
  connect(DataSetBox, &QComboBox::currentIndexChanged, this, &TrpDBLookupFieldForm::DataSetChosen);
}

void TrpDBLookupFieldForm::DataSetChosen() {
  auto* lookup = qobject_cast<TDataSet*>(rpFindComponent(rpDialogForm(), DataSetBox->currentText()));
  QStringList fields;
  if (lookup) rpGetFieldNames(lookup, fields);
  for (QComboBox* box : {LookupKeyBox, ResultBox}) {
    box->clear();
    box->addItems(fields);
    box->setEditText(QString());
  }
}

void TrpDBLookupFieldForm::Confirm() {
  TIBPersistentField field;
  field.DataType = kLookupFieldTypes[qMax(TypeList->currentIndex(), 0)];
  if (field.DataType == TIBFieldType::ftString) {
    bool whole = false;
    field.Size = SizeEdit->text().trimmed().toInt(&whole);
    if (!whole || field.Size <= 0) {
      MessageDlg(rpLoadStr(55346), TMsgDlgType::Error, mbOK, mrOk);
      SizeEdit->clear();
      SizeEdit->setFocus();
      return;
    }
  }
  field.Lookup = true;
  field.FieldName = NameEdit->text().trimmed();
  field.KeyFields = KeyFieldBox->currentText();
  field.LookupDataSet = qobject_cast<TDataSet*>(rpFindComponent(rpDialogForm(), DataSetBox->currentText()));
  field.LookupKeyFields = LookupKeyBox->currentText();
  field.LookupResultField = ResultBox->currentText();
  dataSet_.AddPersistentField(field);
  SetModalResult(mrOk);
}
