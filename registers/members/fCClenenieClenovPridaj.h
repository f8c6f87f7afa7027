#pragma once
#include "registers/common/DialogForm.h"

class QLabel;
class TIBEdit;

// The add/edit dialog of a member group: its unique name, at most 25 characters.
class TfrmCClenenieClenovPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmCClenenieClenovPridaj(QWidget* owner = nullptr);
  ~TfrmCClenenieClenovPridaj() override;

  QLabel* lblNazov;
  TIBEdit* eDBNazov;
};
