#include "registers/accounting/fEFaktury.h"
#include "controls/DbGridQPL.h"
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

QString TfrmEFaktury::PartnerColumns(int typOd) {
  const QString side =
      TfrmEFakturyPridaj::PartnerIsCustomer(typOd) ? QStringLiteral("a.odb_") : QStringLiteral("a.dod_");
  const QString name = side + QStringLiteral("nazov"), town = side + QStringLiteral("mesto");
  // A missing name or town leaves the other part, not an empty text.
  return QStringLiteral("case when coalesce(%1,'')='' then %2 when coalesce(%2,'')='' then %1 "
                        "else %1||', '||%2 end as partner,%3ico as ico,")
      .arg(name, town, side);
}

TfrmEFaktury::TfrmEFaktury(QWidget* owner, quint16 rok, int typOd, int typDo)
    : TListForm(owner, kStandardListButtons | lbTlac | lbHladaj, rok), TypOd(typOd), TypDo(typDo) {
  list.Table = QStringLiteral("e_faktury");
  list.Select = [this](TListQuery& q) {
    q.Add(QStringLiteral("select ") + PartnerColumns(TypOd));
    q.Add(QStringLiteral("a.druh_dokladu,a.p1,a.datum,a.datum_splatnosti,a.variabilny_symbol,"));
    q.Add(QStringLiteral("a.spolu,a.uhradene,a.jedin"));
    q.Add(QStringLiteral("from e_faktury a"));
    q.Where(QStringLiteral("a.rok=:ROK and a.typ between :TYP_OD and :TYP_DO"));
    q.Params.insert(QStringLiteral("ROK"), int(list.Rok));
    q.Params.insert(QStringLiteral("TYP_OD"), TypOd);
    q.Params.insert(QStringLiteral("TYP_DO"), TypDo);
  };
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
