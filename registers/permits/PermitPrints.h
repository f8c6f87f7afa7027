#pragma once
#include "registers/common/PrintProtocol.h"
#include <QtCore/QVariant>

// The prints of the permit registers with their statements: the list prints
// take the marked rows of their list (else all it shows), the parameter
// forms' prints the values chosen.

// Which fishing grounds the catch summary counts: all, only those of the own
// branch, or only those of other branches (a ground without a branch counts
// only among all).
enum class TCatchGrounds { All, Own, Others };

// What the user chose for one catch summary.
struct TCatchSummaryChoice {
  QString Vypracoval;
  TCatchGrounds Grounds = TCatchGrounds::All;
  // The success table's order: 1 by count, 3 by value, 4 by the angler's
  // name; any other by weight.
  int Order = 2;
};

// The catch summary of year `rok` ("PR_Ulovky.rpf"); `ownOrganisation` is
// the own branch's key, needed by every choice but TCatchGrounds::All.
TRegisterPrint CatchSummaryPrint(const TCatchSummaryChoice& choice, quint16 rok, const QVariant& ownOrganisation);
// The stocking report: the purchases paid from sources that count in the
// reports, their releases into grounds and the totals by ground, species and
// source.
TRegisterPrint StockingPrint();
// The year's overview of ground `revir` (shown as `revirText`) in year
// `rok`: its releases, guard inspections, work duty, fish taken out of it
// and feeding.
TRegisterPrint GroundPrint(int revir, const QString& revirText, quint16 rok);
// The trophy catches titled `title`, sorted by angler, date, ground,
// species, weight and length.
TRegisterPrint TrophyCatchPrint(const QString& title);
// The stock movements line by line, and summed by direction (receipts
// first) and price item.
TRegisterPrint StockMovementItemsPrint();
TRegisterPrint StockMovementSummaryPrint();
