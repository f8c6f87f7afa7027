#include "registers/members/fEPredmetyTlac.h"
#include "registers/members/MemberPrints.h"

TfrmEPredmetyTlac::TfrmEPredmetyTlac(QWidget* owner, TListPattern& list) : TPrintChoiceForm(owner, QSize(328, 61)) {
  btn1 = choice.AddPrint(QStringLiteral("btn1"), EntrustedItemsPrint(), list);
  btn2 = choice.AddPrint(QStringLiteral("btn2"), EntrustedBalancesPrint(), list);
}

TfrmEPredmetyTlac::~TfrmEPredmetyTlac() = default;
