#include "console/fServis.h"
#include "app/AppContext.h"
#include "app/FormRegistry.h"
#include "console/ConsoleForms.h"
#include "controls/IBCheckBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBMemo.h"
#include "controls/QPLBtn.h"
#include "db/IBDatabaseInfo.h"
#include "tests/app/AdminTestSupport.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestServer.h"
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QScopeGuard>
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabWidget>

namespace {

enum class TTarget { Embedded, Server };

const QString doneMessage = QStringLiteral("OK, funkcia úspešne vykonaná.");
constexpr int kPageSize = 8192;

QStringList Lines(const TIBMemo* memo) { return memo->toPlainText().split(QLatin1Char('\n')); }

// The service form on a fresh embedded database, or on the server database
// that VIMEK_FB_DATABASE names (tests/support/TestServer.h). The server's database is made from the
// schema when it cannot be opened, and its selection sets and members are
// emptied before each test.
class ServisTest : public AdminTest, public ::testing::WithParamInterface<TTarget> {
protected:
  void SetUp() override {
    AdminTest::SetUp();
    if (GetParam() == TTarget::Server) ConnectToServer();
  }
  void TearDown() override {
    form_.reset();
    AdminTest::TearDown();
    password_.reset();
    user_.reset();
  }

  void ConnectToServer() {
    VIMEK_REQUIRE_SERVER(server);
    const QString name = server->Database;
    // The client library logs in with these wherever no login is given.
    user_.emplace("ISC_USER", server->User);
    password_.emplace("ISC_PASSWORD", server->Password);
    SetMainDatabase(nullptr);
    db->Close();
    db = std::make_unique<TIBDatabase>();
    db->SetDatabaseName(name);
    db->SetUserName(server->User);
    db->SetPassword(server->Password);
    try {
      db->Open();
    } catch (const std::exception&) {
      MakeAdminDatabase(name);
      db->Open();
    }
    SetMainDatabase(db.get());
    Exec(QStringLiteral("delete from temp_spracuj"));
    Exec(QStringLiteral("delete from c_clenov"));
    // The emptied tables' indexes start from no selectivity, as on a new database.
    for (const QVariantList& index : Rows(QStringLiteral("select trim(rdb$index_name) from rdb$indices where "
                                                         "rdb$relation_name in ('C_CLENOV', 'TEMP_SPRACUJ')")))
      Exec(QStringLiteral("set statistics index ") + index[0].toString());
  }

  // A new form; the one before is closed first, so its page is stored.
  TfrmServis& Form() {
    form_.reset();
    form_ = std::make_unique<TfrmServis>(nullptr, db.get());
    return *form_;
  }
  qint64 Generator(const QString& name) {
    return Scalar(QStringLiteral("select gen_id(%1, 0) from rdb$database").arg(name)).toLongLong();
  }
  // Members with the keys 1 to `last`, and two selection-set rows.
  void AddMembersAndSelections(int last) {
    for (int key = 1; key < last; key += 7)
      Exec(QStringLiteral("insert into c_clenov (jedin, meno, priezvisko) values (:k, 'Ján', 'Kováč')"),
           {{QStringLiteral("k"), key}});
    Exec(QStringLiteral("insert into c_clenov (jedin, meno, priezvisko) values (:k, 'Eva', 'Nová')"),
         {{QStringLiteral("k"), last}});
    Exec(QStringLiteral("insert into temp_spracuj (jedin, cislo) values (1, 10)"));
    Exec(QStringLiteral("insert into temp_spracuj (jedin, cislo) values (2, 20)"));
    Exec(QStringLiteral("set generator temp_spracuj_id to 2"));
  }
  // The selectivity of every user index, by name.
  QMap<QString, double> UserIndexStatistics() {
    QMap<QString, double> statistics;
    for (const QVariantList& row : Rows(QStringLiteral("select trim(rdb$index_name), rdb$statistics from rdb$indices "
                                                       "where coalesce(rdb$system_flag, 0) = 0")))
      statistics.insert(row[0].toString(), row[1].toDouble());
    return statistics;
  }
  void CheckAll(TfrmServis& form) {
    for (TIBCheckBox* box : {form.e1, form.e2, form.e3, form.e4})
      box->setChecked(true);
  }

  std::unique_ptr<TfrmServis> form_;
  std::optional<TScopedEnvironment> user_, password_;
};

TEST_P(ServisTest, TheFourTasksResetGeneratorsRecomputeIndexesCountRowsAndPurge) {
  AddMembersAndSelections(57);
  Exec(QStringLiteral("set generator c_clenov_id to 3"));
  Exec(QStringLiteral("set generator c_ceniny_id to 99")); // its table is empty
  const QMap<QString, double> before = UserIndexStatistics();
  TfrmServis& form = Form();
  // Nothing checked: nothing logged.
  form.btnGoClick();
  EXPECT_TRUE(form.lb1->toPlainText().isEmpty());
  EXPECT_TRUE(form.btnGo->isEnabled());

  CheckAll(form);
  form.btnGoClick();
  EXPECT_TRUE(form.btnGo->isEnabled());
  EXPECT_EQ(Generator(QStringLiteral("C_CLENOV_ID")), 57);
  EXPECT_EQ(Generator(QStringLiteral("C_CENINY_ID")), 0);
  EXPECT_EQ(Generator(QStringLiteral("TEMP_SPRACUJ_ID")), 0); // purged after it was set to its table's highest key
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from temp_spracuj")).toInt(), 0);
  // Every user index of a table with rows has a new selectivity.
  const QMap<QString, double> after = UserIndexStatistics();
  for (const QString& index :
       {QStringLiteral("PK_C_CLENOV"), QStringLiteral("IDX_C_CLENOV_PRIEZVISKO"), QStringLiteral("PK_TEMP_SPRACUJ")}) {
    EXPECT_NE(after.value(index), before.value(index)) << index.toStdString();
    EXPECT_GT(after.value(index), 0) << index.toStdString();
  }
  // One over the number of distinct keys: 9 members, two surnames, two selection rows.
  EXPECT_FLOAT_EQ(after.value(QStringLiteral("PK_C_CLENOV")), 1.0f / 9);
  EXPECT_FLOAT_EQ(after.value(QStringLiteral("IDX_C_CLENOV_PRIEZVISKO")), 1.0f / 2);
  EXPECT_FLOAT_EQ(after.value(QStringLiteral("PK_TEMP_SPRACUJ")), 1.0f / 2);

  const QStringList log = Lines(form.lb1);
  EXPECT_EQ(log.first(), QStringLiteral("Kontrola generátorov..."));
  EXPECT_TRUE(log.contains(QStringLiteral("Aktualizujem hodnotu generátora C_CLENOV_ID.")));
  EXPECT_TRUE(log.contains(QStringLiteral("Kontrola generátorov úspešne dokončená")));
  EXPECT_TRUE(log.contains(QStringLiteral("Nastavujem selectivitu indexu PK_C_CLENOV")));
  EXPECT_TRUE(log.contains(QStringLiteral("Nastavujem selectivitu indexu RDB$INDEX_0"))); // system indexes too
  EXPECT_TRUE(log.contains(QStringLiteral("Tabuľka \"C_CLENOV\" obsahuje 9 záznamov.")));
  EXPECT_TRUE(log.contains(QStringLiteral("Tabuľka \"C_CENINY\" obsahuje 0 záznamov.")));
  EXPECT_EQ(log.last(), QStringLiteral("Vymazanie dočasných tabuliek úspešne dokončené."));
  // Each task after the first starts after an empty line.
  for (const QString& title :
       {QStringLiteral("Prepočítanie indexu selektivity..."), QStringLiteral("Vypísanie počtu záznamov v tabuľkách..."),
        QStringLiteral("Vymazanie dočasných tabuliek...")}) {
    const int at = int(log.indexOf(title));
    ASSERT_GT(at, 0) << title.toStdString();
    EXPECT_EQ(log[at - 1], QString());
  }
  EXPECT_TRUE(Messages().isEmpty());

  // A second run appends after an empty line.
  const int lines = int(log.size());
  form.e1->setChecked(false);
  form.e2->setChecked(false);
  form.e4->setChecked(false);
  form.btnGoClick();
  const QStringList again = Lines(form.lb1);
  EXPECT_EQ(again.mid(0, lines), log);
  EXPECT_EQ(again.value(lines), QString());
  EXPECT_EQ(again.value(lines + 1), QStringLiteral("Vypísanie počtu záznamov v tabuľkách..."));
  EXPECT_TRUE(form.lb1->isReadOnly());
  form.pc1->setCurrentIndex(0);
  SaveScreenshot(&form, QStringLiteral("servis-cinnosti"));
}

TEST_P(ServisTest, WithASecondAttachmentTheExclusiveTasksAreSkippedWithTheirWarnings) {
  AddMembersAndSelections(57);
  Exec(QStringLiteral("set generator c_clenov_id to 3"));
  std::unique_ptr<TIBDatabase> other = std::make_unique<TIBDatabase>();
  other->SetDatabaseName(db->DatabaseName());
  other->SetUserName(db->UserName());
  other->SetPassword(db->Password());
  other->Open();
  TfrmServis& form = Form();
  CheckAll(form);
  form.btnGoClick();
  const QStringList messages = Messages();
  ASSERT_EQ(messages.size(), 2);
  EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Kontrolu hodnôt generátorov je možné vykonávať len exkluzívnom")));
  EXPECT_TRUE(
      messages[1].startsWith(QStringLiteral("Vymazanie dočasných tabuliek je možné vykonávať len exkluzívnom")));
  EXPECT_EQ(dialogs->Requests()[0].Type, TMsgDlgType::Warning);
  EXPECT_EQ(Generator(QStringLiteral("C_CLENOV_ID")), 3);
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from temp_spracuj")).toInt(), 2);
  const QStringList log = Lines(form.lb1);
  EXPECT_EQ(log.first(), QStringLiteral("Prepočítanie indexu selektivity..."));
  EXPECT_EQ(log.last(), QStringLiteral("Vypísanie počtu záznamov v tabuľkách úspešne dokončené."));
  EXPECT_FALSE(log.contains(QStringLiteral("Kontrola generátorov...")));
  other->Close();
}

// A generator that names no table ends the run: its error shows as it stands
// and goes on to the unhandled-error dialog; the tasks after it do not run.
TEST_P(ServisTest, AGeneratorWithoutItsTableEndsTheRun) {
  Exec(QStringLiteral("create generator ZZ_BEZ_TABULKY_ID"));
  const auto drop = qScopeGuard([this] { Exec(QStringLiteral("drop generator ZZ_BEZ_TABULKY_ID")); });
  Exec(QStringLiteral("insert into temp_spracuj (jedin, cislo) values (1, 10)"));
  TfrmServis& form = Form();
  CheckAll(form);
  EXPECT_THROW(form.btnGoClick(), std::exception);
  EXPECT_TRUE(form.btnGo->isEnabled());
  EXPECT_TRUE(form.btnStatistika->isEnabled());
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_TRUE(Messages()[0].contains(QStringLiteral("ZZ_BEZ_TABULKY"))) << Messages()[0].toStdString();
  EXPECT_EQ(Lines(form.lb1).last(), QStringLiteral("Aktualizujem hodnotu generátora ZZ_BEZ_TABULKY_ID."));
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from temp_spracuj")).toInt(), 1);
}

// While a run is on, the actions that share the form's query and
// transaction wait, and the form cannot be closed; Esc closes it otherwise.
TEST_P(ServisTest, DuringARunOtherActionsAndClosingWaitEscClosesOtherwise) {
  TfrmServis& form = Form();
  form.e3->setChecked(true);
  bool duringRun = false, othersDisabled = false, stillOpen = false;
  WhenModal<TfrmServis>([&](TfrmServis* shown) {
    QTimer::singleShot(0, shown, [&] {
      duringRun = !shown->btnGo->isEnabled();
      othersDisabled = !shown->btnStatistika->isEnabled() && !shown->btnValidate->isEnabled() &&
                       !shown->btnWriteMode->isEnabled() && !shown->QPLBtn2->isEnabled() && !shown->ts2->isEnabled();
      QTest::keyClick(shown->lb1, Qt::Key_Escape);
    });
    shown->btnGoClick();
    stillOpen = shown->isVisible();
    EXPECT_TRUE(shown->btnStatistika->isEnabled());
    EXPECT_TRUE(shown->btnValidate->isEnabled());
    QTest::keyClick(shown->e4, Qt::Key_Escape);
  });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_TRUE(duringRun);
  EXPECT_TRUE(othersDisabled);
  EXPECT_TRUE(stillOpen);
}

TEST_P(ServisTest, TheInformationPageAppendsABlockOnEveryVisitAndThePageIsRestored) {
  {
    TfrmServis& form = Form();
    EXPECT_EQ(form.pc1->currentIndex(), 0);
    form.pc1->setCurrentIndex(3);
    form.pc1->setCurrentIndex(0);
    form.pc1->setCurrentIndex(3);
    const QStringList lines = Lines(form.e41);
    const int separator = int(lines.indexOf(QString(69, QLatin1Char('-'))));
    ASSERT_GT(separator, 0);
    EXPECT_EQ(lines.count(QString(69, QLatin1Char('-'))), 1);
    EXPECT_EQ(lines.mid(separator + 1).size(), separator); // two blocks of the same length
    const TIBDatabaseInfo info(*db);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Výpis stavových informácií z \\d{1,2}\\.\\d{1,2}\\.\\d{4} o "
                                                  "\\d{1,2}:\\d\\d:\\d\\d$"))
                    .match(lines[0])
                    .hasMatch())
        << lines[0].toStdString();
    const QStringList expected[] = {
        {QStringLiteral("   Názov databázového súboru: ") + info.DbFileName()},
        {QStringLiteral("   Dialect databázy: 3")},
        {QStringLiteral("   Page Size: %1").arg(kPageSize)},
        {QStringLiteral("   Veľkosť databázy: %1 bytes").arg(qint64(kPageSize) * info.Allocation())},
        {QStringLiteral("   Verzia ODS: 12.0")},
        {QStringLiteral("   ReadOnly: False")},
        {QStringLiteral("   Počet pripojených užívateľov: 1")},
        {QStringLiteral("   1. pripojený užívateľ: ") + db->UserName().toUpper()},
    };
    for (const QStringList& line : expected)
      EXPECT_TRUE(lines.mid(0, separator).contains(line[0])) << line[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("   Server využíva ")));
    EXPECT_EQ(lines[separator - 1].left(48), QStringLiteral("   Number of reads from the memory buffer cache:"));
    SaveScreenshot(&form, QStringLiteral("servis-informacie"));
  }
  // Reopened on the page it had, with one block.
  TfrmServis& reopened = Form();
  EXPECT_EQ(reopened.pc1->currentIndex(), 3);
  EXPECT_FALSE(reopened.e41->toPlainText().isEmpty());
  EXPECT_FALSE(reopened.e41->toPlainText().contains(QString(69, QLatin1Char('-'))));
  reopened.pc1->setCurrentIndex(1);
  EXPECT_EQ(Form().pc1->currentIndex(), 1);
}

TEST_P(ServisTest, WriteModeSweepIntervalAndPageBuffersAreSetThroughTheServer) {
  TfrmServis& form = Form();
  form.pc1->setCurrentIndex(4);
  const TIBDatabaseInfo info(*db);
  EXPECT_EQ(form.rbWriteSync->isChecked(), info.ForcedWrites());
  EXPECT_EQ(int(form.eSweepInterval->Value()), info.SweepInterval());
  EXPECT_EQ(int(form.eBuffers->Value()), info.NumBuffers());

  for (const bool synchronous : {!info.ForcedWrites(), info.ForcedWrites()}) {
    (synchronous ? form.rbWriteSync : form.rbWriteAsync)->setChecked(true);
    form.btnWriteModeClick();
    EXPECT_EQ(TIBDatabaseInfo(*db).ForcedWrites(), synchronous);
  }
  form.eSweepInterval->SetValue(12345);
  form.btnSweepIntervalClick();
  EXPECT_EQ(TIBDatabaseInfo(*db).SweepInterval(), 12345);
  form.eBuffers->SetValue(3000);
  form.QPLBtn2Click();
  EXPECT_EQ(Messages(), QStringList(4, doneMessage));
  EXPECT_TRUE(form.isEnabled());
  // The page buffers apply from the database's next opening.
  db->Close();
  db->Open();
  EXPECT_EQ(TIBDatabaseInfo(*db).NumBuffers(), 3000);
  form.pc1->setCurrentIndex(0);
  form.pc1->setCurrentIndex(4);
  EXPECT_EQ(int(form.eBuffers->Value()), 3000);
  EXPECT_EQ(int(form.eSweepInterval->Value()), 12345);
}

TEST_P(ServisTest, StatisticsLandInTheirPage) {
  TfrmServis& form = Form();
  form.e31->setPlainText(QStringLiteral("staré"));
  form.btnStatistikaClick();
  const QString statistics = form.e31->toPlainText();
  EXPECT_FALSE(statistics.contains(QStringLiteral("staré")));
  EXPECT_TRUE(statistics.contains(QStringLiteral("Database header page information")))
      << statistics.left(400).toStdString();
  EXPECT_TRUE(statistics.contains(QStringLiteral("C_CLENOV (")));
  EXPECT_TRUE(form.isEnabled());
  EXPECT_TRUE(form.btnStatistika->isEnabled());
}

// Nothing ticked is refused before the server is asked; a service the server
// refuses (here a login with a wrong password) is a Slovak message and a line
// of the log, the form usable again, never the unhandled-error dialog.
TEST_P(ServisTest, RefusalsAndServiceErrorsAreSlovakMessages) {
  TfrmServis& form = Form();
  form.btnValidateClick();
  EXPECT_EQ(Messages(), QStringList{TfrmServis::NothingTickedMessage});
  EXPECT_TRUE(db->Connected());
  EXPECT_TRUE(form.btnValidate->isEnabled());
  if (GetParam() != TTarget::Server) return; // the embedded engine checks no password
  const QString password = db->Password();
  db->SetPassword(QStringLiteral("zle-heslo"));
  const auto restore = qScopeGuard([&] { db->SetPassword(password); });
  struct Action {
    const char* name;
    std::function<void()> run;
  };
  const Action actions[] = {
      {"statistics", [&] { form.btnStatistikaClick(); }},
      {"sweep interval", [&] { form.btnSweepIntervalClick(); }},
  };
  for (const Action& action : actions) {
    SCOPED_TRACE(action.name);
    const qsizetype shown = Messages().size();
    const QString logLine = QStringLiteral("Služba databázového servera skončila s chybou");
    const qsizetype logged = form.lb1->toPlainText().count(logLine);
    action.run();
    ASSERT_EQ(Messages().size(), shown + 1);
    EXPECT_NE(Messages().last(), doneMessage);
    EXPECT_EQ(form.lb1->toPlainText().count(logLine), logged + 1) << form.lb1->toPlainText().toStdString();
    EXPECT_TRUE(form.isEnabled());
    EXPECT_TRUE(db->Connected());
  }
}

TEST_P(ServisTest, ValidationOfACleanDatabaseSucceedsAndWaitsForOtherUsers) {
  TfrmServis& form = Form();
  form.e55->setChecked(true);
  auto other = std::make_unique<TIBDatabase>();
  other->SetDatabaseName(db->DatabaseName());
  other->SetUserName(db->UserName());
  other->SetPassword(db->Password());
  other->Open();
  form.btnValidateClick();
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_TRUE(Messages()[0].contains(QStringLiteral("pripojení ďalší užívatelia (1)"))) << Messages()[0].toStdString();
  EXPECT_TRUE(db->Connected());
  other->Close();

  form.btnValidateClick();
  EXPECT_EQ(Messages().value(1), doneMessage);
  EXPECT_TRUE(db->Connected());
  EXPECT_TRUE(form.isEnabled());
  EXPECT_TRUE(form.btnValidate->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(, ServisTest, ::testing::Values(TTarget::Embedded, TTarget::Server),
                         [](const ::testing::TestParamInfo<TTarget>& info) {
                           return info.param == TTarget::Embedded ? "Embedded" : "Server";
                         });

// A data page of a table with rows, overwritten in its record index, is
// reported by the validation, never called a success.
class ServisDamageTest : public AdminTest {};

// The file offset of the first data page of the relation.
qint64 DataPageOf(const QByteArray& file, int relation) {
  for (qint64 offset = 0; offset + kPageSize <= file.size(); offset += kPageSize) {
    const uchar* page = reinterpret_cast<const uchar*>(file.constData() + offset);
    const int type = page[0];
    const int owner = page[20] | (page[21] << 8); // after the page header and the sequence
    if (type == 5 && owner == relation) return offset;
  }
  return -1;
}

TEST_F(ServisDamageTest, ValidationReportsADamagedDataPage) {
  for (int key = 1; key <= 40; ++key)
    Exec(QStringLiteral("insert into c_clenov (jedin, meno, priezvisko) values (:k, 'Ján', 'Kováč')"),
         {{QStringLiteral("k"), key}});
  const int relation =
      Scalar(QStringLiteral("select rdb$relation_id from rdb$relations where rdb$relation_name = 'C_CLENOV'")).toInt();
  const QString path = db->DatabaseName();
  db->Close();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  const QByteArray content = file.readAll();
  const qint64 page = DataPageOf(content, relation);
  ASSERT_GE(page, 0);
  // The record index of the first records: offsets and lengths beyond the page.
  file.seek(page + 24);
  file.write(QByteArray(32, char(0xF7)));
  file.close();
  db->Open();

  TfrmServis form(nullptr, db.get());
  form.e55->setChecked(true);
  form.btnValidateClick();
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_NE(Messages()[0], doneMessage);
  EXPECT_TRUE(Messages()[0].startsWith(QStringLiteral("Údržba databázy zistila chyby:")))
      << Messages()[0].toStdString();
  EXPECT_EQ(dialogs->Requests()[0].Type, TMsgDlgType::Error);
  // The server's summary always comes; its detail lines, read while the
  // service runs, may end before the last of them under load.
  EXPECT_TRUE(Messages()[0].contains(QStringLiteral("validation errors"))) << Messages()[0].toStdString();
  EXPECT_TRUE(db->Connected());
  // The server cannot mend a page whose record index is gone: the next run reports it again.
  form.btnValidateClick();
  ASSERT_EQ(Messages().size(), 2);
  EXPECT_TRUE(Messages()[1].startsWith(QStringLiteral("Údržba databázy zistila chyby:")))
      << Messages()[1].toStdString();
}

TEST(ConsoleFormsTest, TheMainWindowsServiceButtonOpensTheServiceForm) {
  RegisterConsoleForms();
  EXPECT_TRUE(FormRegistry::IsRegistered(QStringLiteral("TfrmServis")));
  FormRegistry::Unregister(QStringLiteral("TfrmServis"));
}

TEST(ServiceServerTest, TheServiceGoesToTheHostAndPortOfTheConnection) {
  struct Case {
    bool local;
    const char* connection;
    const char* server;
  };
  const Case cases[] = {
      {true, "/data/Vimek.fdb", ""}, // the embedded engine, whatever the choice
      {false, "/data/Vimek.fdb", ""},
      {false, "127.0.0.1/3057:/data/Vimek.fdb", "127.0.0.1/3057"},
      {true, "127.0.0.1/3057:/data/Vimek.fdb", "localhost/3057"}, // this computer, the same port
      {false, "server:/data/Vimek.fdb", "server"},
      {false, "[::1]/3057:/data/Vimek.fdb", "[::1]/3057"},
      {false, "inet://server:3057//data/Vimek.fdb", "inet://server:3057"},
      {true, "inet6://[fe80::1]:3057//data/Vimek.fdb", "inet6://localhost:3057"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TfrmServis::ServiceServer(c.local, QLatin1String(c.connection)), QLatin1String(c.server))
        << c.connection << " " << c.local;
}

} // namespace
