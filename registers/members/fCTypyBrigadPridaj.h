#pragma once
#include "registers/common/DialogForm.h"

class QLabel;
class TIBEdit;

// The add/edit dialog of a work-duty type: its name (required, at most 50
// characters, not unique); a new type belongs to the dialog's year.
class TfrmCTypyBrigadPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmCTypyBrigadPridaj(QWidget* owner = nullptr);
  ~TfrmCTypyBrigadPridaj() override;

  QLabel* lblNazov;
  TIBEdit* eDBNazov;
};
