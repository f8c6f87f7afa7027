#include "registers/permits/fEPovolenky.h"
#include "app/MyUnitsForms.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "registers/common/DialogField.h"
#include "registers/common/RegisterControls.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/fEPovolenkyPridaj.h"
#include <cmath>

namespace {
const QString kBasicPaymentsTag = QStringLiteral("FB1E244F-A9DE-4FD8");

// A payment number bound; 0 (or an empty edit) is none.
QVariant PaymentNumberBound(const TIBCurrencyEdit& edit) {
  const qint64 number = qint64(std::trunc(edit.Value()));
  return number == 0 ? QVariant() : QVariant(number);
}
} // namespace

TfrmEPovolenky::TfrmEPovolenky(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbTlac | lbFilter | lbHladaj, rok) {
  list.Table = QStringLiteral("e_povolenky");
  list.Select = [this](TListQuery& q) { SelectBasePayments(q, list.Rok); };
  list.Filter = [this](TListQuery& q) { AddFilterClauses(q); };
  list.CreateDialog = [this] { return std::make_unique<TfrmEPovolenkyPridaj>(this); };
  list.Print = [this] { btnTlacClick(); };
  const QList<TQPLColumn*> columns = AddListColumns(*list.gr1, {{"CISLO", "Číslo", 60, "a.cislo", true},
                                                                {"DATUM", "Dátum", 75, "a.datum", true},
                                                                {"CLEN", "Člen", 330, "a.nazov_uplny", true},
                                                                {"SPOLU", "Spolu", 90, "a.spolu", true}});
  columns[3]->DisplayFormat = QStringLiteral("#,##0.00");
  BuildFilter();
  list.FormCreate(QStringLiteral("Platby za základné povolenky - rok %d"), QSize(620, 420));
}

TfrmEPovolenky::~TfrmEPovolenky() = default;

void TfrmEPovolenky::BuildFilter() {
  QWidget& panel = *list.pnlFilter;
  eClen = AddFilterCombo(panel, QStringLiteral("Člen ZO:"), QStringLiteral("eClen"), nullptr,
                         QStringLiteral("TfrmCClenov"));
  SetupMemberCombo(*eClen);
  eDatumOd = new TIBDate(&panel);
  eDatumOd->setObjectName(QStringLiteral("eDatumOd"));
  AddFilterControl(panel, QStringLiteral("Dátum od:"), eDatumOd);
  eDatumDo = new TIBDate(&panel);
  eDatumDo->setObjectName(QStringLiteral("eDatumDo"));
  AddFilterControl(panel, QStringLiteral("do:"), eDatumDo);
  for (auto [edit, name, caption] :
       {std::tuple{&eCisloOd, "eCisloOd", "Číslo od:"}, std::tuple{&eCisloDo, "eCisloDo", "do:"}}) {
    *edit = new TIBCurrencyEdit(&panel);
    (*edit)->setObjectName(QString::fromLatin1(name));
    (*edit)->SetDecimals(0);
    (*edit)->setMaxLength(10);
    AddFilterControl(panel, QString::fromUtf8(caption), *edit);
  }
}

void TfrmEPovolenky::AddFilterClauses(TListQuery& q) const {
  AddRangeFilter(q, QStringLiteral("a.datum"), QStringLiteral("DATUM"), DateBound(*eDatumOd), DateBound(*eDatumDo));
  AddRangeFilter(q, QStringLiteral("a.cislo"), QStringLiteral("CISLO"), PaymentNumberBound(*eCisloOd),
                 PaymentNumberBound(*eCisloDo));
  AddKeyFilter(q, *eClen, QStringLiteral("a.c_clenov=:C_CLENOV"), QStringLiteral("C_CLENOV"));
}

void TfrmEPovolenky::btnTlacClick() {
  TempSpracujStoreGrid(*list.gr1, kBasicPaymentsTag, false);
  PrintBasicPermitPayment();
}
