// The database's own rules on real rows of a database at the supported version:
// display names and search shadows, the paid-up flag, the permit-linked stock
// and cash rows, competition rankings, invoices and inspections.
#include "app/QPLUnit.h"
#include "core/CodePage1250.h"
#include "tests/schema/SchemaTestSupport.h"
#include "tests/support/Utf8Text.h"

using TRules = UpgradedDatabaseTest;

namespace {

QVariantMap P(std::initializer_list<std::pair<const char*, QVariant>> values) {
  QVariantMap map;
  for (const auto& [key, value] : values)
    map.insert(QString::fromLatin1(key), value);
  return map;
}

} // namespace

TEST_F(TRules, SearchFoldingMatchesTheProgramsFoldingForEveryCharacter) {
  QString all;
  for (int byte = 1; byte < 256; ++byte) {
    const char16_t ch = Cp1250::ToUnicode(uchar(byte));
    if (ch != 0xFFFD) all += QChar(ch);
  }
  EXPECT_EQ(Scalar(QStringLiteral("select upperqpl2(:S) from rdb$database"), P({{"S", all}})).toString(),
            StripDiacriticsUpper(all));
  EXPECT_TRUE(Scalar(QStringLiteral("select upperqpl2(null) from rdb$database")).isNull());
  const QStringList version =
      Scalar(QStringLiteral("select kalim_udf_version() from rdb$database")).toString().split(QLatin1Char('.'));
  EXPECT_GE(version.value(0).toInt() * 100 + version.value(1).toInt(), 104);
}

TEST_F(TRules, DisplayNamesAndTheirShadowsAreKeptByTheDatabase) {
  Exec(QStringLiteral("insert into c_zo (jedin, cislo, nazov) values (1, 7, :N)"), P({{"N", S("Žilina")}}));
  Exec(QStringLiteral("insert into c_clenov (jedin, titul, meno, priezvisko, ulica, psc, mesto, datum_narodenia) "
                      "values (1, 'Ing.', :M, :P, :U, '01001', :T, '1970-05-03')"),
       P({{"M", S("Ján")}, {"P", S("Šťastný")}, {"U", S("Hlavná 1")}, {"T", S("Žilina")}}));
  Exec(QStringLiteral("insert into c_partneri (jedin, nazov, nazov_uplny) values (1, 'Rybex', :N)"),
       P({{"N", S("Rybex, Košice")}}));
  Exec(QStringLiteral(
      "insert into e_povolenky (jedin, rok, typ_povolenky, cislo, c_clenov, psc) values (1, 2024, 0, 1, 1, '99999')"));
  Exec(QStringLiteral("insert into e_povolenky (jedin, rok, typ_povolenky, cislo, meno, priezvisko, mesto) values (2, "
                      "2024, 1, 1, 'Eva', :P, 'Nitra')"),
       P({{"P", S("Malá")}}));
  Exec(QStringLiteral(
      "insert into c_clenov_rs (jedin, c_clenov, cislo_odznaku, cislo_osvedcenia) values (1, 1, 'B7', 'O7')"));
  Exec(QStringLiteral("insert into e_rs (jedin, rok) values (1, 2024)"));
  Exec(QStringLiteral("insert into e_rs_kontrolovani (jedin, e_rs, c_clenov_rs, c_clenov, psc, meno) values (1, 1, 1, "
                      "1, '12345', 'X')"));
  Exec(QStringLiteral("insert into c_reviry_jux (jedin, rok, cislo, nazov, c_zo, nazov_uplny, nazov_uplny2) values (1, "
                      "2024, '3-1', :N, 1, :A, :B)"),
       P({{"N", S("Váh")}, {"A", S("Váh (Žilina) - 3-1")}, {"B", S("3-1 - Váh (Žilina)")}}));
  Exec(QStringLiteral("insert into e_pokladna (jedin, rok, p1, nazov, mesto) values (1, 2024, 1, :N, :T)"),
       P({{"N", S("Ľubo")}, {"T", S("Ťahanovce")}}));
  Exec(QStringLiteral("insert into e_pokladna (jedin, rok, p1, nazov) values (2, 2024, 2, 'Bez mesta')"));
  Exec(QStringLiteral(
      "insert into e_ceniny (jedin, rok, c_partneri, c_clenov, nazov_uplny) values (1, 2024, 1, 1, 'x')"));
  Exec(QStringLiteral("insert into e_ceniny (jedin, rok, c_clenov) values (2, 2024, 1)"));
  Exec(QStringLiteral("insert into e_ceniny (jedin, rok, nazov_uplny) values (3, 2024, :N)"),
       P({{"N", S("Iný kupec")}}));

  const QString member = S("Šťastný Ján Ing., Žilina, Hlavná 1, 03.05.1970");
  const QString memberX = QStringLiteral("STASTNY JAN ING., ZILINA, HLAVNA 1, 03.05.1970");
  const struct {
    const char* Query;
    QVariantList Expected;
  } cases[] = {
      {"select nazov_uplny, nazov_uplny_x, adresa from c_clenov where jedin=1",
       {member, memberX, S("Žilina, Hlavná 1")}},
      // A member's payment copies the member's person columns, the postcode included.
      {"select nazov_uplny, nazov_uplny_x, psc, meno from e_povolenky where jedin=1",
       {member, memberX, QStringLiteral("01001"), S("Ján")}},
      {"select nazov_uplny, nazov_uplny_x from e_povolenky where jedin=2",
       {S("Malá Eva, Nitra"), QStringLiteral("MALA EVA, NITRA")}},
      // An inspected member: person columns from the member, the postcode stays.
      {"select nazov_uplny, nazov_uplny_x, psc, meno from e_rs_kontrolovani where jedin=1",
       {member, memberX, QStringLiteral("12345"), S("Ján")}},
      {"select nazov_uplny_x, nazov_uplny2_x from c_reviry_jux where jedin=1",
       {QStringLiteral("VAH (ZILINA) - 3-1"), QStringLiteral("3-1 - VAH (ZILINA)")}},
      {"select nazov_uplny, nazov_uplny_x from e_pokladna where jedin=1",
       {S("Ľubo, Ťahanovce"), QStringLiteral("LUBO, TAHANOVCE")}},
      // Without a town the name alone, so the movement is still listed and found.
      {"select nazov_uplny, nazov_uplny_x from e_pokladna where jedin=2",
       {QStringLiteral("Bez mesta"), QStringLiteral("BEZ MESTA")}},
      {"select nazov_uplny_x from c_partneri where jedin=1", {QStringLiteral("RYBEX, KOSICE")}},
      // A stock movement takes the partner's name before the member's, else keeps its own.
      {"select nazov_uplny from e_ceniny where jedin=1", {S("Rybex, Košice")}},
      {"select nazov_uplny from e_ceniny where jedin=2", {member}},
      {"select nazov_uplny_x from e_ceniny where jedin=3", {QStringLiteral("INY KUPEC")}},
      {"select count(*) from v_reviry_jux where jedin=1", {2}},
      {"select nazov_uplny from v_clenov_rs where jedin=1 order by nazov_uplny", {QString(S("B7 - ") + member)}},
  };
  for (const auto& c : cases) {
    const QList<QVariantList> rows = Rows(QString::fromLatin1(c.Query));
    ASSERT_FALSE(rows.isEmpty()) << c.Query;
    ASSERT_EQ(rows.first().size(), c.Expected.size()) << c.Query;
    for (int i = 0; i < c.Expected.size(); ++i) {
      const QVariant have = rows.first()[i];
      const QVariant want = c.Expected[i];
      if (want.isNull())
        EXPECT_TRUE(have.isNull()) << c.Query;
      else
        EXPECT_EQ(have.toString().trimmed(), want.toString()) << c.Query << " column " << i;
    }
  }
}

TEST_F(TRules, PaidUpFlagFollowsFeeItemsOfEveryPaymentOfTheYear) {
  Exec(QStringLiteral("insert into c_clenov (jedin, meno, priezvisko) values (1, 'A', 'A')"));
  Exec(QStringLiteral("insert into c_clenov (jedin, meno, priezvisko) values (2, 'B', 'B')"));
  const struct {
    const char* Statement;
    QList<int> PaidMembers; // members paid up for 2024 afterwards
  } steps[] = {
      {"insert into e_povolenky (jedin, rok, typ_povolenky, cislo, c_clenov) values (1, 2024, 0, 1, 1)", {}},
      // The fee item alone sets the flag, without saving the header again.
      {"insert into e_povolenky2 (jedin, e_povolenky, rok, typ_platby, cena) values (1, 1, 2024, 2, 10)", {1}},
      {"insert into e_povolenky (jedin, rok, typ_povolenky, cislo, c_clenov) values (2, 2024, 0, 2, 1)", {1}},
      {"insert into e_povolenky2 (jedin, e_povolenky, rok, typ_platby, cena) values (2, 2, 2024, 1, 30)", {1}},
      {"delete from e_povolenky2 where jedin=1", {}},
      {"insert into e_povolenky2 (jedin, e_povolenky, rok, typ_platby, cena) values (3, 1, 2024, 2, 10)", {1}},
      // A fee of another year does not count.
      {"update e_povolenky2 set rok=2023 where jedin=3", {}},
      {"update e_povolenky2 set rok=2024 where jedin=3", {1}},
      // Moving the payment moves the flag.
      {"update e_povolenky set c_clenov=2 where jedin=1", {2}},
      {"update e_povolenky2 set typ_platby=1 where jedin=3", {}},
      {"update e_povolenky2 set typ_platby=2 where jedin=3", {2}},
      {"delete from e_povolenky where jedin=1", {}},
  };
  for (const auto& step : steps) {
    Exec(QString::fromLatin1(step.Statement));
    QList<int> paid;
    for (const QVariantList& row :
         Rows(QStringLiteral("select c_clenov from c_clenov_clenske where rok=2024 and uhradene=1 order by c_clenov")))
      paid << row.value(0).toInt();
    EXPECT_EQ(paid, step.PaidMembers) << step.Statement;
  }
}

TEST_F(TRules, PermitLinkedStockAndCashRowsGoOnlyWithTheirItem) {
  Exec(QStringLiteral("insert into e_povolenky (jedin, rok, typ_povolenky, cislo) values (1, 2024, 0, 1)"));
  for (int item = 1; item <= 3; ++item) {
    const QVariantMap key = P({{"I", item}});
    Exec(QStringLiteral(
             "insert into e_povolenky2 (jedin, e_povolenky, rok, typ_platby, cena) values (:I, 1, 2024, 1, 5)"),
         key);
    Exec(QStringLiteral("insert into e_ceniny (jedin, rok, e_povolenky2, mnozstvo) values (:I, 2024, :I, -1)"), key);
    Exec(QStringLiteral("insert into e_pokladna (jedin, rok, druh_dokladu, p1, p2, e_povolenky2, prijem) values (:I, "
                        "2024, 'P', :I, 1, :I, 5)"),
         key);
  }
  const struct {
    const char* Statement;
    const char* Error;
  } refused[] = {
      {"delete from e_pokladna where jedin=1", "ERR_003"},
      {"delete from e_ceniny where jedin=1", "ERR_002"},
  };
  for (const auto& r : refused)
    EXPECT_TRUE(ErrorOf(QString::fromLatin1(r.Statement)).contains(QLatin1String(r.Error))) << r.Statement;
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from e_pokladna where jedin=1")).toInt(), 1);
  // Deleting one item takes its rows; deleting the payment takes the rest.
  Exec(QStringLiteral("delete from e_povolenky2 where jedin=2"));
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from e_pokladna where e_povolenky2=2")).toInt() +
                Scalar(QStringLiteral("select count(*) from e_ceniny where e_povolenky2=2")).toInt(),
            0);
  Exec(QStringLiteral("delete from e_povolenky where jedin=1"));
  EXPECT_EQ(Scalar(QStringLiteral("select (select count(*) from e_povolenky2) + (select count(*) from e_ceniny) + "
                                  "(select count(*) from e_pokladna) from rdb$database"))
                .toInt(),
            0);
  // A movement without a permit item can be deleted.
  Exec(QStringLiteral("insert into e_ceniny (jedin, rok) values (9, 2024)"));
  EXPECT_EQ(ErrorOf(QStringLiteral("delete from e_ceniny where jedin=9")), QString());
}

TEST_F(TRules, ConstraintsCarryTheNamesTheErrorHandlerLooksFor) {
  Exec(QStringLiteral("insert into c_clenov (jedin, meno) values (1, 'A')"));
  Exec(QStringLiteral("insert into c_clenov (jedin, meno) values (2, 'B')"));
  Exec(
      QStringLiteral("insert into e_povolenky (jedin, rok, typ_povolenky, cislo, c_clenov) values (1, 2024, 0, 1, 2)"));
  Exec(QStringLiteral("insert into c_druhy_dokladov (jedin, rok, skratka) values (1, 2024, 'PP')"));
  Exec(QStringLiteral("insert into c_clenov_prerusene_roky (jedin, c_clenov, rok) values (1, 1, 2024)"));
  Exec(QStringLiteral(
      "insert into c_clenov_rs (jedin, c_clenov, cislo_odznaku, cislo_osvedcenia) values (1, 1, 'B', 'O')"));
  Exec(QStringLiteral("insert into e_rs (jedin, rok) values (1, 2024)"));
  Exec(QStringLiteral("insert into e_rs_kontrolori (jedin, e_rs, c_clenov_rs) values (1, 1, 1)"));
  const struct {
    const char* Statement;
    const char* Name;
  } cases[] = {
      {"insert into e_povolenky (jedin, rok, typ_povolenky, cislo) values (2, 2024, 0, 1)",
       "UK_E_POVOLENKY_ROK_CISLO_TYP"},
      {"insert into c_druhy_dokladov (jedin, rok, skratka) values (2, 2024, 'PP')", "UK_C_DRUHY_DOKLADOV_ROK_SKRATKA"},
      {"insert into c_clenov_prerusene_roky (jedin, c_clenov, rok) values (2, 1, 2024)",
       "UK_C_CLENOV_PRERUSENE_ROKY_ROK"},
      {"delete from c_clenov_rs where jedin=1", "FK_E_RS_KONTROLORI_CLEN_RS"},
      {"delete from c_clenov where jedin=2", "FK_E_POVOLENKY_CLEN"},
      {"insert into e_pokladna (jedin, c_clenov) values (1, 99)", "FK_E_POKLADNA_CLEN"},
  };
  for (const auto& c : cases)
    EXPECT_TRUE(ErrorOf(QString::fromLatin1(c.Statement)).contains(QLatin1String(c.Name))) << c.Statement;
  // A member without payments goes with the rows that only hang on him.
  Exec(QStringLiteral("delete from e_povolenky"));
  Exec(QStringLiteral("delete from e_rs_kontrolori"));
  Exec(QStringLiteral("delete from c_clenov where jedin=1"));
  EXPECT_EQ(Scalar(QStringLiteral("select (select count(*) from c_clenov_prerusene_roky) + (select count(*) from "
                                  "c_clenov_rs) from rdb$database"))
                .toInt(),
            0);
}

TEST_F(TRules, InspectionKeepsItsFirstGuardAndTakesItsInspectedPersonsAlong) {
  for (int member = 1; member <= 2; ++member) {
    Exec(QStringLiteral("insert into c_clenov (jedin, meno) values (:I, 'M')"), P({{"I", member}}));
    Exec(QStringLiteral(
             "insert into c_clenov_rs (jedin, c_clenov, cislo_odznaku, cislo_osvedcenia) values (:I, :I, 'B', 'O')"),
         P({{"I", member}}));
  }
  Exec(QStringLiteral("insert into e_rs (jedin, rok) values (1, 2024)"));
  const QString guard = QStringLiteral("select c_clenov from e_rs where jedin=1");
  EXPECT_TRUE(Scalar(guard).isNull());
  Exec(QStringLiteral("insert into e_rs_kontrolori (jedin, e_rs, c_clenov_rs) values (5, 1, 2)"));
  EXPECT_EQ(Scalar(guard).toInt(), 2);
  Exec(QStringLiteral("insert into e_rs_kontrolori (jedin, e_rs, c_clenov_rs) values (3, 1, 1)"));
  EXPECT_EQ(Scalar(guard).toInt(), 1); // the row with the lowest key
  Exec(QStringLiteral("delete from e_rs_kontrolori where jedin=3"));
  EXPECT_EQ(Scalar(guard).toInt(), 2);
  Exec(QStringLiteral("delete from e_rs_kontrolori where jedin=5"));
  EXPECT_TRUE(Scalar(guard).isNull());
  Exec(QStringLiteral("insert into e_rs_kontrolovani (jedin, e_rs, c_clenov_rs, meno) values (1, 1, 1, 'X')"));
  Exec(QStringLiteral("delete from e_rs where jedin=1"));
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from e_rs_kontrolovani")).toInt(), 0);
}

TEST_F(TRules, RoundRankingSharesTiedPlacesAndHonoursPenaltyPlaces) {
  Exec(QStringLiteral("insert into c_lig (jedin, nazov) values (1, 'L')"));
  Exec(QStringLiteral("insert into e_preteky (jedin, rok, c_lig) values (1, 2024, 1)"));
  Exec(QStringLiteral("insert into e_preteky_kola (jedin, e_preteky, cislo, cislo_v_roku) values (1, 1, 1, 2)"));
  for (int team = 1; team <= 2; ++team)
    Exec(QStringLiteral("insert into c_druzstva_pretekarov (jedin, nazov) values (:I, 'T')"), P({{"I", team}}));
  const struct {
    int Competitor, Team;
    const char* Sector;
    int Peg, Cips, Penalty;
  } entries[] = {{1, 1, "A", 1, 1200, 0}, {2, 1, "A", 2, 800, 0}, {3, 2, "A", 3, 800, 0},    {4, 2, "A", 4, 500, 0},
                 {5, 1, "A", 5, 300, 6},  {6, 2, "B", 1, 0, 0},   {7, 1, nullptr, 1, 999, 0}};
  for (const auto& e : entries) {
    Exec(QStringLiteral("insert into c_pretekari (jedin, meno) values (:I, 'P')"), P({{"I", e.Competitor}}));
    Exec(QStringLiteral(
             "insert into e_preteky_pretekari (jedin, e_preteky_kola, e_preteky, c_pretekari, c_druzstva_pretekarov, "
             "sektor, sektor_cislo, cips, trestne_miesto) values (:I, 1, 1, :I, :T, :S, :K, :C, :X)"),
         P({{"I", e.Competitor},
            {"T", e.Team},
            {"S", e.Sector ? QVariant(QString::fromLatin1(e.Sector)) : QVariant()},
            {"K", e.Peg},
            {"C", e.Cips},
            {"X", e.Penalty}}));
  }
  const QList<QVariantList> rows =
      Rows(QStringLiteral("select c_pretekari, umiestnenie, cips, sektor from sp_preteky_kola(1)"));
  QMap<int, std::pair<double, int>> result;
  QStringList sectors;
  for (const QVariantList& row : rows) {
    result.insert(row[0].toInt(), {row[1].toDouble(), row[2].toInt()});
    sectors << row[3].toString();
  }
  const QMap<int, std::pair<double, int>> expected{{1, {1.0, 1200}}, {2, {2.5, 800}}, {3, {2.5, 800}},
                                                   {4, {4.0, 500}},  {5, {6.0, 0}},   {6, {1.0, 0}}};
  EXPECT_EQ(result, expected);
  ASSERT_EQ(rows.size(), 6); // the competitor without a sector has no row
  EXPECT_EQ(rows.first()[0].toInt(), 1);
  EXPECT_EQ(rows[4][0].toInt(), 5); // the penalty place comes after the ranked ones of its sector
  EXPECT_TRUE(sectors.indexOf(QStringLiteral("B")) == 0 ||
              sectors.lastIndexOf(QStringLiteral("A")) < sectors.indexOf(QStringLiteral("B")));
  // Team sums, and the league table column chosen by the round's number in the year.
  EXPECT_EQ(Rows(QStringLiteral("select c_druzstva_pretekarov, umiestnenie, cips from sp_preteky(1)")),
            (QList<QVariantList>{{2, 7.5, 1300}, {1, 9.5, 2000}}));
  EXPECT_EQ(
      Rows(QStringLiteral("select u_1, u_2, cips_2, u_3 from sp_preteky_liga(2024, 1) where c_druzstva_pretekarov=1")),
      (QList<QVariantList>{{0.0, 9.5, 2000, 0.0}}));
  EXPECT_EQ(Rows(QStringLiteral("select u_2, cips_2 from sp_preteky_atp(2024, 1) where c_pretekari=3")),
            (QList<QVariantList>{{2.5, 800}}));
  EXPECT_TRUE(Rows(QStringLiteral("select * from sp_preteky_atp(2023, 1)")).isEmpty());
  // One peg of a sector per round.
  EXPECT_TRUE(ErrorOf(QStringLiteral("update e_preteky_pretekari set sektor_cislo=1 where jedin=2"))
                  .contains(QLatin1String("ERR_001")));
  EXPECT_EQ(ErrorOf(QStringLiteral("update e_preteky_pretekari set cips=1300 where jedin=1")), QString());
}

TEST_F(TRules, InvoiceTotalsAndPaidAmountsFollowItemsAndPayments) {
  Exec(QStringLiteral("insert into e_faktury (jedin, rok, typ, p1, spolu) values (1, 2024, 11, 1, null)"));
  Exec(QStringLiteral("insert into e_faktury (jedin, rok, typ, p1) values (2, 2024, 21, 2)"));
  Exec(QStringLiteral(
      "insert into e_faktury_polozky (jedin, e_faktury, mnozstvo, mj_zaklad, mj_dph) values (1, 1, 2, 10.50, 2.10)"));
  Exec(QStringLiteral(
      "insert into e_faktury_polozky (jedin, e_faktury, mnozstvo, mj_zaklad, mj_dph) values (2, 1, 1, 4, 0.80)"));
  const QString totals = QStringLiteral("select spolu_zaklad, spolu_dph, spolu from e_faktury where jedin=1");
  EXPECT_EQ(Rows(totals), (QList<QVariantList>{{25.0, 5.0, 30.0}}));
  Exec(QStringLiteral("delete from e_faktury_polozky"));
  const QList<QVariantList> empty = Rows(totals);
  EXPECT_TRUE(empty[0][0].isNull() && empty[0][2].isNull());

  Exec(QStringLiteral("insert into e_pokladna (jedin, e_faktury, prijem, vydaj) values (1, 1, 30, 0)"));
  Exec(QStringLiteral("insert into e_pokladna (jedin, e_faktury, prijem, vydaj) values (2, 2, 0, 12)"));
  const QString paid = QStringLiteral("select uhradene from e_faktury order by jedin");
  EXPECT_EQ(Rows(paid), (QList<QVariantList>{{30.0}, {12.0}})); // a received invoice counts expenses
  Exec(QStringLiteral("update e_pokladna set e_faktury=2 where jedin=1"));
  EXPECT_EQ(Rows(paid), (QList<QVariantList>{{0.0}, {-18.0}}));
  Exec(QStringLiteral("delete from e_pokladna"));
  EXPECT_EQ(Rows(paid), (QList<QVariantList>{{0.0}, {0.0}}));
}

TEST_F(TRules, StockingSummariesDoNotFailOnAZeroTotal) {
  Exec(QStringLiteral("insert into c_zdroje_uhrad (jedin, nazov, do_vykazu_rady) values (1, 'Zdroj', 1)"));
  Exec(QStringLiteral("insert into c_druhy_ryb (jedin, nazov, druh) values (1, 'Kapor', 'K')"));
  for (int i = 1; i <= 2; ++i) {
    Exec(QStringLiteral("insert into e_zarybnovanie_zdroj (jedin, c_zdroje_uhrad, c_druhy_ryb, cena_mj, mnozstvo) "
                        "values (:I, 1, 1, 0, 5)"),
         P({{"I", i}}));
    Exec(QStringLiteral("insert into temp_spracuj (jedin, cislo, zaradenie, connection_id) values "
                        "(gen_id(temp_spracuj_id,1), :I, 'G', current_connection)"),
         P({{"I", i}}));
  }
  EXPECT_EQ(Rows(QStringLiteral("select hodnota, percento, nazov from sp_zarybnovanie_zdroje('G')")),
            (QList<QVariantList>{{0.0, 0.0, QStringLiteral("Zdroj")}}));
  Exec(QStringLiteral("update e_zarybnovanie_zdroj set cena_mj=jedin"));
  EXPECT_EQ(Rows(QStringLiteral("select hodnota, percento, nazov from sp_zarybnovanie_druhy('G')")),
            (QList<QVariantList>{{15.0, 100.0, QStringLiteral("K")}}));
}

TEST_F(TRules, TrophyKeepsItsAnglersNameAndAddressWhenTheMemberMoves) {
  Exec(QStringLiteral("insert into c_clenov (jedin, meno, priezvisko, ulica, mesto, psc, datum_narodenia) "
                      "values (1, :M, :P, 'Nová 9', :T, '01001', '1970-05-03')"),
       P({{"M", S("Ján")}, {"P", S("Šťastný")}, {"T", S("Žilina")}}));
  // The angler as the dialog stored him: the member's former address.
  Exec(QStringLiteral("insert into e_ulovky_kapitalne (jedin, rok, c_clenov, meno, priezvisko, ulica, mesto, psc) "
                      "values (1, 2024, 1, :M, :P, 'Stará 1', :T, '03601')"),
       P({{"M", S("Ján")}, {"P", S("Šťastný")}, {"T", S("Martin")}}));
  Exec(QStringLiteral("insert into e_ulovky_kapitalne (jedin, rok, titul, meno, priezvisko, mesto) "
                      "values (2, 2024, 'Ing.', 'Eva', :P, 'Nitra')"),
       P({{"P", S("Malá")}}));
  const QString rows = QStringLiteral("select nazov_uplny, ulica, mesto, psc from e_ulovky_kapitalne order by jedin");
  const QList<QVariantList> stored = {{S("Šťastný Ján, Martin, Stará 1"), S("Stará 1"), S("Martin"), S("03601")},
                                      {S("Malá Eva Ing., Nitra"), QVariant(), S("Nitra"), QVariant()}};
  EXPECT_EQ(Rows(rows), stored);
  Exec(QStringLiteral("update e_ulovky_kapitalne set vaha=2.5"));
  EXPECT_EQ(Rows(rows), stored);
}
