#include "app/ToolBar.h"
#include "console/editor/CodeMemo.h"
#include "console/fServis.h"
#include "controls/DbGridQPL.h"
#include "controls/IBCheckBox.h"
#include "controls/UxPlacemnt.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/base/Registry.h"
#include "tests/app/AdminTestSupport.h"
#include "tests/support/QStringPrinter.h"
#include "util/UxMemDS.h"
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QAccessible>
#include <QtTest/QTest>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QTabWidget>

namespace {

const QString statementDone = QStringLiteral("OK. SQL príkaz úspešne vykonaný.");
const QString statementFailed = QStringLiteral("CHYBA!!! Neplatný príkaz jazyka SQL.");

class ServisSqlConsoleTest : public AdminTest {
protected:
  void TearDown() override {
    form_.reset();
    AdminTest::TearDown();
  }

  // A new form on the console's page; the one before is closed first, so its
  // text is stored.
  TfrmServis& Console() {
    form_.reset();
    form_ = std::make_unique<TfrmServis>(nullptr, db.get());
    form_->pc1->setCurrentIndex(1);
    return *form_;
  }
  void AddMembers() {
    Exec(QStringLiteral("insert into c_clenov (jedin, meno, priezvisko) values (1, 'Ján', 'Kováč')"));
    Exec(QStringLiteral("insert into c_clenov (jedin, meno, priezvisko) values (2, 'Eva', 'Nová')"));
  }
  static QStringList ResultTitles(const TfrmServis& form) {
    QStringList titles;
    for (int i = 0; i < form.gr22->ColumnCount(); ++i)
      titles << form.gr22->Column(i)->Title;
    return titles;
  }
  static QString ResultCell(const TfrmServis& form, int row, int column) {
    const QAbstractItemModel* model = form.gr22->model();
    return model->data(model->index(row, column)).toString();
  }
  static QStringList ListedTables(const TfrmServis& form) {
    QStringList tables;
    for (int row = 0; row < form.md23->RecordCount(); ++row)
      tables << form.md23->ValueAt(row, form.md23->FieldByName(QStringLiteral("TABULKA")).Index()).toString().trimmed();
    return tables;
  }
  static QString Status(const TfrmServis& form) { return form.sb23->currentMessage(); }
  // The console's whole text replaced as the administrator does it (select
  // all, then type or paste), which fires the editor's change event.
  static void Write(TfrmServis& form, const QString& text) {
    form.e21->SelectAllText();
    form.e21->EmReplaceSel(text, true);
  }

  std::unique_ptr<TfrmServis> form_;
};

TEST_F(ServisSqlConsoleTest, ASelectFillsTheGridAndKeepsItsTransactionAnUpdateIsCommittedAtOnce) {
  AddMembers();
  TfrmServis& form = Console();
  EXPECT_FALSE(form.btnExecSQL->isEnabled());
  Write(form, QStringLiteral("select jedin, priezvisko, jedin from c_clenov\norder by 1"));
  EXPECT_TRUE(form.btnExecSQL->isEnabled());
  form.btnExecSQLClick();
  EXPECT_EQ(Status(form), statementDone) << Status(form).toStdString();
  EXPECT_TRUE(form.ibt1->InTransaction());
  // A result with two columns of one name shows each from its own place.
  EXPECT_EQ(ResultTitles(form),
            QStringList({QStringLiteral("JEDIN"), QStringLiteral("PRIEZVISKO"), QStringLiteral("JEDIN")}));
  ASSERT_EQ(form.gr22->model()->rowCount(), 2);
  EXPECT_EQ(ResultCell(form, 1, 1), QStringLiteral("Nová"));
  EXPECT_EQ(ResultCell(form, 1, 2), QStringLiteral("2"));
  EXPECT_TRUE(form.btnExecSQL->isEnabled());
  EXPECT_TRUE(Messages().isEmpty());

  Write(form, QStringLiteral("update c_clenov set meno = 'Ľudmila' where jedin = 2"));
  form.btnExecSQLClick();
  EXPECT_EQ(Status(form), statementDone);
  EXPECT_FALSE(form.ibt1->InTransaction());
  EXPECT_EQ(Scalar(QStringLiteral("select meno from c_clenov where jedin = 2")).toString(), QStringLiteral("Ľudmila"));
  EXPECT_EQ(form.gr22->ColumnCount(), 0);

  // Data definition is committed too, so the new table can be used at once.
  Write(form, QStringLiteral("create table ZZ_KONZOLA (id integer)"));
  form.btnExecSQLClick();
  EXPECT_EQ(Status(form), statementDone);
  Write(form, QStringLiteral("insert into ZZ_KONZOLA values (7)"));
  form.btnExecSQLClick();
  EXPECT_EQ(Scalar(QStringLiteral("select id from ZZ_KONZOLA")).toInt(), 7);
  SaveScreenshot(&form, QStringLiteral("servis-sql-editor"));
}

// A statement the server or the database layer refuses is the
// administrator's input: its message shows in the status line and in one
// message, its work is rolled back and nothing goes further.
TEST_F(ServisSqlConsoleTest, ARefusedStatementShowsItsMessageAndRaisesNothing) {
  AddMembers();
  const struct {
    const char* sql;
    const char* message;
  } cases[] = {
      {"selec * from c_clenov", "Token unknown"},
      {"select * from neexistuje", "NEEXISTUJE"},
      {"insert into c_clenov (jedin, meno, priezvisko) values (1, 'Ján', 'Kováč')", "PK_C_CLENOV"},
      {"select * from c_clenov where jedin = ?", "(?)"},
      {"select '\u4e2d' from rdb$database", "nie je možné poslať"},
      {"commit", "riadi transakciu"},
  };
  TfrmServis& form = Console();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sql);
    const qsizetype shown = Messages().size();
    Write(form, QString::fromUtf8(c.sql));
    EXPECT_NO_THROW(form.btnExecSQLClick());
    EXPECT_TRUE(Status(form).startsWith(statementFailed)) << Status(form).toStdString();
    EXPECT_TRUE(Status(form).contains(QString::fromUtf8(c.message))) << Status(form).toStdString();
    ASSERT_EQ(Messages().size(), shown + 1);
    EXPECT_TRUE(Messages().last().contains(QString::fromUtf8(c.message))) << Messages().last().toStdString();
    EXPECT_TRUE(form.btnExecSQL->isEnabled());
  }
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from c_clenov")).toInt(), 2);
}

// Ctrl+Enter runs the statement and leaves the text as it was; on a blank
// console, whose execute button is disabled, it does nothing.
TEST_F(ServisSqlConsoleTest, CtrlEnterRunsTheStatementOnlyWhenThereIsOne) {
  TfrmServis& form = Console();
  for (const QString& blank : {QString(), QStringLiteral("  \r\n\t ")}) {
    Write(form, blank);
    EXPECT_FALSE(form.btnExecSQL->isEnabled());
    QTest::keyClick(form.e21, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Status(form), QString());
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(form.e21->Text(), blank);
  }
  const QString statement = QStringLiteral("select count(*) as pocet from c_clenov");
  Write(form, statement);
  QTest::keyClick(form.e21, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(Status(form), statementDone);
  EXPECT_EQ(ResultTitles(form), QStringList{QStringLiteral("POCET")});
  EXPECT_EQ(form.e21->Text(), statement);
  // Enter alone is a line break.
  QTest::keyClick(form.e21, Qt::Key_Return);
  EXPECT_NE(form.e21->Text(), statement);
}

TEST_F(ServisSqlConsoleTest, TheTableListFollowsItsTwoCheckBoxes) {
  Exec(QStringLiteral("create view ZZ_POHLAD as select jedin from c_clenov"));
  TfrmServis& form = Console();
  const struct { bool system, views; } combinations[] = {{false, false}, {false, true}, {true, false}, {true, true}};
  for (const auto& c : combinations) {
    SCOPED_TRACE(testing::Message() << "system " << c.system << ", views " << c.views);
    form.e24->setChecked(c.system);
    form.e25->setChecked(c.views);
    form.e24Click();
    const QStringList tables = ListedTables(form);
    EXPECT_TRUE(tables.contains(QStringLiteral("C_CLENOV")));
    EXPECT_EQ(tables.contains(QStringLiteral("RDB$RELATIONS")), c.system);
    EXPECT_EQ(tables.contains(QStringLiteral("ZZ_POHLAD")), c.views);
    QStringList sorted = tables;
    sorted.sort();
    EXPECT_EQ(tables, sorted);
    // The list's transaction stays open until the next statement.
    EXPECT_TRUE(form.ibt1->InTransaction());
  }
  // The check boxes reload the list themselves.
  form.e25->setChecked(true);
  form.e24->click();
  EXPECT_FALSE(ListedTables(form).contains(QStringLiteral("RDB$RELATIONS")));
  form.e25->click();
  EXPECT_FALSE(ListedTables(form).contains(QStringLiteral("ZZ_POHLAD")));
}

TEST_F(ServisSqlConsoleTest, ADoubleClickOnATableShowsItsRows) {
  AddMembers();
  Exec(QStringLiteral("create table \"ryby 2\" (id integer, \"Názov\" varchar(20))"));
  Exec(QStringLiteral("insert into \"ryby 2\" values (5, 'Šťuka')"));
  TfrmServis& form = Console();
  ASSERT_TRUE(form.md23->Locate(QStringLiteral("TABULKA"), QStringLiteral("C_CLENOV"), loPartialKey));
  form.gr23DblClick();
  EXPECT_EQ(form.e21->Text(), QStringLiteral("select * from C_CLENOV"));
  EXPECT_EQ(Status(form), statementDone);
  EXPECT_EQ(form.gr22->model()->rowCount(), 2);

  ASSERT_TRUE(form.md23->Locate(QStringLiteral("TABULKA"), QStringLiteral("ryby 2"), loPartialKey));
  emit form.gr23->OnClickEnter();
  EXPECT_EQ(form.e21->Text(), QStringLiteral("select * from \"ryby 2\""));
  EXPECT_EQ(ResultTitles(form), QStringList({QStringLiteral("ID"), QStringLiteral("Názov")}));
  EXPECT_EQ(ResultCell(form, 0, 1), QStringLiteral("Šťuka"));

  // A reserved word is a name only in quotes.
  Exec(QStringLiteral("create table \"ORDER\" (id integer)"));
  form.e24Click();
  ASSERT_TRUE(form.md23->Locate(QStringLiteral("TABULKA"), QStringLiteral("ORDER"), loPartialKey));
  form.gr23DblClick();
  EXPECT_EQ(form.e21->Text(), QStringLiteral("select * from \"ORDER\""));
  EXPECT_EQ(Status(form), statementDone);
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(ServisSqlConsoleTest, TableNamesAreQuotedWhereTheyNeedIt) {
  const struct {
    const char* name;
    const char* written;
  } cases[] = {{"C_CLENOV", "C_CLENOV"}, {"RDB$RELATIONS", "RDB$RELATIONS"},
               {"ryby", "\"ryby\""},     {"RYBY 2", "\"RYBY 2\""},
               {"2RYBY", "\"2RYBY\""},   {"A\"B", "\"A\"\"B\""},
               {"ORDER", "\"ORDER\""},   {"USER", "\"USER\""}};
  for (const auto& c : cases)
    EXPECT_EQ(TfrmServis::TableReference(QString::fromUtf8(c.name)), QString::fromUtf8(c.written)) << c.name;
}

// Leaving the page empties the result grid; coming back reloads the table list.
TEST_F(ServisSqlConsoleTest, TheResultGridIsBoundOnlyWhileThePageIsShown) {
  AddMembers();
  TfrmServis& form = Console();
  Write(form, QStringLiteral("select * from c_clenov"));
  form.btnExecSQLClick();
  EXPECT_GT(form.gr22->ColumnCount(), 0);
  form.pc1->setCurrentIndex(0);
  EXPECT_EQ(form.gr22->DataSet(), nullptr);
  EXPECT_EQ(form.gr22->model()->rowCount(), 0);
  Exec(QStringLiteral("create table ZZ_NOVA (id integer)"));
  form.pc1->setCurrentIndex(1);
  EXPECT_EQ(form.gr22->model()->rowCount(), 0);
  EXPECT_TRUE(ListedTables(form).contains(QStringLiteral("ZZ_NOVA")));
}

TEST_F(ServisSqlConsoleTest, TheTextComesBackOnReopening) {
  const QString text = QStringLiteral("select *\r\n  from c_clenov -- členovia\r\nwhere meno = 'Ľuboš'");
  Write(Console(), text);
  TfrmServis& reopened = Console();
  EXPECT_EQ(reopened.e21->Text(), text);
  EXPECT_TRUE(reopened.btnExecSQL->isEnabled());
  Write(reopened, QString());
  EXPECT_EQ(Console().e21->Text(), QString());
  EXPECT_FALSE(form_->btnExecSQL->isEnabled());
}

// A long text is kept out of the settings store, which every setting's write
// rewrites whole; the text still comes back, and a text an older version kept
// in the store is still read.
TEST_F(ServisSqlConsoleTest, ALongTextIsStoredBesideTheSettings) {
  QString text;
  for (int i = 0; text.size() < 2 * 1024 * 1024; ++i)
    text += QStringLiteral("select jedin from c_clenov where mesto = 'Žilina %1'\r\n").arg(i);
  text.chop(2);
  TfrmServis& form = Console();
  Write(form, text);
  const QString shown = form.e21->Text();
  const QString section = form.fp->Section();
  EXPECT_EQ(Console().e21->Text(), shown);
  form_.reset();
  const QFileInfo store(TRegistry::RootFilePath(TRegRoot::CurrentUser));
  ASSERT_TRUE(store.exists());
  EXPECT_LT(store.size(), 64 * 1024);

  // An older version's text in the store, and no file of ours.
  ASSERT_TRUE(QFile::remove(store.dir().filePath(QStringLiteral("sql-console.sql"))));
  const QString older = QStringLiteral("select 'staré' from rdb$database");
  {
    TUxFormPlacement placement(nullptr);
    placement.SetUseRegistry(true);
    placement.SetIniSection(section);
    placement.WriteString(QStringLiteral("SQLCommand"), older);
  }
  EXPECT_EQ(Console().e21->Text(), older);
  form_.reset(); // now in the file, and out of the store
  EXPECT_EQ(Console().e21->Text(), older);
}

// The gutter widens as the line count grows, so no line number is cut.
TEST_F(ServisSqlConsoleTest, TheGutterWidensForLongerLineNumbers) {
  TfrmServis& form = Console();
  Write(form, QStringLiteral("select 1\r\nfrom rdb$database"));
  const int narrow = form.e21->GutterPixelWidth();
  EXPECT_EQ(form.e21->Gutter().LineNumberText(2), QStringLiteral(" 2"));
  Write(form, QStringLiteral("x\r\n").repeated(41538) + QStringLiteral("x"));
  ASSERT_EQ(form.e21->Lines().Count(), 41539);
  EXPECT_EQ(form.e21->Gutter().LineNumberText(41539), QStringLiteral("41539"));
  // Three more digit places, each as wide as the others.
  const int wider = form.e21->GutterPixelWidth() - narrow;
  EXPECT_GT(wider, 0);
  EXPECT_EQ(wider % 3, 0);
  Write(form, QStringLiteral("x"));
  EXPECT_EQ(form.e21->GutterPixelWidth(), narrow);
}

TEST_F(ServisSqlConsoleTest, F4InEitherGridFocusesTheConsoleAndScreenReadersReadIt) {
  TfrmServis& form = Console();
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  for (TDbGridQPL* grid : {form.gr22, form.gr23}) {
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_TRUE(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_F4);
    EXPECT_TRUE(form.e21->hasFocus());
  }
  Write(form, QStringLiteral("select 1\r\nfrom rdb$database"));
  form.e21->EmSetSel(10, 14);
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(form.e21);
  ASSERT_NE(accessible, nullptr);
  QAccessibleTextInterface* text = accessible->textInterface();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text(0, text->characterCount()), QStringLiteral("select 1\r\nfrom rdb$database"));
  int start = -1, end = -1;
  text->selection(0, &start, &end);
  EXPECT_EQ(text->text(start, end), QStringLiteral("from"));
}

// The console keeps the standard key bindings but for context help, which is
// on Ctrl+F1.
TEST_F(ServisSqlConsoleTest, ContextHelpIsOnCtrlF1) {
  TfrmServis& form = Console();
  QStringList asked;
  form.e21->OnContextHelp = [&asked](TCustomCodeEdit*, const QString& word) { asked << word; };
  Write(form, QStringLiteral("select x"));
  form.e21->MoveCaretCollapsing({3, 1});
  QTest::keyClick(form.e21, Qt::Key_F1);
  EXPECT_TRUE(asked.isEmpty());
  QTest::keyClick(form.e21, Qt::Key_F1, Qt::ControlModifier);
  EXPECT_EQ(asked, QStringList{QStringLiteral("select")});
  EXPECT_EQ(form.e21->Text(), QStringLiteral("select x"));
}

} // namespace
