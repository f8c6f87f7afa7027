#pragma once
#include "registers/competitions/LeagueRankingForm.h"

// The league table of a league in the year: the teams with their placement
// and CIPS totals and the results of each round's column ("PR_VS.rpf").
class TfrmPVysledkyLigy : public TLeagueRankingForm {
  Q_OBJECT
public:
  TfrmPVysledkyLigy(QWidget* owner, quint16 rok);
  ~TfrmPVysledkyLigy() override;

protected:
  TRegisterPrint Print(int liga) const override;
};
