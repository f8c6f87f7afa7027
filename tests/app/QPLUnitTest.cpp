#include "app/QPLUnit.h"
#include "app/AppContext.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/base/ProgramVersion.h"
#include "platform/base/Registry.h"
#include "tests/support/ConfigFolder.h"
#include "tests/support/FreshDatabase.h"
#include "tests/support/ModalDriver.h"
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QStatusBar>
#include <gtest/gtest.h>

namespace {

TEST(SqlWhereOrAnd, JoinsWithWhereOrAnd) {
  const struct {
    const char* sql;
    const char* expected;
  } cases[] = {
      {"select * from c_clenov", " where "},
      {"select * from c_clenov where rok=:ROK", " and "},
      {"SELECT * FROM C_CLENOV WhErE ROK=:ROK", " and "},
      {"select nowhere_flag from c_clenov", " and "}, // a column name holding WHERE counts too
      {"", " where "},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SqlWhereOrAnd(QString::fromUtf8(c.sql)), QLatin1String(c.expected)) << c.sql;
  EXPECT_EQ(SqlWhereOrAnd(QStringLiteral("a where b"), QStringLiteral("where"), QStringLiteral("and"), 2),
            QStringLiteral(" where "));
}

TEST(RoundToDecimals, RoundsTiesToEven) {
  const struct {
    int decimals;
    double value;
    double expected;
  } cases[] = {
      {0, 2.5, 2},
      {0, 3.5, 4},
      {0, -2.5, -2},
      {2, 1.005, 1.0},
      {2, 12.345678, 12.35},
      {-3, 7.6, 8},
      {9, 0.1234567891, 0.123456789},
  };
  TScriptedMessageDialogs dialogs;
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(RoundToDecimals(c.decimals, c.value), c.expected) << c.value;
  EXPECT_TRUE(dialogs.Requests().isEmpty());
}

TEST(RoundToDecimals, RefusesWhatCannotBeScaled) {
  TScriptedMessageDialogs dialogs;
  EXPECT_EQ(RoundToDecimals(10, 1.5), 0);
  EXPECT_EQ(RoundToDecimals(2, 1e300), 0);
  ASSERT_EQ(dialogs.Requests().size(), 2);
  EXPECT_EQ(dialogs.Requests()[0].Text, QStringLiteral("Chyba pri zaokruhlení čísla 1,5 na 10 miesta"));
}

TEST(CharString, RepeatsUpTo255) {
  EXPECT_EQ(CharString(QLatin1Char('-'), 3), QStringLiteral("---"));
  EXPECT_EQ(CharString(QLatin1Char('x'), 300).size(), 255);
  EXPECT_EQ(CharString(QLatin1Char('x'), 0), QString());
  EXPECT_EQ(CharString(QLatin1Char('x'), -5), QString());
}

TEST(StripDiacriticsUpper, FoldsToPlainUpperCase) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"Žltý kôň", "ZLTY KON"},
      {"ŠśŤťŽźŁłĽľĹĺŔřÁäČĎÉěÍŇÓôŐöŮúŰüÝý", "SSTTZZLLLLLLRRAACDEEINOOOOUUUUYY"},
      {"ąę ĄĘ ćńżç", "ąę ĄĘ ćńżç"}, // letters outside the table stay in their own case
      {"abc-123_xyz", "ABC-123_XYZ"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StripDiacriticsUpper(QString::fromUtf8(c.text)), QString::fromUtf8(c.expected)) << c.text;
}

TEST(NumberedMessages, ShowHeaderBlankLineAndText) {
  TScriptedMessageDialogs dialogs({mrOk, mrOk, mrOk, mrOk});
  EXPECT_EQ(ShowNumberedMessage(1012, TMsgDlgType::Information), mrOk);
  ShowNumberedMessage(9999, TMsgDlgType::Warning);
  ShowDatabaseErrorMessage(335544569, TMsgDlgType::Error, QStringLiteral("Token unknown - line 1"));
  ShowDatabaseErrorMessage(335544345, TMsgDlgType::Error);
  const auto& shown = dialogs.Requests();
  ASSERT_EQ(shown.size(), 4);
  EXPECT_EQ(shown[0].Text, QStringLiteral("Hlásenie #1012\r\n\r\nZáznam bol vymazaný iným užívateľom v sieti !\r\n"));
  EXPECT_EQ(shown[0].Type, TMsgDlgType::Information);
  EXPECT_EQ(shown[0].Buttons, TMsgDlgButtons(mbOK));
  EXPECT_EQ(shown[1].Text, QStringLiteral("Hlásenie #9999\r\n\r\n")); // no such text: number only
  EXPECT_EQ(shown[2].Text, QStringLiteral("Hlásenie #335544569\r\n\r\nNeplatný príkaz SQL.\r\n\r\nChybové hlásenie:\r\n"
                                          "-----------------\r\n\r\nToken unknown - line 1"));
  EXPECT_TRUE(shown[3].Text.startsWith(QStringLiteral("Hlásenie #335544345\r\n\r\nNie je možné vykonať")));
  EXPECT_FALSE(shown[0].Position.has_value());
}

// Answers like a user who moved the dialog before closing it.
class MovingDialogs : public IMessageDialogService {
public:
  MovingDialogs() : previous_(SetMessageDialogService(this)) {}
  ~MovingDialogs() override { SetMessageDialogService(previous_); }
  TMessageReply Show(const TMessageRequest& request) override {
    requests.append(request);
    return {request.DefaultResult, closeAt};
  }
  QList<TMessageRequest> requests;
  QPoint closeAt;

private:
  IMessageDialogService* previous_;
};

TEST(RedAndGrayDialogs, OpenWhereTheyWereLastClosed) {
  TConfigFolder config;
  MovingDialogs dialogs;
  dialogs.closeAt = QPoint(120, 340);
  EXPECT_EQ(RedMessageDlg(QStringLiteral("Vymazať?"), TMsgDlgType::Confirmation, mbYes | mbNo, 0, mrYes), mrYes);
  dialogs.closeAt = QPoint(15, 25);
  RedMessageDlg(QStringLiteral("Znova?"), TMsgDlgType::Confirmation, mbYes | mbNo, 0, mrYes);
  GrayMessageDlg(QStringLiteral("Info"), TMsgDlgType::Information, mbOK, 0, mrOk);
  ASSERT_EQ(dialogs.requests.size(), 3);
  EXPECT_FALSE(dialogs.requests[0].Position.has_value());
  EXPECT_EQ(dialogs.requests[0].Background, QColor(Qt::red));
  EXPECT_EQ(dialogs.requests[0].TextColor, QColor(Qt::black));
  EXPECT_EQ(dialogs.requests[0].DefaultResult, mrYes);
  EXPECT_EQ(dialogs.requests[1].Position, QPoint(120, 340));
  // The gray dialog keeps a position of its own and the normal colours.
  EXPECT_FALSE(dialogs.requests[2].Position.has_value());
  EXPECT_FALSE(dialogs.requests[2].Background.isValid());
  // Stored for later runs under the dialog's own key.
  const auto left =
      TRegistry::Root().ReadValue(QStringLiteral("Software\\Kalim\\TRedMessageDlg"), QStringLiteral("Left"));
  const auto top =
      TRegistry::Root().ReadValue(QStringLiteral("Software\\Kalim\\TRedMessageDlg"), QStringLiteral("Top"));
  ASSERT_TRUE(left && top);
  EXPECT_EQ(QPoint(int(left->Dword), int(top->Dword)), QPoint(15, 25));
}

// The real dialog: Enter answers the default button, and a moved dialog
// opens at its new place the next time.
TEST(RedAndGrayDialogs, StandardDialogAnswersEnterWithTheDefault) {
  TConfigFolder config;
  QPoint openedAt;
  const auto answer = [&](const QPoint& moveTo) {
    WhenModal([&, moveTo](QWidget* dialog) {
      openedAt = dialog->pos();
      dialog->move(moveTo);
      QTest::keyClick(dialog, Qt::Key_Return);
    });
  };
  answer(QPoint(210, 170));
  EXPECT_EQ(RedMessageDlg(QStringLiteral("Vymazať záznam?"), TMsgDlgType::Confirmation, mbYes | mbNo, 0, mrYes), mrYes);
  answer(QPoint(50, 60));
  EXPECT_EQ(RedMessageDlg(QStringLiteral("Vymazať záznam?"), TMsgDlgType::Confirmation, mbYes | mbNo, 0, mrNo), mrNo);
  EXPECT_EQ(openedAt, QPoint(210, 170));
}

TEST(GetFileVersion, OnlyTheProgramFileHasAVersion) {
  QTemporaryDir dir;
  const QString program = dir.filePath(QStringLiteral("Vimek"));
  QFile(program).open(QIODevice::WriteOnly);
  SetProgramFilePath(program);
  const TFileVersion own = GetFileVersion(program);
  const TFileVersion other = GetFileVersion(dir.path());
  const TFileVersion missing = GetFileVersion(dir.filePath(QStringLiteral("none")));
  SetProgramFilePath(QString());
  const TProgramVersion expected = ProgramVersion();
  EXPECT_EQ(own.Release, expected.Release);
  EXPECT_EQ(own.Text, expected.Text());
  EXPECT_EQ(own.Text, QStringLiteral("%1.%2.%3.%4").arg(own.Major).arg(own.Minor).arg(own.Release).arg(own.Build));
  for (const TFileVersion& none : {other, missing}) {
    EXPECT_EQ(none.Major + none.Minor + none.Release + none.Build, 0);
    EXPECT_TRUE(none.Text.isEmpty());
  }
}

TEST(FitStatusBarPanels, PanelsTakeTheirTextWidthPlusSix) {
  QStatusBar bar;
  auto* shortPanel = new QLabel(QStringLiteral("Rok 2008"));
  auto* longPanel = new QLabel(QStringLiteral("Označených záznamov: 1400"));
  bar.addWidget(shortPanel);
  bar.addWidget(longPanel);
  FitStatusBarPanels(bar);
  const QFontMetrics metrics(bar.font());
  EXPECT_EQ(shortPanel->width(), metrics.horizontalAdvance(shortPanel->text()) + 6);
  EXPECT_EQ(longPanel->width(), metrics.horizontalAdvance(longPanel->text()) + 6);
}

TEST(NumberInWords, ForwardsToTheSlovakWords) { EXPECT_EQ(NumberInWords(21), QStringLiteral("dvadsaťjeden")); }

// Whether a second transaction sees a row the first committed decides
// whether BeginTransaction restarted it.
class BeginTransactionTest : public ::testing::Test {
protected:
  void SetUp() override {
    writer = database.Connect();
    reader = database.Connect();
    Execute(*writer, QStringLiteral("create table t (n integer)"));
  }
  static void Execute(TIBDatabase& db, const QString& sql) {
    TIBTransaction transaction(&db);
    transaction.StartTransaction();
    TIBQuery query;
    query.SetDatabase(&db);
    query.SetTransaction(&transaction);
    query.SetSQL(sql);
    query.ExecSQL();
    transaction.Commit();
  }
  int CountRows(TIBTransaction& transaction) {
    TIBQuery query;
    query.SetDatabase(reader.get());
    query.SetTransaction(&transaction);
    query.SetSQL(QStringLiteral("select count(*) from t"));
    query.Open();
    return query.FieldByNumber(0).AsInteger();
  }
  FreshDatabase database;
  std::unique_ptr<TIBDatabase> writer;
  std::unique_ptr<TIBDatabase> reader;
};

TEST_F(BeginTransactionTest, RestartsSnapshotsAndReusesReadCommitted) {
  TIBTransaction snapshot(reader.get(), TIBTransactionKind::Snapshot);
  BeginTransaction(snapshot); // inactive: just started
  EXPECT_TRUE(snapshot.InTransaction());
  EXPECT_EQ(CountRows(snapshot), 0);
  Execute(*writer, QStringLiteral("insert into t values (1)"));
  EXPECT_EQ(CountRows(snapshot), 0); // the old snapshot
  BeginTransaction(snapshot);
  EXPECT_EQ(CountRows(snapshot), 1); // a fresh one

  TIBTransaction committed(reader.get(), TIBTransactionKind::ReadCommitted);
  BeginTransaction(committed);
  TIBQuery open;
  open.SetDatabase(reader.get());
  open.SetTransaction(&committed);
  open.SetSQL(QStringLiteral("select n from t"));
  open.Open();
  BeginTransaction(committed); // reused, not restarted: its query stays readable
  EXPECT_TRUE(committed.InTransaction());
  Execute(*writer, QStringLiteral("insert into t values (2)"));
  EXPECT_EQ(CountRows(committed), 2);
}

TEST_F(BeginTransactionTest, RollbackIfActiveUndoesAndKeepsTheContext) {
  TIBTransaction transaction(writer.get(), TIBTransactionKind::ReadCommitted);
  RollbackIfActive(transaction); // inactive: nothing started
  EXPECT_FALSE(transaction.InTransaction());
  transaction.StartTransaction();
  TIBQuery insert;
  insert.SetDatabase(writer.get());
  insert.SetTransaction(&transaction);
  insert.SetSQL(QStringLiteral("insert into t values (7)"));
  insert.ExecSQL();
  RollbackIfActive(transaction);
  EXPECT_TRUE(transaction.InTransaction());
  TIBTransaction check(reader.get(), TIBTransactionKind::ReadCommitted);
  check.StartTransaction();
  EXPECT_EQ(CountRows(check), 0);
}

} // namespace
