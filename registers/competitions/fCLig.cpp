#include "registers/competitions/fCLig.h"
#include "controls/DbGridQPL.h"
#include "registers/competitions/CompetitionQueries.h"
#include "registers/competitions/fCLigPridaj.h"

TfrmCLig::TfrmCLig(QWidget* owner, quint16 rok) : TListForm(owner, kStandardListButtons, rok) {
  list.Table = QStringLiteral("c_lig");
  list.Select = SelectLeagues;
  list.CreateDialog = [this] { return std::make_unique<TfrmCLigPridaj>(this); };
  AddListColumns(*list.gr1, {{"NAZOV", "Názov súťaže", 353, "a.nazov"}});
  list.FormCreate(QStringLiteral("Číselník súťaží ZEZ-A"), QSize(395, 343));
}

TfrmCLig::~TfrmCLig() = default;
