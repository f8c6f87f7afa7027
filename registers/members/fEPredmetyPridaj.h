#pragma once
#include "registers/common/DialogForm.h"

class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBMemo;
class TSpeedButton;

// The add/edit dialog of an entrusted item: member, day lent, name, unit
// price, quantity, return day and returned quantity, note. A return cannot
// come before the loan nor bring back more than was lent.
class TfrmEPredmetyPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEPredmetyPridaj(QWidget* owner = nullptr);
  ~TfrmEPredmetyPridaj() override;

  TIBComboBox* eDBClen;
  TSpeedButton* btnClen;
  TIBDate* eDBDatum;
  TIBComboBox* eDBNazov;
  TIBCurrencyEdit *eDBCena, *eDBMnozstvo;
  TIBDate* eDBDatumVratenia;
  TIBCurrencyEdit* eDBMnozstvoVratene;
  TIBMemo* eDBPoznamka;

  // False (after a message, with the focus on the entry) when the return
  // contradicts the loan.
  bool CheckReturn();
};
