#include "registers/accounting/fEFaktury.h"
#include "controls/DbGridQPL.h"
#include "registers/accounting/AccountingQueries.h"
#include "registers/accounting/fEFakturyPridaj.h"
#include "registers/accounting/fEFakturyTlac.h"

namespace {
struct TInvoiceRegister {
  int typOd;
  const char* caption;
};
constexpr TInvoiceRegister kInvoiceRegisters[] = {
    {11, "Evidencia vystavených faktúr - rok %d"},
    {21, "Evidencia prijatých faktúr - rok %d"},
    {31, "Evidencia prijatých dodacích listov - rok %d"},
    {41, "Evidencia vystavených dodacích listov - rok %d"},
};
} // namespace

TfrmEFaktury::TfrmEFaktury(QWidget* owner, quint16 rok, int typOd, int typDo)
    : TListForm(owner, kStandardListButtons | lbTlac | lbHladaj, rok), TypOd(typOd), TypDo(typDo) {
  list.Table = QStringLiteral("e_faktury");
  list.Select = [this](TListQuery& q) { SelectInvoices(q, list.Rok, TypOd, TypDo); };
  list.CreateDialog = [this] { return std::make_unique<TfrmEFakturyPridaj>(this, TypOd, TypDo); };
  list.Print = [this] {
    TfrmEFakturyTlac dialog(this, list, TypOd);
    dialog.ShowModal();
  };
  const QList<TQPLColumn*> columns =
      AddListColumns(*list.gr1, {{"DRUH_DOKLADU", "DD", 40, "a.druh_dokladu"},
                                 {"P1", "Číslo", 60, "a.p1"},
                                 {"DATUM", "Dátum", 75, "a.datum", true},
                                 {"DATUM_SPLATNOSTI", "Splatnosť", 75, "a.datum_splatnosti", true},
                                 {"VARIABILNY_SYMBOL", "Var. symbol", 90, "a.variabilny_symbol"},
                                 {"PARTNER", "Partner", 230, "1"},
                                 {"ICO", "IČO", 80, "2"},
                                 {"SPOLU", "Spolu", 90, "a.spolu"},
                                 {"UHRADENE", "Uhradené", 90, "a.uhradene"}});
  columns[7]->DisplayFormat = QStringLiteral("#,##0.00");
  columns[8]->DisplayFormat = QStringLiteral("#,##0.00");
  QString caption;
  for (const TInvoiceRegister& r : kInvoiceRegisters)
    if (TypOd >= r.typOd && TypOd <= r.typOd + 8) caption = QString::fromUtf8(r.caption);
  list.FormCreate(caption, QSize(880, 420));
}

TfrmEFaktury::~TfrmEFaktury() = default;
