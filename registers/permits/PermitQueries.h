#pragma once
#include <QtCore/QStringList>

struct TListQuery;

// The statements of the permit registers' lists, beside their forms. Each
// fills a list's query (its where clause and parameters included); the list
// adds its year, filter and order.

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
