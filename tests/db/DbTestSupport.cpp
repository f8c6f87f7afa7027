#include "tests/db/DbTestSupport.h"

void MakeDbTestDatabase(const QString& path) {
  TIBDatabase database;
  database.SetDatabaseName(path);
  database.CreateDatabase();
  const QString statements[] = {
      QStringLiteral("CREATE TABLE T_TEXT (ID INTEGER NOT NULL PRIMARY KEY, NAZOV VARCHAR(200), KOD CHAR(5), "
                     "POZNAMKA BLOB SUB_TYPE TEXT, DATA BLOB SUB_TYPE BINARY)"),
      QStringLiteral("CREATE TABLE T_TYPES (ID INTEGER NOT NULL PRIMARY KEY, S SMALLINT, I INTEGER, L BIGINT, "
                     "N NUMERIC(15,2), N4 NUMERIC(9,4), F DOUBLE PRECISION, D DATE, T TIME, TS TIMESTAMP, B BOOLEAN)"),
      QStringLiteral("CREATE TABLE T_PARENT (ID INTEGER NOT NULL PRIMARY KEY, NAZOV VARCHAR(40), "
                     "CONSTRAINT UK_PARENT_NAZOV UNIQUE (NAZOV))"),
      QStringLiteral("CREATE TABLE T_CHILD (ID INTEGER NOT NULL PRIMARY KEY, PARENT_ID INTEGER, "
                     "CONSTRAINT FK_CHILD_PARENT FOREIGN KEY (PARENT_ID) REFERENCES T_PARENT (ID))"),
      QStringLiteral("CREATE UNIQUE INDEX IX_TYPES_L ON T_TYPES (L)"),
      QStringLiteral("CREATE GENERATOR G_TEST"),
      QStringLiteral("CREATE EXCEPTION ERR_002 'Riadok vytvorený platbou nie je možné zmeniť.'"),
      QStringLiteral("CREATE PROCEDURE P_DOUBLE (X INTEGER) RETURNS (Y INTEGER) AS\n"
                     "DECLARE VARIABLE Z INTEGER;\nBEGIN\n  Z = :X * 2; -- ';' and ':' stay as written\n"
                     "  IF (:X < 0) THEN EXCEPTION ERR_002;\n  Y = Z;\n  SUSPEND;\nEND"),
  };
  for (const QString& statement : statements) {
    TIBTransaction transaction(&database);
    transaction.StartTransaction();
    TIBSQL(&database, &transaction).ExecImmediate(statement);
    transaction.Commit();
  }
  database.Close();
}

void DbTest::SetUp() {
  fresh = std::make_unique<FreshDatabase>(&MakeDbTestDatabase);
  db = fresh->Connect();
  tr = std::make_unique<TIBTransaction>(db.get(), TIBTransactionKind::ReadCommitted);
}

void DbTest::TearDown() {
  tr.reset();
  db.reset();
  fresh.reset();
}

void DbTest::Exec(const QString& sql, const QVariantMap& params) {
  TTestStatement statement(db.get(), sql, params);
  statement.Query().ExecSQL();
  statement.Commit();
}

QVariant DbTest::Scalar(const QString& sql, const QVariantMap& params) {
  TTestStatement statement(db.get(), sql, params);
  statement.Query().Open();
  return statement.Query().IsEmpty() ? QVariant() : statement.Query().FieldValue(0);
}
