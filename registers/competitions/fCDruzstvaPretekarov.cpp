#include "registers/competitions/fCDruzstvaPretekarov.h"
#include "controls/DbGridQPL.h"
#include "registers/competitions/CompetitionQueries.h"
#include "registers/competitions/fCDruzstvaPretekarovPridaj.h"

TfrmCDruzstvaPretekarov::TfrmCDruzstvaPretekarov(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbHladaj, rok) {
  list.Table = QStringLiteral("c_druzstva_pretekarov");
  list.Select = [this](TListQuery& q) { SelectTeams(q, list.Rok); };
  list.CreateDialog = [this] { return std::make_unique<TfrmCDruzstvaPretekarovPridaj>(this); };
  AddListColumns(*list.gr1, {{"NAZOV", "Názov družstva", 250, "a.nazov"},
                             {"LIGA", "Súťaž", 200, "c.nazov"},
                             {"CISLO", "Štart. číslo", 70, "b.cislo", true}});
  list.FormCreate(QStringLiteral("Číselník družstiev pretekárov ZEZ-A - rok %d"), QSize(570, 343));
}

TfrmCDruzstvaPretekarov::~TfrmCDruzstvaPretekarov() = default;
