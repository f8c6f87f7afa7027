#include "controls/IBComboBox.h"
#include "registers/competitions/RankingQueries.h"
#include "registers/competitions/fPVysledkyATP.h"
#include "registers/competitions/fPVysledkyLigy.h"
#include "tests/registers/competitions/CompetitionsTestSupport.h"

namespace {

// One round of the worked example: sector A with P1 1200, P2 and P3 800,
// P4 500 and P5 disqualified to place 6 with 300; sector B with Q1 0; a
// sixth competitor without a sector. P1 and P2 fish for one team, P3, P4
// and P5 for a second, Q1 and the sixth for a third.
class ScoringTest : public CompetitionsTest {
protected:
  void SetUp() override {
    CompetitionsTest::SetUp();
    liga = AddLeague(QStringLiteral("Liga ZEZ-A Stred"));
    for (const char* name : {"Žilina", "Martin", "Ružomberok"})
      teams.append(AddTeam(QString::fromUtf8(name)));
    for (const char* name : {"P1", "P2", "P3", "P4", "P5", "Q1", "S6"})
      people.insert(QString::fromLatin1(name), AddCompetitor(QStringLiteral("Ján"), QString::fromLatin1(name)));
    preteky = AddCompetition(2026, liga, QStringLiteral("Pohár Váhu"));
    kolo = AddRound(preteky, 1, 1);
    Enter(kolo, {{"P1", 0, "A", 1, 1200, 0},
                 {"P2", 0, "A", 2, 800, 0},
                 {"P3", 1, "A", 3, 800, 0},
                 {"P4", 1, "A", 4, 500, 0},
                 {"P5", 1, "A", 5, 300, 6},
                 {"Q1", 2, "B", 1, 0, 0},
                 {"S6", 2, nullptr, 0, 900, 0}});
  }
  struct TEntry {
    const char* who;
    int team;
    const char* sektor; // null: none
    int peg;            // 0: none
    int cips, trestne;
  };
  void Enter(int round, std::initializer_list<TEntry> entries) {
    for (const TEntry& e : entries)
      AddEntry(round, people.value(QString::fromLatin1(e.who)), teams[e.team],
               e.sektor ? QVariant(QString::fromLatin1(e.sektor)) : QVariant(), e.peg ? QVariant(e.peg) : QVariant(),
               e.cips, e.trestne);
  }
  QString Name(const QVariant& key) const { return people.key(key.toInt()); }
  // The round's ranking: sector/competitor/placement/CIPS in the procedure's order.
  QStringList Ranking(int round) const {
    QStringList rows;
    for (const QString& row : Rows(QStringLiteral("select sektor,c_pretekari,umiestnenie,cips "
                                                  "from sp_preteky_kola(:K)"),
                                   {{QStringLiteral("K"), round}})) {
      QStringList columns = row.split(QLatin1Char('/'));
      columns[1] = Name(columns[1]);
      rows.append(columns.join(QLatin1Char('/')));
    }
    return rows;
  }
  int liga = 0, preteky = 0, kolo = 0;
  QList<int> teams;
  QMap<QString, int> people;
};

TEST_F(ScoringTest, TiesShareTheMeanOfTheirPositionsAndPenaltiesTakeNoPosition) {
  QStringList rows = Ranking(kolo);
  ASSERT_EQ(rows.size(), 6) << rows.join(QLatin1Char('|')).toStdString();
  // P2 and P3 tie in either order; nothing else is free.
  if (rows[1].contains(QLatin1String("/P3/"))) rows.swapItemsAt(1, 2);
  EXPECT_EQ(rows,
            QStringList({QStringLiteral("A/P1/1/1200"), QStringLiteral("A/P2/2.5/800"), QStringLiteral("A/P3/2.5/800"),
                         QStringLiteral("A/P4/4/500"), QStringLiteral("A/P5/6/0"), QStringLiteral("B/Q1/1/0")}));
}

TEST_F(ScoringTest, APenalisedCompetitorWithTheTiedPointsLeavesTheTieAsItWas) {
  Exec(QStringLiteral("update e_preteky_pretekari set cips=800 where c_pretekari=:P"),
       {{QStringLiteral("P"), people.value(QStringLiteral("P5"))}});
  QStringList rows = Ranking(kolo);
  ASSERT_EQ(rows.size(), 6);
  if (rows[1].contains(QLatin1String("/P3/"))) rows.swapItemsAt(1, 2);
  EXPECT_EQ(rows.mid(1, 4), QStringList({QStringLiteral("A/P2/2.5/800"), QStringLiteral("A/P3/2.5/800"),
                                         QStringLiteral("A/P4/4/500"), QStringLiteral("A/P5/6/0")}));
}

TEST_F(ScoringTest, TeamsSumTheirPlacementsAndPointsPerRound) {
  // Žilina 1 + 2.5, Martin 2.5 + 4 + 6, Ružomberok 1 (its competitor without a sector adds nothing).
  EXPECT_EQ(Rows(QStringLiteral("select b.nazov,a.umiestnenie,a.cips from sp_preteky(:P) a "
                                "left join c_druzstva_pretekarov b on b.jedin=a.c_druzstva_pretekarov"),
                 {{QStringLiteral("P"), preteky}}),
            QStringList({QStringLiteral("Ružomberok/1/0"), QStringLiteral("Žilina/3.5/2000"),
                         QStringLiteral("Martin/12.5/1300")}));
}

TEST_F(ScoringTest, ARoundsNumberInTheYearChoosesItsColumnOfTheYearlyTables) {
  const QString columns = QStringLiteral("cislo_v_roku,u_1,cips_1,u_2,cips_2,u_3,u_4,u_5,u_6,u_7,u_8,u_9,cips_9");
  const struct {
    int cisloVRoku;
    QString zilina; // the team's row in the league table's procedure
  } cases[] = {
      {1, QStringLiteral("1/3.5/2000/0/0/0/0/0/0/0/0/0/0")},
      {2, QStringLiteral("2/0/0/3.5/2000/0/0/0/0/0/0/0/0")},
      {9, QStringLiteral("9/0/0/0/0/0/0/0/0/0/0/3.5/2000")},
      // A round outside 1 to 9 is fished but scores in no column.
      {0, QStringLiteral("0/0/0/0/0/0/0/0/0/0/0/0/0")},
  };
  for (const auto& c : cases) {
    Exec(QStringLiteral("update e_preteky_kola set cislo_v_roku=:V where jedin=:K"),
         {{QStringLiteral("V"), c.cisloVRoku}, {QStringLiteral("K"), kolo}});
    const QVariantMap params{{QStringLiteral("R"), 2026}, {QStringLiteral("L"), liga}, {QStringLiteral("D"), teams[0]}};
    EXPECT_EQ(Rows(QStringLiteral("select ") + columns +
                       QStringLiteral(" from sp_preteky_liga(:R,:L) where c_druzstva_pretekarov=:D"),
                   params),
              QStringList(c.zilina))
        << c.cisloVRoku;
    // P1's own row in the individual ranking's procedure.
    EXPECT_EQ(
        Rows(QStringLiteral("select ") + columns + QStringLiteral(" from sp_preteky_atp(:R,:L) where c_pretekari=:P"),
             {{QStringLiteral("R"), 2026},
              {QStringLiteral("L"), liga},
              {QStringLiteral("P"), people.value(QStringLiteral("P1"))}})
            .value(0)
            .section(QLatin1Char('/'), 0, 0),
        QString::number(c.cisloVRoku));
  }
}

// The yearly rankings as their prints read them. In 2026: Kováč (Žilina)
// fishes four rounds, the fourth numbered 0 in the year (fished, no points),
// always second behind Mráz (Martin), who fishes the first three; Hruška
// (Martin) and Šimko (Žilina) win their own sectors of round 1, and Šimko
// wins his sector of round 2 fishing for Martin. Mráz also fishes in 2025.
class RankingTest : public CompetitionsTest {
protected:
  void SetUp() override {
    CompetitionsTest::SetUp();
    liga = AddLeague(QStringLiteral("Liga ZEZ-A Sever"));
    const int zilina = AddTeam(QStringLiteral("Žilina")), martin = AddTeam(QStringLiteral("Martin"));
    const int kovac = AddCompetitor(QStringLiteral("Peter"), QStringLiteral("Kováč"));
    const int mraz = AddCompetitor(QStringLiteral("Ján"), QStringLiteral("Mráz"));
    const int hruska = AddCompetitor(QStringLiteral("Ivan"), QStringLiteral("Hruška"));
    const int simko = AddCompetitor(QStringLiteral("Ľuboš"), QStringLiteral("Šimko"));
    const int preteky = AddCompetition(2026, liga, QStringLiteral("Pohár Oravy"));
    for (int cislo = 1; cislo <= 4; ++cislo) {
      const int kolo = AddRound(preteky, cislo, cislo == 4 ? 0 : cislo);
      AddEntry(kolo, kovac, zilina, QStringLiteral("A"), 1, 500);
      if (cislo <= 3) AddEntry(kolo, mraz, martin, QStringLiteral("A"), 2, 800);
      if (cislo == 1) {
        AddEntry(kolo, hruska, martin, QStringLiteral("B"), 1, 700);
        AddEntry(kolo, simko, zilina, QStringLiteral("C"), 1, 300);
      }
      if (cislo == 2) AddEntry(kolo, simko, martin, QStringLiteral("B"), 1, 100);
    }
    const int lani = AddRound(AddCompetition(2025, liga, QStringLiteral("Pohár Oravy 2025")), 1, 1);
    AddEntry(lani, mraz, martin, QStringLiteral("A"), 1, 999);
  }
  QStringList LeagueTable(int league) const {
    QStringList rows;
    for (const QString& row : Rows(LeagueTableSql().join(QLatin1Char('\n')),
                                   {{QStringLiteral("ROK"), 2026}, {QStringLiteral("JEDIN"), league}}))
      rows.append(row.section(QLatin1Char('/'), 0, 1) + QLatin1Char('/') + row.section(QLatin1Char('/'), -1));
    return rows; // total placement/total CIPS/team
  }
  // Competitor/team/rounds fished/placement total/CIPS total, in the ranking's order.
  QStringList Atp(int league) const {
    QStringList rows;
    TTestStatement statement(db.get(), AtpRankingSql().join(QLatin1Char('\n')),
                             {{QStringLiteral("ROK"), 2026}, {QStringLiteral("JEDIN"), league}});
    TIBQuery& q = statement.Query();
    q.Open();
    for (q.First(); !q.Eof(); q.Next()) {
      QStringList columns;
      for (const char* field : {"PRIEZVISKO", "DRUZSTVO", "POCET_PRETEKOV", "U_SPOLU", "CIPS_SPOLU"})
        columns.append(q.FieldByName(QLatin1String(field)).AsVariant().toString());
      rows.append(columns.join(QLatin1Char('/')));
    }
    statement.Commit();
    return rows;
  }
  int liga = 0;
};

TEST_F(RankingTest, TheIndividualRankingCountsRoundsFirstThenPlacementThenPoints) {
  EXPECT_EQ(Atp(liga), QStringList({QStringLiteral("Kováč/Žilina/4/6/1500"), QStringLiteral("Mráz/Martin/3/3/2400"),
                                    QStringLiteral("Hruška/Martin/1/1/700"), QStringLiteral("Šimko/Žilina/1/1/300"),
                                    QStringLiteral("Šimko/Martin/1/1/100")}));
}

TEST_F(RankingTest, TheLeagueTableOrdersTeamsByPlacementThenByPoints) {
  // Martin: Mráz 3, Hruška 1, Šimko 1; Žilina: Kováč 6, Šimko 1.
  EXPECT_EQ(LeagueTable(liga), QStringList({QStringLiteral("5/3200/Martin"), QStringLiteral("7/1800/Žilina")}));
  // Two teams level on placements: the one with more points first.
  const int liga2 = AddLeague(QStringLiteral("Liga ZEZ-A Juh"));
  const int kolo = AddRound(AddCompetition(2026, liga2, QStringLiteral("Pohár Hrona")), 1, 1);
  AddEntry(kolo, AddCompetitor(QStringLiteral("Eva"), QStringLiteral("Nová")), AddTeam(QStringLiteral("Nitra")),
           QStringLiteral("A"), 1, 100);
  AddEntry(kolo, AddCompetitor(QStringLiteral("Jana"), QStringLiteral("Malá")), AddTeam(QStringLiteral("Levice")),
           QStringLiteral("B"), 1, 400);
  EXPECT_EQ(LeagueTable(liga2), QStringList({QStringLiteral("1/400/Levice"), QStringLiteral("1/100/Nitra")}));
}

TEST_F(RankingTest, ALeagueWithoutCompetitionsHasItsNameButNoRows) {
  const int prazdna = AddLeague(QStringLiteral("Liga ZEZ-A Západ"));
  EXPECT_EQ(Rows(LeagueNameSql().join(QLatin1Char('\n')), {{QStringLiteral("JEDIN"), prazdna}}),
            QStringList(QStringLiteral("Liga ZEZ-A Západ")));
  EXPECT_TRUE(LeagueTable(prazdna).isEmpty());
  EXPECT_TRUE(Atp(prazdna).isEmpty());
}

// The dialogs print the chosen league of their year; the league table of a
// league without competitions prints its heading, its ATP ranking has nothing.
TEST_F(RankingTest, TheRankingDialogsPrintTheChosenLeagueOfTheirYear) {
  const int prazdna = AddLeague(QStringLiteral("Liga ZEZ-A Západ"));
  TfrmPVysledkyLigy tabulka(nullptr, 2026);
  TfrmPVysledkyATP atp(nullptr, 2026);
  const struct {
    TLeagueRankingForm& dialog;
    int liga;
    QString templateName;
    bool shown;
  } cases[] = {
      {tabulka, liga, QStringLiteral("PR_VS.rpf"), true},
      {atp, liga, QStringLiteral("PR_VATP.rpf"), true},
      {tabulka, prazdna, QStringLiteral("PR_VS.rpf"), true},
      {atp, prazdna, QStringLiteral("PR_VATP.rpf"), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.templateName.toStdString() + " " + std::to_string(c.liga));
    prints.clear();
    FreshMessages();
    ShowActive(c.dialog);
    c.dialog.SetModalResult(0);
    c.dialog.eDBLiga->ClearValue();
    Press(c.dialog, Qt::Key_F12); // no league: refused
    EXPECT_TRUE(Messages().value(0).contains(QStringLiteral("#1001")))
        << Messages().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(prints.empty());
    FreshMessages();
    c.dialog.eDBLiga->FindIt(c.liga);
    Press(c.dialog, Qt::Key_F12);
    EXPECT_EQ(c.dialog.ModalResult(), mrOk);
    ASSERT_EQ(prints.size(), 1u);
    const TRecordedPrint& p = prints[0];
    EXPECT_EQ(p.Template, c.templateName);
    EXPECT_EQ(p.Title, QStringLiteral("Tlač výsledkov súťaže"));
    EXPECT_EQ(p.Variables.value(QStringLiteral("Rok")), QStringLiteral("'2026'"));
    EXPECT_EQ(p.Aliases.value(QStringLiteral("ib1")), QStringLiteral("MASTER"));
    EXPECT_EQ(p.Aliases.value(QStringLiteral("ib2")), QStringLiteral("DETAIL"));
    EXPECT_EQ(p.Shown, c.shown);
    EXPECT_EQ(Messages(), c.shown ? QStringList() : QStringList(QStringLiteral("Nie sú údaje pre tlač.")));
    c.dialog.hide();
  }
}

} // namespace
