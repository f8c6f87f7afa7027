#pragma once
#include "core/ui/Form.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The preview's find dialog: the text, case sensitivity, and whether the
// search starts on the first page (RB1) or the current one (RB2). Callers read
// the controls after modal result 1.
class TrpPreviewSearchForm : public TForm {
  Q_OBJECT
public:
  explicit TrpPreviewSearchForm(QWidget* parent = nullptr);

  QLabel* Label1;
  QLineEdit* Edit1;
  QGroupBox* GroupBox1;
  QCheckBox* CB1;
  QGroupBox* GroupBox2;
  QRadioButton* RB1;
  QRadioButton* RB2;
  QPushButton* Button1;
  QPushButton* Button2;

protected:
  void FormActivate() override;
};
