#include "registers/accounting/fESaldokonto.h"
#include "app/ToolBar.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "db/IBQuery.h"
#include "registers/accounting/AccountingQueries.h"
#include "registers/common/DialogField.h"
#include "registers/common/RegisterControls.h"

namespace {
// The option "všetky" of either filter.
constexpr int kAll = 0;

void KeepAnOption(TIBComboBox& combo) {
  if (KeyParam(combo).isNull()) combo.FindIt(kAll);
}
} // namespace

TfrmESaldokonto::TfrmESaldokonto(QWidget* owner, quint16 rok)
    : TListForm(owner, lbSmer | lbFilter | lbHladaj | lbOznacene | lbRefresh, rok) {
  list.Select = [this](TListQuery& q) {
    const bool filtered = list.btnFilter->Down();
    SelectLedger(q, list.Rok, filtered ? KeyParam(*eDBTyp).toInt() : kAll,
                 filtered ? KeyParam(*eDBUhrady).toInt() : kAll);
  };
  const QList<TQPLColumn*> columns =
      AddListColumns(*list.gr1, {{"ROK", "Rok", 40, "a.rok"},
                                 {"DRUH_DOKLADU", "DD", 40, "a.druh_dokladu"},
                                 {"P1", "Číslo", 60, "a.p1"},
                                 {"DATUM", "Dátum", 75, "a.datum"},
                                 {"DATUM_SPLATNOSTI", "Splatnosť", 75, "a.datum_splatnosti"},
                                 {"VARIABILNY_SYMBOL", "Var. symbol", 90, "a.variabilny_symbol"},
                                 {"PARTNER", "Partner", 230, "a.partner"},
                                 {"POHLADAVKA", "+", 90, "a.pohladavka"},
                                 {"ZAVAZOK", "-", 90, "a.zavazok"}});
  columns[3]->DisplayFormat = QStringLiteral("dd.mm.yyyy");
  columns[4]->DisplayFormat = QStringLiteral("dd.mm.yyyy");
  columns[7]->DisplayFormat = QStringLiteral("#,##0.00");
  columns[8]->DisplayFormat = QStringLiteral("#,##0.00");
  QWidget& panel = *list.pnlFilter;
  eDBTyp = AddFilterCombo(panel, QStringLiteral("Typ:"), QStringLiteral("eDBTyp"));
  SetupOptionCombo(*eDBTyp, QStringLiteral("saldokonto_typ"), QStringLiteral("poradie"));
  eDBUhrady = AddFilterCombo(panel, QStringLiteral("Podľa úhrady:"), QStringLiteral("eDBUhrady"));
  SetupOptionCombo(*eDBUhrady, QStringLiteral("saldokonto_uhrady"), QStringLiteral("poradie"));
  list.FormCreate(QStringLiteral("Saldokonto - rok %d"), QSize(880, 420));
  for (TIBComboBox* combo : {eDBTyp, eDBUhrady}) {
    combo->FindIt(kAll);
    // An emptied filter means all rows again.
    connect(combo, &TIBComboBox::OnExit, this, [combo] { KeepAnOption(*combo); });
  }
}

TfrmESaldokonto::~TfrmESaldokonto() = default;

std::optional<int> TfrmESaldokonto::PickInvoice(QWidget* owner, quint16 rok, int smer, const QVariant& current) {
  TfrmESaldokonto ledger(owner, rok);
  ledger.SetTag(1);
  ledger.eDBTyp->FindIt(smer);
  // Any sender but the button presses it: the panel shows and the list refreshes.
  ledger.list.btnFilterClick(&ledger);
  if (!current.isNull() && current.isValid()) ledger.list.LocateKey(current.toInt());
  if (ledger.ShowModal() != mrOk || !ledger.list.ib1->Active() || ledger.list.ib1->IsEmpty()) return std::nullopt;
  return ledger.list.ib1->FieldByName(QStringLiteral("JEDIN")).AsInteger();
}
