#include "console/editor/CodeMemo.h"
#include "EditorTestSupport.h"
#include "console/editor/CodeEditActions.h"
#include "console/editor/text/CodeEditHighlighterSQL.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QMimeData>
#include <QtGui/QAccessible>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>
#include <gtest/gtest.h>

namespace {

TEST(CodeMemoTest, TheEditControlRequests) {
  TCodeMemo memo;
  ShowEditor(memo);
  memo.SetText(QStringLiteral("0123456789\r\nselect\r\nx"));
  memo.MoveCaretCollapsing({3, 2});
  int start = -1, end = -1;
  EXPECT_EQ(memo.EmGetSel(), (14u << 16) | 14u);
  memo.EmSetSel(12, 18);
  EXPECT_EQ(memo.EmGetSel(&start, &end), (18u << 16) | 12u);
  EXPECT_EQ(start, 12);
  EXPECT_EQ(end, 18);
  char16_t text[16] = {};
  EXPECT_EQ(memo.EmGetSelText(text), 6);
  EXPECT_EQ(QString::fromUtf16(text), QStringLiteral("select"));
  char16_t line[8] = {3};
  EXPECT_EQ(memo.EmGetLine(1, line), 3);
  EXPECT_EQ(QString::fromUtf16(line, 3), QStringLiteral("sel"));
  EXPECT_EQ(memo.EmGetLine(3, line), 0);
  EXPECT_EQ(memo.EmGetLine(-1, line), 0);
  EXPECT_EQ(memo.EmGetLineCount(), 3);
  EXPECT_EQ(memo.EmGetFirstVisibleLine(), 0);
  // Right of the end of line 2: offset 12 plus its length, line 1.
  const QPoint right = memo.ScreenCoordToPixel({20, 2}) + QPoint(2, 2);
  EXPECT_EQ(memo.EmCharFromPos(quint32(right.x()) | (quint32(right.y()) << 16)), (1u << 16) | 18u);
  EXPECT_EQ(memo.EmGetModify(), 0);
  memo.EmSetModify(true);
  EXPECT_EQ(memo.EmGetModify(), 1);
}

TEST(CodeMemoTest, ReplacingTheSelectionWithOrWithoutUndo) {
  TCodeMemo memo;
  ShowEditor(memo);
  EXPECT_EQ(memo.EmUndo(), 0); // nothing to undo
  memo.SetText(QStringLiteral("select a from b"));
  memo.EmSetSel(7, 8);
  memo.EmReplaceSel(QStringLiteral("count(*)"), false);
  EXPECT_EQ(memo.Text(), QStringLiteral("select count(*) from b"));
  EXPECT_EQ(memo.EmCanUndo(), 0);
  memo.EmSetSel(21, 22);
  memo.EmReplaceSel(QStringLiteral("C_CLENOV"), true);
  EXPECT_EQ(memo.Text(), QStringLiteral("select count(*) from C_CLENOV"));
  EXPECT_EQ(memo.EmCanUndo(), 1);
  EXPECT_EQ(memo.EmUndo(), 1);
  EXPECT_EQ(memo.Text(), QStringLiteral("select count(*) from b"));
  EXPECT_EQ(memo.SelectedText(), QStringLiteral("b"));
  EXPECT_EQ(memo.EmCanUndo(), 0);
  memo.SetReadOnly(true);
  memo.EmReplaceSel(QStringLiteral("x"), true);
  EXPECT_EQ(memo.Text(), QStringLiteral("select count(*) from b"));
}

TEST(CodeMemoTest, AnAccessibilityClientReadsAndChangesTheText) {
  TCodeMemo memo;
  ShowEditor(memo);
  memo.SetText(QStringLiteral("select *\r\nfrom C_CLENOV"));
  memo.EmSetSel(10, 14);
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&memo);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::EditableText);
  EXPECT_TRUE(accessible->state().multiLine);
  QAccessibleTextInterface* text = accessible->textInterface();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->characterCount(), 23);
  EXPECT_EQ(text->text(0, text->characterCount()), QStringLiteral("select *\r\nfrom C_CLENOV"));
  EXPECT_EQ(text->selectionCount(), 1);
  int start = 0, end = 0;
  text->selection(0, &start, &end);
  EXPECT_EQ(text->text(start, end), QStringLiteral("from"));
  EXPECT_EQ(text->cursorPosition(), 10); // the selection's end does not move the caret
  EXPECT_EQ(text->offsetAtPoint(memo.viewport()->mapToGlobal(memo.ScreenCoordToPixel({2, 1}) + QPoint(1, 1))), 1);
  text->setCursorPosition(3);
  EXPECT_EQ(memo.CaretPos(), (TBufferCoord{4, 1}));
  QAccessibleEditableTextInterface* editable = accessible->editableTextInterface();
  ASSERT_NE(editable, nullptr);
  editable->replaceText(0, 6, QStringLiteral("SELECT"));
  EXPECT_EQ(memo.Text(), QStringLiteral("SELECT *\r\nfrom C_CLENOV"));
  memo.Undo();
  EXPECT_EQ(memo.Text(), QStringLiteral("select *\r\nfrom C_CLENOV"));
}

TEST(CodeMemoTest, PropertyChangesTakeEffect) {
  TCodeEdit edit;
  ShowEditor(edit);
  struct Clamp {
    int value, tab, scroll;
  };
  for (const Clamp& c : {Clamp{0, 1, 1}, Clamp{1000, 256, 1000}, Clamp{-5, 1, 1}, Clamp{8, 8, 8}}) {
    edit.SetTabWidth(c.value);
    EXPECT_EQ(edit.TabWidth(), c.tab) << c.value;
    EXPECT_EQ(edit.Lines().TabWidth(), c.tab);
    edit.SetMaxScrollWidth(c.value);
    EXPECT_EQ(edit.MaxScrollWidth(), c.scroll) << c.value;
  }
  edit.SetMaxScrollWidth(2147483647);
  EXPECT_EQ(edit.MaxScrollWidth(), 2147483646);
  edit.SetMaxScrollWidth(1024);

  // Word wrap keeps the line at the top, and the view at column 1.
  QStringList lines;
  for (int i = 1; i <= 100; ++i)
    lines << QStringLiteral("%1 ").arg(i) + QString(120, u'x');
  edit.SetLines(lines);
  edit.ScrollToRow(50);
  edit.ScrollToColumn(20);
  edit.SetWordWrap(true);
  EXPECT_EQ(edit.LineOfRow(edit.TopRow()), 50);
  EXPECT_EQ(edit.RowOfLine(50), edit.TopRow());
  EXPECT_EQ(edit.LeftColumn(), 1);
  edit.SetWordWrap(false);
  EXPECT_EQ(edit.TopRow(), 50);

  // Without scrolling past line ends the caret comes back to its line's end.
  edit.SetText(QStringLiteral("short"));
  edit.MoveCaretTo({30, 1});
  EXPECT_EQ(edit.CaretChar(), 30);
  edit.SetOptions(edit.Options() & ~Opt(eoScrollPastEol));
  EXPECT_EQ(edit.CaretChar(), 6);

  // A hooked highlighter's changes reach the editor; an unhooked one's not.
  TCodeSQLHighlighter hl;
  hl.SetSQLDialect(sqlSybase);
  edit.SetText(QStringLiteral("/*! x"));
  edit.SetHighlighter(&hl);
  EXPECT_EQ(edit.Lines().GetLineRange(0), srsComment);
  hl.SetSQLDialect(sqlMySQL);
  EXPECT_EQ(edit.Lines().GetLineRange(0), srsConditionalComment);
  edit.SetHighlighter(nullptr);
  hl.SetSQLDialect(sqlSybase);
  EXPECT_EQ(edit.Lines().GetLineRange(0), srsConditionalComment);

  // The gutter's width follows its settings.
  TCodeGutter gutter;
  gutter.SetFont(EditorTestFont(8));
  gutter.SetShowLineNumbers(true);
  gutter.SetDigitCount(3);
  gutter.SetLeftOffset(5);
  edit.SetGutter(gutter);
  const int digit = QFontMetrics(EditorTestFont(8)).horizontalAdvance(u'M');
  EXPECT_EQ(edit.GutterPixelWidth(), 5 + 2 + 3 * digit + 2);
  EXPECT_EQ(edit.TextOriginX(), edit.GutterPixelWidth() + 2);
  edit.Gutter().SetShowLineNumbers(false);
  edit.Gutter().SetWidth(40);
  EXPECT_EQ(edit.GutterPixelWidth(), 40);
  edit.Gutter().SetVisible(false);
  EXPECT_EQ(edit.GutterPixelWidth(), 0);

  std::vector<TCodeStatusChanges> changes;
  edit.OnStatusChange = [&](TCustomCodeEdit*, TCodeStatusChanges c) { changes.push_back(c); };
  edit.SetInsertMode(false);
  edit.SetReadOnly(true);
  edit.SetSelectionMode(smColumn);
  EXPECT_EQ(edit.CurrentSelectionMode(), smColumn);
  // The first report brings what gathered before there was a handler.
  ASSERT_EQ(changes.size(), 3u);
  EXPECT_TRUE(changes[0] & stcInsertMode);
  EXPECT_EQ(changes[1], stcReadOnly);
  EXPECT_EQ(changes[2], stcSelection);
}

TEST(CodeMemoTest, EditActionsFollowTheFocusedEditor) {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* edit = new TCodeEdit(&window);
  auto* other = new QLineEdit(&window);
  layout->addWidget(edit);
  layout->addWidget(other);
  edit->SetText(QStringLiteral("select 1"));
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  TEditAction cut(TEditActionKind::Cut), copy(TEditActionKind::Copy), paste(TEditActionKind::Paste),
      del(TEditActionKind::Delete), undo(TEditActionKind::Undo), all(TEditActionKind::SelectAll);
  const std::vector<TEditAction*> actions{&cut, &copy, &paste, &del, &undo, &all};
  const auto states = [&] {
    QString text;
    for (TEditAction* action : actions)
      text += action->isEnabled() ? u'1' : u'0';
    return text;
  };
  other->setFocus();
  for (TEditAction* action : actions) {
    action->setEnabled(false);
    EXPECT_FALSE(action->Update()); // not the editor's: left alone
  }
  EXPECT_EQ(states(), QStringLiteral("000000"));
  QGuiApplication::clipboard()->clear();
  edit->setFocus();
  EXPECT_EQ(TEditAction::FocusedEditor(), edit);
  for (TEditAction* action : actions)
    EXPECT_TRUE(action->Update());
  EXPECT_EQ(states(), QStringLiteral("000001"));
  all.trigger();
  EXPECT_EQ(edit->SelectedText(), QStringLiteral("select 1"));
  for (TEditAction* action : actions)
    action->Update();
  EXPECT_EQ(states(), QStringLiteral("110101"));
  cut.trigger();
  EXPECT_EQ(edit->Text(), QString());
  for (TEditAction* action : actions)
    action->Update();
  EXPECT_EQ(states(), QStringLiteral("001011"));
  undo.trigger();
  EXPECT_EQ(edit->Text(), QStringLiteral("select 1"));
  edit->MoveCaretCollapsing({9, 1});
  paste.trigger();
  EXPECT_EQ(edit->Text(), QStringLiteral("select 1select 1"));
  // Focus moving away leaves the states as they were.
  other->setFocus();
  EXPECT_EQ(TEditAction::FocusedEditor(), nullptr);
}

} // namespace
