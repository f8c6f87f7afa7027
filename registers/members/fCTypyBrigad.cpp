#include "registers/members/fCTypyBrigad.h"
#include "controls/DbGridQPL.h"
#include "registers/members/MemberQueries.h"
#include "registers/members/fCTypyBrigadPridaj.h"

TfrmCTypyBrigad::TfrmCTypyBrigad(QWidget* owner, quint16 rok) : TListForm(owner, kStandardListButtons | lbHladaj, rok) {
  list.Table = QStringLiteral("c_typy_brigad");
  list.Select = SelectWorkTypes;
  list.PerYear = true;
  list.CreateDialog = [this] { return std::make_unique<TfrmCTypyBrigadPridaj>(this); };
  AddListColumns(*list.gr1, {{"NAZOV", "Názov typu brigády", 353, "a.nazov", true}});
  list.FormCreate(QStringLiteral("Číselník typov brigád - rok %d"), QSize(396, 343));
}

TfrmCTypyBrigad::~TfrmCTypyBrigad() = default;
