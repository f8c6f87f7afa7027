#include "registers/competitions/fPVysledkyATP.h"
#include "registers/competitions/RankingQueries.h"

TfrmPVysledkyATP::TfrmPVysledkyATP(QWidget* owner, quint16 rok)
    : TLeagueRankingForm(owner, rok, QStringLiteral("Tlač rebríčka ATP pretekárov ZEZ-A v roku")) {}

TfrmPVysledkyATP::~TfrmPVysledkyATP() = default;

TRegisterPrint TfrmPVysledkyATP::Print(int liga) const {
  return LeagueRankingPrint(QStringLiteral("PR_VATP.rpf"), AtpRankingSql(), liga, Rok,
                            TRegisterPrint::TNoData::LastEmpty);
}
