#include "EditorTestSupport.h"
#include "console/editor/CodeEdit.h"
#include "console/editor/text/CodeEditHighlighterSQL.h"
#include "tests/support/QStringPrinter.h"
#include <QtGui/QInputMethodEvent>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

// A key as QTest presses it.
struct Key {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier, kCtrl = Qt::ControlModifier;

void Press(TCodeEdit& edit, const std::vector<Key>& keys) {
  for (const Key& k : keys)
    QTest::keyClick(&edit, k.key, k.modifiers);
}

QString Lines(const TCodeEdit& edit) { return EditorLines(edit).join(u'|'); }

// One case of keys pressed on a text: the caret, the selection and the text
// afterwards ("|" separates lines).
struct KeyCase {
  const char* what;
  const char* text; // UTF-8
  TBufferCoord caret;
  std::vector<Key> keys;
  TBufferCoord expectedCaret;
  const char* expectedText = "";        // empty: unchanged
  TBufferCoord expectedAnchor = {0, 0}; // (0, 0): collapsed at the caret
  TCodeEditorOptions add = 0, remove = 0;
};

void RunKeyCases(const std::vector<KeyCase>& cases) {
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.what);
    TCodeEdit edit;
    ShowEditor(edit);
    edit.SetTabWidth(4);
    edit.SetOptions((edit.Options() | c.add) & ~c.remove);
    const QString text = QString::fromUtf8(c.text), expectedText = QString::fromUtf8(c.expectedText);
    edit.SetText(QString(text).replace(u'|', QStringLiteral("\r\n")));
    edit.MoveCaretCollapsing(c.caret);
    Press(edit, c.keys);
    EXPECT_EQ(edit.CaretPos(), c.expectedCaret);
    EXPECT_EQ(Lines(edit), expectedText.isEmpty() ? text : expectedText);
    const TBufferCoord anchor = c.expectedAnchor.Char == 0 ? c.expectedCaret : c.expectedAnchor;
    EXPECT_EQ(edit.SelectionAnchor(), anchor);
  }
}

const TCodeEditorOptions kPastEol = Opt(eoScrollPastEol);

TEST(CodeEditCommandsTest, CaretMovesByCharacterWordLineAndDocument) {
  RunKeyCases({
      {"right at a line end wraps", "ab|cd", {3, 1}, {{Qt::Key_Right}}, {1, 2}, {}, {0, 0}, 0, kPastEol},
      // The anchor of a selection stays within its line.
      {"right past the end with scrolling past it", "ab|cd", {3, 1}, {{Qt::Key_Right}}, {4, 1}, "", {3, 1}},
      {"left at a line start goes up", "ab|cd", {1, 2}, {{Qt::Key_Left}}, {3, 1}, {}, {0, 0}, 0, kPastEol},
      {"left at the start of line 1 stays", "ab|cd", {1, 1}, {{Qt::Key_Left}}, {1, 1}, {}, {0, 0}, 0, kPastEol},
      {"left with scrolling past the end stays on the line", "ab|cd", {1, 2}, {{Qt::Key_Left}}, {1, 2}},
      {"a character of two code units is one step", "a\U0001F600b", {2, 1}, {{Qt::Key_Right}}, {4, 1}},
      {"word right", "select a.b from t", {1, 1}, {{Qt::Key_Right, kCtrl}}, {8, 1}},
      {"word right over a word break", "select a.b from t", {8, 1}, {{Qt::Key_Right, kCtrl}}, {10, 1}},
      {"word left", "select a.b from t", {12, 1}, {{Qt::Key_Left, kCtrl}}, {10, 1}},
      {"word left to the word start", "select a.b from t", {14, 1}, {{Qt::Key_Left, kCtrl}}, {12, 1}},
      {"word right at the line end goes to the next line", "ab|  cd", {3, 1}, {{Qt::Key_Right, kCtrl}}, {3, 2}},
      {"selecting word right", "select a", {1, 1}, {{Qt::Key_Right, kCtrl | kShift}}, {8, 1}, {}, {1, 1}},
      {"home goes to the first non-blank",
       "    word",
       {7, 1},
       {{Qt::Key_Home}},
       {5, 1},
       {},
       {0, 0},
       Opt(eoEnhanceHomeKey)},
      {"home from the first non-blank goes to 1",
       "    word",
       {5, 1},
       {{Qt::Key_Home}},
       {1, 1},
       {},
       {0, 0},
       Opt(eoEnhanceHomeKey)},
      {"home from 1 goes back", "    word", {1, 1}, {{Qt::Key_Home}}, {5, 1}, {}, {0, 0}, Opt(eoEnhanceHomeKey)},
      {"home on blanks only toggles with the line end",
       "    ",
       {5, 1},
       {{Qt::Key_Home}, {Qt::Key_Home}},
       {5, 1},
       {},
       {0, 0},
       Opt(eoEnhanceHomeKey)},
      {"plain home", "    word", {7, 1}, {{Qt::Key_Home}}, {1, 1}},
      {"end stops after the last non-blank", "abc   ", {1, 1}, {{Qt::Key_End}}, {4, 1}},
      {"end from there goes to the line end", "abc   ", {4, 1}, {{Qt::Key_End}}, {7, 1}},
      {"editor top and bottom", "ab|cd|efg", {2, 2}, {{Qt::Key_End, kCtrl}}, {4, 3}},
      {"selecting to the editor top", "ab|cd|efg", {2, 2}, {{Qt::Key_Home, kCtrl | kShift}}, {1, 1}, {}, {2, 2}},
      {"down keeps the column", "abcdef|x|abcdef", {5, 1}, {{Qt::Key_Down}, {Qt::Key_Down}}, {5, 3}},
      {"down without scrolling past ends shortens",
       "abcdef|x|abcdef",
       {5, 1},
       {{Qt::Key_Down}, {Qt::Key_Down}},
       {2, 3},
       {},
       {0, 0},
       0,
       kPastEol},
      {"down with the kept column",
       "abcdef|x|abcdef",
       {5, 1},
       {{Qt::Key_Down}, {Qt::Key_Down}},
       {5, 3},
       {},
       {0, 0},
       Opt(eoKeepCaretX),
       kPastEol},
      {"selecting down from the last line keeps its row", "ab|cd", {2, 2}, {{Qt::Key_Down, kShift}}, {2, 2}},
      {"a tab's columns map to the tab", "\tx|abcdefgh", {5, 2}, {{Qt::Key_Up}}, {2, 1}},
  });
}

TEST(CodeEditCommandsTest, PagesMoveViewAndCaretTogether) {
  struct Case {
    TCodeEditorOptions add;
    int rows;
  };
  const Case cases[] = {{0, 20},
                        {Opt(eoHalfPageScroll), 10},
                        {Opt(eoScrollByOneLess), 19},
                        {Opt(eoHalfPageScroll) | Opt(eoScrollByOneLess), 9}};
  QStringList text;
  for (int i = 1; i <= 100; ++i)
    text << QStringLiteral("line %1").arg(i);
  for (const Case& c : cases) {
    TCodeEdit edit;
    ShowEditor(edit, 400, 10);
    edit.resize(400, 20 * edit.RowHeight());
    ASSERT_EQ(edit.VisibleRows(), 20);
    edit.SetOptions(edit.Options() | c.add);
    edit.SetText(text.join(QStringLiteral("\r\n")));
    edit.MoveCaretCollapsing({3, 5});
    QTest::keyClick(&edit, Qt::Key_PageDown);
    EXPECT_EQ(edit.TopRow(), 1 + c.rows) << c.rows;
    EXPECT_EQ(edit.CaretPos(), (TBufferCoord{3, 5 + c.rows}));
    QTest::keyClick(&edit, Qt::Key_PageUp);
    EXPECT_EQ(edit.TopRow(), 1);
    EXPECT_EQ(edit.CaretPos(), (TBufferCoord{3, 5}));
  }
}

TEST(CodeEditCommandsTest, CommandsReachTheEventsAndOnlyBuiltInOnesRun) {
  TCodeEdit edit;
  ShowEditor(edit);
  edit.SetText(QStringLiteral("select 1"));
  QStringList seen;
  edit.OnProcessUserCommand = [&](TCustomCodeEdit*, TCodeEditorCommand& command, QChar&, const void*) {
    seen << QStringLiteral("user %1").arg(command);
  };
  edit.OnCommandProcessed = [&](TCustomCodeEdit*, TCodeEditorCommand& command, QChar&, const void*) {
    seen << QStringLiteral("done %1").arg(command);
  };
  edit.ProcessCommand(TCodeEditorCommand(ecUserFirst + 4));
  edit.ProcessCommand(ecGotoXY); // no position: nothing
  EXPECT_EQ(edit.CaretPos(), (TBufferCoord{1, 1}));
  const int hook = edit.AddCommandHook(
      [](TCustomCodeEdit*, bool after, bool& handled, TCodeEditorCommand& command, QChar&, const void*, void*) {
        if (!after && command == ecDeleteChar) handled = true;
      },
      nullptr);
  edit.ProcessCommand(ecDeleteChar);
  EXPECT_EQ(edit.Text(), QStringLiteral("select 1"));
  EXPECT_EQ(seen, (QStringList{QStringLiteral("user 1005"), QStringLiteral("done 1005"), QStringLiteral("done 17"),
                               QStringLiteral("done 0")}));
  edit.RemoveCommandHook(hook);
  edit.ProcessCommand(ecDeleteChar);
  EXPECT_EQ(edit.Text(), QStringLiteral("elect 1"));
  // A read-only editor moves, but does not change its text.
  edit.SetReadOnly(true);
  Press(edit, {{Qt::Key_Right}, {Qt::Key_X}, {Qt::Key_Delete}, {Qt::Key_Z, kCtrl}});
  EXPECT_EQ(edit.Text(), QStringLiteral("elect 1"));
  EXPECT_EQ(edit.CaretChar(), 2);
}

TEST(CodeEditCommandsTest, TwoKeyBindingsWaitForTheirSecondKey) {
  TCodeEdit edit;
  ShowEditor(edit);
  edit.SetText(QStringLiteral("abc"));
  TCodeEditKeyStroke& chord = edit.Keystrokes().Add();
  chord.SetCommand(ecEditorBottom);
  chord.SetShortCut(ShortCut(vk::Char('Q'), ssCtrl));
  chord.SetShortCut2(ShortCut(vk::Char('E'), 0));
  QTest::keyClick(&edit, Qt::Key_Q, kCtrl); // no command yet, and nothing typed
  EXPECT_EQ(edit.Text(), QStringLiteral("abc"));
  QTest::keyClick(&edit, Qt::Key_E);
  EXPECT_EQ(edit.Text(), QStringLiteral("abc"));
  EXPECT_EQ(edit.CaretPos(), (TBufferCoord{4, 1}));
  QTest::keyClick(&edit, Qt::Key_E); // without its first key, a plain letter
  EXPECT_EQ(edit.Text(), QStringLiteral("abce"));
}

TEST(CodeEditCommandsTest, BracketsMatchSkippingStringsAndComments) {
  TCodeSQLHighlighter hl;
  hl.SetSQLDialect(sqlSybase);
  struct Case {
    const char* what;
    QString text;
    TBufferCoord from;
    TBufferCoord match;
  };
  const Case cases[] = {
      {"forward", QStringLiteral("(a (b) c)"), {1, 1}, {9, 1}},
      {"backward", QStringLiteral("(a (b) c)"), {6, 1}, {4, 1}},
      {"across lines", QStringLiteral("f(1,\r\n  g(2))"), {2, 1}, {7, 2}},
      {"a bracket in a string is skipped", QStringLiteral("f(')', x)"), {2, 1}, {9, 1}},
      {"a bracket in a comment is skipped", QStringLiteral("f( /* ) */\r\n x)"), {2, 1}, {3, 2}},
      {"from a string no partner is found inside it", QStringLiteral("'(x)' y"), {2, 1}, {0, 0}},
      {"no bracket under the caret", QStringLiteral("(a)"), {2, 1}, {0, 0}},
      {"no partner", QStringLiteral("((a)"), {1, 1}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TCodeEdit edit;
    ShowEditor(edit);
    edit.SetHighlighter(&hl);
    edit.SetText(c.text);
    edit.MoveCaretCollapsing(c.from);
    EXPECT_EQ(edit.MatchingBracket(), c.match);
    QTest::keyClick(&edit, Qt::Key_B, kCtrl | kShift);
    EXPECT_EQ(edit.CaretPos(), c.match.Char == 0 ? c.from : c.match);
  }
}

TEST(CodeEditCommandsTest, EditingCommandsChangeTextAndCaret) {
  const TCodeEditorOptions noAutoIndent = Opt(eoAutoIndent), noSmartDelete = Opt(eoSmartTabDelete);
  RunKeyCases({
      {"typing inserts", "ac", {2, 1}, {{Qt::Key_B}}, {3, 1}, "abc"},
      {"typing past the line end fills with blanks", "ab", {5, 1}, {{Qt::Key_X}}, {6, 1}, "ab  x"},
      {"backspace after eight blanks below four goes back to four",
       "    x|        y",
       {9, 2},
       {{Qt::Key_Backspace}},
       {5, 2},
       "    x|    y"},
      {"backspace below an unindented line takes all", "x|        y", {9, 2}, {{Qt::Key_Backspace}}, {1, 2}, "x|y"},
      {"backspace without smart deletion goes to the tab stop",
       "x|      y",
       {7, 2},
       {{Qt::Key_Backspace}},
       {5, 2},
       "x|    y",
       {0, 0},
       0,
       noSmartDelete},
      {"backspace without auto indent takes one",
       "x|        y",
       {9, 2},
       {{Qt::Key_Backspace}},
       {8, 2},
       "x|       y",
       {0, 0},
       0,
       noAutoIndent},
      {"backspace at a line start joins", "ab|cd", {1, 2}, {{Qt::Key_Backspace}}, {3, 1}, "abcd"},
      {"backspace takes a character of two code units", "a\U0001F600", {4, 1}, {{Qt::Key_Backspace}}, {2, 1}, "a"},
      {"delete at the line end joins", "ab|cd", {3, 1}, {{Qt::Key_Delete}}, {3, 1}, "abcd"},
      {"delete past the end of the last line does nothing", "ab", {5, 1}, {{Qt::Key_Delete}}, {5, 1}},
      {"enter keeps the indentation", "    abc def", {9, 1}, {{Qt::Key_Return}}, {5, 2}, "    abc |    def"},
      {"enter builds the indentation from tabs",
       "        abc def",
       {13, 1},
       {{Qt::Key_Return}},
       {3, 2},
       "        abc |\t\tdef",
       {0, 0},
       0,
       Opt(eoTabsToSpaces)},
      {"enter without auto indent",
       "    abc def",
       {9, 1},
       {{Qt::Key_Return}},
       {1, 2},
       "    abc |def",
       {0, 0},
       0,
       noAutoIndent},
      {"insert line leaves the caret", "abc", {2, 1}, {{Qt::Key_N, kCtrl}}, {2, 1}, "a|bc"},
      {"tab to spaces from character 3", "ab", {3, 1}, {{Qt::Key_Tab}}, {5, 1}, "ab  ", {0, 0}, 0, Opt(eoSmartTabs)},
      {"smart tab to the next word above", "word  second|x", {1, 2}, {{Qt::Key_Tab}}, {7, 2}, "word  second|      x"},
      {"tab without tabs to spaces",
       "ab",
       {3, 1},
       {{Qt::Key_Tab}},
       {4, 1},
       "ab\t",
       {0, 0},
       0,
       Opt(eoTabsToSpaces) | Opt(eoSmartTabs)},
      {"shift+tab after a tab takes the tab", "\tab", {2, 1}, {{Qt::Key_Backtab, kShift}}, {1, 1}, "ab"},
      {"shift+tab after three spaces past a stop", "    x   y", {9, 1}, {{Qt::Key_Backtab, kShift}}, {6, 1}, "    xy"},
      {"shift+tab never takes text", "where x", {6, 1}, {{Qt::Key_Backtab, kShift}}, {6, 1}},
      {"ctrl+t deletes a word and its blanks", "one two", {1, 1}, {{Qt::Key_T, kCtrl}}, {1, 1}, "two"},
      {"ctrl+backspace deletes the last word", "one two", {8, 1}, {{Qt::Key_Backspace, kCtrl}}, {5, 1}, "one "},
      {"ctrl+shift+y deletes to the line end", "one two", {4, 1}, {{Qt::Key_Y, kCtrl | kShift}}, {4, 1}, "one"},
      {"ctrl+y deletes the line", "a|b|c", {1, 2}, {{Qt::Key_Y, kCtrl}}, {1, 2}, "a|c"},
      {"ctrl+y on the last line empties it", "a|b", {1, 2}, {{Qt::Key_Y, kCtrl}}, {1, 2}, "a|"},
  });
}

TEST(CodeEditCommandsTest, OverwriteTypesOverTheLineAndInsertsPastItsEnd) {
  TCodeEdit edit;
  ShowEditor(edit);
  edit.SetText(QStringLiteral("abc\r\nxyz"));
  QTest::keyClick(&edit, Qt::Key_Insert);
  ASSERT_FALSE(edit.InsertMode());
  edit.MoveCaretCollapsing({2, 1});
  QTest::keyClicks(&edit, QStringLiteral("QR"));
  EXPECT_EQ(Lines(edit), QStringLiteral("aQR|xyz"));
  edit.Undo(); // one character per step: deletions and insertions alternate
  EXPECT_EQ(Lines(edit), QStringLiteral("aQc|xyz"));
  edit.Redo();
  QTest::keyClicks(&edit, QStringLiteral("S")); // at the line end: appended
  EXPECT_EQ(Lines(edit), QStringLiteral("aQRS|xyz"));
  edit.MoveCaretCollapsing({7, 1}); // past the end: the next line is left alone
  QTest::keyClicks(&edit, QStringLiteral("T"));
  EXPECT_EQ(Lines(edit), QStringLiteral("aQRS  T|xyz"));
}

TEST(CodeEditCommandsTest, InputMethodStringsInsertOrOverwrite) {
  for (const bool insert : {true, false}) {
    TCodeEdit edit;
    ShowEditor(edit);
    edit.SetText(QStringLiteral("abcd"));
    edit.SetInsertMode(insert);
    edit.MoveCaretCollapsing({2, 1});
    QInputMethodEvent preedit(QStringLiteral("ž"), {});
    QCoreApplication::sendEvent(&edit, &preedit);
    EXPECT_EQ(edit.PreeditText(), QStringLiteral("ž"));
    EXPECT_EQ(edit.Text(), QStringLiteral("abcd"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("žľ"));
    QCoreApplication::sendEvent(&edit, &commit);
    EXPECT_EQ(edit.Text(), insert ? QStringLiteral("ažľbcd") : QStringLiteral("ažľd"));
    EXPECT_EQ(edit.CaretPos(), (TBufferCoord{4, 1}));
    EXPECT_EQ(edit.PreeditText(), QString());
    edit.Undo();
    EXPECT_EQ(edit.Text(), QStringLiteral("abcd"));
    edit.Redo();
    EXPECT_EQ(edit.Text(), insert ? QStringLiteral("ažľbcd") : QStringLiteral("ažľd"));
  }
}

TEST(CodeEditCommandsTest, BlockIndentAndUnindentOneStepEach) {
  TCodeEdit edit;
  ShowEditor(edit);
  edit.SetTabWidth(4);
  edit.SetText(QStringLiteral("a\r\nb\r\nc"));
  edit.PlaceCaretAndSelection({2, 2}, {1, 1}, {2, 2});
  QTest::keyClick(&edit, Qt::Key_I, kCtrl | kShift);
  EXPECT_EQ(Lines(edit), QStringLiteral("    a|    b|c"));
  EXPECT_EQ(edit.SelectionFirst(), (TBufferCoord{5, 1}));
  EXPECT_EQ(edit.SelectionLast(), (TBufferCoord{6, 2}));
  QTest::keyClick(&edit, Qt::Key_U, kCtrl | kShift);
  EXPECT_EQ(Lines(edit), QStringLiteral("a|b|c"));
  edit.Undo();
  EXPECT_EQ(Lines(edit), QStringLiteral("    a|    b|c"));
  edit.Undo();
  EXPECT_EQ(Lines(edit), QStringLiteral("a|b|c"));
  edit.Redo();
  EXPECT_EQ(Lines(edit), QStringLiteral("    a|    b|c"));
  EXPECT_TRUE(edit.HasSelection());
}

TEST(CodeEditCommandsTest, CaseCommands) {
  struct Case {
    const char* what;
    TCodeEditorCommand command;
    TBufferCoord caret;
    QString expected;
    TBufferCoord expectedCaret;
  };
  const Case cases[] = {
      {"upper case of the word", ecUpperCase, {3, 1}, QStringLiteral("SELECT ľščť x"), {3, 1}},
      {"on a blank: the word before", ecUpperCase, {7, 1}, QStringLiteral("SELECT ľščť x"), {7, 1}},
      {"lower case", ecLowerCase, {9, 1}, QStringLiteral("select ľščť x"), {9, 1}},
      {"toggle case", ecToggleCase, {9, 1}, QStringLiteral("select ĽŠČŤ x"), {9, 1}},
      {"title case", ecTitleCase, {9, 1}, QStringLiteral("select Ľščť x"), {9, 1}},
      {"a block command takes the next character", ecUpperCaseBlock, {8, 1}, QStringLiteral("select Ľščť x"), {9, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TCodeEdit edit;
    ShowEditor(edit);
    edit.SetText(QStringLiteral("select ľščť x"));
    edit.MoveCaretCollapsing(c.caret);
    edit.ProcessCommand(c.command);
    EXPECT_EQ(edit.Text(), c.expected);
    EXPECT_EQ(edit.CaretPos(), c.expectedCaret);
    edit.Undo();
    EXPECT_EQ(edit.Text(), QStringLiteral("select ľščť x"));
  }
}

TEST(CodeEditCommandsTest, BookmarksToggleMoveAndFollowDeletedLines) {
  TCodeEdit edit;
  ShowEditor(edit);
  edit.SetText(QStringLiteral("a\r\nb\r\nc\r\nd"));
  edit.MoveCaretCollapsing({1, 2});
  QTest::keyClick(&edit, Qt::Key_1, kCtrl | kShift);
  ASSERT_NE(edit.Bookmark(1), nullptr);
  EXPECT_EQ(edit.Bookmark(1)->Line(), 2);
  EXPECT_EQ(edit.Marks().Count(), 1);
  edit.MoveCaretCollapsing({1, 4});
  QTest::keyClick(&edit, Qt::Key_1, kCtrl);
  EXPECT_EQ(edit.CaretLine(), 2);
  // Deleting a line above moves the mark up with its line.
  edit.MoveCaretCollapsing({1, 1});
  QTest::keyClick(&edit, Qt::Key_Y, kCtrl);
  EXPECT_EQ(edit.Bookmark(1)->Line(), 1);
  // Deleting its own line leaves it on the line that comes up.
  QTest::keyClick(&edit, Qt::Key_Y, kCtrl);
  EXPECT_EQ(edit.Bookmark(1)->Line(), 1);
  EXPECT_EQ(Lines(edit), QStringLiteral("c|d"));
  // Pressed again on another line it moves; on its line it goes away.
  edit.MoveCaretCollapsing({1, 2});
  QTest::keyClick(&edit, Qt::Key_1, kCtrl | kShift);
  EXPECT_EQ(edit.Bookmark(1)->Line(), 2);
  QTest::keyClick(&edit, Qt::Key_1, kCtrl | kShift);
  EXPECT_EQ(edit.Bookmark(1), nullptr);
  EXPECT_EQ(edit.Marks().Count(), 0);
}

TEST(CodeEditCommandsTest, UndoAndRedoOfEveryKindOfChange) {
  struct Case {
    const char* what;
    std::function<void(TCodeEdit&)> change;
    QString changed;
  };
  const Case cases[] = {
      {"typing", [](TCodeEdit& e) { QTest::keyClicks(&e, QStringLiteral("xy")); }, QStringLiteral("xyabc|def")},
      {"line break", [](TCodeEdit& e) { QTest::keyClick(&e, Qt::Key_Return); }, QStringLiteral("|abc|def")},
      {"backspace joining lines",
       [](TCodeEdit& e) {
         e.MoveCaretCollapsing({1, 2});
         QTest::keyClick(&e, Qt::Key_Backspace);
       },
       QStringLiteral("abcdef")},
      {"delete", [](TCodeEdit& e) { QTest::keyClick(&e, Qt::Key_Delete); }, QStringLiteral("bc|def")},
      {"deleting a selection",
       [](TCodeEdit& e) {
         e.PlaceCaretAndSelection({2, 2}, {2, 1}, {2, 2});
         QTest::keyClick(&e, Qt::Key_Delete);
       },
       QStringLiteral("aef")},
      {"replacing a column block",
       [](TCodeEdit& e) {
         e.SetSelectionMode(smColumn);
         e.PlaceCaretAndSelection({3, 2}, {2, 1}, {3, 2});
         QTest::keyClick(&e, Qt::Key_X);
       },
       QStringLiteral("axc|df")},
      {"tab", [](TCodeEdit& e) { QTest::keyClick(&e, Qt::Key_Tab); }, QStringLiteral("        abc|def")},
      {"deleting a line", [](TCodeEdit& e) { QTest::keyClick(&e, Qt::Key_Y, kCtrl); }, QStringLiteral("def")},
      {"cut and paste",
       [](TCodeEdit& e) {
         e.PlaceCaretAndSelection({3, 1}, {1, 1}, {3, 1});
         e.ProcessCommand(ecCut);
         e.MoveCaretCollapsing({4, 2});
         e.ProcessCommand(ecPaste);
       },
       QStringLiteral("c|defab")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TCodeEdit edit;
    ShowEditor(edit);
    edit.SetOptions(edit.Options() & ~Opt(eoSmartTabs));
    edit.SetText(QStringLiteral("abc\r\ndef"));
    edit.SetModified(false);
    c.change(edit);
    EXPECT_EQ(Lines(edit), c.changed);
    EXPECT_TRUE(edit.Modified());
    while (edit.CanUndo())
      edit.Undo();
    EXPECT_EQ(Lines(edit), QStringLiteral("abc|def"));
    EXPECT_FALSE(edit.Modified());
    while (edit.CanRedo())
      edit.Redo();
    EXPECT_EQ(Lines(edit), c.changed);
  }
}

TEST(CodeEditCommandsTest, UndoStepsGroupTypingAndANewChangeForgetsTheRedo) {
  TCodeEdit edit;
  ShowEditor(edit);
  edit.SetText(QStringLiteral("x"));
  QTest::keyClicks(&edit, QStringLiteral("abc"));
  QTest::keyClick(&edit, Qt::Key_Right); // a move separates the runs
  QTest::keyClicks(&edit, QStringLiteral("de"));
  EXPECT_EQ(edit.Text(), QStringLiteral("abcxde"));
  edit.Undo();
  EXPECT_EQ(edit.Text(), QStringLiteral("abcx"));
  edit.Undo();
  EXPECT_EQ(edit.Text(), QStringLiteral("x"));
  EXPECT_FALSE(edit.CanUndo());
  edit.Redo();
  EXPECT_EQ(edit.Text(), QStringLiteral("abcx"));
  ASSERT_TRUE(edit.CanRedo());
  QTest::keyClick(&edit, Qt::Key_Z);
  EXPECT_FALSE(edit.CanRedo());

  TCodeEdit single;
  ShowEditor(single);
  single.SetOptions(single.Options() & ~Opt(eoGroupUndo));
  QTest::keyClicks(&single, QStringLiteral("abc"));
  single.Undo();
  EXPECT_EQ(single.Text(), QStringLiteral("ab"));
  // The modified flag follows the saved state of the undo list.
  single.SetModified(false);
  QTest::keyClick(&single, Qt::Key_D);
  EXPECT_TRUE(single.Modified());
  single.Undo();
  EXPECT_FALSE(single.Modified());
  single.Undo();
  EXPECT_TRUE(single.Modified());
  single.Redo();
  EXPECT_FALSE(single.Modified());
  single.SetMaxUndo(-1);
  EXPECT_EQ(single.MaxUndo(), 1024);
}

} // namespace

namespace {

// A key as X11 delivers it: the Qt key of what the layout types with the
// modifiers held, the key's scan code (digit row: 10 for "1" ... 19 for "0")
// and the text, through the shortcut check first as Qt does.
struct NativeKey {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  quint32 scanCode;
  const char* text; // UTF-8
};

void SendNative(TCodeEdit& edit, const NativeKey& k) {
  const QString text = QString::fromUtf8(k.text);
  for (QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent event(type, k.key, k.modifiers, k.scanCode, 0, 0, text);
    QCoreApplication::sendEvent(&edit, &event);
  }
}

} // namespace

TEST(CodeEditCommandsTest, BookmarkKeysWorkOnEnglishAndSlovakLayouts) {
  struct Layout {
    const char* name;
    NativeKey set1, goto1, set0, goto0;
  };
  const Layout layouts[] = {
      {"English (Shift+1 types \"!\")",
       {Qt::Key_Exclam, kCtrl | kShift, 10, "!"},
       {Qt::Key_1, kCtrl, 10, "1"},
       {Qt::Key_ParenRight, kCtrl | kShift, 19, ")"},
       {Qt::Key_0, kCtrl, 19, "0"}},
      {"Slovak (1 types \"+\", Shift+1 types \"1\")",
       {Qt::Key_1, kCtrl | kShift, 10, "1"},
       {Qt::Key_Plus, kCtrl, 10, "+"},
       {Qt::Key_0, kCtrl | kShift, 19, "0"},
       {Qt::Key_Eacute, kCtrl, 19, "\u00e9"}},
      {"a platform without scan codes",
       {Qt::Key_1, kCtrl | kShift, 0, "1"},
       {Qt::Key_1, kCtrl, 0, "1"},
       {Qt::Key_0, kCtrl | kShift, 0, "0"},
       {Qt::Key_0, kCtrl, 0, "0"}},
  };
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.name);
    TCodeEdit edit;
    ShowEditor(edit);
    edit.SetText(QStringLiteral("one\r\ntwo\r\nthree\r\nfour\r\nfive"));
    edit.MoveCaretCollapsing({2, 4});
    SendNative(edit, layout.set1);
    edit.MoveCaretCollapsing({3, 2});
    SendNative(edit, layout.set0);
    ASSERT_TRUE(edit.Bookmark(1));
    ASSERT_TRUE(edit.Bookmark(0));
    EXPECT_EQ(edit.Bookmark(1)->Line(), 4);
    EXPECT_EQ(edit.Bookmark(0)->Line(), 2);
    EXPECT_EQ(Lines(edit), QStringLiteral("one|two|three|four|five")); // nothing typed

    edit.MoveCaretCollapsing({1, 1});
    SendNative(edit, layout.goto1);
    EXPECT_EQ(edit.CaretPos(), (TBufferCoord{2, 4}));
    SendNative(edit, layout.goto0);
    EXPECT_EQ(edit.CaretPos(), (TBufferCoord{3, 2}));
    // The keypad's digits are other keys: Ctrl with keypad 1 jumps nowhere.
    SendNative(edit, {Qt::Key_1, kCtrl | Qt::KeypadModifier, 87, "1"});
    EXPECT_EQ(edit.CaretPos(), (TBufferCoord{3, 2}));
    EXPECT_EQ(Lines(edit), QStringLiteral("one|two|three|four|five"));
  }
}
