#include "registers/accounting/fEFakturyTlac.h"
#include "registers/accounting/AccountingPrints.h"

TfrmEFakturyTlac::TfrmEFakturyTlac(QWidget* owner, TListPattern& list, int typOd)
    : TPrintChoiceForm(owner, QSize(328, 61)) {
  btn1 = choice.AddPrint(QStringLiteral("btn1"), InvoiceDocumentPrint(), list);
  btn2 = choice.AddPrint(QStringLiteral("btn2"), InvoiceListPrint(typOd), list);
}

TfrmEFakturyTlac::~TfrmEFakturyTlac() = default;
