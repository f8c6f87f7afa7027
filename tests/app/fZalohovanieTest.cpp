#include "app/fZalohovanie.h"
#include "app/AppContext.h"
#include "controls/IBEdit.h"
#include "controls/QPLBtn.h"
#include "db/IBQuery.h"
#include "db/IBServices.h"
#include "db/IBTransaction.h"
#include "tests/app/AdminTestSupport.h"
#include "tests/support/ConfigFolder.h"
#include "tests/support/HelperProcess.h"
#include "tests/support/SqlTestRoutines.h"
#include "tests/support/TestServer.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QCryptographicHash>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFileInfo>
#include <QtCore/QScopeGuard>
#include <QtCore/QThread>
#include <QtWidgets/QPlainTextEdit>
#include <cstdio>
#include <thread>

namespace {

const QString backupDone = QStringLiteral("Zálohovanie úspešne dokončené.");
const QString restoreDone = QStringLiteral("Obnovenie databázy úspešne dokončené.");

// Row count and a checksum of the rows of every user table.
using TTableSums = QMap<QString, std::pair<int, QByteArray>>;

TTableSums Checksums(TIBDatabase& database) {
  TTableSums sums;
  auto rowsOf = [&](const QString& sql) {
    TIBTransaction transaction(&database);
    transaction.StartTransaction();
    TIBQuery query;
    query.SetDatabase(&database);
    query.SetTransaction(&transaction);
    query.SetSQL(sql);
    query.Open();
    QStringList rows;
    for (; !query.Eof(); query.Next()) {
      QStringList values;
      for (int i = 0; i < query.FieldCount(); ++i) {
        const QVariant value = query.FieldByNumber(i).AsVariant();
        values << (value.isNull() ? QStringLiteral("<null>") : value.toString());
      }
      rows << values.join(QLatin1Char('\x1f'));
    }
    transaction.Commit();
    return rows;
  };
  const QStringList tables =
      rowsOf(QStringLiteral("select trim(rdb$relation_name) from rdb$relations where coalesce(rdb$system_flag, 0) = 0 "
                            "and rdb$view_blr is null order by 1"));
  for (const QString& table : tables) {
    QStringList rows = rowsOf(QStringLiteral("select * from \"%1\"").arg(table));
    rows.sort(); // independent of the storage order
    sums.insert(table, {int(rows.size()),
                        QCryptographicHash::hash(rows.join(QLatin1Char('\n')).toUtf8(), QCryptographicHash::Sha256)});
  }
  return sums;
}

// The tables whose row count or checksum differ (readable on failure).
QStringList Differences(const TTableSums& a, const TTableSums& b) {
  QStringList tables;
  for (auto it = a.begin(); it != a.end(); ++it)
    if (b.value(it.key()) != it.value()) tables << it.key();
  for (auto it = b.begin(); it != b.end(); ++it)
    if (!a.contains(it.key())) tables << it.key();
  return tables;
}

class ZalohovanieTest : public AdminTest {
protected:
  void SetUp() override {
    AdminTest::SetUp();
    IniSettings.Backups = home_.filePath(QStringLiteral("Zalohy"));
    ASSERT_TRUE(QDir().mkpath(IniSettings.Backups));
    Exec(QStringLiteral("insert into c_zo (jedin, cislo, nazov) values (1, 101, 'ZO Šaľa')"));
    Exec(QStringLiteral("insert into c_ceniny (jedin, rok, nazov, cena) values (7, 2026, 'Povolenka', 12.5)"));
    Exec(QStringLiteral("execute procedure nastavenia_zapis('ORG_NAZOV', 'MO Šaľa', 0)"));
  }

  std::unique_ptr<TfrmZalohovanie> Form(const QString& fileName = QStringLiteral("skuska.fbk")) {
    auto form = std::make_unique<TfrmZalohovanie>(nullptr, db.get());
    form->eSubor->setText(fileName);
    return form;
  }
};

TEST_F(ZalohovanieTest, BackupThenRestoreIntoANewFileKeepsEveryTable) {
  const TTableSums before = Checksums(*db);
  ASSERT_GT(before.size(), 30);
  // A missing folder is created when the user agrees.
  IniSettings.Backups = home_.filePath(QStringLiteral("Nove/Zalohy"));
  dialogs->Queue(mrYes);
  auto form = Form();
  form->btnZalohujClick();
  EXPECT_EQ(Messages().last(), backupDone);
  EXPECT_TRUE(db->Connected());
  EXPECT_TRUE(form->isEnabled());
  ASSERT_TRUE(QFileInfo(form->FullBackupFileName()).size() > 0);
  EXPECT_FALSE(form->mPriebeh->toPlainText().isEmpty()); // the service's verbose lines
  form->resize(560, 420);
  EXPECT_FALSE(SaveScreenshot(form.get(), QStringLiteral("backup")).isEmpty());

  const QString copy = home_.filePath(QStringLiteral("obnovena.fdb"));
  TIBServices services;
  services.Restore(form->FullBackupFileName(), copy);
  TIBDatabase restored;
  restored.SetDatabaseName(copy);
  restored.Open();
  const TTableSums after = Checksums(restored);
  restored.Close();
  EXPECT_EQ(Differences(after, before), QStringList());
}

TEST_F(ZalohovanieTest, TheMainConnectionsChecksRunOnlyWhenTheServiceReopenedTheMainConnection) {
  int checks = 0;
  SetMainConnectionChecks([&] {
    EXPECT_TRUE(db->Connected());
    ++checks;
  });
  const auto forget = qScopeGuard([] { SetMainConnectionChecks({}); });
  Form()->btnZalohujClick();
  EXPECT_EQ(checks, 1);

  const std::unique_ptr<TIBDatabase> other = fresh->Connect();
  TfrmZalohovanie form(nullptr, other.get());
  form.eSubor->setText(QStringLiteral("ina.fbk"));
  form.btnZalohujClick(); // done or refused, the form reopens its own connection
  EXPECT_TRUE(other->Connected());
  EXPECT_EQ(checks, 1);
}

TEST_F(ZalohovanieTest, RestoreAsksThenReplacesTheConnectedDatabase) {
  auto form = Form();
  form->btnZalohujClick();
  ASSERT_EQ(Messages().last(), backupDone);
  const TTableSums backedUp = Checksums(*db);
  Exec(QStringLiteral("insert into c_zo (jedin, cislo, nazov) values (2, 102, 'Po zálohe')"));

  dialogs->Queue(mrNo); // do not restore
  form->btnObnovClick();
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from c_zo")).toInt(), 2);

  dialogs->Queue(mrYes);
  form->btnObnovClick();
  EXPECT_EQ(Messages().last(), restoreDone);
  ASSERT_TRUE(db->Connected());
  EXPECT_EQ(Differences(Checksums(*db), backedUp), QStringList());
  EXPECT_FALSE(QFileInfo::exists(fresh->Path() + QStringLiteral(".obnova")));
}

TEST_F(ZalohovanieTest, RestoreIsRefusedWithoutAFileOrWhileOthersAreConnected) {
  auto form = Form(QStringLiteral("chyba.fbk"));
  form->btnObnovClick();
  EXPECT_EQ(Messages(),
            QStringList{QStringLiteral("Nie je možné vykonať obnovenie databázy, lebo záložný súbor nebol nájdený.")});

  form->eSubor->setText(QStringLiteral("skuska.fbk"));
  form->btnZalohujClick();
  Exec(QStringLiteral("insert into c_zo (jedin, cislo, nazov) values (2, 102, 'Po zálohe')"));
  const std::unique_ptr<TIBDatabase> otherWorkstation = fresh->Connect();
  const qsizetype shown = dialogs->Requests().size();
  form->btnObnovClick();
  ASSERT_EQ(dialogs->Requests().size(), shown + 1); // the refusal only, no question
  EXPECT_TRUE(Messages().last().contains(QStringLiteral("pripojení ďalší užívatelia (1)")));
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from c_zo")).toInt(), 2);
}

TEST_F(ZalohovanieTest, FailedServiceIsNotReportedAsSuccess) {
  // The backup file's name is taken by a folder: the service cannot write it.
  ASSERT_TRUE(QDir(IniSettings.Backups).mkdir(QStringLiteral("obsadene.fbk")));
  auto form = Form(QStringLiteral("obsadene.fbk"));
  form->btnZalohujClick();
  EXPECT_FALSE(Messages().contains(backupDone));
  ASSERT_FALSE(Messages().isEmpty());
  EXPECT_TRUE(db->Connected());
  EXPECT_TRUE(form->isEnabled());

  // A damaged backup file: the restore fails and the database stays as it was.
  QFile damaged(IniSettings.Backups + QStringLiteral("/poskodena.fbk"));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write(QByteArray(4096, 'x'));
  damaged.close();
  const TTableSums before = Checksums(*db);
  form->eSubor->setText(QStringLiteral("poskodena.fbk"));
  dialogs->Queue(mrYes);
  form->btnObnovClick();
  EXPECT_FALSE(Messages().contains(restoreDone));
  ASSERT_TRUE(db->Connected());
  EXPECT_EQ(Differences(Checksums(*db), before), QStringList());
}

TEST_F(ZalohovanieTest, AConnectionThatDoesNotComeBackIsShownNotRaised) {
  auto form = Form();
  form->Reconnect = [this] {
    TIBDatabase gone;
    gone.SetDatabaseName(home_.filePath(QStringLiteral("zmiznuta.fdb")));
    gone.Open();
  };
  EXPECT_NO_THROW(form->btnZalohujClick());
  EXPECT_FALSE(Messages().contains(backupDone)) << "no success after an error";
  ASSERT_FALSE(Messages().isEmpty());
  EXPECT_TRUE(form->isEnabled());
  EXPECT_TRUE(form->btnZalohuj->isEnabled());
}

TEST_F(ZalohovanieTest, MissingFolderAndNoDoesNothing) {
  IniSettings.Backups = home_.filePath(QStringLiteral("Chyba"));
  dialogs->Queue(mrNo);
  auto form = Form();
  form->btnZalohujClick();
  EXPECT_EQ(Messages(), QStringList{QStringLiteral("Priečinok pre zálohovanie neexistuje. Mám ho vytvoriť?")});
  EXPECT_FALSE(QFileInfo::exists(IniSettings.Backups));
  EXPECT_TRUE(db->Connected());

  // An empty file name is refused before anything else is asked.
  form->show();
  form->eSubor->clear();
  form->btnZalohujClick();
  ASSERT_EQ(Messages().size(), 2);
  EXPECT_TRUE(Messages().last().contains(QStringLiteral("Povinný údaj")));
  EXPECT_TRUE(db->Connected());
}

TEST_F(ZalohovanieTest, FileNameIsRememberedAndABlankOneFallsBackToTheDefault) {
  const std::pair<const char*, const char*> cases[] = {
      {"iny.fbk", "iny.fbk"}, {"   ", "Vimek.fbk"}, {"posledny.fbk", "posledny.fbk"}};
  EXPECT_EQ(TfrmZalohovanie(nullptr, db.get()).eSubor->text(), TfrmZalohovanie::DefaultFileName);
  for (const auto& [typed, offered] : cases) {
    {
      TfrmZalohovanie form(nullptr, db.get());
      form.show();
      form.eSubor->setText(QLatin1String(typed));
      form.close();
    }
    EXPECT_EQ(TfrmZalohovanie(nullptr, db.get()).eSubor->text(), QLatin1String(offered)) << typed;
  }
}

// Where the killed backup goes and what it backs up.
const char* const kBackupDatabase = "VIMEK_KILLED_BACKUP_DATABASE";
const char* const kBackupUser = "VIMEK_KILLED_BACKUP_USER";
const char* const kBackupPassword = "VIMEK_KILLED_BACKUP_PASSWORD";
const char* const kBackupFolder = "VIMEK_KILLED_BACKUP_FOLDER";
const char* const kBackupFile = "VIMEK_KILLED_BACKUP_FILE";

// The program killed during a backup: starts one through the form and, once
// the unfinished file is being written, says so and stops in the middle of
// the service's output until it is killed.
TEST(ZalohovanieHelper, DISABLED_BackUpUntilKilled) {
  const TConfigFolder config;
  const TScriptedMessageDialogs dialogs;
  TIBDatabase database;
  database.SetDatabaseName(qEnvironmentVariable(kBackupDatabase));
  database.SetUserName(qEnvironmentVariable(kBackupUser));
  database.SetPassword(qEnvironmentVariable(kBackupPassword));
  database.Open();
  IniSettings.Backups = qEnvironmentVariable(kBackupFolder);
  TfrmZalohovanie form(nullptr, &database);
  form.eSubor->setText(qEnvironmentVariable(kBackupFile));
  const QString unfinished = form.FullBackupFileName() + TfrmZalohovanie::UnfinishedSuffix;
  QObject::connect(form.mPriebeh, &QPlainTextEdit::textChanged, [&] {
    if (!QFileInfo::exists(unfinished)) return;
    std::printf("midway\n");
    std::fflush(stdout);
    for (;;)
      std::this_thread::sleep_for(std::chrono::seconds(1));
  });
  form.btnZalohujClick();
  std::printf("finished\n"); // not reached: the test fails when it is
  std::fflush(stdout);
}

// Kills a backup of `database` into `folder`/`fileName` midway; true when
// the helper reached the middle.
bool KillBackupMidway(const TIBDatabase& database, const QString& folder, const QString& fileName) {
  THelperProcess program;
  if (!program.Start(QStringLiteral("ZalohovanieHelper.DISABLED_BackUpUntilKilled"),
                     {{QLatin1String(kBackupDatabase), database.DatabaseName()},
                      {QLatin1String(kBackupUser), database.UserName()},
                      {QLatin1String(kBackupPassword), database.Password()},
                      {QLatin1String(kBackupFolder), folder},
                      {QLatin1String(kBackupFile), fileName}}))
    return false;
  const bool midway = program.WaitForLine(QStringLiteral("midway")) == QLatin1String("midway");
  program.kill();
  program.waitForFinished(30000);
  if (!midway)
    ADD_FAILURE() << program.readAllStandardOutput().toStdString() << program.readAllStandardError().toStdString();
  return midway;
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A backup killed midway leaves the database whole and the backup file as it
// was (absent, or the earlier good backup); the unfinished file is never
// restored from, and the next opening of the form removes it and says so.
TEST_F(ZalohovanieTest, AKilledBackupLeavesTheDatabaseAndTheEarlierBackupAsTheyWere) {
  for (const bool earlier : {false, true}) {
    SCOPED_TRACE(earlier ? "an earlier backup of the name" : "no earlier backup");
    dialogs = std::make_unique<TScriptedMessageDialogs>();
    const QString fileName = earlier ? QStringLiteral("drivejsia.fbk") : QStringLiteral("nova.fbk");
    const QString target = IniSettings.Backups + QLatin1Char('/') + fileName;
    const QString unfinished = target + TfrmZalohovanie::UnfinishedSuffix;
    if (earlier) {
      Form(fileName)->btnZalohujClick();
      ASSERT_EQ(Messages().last(), backupDone);
    }
    const QByteArray before = FileBytes(target);
    ASSERT_EQ(before.isEmpty(), !earlier);
    const TTableSums sums = Checksums(*db);
    db->Close(); // the embedded file has one process at a time
    const bool killed = KillBackupMidway(*db, IniSettings.Backups, fileName);
    db->Open();
    ASSERT_TRUE(killed);
    EXPECT_EQ(FileBytes(target), before);
    EXPECT_EQ(QFileInfo::exists(target), earlier);
    EXPECT_EQ(Differences(Checksums(*db), sums), QStringList());
    Exec(QStringLiteral("insert into c_zo (jedin, cislo, nazov) values (3, 103, 'Po prerušení')"));
    EXPECT_EQ(Scalar(QStringLiteral("select count(*) from c_zo")).toInt(), 2);
    ASSERT_TRUE(QFileInfo::exists(unfinished)) << "the killed backup was writing it";

    // Typed as the file to restore from, it is refused before any question.
    auto form = Form(fileName + TfrmZalohovanie::UnfinishedSuffix);
    const qsizetype shown = dialogs->Requests().size();
    form->btnObnovClick();
    ASSERT_EQ(dialogs->Requests().size(), shown + 1);
    EXPECT_TRUE(Messages().last().contains(QStringLiteral("nedokončená záloha")));
    EXPECT_EQ(Scalar(QStringLiteral("select count(*) from c_zo")).toInt(), 2);

    form->eSubor->setText(fileName);
    form->close(); // the next opening offers the name
    auto next = std::make_unique<TfrmZalohovanie>(nullptr, db.get());
    EXPECT_EQ(next->eSubor->text(), fileName);
    EXPECT_TRUE(Messages().last().startsWith(QStringLiteral("Predchádzajúce zálohovanie do súboru %1 nebolo "
                                                            "dokončené")
                                                 .arg(fileName)));
    EXPECT_FALSE(QFileInfo::exists(unfinished));
    EXPECT_EQ(FileBytes(target), before);
    next->btnZalohujClick();
    EXPECT_EQ(Messages().last(), backupDone);
    EXPECT_GT(QFileInfo(target).size(), 0);
    EXPECT_FALSE(QFileInfo::exists(unfinished));
    Exec(QStringLiteral("delete from c_zo where jedin=3"));
  }
}

TEST(ZalohovanieServiceTest, FailureDecisions) {
  const std::pair<QStringList, bool> outputs[] = {
      {{QStringLiteral("gbak:readied database for backup"), QStringLiteral("gbak:closing file, committing")}, false},
      {{QStringLiteral("gbak:opened file"), QStringLiteral("gbak: ERROR:cannot open backup file")}, true},
      {{QStringLiteral("gbak:Exiting before completion due to errors")}, true},
      {{}, false},
  };
  for (const auto& [lines, failed] : outputs)
    EXPECT_EQ(ServiceOutputFailed(lines), failed) << lines.join(QLatin1Char('|')).toStdString();
}

} // namespace

namespace {

// Backup and restore through the database server the environment names
// (tests/support/TestServer.h), addressed at its host and port.
TEST(ZalohovanieServerTest, BackupAndRestoreThroughAServer) {
  VIMEK_REQUIRE_SERVER(server);
  const QString folder = server->Folder;
  const QString file = folder + QStringLiteral("/vimek-admin-%1.fdb").arg(QCoreApplication::applicationPid());
  TScriptedMessageDialogs dialogs;
  TIBDatabase database;
  database.SetDatabaseName(server->Server + QLatin1Char(':') + file);
  database.SetUserName(server->User);
  database.SetPassword(server->Password);
  database.CreateDatabase();
  auto exec = [&](const QString& sql) {
    TIBTransaction transaction(&database);
    transaction.StartTransaction();
    TIBQuery query;
    query.SetDatabase(&database);
    query.SetTransaction(&transaction);
    query.SetSQL(sql);
    query.ExecSQL();
    transaction.Commit();
  };
  exec(QStringLiteral("create table t (id integer not null primary key, text varchar(20))"));
  exec(QStringLiteral("insert into t values (1, 'pred zálohou')"));
  const TTableSums before = Checksums(database);

  IniSettings.Backups = folder;
  TfrmZalohovanie form(nullptr, &database);
  form.eSubor->setText(QStringLiteral("vimek-admin-%1.fbk").arg(QCoreApplication::applicationPid()));
  {
    // Another workstation stays connected: the branch backs up while others work.
    TIBDatabase other;
    other.SetDatabaseName(database.DatabaseName());
    other.SetUserName(server->User);
    other.SetPassword(server->Password);
    other.Open();
    form.btnZalohujClick();
    ASSERT_TRUE(QFileInfo(form.FullBackupFileName()).size() > 0) << "the backup with another workstation connected";
  }
  exec(QStringLiteral("insert into t values (2, 'po zálohe')"));
  dialogs.Queue(mrYes);
  form.btnObnovClick();
  ASSERT_TRUE(database.Connected());
  EXPECT_EQ(Differences(Checksums(database), before), QStringList());
  EXPECT_EQ(dialogs.Requests().last().Text, restoreDone);
  database.Close();
  IniSettings = {};
  QFile::remove(form.FullBackupFileName());
  QFile::remove(file);
}

} // namespace

namespace {

// The same on a server: a backup killed midway leaves the database whole and
// the earlier backup as it was, and a restore is refused while another
// workstation is connected, the database untouched.
TEST(ZalohovanieServerTest, AKilledBackupOrARestoreBesideAnotherConnectionLeavesTheDatabaseWhole) {
  VIMEK_REQUIRE_SERVER(server);
  const TConfigFolder config;
  const QString pid = QString::number(QCoreApplication::applicationPid());
  const QString file = server->Folder + QStringLiteral("/vimek-killed-%1.fdb").arg(pid);
  const QString fileName = QStringLiteral("vimek-killed-%1.fbk").arg(pid);
  const QString target = server->Folder + QLatin1Char('/') + fileName;
  const QString unfinished = target + TfrmZalohovanie::UnfinishedSuffix;
  const auto cleanup = qScopeGuard([&] {
    IniSettings = {};
    for (const QString& path : {file, target, unfinished})
      QFile::remove(path);
  });
  auto messages = std::make_unique<TScriptedMessageDialogs>();
  TIBDatabase database;
  database.SetDatabaseName(server->Server + QLatin1Char(':') + file);
  database.SetUserName(server->User);
  database.SetPassword(server->Password);
  database.CreateDatabase();
  ExecCommitted(database, QStringLiteral("create table t (id integer not null primary key, text varchar(20))"));
  ExecCommitted(database, QStringLiteral("insert into t values (1, 'pred zálohou')"));
  IniSettings.Backups = server->Folder;
  {
    TfrmZalohovanie form(nullptr, &database);
    form.eSubor->setText(fileName);
    form.btnZalohujClick();
    form.close();
  }
  ASSERT_EQ(messages->Requests().last().Text, backupDone);
  const QByteArray before = FileBytes(target);
  ASSERT_FALSE(before.isEmpty());
  ExecCommitted(database, QStringLiteral("insert into t values (2, 'po zálohe')"));
  const TTableSums sums = Checksums(database);

  // The backup's options (checksums ignored) need the database to itself.
  database.Close();
  const bool killed = KillBackupMidway(database, server->Folder, fileName);
  // The server runs the killed program's backup service on until it notices
  // its client gone, the database attached in the service's mode meanwhile.
  QElapsedTimer waited;
  waited.start();
  for (;;) {
    try {
      database.Open();
      break;
    } catch (const std::exception&) {
      if (waited.hasExpired(60000)) throw;
      QThread::msleep(100);
    }
  }
  ASSERT_TRUE(killed);
  EXPECT_EQ(FileBytes(target), before);
  EXPECT_EQ(Differences(Checksums(database), sums), QStringList());

  TIBDatabase other;
  other.SetDatabaseName(database.DatabaseName());
  other.SetUserName(server->User);
  other.SetPassword(server->Password);
  other.Open();
  messages = std::make_unique<TScriptedMessageDialogs>();
  // The server may still be writing the killed backup's file: it goes at
  // the form's opening whenever it is there, and the user is told.
  const bool leftover = QFileInfo::exists(unfinished);
  TfrmZalohovanie form(nullptr, &database);
  EXPECT_EQ(form.eSubor->text(), fileName);
  EXPECT_EQ(messages->Requests().size(), leftover ? 1 : 0);
  form.btnObnovClick();
  ASSERT_FALSE(messages->Requests().isEmpty());
  EXPECT_TRUE(messages->Requests().last().Text.contains(QStringLiteral("pripojení ďalší užívatelia (1)")));
  EXPECT_EQ(Differences(Checksums(database), sums), QStringList());
  EXPECT_EQ(Differences(Checksums(other), sums), QStringList());
  other.Close();
  database.Close();
}

} // namespace
