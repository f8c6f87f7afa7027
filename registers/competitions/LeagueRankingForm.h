#pragma once
#include "registers/common/PrintParametersForm.h"
#include "registers/common/PrintProtocol.h"

class TIBComboBox;
class TQPLBtn;
class TSpeedButton;
class TUxFormPlacement;

// The dialog of a league's yearly ranking: the league (required, picked from
// its code list) and OK, which prints the ranking of the year the dialog was
// opened for; "Netlač" or Esc closes it. OK closes the dialog with result 1
// after the print, its no-data message or a database error the error handler
// reported; an error it did not know leaves the dialog open. The league
// table and the ATP ranking derive from it with their caption and print.
class TLeagueRankingForm : public TPrintParametersForm {
  Q_OBJECT
public:
  TLeagueRankingForm(QWidget* owner, quint16 rok, const QString& caption);
  ~TLeagueRankingForm() override;

  TIBComboBox* eDBLiga;
  TSpeedButton* btnLiga;
  TQPLBtn *btnZapis, *btnNezapis;
  TUxFormPlacement* fp;
  // The year whose ranking prints.
  const quint16 Rok;

  void btnZapisClick() override;

protected:
  // The ranking's print for the chosen league.
  virtual TRegisterPrint Print(int liga) const = 0;
  void FormShow() override;
};
