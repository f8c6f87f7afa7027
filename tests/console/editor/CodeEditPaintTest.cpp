#include "EditorTestSupport.h"
#include "console/editor/CodeEdit.h"
#include "console/editor/text/CodeEditHighlighterSQL.h"
#include "core/ui/ImageList.h"
#include <QtGui/QPainter>
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
