// The year rollover's statements on a fresh embedded database: every column
// of a list copied under new keys, names copied once, and a ground's price
// references moved to the new year's prices of the same name.
#include "app/YearTransfer.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "tests/app/AdminTestSupport.h"

namespace {

constexpr int kTransferYear = 2031;

class YearTransferTest : public AdminTest {
protected:
  // Runs `work` on two queries of one transaction, committed after it.
  template <class Work> auto InTransaction(Work work) {
    TIBTransaction transaction(db.get());
    transaction.StartTransaction();
    TIBQuery read, write;
    for (TIBQuery* query : {&read, &write}) {
      query->SetDatabase(db.get());
      query->SetTransaction(&transaction);
    }
    auto result = work(read, write);
    read.Close();
    write.Close();
    transaction.Commit();
    return result;
  }
  QList<qint64> CopyRows(const char* table, const char* keyColumn) {
    return InTransaction([&](TIBQuery& read, TIBQuery& write) {
      return YearTransfer::CopyRows(read, write, QLatin1String(table), QLatin1String(keyColumn), kTransferYear);
    });
  }
};

TEST_F(YearTransferTest, RowsAreCopiedWholeUnderNewKeysOnceEach) {
  Exec(QStringLiteral("insert into c_ceniny (jedin, rok, nazov, cena, odvod_jux, typ_platby) "
                      "values (1001, 2030, 'Povolenka sezónna', 50, 12.5, 0)"));
  Exec(QStringLiteral("insert into c_ceniny (jedin, rok, nazov, cena, odvod_jux, typ_platby) "
                      "values (1002, 2030, 'Členský príspevok', 15, 3, 2)"));
  Exec(QStringLiteral("insert into c_ceniny (jedin, rok, nazov, cena) values (1010, 2031, 'Členský príspevok', 16)"));
  const QList<qint64> added = CopyRows("c_ceniny", "NAZOV");
  ASSERT_EQ(added.size(), 1);
  EXPECT_NE(added[0], 1001);
  const QList<QVariantList> copied =
      Rows(QStringLiteral("select jedin, nazov, cena, odvod_jux, typ_platby from c_ceniny where rok = 2031 "
                          "order by nazov"));
  ASSERT_EQ(copied.size(), 2);
  EXPECT_EQ(copied[0][0].toInt(), 1010); // the working year's own row stays
  EXPECT_EQ(copied[0][2].toDouble(), 16);
  EXPECT_EQ(copied[1][0].toLongLong(), added[0]);
  EXPECT_EQ(copied[1][1].toString(), QStringLiteral("Povolenka sezónna"));
  EXPECT_EQ(copied[1][2].toDouble(), 50);
  EXPECT_EQ(copied[1][3].toDouble(), 12.5);
  EXPECT_EQ(copied[1][4].toInt(), 0);
  // A second run finds nothing to copy.
  EXPECT_TRUE(CopyRows("c_ceniny", "NAZOV").isEmpty());
  // Nor does a list without rows in the year before.
  EXPECT_TRUE(CopyRows("c_druhy_dokladov", "SKRATKA").isEmpty());
}

TEST_F(YearTransferTest, NamesAreCopiedOnceEmptyOnesIncluded) {
  const char* const rows[] = {
      "insert into c_krmiv (jedin, rok, nazov) values (101, 2030, 'Kukurica')",
      "insert into c_krmiv (jedin, rok, nazov) values (102, 2030, null)",
      "insert into c_krmiv (jedin, rok, nazov) values (103, 2030, 'Pšenica')",
      "insert into c_krmiv (jedin, rok, nazov) values (104, 2031, 'Pšenica')",
      "insert into c_krmiv (jedin, rok, nazov) values (105, 2029, 'Jačmeň')",
  };
  for (const char* sql : rows)
    Exec(QString::fromUtf8(sql));
  for (int run = 0; run < 2; ++run) {
    InTransaction([](TIBQuery& query, TIBQuery&) {
      YearTransfer::CopyNames(query, QStringLiteral("C_KRMIV"), kTransferYear);
      return 0;
    });
    QStringList names;
    for (const QVariantList& row : Rows(QStringLiteral("select nazov, jedin from c_krmiv where rok = 2031 order by 1")))
      names << (row[0].isNull() ? QStringLiteral("<null>") : row[0].toString());
    EXPECT_EQ(names, QStringList({QStringLiteral("<null>"), QStringLiteral("Kukurica"), QStringLiteral("Pšenica")}))
        << run;
  }
  // The new rows have keys of their own.
  EXPECT_EQ(Scalar(QStringLiteral("select count(distinct jedin) from c_krmiv")).toInt(), 7);
}

TEST_F(YearTransferTest, AGroundsPricesMoveToTheNewYearsRowsOfTheSameName) {
  const char* const rows[] = {
      "insert into c_ceniny (jedin, rok, nazov, cena) values (1001, 2030, 'Sezónna', 50)",
      "insert into c_ceniny (jedin, rok, nazov, cena) values (1002, 2030, 'Denná', 5)",
      "insert into c_ceniny (jedin, rok, nazov, cena) values (1003, 2030, 'Týždenná', 9)",
      "insert into c_ceniny (jedin, rok, nazov, cena) values (1011, 2031, 'Denná', 6)",
      "insert into c_ceniny (jedin, rok, nazov, cena) values (1010, 2031, 'Denná', 6)",
      "insert into c_ceniny (jedin, rok, nazov, cena) values (1012, 2031, 'Sezónna', 55)",
      "insert into c_reviry_jux (jedin, rok, cislo, nazov, sezonna, denna, tyzdenna, denna_cudzi) "
      "values (2001, 2031, '3-1234', 'Váh', 1001, 1002, 1003, 1002)",
      "insert into c_reviry_jux (jedin, rok, cislo, nazov, sezonna) values (2002, 2031, '3-5678', 'Hron', 1001)",
  };
  for (const char* sql : rows)
    Exec(QString::fromUtf8(sql));
  InTransaction([](TIBQuery& query, TIBQuery&) {
    YearTransfer::TranslatePriceReferences(query, {2001}, kTransferYear);
    return 0;
  });
  const QList<QVariantList> ground = Rows(QStringLiteral(
      "select sezonna, denna, tyzdenna, sezonna_cudzi, denna_cudzi from c_reviry_jux where jedin = 2001"));
  ASSERT_EQ(ground.size(), 1);
  EXPECT_EQ(ground[0][0].toInt(), 1012);
  EXPECT_EQ(ground[0][1].toInt(), 1010); // the first of two rows of the name
  EXPECT_EQ(ground[0][2].toInt(), 1003); // the new year has no such name: kept
  EXPECT_TRUE(ground[0][3].isNull());
  EXPECT_EQ(ground[0][4].toInt(), 1010);
  // A ground not handed over is left alone.
  EXPECT_EQ(Scalar(QStringLiteral("select sezonna from c_reviry_jux where jedin = 2002")).toInt(), 1001);
}

} // namespace
