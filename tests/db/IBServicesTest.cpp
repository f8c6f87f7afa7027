#include "db/IBServices.h"
#include "db/ConnectionString.h"
#include "db/IBDatabaseInfo.h"
#include "db/IBError.h"
#include "tests/db/DbTestSupport.h"
#include "tests/support/TestServer.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QScopeGuard>

namespace {

class IBServicesTest : public DbTest {
protected:
  QStringList lines;
  TIBServices Services() {
    TIBServices services;
    services.SetLineHandler([this](const QString& line) { lines.append(line); });
    return services;
  }
  QString Rows(TIBDatabase* database) {
    TIBTransaction transaction(database);
    transaction.StartTransaction();
    TIBQuery query;
    query.SetDatabase(database);
    query.SetTransaction(&transaction);
    query.SetSQL(QStringLiteral("SELECT ID, NAZOV, POZNAMKA FROM T_TEXT ORDER BY ID"));
    query.Open();
    QStringList rows;
    for (query.First(); !query.Eof(); query.Next())
      rows.append(query.FieldByNumber(0).AsString() + QLatin1Char('|') + query.FieldByNumber(1).AsString() +
                  QLatin1Char('|') + query.FieldByNumber(2).AsString());
    return rows.join(QLatin1Char('\n'));
  }
};

TEST_F(IBServicesTest, BackupRestoredIntoNewFileGivesSameRows) {
  for (int id = 1; id <= 50; ++id)
    Exec(QStringLiteral("INSERT INTO T_TEXT (ID, NAZOV, POZNAMKA) VALUES (:ID, :N, :P)"),
         {{QStringLiteral("ID"), id},
          {QStringLiteral("N"), QStringLiteral("Člen č. %1 – Ľubomír Šťastný").arg(id)},
          {QStringLiteral("P"), QStringLiteral("Poznámka ").repeated(id)}});
  const QString expected = Rows(db.get());
  const QString backup = fresh->Path() + QStringLiteral(".fbk");
  const QString restored = fresh->Path() + QStringLiteral(".restored.fdb");
  db->Close(); // the program closes its connection too: checksum-ignoring backups need the file alone
  TIBServices services = Services();
  services.Backup(fresh->Path(), backup);
  EXPECT_TRUE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("T_TEXT")))
      << lines.join(QLatin1Char('\n')).toStdString();
  lines.clear();
  services.Restore(backup, restored);
  EXPECT_TRUE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("T_TEXT")));
  TIBDatabase copy;
  copy.SetDatabaseName(restored);
  copy.Open();
  EXPECT_EQ(Rows(&copy), expected);
  EXPECT_EQ(copy.PageSize(), 8192);
  copy.Close();
  QFile::remove(backup);
  QFile::remove(restored);
}

TEST_F(IBServicesTest, RestoreOfMissingBackupFailsWithServerError) {
  TIBServices services = Services();
  EXPECT_THROW(services.Restore(fresh->Path() + QStringLiteral(".nie.fbk"), fresh->Path() + QStringLiteral(".x.fdb")),
               EIBInterBaseError);
  EXPECT_THROW(services.Backup(fresh->Path(), QString()), EIBError);
}

TEST_F(IBServicesTest, StatisticsValidationAndPropertiesRun) {
  TIBServices services = Services();
  services.Statistics(fresh->Path());
  EXPECT_TRUE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("Database header page information")))
      << lines.join(QLatin1Char('\n')).toStdString();
  lines.clear();
  db->Close(); // validation needs the database alone
  services.Validate(fresh->Path(), voValidateDB | voCheckDB | voValidateFull);
  services.SetSweepInterval(fresh->Path(), 12345);
  services.SetPageBuffers(fresh->Path(), 512);
  services.SetWriteMode(fresh->Path(), true);
  db->Open();
  const TIBDatabaseInfo info(*db);
  EXPECT_EQ(info.SweepInterval(), 12345);
  EXPECT_TRUE(info.ForcedWrites());
  services.SetWriteMode(fresh->Path(), false);
  EXPECT_FALSE(info.ForcedWrites());
  EXPECT_THROW(services.SetSweepInterval(fresh->Path(), -1), EIBError);
}

// Every service on a server at a non-default port, reached through the host
// and port of the connection string, in its legacy and its URL form.
TEST(IBServicesServerTest, EveryServiceReachesTheServerAtItsHostAndPort) {
  VIMEK_REQUIRE_SERVER(server);
  const TConnectionString parts = TConnectionString::Parse(server->Database);
  const QString host =
      parts.Host().contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(parts.Host()) : parts.Host();
  const QString urlServer =
      QStringLiteral("inet://") + host + (parts.Port().isEmpty() ? QString() : QLatin1Char(':') + parts.Port());
  const QString pid = QString::number(QCoreApplication::applicationPid());
  for (const QString& serverPart : {server->Server, urlServer}) {
    SCOPED_TRACE(serverPart.toStdString());
    const QString file = server->Folder + QStringLiteral("/vimek-services-%1.fdb").arg(pid);
    const QString restoredFile = server->Folder + QStringLiteral("/vimek-services-%1-obnova.fdb").arg(pid);
    const QString backup = server->Folder + QStringLiteral("/vimek-services-%1.fbk").arg(pid);
    const QChar separator = serverPart.contains(QLatin1String("://")) ? QLatin1Char('/') : QLatin1Char(':');
    const QString connection = serverPart + separator + file;
    const QString restoredConnection = serverPart + separator + restoredFile;
    TIBDatabase database;
    database.SetDatabaseName(connection);
    database.SetUserName(server->User);
    database.SetPassword(server->Password);
    database.CreateDatabase();
    const auto cleanup = qScopeGuard([&] {
      database.Close();
      for (const QString& path : {file, restoredFile, backup})
        QFile::remove(path);
    });
    auto exec = [&](TIBDatabase& target, const QString& sql) {
      TIBTransaction transaction(&target);
      transaction.StartTransaction();
      TIBQuery query;
      query.SetDatabase(&target);
      query.SetTransaction(&transaction);
      query.SetSQL(sql);
      query.ExecSQL();
      transaction.Commit();
    };
    exec(database, QStringLiteral("create table t (id integer not null primary key, text varchar(20))"));
    exec(database, QStringLiteral("insert into t values (1, 'Šťastný')"));
    database.Close();

    QStringList lines;
    TIBServices services;
    services.SetServerOf(connection);
    EXPECT_EQ(services.ServerName(), serverPart);
    services.SetUserName(server->User);
    services.SetPassword(server->Password);
    services.SetLineHandler([&](const QString& line) { lines << line; });
    services.Statistics(file);
    EXPECT_TRUE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("Database header page information")))
        << lines.join(QLatin1Char('\n')).toStdString();
    services.Validate(file, voValidateDB | voValidateFull);
    services.SetSweepInterval(file, 4321);
    services.SetWriteMode(file, false);
    lines.clear();
    services.Backup(file, backup);
    EXPECT_TRUE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("T")))
        << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_GT(QFileInfo(backup).size(), 0);
    services.Restore(backup, restoredFile);

    TIBDatabase restored;
    restored.SetDatabaseName(restoredConnection);
    restored.SetUserName(server->User);
    restored.SetPassword(server->Password);
    restored.Open();
    TIBTransaction transaction(&restored);
    transaction.StartTransaction();
    TIBQuery query;
    query.SetDatabase(&restored);
    query.SetTransaction(&transaction);
    query.SetSQL(QStringLiteral("select text from t where id=1"));
    query.Open();
    EXPECT_EQ(query.FieldByNumber(0).AsString(), QStringLiteral("Šťastný"));
    query.Close();
    transaction.Commit();
    restored.Close();
    database.Open();
    const TIBDatabaseInfo info(database);
    EXPECT_EQ(info.SweepInterval(), 4321);
    EXPECT_FALSE(info.ForcedWrites());
  }
}

} // namespace
