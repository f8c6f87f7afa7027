#pragma once
#include "registers/common/PrintProtocol.h"

// The prints of the competitions register, each of the marked rows (else
// the current one) of its list.

// The results of competitions: team by team per round and in total.
TRegisterPrint CompetitionResultsPrint();
// The result sheet of rounds: every ranked competitor by sector and the
// team results.
TRegisterPrint RoundResultSheetPrint();
// The weighing sheet of rounds: every competitor by sector and peg, with
// room for the catch.
TRegisterPrint RoundWeighingSheetPrint();
