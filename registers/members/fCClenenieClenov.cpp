#include "registers/members/fCClenenieClenov.h"
#include "controls/DbGridQPL.h"
#include "registers/members/fCClenenieClenovPridaj.h"

TfrmCClenenieClenov::TfrmCClenenieClenov(QWidget* owner) : TListForm(owner, kStandardListButtons | lbHladaj) {
  list.Table = QStringLiteral("c_clenenie_clenov");
  list.Select = [](TListQuery& q) { q.Add(QStringLiteral("select a.jedin,a.nazov from c_clenenie_clenov a")); };
  list.CreateDialog = [this] { return std::make_unique<TfrmCClenenieClenovPridaj>(this); };
  TQPLColumn* nazov = list.gr1->AddColumn(QStringLiteral("NAZOV"), QStringLiteral("Názov skupiny členov"), 353);
  nazov->OrderBy = QStringLiteral("a.nazov");
  nazov->TitleAlignment = Qt::AlignHCenter;
  list.FormCreate(QStringLiteral("Číselník členenia členov"), QSize(395, 343));
}

TfrmCClenenieClenov::~TfrmCClenenieClenov() = default;
