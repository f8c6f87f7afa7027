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

  void ClearAll();
  void eDBClenChange();
  void eDBPokutaChange();
  void btnClenClick();
  void btnRevirClick();

protected:
  void FormShow() override;

private:
  void Load(class TIBQuery& q);
  void Save(class TIBQuery& q, bool adding);
};
