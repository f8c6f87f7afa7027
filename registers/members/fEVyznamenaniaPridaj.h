#pragma once
#include "registers/common/DialogForm.h"

class TIBComboBox;
class TIBCurrencyEdit;
class TIBMemo;
class TSpeedButton;

// The add/edit dialog of an award: member, award, the year it was given
// (1 to 9999; a new award proposes last calendar year), note.
class TfrmEVyznamenaniaPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEVyznamenaniaPridaj(QWidget* owner = nullptr);
  ~TfrmEVyznamenaniaPridaj() override;

  TIBComboBox *eDBClen, *eDBNazov;
  TSpeedButton* btnClen;
  TIBCurrencyEdit* eDBRok;
  TIBMemo* eDBPoznamka;
};
