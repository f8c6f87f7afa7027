#include "registers/permits/fECeninyTlac.h"
#include "registers/permits/PermitPrints.h"

TfrmECeninyTlac::TfrmECeninyTlac(QWidget* owner, TListPattern& list) : TPrintChoiceForm(owner, QSize(328, 61)) {
  btn1 = choice.AddPrint(QStringLiteral("btn1"), StockMovementItemsPrint(), list);
  btn2 = choice.AddPrint(QStringLiteral("btn2"), StockMovementSummaryPrint(), list);
}

TfrmECeninyTlac::~TfrmECeninyTlac() = default;
