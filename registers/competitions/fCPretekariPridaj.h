#pragma once
#include "registers/common/DialogForm.h"

class TIBComboBox;
class TIBDate;
class TIBEdit;
class TSpeedButton;

// The add/edit dialog of a competitor: title, names (the surname in capitals
// while the settings ask for them), birth date, league, team and
// registration number. The display names are the database's.
class TfrmCPretekariPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmCPretekariPridaj(QWidget* owner = nullptr);
  ~TfrmCPretekariPridaj() override;

  TIBEdit *eDBTitul, *eDBMeno, *eDBPriezvisko;
  TIBDate* eDBDatumNarodenia;
  TIBComboBox *eDBLiga, *eDBDruzstvo;
  TSpeedButton *btnLiga, *btnDruzstvo;
  TIBEdit* eDBCislo;
};
