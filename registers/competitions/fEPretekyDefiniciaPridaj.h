#pragma once
#include "registers/common/DialogForm.h"

class TIBComboBox;
class TIBDate;
class TIBEdit;
class TIBMemo;
class TSpeedButton;

// The add/edit dialog of a competition: its dates, league, place in the
// season, discipline, venue, name, course, organising committee and note.
// A new competition belongs to the dialog's year and never moves.
class TfrmEPretekyDefiniciaPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEPretekyDefiniciaPridaj(QWidget* owner = nullptr);
  ~TfrmEPretekyDefiniciaPridaj() override;

  TIBDate *eDBTerminOd, *eDBTerminDo;
  TIBComboBox* eDBLiga;
  TSpeedButton* btnLiga;
  TIBComboBox *eDBDruh, *eDBDisciplina;
  TIBEdit *eDBMiesto, *eDBNazov, *eDBTrat;
  TIBEdit *eDBGarant, *eDBRiaditel, *eDBRozhodca, *eDBVeduci, *eDBKomisia;
  TIBMemo* eDBPoznamka;
};
