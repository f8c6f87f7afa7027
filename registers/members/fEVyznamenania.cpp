#include "registers/members/fEVyznamenania.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "registers/common/PrintProtocol.h"
#include "registers/members/MemberPrints.h"
#include "registers/members/MemberQueries.h"
#include "registers/members/MemberRecordsSupport.h"
#include "registers/members/fEVyznamenaniaPridaj.h"

TfrmEVyznamenania::TfrmEVyznamenania(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbTlac | lbFilter | lbHladaj, rok) {
  list.Table = QStringLiteral("e_vyznamenania");
  list.Select = SelectAwards;
  list.Filter = [this](TListQuery& q) {
    AddKeyFilter(q, *eDBClen, QStringLiteral("a.c_clenov=:C_CLENOV"), QStringLiteral("C_CLENOV"));
    AddKeyFilter(q, *eDBNazov, QStringLiteral("a.nazov=:POPIS"), QStringLiteral("POPIS"));
  };
  list.CreateDialog = [this] { return std::make_unique<TfrmEVyznamenaniaPridaj>(this); };
  list.Print = [this] { PrintRegister(list, AwardsPrint(Caption())); };
  const QList<TQPLColumn*> columns =
      AddListColumns(*list.gr1, {{"CLEN", "Priezvisko a meno", 362, "b.nazov_uplny", true},
                                 {"NAZOV", "Vyznamenanie", 308, "a.nazov", true},
                                 {"ROK_VYZNAMENANIA", "Rok", 64, "a.ROK_VYZNAMENANIA", true}});
  columns[2]->Alignment = Qt::AlignHCenter;

  QWidget& panel = *list.pnlFilter;
  eDBClen = AddFilterCombo(panel, QStringLiteral("Člen:"), QStringLiteral("eDBClen"));
  SetupMemberCombo(*eDBClen);
  eDBNazov = AddFilterCombo(panel, QStringLiteral("Vyznamenanie:"), QStringLiteral("eDBNazov"));
  SetupTextCombo(*eDBNazov, QStringLiteral("e_vyznamenania"), QStringLiteral("nazov"), 50, 1019);
  list.FormCreate(QStringLiteral("Evidencia vyznamenaní"), QSize(778, 343));
}

TfrmEVyznamenania::~TfrmEVyznamenania() = default;

void TfrmEVyznamenania::OpenForMember(QWidget* owner, int clen, int rok) {
  TfrmEVyznamenania form(owner, quint16(rok));
  ShowForMember(form, *form.eDBClen, clen);
}
