#pragma once
#include "registers/common/DialogForm.h"

class TIBComboBox;
class TIBDate;
class TIBEdit;
class TIBMemo;
class TSpeedButton;

// The add/edit dialog of one person inspected during an inspection: the
// inspecting guard (one of the inspection's own guards), the person (a
// member, whose data then stand locked, or a non-member typed in), the
// permit, organisation, ground, offence and a note. The row is committed at
// once under the inspection `Kontrola`.
class TfrmERSKontrolovaniPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmERSKontrolovaniPridaj(QWidget* owner = nullptr);
  ~TfrmERSKontrolovaniPridaj() override;

  TIBComboBox* eDBKontrolor;
  TSpeedButton* btnKontrolor;
  TIBComboBox* eDBClen;
  TSpeedButton* btnClen;
  TIBEdit *eDBTitul, *eDBMeno, *eDBPriezvisko, *eDBUlica, *eDBPSC, *eDBMesto;
  TIBDate* eDBDatumNarodenia;
  TIBEdit* eDBCisloPovolenia;
  TIBComboBox* eDBZO;
  TSpeedButton* btnZO;
  TIBComboBox* eDBRevir;
  TSpeedButton* btnRevir;
  TIBComboBox* eDBPriestupok;
  TIBMemo* eDBPoznamka;
  // The inspection the person belongs to.
  int Kontrola = 0;

  void eDBClenChange();
};
