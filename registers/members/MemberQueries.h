#pragma once
#include "db/SqlCondition.h"
#include <QtCore/QString>
#include <QtCore/QStringList>

struct TListQuery;

// The statements of the member registers' lists, beside their forms. Each
// select fills a list's query (its where clause and parameters included);
// the list adds its year, filter and order.

// Member groups: JEDIN, NAZOV.
void SelectMemberGroups(TListQuery& q);
// Work duty types: JEDIN, NAZOV.
void SelectWorkTypes(TListQuery& q);
// The interrupted membership years of member `clen`: JEDIN, ROK, DOVOD.
void SelectInterruptedYears(TListQuery& q, int clen);
// Fishing guards: JEDIN, CISLO_ODZNAKU, CISLO_OSVEDCENIA, DATUM_OD, DATUM_DO
// and the member's MENO, PRIEZVISKO, TITUL, ADRESA, TELEFON.
void SelectGuards(TListQuery& q);
// Members with CLEN ('Člen' when the membership fee of year `rok` is paid,
// else '-----') second: ADRESA, CLEN, JEDIN, PRIEZVISKO, MENO, TITUL,
// CISLO_LEGITIMACIE, VSTUP_JUX, SKOLENIE_USKUTOCNENE (text), DATUM_NARODENIA.
void SelectMembers(TListQuery& q, int rok);
// Work duty: JEDIN, DATUM, POPIS, HODINY, CLEN, SUKROMNE_VOZIDLO (text),
// UHRADENE.
void SelectWorkDuty(TListQuery& q);
// Mail: JEDIN, DRUH (text), DATUM, CISLO, VEC, NAZOV_UPLNY, VYBAVENE_DATUM.
void SelectMail(TListQuery& q);
// Entrusted items: SPOLU (quantity times price), JEDIN, DATUM, CLEN, NAZOV,
// MNOZSTVO, CENA, MNOZSTVO_VRATENE; only those still out when
// `onlyStillOut`.
void SelectEntrustedItems(TListQuery& q, bool onlyStillOut);
// Keeps the entrusted items not wholly returned.
void WhereItemsStillOut(TListQuery& q);
// Offences of year `rok`: JEDIN, NAZOV_UPLNY, DATUM, PRIESTUPOK, POKUTA,
// VYBAVENY, C_CLENOV. Unsettled cases of earlier years follow into every later
// year; `withSettledOfEarlierYears` lists every case up to `rok`.
void SelectOffences(TListQuery& q, int rok, bool withSettledOfEarlierYears);
// Awards: JEDIN, NAZOV, ROK_VYZNAMENANIA, CLEN.
void SelectAwards(TListQuery& q);
// Guard inspections: JEDIN, DATUM (the day of the start), SUKROMNE_VOZIDLO
// (text), KONTROLOR, UHRADENE, REVIR.
void SelectInspections(TListQuery& q);

// The guards of inspection :JEDIN: JEDIN, CISLO_ODZNAKU, CISLO_OSVEDCENIA,
// NAZOV_UPLNY.
QStringList InspectionGuardsSql();
// The persons checked by inspection :JEDIN: JEDIN, KONTROLOVANY, PRIESTUPOK,
// KONTROLOR, REVIR.
QStringList InspectedPersonsSql();
// The guards (c_clenov_rs keys) entered for inspection `inspection`, as a
// lookup's condition.
TSqlCondition GuardsOfInspection(int inspection);

// The select of the chosen members' full rows for exports and prints: the
// selection set of this connection whose tag is bound to :ZARADENIE, sorted
// by display name and birth date.
QString ChosenMembersSql();
