#include "db/IBError.h"
#include "tests/db/DbTestSupport.h"

namespace {

class IBErrorTest : public DbTest {};

struct ServerErrorCase {
  const char* Sql;
  int Code;
  const char* Name;
};

class ServerErrorTest : public IBErrorTest, public ::testing::WithParamInterface<ServerErrorCase> {};

TEST_P(ServerErrorTest, CarriesCodeAndObjectName) {
  Exec(QStringLiteral("INSERT INTO T_PARENT (ID, NAZOV) VALUES (1, 'Kapor')"));
  tr->StartTransaction();
  TIBQuery query;
  query.SetDatabase(db.get());
  query.SetTransaction(tr.get());
  query.SetSQL(QString::fromUtf8(GetParam().Sql));
  try {
    query.Open();
    FAIL() << "no error for " << GetParam().Sql;
  } catch (const EIBInterBaseError& e) {
    EXPECT_EQ(e.IBErrorCode(), GetParam().Code) << e.what();
    EXPECT_EQ(e.ConstraintName(), QString::fromUtf8(GetParam().Name)) << e.what();
    EXPECT_LT(e.SQLCode(), 0);
    if (*GetParam().Name) {
      EXPECT_TRUE(e.Message().contains(QString::fromUtf8(GetParam().Name))) << e.what();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ServerErrorTest,
    ::testing::Values(ServerErrorCase{"INSERT INTO T_CHILD (ID, PARENT_ID) VALUES (1, 99) RETURNING ID", 335544466,
                                      "FK_CHILD_PARENT"},
                      ServerErrorCase{"INSERT INTO T_PARENT (ID, NAZOV) VALUES (2, 'Kapor') RETURNING ID", 335544665,
                                      "UK_PARENT_NAZOV"},
                      ServerErrorCase{"SELECT Y FROM P_DOUBLE(-1)", 335544517, "ERR_002"},
                      ServerErrorCase{
                          "EXECUTE BLOCK RETURNS (X INTEGER) AS BEGIN INSERT INTO T_TYPES (ID, L) VALUES (1, 5); "
                          "INSERT INTO T_TYPES (ID, L) VALUES (2, 5); X = 1; SUSPEND; END",
                          335544349, "IX_TYPES_L"},
                      ServerErrorCase{"SELECT * FROM NEEXISTUJE", 335544569, ""}));

// A no-wait transaction meets the other connection's lock first, so the
// metadata refusal (335544351) comes second.
TEST_F(IBErrorTest, DroppingATableInUseByAnotherConnectionIsRefusedAsLockConflict) {
  auto other = fresh->Connect();
  TIBTransaction reader(other.get(), TIBTransactionKind::ReadCommitted);
  reader.StartTransaction();
  TIBQuery query;
  query.SetDatabase(other.get());
  query.SetTransaction(&reader);
  query.SetSQL(QStringLiteral("SELECT * FROM T_CHILD"));
  query.Open();
  tr->StartTransaction();
  try {
    TIBSQL(db.get(), tr.get()).ExecImmediate(QStringLiteral("DROP TABLE T_CHILD"));
    tr->Commit();
    FAIL() << "a table in use was dropped";
  } catch (const EIBInterBaseError& e) {
    EXPECT_EQ(e.IBErrorCode(), 335544345) << e.what();
    EXPECT_EQ(e.ErrorCodes().value(1), 335544351) << e.what();
  }
}

} // namespace
