#include "registers/members/fCClenovPreruseneRoky.h"
#include "registers/members/MemberQueries.h"
#include "registers/members/fCClenovPreruseneRokyPridaj.h"

TfrmCClenovPreruseneRoky::TfrmCClenovPreruseneRoky(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons, rok) {
  list.Table = QStringLiteral("c_clenov_prerusene_roky");
  list.Select = [this](TListQuery& q) { SelectInterruptedYears(q, Clen.toInt()); };
  list.CreateDialog = [this] { return std::make_unique<TfrmCClenovPreruseneRokyPridaj>(this); };
  list.PrepareAdd = [this](TForm& dialog) { static_cast<TfrmCClenovPreruseneRokyPridaj&>(dialog).Clen = Clen; };
  const QList<TQPLColumn*> columns =
      AddListColumns(*list.gr1, {{"ROK", "Rok", 53, "a.rok", true}, {"DOVOD", "Dôvod prerušenia", 281, "a.dovod"}});
  columns[0]->Alignment = Qt::AlignHCenter;
  list.FormCreate(QStringLiteral("Evidencia rokov prerušeného členstva"), QSize(377, 246));
}

TfrmCClenovPreruseneRoky::~TfrmCClenovPreruseneRoky() = default;

void TfrmCClenovPreruseneRoky::OpenForMember(QWidget* owner, int clen, int rok) {
  TfrmCClenovPreruseneRoky form(owner, quint16(rok));
  form.Clen = clen;
  form.ShowModal();
}
