#pragma once
#include "registers/common/DialogForm.h"

class TIBCurrencyEdit;
class TIBEdit;

// The add/edit dialog of an organisation: its number (any whole number of
// up to 4 characters) and its name, unique in any case.
class TfrmCZOPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmCZOPridaj(QWidget* owner = nullptr);
  ~TfrmCZOPridaj() override;

  TIBCurrencyEdit* eDBCislo;
  TIBEdit* eDBNazov;
};
