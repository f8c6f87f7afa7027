#pragma once
#include "registers/common/PrintProtocol.h"

// The prints of the member records, each of the chosen rows of its list (the
// selection set bound to :ZARADENIE). A print titled by its caller takes the
// list's caption.

// Work duty by member, item by item.
TRegisterPrint WorkDutyItemsPrint();
// Work duty by member, the hours summed.
TRegisterPrint WorkDutySumsPrint();
// Work duty item by item of the members exempted from it.
TRegisterPrint WorkDutyExemptItemsPrint();
// Entrusted items item by item.
TRegisterPrint EntrustedItemsPrint();
// The value of the entrusted items still out, summed per member.
TRegisterPrint EntrustedBalancesPrint();
// The mail of year `rok` by number.
TRegisterPrint MailPrint(const QString& title, int rok);
// Offences by date and name.
TRegisterPrint OffencesPrint(const QString& title);
// Awards by year and name.
TRegisterPrint AwardsPrint(const QString& title);
// Guard inspections with their guards (DETAIL_KONTROLORI) and checked persons
// (DETAIL_KONTROLOVANI).
TRegisterPrint InspectionsPrint(const QString& title);
