#pragma once
#include "registers/permits/PermitRules.h"
#include <QtCore/QString>
#include <QtCore/QVariant>

class TIBQuery;

// The rows a permit item writes besides itself, in the caller's transaction
// (the item's save), so that the item, its stock issue and its cash income
// are written together or not at all.

// What an item's stock issue and cash income take from it.
struct TPermitItemRows {
  int Item = 0;    // E_POVOLENKY2
  int Payment = 0; // E_POVOLENKY
  int Rok = 0;
  QVariant Ceniny;
  double Cena = 0, OdvodJux = 0;
  QString Poznamka; // the stock issue's note: the item's extra text
  QString Popis;    // the cash row's description: the item's name
  // The document kind of a new cash row: its abbreviation and type (1 cash, 2 bank).
  QVariant DruhDokladu, TypDokladu;
};

// Writes the one item of guest permit payment `payment` (E_POVOLENKY2):
// added with a key from its generator, the permit `kind` and year `rok`, or
// else changed. `values` holds the item's columns by name (C_CENINY, CENA,
// ODVOD_JUX, DOPLNKOVY_UDAJ, CISLO_ZAKLADNEJ_POVOLENKY, PLATNOST,
// PLATNOST_OD, PLATNOST_DO, C_REVIRY_JUX, C_ZO); others are ignored. The
// item comes back with its catches like a base permit: payment type 0.
// Returns the item's key.
int WriteGuestPermitItem(TIBQuery& q, int payment, int kind, int rok, const QVariantMap& values);

// The stock issue of the item (quantity -1), numbered inside its insert;
// an existing one gets the item's price item, price, levy and note.
void WritePermitStockIssue(TIBQuery& q, const TPermitItemRows& item);
// The cash income of an item with a price: inserted under the document kind
// with the kind's next document number (item 1), or its description and
// amounts updated (kind and numbers stay). Price 0 removes an existing one,
// unlinked from the item first: the database refuses to delete a cash row
// of an existing item.
void WritePermitCashIncome(TIBQuery& q, const TPermitItemRows& item);
// The payment's date, holder and display name onto its items' stock issues
// and cash rows (the cash rows' name composed by CashRowName), and its total
// from its items' prices.
void StampPaymentRows(TIBQuery& q, int payment);

// The payment number of a new payment of `kind`: the year's highest of the
// kind plus 1, as an expression inside the header's insert (:ROK the year).
QString NextPaymentNumberExpression(int kind);

// What the payment dialog warns about a member: last year's permits, last
// year's work duty and the fines not yet paid (of any year).
struct TMemberChecks {
  TPermitReturnCheck Returned;
  double Hours = 0;
  bool HoursShort = false;
  double Fines = 0;
  bool FinesDue = false;
};
// Reads the checks of member `clen` for the working year `rok` in the
// query's transaction; `workRequired` and `prescribedHours` from the member
// and the settings.
TMemberChecks ReadMemberChecks(TIBQuery& q, int clen, int rok, bool workRequired, int prescribedHours);
