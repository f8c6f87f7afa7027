#include "app/MyUnits.h"
#include "db/IBDatabase.h"
#include "db/IBError.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/MessageDialogs.h"
#include "tests/support/FreshDatabase.h"
#include <QtCore/QDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Tables carrying the constraint and exception names the handler knows, so
// each case raises a real server error.
const char* const kSchema[] = {
    "create table c_clenov (jedin integer not null primary key)",
    "create table c_clenov_rs (jedin integer not null primary key)",
    "create table e_pokladna (jedin integer not null primary key, c_clenov integer,"
    " constraint fk_e_pokladna_clen foreign key (c_clenov) references c_clenov (jedin))",
    "create table e_povolenky (jedin integer not null primary key, c_clenov integer, rok integer, cislo integer,"
    " typ integer, constraint fk_e_povolenky_clen foreign key (c_clenov) references c_clenov (jedin),"
    " constraint uk_e_povolenky_rok_cislo_typ unique (rok, cislo, typ))",
    "create table e_rs_kontrolori (jedin integer not null primary key, c_clenov_rs integer,"
    " constraint fk_e_rs_kontrolori_clen_rs foreign key (c_clenov_rs) references c_clenov_rs (jedin))",
    "create table other_child (jedin integer not null primary key, c_clenov integer,"
    " constraint fk_other foreign key (c_clenov) references c_clenov (jedin))",
    "create table c_clenov_prerusene_roky (jedin integer not null primary key, c_clenov integer, rok integer,"
    " constraint uk_c_clenov_prerusene_roky_rok unique (c_clenov, rok))",
    "create table c_druhy_dokladov (jedin integer not null primary key, rok integer, skratka varchar(5),"
    " constraint uk_c_druhy_dokladov_rok_skratka unique (rok, skratka))",
    "create table plain (jedin integer not null primary key, kod varchar(3), constraint uk_plain unique (kod))",
    "create unique index ix_plain_jedin_kod on plain (jedin, kod)",
    "create table indexed (n integer)",
    "create unique index ix_indexed on indexed (n)",
    "create exception err_002 'Pohyb vznikol v evidencii povoleniek.'",
    "create exception err_003 'Doklad vznikol v evidencii povoleniek.'",
    "create exception err_other 'Iná chyba.'",
    "create procedure raise_002 as begin exception err_002; end",
    "create procedure raise_003 as begin exception err_003; end",
    "create procedure raise_both as begin exception err_003 'ERR_002 a ERR_003'; end",
    "create procedure raise_other as begin exception err_other; end",
};

const char* const kRows[] = {
    "insert into c_clenov values (1)",
    "insert into c_clenov values (2)",
    "insert into c_clenov values (3)",
    "insert into c_clenov_rs values (1)",
    "insert into e_pokladna values (1, 1)",
    "insert into e_povolenky values (1, 2, 2008, 5, 0)",
    "insert into e_rs_kontrolori values (1, 1)",
    "insert into other_child values (1, 3)",
    "insert into c_clenov_prerusene_roky values (1, 1, 2008)",
    "insert into c_druhy_dokladov values (1, 2008, 'PPD')",
    "insert into plain values (1, 'ABC')",
    "insert into indexed values (1)",
};

class DatabaseErrorTest : public ::testing::Test {
protected:
  void SetUp() override {
    db = database.Connect();
    for (const char* sql : kSchema)
      Run(QString::fromUtf8(sql));
    for (const char* sql : kRows)
      Run(QString::fromUtf8(sql));
  }

  // Runs one statement in a transaction of its own.
  void Run(const QString& sql, TIBDatabase* on = nullptr) {
    TIBTransaction transaction(on ? on : db.get(), TIBTransactionKind::ReadCommitted);
    transaction.StartTransaction();
    TIBQuery query;
    query.SetDatabase(on ? on : db.get());
    query.SetTransaction(&transaction);
    query.SetSQL(sql);
    query.ExecSQL();
    transaction.Commit();
  }

  // The server error the statement raises.
  EIBInterBaseError ErrorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const EIBInterBaseError& error) {
      return error;
    }
    ADD_FAILURE() << "no server error";
    return EIBInterBaseError(QString(), 0, 0, QString(), {});
  }
  EIBInterBaseError ErrorOf(const char* sql) {
    return ErrorOf([&] { Run(QString::fromUtf8(sql)); });
  }

  FreshDatabase database;
  std::unique_ptr<TIBDatabase> db;
};

struct HandlerCase {
  const char* sql;
  int code;          // the server's error code the statement raises
  int result;        // what the handler returns
  const char* shown; // start of the first message shown, or nullptr for none
  TMsgDlgType type;
  int messages; // dialogs shown
};

const HandlerCase kCases[] = {
    {"delete from c_clenov where jedin=1", 335544466, 2002,
     "Hlásenie #2002\r\n\r\nNie je možné vymazať alebo opraviť člena, lebo má náväznosť v evidencii pokladne.",
     TMsgDlgType::Warning, 1},
    {"delete from c_clenov where jedin=2", 335544466, 2003, "Hlásenie #2003\r\n\r\n", TMsgDlgType::Warning, 1},
    {"delete from c_clenov_rs where jedin=1", 335544466, 2006, "Hlásenie #2006\r\n\r\n", TMsgDlgType::Warning, 1},
    {"insert into other_child values (2, 77)", 335544466, 0, nullptr, TMsgDlgType::Warning, 0},
    {"insert into e_povolenky values (2, 2, 2008, 5, 0)", 335544665, 2001,
     "Hlásenie #2001\r\n\r\nDuplicita čísla platby", TMsgDlgType::Error, 1},
    {"insert into c_clenov_prerusene_roky values (2, 1, 2008)", 335544665, 2005, "Hlásenie #2005\r\n\r\n",
     TMsgDlgType::Error, 1},
    {"insert into c_druhy_dokladov values (2, 2008, 'PPD')", 335544665, 2007,
     "Hlásenie #2007\r\n\r\nZadaná skratka dokladu", TMsgDlgType::Error, 1},
    {"insert into plain values (2, 'ABC')", 335544665, 0, nullptr, TMsgDlgType::Error, 0},
    {"insert into indexed values (1)", 335544349, 0, nullptr, TMsgDlgType::Error, 0},
    {"execute procedure raise_002", 335544517, 2004, "Hlásenie #2004\r\n\r\nNie je možné vymazať alebo opraviť záznam",
     TMsgDlgType::Error, 1},
    {"execute procedure raise_003", 335544517, 2004, "Hlásenie #2004\r\n\r\n", TMsgDlgType::Error, 1},
    {"execute procedure raise_both", 335544517, 2004, "Hlásenie #2004\r\n\r\n", TMsgDlgType::Error, 1},
    {"execute procedure raise_other", 335544517, 0, nullptr, TMsgDlgType::Error, 0},
    // Reported with the server's text and counted as handled, so it is not raised again.
    {"selec 1 from rdb$database", 335544569, 335544569, "Hlásenie #335544569\r\n\r\nNeplatný príkaz SQL.",
     TMsgDlgType::Error, 1},
    // Any other code: a plain message with the code and the server's text.
    {"insert into plain values (3, 'ABCDEF')", 335544321, 335544321, "335544321\r\n\r\n", TMsgDlgType::Error, 1},
};

TEST_F(DatabaseErrorTest, MapsServerErrorsToNumberedMessages) {
  for (const HandlerCase& c : kCases) {
    SCOPED_TRACE(c.sql);
    const EIBInterBaseError error = ErrorOf(c.sql);
    ASSERT_EQ(error.IBErrorCode(), c.code) << error.Message().toStdString();
    TScriptedMessageDialogs dialogs;
    EXPECT_EQ(HandleDatabaseError(error), c.result);
    ASSERT_EQ(dialogs.Requests().size(), c.messages);
    if (c.shown) {
      EXPECT_TRUE(dialogs.Requests()[0].Text.startsWith(QString::fromUtf8(c.shown)))
          << dialogs.Requests()[0].Text.toStdString();
      EXPECT_EQ(dialogs.Requests()[0].Type, c.type);
    }
  }
}

TEST_F(DatabaseErrorTest, LockConflictIsHandled) {
  auto other = database.Connect();
  TIBTransaction holder(other.get(), TIBTransactionKind::ReadCommitted);
  holder.StartTransaction();
  TIBQuery lock;
  lock.SetDatabase(other.get());
  lock.SetTransaction(&holder);
  lock.SetSQL(QStringLiteral("update plain set kod='X' where jedin=1"));
  lock.ExecSQL();
  const EIBInterBaseError error = ErrorOf("update plain set kod='Y' where jedin=1");
  ASSERT_EQ(error.IBErrorCode(), 335544345);
  TScriptedMessageDialogs dialogs;
  EXPECT_EQ(HandleDatabaseError(error), 335544345);
  ASSERT_EQ(dialogs.Requests().size(), 1);
  EXPECT_TRUE(dialogs.Requests()[0].Text.startsWith(QStringLiteral("Hlásenie #335544345\r\n\r\nNie je možné vykonať")));
}

TEST_F(DatabaseErrorTest, MissingDatabaseFileIsAnIoError) {
  TIBDatabase missing;
  missing.SetDatabaseName(QDir::temp().filePath(QStringLiteral("vimek-no-such-folder/none.fdb")));
  const EIBInterBaseError error = ErrorOf([&] { missing.Open(); });
  ASSERT_EQ(error.IBErrorCode(), 335544344);
  TScriptedMessageDialogs dialogs;
  EXPECT_EQ(HandleDatabaseError(error), 335544344);
  ASSERT_EQ(dialogs.Requests().size(), 2);
  EXPECT_EQ(dialogs.Requests()[0].Text,
            QStringLiteral("Hlásenie #335544344\r\n\r\nChybná cesta k databáze. Kontaktujte správcu systému."));
  EXPECT_EQ(dialogs.Requests()[1].Text, error.Message());
}

// The embedded engine trusts every login, and a metadata change of an object
// in use waits on its lock instead of failing, so these are built by hand.
TEST(DatabaseErrorHandler, ErrorsTheEmbeddedEngineDoesNotRaise) {
  const EIBInterBaseError inUse(QStringLiteral("unsuccessful metadata update\nobject INDEX is in use"), 335544351, -607,
                                QString(), {335544351, 335544453});
  const EIBInterBaseError login(QStringLiteral("Your user name and password are not defined."), 335544472, -902,
                                QString(), {335544472});
  {
    TScriptedMessageDialogs dialogs;
    EXPECT_EQ(HandleDatabaseError(inUse), 335544351);
    ASSERT_EQ(dialogs.Requests().size(), 2);
    EXPECT_TRUE(
        dialogs.Requests()[0].Text.startsWith(QStringLiteral("Hlásenie #335544351\r\n\r\nNie je možné vykonať")));
    EXPECT_EQ(dialogs.Requests()[1].Text, inUse.Message());
  }
  {
    TScriptedMessageDialogs dialogs;
    EXPECT_EQ(HandleDatabaseError(login), -1);
    ASSERT_EQ(dialogs.Requests().size(), 1);
    EXPECT_TRUE(dialogs.Requests()[0].Text.startsWith(QStringLiteral("Hlásenie #335544472\r\n\r\nUživateľské meno")));
    EXPECT_EQ(dialogs.Requests()[0].Type, TMsgDlgType::Warning);
  }
}

TEST(DatabaseErrorHandler, LeavesOtherExceptionsToTheCaller) {
  TScriptedMessageDialogs dialogs;
  EXPECT_EQ(HandleDatabaseError(EIBError(QStringLiteral("Databáza nie je pripojená."))), 0);
  EXPECT_EQ(HandleDatabaseError(std::runtime_error("x")), 0);
  EXPECT_TRUE(dialogs.Requests().isEmpty());
}

} // namespace
