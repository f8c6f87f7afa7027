#include "db/ConnectionString.h"
#include "db/FbClient.h"
#include "db/IBDatabaseInfo.h"
#include "db/IBError.h"
#include "tests/db/DbTestSupport.h"
#include <QtCore/QFileInfo>
#include <signal.h>
#include <unistd.h>

namespace {

class IBDatabaseTest : public DbTest {};

TEST_F(IBDatabaseTest, InformationDescribesTheDatabaseAndItsAttachments) {
  EXPECT_EQ(db->AttachmentCount(), 1);
  auto second = fresh->Connect();
  EXPECT_EQ(db->UserNames(), (QStringList{QStringLiteral("SYSDBA"), QStringLiteral("SYSDBA")}));
  EXPECT_NE(db->ConnectionId(), second->ConnectionId());
  EXPECT_EQ(Scalar(QStringLiteral("SELECT CURRENT_CONNECTION FROM RDB$DATABASE")).toLongLong(), db->ConnectionId());
  EXPECT_EQ(db->PageSize(), 8192);
  EXPECT_EQ(db->OdsVersion(), 12);
  EXPECT_EQ(db->OdsMinorVersion(), 0);
  EXPECT_TRUE(db->ServerVersion().contains(QStringLiteral("Firebird 3"))) << db->ServerVersion().toStdString();
  const TIBDatabaseInfo info(*db);
  EXPECT_EQ(info.DbSqlDialect(), 3);
  EXPECT_EQ(QFileInfo(info.DbFileName()).canonicalFilePath(), QFileInfo(fresh->Path()).canonicalFilePath());
  EXPECT_FALSE(info.DbSiteName().isEmpty());
  EXPECT_EQ(info.DatabaseSize(), QFileInfo(fresh->Path()).size());
  EXPECT_FALSE(info.ReadOnly());
  EXPECT_GT(info.NumBuffers(), 0);
  EXPECT_GT(info.Fetches(), 0);
  EXPECT_TRUE(info.Versions().value(0).contains(QStringLiteral("Firebird 3")));
  second->Close();
  EXPECT_EQ(db->AttachmentCount(), 1);
}

TEST_F(IBDatabaseTest, OpeningFailuresCarryServerCodes) {
  TIBDatabase missing;
  missing.SetDatabaseName(fresh->Path() + QStringLiteral(".neexistuje"));
  try {
    missing.Open();
    FAIL() << "a missing file opened";
  } catch (const EIBInterBaseError& e) {
    EXPECT_EQ(e.IBErrorCode(), 335544344) << e.what();
    EXPECT_FALSE(missing.Connected());
  }
  TIBDatabase unnamed;
  EXPECT_THROW(unnamed.Open(), EIBError);
  TIBDatabase alienUser;
  alienUser.SetDatabaseName(fresh->Path());
  alienUser.SetUserName(QStringLiteral("Ж"));
  EXPECT_THROW(alienUser.Open(), EIBError);
  EXPECT_THROW(db->SetDatabaseName(QStringLiteral("iná.fdb")), EIBError);
  db->Close();
  EXPECT_THROW(db->PageSize(), EIBError);
}

TEST(IBDatabaseNameTest, TellsServerNamesFromLocalPaths) {
  const std::tuple<const char*, bool, const char*, const char*> cases[] = {
      {"/var/db/Vimek.fdb", false, "", "/var/db/Vimek.fdb"},
      {"Data/Vimek.fdb", false, "", "Data/Vimek.fdb"},
      {"/data/a:b.fdb", false, "", "/data/a:b.fdb"},
      {"C:\\Vimek\\Data\\Vimek.fdb", false, "", "C:\\Vimek\\Data\\Vimek.fdb"},
      {"server:/var/db/Vimek.fdb", true, "server", "/var/db/Vimek.fdb"},
      {"192.168.1.5/3051:C:\\Data\\Vimek.fdb", true, "192.168.1.5/3051", "C:\\Data\\Vimek.fdb"},
      {"localhost:vimek", true, "localhost", "vimek"},
      {"[::1]:/db/v.fdb", true, "[::1]", "/db/v.fdb"},
      {"inet://server//db/v.fdb", true, "inet://server", "/db/v.fdb"},
      {"inet4://127.0.0.1:3057//db/v.fdb", true, "inet4://127.0.0.1:3057", "/db/v.fdb"},
  };
  for (const auto& [name, remote, site, file] : cases) {
    TIBDatabase database;
    database.SetDatabaseName(QString::fromLatin1(name));
    EXPECT_EQ(TIBDatabase::IsRemoteName(database.DatabaseName()), remote) << name;
    EXPECT_EQ(database.SiteName(), QString::fromLatin1(site)) << name;
    EXPECT_EQ(database.FileName(), QString::fromLatin1(file)) << name;
  }
}

TEST(IBInfoAnswerTest, SplitsItemsAndRefusesDamagedAnswers) {
  const QByteArray answer = QByteArrayLiteral("\x0e\x04\x00\x00\x20\x00\x00\x35\x03\x00\x02SY\x01");
  const QList<FbClient::TInfoItem> items = FbClient::ParseInfo(answer);
  ASSERT_EQ(items.size(), 2);
  EXPECT_EQ(items[0].Code, 14);
  EXPECT_EQ(FbClient::InfoInteger(items[0].Value), 8192);
  EXPECT_EQ(items[1].Value, QByteArrayLiteral("\x02SY"));
  const QByteArray damaged[] = {
      QByteArrayLiteral("\x0e\x04\x00\x00\x20"),     // value cut off
      QByteArrayLiteral("\x0e\xff\xff\x00\x20\x01"), // length beyond the answer
      QByteArrayLiteral("\x0e\x04"),                 // length cut off
      QByteArrayLiteral("\x02"),                     // the server ran out of room
  };
  for (const QByteArray& bytes : damaged)
    EXPECT_THROW(FbClient::ParseInfo(bytes), EIBError) << bytes.toHex().constData();
}

} // namespace

namespace {

// The client library installs its own SIGTERM handler at the first attach of
// a process, so the check runs in a process of its own where it is the first.
void ProgramsHandler(int) {}

TEST(SignalHandlersTest, AttachingKeepsTheProgramsTerminationHandler) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        struct sigaction action {};
        action.sa_handler = ProgramsHandler;
        sigaction(SIGTERM, &action, nullptr);
        FreshDatabase fresh(MakeDbTestDatabase);
        const auto connection = fresh.Connect();
        sigaction(SIGTERM, nullptr, &action);
        _exit(action.sa_handler == ProgramsHandler ? 7 : 1);
      },
      testing::ExitedWithCode(7), "");
}

} // namespace

namespace {

TEST(ConnectionStringTest, TakesEveryFormApart) {
  struct Case {
    const char* name;
    const char* scheme;
    const char* host;
    const char* port;
    const char* path;
    const char* manager;
  };
  const Case cases[] = {
      {"server:/var/db/Vimek.fdb", "", "server", "", "/var/db/Vimek.fdb", "server:service_mgr"},
      {"localhost:vimek", "", "localhost", "", "vimek", "localhost:service_mgr"},
      {"127.0.0.1/3057:/db/Vimek.fdb", "", "127.0.0.1", "3057", "/db/Vimek.fdb", "127.0.0.1/3057:service_mgr"},
      {"server/gds_db:C:\\Data\\V.fdb", "", "server", "gds_db", "C:\\Data\\V.fdb", "server/gds_db:service_mgr"},
      {"[::1]:/db/v.fdb", "", "::1", "", "/db/v.fdb", "[::1]:service_mgr"},
      {"[fe80::2]/3057:/db/v.fdb", "", "fe80::2", "3057", "/db/v.fdb", "[fe80::2]/3057:service_mgr"},
      {"inet://server/vimek", "inet", "server", "", "vimek", "inet://server/service_mgr"},
      {"inet://127.0.0.1:3057//db/v.fdb", "inet", "127.0.0.1", "3057", "/db/v.fdb",
       "inet://127.0.0.1:3057/service_mgr"},
      {"INET6://[::1]:3057//db/v.fdb", "inet6", "::1", "3057", "/db/v.fdb", "INET6://[::1]:3057/service_mgr"},
      {"/db/Vimek.fdb", "", "", "", "/db/Vimek.fdb", ""},
      {"/data/a:b.fdb", "", "", "", "/data/a:b.fdb", ""},
      {"C:\\Vimek\\Data\\Vimek.fdb", "", "", "", "C:\\Vimek\\Data\\Vimek.fdb", ""},
      {"Data/Vimek.fdb", "", "", "", "Data/Vimek.fdb", ""},
  };
  for (const Case& c : cases) {
    const TConnectionString parts = TConnectionString::Parse(QString::fromLatin1(c.name));
    EXPECT_EQ(parts.Scheme(), QLatin1String(c.scheme)) << c.name;
    EXPECT_EQ(parts.Host(), QLatin1String(c.host)) << c.name;
    EXPECT_EQ(parts.Port(), QLatin1String(c.port)) << c.name;
    EXPECT_EQ(parts.Path(), QLatin1String(c.path)) << c.name;
    EXPECT_EQ(TConnectionString::ServiceManager(parts.Server()), QLatin1String(c.manager)) << c.name;
  }
}

} // namespace
