#pragma once
#include "core/DataSet.h"
#include "core/ui/Form.h"
#include <QtCore/QPointer>

class QCheckBox;
class QComboBox;
class QListWidget;
class QRadioButton;
class TrpReport;

// The insert-fields dialog: a data set of the report's dictionary, some of
// its fields, their placement and whether headers and bands come with them.
class TrpInsertFieldsForm : public TForm {
  Q_OBJECT
public:
  explicit TrpInsertFieldsForm(TrpReport& report, QWidget* parent = nullptr);

  // The program data set behind the chosen entry; null when there is none.
  TDataSet* DataSet() const { return dataSet_; }
  QString DataSetName() const;
  // The selected fields as listed, in list order.
  QStringList SelectedFields() const;

  QComboBox* DatasetCB;
  QListWidget* FieldsLB;
  QRadioButton* HorzRB;
  QRadioButton* VertRB;
  QCheckBox* HeaderCB;
  QCheckBox* BandCB;

private:
  void ChooseDataSet();

  TrpReport& report_;
  QPointer<TDataSet> dataSet_;
};
