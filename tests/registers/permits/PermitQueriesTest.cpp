// The permit registers' list selects on the embedded database: each runs
// with its parameters, shows the texts of its codes and keeps to its year
// and kind.
#include "registers/permits/PermitQueries.h"
#include "registers/common/ListPattern.h"
#include "registers/permits/fEPovolenkyHost.h"
#include "tests/registers/permits/PermitPaymentsTestSupport.h"
#include <functional>

namespace {

class PermitQueriesTest : public PermitPaymentTest<TfrmEPovolenkyJUX> {
protected:
  // The rows of a list's query as the module fills it, in `order` (after
  // the list's `grouping`, if it has one).
  QStringList Listed(const std::function<void(TListQuery&)>& select, const QString& order,
                     const QString& grouping = {}) const {
    TListQuery q;
    select(q);
    const QString tail =
        (grouping.isEmpty() ? QString() : QLatin1Char('\n') + grouping) + QStringLiteral("\norder by ") + order;
    return RowsOf(q.Text() + tail, q.Params);
  }
  // Every row of `sql` with its values bound, its columns' texts joined by "/".
  QStringList RowsOf(const QString& sql, const QVariantMap& params) const {
    QStringList rows;
    TTestStatement statement(db.get(), sql, params);
    TIBQuery& query = statement.Query();
    query.Open();
    for (query.First(); !query.Eof(); query.Next()) {
      QStringList columns;
      for (const auto& field : query.Fields())
        columns.append(field->AsVariant().toString());
      rows.append(columns.join(QLatin1Char('/')));
    }
    return rows;
  }
  // The first row of `sql` for key :JEDIN, column name to value.
  QVariantMap Loaded(const QString& sql, int key) const {
    TTestStatement statement(db.get(), sql, {{QStringLiteral("JEDIN"), key}});
    TIBQuery& query = statement.Query();
    query.Open();
    QVariantMap row;
    if (!query.Eof())
      for (const auto& field : query.Fields())
        row.insert(field->FieldName().toUpper(), field->AsVariant());
    return row;
  }
  // Runs `read` in a query of its own transaction.
  template <class Read> auto InQuery(Read read) const {
    TTestStatement statement(db.get(), QString());
    return read(statement.Query());
  }
  // A guest payment 50 (number 7, member 40, who gives it his name) with its permit item 60 (ground
  // 20, organisation 2, returned) and the item's cash row of kind PPD; a base
  // payment 51 with a fee item 61 and a permit item 62 not yet returned; and
  // a permit item 63 of the year before.
  void AddPaymentsWithItems() {
    Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,datum,titul,meno,priezvisko,c_clenov,poznamka) "
        "values (50,2026,1,7,'2026-04-01',null,null,null,40,'Doklad u pokladníka')");
    Sql("insert into e_povolenky2 (jedin,e_povolenky,rok,typ_povolenky,typ_platby,c_ceniny,cena,odvod_jux,c_zo,"
        "c_reviry_jux,platnost,doplnkovy_udaj,povolenka_vratena_dna) "
        "values (60,50,2026,1,0,12,20,5,2,20,12,'HP-1','2026-12-01')");
    Sql("insert into e_pokladna (jedin,rok,druh_dokladu,typ,p1,p2,smer_pohybu,popis,e_povolenky2) values "
        "(70,2026,'PPD',1,1,1,1,'HP denná nečlen',60)");
    Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,priezvisko) values (51,2026,0,3,'Hruška')");
    Sql("insert into e_povolenky2 (jedin,e_povolenky,rok,typ_povolenky,typ_platby,c_ceniny,cena,c_reviry_jux) "
        "values (61,51,2026,0,2,10,15,null)");
    Sql("insert into e_povolenky2 (jedin,e_povolenky,rok,typ_povolenky,typ_platby,c_ceniny,cena,c_reviry_jux,"
        "doplnkovy_udaj) values (62,51,2026,0,0,13,40,21,'K-2')");
    Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,priezvisko) values (52,2025,0,1,'Starý')");
    Sql("insert into e_povolenky2 (jedin,e_povolenky,rok,typ_povolenky,typ_platby,c_ceniny,cena) "
        "values (63,52,2025,0,0,13,40)");
  }
};

TEST_F(PermitQueriesTest, PaymentListsKeepToTheirYearAndKindAndShowTheItemsTexts) {
  Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,priezvisko) values (50,2026,0,1,'Novák')");
  Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,priezvisko) values (51,2025,0,1,'Starý')");
  Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,priezvisko) values (52,2026,1,1,'Kováč')");
  Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,priezvisko) values (53,2026,2,1,'Hosť')");
  Sql("insert into e_povolenky2 (jedin,e_povolenky,rok,typ_povolenky,typ_platby,c_ceniny,c_zo,c_reviry_jux,"
      "platnost,doplnkovy_udaj) values (60,52,2026,1,0,12,2,20,12,'HP-1')");
  EXPECT_EQ(Listed([](TListQuery& q) { SelectBasePayments(q, 2026); }, QStringLiteral("1")).size(), 1);
  EXPECT_TRUE(Listed([](TListQuery& q) { SelectBasePayments(q, 2026); }, QStringLiteral("1"))
                  .value(0)
                  .startsWith(QStringLiteral("50/1/")));
  const QStringList guests = Listed([](TListQuery& q) { SelectGuestPayments(q, 2026, 1); }, QStringLiteral("1"));
  ASSERT_EQ(guests.size(), 1);
  EXPECT_TRUE(guests[0].startsWith(QStringLiteral("52/"))) << guests[0].toStdString();
  EXPECT_TRUE(guests[0].endsWith(QStringLiteral("/ZO Vimek/Váh/denná - nečlen/HP-1"))) << guests[0].toStdString();
  // A payment of the other guest register, without an item yet, is listed there alone.
  const QStringList branch = Listed([](TListQuery& q) { SelectGuestPayments(q, 2026, 2); }, QStringLiteral("1"));
  ASSERT_EQ(branch.size(), 1);
  EXPECT_TRUE(branch[0].startsWith(QStringLiteral("53/"))) << branch[0].toStdString();
}

TEST_F(PermitQueriesTest, CodeListsShowTheirCodesTextsAndAGroundsPricesByColumn) {
  // The ground 20 offers item 12 (20 EUR) as its non-member day permit.
  const QStringList grounds =
      Listed([](TListQuery& q) { SelectGrounds(q, {QStringLiteral("DENNA_CUDZI")}); }, QStringLiteral("1"));
  ASSERT_EQ(grounds.size(), 3);
  EXPECT_TRUE(grounds[0].startsWith(QStringLiteral("20/1-0100/Váh/"))) << grounds[0].toStdString();
  EXPECT_TRUE(grounds[0].endsWith(QStringLiteral("/20/1"))) << grounds[0].toStdString();
  EXPECT_TRUE(grounds[1].endsWith(QStringLiteral("//1"))) << grounds[1].toStdString(); // no such item
  const struct {
    std::function<void(TListQuery&)> select;
    QString first;
  } lists[] = {
      {SelectOrganizations, QStringLiteral("1/100/Rada JUX")},
      {SelectPriceItems, QStringLiteral("10/Členský príspevok/15/3")},
  };
  for (const auto& l : lists)
    EXPECT_EQ(Listed(l.select, QStringLiteral("1")).value(0), l.first);
  // Every other list's select runs on the schema as it stands.
  for (const auto& select : std::initializer_list<std::function<void(TListQuery&)>>{
           SelectFishSpecies, SelectFeeds, SelectPaymentSources, SelectStockMovements, SelectFeedings,
           SelectTrophyCatches})
    EXPECT_NO_THROW(Listed(select, QStringLiteral("1")));
}

TEST_F(PermitQueriesTest, PaymentDialogsLoadTheirHeaderItemAndTheCashRowsKind) {
  AddPaymentsWithItems();
  const QVariantMap guest = Loaded(GuestPaymentLoadSql(true), 50);
  EXPECT_EQ(guest.value(QStringLiteral("PRIEZVISKO")).toString(), QStringLiteral("Novák"));
  EXPECT_EQ(guest.value(QStringLiteral("C_CENINY")).toInt(), 12);
  EXPECT_EQ(guest.value(QStringLiteral("C_REVIRY_JUX")).toInt(), 20);
  EXPECT_EQ(guest.value(QStringLiteral("DOPLNKOVY_UDAJ")).toString(), QStringLiteral("HP-1"));
  EXPECT_EQ(guest.value(QStringLiteral("DRUH_DOKLADU")).toString(), QStringLiteral("PPD"));
  EXPECT_EQ(guest.value(QStringLiteral("C_CLENOV")).toInt(), 40);
  // The register without a member reads none.
  EXPECT_FALSE(Loaded(GuestPaymentLoadSql(false), 50).contains(QStringLiteral("C_CLENOV")));
  EXPECT_EQ(Loaded(GuestPaymentLoadSql(false), 50).value(QStringLiteral("C_CENINY")).toInt(), 12);

  const struct {
    QString sql;
    int key;
    QVariantMap expected;
  } loads[] = {
      {PaymentItemLoadSql(),
       60,
       {{QStringLiteral("C_CENINY"), 12}, {QStringLiteral("DRUH_DOKLADU"), QStringLiteral("PPD")}}},
      // An item without a cash row loads without a kind.
      {PaymentItemLoadSql(), 62, {{QStringLiteral("C_CENINY"), 13}, {QStringLiteral("DRUH_DOKLADU"), QVariant()}}},
      {PermitReturnLoadSql(),
       60,
       {{QStringLiteral("PRIEZVISKO"), QStringLiteral("Novák")},
        {QStringLiteral("REVIR"), QStringLiteral("Váh")},
        {QStringLiteral("REVIR_JEDIN"), 20},
        {QStringLiteral("C_ZO"), QStringLiteral("ZO Vimek")},
        {QStringLiteral("POZNAMKA"), QStringLiteral("Doklad u pokladníka")},
        {QStringLiteral("DATUM"), QDate(2026, 4, 1)},
        {QStringLiteral("POVOLENKA_VRATENA_DNA"), QDate(2026, 12, 1)}}},
      {ItemPaymentSql(), 62, {{QStringLiteral("E_POVOLENKY"), 51}}},
  };
  for (const auto& load : loads) {
    const QVariantMap row = Loaded(load.sql, load.key);
    for (auto it = load.expected.begin(); it != load.expected.end(); ++it) {
      const QVariant value = row.value(it.key());
      EXPECT_TRUE(row.contains(it.key())) << it.key().toStdString();
      if (it.value().isNull())
        EXPECT_TRUE(value.isNull()) << it.key().toStdString();
      else if (it.value().typeId() == QMetaType::QDate)
        EXPECT_EQ(value.toDate(), it.value().toDate()) << it.key().toStdString();
      else
        EXPECT_EQ(value.toString(), it.value().toString()) << it.key().toStdString();
    }
  }
  EXPECT_EQ(InQuery([](TIBQuery& q) { return PaymentNumber(q, 50); }), 7);
  EXPECT_EQ(InQuery([](TIBQuery& q) { return PaymentNumber(q, 51); }), 3);
}

TEST_F(PermitQueriesTest, PermitsToReturnAreThePermitItemsAndTheirCountsKeepToTheYear) {
  AddPaymentsWithItems();
  // Not the fee 61: only permits come back.
  EXPECT_EQ(Listed(SelectPermitsToReturn, QStringLiteral("a.jedin")),
            QStringList({QStringLiteral("60/2026-12-01/HP-1/Novák Ján Ing., Trenčín, Hlavná 1/Váh/Doklad u pokladníka"),
                         QStringLiteral("62//K-2/Hruška/Nitra/"), QStringLiteral("63///Starý//")}));
  const TReturnCounts counts = InQuery([](TIBQuery& q) { return CountPermitReturns(q, 2026); });
  EXPECT_EQ(counts.All, 2);
  EXPECT_EQ(counts.Returned, 1);
  const TReturnCounts before = InQuery([](TIBQuery& q) { return CountPermitReturns(q, 2025); });
  EXPECT_EQ(before.All, 1);
  EXPECT_EQ(before.Returned, 0);

  // The grids of a payment's items and of an item's catches.
  EXPECT_EQ(RowsOf(PaymentItemsSql().join(QLatin1Char('\n')) + QStringLiteral("\norder by 1"),
                   {{QStringLiteral("JEDIN"), 51}}),
            QStringList({QStringLiteral("61/Členský príspevok/15/"), QStringLiteral("62/Povolenka kapor/40/K-2")}));
  Sql("insert into c_druhy_ryb (jedin,nazov,typ,cena) values (30,'Kapor',1,3)");
  Sql("insert into e_ulovky (jedin,e_povolenky2,rok,datum,c_reviry_jux,c_druhy_ryb,cena_mj,pocet,vaha,spolu) "
      "values (80,60,2026,'2026-06-01',20,30,3,2,4.5,13.5)");
  Sql("insert into e_ulovky (jedin,e_povolenky2,rok,datum,c_reviry_jux,c_druhy_ryb,cena_mj,pocet,vaha,spolu) "
      "values (81,62,2026,'2026-06-02',21,30,3,1,2,6)");
  EXPECT_EQ(RowsOf(ItemCatchesSql().join(QLatin1Char('\n')), {{QStringLiteral("JEDIN"), 60}}),
            QStringList(QStringLiteral("80/2026-06-01/Váh/Kapor/3/2/4.5/13.5")));
}

TEST_F(PermitQueriesTest, StockBalancesSumEachItemsMovementsAndANewMovementTakesTheYearsNextNumber) {
  const struct {
    int jedin, rok, cislo, cenina;
    double mnozstvo;
  } movements[] = {{90, 2026, 1, 12, 100}, {91, 2026, 4, 12, -30}, {92, 2026, 2, 13, 5}, {93, 2025, 9, 13, 7}};
  for (const auto& m : movements)
    Exec(QStringLiteral("insert into e_ceniny (jedin,rok,cislo,datum,smer_pohybu,c_ceniny,cena,odvod_jux,mnozstvo) "
                        "values (:J,:R,:C,'2026-01-10',:S,:K,(select cena from c_ceniny where jedin=:K),"
                        "(select odvod_jux from c_ceniny where jedin=:K),:M)"),
         {{QStringLiteral("J"), m.jedin},
          {QStringLiteral("R"), m.rok},
          {QStringLiteral("C"), m.cislo},
          {QStringLiteral("S"), m.mnozstvo < 0 ? -1 : 1},
          {QStringLiteral("K"), m.cenina},
          {QStringLiteral("M"), m.mnozstvo}});
  // Every year's movements: the list adds its year.
  EXPECT_EQ(
      Listed(SelectStockBalances, QStringLiteral("b.nazov"), StockBalanceGrouping()),
      QStringList({QStringLiteral("70/HP denná nečlen/12/1400/350"), QStringLiteral("12/Povolenka kapor/13/480/120")}));
  const struct {
    int rok;
    int next;
  } numbers[] = {{2026, 5}, {2025, 10}, {2024, 1}};
  for (const auto& n : numbers)
    EXPECT_EQ(RowsOf(NextStockMovementNumberSql(), {{QStringLiteral("ROK"), n.rok}}),
              QStringList(QString::number(n.next)))
        << n.rok;
}

TEST_F(PermitQueriesTest, StockingPurchasesListTheirSpeciesAndReleasesAreValuedAtTheGivenPrice) {
  Sql("insert into c_druhy_ryb (jedin,nazov,typ,cena) values (30,'Kapor',1,3)");
  Sql("insert into c_zdroje_uhrad (jedin,nazov,do_vykazu_rady) values (1,'Rada',1)");
  Sql("insert into e_zarybnovanie_zdroj (jedin,rok,datum,c_druhy_ryb,velkost,cena_mj,mnozstvo,mj,c_zdroje_uhrad,"
      "c_reviry_jux,preberanie_zabezpecene) values (95,2026,'2026-03-01',30,'K2',2,100,'ks',1,22,1)");
  Sql("insert into e_zarybnovanie_revir (jedin,e_zarybnovanie_zdroj,datum,c_reviry_jux,mnozstvo) "
      "values (96,95,'2026-04-01',20,60)");
  Sql("insert into e_zarybnovanie_revir (jedin,e_zarybnovanie_zdroj,datum,c_reviry_jux,mnozstvo) "
      "values (97,95,'2026-04-02',21,40)");
  EXPECT_EQ(Listed(SelectStockingPurchases, QStringLiteral("1")),
            QStringList(QStringLiteral("95/2026-03-01/K2/100/ks/0/Kapor/22")));
  // The price as the dialog shows it, not as stored.
  EXPECT_EQ(RowsOf(StockingReleasesSql().join(QLatin1Char('\n')) + QStringLiteral("\norder by a.jedin"),
                   {{QStringLiteral("JEDIN"), 95}, {QStringLiteral("CENA"), 2.5}}),
            QStringList({QStringLiteral("150/96/2026-04-01/60/Váh"), QStringLiteral("100/97/2026-04-02/40/Nitra")}));
}

} // namespace
