// The competitions' statements run on the embedded database: the lists'
// selects with their parameters, and a team's yearly row read and written.
#include "registers/competitions/CompetitionQueries.h"
#include "registers/common/ListPattern.h"
#include "tests/registers/competitions/CompetitionsTestSupport.h"
#include "tests/support/SqlTestRoutines.h"

namespace {

class CompetitionQueriesTest : public CompetitionsTest {
protected:
  // The rows of a list's query as the module fills it, in `order`.
  QStringList Listed(const std::function<void(TListQuery&)>& select, const QString& order) const {
    TListQuery q;
    select(q);
    return Rows(q.Text() + QStringLiteral("\norder by ") + order, q.Params);
  }
  // Runs `work` on a query in a transaction of its own, committed.
  void InTransaction(const std::function<void(TIBQuery&)>& work) {
    TTestStatement statement(db.get(), QStringLiteral("select 1 from rdb$database"));
    work(statement.Query());
    statement.Commit();
  }
};

TEST_F(CompetitionQueriesTest, TheListsShowTheirYearsRowsAndTheRowsOfTheirOwner) {
  const int liga = AddLeague(QStringLiteral("Liga Stred"));
  const int zilina = AddTeam(QStringLiteral("Žilina")), martin = AddTeam(QStringLiteral("Martin"));
  AddTeamYear(zilina, 2025, 7, liga);
  AddTeamYear(martin, 2026, 3, liga);
  const int pohar = AddCompetition(2026, liga, QStringLiteral("Pohár Váhu"));
  const int memorial = AddCompetition(2026, liga, QStringLiteral("Memoriál"));
  const int prve = AddRound(pohar, 1, 4), druhe = AddRound(pohar, 2, 5);
  AddRound(memorial, 1, 6);
  const int hudec = AddCompetitor(QStringLiteral("Ján"), QStringLiteral("Hudec"), zilina, liga);
  const int chovan = AddCompetitor(QStringLiteral("Peter"), QStringLiteral("Chovan"), martin);
  AddEntry(prve, hudec, zilina, QStringLiteral("A"), 2, 1200);
  AddEntry(prve, chovan, martin, QStringLiteral("B"), 1, 800, 1);
  AddEntry(druhe, chovan, martin, QStringLiteral("A"), 1, 500);
  AddCompetitor(QStringLiteral("Eva"), QStringLiteral("Cyprich"));

  EXPECT_EQ(Listed(SelectLeagues, QStringLiteral("2")), QStringList(QStringLiteral("%1/Liga Stred").arg(liga)));
  // A team's number and league are those of the list's year only.
  EXPECT_EQ(
      Listed([](TListQuery& q) { SelectTeams(q, 2026); }, QStringLiteral("2")),
      QStringList({QStringLiteral("%1/Martin/3/Liga Stred").arg(martin), QStringLiteral("%1/Žilina//").arg(zilina)}));
  EXPECT_EQ(
      Listed([](TListQuery& q) { SelectTeams(q, 2025); }, QStringLiteral("2")),
      QStringList({QStringLiteral("%1/Martin//").arg(martin), QStringLiteral("%1/Žilina/7/Liga Stred").arg(zilina)}));
  // Names in the Slovak order: C before H before CH.
  QStringList names;
  for (const QString& row : Listed(SelectCompetitors, QStringLiteral("2")))
    names.append(row.section(QLatin1Char('/'), 1, 1).trimmed());
  EXPECT_EQ(names,
            QStringList({QStringLiteral("Cyprich Eva"), QStringLiteral("Hudec Ján"), QStringLiteral("Chovan Peter")}));
  EXPECT_EQ(Listed(SelectCompetitions, QStringLiteral("a.nazov")).size(), 2);
  // The rounds of one competition, the competitors of one round.
  EXPECT_EQ(Listed([&](TListQuery& q) { SelectRounds(q, pohar); }, QStringLiteral("a.cislo")),
            QStringList({QStringLiteral("%1/1/4/Pohár Váhu/1. kolo").arg(prve),
                         QStringLiteral("%1/2/5/Pohár Váhu/2. kolo").arg(druhe)}));
  QStringList entries;
  for (const QString& row : Listed([&](TListQuery& q) { SelectRoundEntries(q, prve); }, QStringLiteral("2")))
    entries.append(row.section(QLatin1Char('/'), 1));
  ASSERT_EQ(entries.size(), 2);
  EXPECT_TRUE(entries[0].startsWith(QStringLiteral("A2/1200/"))) << entries[0].toStdString();
  EXPECT_TRUE(entries[0].endsWith(QStringLiteral("/Žilina/0"))) << entries[0].toStdString();
  EXPECT_TRUE(entries[1].startsWith(QStringLiteral("B1/800/"))) << entries[1].toStdString();
  EXPECT_TRUE(entries[1].endsWith(QStringLiteral("/Martin/1"))) << entries[1].toStdString();
}

TEST_F(CompetitionQueriesTest, ATeamsYearlyRowIsAddedOnceThenChangedAndANumberOfZeroIsNone) {
  const int liga = AddLeague(QStringLiteral("Liga Stred")), druha = AddLeague(QStringLiteral("Liga Sever"));
  const int team = AddTeam(QStringLiteral("Žilina"));
  AddTeamYear(team, 2025, 9, druha);
  const QString stored = QStringLiteral("select rok,cislo,c_lig from c_druzstva_pretekarov_pc "
                                        "where c_druzstva_pretekarov=:D order by rok");
  InTransaction([&](TIBQuery& q) { EXPECT_FALSE(ReadTeamYear(q, team, 2026)); });
  const struct {
    TTeamYear written;
    QString row2026; // as stored
    int readNumber;
  } cases[] = {
      {{12, liga}, QStringLiteral("2026/12/%1").arg(liga), 12},
      {{0, druha}, QStringLiteral("2026//%1").arg(druha), 0},
      {{-4, QVariant()}, QStringLiteral("2026/-4/"), -4},
  };
  for (const auto& c : cases) {
    InTransaction([&](TIBQuery& q) { WriteTeamYear(q, team, 2026, c.written); });
    EXPECT_EQ(Rows(stored, {{QStringLiteral("D"), team}}),
              QStringList({QStringLiteral("2025/9/%1").arg(druha), c.row2026}));
    InTransaction([&](TIBQuery& q) {
      const std::optional<TTeamYear> read = ReadTeamYear(q, team, 2026);
      ASSERT_TRUE(read);
      EXPECT_EQ(read->StartNumber, c.readNumber);
      EXPECT_EQ(read->League.toInt(), c.written.League.toInt());
      EXPECT_EQ(read->League.isNull(), c.written.League.isNull());
    });
  }
}

} // namespace
