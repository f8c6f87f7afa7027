#pragma once
#include <QtCore/QStringList>

class TIBQuery;
struct TListQuery;

// The statements of the permit registers' lists and dialogs, beside their
// forms. The selects fill a list's query (its where clause and parameters
// included); the list adds its year, filter and order. The dialogs' and
// their grids' statements are texts with named values, run by the dialog in
// its unit of work; the rest run in the caller's query and transaction.

// Price items: JEDIN, NAZOV, CENA, ODVOD_JUX.
void SelectPriceItems(TListQuery& q);
// Fish species: JEDIN, NAZOV, TYP (the kind's text), CENA, SKRATKA.
void SelectFishSpecies(TListQuery& q);
// Feeds: JEDIN, NAZOV.
void SelectFeeds(TListQuery& q);
// Fishing grounds: JEDIN, CISLO, NAZOV_UPLNY, TYP_VODY and TYP_REVIRA (texts),
// the price of each of the ground's `priceColumns` (price item keys) under
// that column's name, and C_ZO.
void SelectGrounds(TListQuery& q, const QStringList& priceColumns);
// Local organisations: JEDIN, CISLO, NAZOV.
void SelectOrganizations(TListQuery& q);
// Payment sources: JEDIN, DO_VYKAZU_RADY (the text of the flag), NAZOV.
void SelectPaymentSources(TListQuery& q);
// Stock movements: CENA and ODVOD_JUX times the quantity, PARTNER, JEDIN,
// CISLO, DATUM, MNOZSTVO and NAZOV (the price item).
void SelectStockMovements(TListQuery& q);
// Feedings: JEDIN, DATUM, NAZOV_UPLNY (the ground), NAZOV (the feed), JC,
// MNOZSTVO, MJ, SPOLU.
void SelectFeedings(TListQuery& q);
// The base permit payments of year `rok`: JEDIN, CISLO, DATUM, CLEN, SPOLU.
void SelectBasePayments(TListQuery& q, int rok);
// The guest permit payments of year `rok` and permit `kind` with their item:
// JEDIN, DATUM, SPOLU, NAZOV_UPLNY, ZO, REVIR, PLATNOST_POVOLENKY (text),
// DOPLNKOVY_UDAJ.
void SelectGuestPayments(TListQuery& q, int rok, int kind);
// Trophy catches: JEDIN, DATUM, VIMEK (the angler), REVIR, RYBA, DLZKA, VAHA.
void SelectTrophyCatches(TListQuery& q);
// Stocking purchases: JEDIN, DATUM, VELKOST, MNOZSTVO, MJ, ZOSTAVA_ZARYBNIT,
// NAZOV (the species) and C_REVIRY_JUX (the own breeding ground of a take).
void SelectStockingPurchases(TListQuery& q);
// The permits to be returned (items of payment type 0): JEDIN,
// POVOLENKA_VRATENA_DNA, DOPLNKOVY_UDAJ, NAZOV_UPLNY (the holder), REVIR and
// POZNAMKA (the payment's note).
void SelectPermitsToReturn(TListQuery& q);
// The stock of each price item from its movements: ZOSTATOK, NAZOV, JEDIN,
// CENA and ODVOD_JUX (the values of the stock); the list groups it by
// StockBalanceGrouping().
void SelectStockBalances(TListQuery& q);
QString StockBalanceGrouping();

// A payment's items (:JEDIN the payment): JEDIN, NAZOV (the price item),
// CENA, DOPLNKOVY_UDAJ.
QStringList PaymentItemsSql();
// An item's catches (:JEDIN the item): JEDIN, DATUM, REVIR, RYBA, CENA_MJ,
// POCET, VAHA, SPOLU.
QStringList ItemCatchesSql();
// A purchase's releases into grounds (:JEDIN the purchase), valued at the
// price :CENA: SPOLU, JEDIN, DATUM, MNOZSTVO, NAZOV_UPLNY (the ground).
QStringList StockingReleasesSql();

// A guest payment with its one item and the item's cash row (:JEDIN the
// payment); the member C_CLENOV too when `withMember`.
QString GuestPaymentLoadSql(bool withMember);
// A payment item with the document kind of its cash row (:JEDIN the item).
QString PaymentItemLoadSql();
// A permit to return: the item's return date and extra text, its payment's
// date, holder and note, its ground (REVIR, REVIR_JEDIN) and organisation
// C_ZO by name (:JEDIN the item).
QString PermitReturnLoadSql();
// The payment E_POVOLENKY of item :JEDIN.
QString ItemPaymentSql();
// A new stock movement's number in year :ROK: the year's highest plus 1.
QString NextStockMovementNumberSql();

// The number CISLO of payment `payment`.
int PaymentNumber(TIBQuery& q, int payment);
// The permits to be returned in year `rok`, and how many of them came back.
struct TReturnCounts {
  qint64 All = 0, Returned = 0;
};
TReturnCounts CountPermitReturns(TIBQuery& q, int rok);
