#pragma once
#include "registers/common/DialogForm.h"
#include "registers/competitions/CompetitionQueries.h"
#include <optional>

class TIBComboBox;
class TIBCurrencyEdit;
class TIBEdit;
class TSpeedButton;

// The add/edit dialog of a team: its name (unique in any case) and, for the
// dialog's year, its start number and league. Every save writes the team's
// row of that year (a number 0 as none); other years' rows stay as they are.
// A save is refused when another workstation changed that year's row since
// the dialog read it.
class TfrmCDruzstvaPretekarovPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmCDruzstvaPretekarovPridaj(QWidget* owner = nullptr);
  ~TfrmCDruzstvaPretekarovPridaj() override;

  TIBEdit* eDBNazov;
  TIBCurrencyEdit* eDBCislo;
  TIBComboBox* eDBLiga;
  TSpeedButton* btnLiga;

private:
  void LoadYearRow(TIBQuery& q);
  void SaveYearRow(TIBQuery& q, int team);

  std::optional<TTeamYear> loadedYear_; // the year's row as the dialog read it
};
