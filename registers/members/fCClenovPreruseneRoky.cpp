#include "registers/members/fCClenovPreruseneRoky.h"
#include "registers/members/fCClenovPreruseneRokyPridaj.h"

TfrmCClenovPreruseneRoky::TfrmCClenovPreruseneRoky(QWidget* owner) : TListForm(owner, kStandardListButtons) {
  list.Table = QStringLiteral("c_clenov_prerusene_roky");
  list.Select = [this](TListQuery& q) {
    q.Add(QStringLiteral("select a.jedin,a.rok,a.dovod from C_clenov_prerusene_roky a"));
    q.Where(QStringLiteral("c_clenov=:CLEN"));
    q.Params[QStringLiteral("CLEN")] = Clen.toInt();
  };
  list.CreateDialog = [this] { return std::make_unique<TfrmCClenovPreruseneRokyPridaj>(this); };
  list.PrepareAdd = [this](TForm& dialog) { static_cast<TfrmCClenovPreruseneRokyPridaj&>(dialog).Clen = Clen; };
  TQPLColumn* rok = list.gr1->AddColumn(QStringLiteral("ROK"), QStringLiteral("Rok"), 53);
  rok->OrderBy = QStringLiteral("a.rok");
  rok->TitleAlignment = rok->Alignment = Qt::AlignHCenter;
  list.gr1->AddColumn(QStringLiteral("DOVOD"), QStringLiteral("Dôvod prerušenia"), 281)->OrderBy =
      QStringLiteral("a.dovod");
  list.FormCreate(QStringLiteral("Evidencia rokov prerušeného členstva"), QSize(377, 246));
}

TfrmCClenovPreruseneRoky::~TfrmCClenovPreruseneRoky() = default;
