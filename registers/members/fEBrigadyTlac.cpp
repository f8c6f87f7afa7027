#include "registers/members/fEBrigadyTlac.h"
#include "registers/members/MemberPrints.h"

TfrmEBrigadyTlac::TfrmEBrigadyTlac(QWidget* owner, TListPattern& list) : TPrintChoiceForm(owner, QSize(328, 88)) {
  btn1 = choice.AddPrint(QStringLiteral("btn1"), WorkDutyItemsPrint(), list);
  btn2 = choice.AddPrint(QStringLiteral("btn2"), WorkDutySumsPrint(), list);
  btn3 = choice.AddPrint(QStringLiteral("btn3"), WorkDutyExemptItemsPrint(), list);
}

TfrmEBrigadyTlac::~TfrmEBrigadyTlac() = default;
