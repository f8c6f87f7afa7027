#pragma once
#include "core/DataSource.h"
#include <QtCore/QPointer>
#include <QtCore/QVariant>
#include <QtWidgets/QComboBox>

class TDataSource;

// A drop-down list of the rows of a data source's data set: it shows the
// list field (several ";"-separated fields joined by blanks) and yields the
// key field's value of the chosen row. The rows are read again each time
// the list opens, the data set opened first when it is closed.
class TrpLookupComboBox : public QComboBox {
  Q_OBJECT
public:
  explicit TrpLookupComboBox(QWidget* parent = nullptr);

  TDataSource* ListSource() const { return listSource_; }
  void SetListSource(TDataSource* source);
  QString KeyField, ListField;

  // The key of the chosen row: set by the program or the user's choice; null before either.
  const QVariant& KeyValue() const { return keyValue_; }
  void SetKeyValue(const QVariant& value);
  // Reads the rows; a data set that cannot be read leaves the list empty.
  void Refill();
  void showPopup() override;

private:
  QPointer<TDataSource> listSource_;
  QVariant keyValue_;
};
