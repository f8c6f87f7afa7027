#include "registers/competitions/CompetitionQueries.h"
#include "db/IBQuery.h"
#include "registers/common/ListPattern.h"
#include "registers/common/PrintProtocol.h"

namespace {
// Surname, first name and title joined by blanks (a missing title leaves
// its blank), compared as the database's Czech-Slovak collation orders names.
const QString kCompetitorColumns = QStringLiteral("select a.jedin,cast(a.priezvisko||' '||a.meno||' '||\n"
                                                  "a.titul as varchar(75)) collate PXW_CSY as pretekar,"
                                                  "a.datum_narodenia,");
} // namespace

void SelectLeagues(TListQuery& q) { q.Add(QStringLiteral("select a.jedin,a.nazov from C_lig a")); }

void SelectTeams(TListQuery& q, int rok) {
  q.Add(QStringLiteral("select a.jedin,a.nazov,b.cislo,c.nazov as liga"));
  q.Add(QStringLiteral("from c_druzstva_pretekarov a"));
  q.Add(QStringLiteral("left join c_druzstva_pretekarov_pc b"));
  q.Add(QStringLiteral("on b.c_druzstva_pretekarov=a.jedin and b.rok=:ROK"));
  q.Add(QStringLiteral("left join c_lig c on c.jedin=b.c_lig"));
  q.Params.insert(QStringLiteral("ROK"), rok);
}

void SelectCompetitors(TListQuery& q) {
  q.Add(kCompetitorColumns);
  q.Add(QStringLiteral("a.cislo,b.nazov,"));
  q.Add(QStringLiteral("c.nazov as liga from c_pretekari a"));
  q.Add(QStringLiteral("left join c_druzstva_pretekarov b on b.jedin=a.c_druzstva_pretekarov"));
  q.Add(QStringLiteral("left join c_lig c on c.jedin=a.c_lig"));
}

QStringList ChosenCompetitorsSql() {
  return {kCompetitorColumns,
          QStringLiteral("a.cislo,b.nazov,c.nazov as liga"),
          QStringLiteral("from temp_spracuj x"),
          QStringLiteral("left join c_pretekari a on a.jedin=x.cislo"),
          QStringLiteral("left join c_druzstva_pretekarov b on b.jedin=a.c_druzstva_pretekarov"),
          QStringLiteral("left join c_lig c on c.jedin=a.c_lig"),
          SelectionSetWhere(),
          QStringLiteral("order by 2,a.datum_narodenia,b.nazov,c.nazov,a.cislo")};
}

void SelectCompetitions(TListQuery& q) {
  q.Add(QStringLiteral("select a.jedin,a.termin_od,b.nazov as liga,a.miesto,a.nazov"));
  q.Add(QStringLiteral("from e_preteky a left join c_lig b on b.jedin=a.c_lig"));
}

void SelectRounds(TListQuery& q, int competition) {
  q.Add(QStringLiteral("select a.jedin,a.cislo,a.cislo_v_roku,b.nazov as nazov_preteku,a.nazov"));
  q.Add(QStringLiteral("from e_preteky_kola a left join e_preteky b on b.jedin=a.e_preteky"));
  q.Where(QStringLiteral("a.e_preteky=:JEDIN"));
  q.Params.insert(QStringLiteral("JEDIN"), competition);
}

void SelectRoundEntries(TListQuery& q, int round) {
  q.Add(QStringLiteral("select a.jedin,a.sektor||a.sektor_cislo as sektor,a.cips,"));
  q.Add(QStringLiteral("b.nazov_uplny as pretekar,c.nazov as druzstvo, a.TRESTNE_MIESTO"));
  q.Add(QStringLiteral("from e_preteky_pretekari a"));
  q.Add(QStringLiteral("left join c_pretekari b on b.jedin=a.c_pretekari"));
  q.Add(QStringLiteral("left join c_druzstva_pretekarov c on c.jedin=a.c_druzstva_pretekarov"));
  q.Where(QStringLiteral("a.e_preteky_kola=:JEDIN"));
  q.Params.insert(QStringLiteral("JEDIN"), round);
}

namespace {
std::optional<TTeamYear> SelectTeamYear(TIBQuery& query, int team, int rok, bool lock) {
  query.SetSQL(QStringLiteral("select cislo,c_lig from c_druzstva_pretekarov_pc\n"
                              "where c_druzstva_pretekarov=:JEDIN and rok=:ROK") +
               (lock ? QStringLiteral(" with lock") : QString()));
  query.ParamByName(QStringLiteral("JEDIN")).SetValue(team);
  query.ParamByName(QStringLiteral("ROK")).SetValue(rok);
  query.Open();
  std::optional<TTeamYear> year;
  if (!query.IsEmpty())
    year = TTeamYear{query.FieldByName(QStringLiteral("CISLO")).AsInteger(),
                     query.FieldByName(QStringLiteral("C_LIG")).AsVariant()};
  query.Close();
  return year;
}
} // namespace

std::optional<TTeamYear> ReadTeamYear(TIBQuery& query, int team, int rok) {
  return SelectTeamYear(query, team, rok, false);
}

std::optional<TTeamYear> LockTeamYear(TIBQuery& query, int team, int rok) {
  return SelectTeamYear(query, team, rok, true);
}

void WriteTeamYear(TIBQuery& query, int team, int rok, const TTeamYear& year) {
  query.SetSQL(QStringLiteral("select first 1 rok from c_druzstva_pretekarov_pc\n"
                              "where rok=:ROK and c_druzstva_pretekarov=:JEDIN"));
  query.ParamByName(QStringLiteral("ROK")).SetValue(rok);
  query.ParamByName(QStringLiteral("JEDIN")).SetValue(team);
  query.Open();
  const bool exists = !query.IsEmpty();
  query.Close();
  query.SetSQL(exists ? QStringLiteral("UPDATE C_DRUZSTVA_PRETEKAROV_PC SET CISLO=:CISLO,C_LIG=:C_LIG\n"
                                       "WHERE C_DRUZSTVA_PRETEKAROV=:C_DRUZSTVA_PRETEKAROV AND ROK=:ROK")
                      : QStringLiteral("INSERT INTO C_DRUZSTVA_PRETEKAROV_PC (C_DRUZSTVA_PRETEKAROV,CISLO,ROK,C_LIG)\n"
                                       "VALUES (:C_DRUZSTVA_PRETEKAROV,:CISLO,:ROK,:C_LIG)"));
  query.ParamByName(QStringLiteral("C_DRUZSTVA_PRETEKAROV")).SetValue(team);
  query.ParamByName(QStringLiteral("ROK")).SetValue(rok);
  query.ParamByName(QStringLiteral("CISLO")).SetValue(year.StartNumber == 0 ? QVariant() : QVariant(year.StartNumber));
  query.ParamByName(QStringLiteral("C_LIG")).SetValue(year.League);
  query.ExecSQL();
}
