#pragma once
#include "registers/common/DialogForm.h"

class QLabel;
class TSpeedButton;
class TIBCheckBox;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBEdit;
class TIBMemo;

// The private-car cost of a work event: consumption (litres per 100 km) ×
// kilometres ÷ 100 × fuel price, plus compensation per kilometre × kilometres.
double PrivateCarCost(double spotreba, double km, double cenaPaliva, double nahrada);

// The add/edit dialog of a work-duty record. Its type and ground combos list
// the dialog's year; it computes the private-car cost as the vehicle figures
// change. In an add run everything but the member stays from the record before.
class TfrmEBrigadyPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEBrigadyPridaj(QWidget* owner = nullptr);
  ~TfrmEBrigadyPridaj() override;

  TIBDate* eDBDatum;
  TIBComboBox *eDBClen, *eDBTypyBrigad, *eDBRevir, *eDBPopis;
  TSpeedButton *btnClen, *btnTypyBrigad, *btnRevir;
  TIBCurrencyEdit* eDBHodiny;
  TIBCheckBox* eDBSukromneVozidlo;
  TIBEdit *eDBSPZ, *eDBTyp;
  TIBCurrencyEdit *eDBSpotreba, *eDBNahrada, *eDBKM, *eDBCenaPaliva, *eDBSpolu;
  TIBCheckBox* eDBUhradene;
  TIBMemo* eDBPoznamka;

  void PrepocitajSpolu();
  void eDBPopisEnter();

protected:
  void FormShow() override;
};
