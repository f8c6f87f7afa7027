#pragma once
#include "registers/common/PrintProtocol.h"
#include <QtCore/QStringList>

// The yearly rankings of a league, read from the database's yearly result
// procedures (:ROK the year, :JEDIN the league), in which each round's
// results sit in the column U_n / CIPS_n of its number in the year.

// The league table: one row per team with its totals (U_SPOLU, CIPS_SPOLU),
// the sums per column (U_1, CIPS_1 .. U_9, CIPS_9) and DRUZSTVO; placement
// total ascending, then CIPS total descending.
QStringList LeagueTableSql();
// The individual (ATP) ranking: one row per competitor and team with the
// rounds fished (POCET_PRETEKOV), the same totals and sums, DRUZSTVO,
// PRIEZVISKO, MENO, TITUL; rounds fished descending, then placement total
// ascending, then CIPS total descending.
QStringList AtpRankingSql();
// The league's name (NAZOV) of :JEDIN.
QStringList LeagueNameSql();

// The print of a ranking of league `liga` in year `rok` from its template:
// MASTER the league's name and DETAIL the ranking's rows (two independent
// data sets), the variable "Rok"; `noData` says when there is nothing to print.
TRegisterPrint LeagueRankingPrint(const QString& templateName, const QStringList& detailSql, int liga, quint16 rok,
                                  TRegisterPrint::TNoData noData);
