#include "registers/members/fEPredmety.h"
#include "app/QPLUnit.h"
#include "app/ToolBar.h"
#include "controls/DbGridQPL.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "db/IBQuery.h"
#include "registers/members/MemberQueries.h"
#include "registers/members/MemberRecordsSupport.h"
#include "registers/members/fEPredmetyPridaj.h"
#include "registers/members/fEPredmetyTlac.h"

TfrmEPredmety::TfrmEPredmety(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbTlac | lbFilter | lbHladaj, rok) {
  list.Table = QStringLiteral("e_predmety");
  // Without the filter panel only the items still out are listed.
  list.Select = [this](TListQuery& q) { SelectEntrustedItems(q, !list.btnFilter->Down()); };
  list.Filter = [this](TListQuery& q) {
    AddKeyFilter(q, *eDBClen, QStringLiteral("a.c_clenov=:C_CLENOV"), QStringLiteral("C_CLENOV"));
    AddKeyFilter(q, *eDBNazov, QStringLiteral("a.nazov=:POPIS"), QStringLiteral("POPIS"));
    if (eDBVratene->CheckedValue() != 1) WhereItemsStillOut(q);
  };
  list.CreateDialog = [this] { return std::make_unique<TfrmEPredmetyPridaj>(this); };
  list.Print = [this] {
    TfrmEPredmetyTlac dialog(this, list);
    dialog.ShowModal();
  };
  const QList<TQPLColumn*> columns =
      AddListColumns(*list.gr1, {{"DATUM", "Dátum", 61, "a.datum", true},
                                 {"CLEN", "Priezvisko a meno", 292, "b.nazov_uplny", true},
                                 {"NAZOV", "Názov predmetu", 210, "a.nazov", true},
                                 {"CENA", "Cena za MJ", 85, "a.cena", true},
                                 {"MNOZSTVO", "Množstvo", 51, "a.mnozstvo", true},
                                 {"SPOLU", "Spolu", 85, "1", true}});
  // Amounts and quantities with their two decimals (25,50 and 2,00, not 25.5 and 2).
  for (int i : {3, 4, 5})
    columns[i]->DisplayFormat = QStringLiteral("#,##0.00");
  connect(list.gr1, &TDbGridQPL::OnDrawColumnCell, this, &TfrmEPredmety::gr1DrawColumnCell);

  QWidget& panel = *list.pnlFilter;
  eDBClen = AddFilterCombo(panel, QStringLiteral("Člen:"), QStringLiteral("eDBClen"));
  SetupMemberCombo(*eDBClen);
  eDBNazov = AddFilterCombo(panel, QStringLiteral("Názov:"), QStringLiteral("eDBNazov"));
  SetupTextCombo(*eDBNazov, QStringLiteral("e_predmety"), QStringLiteral("nazov"), 50, 1019);
  eDBVratene = AddFilterCheck(panel, QStringLiteral("eDBVratene"), QStringLiteral("Zobraziť aj vrátené predmety:"));
  list.FormCreate(QStringLiteral("Evidencia zverených predmetov"), QSize(832, 343));
}

TfrmEPredmety::~TfrmEPredmety() = default;

void TfrmEPredmety::gr1DrawColumnCell(int row, TQPLColumn*, TGridCellCanvas& canvas) const {
  TIBQuery& q = *list.ib1;
  if (!q.Active() || q.IsEmpty()) return;
  const double lent = q.ValueAt(row, q.FieldByName(QStringLiteral("MNOZSTVO")).Index()).toDouble();
  const double returned = q.ValueAt(row, q.FieldByName(QStringLiteral("MNOZSTVO_VRATENE")).Index()).toDouble();
  if (lent == returned) canvas.Font.setStrikeOut(true);
}

void TfrmEPredmety::OpenForMember(QWidget* owner, int clen, int rok) {
  TfrmEPredmety form(owner, quint16(rok));
  ShowForMember(form, *form.eDBClen, clen);
}
