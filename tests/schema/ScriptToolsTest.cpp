// Splitting of the base script, inflation of the package and the
// vimek-createdb program.
#include "core/Exception.h"
#include "schema/BaseScript.h"
#include "schema/UpgradePackage.h"
#include "tests/schema/SchemaTestSupport.h"
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <zlib.h>

TEST(SplitScriptTest, StatementsEndAtTheTerminatorInForce) {
  const struct {
    const char* Script;
    QStringList Statements;
  } cases[] = {
      {"A;\nB ;", {QStringLiteral("A"), QStringLiteral("B")}},
      {"-- a comment; still a comment\nA;", {QStringLiteral("A")}},
      {"/* ; */ A;", {QStringLiteral("A")}},
      {"INSERT INTO T VALUES ('a;b', 'it''s;');", {QStringLiteral("INSERT INTO T VALUES ('a;b', 'it''s;')")}},
      {"SET TERM ^ ;\nCREATE P AS BEGIN X = 1; Y = 2; END^\nSET TERM ; ^\nB;",
       {QStringLiteral("CREATE P AS BEGIN X = 1; Y = 2; END"), QStringLiteral("B")}},
      {"set term !! ;\nA; B!!", {QStringLiteral("A; B")}},
      {"A;\nLAST WITHOUT TERMINATOR", {QStringLiteral("A"), QStringLiteral("LAST WITHOUT TERMINATOR")}},
      {";;  ;\n-- only a comment\n", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SplitScript(QString::fromLatin1(c.Script)), c.Statements) << c.Script;
  // The base script: the server functions come before the tables that use them.
  const QStringList base = SplitScript(BaseScriptText());
  const auto at = [&](const char* start) {
    for (int i = 0; i < base.size(); ++i)
      if (base[i].startsWith(QLatin1String(start))) return i;
    return -1;
  };
  EXPECT_GE(at("CREATE FUNCTION UPPERQPL2"), 0);
  EXPECT_LT(at("CREATE FUNCTION UPPERQPL2"), at("CREATE TRIGGER C_CLENOV_BIU"));
  EXPECT_LT(at("CREATE DOMAIN D_INTEGER"), at("CREATE TABLE DATABASE_UPDATES"));
}

TEST(InflateZlibTest, DamagedOrShortStreamsAreRefused) {
  const QByteArray text = QByteArray("datapacket ").repeated(500);
  uLongf size = compressBound(uLong(text.size()));
  QByteArray packed(qsizetype(size), Qt::Uninitialized);
  compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(text.constData()),
           uLong(text.size()));
  packed.resize(qsizetype(size));
  EXPECT_EQ(InflateZlib(packed), text);
  QByteArray flipped = packed;
  flipped[4] = char(flipped[4] ^ 0x55);
  for (const QByteArray& bad : {packed.left(packed.size() / 2), QByteArray(), QByteArray("plain text"), flipped})
    EXPECT_THROW(InflateZlib(bad), EStreamError) << bad.size();
}

TEST(CreateDbProgramTest, LaysDownABaseDatabaseOnce) {
  const QString program = qEnvironmentVariable("VIMEK_BINARY_DIR") + QStringLiteral("/bin/vimek-createdb");
  if (!QFileInfo(program).isExecutable()) GTEST_SKIP() << "vimek-createdb not built: " << program.toStdString();
  QTemporaryDir folder;
  FreshDatabase::RunFolder(); // the engine's lock folder, shared with the child through the environment
  const QString path = folder.path() + QStringLiteral("/Vimek.fdb");
  auto run = [&](const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    return process.exitCode();
  };
  EXPECT_EQ(run({}), 2);
  EXPECT_EQ(run({path}), 0);
  EXPECT_EQ(run({path}), 1); // an existing file is never overwritten
  TIBDatabase database;
  database.SetDatabaseName(path);
  database.Open();
  TIBTransaction transaction(&database);
  transaction.StartTransaction();
  TIBQuery query;
  query.SetDatabase(&database);
  query.SetTransaction(&transaction);
  query.SetSQL(QStringLiteral("select count(*), (select count(*) from ponuky) from database_updates"));
  query.Open();
  EXPECT_EQ(query.FieldByNumber(0).AsInteger(), 0);
  EXPECT_GT(query.FieldByNumber(1).AsInteger(), 0);
  transaction.Commit();
  database.Close();
}
