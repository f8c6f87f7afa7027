#pragma once
#include <QtCore/QString>
#include <QtCore/QStringList>

struct TListQuery;

// The statements of the accounting registers' lists and dialogs. The
// selects fill a list's query (its where clause and parameters included);
// the list adds its year, filter and order. The dialogs' statements are
// texts with named values, run by the dialog in its unit of work.

// True for the invoice registers whose partner is the customer (issued
// documents, types 11-19 and 41-49); otherwise it is the supplier.
bool InvoicePartnerIsCustomer(int typOd);

// Partners: JEDIN, NAZOV, ULICA, MESTO, ICO.
void SelectPartners(TListQuery& q);
// Document kinds: JEDIN, SKRATKA, NAZOV and TYP (the type's text).
void SelectDocumentKinds(TListQuery& q);
// The movements of the cash book (`typ` 1) or bank book (2) of year `rok`:
// JEDIN, DRUH_DOKLADU, P1, P2, DATUM, POPIS, PARTNER, PRIJEM, VYDAJ.
void SelectMovements(TListQuery& q, int rok, int typ);
// The open items of year `rok` (SP_SALDOKONTO with its type and payment
// filters, 0 for all).
void SelectLedger(TListQuery& q, int rok, int typ, int uhrady);
// The documents of year `rok` and types `typOd`..`typDo`: PARTNER (name and
// town of the register's partner side, from the parts present), ICO,
// DRUH_DOKLADU, P1, DATUM, DATUM_SPLATNOSTI, VARIABILNY_SYMBOL, SPOLU,
// UHRADENE, JEDIN.
void SelectInvoices(TListQuery& q, int rok, int typOd, int typDo);
// An invoice's items (:JEDIN the invoice), the computed ZAKLAD and DPH first.
QStringList InvoiceItemsSql();

// A new movement's number in its year and kind (:ROK, :DD): a bank
// movement continues the latest statement, a cash receipt takes the next.
QString NextMovementNumberSql(bool bank);
// The next item of number :P1 in the year and kind.
QString NextMovementItemSql();
// An invoice's TYP (:JEDIN).
QString InvoiceTypeSql();
// An invoice's open item in the ledger of :ROK (:JEDIN): DOKLAD (kind,
// number, year and partner), UHRADA (receivable less liability),
// PARTNER_JEDIN, TYP.
QString LedgerItemSql();
// An invoice's partner block (:JEDIN): NAZOV, ULICA, MESTO, PSC, ICO, DIC,
// IC_DPH and JEDIN of the supplier (received invoices and credit notes,
// types 21-23) or else of the customer.
QString InvoicePartnerSql(int typ);
// A new invoice's number in its year and kind (:ROK, :DD).
QString NextInvoiceNumberSql();
// A partner's identity and account (:JEDIN): the identity columns and UCET_SS.
QString PartnerIdentitySql();
