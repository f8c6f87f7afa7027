#pragma once
#include "reports/engine/ui/rpObjEditorForm.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class TrpBarCodeView;
class TrpComboEdit;

// The barcode's editor: the code (with the designer's expression chooser),
// the symbology, check sum, text beneath, zoom and rotation. OK checks every
// entry before it changes anything: a code the symbology rejects or a zoom
// that is no positive number keeps the dialog open with a message.
class TrpBarCodeForm : public TrpObjEditorForm {
  Q_OBJECT
public:
  explicit TrpBarCodeForm(QWidget* parent = nullptr);

  int ShowEditor(TrpView* object) override;
  // False, after saying why, when an entry cannot be taken.
  bool EntriesValid();
  void Apply(TrpBarCodeView& view);

  QLabel* Label1;
  TrpComboEdit* M1;
  QLabel* Label2;
  QComboBox* cbType;
  QGroupBox* GroupBox1;
  QCheckBox* ckCheckSum;
  QCheckBox* ckViewText;
  QLabel* Label3;
  QLineEdit* eZoom;
  QToolButton* ZoomUp;
  QToolButton* ZoomDown;
  QGroupBox* GroupBox2;
  QRadioButton* RB1;
  QRadioButton* RB2;
  QRadioButton* RB3;
  QRadioButton* RB4;
  QPushButton* bOk;
  QPushButton* bCancel;

protected:
  void FormActivate() override;

private:
  void Fill(const TrpBarCodeView& view);
  void StepZoom(int step);
  double ZoomValue(bool* ok) const;
};
