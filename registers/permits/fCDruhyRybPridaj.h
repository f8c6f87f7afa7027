#pragma once
#include "registers/common/DialogForm.h"

class TIBComboBox;
class TIBCurrencyEdit;
class TIBEdit;

// The add/edit dialog of a fish species: its name (unique in any case), its
// group (any text, the known ones offered), its type, mark, council number
// and unit price.
class TfrmCDruhyRybPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmCDruhyRybPridaj(QWidget* owner = nullptr);
  ~TfrmCDruhyRybPridaj() override;

  TIBEdit* eDBNazov;
  TIBComboBox *eDBDruh, *eDBTyp;
  TIBEdit* eDBSkratka;
  TIBCurrencyEdit *eDBCislo, *eDBCena;
};
