#include "registers/competitions/fEPretekyTlac.h"
#include "registers/competitions/CompetitionPrints.h"

TfrmEPretekyTlac::TfrmEPretekyTlac(QWidget* owner, TListPattern& list) : TPrintChoiceForm(owner, QSize(328, 31)) {
  btn1 = choice.AddPrint(QStringLiteral("btn1"), CompetitionResultsPrint(), list);
}

TfrmEPretekyTlac::~TfrmEPretekyTlac() = default;
