#pragma once
#include "registers/common/DialogForm.h"

class TIBComboBox;
class TIBCurrencyEdit;
class TIBEdit;
class TSpeedButton;

// The add/edit dialog of a competitor in a round: the competitor, the team
// he fishes for in the round, his sector (a capital letter, none when left
// empty) and peg (none when 0), his CIPS points and a penalty place (0: none).
// The database refuses a second competitor on the same sector and peg of a
// round (ERR_001); that error reaches the application's error dialog and the
// dialog stays open with its entries.
class TfrmEPretekyPretekariPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEPretekyPretekariPridaj(QWidget* owner = nullptr);
  ~TfrmEPretekyPretekariPridaj() override;

  // The competition and round a new entry belongs to (set by the list before the add run).
  int Preteky = 0;
  int Kolo = 0;

  TIBComboBox* eDBPretekar;
  TSpeedButton* btnPretekar;
  TIBComboBox* eDBDruzstvo;
  TSpeedButton* btnDruzstvo;
  TIBEdit* eDBSektor;
  TIBCurrencyEdit *eDBSektorCislo, *eDBCIPS, *eDBTrestMiesto;
};
