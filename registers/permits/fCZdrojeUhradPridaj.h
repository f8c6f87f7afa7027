#pragma once
#include "registers/common/DialogForm.h"

class TIBCheckBox;
class TIBEdit;

// The add/edit dialog of a payment source: its name (names may repeat) and
// whether its purchases count in the stocking reports (ticked for a new one).
class TfrmCZdrojeUhradPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmCZdrojeUhradPridaj(QWidget* owner = nullptr);
  ~TfrmCZdrojeUhradPridaj() override;

  TIBEdit* eDBNazov;
  TIBCheckBox* eDBVykazRady;
};
