#pragma once
#include <QtCore/QVariant>
#include <optional>

class TIBQuery;
struct TListQuery;

// The statements of the competitions registers' lists and dialogs. The
// selects fill a list's query (its where clause and parameters included);
// the list adds its year, filter and order.

// Leagues: JEDIN, NAZOV.
void SelectLeagues(TListQuery& q);
// Teams with their start number CISLO and league LIGA in year `rok` (none
// when the team has no row for the year).
void SelectTeams(TListQuery& q, int rok);
// Competitors: JEDIN, PRETEKAR (surname, first name and title, ordered as
// the Czech-Slovak collation orders names), DATUM_NARODENIA, CISLO, NAZOV
// (the team) and LIGA.
void SelectCompetitors(TListQuery& q);
// The same columns of the chosen competitors (the selection set bound to
// :ZARADENIE), sorted by name, birth date, team, league and number.
QStringList ChosenCompetitorsSql();
// Competitions: JEDIN, TERMIN_OD, LIGA, MIESTO, NAZOV.
void SelectCompetitions(TListQuery& q);
// The rounds of competition `competition`: JEDIN, CISLO, CISLO_V_ROKU,
// NAZOV_PRETEKU, NAZOV.
void SelectRounds(TListQuery& q, int competition);
// The competitors of round `round`: JEDIN, SEKTOR (sector and peg), CIPS,
// PRETEKAR, DRUZSTVO, TRESTNE_MIESTO.
void SelectRoundEntries(TListQuery& q, int round);

// A team's start number and league in one year; a start number of 0 is
// none and is stored as Null.
struct TTeamYear {
  int StartNumber = 0;
  QVariant League;
  bool operator==(const TTeamYear&) const = default;
};
// The team's row of year `rok`, none when it has no such row.
std::optional<TTeamYear> ReadTeamYear(TIBQuery& query, int team, int rok);
// The same, locked until the transaction ends (a save about to write it).
std::optional<TTeamYear> LockTeamYear(TIBQuery& query, int team, int rok);
// Writes the team's row of year `rok`, added when it has none.
void WriteTeamYear(TIBQuery& query, int team, int rok, const TTeamYear& year);
