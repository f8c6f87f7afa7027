#include "registers/competitions/CompetitionsForms.h"
#include "app/FormRegistry.h"
#include "registers/competitions/fCDruzstvaPretekarov.h"
#include "registers/competitions/fCLig.h"
#include "registers/competitions/fCPretekari.h"
#include "registers/competitions/fEPreteky.h"
#include "registers/competitions/fPVysledkyATP.h"
#include "registers/competitions/fPVysledkyLigy.h"

void RegisterCompetitionsForms() {
  FormRegistry::RegisterYearForm<TfrmCLig>(QStringLiteral("TfrmCLig"));
  FormRegistry::RegisterYearForm<TfrmCDruzstvaPretekarov>(QStringLiteral("TfrmCDruzstvaPretekarov"));
  FormRegistry::RegisterYearForm<TfrmCPretekari>(QStringLiteral("TfrmCPretekari"));
  FormRegistry::RegisterYearForm<TfrmEPreteky>(QStringLiteral("TfrmEPreteky"));
  FormRegistry::RegisterYearForm<TfrmPVysledkyLigy>(QStringLiteral("TfrmPVysledkyLigy"));
  FormRegistry::RegisterYearForm<TfrmPVysledkyATP>(QStringLiteral("TfrmPVysledkyATP"));
}
