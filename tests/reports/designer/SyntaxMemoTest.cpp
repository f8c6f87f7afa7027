#include "core/gui/ColorConvert.h"
#include "reports/designer/rpCodeMemoSearch.h"
#include "reports/designer/rpSyntaxMemo.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QStandardItemModel>
#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QTreeView>
#include <functional>
#include <gtest/gtest.h>

namespace {

#define F(...) QStringLiteral(__VA_ARGS__)

// A memo in a shown window, as the editors hold it.
class MemoWindow {
public:
  MemoWindow() {
    window_.resize(400, 300);
    memo = new TrpSyntaxMemo(&window_);
    memo->setGeometry(0, 0, 400, 300);
    window_.show();
    memo->setFocus();
  }
  TrpSyntaxMemo* memo;

private:
  QWidget window_;
};

void Keys(TrpSyntaxMemo* memo, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier, int times = 1) {
  for (int i = 0; i < times; ++i)
    QTest::keyClick(memo, key, mods);
}

struct TMemoKeyCase {
  const char* name;
  QStringList start;
  QPoint caret;
  std::function<void(TrpSyntaxMemo*)> keys;
  QStringList lines;
  QPoint caretAfter;
};

class MemoKeys : public ::testing::TestWithParam<TMemoKeyCase> {};

TEST_P(MemoKeys, GiveLinesAndCaret) {
  MemoWindow window;
  window.memo->SetLines(GetParam().start);
  window.memo->MoveCaret(GetParam().caret.x(), GetParam().caret.y());
  GetParam().keys(window.memo);
  EXPECT_EQ(window.memo->Lines(), GetParam().lines);
  EXPECT_EQ(QPoint(window.memo->CaretColumn(), window.memo->CaretLine()), GetParam().caretAfter);
}

const auto Press = [](Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier, int times = 1) {
  return [=](TrpSyntaxMemo* memo) { Keys(memo, key, mods, times); };
};
// Types the characters as key presses that carry them as text (Slovak letters too).
void TypeText(TrpSyntaxMemo* memo, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(memo, &press);
  }
}
const auto Typed = [](const char* text) {
  return [=](TrpSyntaxMemo* memo) { TypeText(memo, QString::fromUtf8(text)); };
};
// Selects two lines with Shift+Down from the caret, then presses the key.
const auto OnTwoLines = [](Qt::Key key, Qt::KeyboardModifiers mods) {
  return [=](TrpSyntaxMemo* memo) {
    Keys(memo, Qt::Key_Down, Qt::ShiftModifier, 2);
    Keys(memo, key, mods);
  };
};

INSTANTIATE_TEST_SUITE_P(SyntaxMemo, MemoKeys,
                         ::testing::Values(
                             TMemoKeyCase{
                                 "typingAtColumnTenPads", {F("")}, {10, 1}, Typed("x"), {F("         x")}, {11, 1}},
                             TMemoKeyCase{
                                 "typingKeepsSlovakLetters", {F("")}, {1, 1}, Typed("ľščť"), {F("ľščť")}, {5, 1}},
                             TMemoKeyCase{"enterKeepsTheIndentation",
                                          {F("    abc")},
                                          {6, 1},
                                          Press(Qt::Key_Return),
                                          {F("    a"), F("    bc")},
                                          {5, 2}},
                             TMemoKeyCase{"ctrlEnterIsNotTheMemos",
                                          {F("ab")},
                                          {2, 1},
                                          Press(Qt::Key_Return, Qt::ControlModifier),
                                          {F("ab")},
                                          {2, 1}},
                             TMemoKeyCase{"tabAlignsWithTheWordAbove",
                                          {F("if x then"), F("")},
                                          {1, 2},
                                          Press(Qt::Key_Tab, Qt::NoModifier, 2),
                                          {F("if x then"), F("")},
                                          {6, 2}},
                             TMemoKeyCase{"ctrlIIndentsTheBlock",
                                          {F("a"), F(" b"), F("c")},
                                          {1, 1},
                                          OnTwoLines(Qt::Key_I, Qt::ControlModifier),
                                          {F("  a"), F("   b"), F("c")},
                                          {1, 3}},
                             TMemoKeyCase{"ctrlUUnindentsTheBlock",
                                          {F("   a"), F(" b"), F("c")},
                                          {1, 1},
                                          OnTwoLines(Qt::Key_U, Qt::ControlModifier),
                                          {F("  a"), F("b"), F("c")},
                                          {1, 3}},
                             TMemoKeyCase{"ctrlYDeletesTheLine",
                                          {F("a"), F("b")},
                                          {1, 1},
                                          Press(Qt::Key_Y, Qt::ControlModifier),
                                          {F("b")},
                                          {1, 1}},
                             // The selection covered lines that are gone: typing afterwards must not reach them.
                             TMemoKeyCase{"ctrlYDropsTheSelection",
                                          {F("a"), F("b"), F("c")},
                                          {1, 1},
                                          [](TrpSyntaxMemo* m) {
                                            Keys(m, Qt::Key_Down, Qt::ShiftModifier, 2);
                                            Keys(m, Qt::Key_Y, Qt::ControlModifier);
                                            Keys(m, Qt::Key_Up);
                                            Keys(m, Qt::Key_Y, Qt::ControlModifier);
                                            QTest::keyClicks(m, F("x"));
                                          },
                                          {F("a"), F("x")},
                                          {2, 2}},
                             TMemoKeyCase{"backspaceUnindents",
                                          {F("  if"), F("      x")},
                                          {7, 2},
                                          Press(Qt::Key_Backspace),
                                          {F("  if"), F("  x")},
                                          {3, 2}},
                             TMemoKeyCase{"ctrlLeftAndRightByWords",
                                          {F("abc de_f  g")},
                                          {1, 1},
                                          [](TrpSyntaxMemo* m) {
                                            Keys(m, Qt::Key_Right, Qt::ControlModifier, 2);
                                            Keys(m, Qt::Key_Left, Qt::ControlModifier);
                                          },
                                          {F("abc de_f  g")},
                                          {5, 1}},
                             TMemoKeyCase{"endAndCtrlEnd",
                                          {F("ab  "), F("cde")},
                                          {1, 1},
                                          [](TrpSyntaxMemo* m) {
                                            Keys(m, Qt::Key_End);
                                            EXPECT_EQ(m->CaretColumn(), 3);
                                            Keys(m, Qt::Key_End, Qt::ControlModifier);
                                          },
                                          {F("ab"), F("cde")},
                                          {4, 2}},
                             TMemoKeyCase{"caretStopsAtColumn1024",
                                          {F("")},
                                          {1000, 1},
                                          Press(Qt::Key_Right, Qt::NoModifier, 40),
                                          {F("")},
                                          {1024, 1}},
                             TMemoKeyCase{"shiftArrowsSelectAndTypingReplaces",
                                          {F("abcd")},
                                          {1, 1},
                                          [](TrpSyntaxMemo* m) {
                                            Keys(m, Qt::Key_Right, Qt::ShiftModifier, 2);
                                            QTest::keyClicks(m, F("X"));
                                          },
                                          {F("Xcd")},
                                          {2, 1}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SyntaxMemoControl, ThirtyThreeEditsAllowThirtyTwoUndos) {
  MemoWindow window;
  QTest::keyClicks(window.memo, QString(33, QLatin1Char('x')));
  Keys(window.memo, Qt::Key_Z, Qt::ControlModifier, 33);
  EXPECT_EQ(window.memo->Lines(), QStringList{F("x")});
  EXPECT_EQ(window.memo->CaretColumn(), 2);
}

TEST(SyntaxMemoControl, BookmarkKeys) {
  MemoWindow window;
  TrpSyntaxMemo* memo = window.memo;
  memo->SetLines({F("a"), F("b"), F("c")});
  memo->MoveCaret(1, 2);
  Keys(memo, Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier);
  Keys(memo, Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(memo->Bookmark(2), 1);
  EXPECT_EQ(memo->Bookmark(1), -1) << "a line with bookmark 2 takes no other";
  QTest::keyClick(memo, Qt::Key_At, Qt::ControlModifier | Qt::ShiftModifier); // Shift+2 on a US keyboard
  EXPECT_EQ(memo->Bookmark(2), -1) << "the same digit clears it";
  Keys(memo, Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier);
  memo->MoveCaret(3, 3);
  Keys(memo, Qt::Key_2, Qt::ControlModifier);
  EXPECT_EQ(QPoint(memo->CaretColumn(), memo->CaretLine()), QPoint(1, 2));
  Keys(memo, Qt::Key_5, Qt::ControlModifier);
  EXPECT_EQ(memo->CaretLine(), 2) << "an unset bookmark leaves the caret";
}

TEST(SyntaxMemoControl, SearchDialogThenF3FindsTheNextLine) {
  MemoWindow window;
  TrpSyntaxMemo* memo = window.memo;
  memo->SetLines({F("begin"), F("  x := 1;"), F("  X := y;"), F("end")});
  WhenModal<TCodeMemoSearch>([](TCodeMemoSearch* search) {
    QTest::keyClicks(search->Edit1, F("x :="));
    QTest::keyClick(search->Edit1, Qt::Key_Return);
  });
  Keys(memo, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(QPoint(memo->CaretColumn(), memo->CaretLine()), QPoint(3, 2));
  EXPECT_EQ(memo->LastSearch, F("x :="));
  Keys(memo, Qt::Key_F3);
  EXPECT_EQ(QPoint(memo->CaretColumn(), memo->CaretLine()), QPoint(3, 3)) << "upper and lower case alike";
  Keys(memo, Qt::Key_F3);
  EXPECT_EQ(memo->CaretLine(), 3);
  EXPECT_EQ(memo->FooterMessage(), F("Text \"x :=\" not found."));
  Keys(memo, Qt::Key_Up);
  EXPECT_TRUE(memo->FooterMessage().isEmpty()) << "the message goes with the next caret movement";

  WhenModal<TCodeMemoSearch>([](TCodeMemoSearch* search) {
    EXPECT_EQ(search->Edit1->text(), F("x :="));
    search->Edit1->setText(F("end"));
    QTest::keyClick(search->Edit1, Qt::Key_Escape);
  });
  Keys(memo, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(memo->CaretLine(), 2) << "Cancel does not search";
  EXPECT_EQ(memo->LastSearch, F("end")) << "but remembers the text";
}

TEST(SyntaxMemoControl, ReadOnlyRefusesEditsButCopiesAndSearches) {
  MemoWindow window;
  TrpSyntaxMemo* memo = window.memo;
  memo->SetLines({F("abc"), F("abd")});
  memo->SetReadOnly(true);
  QGuiApplication::clipboard()->setText(F("pasted"));
  QTest::keyClicks(memo, F("xy"));
  for (const auto& [key, mods] :
       std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>>{{Qt::Key_Return, {}},
                                                                        {Qt::Key_Delete, {}},
                                                                        {Qt::Key_Backspace, {}},
                                                                        {Qt::Key_Tab, {}},
                                                                        {Qt::Key_Y, Qt::ControlModifier},
                                                                        {Qt::Key_V, Qt::ControlModifier},
                                                                        {Qt::Key_Insert, Qt::ShiftModifier}})
    Keys(memo, key, mods);
  Keys(memo, Qt::Key_Right, Qt::ShiftModifier, 2);
  Keys(memo, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(memo->Lines(), (QStringList{F("abc"), F("abd")}));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), F("pasted")) << "cut does not copy when it cannot delete";
  Keys(memo, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), F("ab"));
  EXPECT_TRUE(memo->FindText(F("abd")));
}

TEST(SyntaxMemoControl, ClipboardKeysCarryLineBreaks) {
  MemoWindow window;
  TrpSyntaxMemo* memo = window.memo;
  memo->SetLines({F("ab"), F("cd")});
  Keys(memo, Qt::Key_A, Qt::ControlModifier);
  Keys(memo, Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), F("ab\r\ncd"));
  EXPECT_EQ(memo->Lines(), QStringList{F("")});
  QGuiApplication::clipboard()->setText(F("x\ny\rz"));
  Keys(memo, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(memo->Lines(), (QStringList{F("x"), F("y"), F("z")}));
}

TEST(SyntaxMemoControl, TabStaysInTheMemoInsideADialog) {
  QWidget dialog;
  auto* memo = new TrpSyntaxMemo(&dialog);
  auto* other = new QLineEdit(&dialog);
  other->move(0, 210);
  dialog.show();
  memo->SetLines({F("abc def"), F("")});
  memo->MoveCaret(1, 2);
  memo->setFocus();
  QTest::keyClick(memo, Qt::Key_Tab);
  EXPECT_EQ(dialog.focusWidget(), memo);
  EXPECT_EQ(memo->CaretColumn(), 5);
}

TEST(SyntaxMemoControl, MouseSetsTheCaretAndDragSelects) {
  MemoWindow window;
  TrpSyntaxMemo* memo = window.memo;
  memo->SetLines({F("begin"), F("  abc_1 := 2;")});
  const auto cell = [memo](int column, int line) {
    return QPoint(20 + (column - 1) * memo->CharWidth() + 1, (line - 1) * memo->LineHeight() + 1);
  };
  QTest::mousePress(memo, Qt::LeftButton, {}, cell(2, 1));
  QTest::mouseMove(memo, cell(4, 2));
  QTest::mouseRelease(memo, Qt::LeftButton, {}, cell(4, 2));
  EXPECT_EQ(memo->GetSelectedText(), F("egin\r\n  a"));
  QTest::mouseDClick(memo, Qt::LeftButton, {}, cell(5, 2));
  EXPECT_EQ(memo->GetSelectedText(), F("abc_1"));
}

TEST(SyntaxMemoControl, DropFromATreeInsertsTheNodeText) {
  MemoWindow window;
  window.memo->SetLines({F("ab")});
  QTreeView tree;
  QStandardItemModel model;
  model.appendRow(new QStandardItem(F("[Clen.\"MENO\"]")));
  tree.setModel(&model);
  tree.setCurrentIndex(model.index(0, 0));
  QMimeData data;
  const QPoint at(20 + window.memo->CharWidth() * 4 + 1, 1);
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QCoreApplication::sendEvent(window.memo, &enter);
  EXPECT_FALSE(enter.isAccepted()) << "a drag from no tree is refused";
  window.memo->DropTreeNode(at, tree);
  EXPECT_EQ(window.memo->Lines(), QStringList{F("ab  [Clen.\"MENO\"]")});
}

TEST(SyntaxMemoControl, ScrollsToTheCaretAndPaintsColours) {
  MemoWindow window;
  TrpSyntaxMemo* memo = window.memo;
  QStringList lines;
  for (int i = 1; i <= 100; ++i)
    lines << F("begin // riadok %1").arg(i);
  memo->SetLines(lines);
  memo->MoveCaret(1, 80);
  EXPECT_GT(memo->TopLine(), 60);
  EXPECT_LE(memo->TopLine(), 79);
  memo->MoveCaret(300, 80);
  EXPECT_GT(memo->LeftColumn(), 200);
  memo->MoveCaret(1, 1);
  EXPECT_EQ(memo->TopLine(), 0);
  EXPECT_EQ(memo->LeftColumn(), 0);

  memo->SetSelection({1, 2}, {1, 3});
  const QImage image = memo->grab().toImage();
  // Glyphs are smoothed: a navy glyph shows as pixels where blue clearly leads.
  const auto hasBluish = [&](const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (const QColor c = image.pixelColor(x, y); c.blue() > c.red() + 40 && c.blue() > c.green() + 40) return true;
    return false;
  };
  const int w = memo->CharWidth(), h = memo->LineHeight();
  EXPECT_TRUE(hasBluish(QRect(20 + 6 * w, 0, 12 * w, h))) << "the comment in navy";
  EXPECT_FALSE(hasBluish(QRect(20, 0, 5 * w, h))) << "the keyword not";
  EXPECT_EQ(image.pixelColor(380 - 30, h + h / 2), ToQColor(clHighlight)) << "a selected line to the right edge";
  EXPECT_NE(image.pixelColor(380 - 30, 2 * h + h / 2), ToQColor(clHighlight));

  memo->SetFooterMessage(F("Line 3/5: chyba"));
  const QImage withMessage = memo->grab().toImage();
  EXPECT_EQ(withMessage.pixelColor(2, memo->height() - 3), ToQColor(clMaroon));
}

} // namespace
#undef F
