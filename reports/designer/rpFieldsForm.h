#pragma once
#include "core/ui/Form.h"

class QListWidget;
class QListWidgetItem;

// The DB field chooser: the data sets the report may use and the fields of
// the selected one. After modal result 1 SelectedField is the data set, a
// period and the field in double quotes (as the lists show them), or empty.
class TrpFieldsForm : public TForm {
  Q_OBJECT
public:
  explicit TrpFieldsForm(QWidget* parent = nullptr);

  QListWidget* DatasetsLB;
  QListWidget* FieldsLB;
  QString SelectedField;

protected:
  void FormShow() override;
  void FormClose(TCloseAction& action) override;

private:
  void ShowFieldsOfDataset();
};
