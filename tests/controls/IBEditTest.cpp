#include "controls/IBEdit.h"
#include "KitTestSupport.h"
#include "controls/QPLBtn.h"
#include "core/Exception.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "tests/support/FreshDatabase.h"
#include <QtCore/QFile>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtTest/QSignalSpy>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QToolButton>

namespace {

const QString k1004 =
    QStringLiteral("Hlásenie #1004\r\n\r\nTakáto položka už existuje!\r\nDuplicity nie sú povolené.\r\n");

struct FilterCase {
  bool onlyNumbers, withDecimals;
  const char* onlyTheseChars;
  const char* keys;
  const char* expected;
};

class TextEditFilters : public testing::TestWithParam<FilterCase> {};

TEST_P(TextEditFilters, DropKeysThatDoNotFit) {
  const FilterCase& c = GetParam();
  TIBEdit edit;
  edit.SetOnlyNumbers(c.onlyNumbers);
  edit.SetWithDecimals(c.withDecimals);
  edit.SetOnlyTheseChars(QString::fromUtf8(c.onlyTheseChars));
  TypeText(&edit, QString::fromUtf8(c.keys));
  EXPECT_EQ(edit.text(), QString::fromUtf8(c.expected)) << c.keys;
}

INSTANTIATE_TEST_SUITE_P(Table, TextEditFilters,
                         testing::Values(FilterCase{false, false, "", "Čierny Peter/2", "Čierny Peter/2"},
                                         FilterCase{true, false, "", "a1b2 3", "123"},
                                         FilterCase{true, false, "", "1,5.2", "152"},
                                         FilterCase{true, true, "", "1.5", "1,5"},
                                         FilterCase{true, true, "", "1,5,3.2", "1,532"},
                                         FilterCase{false, false, "ABC", "AxB/Cc", "AB/C"}));

TEST(TextEdit, PastedTextIsNotFiltered) {
  TIBEdit edit;
  edit.SetOnlyNumbers(true);
  QGuiApplication::clipboard()->setText(QStringLiteral("x1"));
  QTest::keySequence(&edit, QKeySequence::Paste);
  EXPECT_EQ(edit.text(), QStringLiteral("x1"));
}

class TextEditTest : public KitDialogTest {
protected:
  void SetUp() override {
    edit = Add<TIBEdit>(QStringLiteral("ed1"));
    next = Add<QLineEdit>(QStringLiteral("next"));
    cancel = Add<TQPLBtn>(QStringLiteral("btnNezapis"));
    cancel->SetCancel(true);
    Show();
    Focus(edit);
  }
  TIBEdit* edit;
  QLineEdit* next;
  TQPLBtn* cancel;
};

struct EditCheckCase {
  bool required;
  int minLength;
  const char* text;
  const char* message; // empty: accepted
};

class TextEditChecks : public TextEditTest, public testing::WithParamInterface<EditCheckCase> {};

TEST_P(TextEditChecks, RefuseAndKeepTheFocus) {
  const EditCheckCase& c = GetParam();
  edit->SetRequired(c.required);
  edit->SetMinLength(c.minLength);
  edit->setText(QString::fromUtf8(c.text));
  QSignalSpy exits(edit, &TIBEdit::OnExit);
  QTest::keyClick(edit, Qt::Key_Tab);
  const QString message = QString::fromUtf8(c.message);
  EXPECT_EQ(Messages(), message.isEmpty() ? QStringList() : QStringList{message});
  EXPECT_EQ(edit->hasFocus(), !message.isEmpty());
  EXPECT_EQ(exits.count(), message.isEmpty() ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextEditChecks,
    testing::Values(EditCheckCase{true, 0, "", "Hlásenie #1001\r\n\r\nPovinný údaj. Položka musí byť zadaná!\r\n"},
                    EditCheckCase{true, 0, "   ", "Hlásenie #1001\r\n\r\nPovinný údaj. Položka musí byť zadaná!\r\n"},
                    EditCheckCase{true, 0, "x", ""}, EditCheckCase{false, 0, "", ""},
                    EditCheckCase{false, 3, " ab ", "Zadajte minimálne 3 znakov"}, EditCheckCase{false, 3, "abc", ""},
                    EditCheckCase{false, 3, "  ", ""},
                    EditCheckCase{true, 3, "", "Hlásenie #1001\r\n\r\nPovinný údaj. Položka musí byť zadaná!\r\n"}));

TEST_F(TextEditTest, ReadOnlyHiddenOrDisabledEditsAreNotRefused) {
  edit->SetRequired(true);
  const std::function<void()> states[] = {[this] { edit->SetReadOnly(true); }, [this] { edit->hide(); },
                                          [this] { edit->setEnabled(false); }};
  for (const auto& state : states) {
    edit->SetReadOnly(false);
    edit->show();
    edit->setEnabled(true);
    state();
    EXPECT_FALSE(edit->ValidationFailed());
  }
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(TextEditTest, CancelButtonSkipsTheCheckAndOnExit) {
  edit->SetRequired(true);
  QSignalSpy exits(edit, &TIBEdit::OnExit);
  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_TRUE(cancel->hasFocus());
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(exits.count(), 0);
}

TEST_F(TextEditTest, ARefusalKeepsTheFocusFromAClickedButton) {
  auto* ok = Add<TQPLBtn>(QStringLiteral("btnZapis"));
  ok->show();
  edit->SetRequired(true);
  QSignalSpy clicks(ok, &QAbstractButton::clicked);
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(Messages(), QStringList{kRequiredMessage1001});
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_EQ(clicks.count(), 0);
  edit->setText(QStringLiteral("x"));
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(TextEditTest, TheControlThatWasToGetTheFocusIsNotChecked) {
  // Two required edits in a row: only the one left is refused; the next one,
  // which never got the focus, keeps its colour and shows nothing.
  auto* second = new TIBEdit(&dialog);
  second->setObjectName(QStringLiteral("ed2"));
  second->SetRequired(true);
  QWidget::setTabOrder(edit, second);
  second->show();
  edit->SetRequired(true);
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_EQ(Messages(), QStringList{kRequiredMessage1001});
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_EQ(second->Color(), clYellow);
}

TEST_F(TextEditTest, EnterMovesOnAndARefusalComesBack) {
  Focus(next);
  edit->SetRequired(true);
  Focus(edit);
  QSignalSpy clickEnter(edit, &TIBEdit::OnClickEnter);
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(clickEnter.count(), 1);
  EXPECT_EQ(Messages(), QStringList{kRequiredMessage1001});
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_EQ(edit->Color(), TColor(0xFFD900));

  TypeText(edit, QStringLiteral("Novák"));
  QTest::keyClick(edit, Qt::Key_Enter);
  EXPECT_TRUE(next->hasFocus());
  EXPECT_EQ(edit->Color(), clYellow);
  EXPECT_EQ(clickEnter.count(), 2);
}

TEST_F(TextEditTest, CtrlEnterStays) {
  QSignalSpy ctrlEnter(edit, &TIBEdit::OnCtrlEnter);
  QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(ctrlEnter.count(), 1);
  EXPECT_TRUE(edit->hasFocus());
}

TEST_F(TextEditTest, ColoursFollowTheState) {
  EXPECT_EQ(edit->Color(), clAqua);
  edit->setText(QStringLiteral("abc"));
  Focus(next);
  EXPECT_EQ(edit->Color(), clWindow);
  edit->SetRequired(true);
  EXPECT_EQ(edit->Color(), clYellow);
  Focus(edit);
  EXPECT_EQ(edit->Color(), TColor(0xFFD900));
  EXPECT_EQ(edit->selectedText(), QStringLiteral("abc"));
  edit->SetReadOnly(true);
  EXPECT_EQ(edit->Color(), clBtnFace);
  EXPECT_EQ(edit->focusPolicy() & Qt::TabFocus, 0);
}

TEST_F(TextEditTest, ButtonFiresOnlyWhenVisibleAndWritable) {
  QSignalSpy clicks(edit, &TIBEdit::OnButtonClick);
  edit->SetButtonVisible(true);
  EXPECT_TRUE(edit->Button()->isVisible());
  EXPECT_EQ(edit->Button()->geometry(), QRect(edit->width() - 20, 0, 16, edit->height() - 4));
  EXPECT_EQ(edit->textMargins().right(), 18);
  QTest::mouseClick(edit->Button(), Qt::LeftButton);
  QTest::mouseDClick(edit, Qt::LeftButton);
  EXPECT_EQ(clicks.count(), 2);
  edit->SetReadOnly(true);
  EXPECT_FALSE(edit->Button()->isVisible());
  QTest::mouseDClick(edit, Qt::LeftButton);
  EXPECT_EQ(clicks.count(), 2);
  EXPECT_EQ(edit->height(), 21);
}

// ---------------------------------------------------------------- uniqueness

void RunStatements(TIBDatabase& database, const QStringList& statements) {
  TIBTransaction transaction(&database);
  transaction.StartTransaction();
  for (const QString& sql : statements) {
    TIBQuery query;
    query.SetDatabase(&database);
    query.SetTransaction(&transaction);
    query.SetSQL(sql);
    query.ExecSQL();
  }
  transaction.Commit();
}

// The base script's search folding, as the program's database has it.
QString FoldingFunction() {
  QFile script(qEnvironmentVariable("VIMEK_SOURCE_DIR", QStringLiteral(".")) + QStringLiteral("/schema/base.sql"));
  if (!script.open(QIODevice::ReadOnly)) return {};
  const QString text = QString::fromUtf8(script.readAll());
  const qsizetype start = text.indexOf(QStringLiteral("CREATE FUNCTION UPPERQPL2"));
  const qsizetype end = text.indexOf(QStringLiteral("END^"), start);
  return start < 0 || end < 0 ? QString() : text.mid(start, end + 3 - start);
}

void MakeNamesDatabase(const QString& path) {
  FreshDatabase::MakeEmptyDatabase(path);
  TIBDatabase database;
  database.SetDatabaseName(path);
  database.Open();
  RunStatements(database, {FoldingFunction()});
  RunStatements(database,
                {QStringLiteral("CREATE TABLE REVIRY (JEDIN INTEGER, NAZOV VARCHAR(50) CHARACTER SET WIN1250, "
                                "NAZOV_X VARCHAR(50), CISLO INTEGER, ROK INTEGER)")});
  RunStatements(database, {QStringLiteral("INSERT INTO REVIRY VALUES (1, 'Čierna voda', 'CIERNA VODA', 101, 2024)"),
                           QStringLiteral("INSERT INTO REVIRY VALUES (2, 'O''Brien', 'O''BRIEN', 102, 2024)"),
                           QStringLiteral("INSERT INTO REVIRY VALUES (3, 'Dunaj', 'DUNAJ', 103, 2023)")});
}

struct UniqueCase {
  const char* text;
  int key;
  bool bezDiakritiky, onlyNumbers;
  const char* additional;
  bool duplicate;
};

class TextEditUnique : public TextEditTest, public testing::WithParamInterface<UniqueCase> {
protected:
  void SetUp() override {
    TextEditTest::SetUp();
    if (FoldingFunction().isEmpty()) GTEST_SKIP() << "schema/base.sql not found (set VIMEK_SOURCE_DIR)";
    fresh = std::make_unique<FreshDatabase>(&MakeNamesDatabase);
    database = fresh->Connect();
  }
  std::unique_ptr<FreshDatabase> fresh;
  std::unique_ptr<TIBDatabase> database;
};

TEST_P(TextEditUnique, FindsAnotherRowWithTheName) {
  const UniqueCase& c = GetParam();
  edit->SetUniqueTest(true);
  edit->SetDatabase(database.get());
  edit->SetUTableName(QStringLiteral("REVIRY"));
  edit->SetUniqueColumn(QStringLiteral("JEDIN"));
  edit->SetUniqueColumnValue(c.key);
  edit->SetUTestColumn(QString::fromLatin1(c.onlyNumbers ? "CISLO" : "NAZOV"));
  edit->SetUBezDiakritiky(c.bezDiakritiky);
  edit->SetOnlyNumbers(c.onlyNumbers);
  edit->SetUAdditionalToWhere(QString::fromUtf8(c.additional));
  edit->setText(QString::fromUtf8(c.text));
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_EQ(Messages(), c.duplicate ? QStringList{k1004} : QStringList()) << c.text;
  EXPECT_EQ(edit->hasFocus(), c.duplicate);
  if (c.duplicate) {
    EXPECT_EQ(edit->selectedText(), edit->text());
  }
}

INSTANTIATE_TEST_SUITE_P(Table, TextEditUnique,
                         testing::Values(UniqueCase{"čierna VODA", 0, false, false, "", true},
                                         UniqueCase{"Čierna voda", 1, false, false, "", false},
                                         UniqueCase{"Cierna voda", 0, false, false, "", false},
                                         UniqueCase{"cierna voda", 0, true, false, "", true},
                                         UniqueCase{"Čierná vodá", 0, true, false, "", true},
                                         UniqueCase{"o'brien", 0, false, false, "", true},
                                         UniqueCase{"x' or 1=1 --", 0, false, false, "", false},
                                         UniqueCase{"Dunaj", 0, false, false, "and rok=2024", false},
                                         UniqueCase{"Dunaj", 0, false, false, "and rok=2023", true},
                                         UniqueCase{"102", 0, false, true, "", true},
                                         UniqueCase{"102", 2, false, true, "", false},
                                         UniqueCase{"1x2", 0, false, true, "", false},
                                         UniqueCase{"", 0, false, true, "", false}));

TEST_F(TextEditUnique, DatabaseErrorShowsTheStatementAndIsRaised) {
  edit->SetUniqueTest(true);
  edit->SetDatabase(database.get());
  edit->SetUTableName(QStringLiteral("NO_SUCH_TABLE"));
  edit->SetUniqueColumn(QStringLiteral("JEDIN"));
  edit->SetUTestColumn(QStringLiteral("NAZOV"));
  edit->setText(QStringLiteral("x"));
  EXPECT_THROW(edit->ValidationFailed(), Exception);
  ASSERT_EQ(Messages().size(), 2);
  EXPECT_EQ(Messages()[0], QStringLiteral("ed1: Error in \"IsUnique\" function"));
  EXPECT_EQ(Messages()[1], edit->UniqueStatement().Sql);
  EXPECT_FALSE(QApplication::overrideCursor());
}

} // namespace
