#pragma once
#include "registers/common/DialogForm.h"

class TIBCheckBox;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBEdit;
class TIBMemo;
class TSpeedButton;

// The add/edit dialog of a disciplinary offence. A chosen member's person
// data are copied into the offence and locked; anyone else's are typed. A
// fine paid in full ticks "settled" by itself.
class TfrmEPriestupkyPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEPriestupkyPridaj(QWidget* owner = nullptr);
  ~TfrmEPriestupkyPridaj() override;

  TIBDate* eDBDatum;
  TIBComboBox* eDBClen;
  TSpeedButton* btnClen;
  TIBEdit *eDBTitul, *eDBMeno, *eDBPriezvisko, *eDBUlica, *eDBPSC, *eDBMesto;
  TIBDate* eDBDatumNarodenia;
  TIBComboBox* eDBRevir;
  TSpeedButton* btnRevir;
  TIBComboBox* eDBPriestupok;
  TIBCurrencyEdit* eDBPokuta;
  TIBDate* eDBDatumZaplatenia;
  TIBCurrencyEdit* eDBPokutaZaplatena;
  TIBMemo* eDBPoznamka;
  TIBCheckBox* eDBVybaveny;

  void eDBClenChange();
  void eDBPokutaChange();

protected:
  void FormShow() override;
};
