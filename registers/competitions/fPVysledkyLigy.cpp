#include "registers/competitions/fPVysledkyLigy.h"
#include "registers/competitions/RankingQueries.h"

TfrmPVysledkyLigy::TfrmPVysledkyLigy(QWidget* owner, quint16 rok)
    : TLeagueRankingForm(owner, rok, QStringLiteral("Tlač výsledkov súťaže ZEZ-A v roku")) {}

TfrmPVysledkyLigy::~TfrmPVysledkyLigy() = default;

TRegisterPrint TfrmPVysledkyLigy::Print(int liga) const {
  // The league's heading prints even without a team.
  return LeagueRankingPrint(QStringLiteral("PR_VS.rpf"), LeagueTableSql(), liga, Rok,
                            TRegisterPrint::TNoData::FirstEmpty);
}
