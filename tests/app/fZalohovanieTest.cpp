#include "app/fZalohovanie.h"
#include "app/AppContext.h"
#include "controls/IBEdit.h"
#include "controls/QPLBtn.h"
#include "db/IBQuery.h"
#include "db/IBServices.h"
#include "db/IBTransaction.h"
#include "tests/app/AdminTestSupport.h"
#include "tests/support/TestServer.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QCryptographicHash>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QScopeGuard>
#include <QtWidgets/QPlainTextEdit>

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
  form.btnZalohujClick();
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
