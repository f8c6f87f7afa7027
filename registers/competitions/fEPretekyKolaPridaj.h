#pragma once
#include "registers/common/DialogForm.h"

class TIBCurrencyEdit;
class TIBEdit;

// The add/edit dialog of a round: its number in the competition (unique
// there, the database refuses a second), its number in the year (the column
// of the yearly tables its results go into) and its name.
class TfrmEPretekyKolaPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEPretekyKolaPridaj(QWidget* owner = nullptr);
  ~TfrmEPretekyKolaPridaj() override;

  // The competition a new round belongs to (set by the list before the add run).
  int Preteky = 0;

  TIBCurrencyEdit *eDBCislo, *eDBCisloVRoku;
  TIBEdit* eDBNazov;
};
