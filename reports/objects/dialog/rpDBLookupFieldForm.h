#pragma once
#include "core/ui/Form.h"

class QComboBox;
class QLineEdit;
class TIBQuery;

// A new lookup field of a data set: its name, type and size, the data set's
// key fields, and the lookup data set with its key and result fields. OK
// adds the field; a string field needs a whole-number size.
class TrpDBLookupFieldForm : public TForm {
  Q_OBJECT
public:
  explicit TrpDBLookupFieldForm(TIBQuery& dataSet, QWidget* parent = nullptr);

  QLineEdit *NameEdit = nullptr, *SizeEdit = nullptr;
  QComboBox *TypeList = nullptr, *KeyFieldBox = nullptr, *DataSetBox = nullptr, *LookupKeyBox = nullptr,
            *ResultBox = nullptr;

  // Fills the lookup key and result lists with the chosen data set's fields.
  void DataSetChosen();
  // Adds the field and closes with OK; a bad size is reported and the window stays.
  void Confirm();

private:
  TIBQuery& dataSet_;
};
