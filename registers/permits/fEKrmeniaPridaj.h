#pragma once
#include "registers/common/DialogForm.h"

class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBMemo;
class TSpeedButton;

// The add/edit dialog of a feeding: date, ground and feed of the dialog's
// year, unit price, quantity and unit; the total is their product.
class TfrmEKrmeniaPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEKrmeniaPridaj(QWidget* owner = nullptr);
  ~TfrmEKrmeniaPridaj() override;

  TIBDate* eDBDatum;
  TIBComboBox *eDBRevir, *eDBKrmivo, *eDBMJ;
  TSpeedButton *btnRevir, *btnKrmivo;
  TIBCurrencyEdit *eDBJC, *eDBMnozstvo, *eDBSpolu;
  TIBMemo* eDBPoznamka;

protected:
  void FormShow() override;

private:
  void PrepocitajSpolu();
};
