#include "app/AbandonedRows.h"
#include "app/AppContext.h"
#include "app/QPLUnit.h"
#include "app/fMain.h"
#include "controls/IBCurrencyEdit.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/MessageDialogs.h"
#include "tests/support/FreshDatabase.h"
#include "util/IniFiles.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs statements, each in a transaction of its own.
void Execute(TIBDatabase& db, std::initializer_list<QString> statements) {
  for (const QString& sql : statements) {
    TIBTransaction transaction(&db);
    transaction.StartTransaction();
    TIBQuery query;
    query.SetDatabase(&db);
    query.SetTransaction(&transaction);
    query.SetSQL(sql);
    query.ExecSQL();
    transaction.Commit();
  }
}

QVariant Select(TIBDatabase& db, const QString& sql) {
  TIBTransaction transaction(&db);
  transaction.StartTransaction();
  TIBQuery query;
  query.SetDatabase(&db);
  query.SetTransaction(&transaction);
  query.SetSQL(sql);
  query.Open();
  return query.FieldByNumber(0).AsVariant();
}

// The objects the start-up reads, as the base database has them.
void MakeStartupDatabase(const QString& path) {
  FreshDatabase::MakeEmptyDatabase(path);
  TIBDatabase db;
  db.SetDatabaseName(path);
  db.Open();
  Execute(db,
          {
              QStringLiteral("create table database_updates (version integer not null primary key, updated timestamp)"),
              QStringLiteral("create table nastavenia (premenna varchar(50) not null primary key, text varchar(255),"
                             " cislo double precision)"),
              QStringLiteral("create table temp_spracuj (jedin integer not null primary key, cislo integer,"
                             " zaradenie varchar(50), connection_id integer)"),
              QStringLiteral("create generator temp_spracuj_id"),
              QStringLiteral("create table dialog_rows (jedin integer not null primary key, meno varchar(20))"),
              QStringLiteral("create function kalim_udf_version returns varchar(10) as begin return '1.4'; end"),
          });
}

// The main window with the schema version and the upgrade form under the test's control.
class TestMain : public TfrmMain {
public:
  explicit TestMain(TMainStart start) : TfrmMain(nullptr, start) {}
  int supported = 5;
  int upgradesShown = 0;
  std::function<void()> upgrade;
  bool shift = false;

protected:
  int SupportedVersion() const override { return supported; }
  void ShowUpgradeForm() override {
    ++upgradesShown;
    if (upgrade) upgrade();
  }
  bool ShiftHeld() const override { return shift; }
};

// Every case runs twice: with the attach begun while the window is built,
// as the program starts, and with all of it left to FormCreate.
class StartupTest : public ::testing::TestWithParam<TMainStart> {
protected:
  StartupTest() : database(&MakeStartupDatabase) {}

  void SetUp() override {
    SetProgramFilePath(folder.path() + QStringLiteral("/Vimek"));
    ResetTerminationRequest();
    IniSettings = {};
    ProgramSettings = {};
    Organizacia = {};
    db = database.Connect();
    SetVersion(5);
  }
  void TearDown() override {
    SetProgramFilePath(QString());
    ResetTerminationRequest();
  }

  QString IniPath() const { return folder.path() + QStringLiteral("/Vimek.ini"); }
  void WriteIni(const QString& key, const QString& value) {
    IniFileWriteString(IniPath(), QStringLiteral("Settings"), key, value);
  }
  void UseTestDatabase() { WriteIni(QStringLiteral("Database"), database.Path()); }
  void SetVersion(int version) {
    Execute(*db, {QStringLiteral("delete from database_updates"),
                  QStringLiteral("insert into database_updates (version) values (%1)").arg(version)});
  }
  void SetLibraryVersion(const QString& version) {
    Execute(*db, {QStringLiteral("alter function kalim_udf_version returns varchar(10) as begin return '%1'; end")
                      .arg(version)});
  }
  // Fills the selection sets as another workstation would have.
  void FillSelectionSets() {
    Execute(*db, {QStringLiteral("delete from temp_spracuj"),
                  QStringLiteral("insert into temp_spracuj values (1, 10, 'CLENOVIA', 99)"),
                  QStringLiteral("set generator temp_spracuj_id to 41")});
  }
  int SelectionRows() { return Select(*db, QStringLiteral("select count(*) from temp_spracuj")).toInt(); }
  qint64 SelectionGenerator() {
    return Select(*db, QStringLiteral("select gen_id(temp_spracuj_id, 0) from rdb$database")).toLongLong();
  }

  // Creates the main window and runs its start-up; the dialogs are answered
  // by `dialogs`.
  std::unique_ptr<TestMain> Start(int supported = 5) {
    auto window = std::make_unique<TestMain>(GetParam());
    window->supported = supported;
    window->FormCreate();
    return window;
  }

  QTemporaryDir folder;
  FreshDatabase database;
  std::unique_ptr<TIBDatabase> db;
  TScriptedMessageDialogs dialogs;
};

TEST_P(StartupTest, FirstStartWritesEveryDefaultAndOpensTheDefaultDatabase) {
  QDir(folder.path()).mkpath(QStringLiteral("Data"));
  db.reset();
  ASSERT_TRUE(QFile::copy(database.Path(), folder.path() + QStringLiteral("/Data/Vimek.fdb")));
  auto window = Start();
  EXPECT_TRUE(window->IBD->Connected());
  EXPECT_FALSE(TerminationRequested());
  EXPECT_TRUE(dialogs.Requests().isEmpty());
  const QString dir = folder.path() + QLatin1Char('/');
  TIniFile ini(IniPath());
  const QString s = QStringLiteral("Settings");
  EXPECT_EQ(ini.ReadSection(s).size(), 6);
  EXPECT_EQ(ini.ReadString(s, QStringLiteral("Database")), dir + QStringLiteral("Data/Vimek.fdb"));
  EXPECT_EQ(ini.ReadString(s, QStringLiteral("User_Name")), QStringLiteral("SYSDBA"));
  EXPECT_EQ(ini.ReadString(s, QStringLiteral("Password")), QStringLiteral("pondlever"));
  EXPECT_EQ(ini.ReadString(s, QStringLiteral("Reports")), dir + QStringLiteral("Reports"));
  EXPECT_EQ(ini.ReadString(s, QStringLiteral("Backups")), dir + QStringLiteral("Zalohy"));
  EXPECT_EQ(ini.ReadString(s, QStringLiteral("ShiftForClose")), QStringLiteral("0"));
  EXPECT_EQ(IniSettings.IniFileName, IniPath());
  EXPECT_EQ(IniSettings.Database, dir + QStringLiteral("Data/Vimek.fdb"));
  EXPECT_EQ(IniSettings.ReportsPreferred, IniSettings.Reports);
  EXPECT_FALSE(IniSettings.ShiftForClose);
  EXPECT_EQ(ProgramSettings.Rok, QDate::currentDate().year());
  EXPECT_EQ(window->eRok->Value(), QDate::currentDate().year());
}

TEST_P(StartupTest, StoredValuesAreKeptAndOnlyMissingOnesWritten) {
  QDir(folder.path()).mkpath(QStringLiteral("Data"));
  db.reset();
  ASSERT_TRUE(QFile::copy(database.Path(), folder.path() + QStringLiteral("/Data/Vimek.fdb")));
  WriteIni(QStringLiteral("Database"), QStringLiteral("Data\\Vimek.fdb")); // as a Windows installation stores it
  WriteIni(QStringLiteral("Reports"), QStringLiteral("Sablony"));
  WriteIni(QStringLiteral("Backups"), QString());
  WriteIni(QStringLiteral("ShiftForClose"), QStringLiteral("7"));
  auto window = Start();
  EXPECT_TRUE(window->IBD->Connected());
  TIniFile ini(IniPath());
  const QString s = QStringLiteral("Settings");
  EXPECT_EQ(ini.ReadString(s, QStringLiteral("Database")), QStringLiteral("Data\\Vimek.fdb"));
  EXPECT_EQ(ini.ReadString(s, QStringLiteral("Reports")), QStringLiteral("Sablony"));
  EXPECT_EQ(ini.ReadString(s, QStringLiteral("Backups")), folder.path() + QStringLiteral("/Zalohy"));
  EXPECT_EQ(IniSettings.Database, folder.path() + QStringLiteral("/Data/Vimek.fdb"));
  EXPECT_EQ(IniSettings.Reports, folder.path() + QStringLiteral("/Sablony"));
  EXPECT_EQ(IniSettings.ReportsPreferred, IniSettings.Reports);
  EXPECT_TRUE(IniSettings.ShiftForClose);
}

// A settings file that is not one (random bytes, a UTF-8 mark before invalid
// bytes, text without a single setting) is reported with its path and left
// exactly as it was; the program goes on without a connection.
TEST_P(StartupTest, AnUnreadableSettingsFileIsReportedAndLeftUntouched) {
  QByteArray random(3000, '\0');
  quint32 seed = 61;
  for (char& byte : random) {
    seed = seed * 1103515245u + 12345u;
    byte = char(seed >> 16);
  }
  const std::pair<const char*, QByteArray> files[] = {
      {"random bytes", random},
      {"invalid UTF-8", QByteArrayLiteral("\xEF\xBB\xBF[Settings]\r\nDatabase=\xC3\x28\r\n")},
      {"no settings", QByteArrayLiteral("Toto nie je súbor nastavení\r\nani tento riadok\r\n")},
  };
  for (const auto& [what, bytes] : files) {
    SCOPED_TRACE(what);
    QFile file(IniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    const qsizetype shown = dialogs.Requests().size();
    auto window = Start();
    EXPECT_FALSE(window->IBD->Connected());
    ASSERT_EQ(dialogs.Requests().size(), shown + 1);
    const QString message = dialogs.Requests().last().Text;
    EXPECT_TRUE(message.contains(QStringLiteral("nie je možné prečítať"))) << message.toStdString();
    EXPECT_TRUE(message.contains(IniPath())) << message.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
    file.close();
  }
}

TEST_P(StartupTest, TheSettingsFileIsReadableByItsOwnerOnly) {
  QDir(folder.path()).mkpath(QStringLiteral("Data"));
  db.reset();
  ASSERT_TRUE(QFile::copy(database.Path(), folder.path() + QStringLiteral("/Data/Vimek.fdb")));
  auto window = Start();
  EXPECT_EQ(QFile::permissions(IniPath()),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
}

struct VersionCase {
  const char* name;
  int database;  // DATABASE_UPDATES version
  int upgradeTo; // what the upgrade form reaches; 0 when it fails or does not run
  int upgrades;  // times the upgrade form shows
  int message;   // 3009, 3010 or 0
};

const VersionCase kVersionCases[] = {
    {"equal", 5, 0, 0, 0},
    {"older, upgraded", 3, 5, 1, 0},
    {"older, upgrade failed", 3, 0, 1, 3010},
    {"older, upgrade stopped short", 2, 4, 1, 3010},
    {"newer", 7, 0, 0, 3009},
};

TEST_P(StartupTest, VersionCheck) {
  for (const VersionCase& c : kVersionCases) {
    SCOPED_TRACE(c.name);
    ResetTerminationRequest();
    db = database.Connect();
    SetVersion(c.database);
    FillSelectionSets();
    UseTestDatabase();
    db.reset(); // the program is the only attachment
    TScriptedMessageDialogs shown;
    TestMain window(GetParam());
    window.supported = 5;
    if (c.upgradeTo)
      window.upgrade = [&] {
        Execute(*window.IBD, {QStringLiteral("insert into database_updates (version) values (%1)").arg(c.upgradeTo)});
      };
    window.FormCreate();
    db = database.Connect();
    EXPECT_EQ(window.upgradesShown, c.upgrades);
    EXPECT_EQ(TerminationRequested(), c.message != 0);
    if (c.message) {
      ASSERT_EQ(shown.Requests().size(), 1);
      const int version = c.upgradeTo ? c.upgradeTo : c.database;
      EXPECT_TRUE(shown.Requests()[0].Text.startsWith(LoadRcDataText(QStringLiteral("ERR%1").arg(c.message)).left(40)));
      EXPECT_TRUE(shown.Requests()[0].Text.contains(
          QStringLiteral("Verzia databázy: %1\r\nPodpora databázy verzie: 5\r\n").arg(version)));
      EXPECT_EQ(shown.Requests()[0].Type, TMsgDlgType::Error);
      EXPECT_EQ(shown.Requests()[0].Background, QColor(Qt::red));
      // The sequence stops: the selection sets of the refused database stay.
      EXPECT_EQ(SelectionRows(), 1);
    } else {
      EXPECT_TRUE(shown.Requests().isEmpty());
      EXPECT_EQ(SelectionRows(), 0);
    }
  }
}

TEST_P(StartupTest, UnreadableVersionCountsAsZeroAndOpensTheUpgradeForm) {
  UseTestDatabase();
  Execute(*db, {QStringLiteral("drop table database_updates")});
  TScriptedMessageDialogs shown;
  auto window = Start();
  EXPECT_EQ(window->upgradesShown, 1);
  EXPECT_TRUE(TerminationRequested());
  ASSERT_EQ(shown.Requests().size(), 1);
  EXPECT_TRUE(shown.Requests()[0].Text.contains(QStringLiteral("Verzia databázy: 0\r\n")));
}

TEST(ResolveProgramPath, StoredPathsNameTheSameFiles) {
  SetProgramFilePath(QStringLiteral("/opt/vimek/Vimek"));
  const struct {
    const char* stored;
    const char* resolved;
  } cases[] = {
      {"Data\\Vimek.fdb", "/opt/vimek/Data/Vimek.fdb"},
      {"Data/Vimek.fdb", "/opt/vimek/Data/Vimek.fdb"},
      {"..\\Spolocne\\Vimek.fdb", "/opt/Spolocne/Vimek.fdb"},
      {"/srv/data/Vimek.fdb", "/srv/data/Vimek.fdb"},
      {"Zalohy", "/opt/vimek/Zalohy"},
      {"server:/srv/data/Vimek.fdb", "server:/srv/data/Vimek.fdb"},
      {"server/3051:C:\\Data\\Vimek.fdb", "server/3051:C:\\Data\\Vimek.fdb"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ResolveProgramPath(QString::fromUtf8(c.stored)), QString::fromUtf8(c.resolved)) << c.stored;
  SetProgramFilePath(QString());
}

TEST_P(StartupTest, FunctionLibraryMustBeAtLeastOnePointFour) {
  const struct {
    const char* version; // nullptr: the function is missing
    bool passes;
  } cases[] = {{"2.0", true},  {"1.4", true}, {"1.10", true}, {"1.3", false},  {"1", false},
               {"0.9", false}, {"", false},   {"x.y", false}, {nullptr, false}};
  UseTestDatabase();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version ? c.version : "missing");
    ResetTerminationRequest();
    if (c.version)
      SetLibraryVersion(QString::fromUtf8(c.version));
    else
      Execute(*db, {QStringLiteral("drop function kalim_udf_version")});
    TScriptedMessageDialogs shown;
    auto window = Start();
    EXPECT_EQ(TerminationRequested(), !c.passes);
    if (c.passes) {
      EXPECT_TRUE(shown.Requests().isEmpty());
    } else {
      ASSERT_EQ(shown.Requests().size(), 1);
      EXPECT_EQ(shown.Requests()[0].Text, FormatIntegers(LoadRcDataText(QStringLiteral("ERR3020")), {1, 4}));
      EXPECT_TRUE(shown.Requests()[0].Text.contains(QLatin1String("1.4")));
    }
  }
  // A program that supports only the first schema version does not ask the library.
  ResetTerminationRequest();
  TScriptedMessageDialogs shown;
  SetVersion(1);
  auto window = Start(1);
  EXPECT_FALSE(TerminationRequested());
  EXPECT_TRUE(shown.Requests().isEmpty());
}

TEST_P(StartupTest, SelectionSetsArePurgedOnlyWhenAlone) {
  UseTestDatabase();
  FillSelectionSets();
  {
    // `db` is a second attachment: another workstation's sets stay.
    auto window = Start();
    EXPECT_EQ(SelectionRows(), 1);
    EXPECT_EQ(SelectionGenerator(), 41);
  }
  db.reset();
  auto window = Start();
  db = database.Connect();
  EXPECT_EQ(SelectionRows(), 0);
  EXPECT_EQ(SelectionGenerator(), 0);
}

TEST_P(StartupTest, RowsOfDialogsLeftOpenAreDeletedOnlyWhenAlone) {
  UseTestDatabase();
  RegisterAbandonedRows(QStringLiteral("dialog_rows"), QStringLiteral("meno is null"));
  Execute(*db, {QStringLiteral("insert into dialog_rows values (1, null)"),
                QStringLiteral("insert into dialog_rows values (2, 'Ján')")});
  // The keys in order, as "1,2".
  const auto rows = [this] {
    return Select(*db, QStringLiteral("select list(jedin) from (select jedin from dialog_rows order by jedin)"))
        .toString();
  };
  {
    // `db` is a second attachment: its dialog may still be open.
    auto window = Start();
    EXPECT_EQ(rows(), QStringLiteral("1,2"));
  }
  db.reset();
  auto window = Start();
  db = database.Connect();
  EXPECT_EQ(rows(), QStringLiteral("2"));
}

TEST_P(StartupTest, SettingsTableReachesTheRunTimeRecords) {
  UseTestDatabase();
  Execute(*db,
          {
              QStringLiteral("insert into nastavenia values ('BRIGADA_PREDPISANA', null, 12.7)"),
              QStringLiteral("insert into nastavenia values ('ZO_JEDIN', null, 5)"),
              QStringLiteral("insert into nastavenia values ('PRIEZVISKA_VELKYMI', null, 1)"),
              QStringLiteral("insert into nastavenia values ('ORG_NAZOV', 'MO SRZ Žilina', null)"),
              QStringLiteral("insert into nastavenia values ('ORG_ULICA', 'Kováčska 12', null)"),
              QStringLiteral("insert into nastavenia values ('ORG_PSC', '010 01', null)"),
              QStringLiteral("insert into nastavenia values ('ORG_MESTO', 'Žilina', null)"),
              QStringLiteral("insert into nastavenia values ('ORG_ICO', '00178209', null)"),
              QStringLiteral("insert into nastavenia values ('ORG_DIC', '2020000000', null)"),
              QStringLiteral("insert into nastavenia values ('ORG_ICDPH', 'SK2020000000', null)"),
              QStringLiteral("insert into nastavenia values ('ORG_BANKA_PREDCISLIE', '000000', null)"),
              QStringLiteral("insert into nastavenia values ('ORG_BANKA_CISLO', '1234567890', null)"),
              QStringLiteral("insert into nastavenia values ('ORG_BANKA_KOD', '0900', null)"),
              QStringLiteral("insert into nastavenia values ('ORG_BANKA_IBAN', 'SK31 0900 0000 0012 3456 7890', null)"),
          });
  auto window = Start();
  EXPECT_EQ(ProgramSettings.BRIGADA_PREDPISANA, 12);
  EXPECT_EQ(ProgramSettings.ZO_JEDIN.toInt(), 5);
  EXPECT_TRUE(ProgramSettings.JUX_JEDIN.isNull()); // no row
  EXPECT_TRUE(ProgramSettings.PRIEZVISKA_VELKYMI);
  const TOrganizacia expected{QStringLiteral("MO SRZ Žilina"),
                              QStringLiteral("Kováčska 12"),
                              QStringLiteral("010 01"),
                              QStringLiteral("Žilina"),
                              QStringLiteral("00178209"),
                              QStringLiteral("2020000000"),
                              QStringLiteral("SK2020000000"),
                              QStringLiteral("000000"),
                              QStringLiteral("1234567890"),
                              QStringLiteral("0900"),
                              QStringLiteral("SK31 0900 0000 0012 3456 7890")};
  const QString* got[] = {
      &Organizacia.Nazov,       &Organizacia.Ulica,     &Organizacia.PSC,       &Organizacia.Mesto,
      &Organizacia.ICO,         &Organizacia.DIC,       &Organizacia.ICDPH,     &Organizacia.Banka_Predcislie,
      &Organizacia.Banka_Cislo, &Organizacia.Banka_Kod, &Organizacia.Banka_IBAN};
  const QString* want[] = {&expected.Nazov,       &expected.Ulica,     &expected.PSC,       &expected.Mesto,
                           &expected.ICO,         &expected.DIC,       &expected.ICDPH,     &expected.Banka_Predcislie,
                           &expected.Banka_Cislo, &expected.Banka_Kod, &expected.Banka_IBAN};
  for (size_t i = 0; i < std::size(got); ++i)
    EXPECT_EQ(*got[i], *want[i]) << i;
}

TEST_P(StartupTest, BooleanSettingIsTrueOnlyForOne) {
  UseTestDatabase();
  for (const char* stored : {"2", "0", "null"}) {
    Execute(
        *db,
        {QStringLiteral("delete from nastavenia"),
         QStringLiteral("insert into nastavenia values ('PRIEZVISKA_VELKYMI', null, %1)").arg(QLatin1String(stored))});
    ProgramSettings.PRIEZVISKA_VELKYMI = true;
    auto window = Start();
    EXPECT_FALSE(ProgramSettings.PRIEZVISKA_VELKYMI) << stored;
  }
}

TEST_P(StartupTest, UnreadableSettingsAreReportedOnceAndTheProgramRuns) {
  UseTestDatabase();
  Execute(*db, {QStringLiteral("drop table nastavenia")});
  auto window = Start();
  EXPECT_FALSE(TerminationRequested());
  EXPECT_TRUE(window->IBD->Connected());
  ASSERT_EQ(dialogs.Requests().size(), 1);
  EXPECT_TRUE(dialogs.Requests()[0].Text.startsWith(QStringLiteral("Hlásenie #335544569")));
  EXPECT_EQ(ProgramSettings.BRIGADA_PREDPISANA, 0);
  EXPECT_TRUE(Organizacia.Nazov.isEmpty());
}

TEST_P(StartupTest, ADatabaseThatCannotBeOpenedIsToldOnceInSlovakAndTheWindowOpensWithoutIt) {
  const struct {
    const char* name;
    QString database;
    const char* reason; // the start of the reason given
  } cases[] = {
      {"missing file", folder.path() + QStringLiteral("/Data/Vimek.fdb"), "Chybná cesta k databáze."},
      {"wrong path", QStringLiteral("/no/such/folder/Vimek.fdb"), "Chybná cesta k databáze."},
      {"not a database", IniPath(), ""},
      {"server down", QStringLiteral("localhost/3999:/var/lib/vimek/Vimek.fdb"),
       "Databázový server pripojenie odmietol"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResetTerminationRequest();
    WriteIni(QStringLiteral("Database"), c.database);
    TScriptedMessageDialogs shown;
    std::unique_ptr<TestMain> window;
    EXPECT_NO_THROW(window = Start());
    EXPECT_FALSE(TerminationRequested()) << "the program goes on without its database";
    EXPECT_FALSE(window->IBD->Connected());
    ASSERT_EQ(shown.Requests().size(), 1) << shown.Requests().value(1).Text.toStdString();
    const QString text = shown.Requests()[0].Text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Nepodarilo sa pripojiť k databáze\r\n") + c.database))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n\r\n") + QString::fromUtf8(c.reason))) << text.toStdString();
    // Nothing of the client's own English text.
    for (const char* english : {"error", "Error", "failed", "unavailable", "I/O", "file"})
      EXPECT_FALSE(text.contains(QLatin1String(english))) << english << " in " << text.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Starts, StartupTest, ::testing::Values(TMainStart::Idle, TMainStart::Connecting),
                         [](const ::testing::TestParamInfo<TMainStart>& info) {
                           return info.param == TMainStart::Connecting ? "AttachWhileBuilding" : "AttachInFormCreate";
                         });

} // namespace
