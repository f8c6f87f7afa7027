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
  // The rows of a list's query as the module fills it, in `order`.
  QStringList Listed(const std::function<void(TListQuery&)>& select, const QString& order) const {
    TListQuery q;
    select(q);
    QStringList rows;
    TTestStatement statement(db.get(), q.Text() + QStringLiteral("\norder by ") + order, q.Params);
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

} // namespace
