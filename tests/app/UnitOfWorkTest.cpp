#include "app/UnitOfWork.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "tests/app/AdminTestSupport.h"
#include <stdexcept>

namespace {

class UnitOfWorkTest : public AdminTest {
protected:
  void SetUp() override {
    AdminTest::SetUp();
    transaction.SetDatabase(db.get());
    query.SetDatabase(db.get());
    query.SetTransaction(&transaction);
    Exec(QStringLiteral("insert into c_clenov (jedin,priezvisko,skolenie_uskutocnene,brigada_vyzadovat) "
                        "values (1,'HORVÁTH',0,0)"));
    Exec(QStringLiteral("insert into c_clenov_prerusene_roky (jedin,c_clenov,rok) values (1,1,2020)"));
  }
  void Insert(const QString& nazov) {
    query.SetSQL(
        QStringLiteral("insert into c_clenenie_clenov (jedin,nazov) values (gen_id(c_clenenie_clenov_id,1),:N)"));
    query.ParamByName(QStringLiteral("N")).SetValue(nazov);
    query.ExecSQL();
  }
  QVariant Groups() { return Scalar(QStringLiteral("select list(nazov) from c_clenenie_clenov")); }

  TIBTransaction transaction{nullptr, TIBTransactionKind::ReadCommitted};
  TIBQuery query;
};

TEST_F(UnitOfWorkTest, WorkThatRunsThroughIsCommittedOrKeptOpenForTheNextRead) {
  EXPECT_TRUE(RunUnitOfWork(transaction, [&] { Insert(QStringLiteral("Seniori")); }));
  EXPECT_FALSE(transaction.InTransaction());
  EXPECT_EQ(Groups().toString(), QStringLiteral("Seniori"));

  EXPECT_TRUE(RunUnitOfWork(
      transaction,
      [&] {
        query.SetSQL(QStringLiteral("select nazov from c_clenenie_clenov"));
        query.Open();
      },
      TWorkEnd::KeepOpen));
  EXPECT_TRUE(transaction.InTransaction());
  EXPECT_EQ(query.RecordCount(), 1);
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(UnitOfWorkTest, AReportedErrorUndoesTheWholeWorkAndGivesTheHandlersResult) {
  const TWorkOutcome outcome = RunUnitOfWork(transaction, [&] {
    Insert(QStringLiteral("Juniori"));
    query.SetSQL(QStringLiteral("insert into c_clenov_prerusene_roky (jedin,c_clenov,rok) values (2,1,2020)"));
    query.ExecSQL();
  });
  EXPECT_FALSE(outcome);
  EXPECT_EQ(outcome.Reported, 2005);
  EXPECT_EQ(Messages().size(), 1);
  EXPECT_TRUE(Groups().isNull());
}

TEST_F(UnitOfWorkTest, AnErrorTheHandlerDoesNotKnowIsRaisedAgainAfterTheRollback) {
  EXPECT_THROW(RunUnitOfWork(transaction,
                             [&] {
                               Insert(QStringLiteral("Ženy"));
                               throw std::runtime_error("stop");
                             }),
               std::runtime_error);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_TRUE(Groups().isNull());

  // A unit left without a commit rolls back on its own.
  {
    TUnitOfWork unit(transaction);
    Insert(QStringLiteral("Deti"));
  }
  EXPECT_TRUE(Groups().isNull());
}

} // namespace
