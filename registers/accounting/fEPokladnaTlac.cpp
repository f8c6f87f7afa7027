#include "registers/accounting/fEPokladnaTlac.h"
#include "registers/accounting/AccountingPrints.h"

TfrmEPokladnaTlac::TfrmEPokladnaTlac(QWidget* owner, TListPattern& list) : TPrintChoiceForm(owner, QSize(328, 61)) {
  btn1 = choice.AddPrint(QStringLiteral("btn1"), MovementReceiptPrint(), list);
  btn2 = choice.AddPrint(QStringLiteral("btn2"), MovementListPrint(), list);
}

TfrmEPokladnaTlac::~TfrmEPokladnaTlac() = default;
