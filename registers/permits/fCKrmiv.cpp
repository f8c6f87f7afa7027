#include "registers/permits/fCKrmiv.h"
#include "controls/DbGridQPL.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/fCKrmivPridaj.h"

TfrmCKrmiv::TfrmCKrmiv(QWidget* owner, quint16 rok) : TListForm(owner, kStandardListButtons | lbHladaj, rok) {
  list.Table = QStringLiteral("c_krmiv");
  list.PerYear = true;
  list.Select = SelectFeeds;
  list.CreateDialog = [this] { return std::make_unique<TfrmCKrmivPridaj>(this); };
  AddListColumns(*list.gr1, {{"NAZOV", "Názov krmiva", 353, "a.nazov", true}});
  list.FormCreate(QStringLiteral("Číselník krmív - rok %d"), QSize(396, 343));
}

TfrmCKrmiv::~TfrmCKrmiv() = default;
