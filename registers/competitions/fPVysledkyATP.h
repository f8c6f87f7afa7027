#pragma once
#include "registers/competitions/LeagueRankingForm.h"

// The individual (ATP) ranking of a league's competitors in the year: rounds
// fished, placement and CIPS totals per competitor and team ("PR_VATP.rpf").
// A league without ranked competitors has nothing to print.
class TfrmPVysledkyATP : public TLeagueRankingForm {
  Q_OBJECT
public:
  TfrmPVysledkyATP(QWidget* owner, quint16 rok);
  ~TfrmPVysledkyATP() override;

protected:
  TRegisterPrint Print(int liga) const override;
};
