#include "registers/members/fCClenenieClenov.h"
#include "controls/DbGridQPL.h"
#include "registers/members/MemberQueries.h"
#include "registers/members/fCClenenieClenovPridaj.h"

TfrmCClenenieClenov::TfrmCClenenieClenov(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbHladaj, rok) {
  list.Table = QStringLiteral("c_clenenie_clenov");
  list.Select = SelectMemberGroups;
  list.CreateDialog = [this] { return std::make_unique<TfrmCClenenieClenovPridaj>(this); };
  AddListColumns(*list.gr1, {{"NAZOV", "Názov skupiny členov", 353, "a.nazov", true}});
  list.FormCreate(QStringLiteral("Číselník členenia členov"), QSize(395, 343));
}

TfrmCClenenieClenov::~TfrmCClenenieClenov() = default;
