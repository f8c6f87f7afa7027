#pragma once
#include "registers/common/DialogForm.h"

class TIBEdit;

// The add/edit dialog of a league: its name, unique in any case.
class TfrmCLigPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmCLigPridaj(QWidget* owner = nullptr);
  ~TfrmCLigPridaj() override;

  TIBEdit* eDBNazov;
};
