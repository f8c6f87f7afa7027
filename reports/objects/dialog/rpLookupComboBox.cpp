#include "reports/objects/dialog/rpLookupComboBox.h"
#include "core/DataSource.h"
#include "core/Exception.h"

TrpLookupComboBox::TrpLookupComboBox(QWidget* parent) : QComboBox(parent) {
  connect(this, &QComboBox::activated, this, [this](int index) { keyValue_ = itemData(index); });
}

void TrpLookupComboBox::SetListSource(TDataSource* source) {
  listSource_ = source;
  Refill();
}

void TrpLookupComboBox::SetKeyValue(const QVariant& value) {
  keyValue_ = value;
  Refill();
}

void TrpLookupComboBox::Refill() {
  clear();
  TDataSet* dataSet = listSource_ ? listSource_->DataSet() : nullptr;
  if (!dataSet || KeyField.isEmpty() || ListField.isEmpty()) return;
  try {
    if (!dataSet->Active()) dataSet->Open();
    const int key = dataSet->FieldByName(KeyField).Index();
    QList<int> shown;
    for (const QString& name : ListField.split(QLatin1Char(';'), Qt::SkipEmptyParts))
      shown.append(dataSet->FieldByName(name.trimmed()).Index());
    int chosen = -1;
    for (int row = 0; row < dataSet->RecordCount(); ++row) {
      QStringList texts;
      for (int field : shown)
        texts.append(VariantText(dataSet->ValueAt(row, field)));
      const QVariant keyValue = dataSet->ValueAt(row, key);
      addItem(texts.join(QLatin1Char(' ')), keyValue);
      if (chosen < 0 && !keyValue_.isNull() && VariantText(keyValue) == VariantText(keyValue_)) chosen = row;
    }
    setCurrentIndex(chosen);
  } catch (const Exception&) {
    clear(); // a data set that cannot be read has no rows to offer
  }
}

void TrpLookupComboBox::showPopup() {
  Refill();
  QComboBox::showPopup();
}
