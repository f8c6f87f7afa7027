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
                      ServerErrorCase{"SELECT * FROM NEEXISTUJE", 335544569, ""}));

} // namespace
