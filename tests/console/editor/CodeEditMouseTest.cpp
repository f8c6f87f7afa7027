#include "EditorTestSupport.h"
#include "console/editor/CodeEdit.h"
#include "tests/support/QStringPrinter.h"
#include <QtGui/QWheelEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <gtest/gtest.h>

namespace {

QString NumberedSentences(int count) {
  QStringList lines;
  for (int i = 1; i <= count; ++i)
    lines << QStringLiteral("line %1 of the text").arg(i);
  return lines.join(QStringLiteral("\r\n"));
}

// The middle of a character cell, in viewport pixels.
QPoint Cell(const TCodeEdit& edit, int column, int row) {
  const QPoint corner = edit.ScreenCoordToPixel({column, row});
  return corner + QPoint(edit.CharCellWidth() / 2, edit.RowHeight() / 2);
}

// The boundary before a cell (where a click puts the caret in front of it).
QPoint Boundary(const TCodeEdit& edit, int column, int row) {
  return edit.ScreenCoordToPixel({column, row}) + QPoint(1, edit.RowHeight() / 2);
}

TEST(CodeEditMouseTest, IsInSelectionPerMode) {
  TCodeEdit edit;
  ShowEditor(edit);
  edit.SetText(QStringLiteral("abcdef\r\nabcdef\r\nabcdef"));
  struct Case {
    TCodeSelectionMode mode;
    TBufferCoord position;
    bool inside;
  };
  const Case cases[] = {
      {smNormal, {3, 1}, true},  {smNormal, {2, 1}, false}, {smNormal, {6, 2}, true},  {smNormal, {4, 3}, true},
      {smNormal, {5, 3}, false}, {smLine, {1, 1}, true},    {smLine, {6, 3}, true},    {smLine, {1, 4}, false},
      {smColumn, {3, 2}, true},  {smColumn, {4, 2}, true},  {smColumn, {5, 2}, false}, {smColumn, {2, 2}, false},
  };
  for (const Case& c : cases) {
    edit.SetSelectionMode(c.mode);
    edit.PlaceCaretAndSelection({5, 3}, {3, 1}, {5, 3});
    EXPECT_EQ(edit.IsInSelection(c.position), c.inside)
        << int(c.mode) << " at " << c.position.Char << "," << c.position.Line;
  }
  // Equal character indexes select nothing in column mode, even on other lines.
  edit.SetSelectionMode(smColumn);
  edit.PlaceCaretAndSelection({3, 3}, {3, 1}, {3, 3});
  EXPECT_FALSE(edit.HasSelection());
  EXPECT_FALSE(edit.IsInSelection({3, 2}));
}

TEST(CodeEditMouseTest, ClicksPlaceTheCaretShiftExtendsAndAPressOnTheSelectionWaitsForADrag) {
  TCodeEdit edit;
  ShowEditor(edit);
  edit.SetText(QStringLiteral("select a\r\nfrom b"));
  QWidget* view = edit.viewport();
  QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, Boundary(edit, 3, 1));
  EXPECT_EQ(edit.CaretPos(), (TBufferCoord{3, 1}));
  EXPECT_FALSE(edit.HasSelection());
  QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, Boundary(edit, 5, 2));
  EXPECT_EQ(edit.SelectionFirst(), (TBufferCoord{3, 1}));
  EXPECT_EQ(edit.SelectionLast(), (TBufferCoord{5, 2}));
  // A press inside the selection keeps it; the release without a drag collapses it.
  QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, Cell(edit, 6, 1));
  EXPECT_TRUE(edit.StateFlag(esWaitForDrag));
  EXPECT_TRUE(edit.HasSelection());
  QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, Boundary(edit, 6, 1));
  EXPECT_FALSE(edit.HasSelection());
  EXPECT_EQ(edit.CaretPos(), (TBufferCoord{6, 1}));
  // Past the line end and below the last line.
  QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, Boundary(edit, 12, 5));
  EXPECT_EQ(edit.CaretPos(), (TBufferCoord{12, 2}));
  // Dragging selects.
  QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, Boundary(edit, 1, 1));
  QTest::mouseMove(view, Boundary(edit, 5, 2));
  QMouseEvent move(QEvent::MouseMove, Boundary(edit, 5, 2), view->mapToGlobal(Boundary(edit, 5, 2)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(view, &move);
  QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, Boundary(edit, 5, 2));
  EXPECT_EQ(edit.SelectionFirst(), (TBufferCoord{1, 1}));
  EXPECT_EQ(edit.SelectionLast(), (TBufferCoord{5, 2}));
}

TEST(CodeEditMouseTest, AltDragSelectsAColumnAndAPlainClickReturnsToStreams) {
  TCodeEdit edit;
  ShowEditor(edit);
  edit.SetOptions(edit.Options() | Opt(eoAltSetsColumnMode));
  edit.SetText(QStringLiteral("abcdef\r\nabcdef\r\nabcdef"));
  QWidget* view = edit.viewport();
  QTest::mousePress(view, Qt::LeftButton, Qt::AltModifier, Boundary(edit, 2, 1));
  QMouseEvent move(QEvent::MouseMove, Boundary(edit, 4, 3), view->mapToGlobal(Boundary(edit, 4, 3)), Qt::NoButton,
                   Qt::LeftButton, Qt::AltModifier);
  QCoreApplication::sendEvent(view, &move);
  QTest::mouseRelease(view, Qt::LeftButton, Qt::AltModifier, Boundary(edit, 4, 3));
  EXPECT_EQ(edit.SelectionMode(), smColumn);
  EXPECT_EQ(edit.SelectedText(), QStringLiteral("bc\r\nbc\r\nbc"));
  QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, Boundary(edit, 2, 1));
  EXPECT_EQ(edit.SelectionMode(), smNormal);
  // With whole lines selected, Alt is ignored.
  edit.SetSelectionMode(smLine);
  QTest::mousePress(view, Qt::LeftButton, Qt::AltModifier, Boundary(edit, 2, 1));
  QTest::mouseRelease(view, Qt::LeftButton, Qt::AltModifier, Boundary(edit, 2, 1));
  EXPECT_EQ(edit.SelectionMode(), smLine);
}

TEST(CodeEditMouseTest, DoubleClickSelectsAWordAndRightClicksKeepTheSelection) {
  TCodeEdit edit;
  ShowEditor(edit);
  edit.SetText(QStringLiteral("select member from t"));
  QWidget* view = edit.viewport();
  // A double click comes after the press and release of its first click.
  QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, Cell(edit, 10, 1));
  QTest::mouseDClick(view, Qt::LeftButton, Qt::NoModifier, Cell(edit, 10, 1));
  EXPECT_EQ(edit.SelectedText(), QStringLiteral("member"));
  EXPECT_EQ(edit.CaretPos(), (TBufferCoord{14, 1}));
  // Without the option a right press changes nothing; with it, inside the
  // selection it keeps it and outside it moves the caret.
  QTest::mouseClick(view, Qt::RightButton, Qt::NoModifier, Cell(edit, 18, 1));
  EXPECT_EQ(edit.SelectedText(), QStringLiteral("member"));
  edit.SetOptions(edit.Options() | Opt(eoRightMouseMovesCursor));
  QTest::mouseClick(view, Qt::RightButton, Qt::NoModifier, Cell(edit, 9, 1));
  EXPECT_EQ(edit.SelectedText(), QStringLiteral("member"));
  QTest::mouseClick(view, Qt::RightButton, Qt::NoModifier, Boundary(edit, 18, 1));
  EXPECT_FALSE(edit.HasSelection());
  EXPECT_EQ(edit.CaretPos(), (TBufferCoord{18, 1}));
  TCodeEdit plain;
  ShowEditor(plain);
  plain.SetOptions(plain.Options() | Opt(eoNoSelection));
  plain.SetText(QStringLiteral("select member"));
  QTest::mouseClick(plain.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(plain, 10, 1));
  QTest::mouseDClick(plain.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(plain, 10, 1));
  EXPECT_FALSE(plain.HasSelection());
}

TEST(CodeEditMouseTest, GutterClicksReportTheLineAndTheMarkUnderThePointer) {
  TCodeEdit edit;
  ShowEditor(edit);
  edit.SetText(QStringLiteral("a\r\nb\r\nc"));
  for (int image : {0, 1}) {
    auto* mark = new TCodeEditMark;
    mark->SetLine(2);
    mark->SetImageIndex(image);
    mark->SetVisible(true);
    edit.Marks().Add(mark);
  }
  int line = 0;
  TCodeEditMark* clicked = nullptr;
  edit.OnGutterClick = [&](TCustomCodeEdit*, Qt::MouseButton, int, int, int l, TCodeEditMark* mark) {
    line = l;
    clicked = mark;
  };
  const int y = edit.RowHeight() + 2;
  struct Case {
    int x;
    int mark; // -1: none
  };
  for (const Case& c : {Case{0, 0}, Case{11, 0}, Case{12, 1}, Case{23, 1}, Case{24, -1}}) {
    clicked = nullptr;
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(c.x, y));
    EXPECT_EQ(line, 2);
    EXPECT_EQ(clicked, c.mark < 0 ? nullptr : edit.Marks().Items(c.mark)) << c.x;
  }
}

TEST(CodeEditMouseTest, DraggingPastTheTextScrollsByTheDistance) {
  TCodeEdit edit;
  ShowEditor(edit, 400, 200);
  edit.SetText(NumberedSentences(200));
  QWidget* view = edit.viewport();
  // Without a border the text area that scrolls when left is two pixels smaller.
  const int bottom = edit.VisibleRows() * edit.RowHeight() - 2;
  QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, Boundary(edit, 1, 1));
  struct Case {
    int y;
    Qt::KeyboardModifiers modifiers;
    int rowsPerTick;
  };
  const Case cases[] = {{bottom + 1, Qt::NoModifier, 1},
                        {bottom + edit.RowHeight() - 1, Qt::NoModifier, 1},
                        {bottom + edit.RowHeight(), Qt::NoModifier, 2},
                        {bottom + 1, Qt::ShiftModifier, edit.VisibleRows()}};
  for (const Case& c : cases) {
    const QPoint point(edit.GutterPixelWidth() + 20, c.y);
    QMouseEvent move(QEvent::MouseMove, point, view->mapToGlobal(point), Qt::NoButton, Qt::LeftButton, c.modifiers);
    QCoreApplication::sendEvent(view, &move);
    ASSERT_TRUE(edit.AutoScrollRunning());
    const int top = edit.TopRow();
    edit.AutoScrollTick();
    EXPECT_EQ(edit.TopRow(), top + c.rowsPerTick) << c.y;
    EXPECT_EQ(edit.CaretLine(), edit.TopRow() + edit.VisibleRows() - 1);
  }
  const QPoint inside(edit.GutterPixelWidth() + 20, 2 * edit.RowHeight());
  QMouseEvent back(QEvent::MouseMove, inside, view->mapToGlobal(inside), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(view, &back);
  EXPECT_FALSE(edit.AutoScrollRunning());
  QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, inside);
  EXPECT_TRUE(edit.HasSelection());
}

TEST(CodeEditMouseTest, CaretAndViewLimits) {
  TCodeEdit edit;
  ShowEditor(edit, 400, 10);
  edit.resize(400, 20 * edit.RowHeight());
  edit.SetText(NumberedSentences(100));
  edit.MoveCaretTo({1025, 1});
  EXPECT_EQ(edit.CaretChar(), 1025);
  edit.MoveCaretTo({1026, 1});
  EXPECT_EQ(edit.CaretChar(), 1025);
  // A line longer than MaxScrollWidth keeps all its text within the caret's reach.
  edit.Lines().Put(1, QString(2000, u'x'));
  edit.MoveCaretTo({3000, 2});
  EXPECT_EQ(edit.CaretChar(), 2001);
  edit.ScrollToRow(200);
  EXPECT_EQ(edit.TopRow(), 81);
  edit.SetOptions(edit.Options() | Opt(eoScrollPastEof));
  edit.ScrollToRow(200);
  EXPECT_EQ(edit.TopRow(), 100);
  // Without scrolling past line ends the caret stops at its line's end.
  edit.SetOptions(edit.Options() & ~Opt(eoScrollPastEol));
  EXPECT_EQ(edit.CaretChar(), 2001);
  edit.MoveCaretTo({30, 1});
  EXPECT_EQ(edit.CaretChar(), int(edit.Lines().Get(0).size()) + 1);
}

TEST(CodeEditMouseTest, ScrollBarsScaleLongTextsAndTheHintShowsTheTopLine) {
  TCodeEdit edit;
  ShowEditor(edit, 400, 10);
  edit.SetScrollBars(ssBoth);
  edit.resize(400, 20 * edit.RowHeight() + edit.horizontalScrollBar()->sizeHint().height());
  QStringList lines;
  for (int i = 1; i <= 40000; ++i)
    lines << QStringLiteral("%1").arg(i);
  edit.SetLines(lines);
  const int rows = edit.VisibleRows();
  QScrollBar* bar = edit.verticalScrollBar();
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_LE(bar->maximum() + bar->pageStep(), 32768);
  EXPECT_GE(bar->maximum() + bar->pageStep(), 32766);
  bar->setSliderDown(true);
  bar->setSliderPosition(bar->maximum());
  EXPECT_EQ(edit.TopRow(), 40000 - rows + 1);
  EXPECT_EQ(edit.ScrollHintText(), QStringLiteral("Top Line: %1").arg(40000 - rows + 1));
  bar->setSliderDown(false);
  EXPECT_EQ(edit.ScrollHintText(), QString());

  TCodeEdit short100;
  ShowEditor(short100, 400, 10);
  short100.SetScrollBars(ssVertical);
  short100.resize(400, 20 * short100.RowHeight());
  short100.SetScrollHintFormat(shfTopToBottom);
  short100.SetText(NumberedSentences(100));
  QScrollBar* small = short100.verticalScrollBar();
  EXPECT_EQ(small->minimum(), 1);
  small->setSliderDown(true);
  small->setSliderPosition(41);
  EXPECT_EQ(short100.TopRow(), 41);
  EXPECT_EQ(short100.ScrollHintText(), QStringLiteral("41 - 61"));
  small->setSliderDown(false);
  // Page down on the bar with one row less.
  short100.SetOptions(short100.Options() | Opt(eoScrollByOneLess));
  small->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(short100.TopRow(), 41 + short100.VisibleRows() - 1);
}

TEST(CodeEditMouseTest, TheWheelScrollsWholeNotchesAndKeepsTheRest) {
  TCodeEdit edit;
  ShowEditor(edit);
  edit.SetText(NumberedSentences(200));
  edit.ScrollToRow(50);
  const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF point(50, 50);
    QWheelEvent event(point, edit.mapToGlobal(point), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(edit.viewport(), &event);
  };
  const int lines = QApplication::wheelScrollLines();
  wheel(60);
  EXPECT_EQ(edit.TopRow(), 50);
  wheel(60);
  EXPECT_EQ(edit.TopRow(), 50 - lines);
  wheel(-120);
  EXPECT_EQ(edit.TopRow(), 50);
  wheel(-120, Qt::ControlModifier);
  EXPECT_EQ(edit.TopRow(), 50 + edit.VisibleRows());
}

} // namespace
