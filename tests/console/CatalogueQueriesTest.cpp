// The service console's catalogue statements on a fresh embedded database:
// which names each task goes through, and the statements on a table or
// index named as the catalogue spells it.
#include "console/CatalogueQueries.h"
#include "tests/app/AdminTestSupport.h"
#include "tests/support/SqlTestRoutines.h"
#include <algorithm>

namespace {

class CatalogueQueriesTest : public AdminTest {
protected:
  // Runs `work` on a query in a committed transaction of its own.
  template <class Work> auto InTransaction(Work work) {
    TTestStatement statement(db.get(), QStringLiteral("select 1 from rdb$database"));
    auto result = work(statement.Query());
    statement.Commit();
    return result;
  }
  QStringList Names(QStringList (*names)(TIBQuery&)) {
    return InTransaction([names](TIBQuery& q) { return names(q); });
  }
};

TEST_F(CatalogueQueriesTest, EachTaskGoesThroughItsOwnKindOfNames) {
  Exec(QStringLiteral("create generator ZZ_POMOCNY"));
  Exec(QStringLiteral("create generator ZZ_ID_V_STREDE"));
  const QStringList generators = Names(KeyGeneratorNames);
  const QStringList indexes = Names(IndexNames);
  const QStringList tables = Names(UserTableNames);
  const struct {
    const QStringList& names;
    const char* name;
    bool listed;
  } cases[] = {
      {generators, "C_CLENOV_ID", true}, {generators, "TEMP_SPRACUJ_ID", true}, {generators, "ZZ_ID_V_STREDE", true},
      {generators, "ZZ_POMOCNY", false}, {indexes, "PK_C_CLENOV", true},        {indexes, "RDB$INDEX_0", true},
      {tables, "C_CLENOV", true},        {tables, "RDB$RELATIONS", false},      {tables, "V_C_DRUHY_DOKLADOV", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.names.contains(QString::fromLatin1(c.name)), c.listed) << c.name;
  // By name, without the catalogue's padding.
  for (const QStringList* names : {&generators, &indexes, &tables}) {
    EXPECT_TRUE(std::is_sorted(names->begin(), names->end()));
    for (const QString& name : *names)
      EXPECT_EQ(name, name.trimmed());
  }
}

TEST_F(CatalogueQueriesTest, ATableOrIndexIsNamedExactlyAsTheCatalogueSpellsIt) {
  Exec(QStringLiteral("create table \"zz tabuľka\" (jedin integer not null primary key)"));
  Exec(QStringLiteral("create table ZZ_TABULKA (jedin integer not null primary key)"));
  for (int key : {3, 50, 7})
    Exec(QStringLiteral("insert into \"zz tabuľka\" (jedin) values (:K)"), {{QStringLiteral("K"), key}});
  const struct {
    const char* table;
    qint64 highest, rows;
  } cases[] = {{"zz tabuľka", 50, 3}, {"ZZ_TABULKA", 0, 0}};
  for (const auto& c : cases) {
    const QString table = QString::fromUtf8(c.table);
    EXPECT_EQ(InTransaction([&](TIBQuery& q) { return HighestKey(q, table); }), c.highest) << c.table;
    EXPECT_EQ(InTransaction([&](TIBQuery& q) { return RowCount(q, table); }), c.rows) << c.table;
  }
  const QString index = Scalar(QStringLiteral("select trim(rdb$index_name) from rdb$indices "
                                              "where rdb$relation_name='zz tabuľka'"))
                            .toString();
  InTransaction([&](TIBQuery& q) {
    RecomputeIndexStatistics(q, index);
    return 0;
  });
  EXPECT_FLOAT_EQ(Scalar(QStringLiteral("select rdb$statistics from rdb$indices where rdb$index_name=:I"),
                         {{QStringLiteral("I"), index}})
                      .toFloat(),
                  1.0f / 3);
}

TEST_F(CatalogueQueriesTest, TheConsolesTableListShowsSystemTablesAndViewsOnlyWhenAsked) {
  const struct {
    bool system, views;
    bool relations, view;
  } cases[] = {
      {false, false, false, false}, {true, false, true, false}, {false, true, false, true}, {true, true, true, true}};
  for (const auto& c : cases) {
    QStringList names;
    for (const QVariantList& row : Rows(TableListSql(c.system, c.views)))
      names.append(row.value(1).toString().trimmed());
    EXPECT_TRUE(names.contains(QStringLiteral("C_CLENOV")));
    EXPECT_EQ(names.contains(QStringLiteral("RDB$RELATIONS")), c.relations) << c.system << c.views;
    EXPECT_EQ(names.contains(QStringLiteral("V_C_DRUHY_DOKLADOV")), c.view) << c.system << c.views;
  }
  EXPECT_EQ(Rows(BrowseTableSql(QStringLiteral("C_CLENOV"))).size(),
            Scalar(QStringLiteral("select count(*) from c_clenov")).toInt());
}

} // namespace
