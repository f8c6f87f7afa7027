#include "registers/members/fCTypyBrigad.h"
#include "app/AppContext.h"
#include "controls/DbGridQPL.h"
#include "registers/members/fCTypyBrigadPridaj.h"

TfrmCTypyBrigad::TfrmCTypyBrigad(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbHladaj), Rok(rok ? rok : ProgramSettings.Rok) {
  list.Table = QStringLiteral("c_typy_brigad");
  list.Select = [this](TListQuery& q) {
    q.Add(QStringLiteral("select a.jedin,a.nazov"));
    q.Add(QStringLiteral("from c_typy_brigad a"));
    q.Where(QStringLiteral("a.rok=:ROK"));
    q.Params.insert(QStringLiteral("ROK"), int(Rok));
  };
  list.CreateDialog = [this] {
    auto dialog = std::make_unique<TfrmCTypyBrigadPridaj>(this);
    dialog->Rok = Rok;
    return dialog;
  };
  TQPLColumn* nazov = list.gr1->AddColumn(QStringLiteral("NAZOV"), QStringLiteral("Názov typu brigády"), 353);
  nazov->OrderBy = QStringLiteral("a.nazov");
  nazov->TitleAlignment = Qt::AlignHCenter;
  list.FormCreate(QStringLiteral("Číselník typov brigád - rok %d"), QSize(396, 343));
  list.ShowYear(Rok);
}

TfrmCTypyBrigad::~TfrmCTypyBrigad() = default;
