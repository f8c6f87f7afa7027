#include "registers/competitions/fCDruzstvaPretekarov.h"
#include "controls/DbGridQPL.h"
#include "registers/competitions/fCDruzstvaPretekarovPridaj.h"

TfrmCDruzstvaPretekarov::TfrmCDruzstvaPretekarov(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbHladaj, rok) {
  list.Table = QStringLiteral("c_druzstva_pretekarov");
  list.Select = [this](TListQuery& q) {
    q.Add(QStringLiteral("select a.jedin,a.nazov,b.cislo,c.nazov as liga"));
    q.Add(QStringLiteral("from c_druzstva_pretekarov a"));
    q.Add(QStringLiteral("left join c_druzstva_pretekarov_pc b"));
    q.Add(QStringLiteral("on b.c_druzstva_pretekarov=a.jedin and b.rok=:ROK"));
    q.Add(QStringLiteral("left join c_lig c on c.jedin=b.c_lig"));
    q.Params.insert(QStringLiteral("ROK"), int(list.Rok));
  };
  list.CreateDialog = [this] { return std::make_unique<TfrmCDruzstvaPretekarovPridaj>(this); };
  AddListColumns(*list.gr1, {{"NAZOV", "Názov družstva", 250, "a.nazov"},
                             {"LIGA", "Súťaž", 200, "c.nazov"},
                             {"CISLO", "Štart. číslo", 70, "b.cislo", true}});
  list.FormCreate(QStringLiteral("Číselník družstiev pretekárov ZEZ-A - rok %d"), QSize(570, 343));
}

TfrmCDruzstvaPretekarov::~TfrmCDruzstvaPretekarov() = default;
