#include "registers/competitions/fEPretekyKolaTlac.h"
#include "registers/competitions/CompetitionPrints.h"

TfrmEPretekyKolaTlac::TfrmEPretekyKolaTlac(QWidget* owner, TListPattern& rounds)
    : TPrintChoiceForm(owner, QSize(328, 61)) {
  btn1 = choice.AddPrint(QStringLiteral("btn1"), RoundResultSheetPrint(), rounds);
  btn2 = choice.AddPrint(QStringLiteral("btn2"), RoundWeighingSheetPrint(), rounds);
}

TfrmEPretekyKolaTlac::~TfrmEPretekyKolaTlac() = default;
