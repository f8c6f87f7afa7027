// The permit registers' prints on the embedded database: a list print takes
// the rows chosen under its tag and no other, in its order; a parameter
// print keeps to its ground and year.
#include "registers/permits/PermitPrints.h"
#include "registers/permits/fEPovolenkyHost.h"
#include "tests/registers/permits/PermitPaymentsTestSupport.h"

namespace {

class PermitPrintsTest : public PermitPaymentTest<TfrmEPovolenkyJUX> {
protected:
  void SetUp() override {
    PermitPaymentTest<TfrmEPovolenkyJUX>::SetUp();
    Sql("insert into c_druhy_ryb (jedin,nazov,skratka,druh,typ,cena) values (30,'Kapor',' K','kapor',1,3)");
    Sql("insert into c_druhy_ryb (jedin,nazov,skratka,druh,typ,cena) values (31,'Šťuka','Š','šťuka',1,4)");
  }
  // Chooses `keys` for the print tagged `tag`, as a list stores its selection.
  void Choose(const QString& tag, std::initializer_list<int> keys) {
    for (int key : keys)
      Exec(QStringLiteral("insert into temp_spracuj (jedin,cislo,zaradenie,connection_id) "
                          "values (gen_id(temp_spracuj_id,1),:K,:T,current_connection)"),
           {{QStringLiteral("K"), key}, {QStringLiteral("T"), tag}});
  }
  // The column `field` of each master row the print showed.
  QStringList Printed(const TRegisterPrint& print, const char* field) {
    prints.clear();
    PrintRegister(print, 2026);
    QStringList values;
    if (prints.empty()) return {QStringLiteral("<no print>")};
    for (const QVariantMap& row : prints.back().Rows)
      values << row.value(QString::fromLatin1(field)).toString();
    return values;
  }
};

TEST_F(PermitPrintsTest, ListPrintsTakeTheChosenRowsInTheirOrder) {
  const struct {
    int jedin;
    const char* priezvisko;
    int ryba;
    double vaha;
    const char* datum;
  } trophies[] = {{1, "Zelený", 30, 12.5, "2026-06-01"},
                  {2, "Adam", 31, 8, "2026-07-01"},
                  {3, "Adam", 30, 15, "2026-05-01"},
                  {4, "Bielik", 30, 20, "2026-05-02"}};
  for (const auto& t : trophies)
    Exec(QStringLiteral("insert into e_ulovky_kapitalne (jedin,rok,datum,c_reviry_jux,priezvisko,meno,c_druhy_ryb,"
                        "vaha,dlzka) values (:J,2026,:D,20,:P,'Ján',:R,:V,90)"),
         {{QStringLiteral("J"), t.jedin},
          {QStringLiteral("D"), QDate::fromString(QString::fromLatin1(t.datum), Qt::ISODate)},
          {QStringLiteral("P"), QString::fromUtf8(t.priezvisko)},
          {QStringLiteral("R"), t.ryba},
          {QStringLiteral("V"), t.vaha}});
  const struct {
    int jedin, cislo, smer, cenina;
    double mnozstvo;
  } movements[] = {{90, 3, 1, 12, 100}, {91, 1, -1, 12, -30}, {92, 2, -1, 12, -20}, {93, 4, 1, 13, 5}};
  for (const auto& m : movements)
    Exec(QStringLiteral("insert into e_ceniny (jedin,rok,cislo,datum,smer_pohybu,c_ceniny,cena,odvod_jux,mnozstvo) "
                        "values (:J,2026,:C,'2026-01-10',:S,:K,(select cena from c_ceniny where jedin=:K),"
                        "(select odvod_jux from c_ceniny where jedin=:K),:M)"),
         {{QStringLiteral("J"), m.jedin},
          {QStringLiteral("C"), m.cislo},
          {QStringLiteral("S"), m.smer},
          {QStringLiteral("K"), m.cenina},
          {QStringLiteral("M"), m.mnozstvo}});

  const struct {
    TRegisterPrint print;
    std::initializer_list<int> chosen;
    const char* field;
    QStringList expected;
  } cases[] = {
      // By angler, then date: catch 4 is not chosen.
      {TrophyCatchPrint(QStringLiteral("Kapitálne úlovky")),
       {1, 2, 3},
       "VAHA",
       {QStringLiteral("15"), QStringLiteral("8"), QStringLiteral("12.5")}},
      {TrophyCatchPrint(QStringLiteral("Kapitálne úlovky")),
       {1, 2, 3},
       "RYBA",
       {QStringLiteral("Kapor"), QStringLiteral("Šťuka"), QStringLiteral("Kapor")}},
      // By number; movement 93 is not chosen.
      {StockMovementItemsPrint(),
       {90, 91, 92},
       "CENA_SPOLU",
       {QStringLiteral("-600"), QStringLiteral("-400"), QStringLiteral("2000")}},
      // Receipts first; the two issues of one item and price are one row.
      {StockMovementSummaryPrint(),
       {90, 91, 92, 93},
       "MNOZSTVO",
       {QStringLiteral("100"), QStringLiteral("5"), QStringLiteral("-50")}},
      {StockMovementSummaryPrint(),
       {90, 91, 92, 93},
       "NAZOV",
       {QStringLiteral("HP denná nečlen"), QStringLiteral("Povolenka kapor"), QStringLiteral("HP denná nečlen")}},
  };
  for (const auto& c : cases) {
    Exec(QStringLiteral("delete from temp_spracuj"));
    Choose(c.print.Tag, c.chosen);
    EXPECT_EQ(Printed(c.print, c.field), c.expected) << c.print.Template.toStdString() << " " << c.field;
  }
}

TEST_F(PermitPrintsTest, TheGroundsOverviewKeepsToItsGroundAndYear) {
  Sql("insert into c_zdroje_uhrad (jedin,nazov,do_vykazu_rady) values (1,'Rada',1)");
  // A purchase released into grounds 20 and 21, and fish taken out of ground 20 in each year.
  Sql("insert into e_zarybnovanie_zdroj (jedin,rok,datum,c_druhy_ryb,velkost,cena_mj,mnozstvo,mj,c_zdroje_uhrad,"
      "preberanie_zabezpecene) values (95,2026,'2026-03-01',30,'K2',2,100,'ks',1,1)");
  Sql("insert into e_zarybnovanie_revir (jedin,e_zarybnovanie_zdroj,datum,c_reviry_jux,mnozstvo) "
      "values (96,95,'2026-04-01',20,60)");
  Sql("insert into e_zarybnovanie_revir (jedin,e_zarybnovanie_zdroj,datum,c_reviry_jux,mnozstvo) "
      "values (97,95,'2026-04-02',21,40)");
  Sql("insert into e_zarybnovanie_zdroj (jedin,rok,datum,c_druhy_ryb,velkost,cena_mj,mnozstvo,mj,c_zdroje_uhrad,"
      "c_reviry_jux,preberanie_zabezpecene) values (98,2026,'2026-10-01',31,'S1',4,7,'kg',1,20,1)");
  Sql("insert into e_zarybnovanie_zdroj (jedin,rok,datum,c_druhy_ryb,velkost,cena_mj,mnozstvo,mj,c_zdroje_uhrad,"
      "c_reviry_jux,preberanie_zabezpecene) values (99,2025,'2025-10-01',31,'S1',4,9,'kg',1,20,1)");
  const struct {
    int revir;
    QStringList released, taken;
  } cases[] = {
      {20, {QStringLiteral("2026-04-01/Kapor/K2/2/60/ks/120")}, {QStringLiteral("2026-10-01/Šťuka/S1/4/7/kg/28")}},
      {21, {QStringLiteral("2026-04-02/Kapor/K2/2/40/ks/80")}, {}},
      {22, {}, {}},
  };
  for (const auto& c : cases) {
    prints.clear();
    PrintRegister(GroundPrint(c.revir, QStringLiteral("Revír"), 2026), 2026);
    const QMap<QString, QStringList> printed = prints.empty() ? QMap<QString, QStringList>() : prints.back().DataSets;
    EXPECT_EQ(printed.value(QStringLiteral("ZARYBNOVANIE")), c.released) << c.revir;
    EXPECT_EQ(printed.value(QStringLiteral("VYLOV")), c.taken) << c.revir;
  }
}

} // namespace
