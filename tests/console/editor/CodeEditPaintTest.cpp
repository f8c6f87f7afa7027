#include "EditorTestSupport.h"
#include "console/editor/CodeEdit.h"
#include "console/editor/text/CodeEditHighlighterSQL.h"
#include "core/ui/ImageList.h"
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Span = std::pair<int, int>; // [from, to) in pixels

class CodeEditPaintTest : public ::testing::Test {
protected:
  void SetUp() override {
    edit.SetFont(EditorTestFont(10));
    edit.SetBorderStyle(bsNone);
    edit.SetScrollBars(ssNone);
    edit.SetColor(clWhite);
    edit.SetFontColor(clBlack);
    edit.SelectedColor().SetBackground(clNavy);
    edit.SelectedColor().SetForeground(clYellow);
    edit.resize(400, 160);
    edit.show();
    cell = edit.CharCellWidth();
    rowHeight = edit.RowHeight();
  }
  std::unique_ptr<TRecordingPaintDevice> Paint() {
    auto device = std::make_unique<TRecordingPaintDevice>(edit.viewport()->size());
    QPainter painter(device.get());
    edit.PaintClipArea(painter, edit.viewport()->rect());
    return device;
  }
  int X(int column) const { return edit.TextOriginX() + (column - 1) * cell; }
  int Right() const { return edit.viewport()->width(); }
  // The merged horizontal spans that fills of the colour cover on a row.
  std::vector<Span> Spans(const TRecordingPaintDevice& device, TColor color, int row) const {
    std::vector<Span> spans;
    for (const TPaintOp& op : device.OpsOf(TPaintOp::Fill)) {
      if (op.color != Rgb(color) || op.rect.top() > (row - 1) * rowHeight || op.rect.bottom() < row * rowHeight - 1)
        continue;
      spans.emplace_back(op.rect.left(), op.rect.left() + op.rect.width());
    }
    std::sort(spans.begin(), spans.end());
    std::vector<Span> merged;
    for (const Span& s : spans) {
      if (!merged.empty() && s.first <= merged.back().second)
        merged.back().second = std::max(merged.back().second, s.second);
      else
        merged.push_back(s);
    }
    return merged;
  }
  TCodeEdit edit;
  int cell = 0;
  int rowHeight = 0;
};

TEST_F(CodeEditPaintTest, SelectionIsPaintedPerMode) {
  edit.SetText(QStringLiteral("abcdef\r\nghijkl\r\nmnopqr"));
  struct Case {
    TCodeSelectionMode mode;
    TBufferCoord anchor, activeEnd;
    std::vector<Span> rows[3];
  };
  const int left = edit.GutterPixelWidth() + 2;
  const Case cases[] = {
      {smNormal, {3, 1}, {4, 3}, {{{X(3), Right()}}, {{left, Right()}}, {{left, X(4)}}}},
      {smNormal, {5, 1}, {2, 1}, {{{X(2), X(5)}}, {}, {}}},
      {smLine, {3, 1}, {2, 3}, {{{left, Right()}}, {{left, Right()}}, {{left, Right()}}}},
      {smColumn, {4, 3}, {2, 1}, {{{X(2), X(4)}}, {{X(2), X(4)}}, {{X(2), X(4)}}}},
      {smColumn, {3, 1}, {3, 3}, {{}, {}, {}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.mode));
    edit.SetSelectionMode(c.mode);
    edit.SetSelectionAnchor(c.anchor);
    edit.SetSelectionActiveEnd(c.activeEnd);
    const auto device = Paint();
    for (int row = 1; row <= 3; ++row)
      EXPECT_EQ(Spans(*device, clNavy, row), c.rows[row - 1]) << "row " << row;
    bool yellowText = false;
    for (const TPaintOp& op : device->OpsOf(TPaintOp::Text))
      yellowText = yellowText || op.color == Rgb(clYellow);
    EXPECT_EQ(yellowText, !c.rows[0].empty());
  }
}

TEST_F(CodeEditPaintTest, TheActiveLineIsColouredToTheRightEdgeAndKeepsItsSelection) {
  edit.SetText(QStringLiteral("one\r\ntwo words\r\nthree"));
  edit.SetActiveLineColor(clAqua);
  edit.MoveCaretTo({4, 2});
  edit.SetSelectionAnchor({4, 2});
  edit.SetSelectionActiveEnd({6, 2});
  const auto device = Paint();
  EXPECT_EQ(Spans(*device, clNavy, 2), (std::vector<Span>{{X(4), X(6)}}));
  EXPECT_EQ(Spans(*device, clAqua, 2), (std::vector<Span>{{edit.GutterPixelWidth() + 2, X(4)}, {X(6), Right()}}));
  EXPECT_TRUE(Spans(*device, clAqua, 1).empty());
  EXPECT_EQ(Spans(*device, clWhite, 1), (std::vector<Span>{{edit.GutterPixelWidth(), Right()}}));
}

TEST_F(CodeEditPaintTest, SpecialCharactersShowBlanksTabsAndLineEnds) {
  edit.SetText(QStringLiteral("\tx y"));
  edit.SetOptions(edit.Options() | Opt(eoShowSpecialChars));
  const auto device = Paint();
  const QStringList texts = device->Texts();
  ASSERT_EQ(texts.size(), 2);
  EXPECT_EQ(texts[0], QStringLiteral("        x·y¶"));
  EXPECT_EQ(texts[1], QStringLiteral("»"));
  // The tab sign is centred in the tab's eight cells: between columns 4 and 5.
  EXPECT_EQ(device->OpsOf(TPaintOp::Text)[1].point.x(), X(4) + cell / 2);
}

TEST_F(CodeEditPaintTest, TheRightEdgeIsDrawnOnlyForAPositiveColumn) {
  edit.SetText(QStringLiteral("select 1"));
  edit.SetRightEdge(10);
  auto device = Paint();
  const auto lines = device->OpsOf(TPaintOp::Line);
  ASSERT_FALSE(lines.empty());
  for (const TPaintOp& op : lines) {
    if (op.rect.left() < edit.GutterPixelWidth()) continue; // the gutter's border
    EXPECT_EQ(op.rect.left(), edit.TextOriginX() + 10 * cell);
    EXPECT_EQ(op.color, Rgb(clSilver));
  }
  edit.SetRightEdge(0);
  device = Paint();
  for (const TPaintOp& op : device->OpsOf(TPaintOp::Line))
    EXPECT_LT(op.rect.left(), edit.GutterPixelWidth());
}

TEST_F(CodeEditPaintTest, MarksAreDrawnInTwoPasses) {
  edit.SetText(QStringLiteral("a\r\nb"));
  TImageList images(11, 14);
  for (int i = 0; i < 3; ++i)
    images.Add(QPixmap(11, 14));
  edit.BookMarkOptions().SetBookmarkImages(&images);
  const auto addMark = [&](int slot, int image, bool builtIn) {
    auto* mark = new TCodeEditMark;
    mark->SetLine(1);
    mark->SetBookmarkSlot(slot);
    mark->SetImageIndex(image);
    mark->SetUseBuiltInImage(builtIn);
    mark->SetVisible(true);
    edit.Marks().Add(mark);
  };
  addMark(-1, 1, false); // a plain mark first in the list
  addMark(0, 0, false);  // a bookmark
  const auto xs = [&] {
    std::vector<int> found;
    for (const TPaintOp& op : Paint()->OpsOf(TPaintOp::Image))
      found.push_back(op.rect.left());
    return found;
  };
  EXPECT_EQ(xs(), (std::vector<int>{2, 14})); // the bookmark first, then the plain mark beside it
  edit.BookMarkOptions().SetDrawBookmarksFirst(false);
  EXPECT_EQ(xs(), (std::vector<int>{2, 14})); // now the plain mark first
  edit.Marks().ClearAll();
  addMark(0, 0, true);
  addMark(1, 1, true);
  EXPECT_EQ(xs(), (std::vector<int>{2})); // a second built-in picture is not drawn over the first
}

TEST_F(CodeEditPaintTest, ContinuationRowsShowTheWrapGlyph) {
  edit.resize(edit.GutterPixelWidth() + 2 + 10 * cell, 160);
  edit.SetText(QStringLiteral("alpha beta gamma\r\nx"));
  edit.SetWordWrap(true);
  const auto images = Paint()->OpsOf(TPaintOp::Image);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].rect.left(), edit.GutterPixelWidth() - 2 - 2 - 15);
  EXPECT_EQ(images[0].rect.top(), rowHeight + (rowHeight - 14) / 2);
}

// A highlighter that gives empty tokens: only the range scan ever ends.
class TStuckHighlighter : public TCodeSQLHighlighter {
public:
  void StartLine(const QString&, int) override { steps_ = 0; }
  void NextToken() override { ++steps_; }
  bool AtLineEnd() const override { return steps_ > 1000; }
  QString TokenText() const override { return QString(); }

private:
  int steps_ = 0;
};

TEST_F(CodeEditPaintTest, AHighlighterThatNeverMovesStopsThePaint) {
  edit.SetText(QStringLiteral("select 1"));
  TStuckHighlighter hl;
  edit.SetHighlighter(&hl);
  try {
    Paint();
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("The highlighter seems to be in an infinite loop"));
  }
  edit.SetHighlighter(nullptr);
  EXPECT_EQ(Paint()->Texts(), QStringList{QStringLiteral("select 1")});
}

TEST_F(CodeEditPaintTest, SpecialLinesTakeTheirColoursAndSwapThemForTheSelection) {
  edit.SetText(QStringLiteral("one\r\ntwo\r\nthree"));
  edit.OnSpecialLineColors = [](TCustomCodeEdit*, int line, bool& special, TColor& foreground, TColor& background) {
    if (line != 2) return;
    special = true;
    foreground = clWhite;
    background = clRed;
  };
  edit.SetSelectionAnchor({2, 2});
  edit.SetSelectionActiveEnd({3, 2});
  const auto device = Paint();
  EXPECT_EQ(Spans(*device, clRed, 2), (std::vector<Span>{{edit.GutterPixelWidth() + 2, X(2)}, {X(3), Right()}}));
  EXPECT_EQ(Spans(*device, clWhite, 2),
            (std::vector<Span>{{edit.GutterPixelWidth(), edit.GutterPixelWidth() + 2}, {X(2), X(3)}}));
  EXPECT_TRUE(Spans(*device, clRed, 1).empty());
}

TEST_F(CodeEditPaintTest, TokensAreCutAtTheViewsEdges) {
  TCodeSQLHighlighter hl;
  edit.SetHighlighter(&hl);
  edit.SetText(QStringLiteral("abcdef select ") + QString(80, u'x'));
  edit.ScrollToColumn(3);
  ASSERT_EQ(edit.LeftColumn(), 3);
  const auto texts = Paint()->OpsOf(TPaintOp::Text);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0].text, QStringLiteral("cdef ")); // the straddling token from the first visible column
  EXPECT_EQ(texts[0].point.x(), edit.GutterPixelWidth() + 2);
  const int lastVisible = edit.VisibleColumns() + 3;
  const QString& last = texts.back().text;
  EXPECT_TRUE(last.startsWith(u'x'));
  EXPECT_LE(texts.back().point.x() + int(last.size()) * cell, edit.TextOriginX() + lastVisible * cell);
  // The two pixels beside the gutter always take the text background.
  EXPECT_FALSE(Spans(*Paint(), clWhite, 1).empty());
}

} // namespace

namespace {

// What the window shows now: the pixels the editor's paints left in the
// window's backing store (as a user sees them), not a fresh rendering.
QImage Shown(const QWidget& window) {
  return window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

// The rows of a new editor that holds the same text at the same place,
// painted whole.
QImage DrawnFromText(const TCodeEdit& edit) {
  TCodeEdit fresh;
  fresh.SetOptions(edit.Options());
  ShowEditor(fresh, edit.width(), edit.height());
  fresh.SetFont(edit.font());
  fresh.SetText(edit.Text());
  fresh.ScrollToRow(edit.TopRow());
  fresh.ScrollToColumn(edit.LeftColumn());
  return fresh.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The first row (0-based) whose pixels differ, or -1.
int FirstDifferentRow(const QImage& shown, const QImage& expected, int rowHeight) {
  if (shown.size() != expected.size()) return 0;
  for (int y = 0; y < shown.height(); ++y)
    if (std::memcmp(shown.constScanLine(y), expected.constScanLine(y), size_t(shown.bytesPerLine())) != 0)
      return y / rowHeight;
  return -1;
}

} // namespace

// Scrolling sideways and back, up and down, typing and deleting: after each
// step the window shows exactly the rows of the text at the place shown.
TEST(CodeEditScrollPaintTest, ShowsTheTextItHoldsAfterScrollingTypingAndDeleting) {
  QString text;
  for (int line = 1; line <= 60; ++line) {
    text += QStringLiteral("%1 jedin, priezvisko, meno").arg(line, 3, 10, QLatin1Char('0'));
    for (int i = 0; i < line % 7 + 2; ++i)
      text += QStringLiteral(" | stlpec%1 = 'hodnota %2'").arg(i).arg(line * 7 + i);
    text += QStringLiteral("\r\n");
  }
  TCodeEdit edit;
  edit.SetOptions(edit.Options() | Opt(eoNoCaret)); // a blinking caret is no part of the text
  ShowEditor(edit, 420, 220);
  edit.SetText(text);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
  const auto settle = [] {
    for (int i = 0; i < 3; ++i)
      QCoreApplication::processEvents();
  };
  settle();
  const QImage first = Shown(edit);
  EXPECT_EQ(FirstDifferentRow(first, DrawnFromText(edit), edit.RowHeight()), -1);

  struct Step {
    const char* what;
    std::function<void()> act;
  };
  const auto keys = [&edit](std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> presses) {
    return [&edit, presses] {
      for (const auto& [key, modifiers] : presses)
        QTest::keyClick(&edit, key, modifiers);
    };
  };
  const Step steps[] = {
      {"three columns right", [&] { edit.ScrollToColumn(4); }},
      {"seven more, one by one",
       [&] {
         for (int i = 0; i < 7; ++i)
           edit.ScrollToColumn(edit.LeftColumn() + 1);
       }},
      {"to the end of a long line", keys({{Qt::Key_Down, {}}, {Qt::Key_Down, {}}, {Qt::Key_End, {}}})},
      {"typing there", [&] { QTest::keyClicks(&edit, QStringLiteral("jedin,,x")); }},
      {"deleting back", keys({{Qt::Key_Backspace, {}}, {Qt::Key_Backspace, {}}, {Qt::Key_Backspace, {}}})},
      {"home", keys({{Qt::Key_Home, {}}})},
      {"down a page and sideways",
       [&] {
         QTest::keyClick(&edit, Qt::Key_PageDown);
         edit.ScrollToColumn(12);
         edit.ScrollToRow(edit.TopRow() - 3);
       }},
      {"typing at the line start", [&] { QTest::keyClicks(&edit, QStringLiteral("abc")); }},
      {"deleting a line", keys({{Qt::Key_Y, Qt::ControlModifier}})},
      {"a larger font while scrolled sideways",
       [&] {
         edit.ScrollToColumn(9);
         edit.SetFont(EditorTestFont(12));
       }},
      {"back to the top left", keys({{Qt::Key_Home, Qt::ControlModifier}})},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    settle();
    EXPECT_EQ(FirstDifferentRow(Shown(edit), DrawnFromText(edit), edit.RowHeight()), -1)
        << "top row " << edit.TopRow() << ", left column " << edit.LeftColumn();
    if (&step == &steps[0]) {
      EXPECT_NE(FirstDifferentRow(first, Shown(edit), edit.RowHeight()), -1); // the text moved
    }
  }
}
