#include "db/IBError.h"
#include "db/ServerSql.h"
#include "tests/db/DbTestSupport.h"

namespace {

class IBTransactionTest : public DbTest {
protected:
  // Runs a statement in the given transaction (which must be active).
  static void Run(TIBDatabase* database, TIBTransaction* transaction, const QString& sql) {
    TIBQuery query;
    query.SetDatabase(database);
    query.SetTransaction(transaction);
    query.SetSQL(sql);
    query.ExecSQL();
  }
  static int Count(TIBDatabase* database, TIBTransaction* transaction, const QString& table) {
    TIBQuery query;
    query.SetDatabase(database);
    query.SetTransaction(transaction);
    query.SetSQL(QStringLiteral("SELECT COUNT(*) FROM ") + table);
    query.Open();
    return query.FieldByNumber(0).AsInteger();
  }
};

TEST_F(IBTransactionTest, SecondWriterOfOneRowGetsLockConflictAtOnce) {
  Exec(QStringLiteral("INSERT INTO T_PARENT (ID, NAZOV) VALUES (1, 'Kapor')"));
  auto other = fresh->Connect();
  TIBTransaction first(db.get(), TIBTransactionKind::ReadCommitted);
  TIBTransaction second(other.get(), TIBTransactionKind::ReadCommitted);
  first.StartTransaction();
  second.StartTransaction();
  Run(db.get(), &first, QStringLiteral("UPDATE T_PARENT SET NAZOV = 'Šťuka' WHERE ID = 1"));
  try {
    Run(other.get(), &second, QStringLiteral("UPDATE T_PARENT SET NAZOV = 'Zubáč' WHERE ID = 1"));
    FAIL() << "the second update was not refused";
  } catch (const EIBInterBaseError& e) {
    EXPECT_EQ(e.IBErrorCode(), 335544345) << e.what();
    EXPECT_TRUE(e.ErrorCodes().contains(335544451)) << e.what(); // the server's own "update conflict"
  }
  second.Rollback();
  first.Commit();
  EXPECT_EQ(Scalar(QStringLiteral("SELECT NAZOV FROM T_PARENT WHERE ID = 1")).toString(), QStringLiteral("Šťuka"));
}

TEST_F(IBTransactionTest, CommitRollbackAndRetainingDecideWhatOthersSee) {
  auto other = fresh->Connect();
  TIBTransaction reader(other.get(), TIBTransactionKind::ReadCommitted);
  reader.StartTransaction();
  tr->StartTransaction();
  Run(db.get(), tr.get(), QStringLiteral("INSERT INTO T_PARENT (ID) VALUES (1)"));
  EXPECT_EQ(Count(other.get(), &reader, QStringLiteral("T_PARENT")), 0);
  tr->CommitRetaining();
  EXPECT_TRUE(tr->InTransaction());
  EXPECT_EQ(Count(other.get(), &reader, QStringLiteral("T_PARENT")), 1);
  Run(db.get(), tr.get(), QStringLiteral("INSERT INTO T_PARENT (ID) VALUES (2)"));
  tr->RollbackRetaining();
  EXPECT_TRUE(tr->InTransaction());
  EXPECT_EQ(Count(db.get(), tr.get(), QStringLiteral("T_PARENT")), 1);
  Run(db.get(), tr.get(), QStringLiteral("INSERT INTO T_PARENT (ID) VALUES (3)"));
  tr->Rollback();
  EXPECT_FALSE(tr->InTransaction());
  EXPECT_EQ(Count(other.get(), &reader, QStringLiteral("T_PARENT")), 1);
}

TEST_F(IBTransactionTest, SnapshotDoesNotSeeLaterCommits) {
  TIBTransaction snapshot(db.get(), TIBTransactionKind::Snapshot);
  snapshot.StartTransaction();
  EXPECT_EQ(Count(db.get(), &snapshot, QStringLiteral("T_PARENT")), 0);
  Exec(QStringLiteral("INSERT INTO T_PARENT (ID) VALUES (1)"));
  EXPECT_EQ(Count(db.get(), &snapshot, QStringLiteral("T_PARENT")), 0);
  snapshot.Commit();
  snapshot.StartTransaction();
  EXPECT_EQ(Count(db.get(), &snapshot, QStringLiteral("T_PARENT")), 1);
}

TEST_F(IBTransactionTest, ReadOnlyTransactionRefusesWrites) {
  TIBTransaction readOnly(db.get(), TIBTransactionKind::ReadOnlyReadCommitted);
  EXPECT_EQ(readOnly.Params(), (QStringList{QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                                            QStringLiteral("nowait"), QStringLiteral("read")}));
  readOnly.StartTransaction();
  EXPECT_THROW(Run(db.get(), &readOnly, QStringLiteral("INSERT INTO T_PARENT (ID) VALUES (1)")), EIBInterBaseError);
}

TEST_F(IBTransactionTest, MisuseGivesClearErrors) {
  EXPECT_THROW(tr->Commit(), EIBError);
  EXPECT_THROW(tr->SetParams({QStringLiteral("read_commited")}), EIBError);
  tr->StartTransaction();
  EXPECT_THROW(tr->StartTransaction(), EIBError);
  TIBQuery query;
  query.SetSQL(QStringLiteral("SELECT 1 FROM RDB$DATABASE"));
  EXPECT_THROW(query.Open(), EIBError);
}

TEST_F(IBTransactionTest, DisconnectRollsBackActiveTransaction) {
  tr->StartTransaction();
  Run(db.get(), tr.get(), QStringLiteral("INSERT INTO T_PARENT (ID) VALUES (1)"));
  db->Close();
  EXPECT_FALSE(tr->InTransaction());
  db->Open();
  EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_PARENT")).toInt(), 0);
}

TEST_F(IBTransactionTest, GeneratorStepSurvivesRollbackAndResetAppliesAtCommit) {
  EXPECT_EQ(db->GeneratorValue(QStringLiteral("G_TEST"), 5), 5);
  tr->StartTransaction();
  Run(db.get(), tr.get(), QStringLiteral("SELECT GEN_ID(G_TEST, 10) FROM RDB$DATABASE"));
  tr->Rollback();
  EXPECT_EQ(db->GeneratorValue(QStringLiteral("G_TEST")), 15);
  tr->StartTransaction();
  Run(db.get(), tr.get(), QStringLiteral("SET GENERATOR G_TEST TO 40"));
  tr->Commit();
  EXPECT_EQ(db->GeneratorValue(QStringLiteral("g_test"), 1), 41);
  EXPECT_THROW(db->GeneratorValue(QStringLiteral("G_TEST, 1) FROM RDB$DATABASE --")), EIBError);
}

TEST_F(IBTransactionTest, ServerStatementsTakeKeysResetGeneratorsAndWriteARowWhetherOrNotItExists) {
  TIBQuery query;
  query.SetDatabase(db.get());
  query.SetTransaction(tr.get());
  tr->StartTransaction();
  EXPECT_EQ(TakeNextKey(query, QStringLiteral("g_test")), 1);
  EXPECT_EQ(TakeNextKey(query, QStringLiteral("G_TEST")), 2);
  query.SetSQL(ServerSql::ResetGenerator(QStringLiteral("G_TEST")));
  query.ExecSQL();
  query.SetSQL(ServerSql::UpdateOrInsert(QStringLiteral("T_PARENT"), {QStringLiteral("ID"), QStringLiteral("NAZOV")},
                                         QStringLiteral("ID")));
  for (const char* nazov : {"prvý", "druhý"}) {
    query.ParamByName(QStringLiteral("ID")).SetValue(7);
    query.ParamByName(QStringLiteral("NAZOV")).SetValue(QString::fromUtf8(nazov));
    query.ExecSQL();
  }
  tr->Commit();
  EXPECT_EQ(db->GeneratorValue(QStringLiteral("G_TEST"), 1), 1);
  EXPECT_EQ(Scalar(QStringLiteral("SELECT LIST(ID || ':' || NAZOV) FROM T_PARENT")).toString(),
            QStringLiteral("7:druhý"));
  // Names are pasted into these statements, so only identifiers are taken.
  EXPECT_THROW(ServerSql::NextKey(QStringLiteral("G_TEST,1) FROM RDB$DATABASE --")), EIBError);
  EXPECT_THROW(ServerSql::UpdateOrInsert(QStringLiteral("T_PARENT"), {QStringLiteral("ID) --")}, QStringLiteral("ID")),
               EIBError);
}

// A generator named in the catalogue is set exactly: a lower-case or odd
// name made in quotes, not an upper-case namesake.
TEST_F(IBTransactionTest, AGeneratorNamedAsTheCatalogueSpellsItIsSetAndNoOther) {
  Exec(QStringLiteral("CREATE GENERATOR \"g_test\""));
  Exec(QStringLiteral("CREATE GENERATOR \"G \"\"X\"\"\""));
  const struct {
    const char* name;
    const char* read;
  } cases[] = {{"g_test", "gen_id(\"g_test\", 0)"}, {"G \"X\"", "gen_id(\"G \"\"X\"\"\", 0)"}};
  qint64 value = 40;
  for (const auto& c : cases) {
    TIBQuery query;
    query.SetDatabase(db.get());
    query.SetTransaction(tr.get());
    tr->StartTransaction();
    query.SetSQL(ServerSql::SetGenerator(QString::fromUtf8(c.name), value));
    query.ExecSQL();
    tr->Commit();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT %1 FROM RDB$DATABASE").arg(QString::fromUtf8(c.read))).toLongLong(), value)
        << c.name;
    value += 7;
  }
  EXPECT_EQ(db->GeneratorValue(QStringLiteral("G_TEST")), 0); // the upper-case namesake is untouched
}

} // namespace
