#include "registers/competitions/fCPretekari.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "registers/common/PrintProtocol.h"
#include "registers/common/RegisterControls.h"
#include "registers/competitions/CompetitionLookups.h"
#include "registers/competitions/CompetitionQueries.h"
#include "registers/competitions/fCPretekariPridaj.h"

TfrmCPretekari::TfrmCPretekari(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbTlac | lbFilter | lbHladaj, rok) {
  list.Table = QStringLiteral("c_pretekari");
  list.Select = SelectCompetitors;
  list.Filter = [this](TListQuery& q) {
    AddKeyFilter(q, *eDruzstvo, QStringLiteral("a.c_druzstva_pretekarov=:DRUZSTVO"), QStringLiteral("DRUZSTVO"));
    AddKeyFilter(q, *eLiga, QStringLiteral("a.c_lig=:LIGA"), QStringLiteral("LIGA"));
  };
  list.CreateDialog = [this] { return std::make_unique<TfrmCPretekariPridaj>(this); };
  list.Print = [this] { Print(); };
  AddListColumns(*list.gr1, {{"PRETEKAR", "Priezvisko a meno", 250, "2"},
                             {"DATUM_NARODENIA", "Dátum nar.", 75, "a.datum_narodenia", true},
                             {"NAZOV", "Družstvo", 170, "b.nazov"},
                             {"LIGA", "Súťaž", 170, "c.nazov"},
                             {"CISLO", "Číslo registrácie", 110, "a.cislo"}});
  QWidget& panel = *list.pnlFilter;
  eDruzstvo = AddFilterCombo(panel, QStringLiteral("Družstvo:"), QStringLiteral("eDruzstvo"), nullptr,
                             QStringLiteral("TfrmCDruzstvaPretekarov"));
  SetupTeamCombo(*eDruzstvo);
  eLiga = AddFilterCombo(panel, QStringLiteral("Súťaž:"), QStringLiteral("eLiga"), nullptr, QStringLiteral("TfrmCLig"));
  SetupLeagueCombo(*eLiga);
  list.FormCreate(QStringLiteral("Číselník pretekárov ZEZ-A"), QSize(820, 400));
}

TfrmCPretekari::~TfrmCPretekari() = default;

void TfrmCPretekari::Print() {
  TRegisterPrint print =
      TRegisterPrint::Of(QStringLiteral("43406D39-54AE-41F5"), Caption(), QStringLiteral("Pretekari.rpf"));
  print.MasterSql = ChosenCompetitorsSql();
  PrintRegister(list, print);
}
