#include "registers/permits/fCZO.h"
#include "controls/DbGridQPL.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/fCZOPridaj.h"

TfrmCZO::TfrmCZO(QWidget* owner, quint16 rok) : TListForm(owner, kStandardListButtons | lbHladaj, rok) {
  list.Table = QStringLiteral("c_zo");
  list.Select = SelectOrganizations;
  list.CreateDialog = [this] { return std::make_unique<TfrmCZOPridaj>(this); };
  AddListColumns(*list.gr1,
                 {{"CISLO", "Číslo", 60, "a.cislo"}, {"NAZOV", "Názov základnej organizácie", 293, "a.nazov"}});
  list.FormCreate(QStringLiteral("Číselník základných organizácií"), QSize(395, 343));
}

TfrmCZO::~TfrmCZO() = default;
