#include "EditorTestSupport.h"
#include "console/editor/CodeEdit.h"
#include "console/editor/text/CodeEditHighlighterSQL.h"
#include <QtGui/QFontInfo>
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace {

// An SQL highlighter that counts the lines it is given.
class TCountingHighlighter : public TCodeSQLHighlighter {
public:
  void StartLine(const QString& text, int lineNumber) override {
    ++lines;
    TCodeSQLHighlighter::StartLine(text, lineNumber);
  }
  int lines = 0;
};

// An editor that records the rectangles it invalidates.
class TRecordingEdit : public TCodeEdit {
public:
  using TCodeEdit::TCodeEdit;
  std::vector<QRect> invalidated;

protected:
  void InvalidatePixels(const QRect& rect) override {
    invalidated.push_back(rect);
    TCodeEdit::InvalidatePixels(rect);
  }
};

// A shown editor of a known size (a hidden one has no view size yet).
void Prepare(TCodeEdit& edit, int width = 400, int height = 200) {
  edit.SetFont(EditorTestFont(10));
  edit.SetBorderStyle(bsNone);
  edit.SetScrollBars(ssNone);
  edit.resize(width, height);
  edit.show();
}

QString Numbered(int count, const QString& prefix = QStringLiteral("line ")) {
  QStringList lines;
  for (int i = 1; i <= count; ++i)
    lines << prefix + QString::number(i);
  return lines.join(QStringLiteral("\r\n"));
}

TEST(CodeEditModelTest, ANewControlHasItsDefaults) {
  TCodeEdit edit;
  EXPECT_EQ(edit.CaretPos(), (TBufferCoord{1, 1}));
  EXPECT_EQ(edit.SelectionAnchor(), (TBufferCoord{1, 1}));
  EXPECT_EQ(edit.SelectionActiveEnd(), (TBufferCoord{1, 1}));
  EXPECT_FALSE(edit.HasSelection());
  EXPECT_EQ(edit.TopRow(), 1);
  EXPECT_EQ(edit.LeftColumn(), 1);
  EXPECT_EQ(edit.Options(), 0x026C0192u);
  for (TCodeEditorOption option : {eoAutoIndent, eoDragDropEditing, eoEnhanceEndKey, eoGroupUndo, eoScrollPastEol,
                                   eoShowScrollHint, eoSmartTabDelete, eoSmartTabs, eoTabsToSpaces})
    EXPECT_TRUE(edit.HasOption(option)) << int(option);
  EXPECT_EQ(edit.Font().family(), QStringLiteral("Courier New"));
  EXPECT_EQ(edit.Font().pointSize(), 10);
  EXPECT_EQ(edit.Highlighter(), nullptr);
  EXPECT_FALSE(edit.WordWrap());
  EXPECT_EQ(edit.RightEdge(), 80);
  EXPECT_EQ(edit.RightEdgeColor(), clSilver);
  EXPECT_EQ(edit.ActiveLineColor(), clNone);
  EXPECT_EQ(edit.MaxScrollWidth(), 1024);
  EXPECT_EQ(edit.MaxUndo(), 1024);
  EXPECT_EQ(edit.TabWidth(), 8);
  EXPECT_TRUE(edit.InsertMode());
  EXPECT_EQ(edit.InsertCaret(), ctVerticalLine);
  EXPECT_EQ(edit.OverwriteCaret(), ctBlock);
  EXPECT_EQ(edit.ScrollBars(), ssBoth);
  EXPECT_EQ(edit.BorderStyle(), bsSingle);
  EXPECT_EQ(edit.SelectionMode(), smNormal);
  EXPECT_TRUE(edit.WantReturns());
  EXPECT_FALSE(edit.WantTabs());
  EXPECT_EQ(edit.GutterPixelWidth(), 30);
  EXPECT_EQ(edit.TextOriginX(), 32);
  EXPECT_EQ(edit.Keystrokes().Count(), 82);
  EXPECT_EQ(edit.Color(), clWindow);
  EXPECT_EQ(edit.Lines().Count(), 0);
  EXPECT_EQ(edit.RowCount(), 0);
  EXPECT_FALSE(edit.Modified());
}

TEST(CodeEditModelTest, AProportionalFontIsReplacedByAFixedPitchOne) {
  TCodeEdit edit;
  QFont sans(QStringLiteral("Liberation Sans"), 12);
  sans.setItalic(true);
  ASSERT_FALSE(QFontInfo(sans).fixedPitch());
  edit.SetFont(sans);
  EXPECT_TRUE(QFontInfo(edit.Font()).fixedPitch());
  EXPECT_EQ(edit.Font().pointSize(), 12);
  EXPECT_TRUE(edit.Font().italic());
  const QFont mono = EditorTestFont(9);
  edit.SetFont(mono);
  EXPECT_EQ(edit.Font(), mono);
  EXPECT_EQ(edit.CharCellWidth(), QFontMetrics(QFont(mono.family(), 9, QFont::Normal, false)).horizontalAdvance(u'M'));
}

TEST(CodeEditModelTest, TheCellCoversTheStylesInUse) {
  TCodeEdit edit;
  Prepare(edit);
  QFont bold = EditorTestFont(10);
  bold.setBold(true);
  const QFontMetrics plainMetrics(EditorTestFont(10)), boldMetrics(bold);
  EXPECT_EQ(edit.RowHeight(), plainMetrics.height());
  TCodeSQLHighlighter hl; // its keywords are bold
  edit.SetHighlighter(&hl);
  EXPECT_EQ(edit.RowHeight(), qMax(plainMetrics.height(), boldMetrics.height()));
  EXPECT_EQ(edit.CharCellWidth(), qMax(plainMetrics.horizontalAdvance(u'M'), boldMetrics.horizontalAdvance(u'M')));
  const int height = edit.RowHeight();
  edit.SetExtraLineSpacing(3);
  EXPECT_EQ(edit.RowHeight(), height + 3);
  EXPECT_EQ(edit.VisibleRows(), 200 / (height + 3));
  EXPECT_EQ(edit.VisibleColumns(), (400 - 30 - 2) / edit.CharCellWidth());
}

TEST(CodeEditModelTest, CoordinatesFollowTabsAndThePastTheEndCells) {
  TCodeEdit edit;
  Prepare(edit);
  edit.SetTabWidth(4);
  edit.SetText(QStringLiteral("a\tb\r\nxyz"));
  struct Case {
    TBufferCoord buffer;
    TScreenCoord screen;
  };
  const Case toScreen[] = {{{1, 1}, {1, 1}},  {{2, 1}, {2, 1}}, {{3, 1}, {5, 1}}, {{4, 1}, {6, 1}},
                           {{9, 1}, {11, 1}}, {{5, 2}, {5, 2}}, {{5, 3}, {5, 3}}};
  for (const Case& c : toScreen)
    EXPECT_EQ(edit.ToScreenCoord(c.buffer), c.screen) << c.buffer.Char << "," << c.buffer.Line;
  const Case toBuffer[] = {{{1, 1}, {1, 1}}, {{2, 1}, {3, 1}}, {{2, 1}, {4, 1}}, {{3, 1}, {5, 1}},
                           {{5, 1}, {7, 1}}, {{6, 2}, {6, 2}}, {{4, 9}, {4, 9}}};
  for (const Case& c : toBuffer)
    EXPECT_EQ(edit.ToBufferCoord(c.screen), c.buffer) << c.screen.Column << "," << c.screen.Row;

  const int cell = edit.CharCellWidth(), row = edit.RowHeight(), left = edit.GutterPixelWidth() + 2;
  EXPECT_EQ(edit.ScreenCoordToPixel({3, 2}), QPoint(left + 2 * cell, row));
  EXPECT_EQ(edit.PixelToScreenCoord(left + 2 * cell + 1, row + 1), (TScreenCoord{3, 2}));
  EXPECT_EQ(edit.PixelToScreenCoord(0, -5), (TScreenCoord{1, 1}));
  // The nearest cell boundary; halves go to the even count.
  EXPECT_EQ(edit.PixelToNearestScreenCoord(left + cell + cell / 2 + 1, 0).Column, 3);
  EXPECT_EQ(edit.PixelToNearestScreenCoord(left + cell / 2 - 1, 0).Column, 1);
  EXPECT_EQ(edit.PixelToNearestScreenCoord(left, 10000).Row, edit.VisibleRows());

  // Unicode characters of two code units: a column on the second half moves on.
  edit.Lines().Add(QStringLiteral("a") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("b"));
  EXPECT_EQ(edit.ToBufferCoord({3, 3}), (TBufferCoord{4, 3}));
}

TEST(CodeEditModelTest, WrappedLinesMapRowsAndLines) {
  TCodeEdit edit;
  Prepare(edit);
  edit.resize(edit.GutterPixelWidth() + 2 + 10 * edit.CharCellWidth(), 200); // ten columns
  edit.SetText(QStringLiteral("alpha beta gamma\r\nx"));
  EXPECT_EQ(edit.RowCount(), 2);
  edit.SetWordWrap(true);
  ASSERT_TRUE(edit.WordWrap());
  ASSERT_EQ(edit.VisibleColumns(), 10);
  EXPECT_EQ(edit.RowCount(), 3);
  EXPECT_EQ(edit.RowOfLine(2), 3);
  EXPECT_EQ(edit.LineOfRow(2), 1);
  EXPECT_EQ(edit.LineOfRow(3), 2);
  edit.Lines().Clear();
  EXPECT_EQ(edit.RowCount(), 0);
  edit.SetWordWrap(false);
  EXPECT_EQ(edit.RowCount(), 0);
}

TEST(CodeEditModelTest, StatusChangesInAPaintLockAreReportedOnceTogether) {
  TCodeEdit edit;
  Prepare(edit);
  edit.SetText(Numbered(5));
  std::vector<TCodeStatusChanges> reports;
  edit.OnStatusChange = [&](TCustomCodeEdit* sender, TCodeStatusChanges changes) {
    EXPECT_EQ(sender, &edit);
    reports.push_back(changes);
  };
  edit.BeginPaintLock();
  edit.MoveCaretTo({3, 2});
  edit.SetSelectionActiveEnd({5, 4});
  edit.BeginPaintLock();
  edit.SetInsertMode(false);
  edit.EndPaintLock();
  EXPECT_TRUE(reports.empty());
  edit.EndPaintLock();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], stcCaretChar | stcCaretLine | stcSelection | stcInsertMode);

  // Without a handler they gather, and the next report brings them all.
  edit.OnStatusChange = nullptr;
  edit.SetReadOnly(true);
  edit.MoveCaretTo({1, 5});
  reports.clear();
  edit.OnStatusChange = [&](TCustomCodeEdit*, TCodeStatusChanges changes) { reports.push_back(changes); };
  edit.SetInsertMode(true);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0] & (stcReadOnly | stcCaretLine | stcInsertMode), stcReadOnly | stcCaretLine | stcInsertMode);
}

TEST(CodeEditModelTest, RemovingLinesPullsTheViewBackAndCollapsesTheSelection) {
  TCodeEdit edit;
  Prepare(edit);
  edit.SetText(Numbered(100));
  const int rows = edit.VisibleRows();
  edit.MoveCaretTo({2, 10});
  edit.SetSelectionActiveEnd({4, 12});
  ASSERT_TRUE(edit.HasSelection());
  edit.ScrollToRow(200);
  EXPECT_EQ(edit.TopRow(), 100 - rows + 1);
  edit.Lines().DeleteLineRange(50, 50);
  EXPECT_EQ(edit.TopRow(), qMax(1, 50 - rows + 1));
  EXPECT_FALSE(edit.HasSelection());
  EXPECT_EQ(edit.SelectionAnchor(), edit.CaretPos());
  TCodeEdit pastEnd;
  Prepare(pastEnd);
  pastEnd.SetOptions(pastEnd.Options() | Opt(eoScrollPastEof));
  pastEnd.SetText(Numbered(100));
  pastEnd.ScrollToRow(200);
  EXPECT_EQ(pastEnd.TopRow(), 100);
}

TEST(CodeEditModelTest, CaretLineTextOfAnEmptyBufferCreatesTheLine) {
  TCodeEdit edit;
  EXPECT_EQ(edit.CaretLineText(), QString());
  edit.SetCaretLineText(QStringLiteral("select 1"));
  EXPECT_EQ(edit.Lines().Count(), 1);
  EXPECT_EQ(edit.Text(), QStringLiteral("select 1"));
}

TEST(CodeEditModelTest, RangesAreRescannedFromTheChangeToTheFirstUnchangedLine) {
  TCodeEdit edit;
  Prepare(edit);
  TCountingHighlighter hl;
  edit.SetText(Numbered(100, QStringLiteral("select ")));
  edit.SetHighlighter(&hl);
  EXPECT_EQ(hl.lines, 100); // every range once when the highlighter comes
  hl.lines = 0;
  edit.Lines().Put(49, QStringLiteral("select 'x'"));
  EXPECT_EQ(hl.lines, 1);
  hl.lines = 0;
  edit.Lines().Put(9, QStringLiteral("/* open")); // the rest of the text is a comment now
  EXPECT_EQ(hl.lines, 91);
  EXPECT_EQ(edit.Lines().GetLineRange(99), srsComment);
  hl.lines = 0;
  edit.Lines().Insert(20, QStringLiteral("*/"));
  EXPECT_EQ(hl.lines, 81);
  EXPECT_EQ(edit.Lines().GetLineRange(100), srsNormal);
  hl.lines = 0;
  edit.Lines().Delete(20);
  EXPECT_EQ(hl.lines, 80);
}

TEST(CodeEditModelTest, PaintingAsksTheHighlighterOnlyForVisibleLines) {
  TCodeEdit edit;
  Prepare(edit);
  edit.SetText(Numbered(1000, QStringLiteral("select ")));
  TCountingHighlighter hl;
  edit.SetHighlighter(&hl);
  edit.ScrollToRow(500);
  hl.lines = 0;
  TRecordingPaintDevice device(edit.viewport()->size());
  QPainter painter(&device);
  edit.PaintClipArea(painter, edit.viewport()->rect());
  painter.end();
  const int rows = (edit.viewport()->height() + edit.RowHeight() - 1) / edit.RowHeight(); // the last partly shown
  EXPECT_EQ(hl.lines, rows);
}

TEST(CodeEditModelTest, AChangedLineRepaintsItsRowOnly) {
  TRecordingEdit edit;
  Prepare(edit);
  edit.SetText(Numbered(50));
  edit.invalidated.clear();
  edit.Lines().Put(2, QStringLiteral("changed"));
  const int row = edit.RowHeight();
  const QRect text(edit.GutterPixelWidth(), 2 * row, edit.viewport()->width() - edit.GutterPixelWidth(), row);
  const QRect gutter(0, 2 * row, edit.GutterPixelWidth(), row);
  ASSERT_EQ(edit.invalidated.size(), 1u); // gathered while the buffer changed
  EXPECT_EQ(edit.invalidated[0], text | gutter);
  edit.invalidated.clear();
  auto* mark = new TCodeEditMark;
  mark->SetLine(3);
  mark->SetVisible(true);
  edit.Marks().Add(mark);
  ASSERT_EQ(edit.invalidated.size(), 1u);
  EXPECT_EQ(edit.invalidated[0], QRect(0, 0, edit.GutterPixelWidth(), edit.viewport()->height()));
}

} // namespace
