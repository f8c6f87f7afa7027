#include "console/editor/CodeTextDrawer.h"
#include "EditorTestSupport.h"
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace {

TEST(CodeTextDrawerTest, FontsAreSharedPerNormalisedFont) {
  TheFontsInfoManager& manager = TheFontsInfoManager::Instance();
  const int before = manager.Count();
  QFont font = EditorTestFont(11);
  QFont italic = font;
  italic.setItalic(true);
  italic.setUnderline(true);
  {
    TheTextDrawer first(fsBold, font);
    TheTextDrawer second(0, italic);
    EXPECT_EQ(manager.Count(), before + 1);
    TheFontStock stock(font);
    EXPECT_EQ(stock.FontInfo()->RefCount, 3);
    stock.SetBaseFont(font);
    EXPECT_EQ(stock.FontInfo()->RefCount, 3);
    QFont bold = font;
    bold.setBold(true);
    TheFontStock boldStock(bold); // the weight stays in the key
    EXPECT_EQ(manager.Count(), before + 2);
    EXPECT_NE(boldStock.FontInfo(), stock.FontInfo());
    // Style variants are made on first use.
    EXPECT_FALSE(stock.StyleData(fsStrikeOut).Font.has_value());
    stock.SetStyle(fsStrikeOut);
    EXPECT_TRUE(stock.StyleData(fsStrikeOut).Font->strikeOut());
    EXPECT_TRUE(first.CurrentFont().family() == font.family());
  }
  EXPECT_EQ(manager.Count(), before);
}

TEST(CodeTextDrawerTest, TheCellComesFromTheMeasuringStyle) {
  const QFont font = EditorTestFont(10);
  QFont bold = font;
  bold.setBold(true);
  TheTextDrawer drawer(fsBold, font);
  EXPECT_EQ(drawer.CharWidth(), QFontMetrics(bold).horizontalAdvance(u'M'));
  EXPECT_EQ(drawer.CharHeight(), QFontMetrics(bold).height());
  drawer.SetCharExtra(2);
  EXPECT_EQ(drawer.CharWidth(), QFontMetrics(bold).horizontalAdvance(u'M') + 2);
  drawer.SetCharExtra(0);
  drawer.SetBaseStyle(0);
  EXPECT_EQ(drawer.CharWidth(), QFontMetrics(font).horizontalAdvance(u'M'));
  EXPECT_EQ(drawer.Overhang(u'x'), 0);
  drawer.SetStyle(fsItalic);
  EXPECT_TRUE(drawer.CurrentFont().italic());
}

TEST(CodeTextDrawerTest, RunsAreWrittenOneCharacterPerCell) {
  // A proportional font still falls on the grid: one cell per character.
  QFont sans(QStringLiteral("Liberation Sans"), 10);
  TheTextDrawer drawer(0, EditorTestFont(10));
  drawer.SetBaseFont(sans);
  const int cell = drawer.CharWidth();
  TRecordingPaintDevice device(QSize(300, 50));
  QPainter painter(&device);
  drawer.SetBackColor(clYellow);
  drawer.SetForeColor(clNavy);
  drawer.BeginDrawing(&painter);
  drawer.BeginDrawing(&painter);
  EXPECT_EQ(drawer.DrawingDepth(), 2);
  drawer.SpacedTextOut(10, 5, true, QRect(10, 5, 3 * cell, 20), u"iWi");
  EXPECT_FALSE(painter.hasClipping()); // the clip was the run's only
  drawer.EndDrawing();
  EXPECT_EQ(drawer.DrawingDepth(), 1);
  drawer.EndDrawing();
  painter.end();
  const auto fills = device.OpsOf(TPaintOp::Fill);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].rect, QRect(10, 5, 3 * cell, 20));
  EXPECT_EQ(fills[0].color, QColor(Qt::yellow));
  const auto texts = device.OpsOf(TPaintOp::Text);
  ASSERT_EQ(texts.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(texts[i].point.x(), 10 + i * cell);
    EXPECT_EQ(texts[i].color, QColor(0, 0, 128));
    EXPECT_EQ(texts[i].rect, QRect(10, 5, 3 * cell, 20));
  }

  // The fixed-pitch font's advance is the cell: the run goes in one piece.
  TRecordingPaintDevice mono(QSize(300, 50));
  QPainter monoPainter(&mono);
  TheTextDrawer monoDrawer(0, EditorTestFont(10));
  monoDrawer.BeginDrawing(&monoPainter);
  monoDrawer.SpacedTextOut(0, 0, false, QRect(0, 0, 300, 20), u"select 1");
  monoDrawer.EndDrawing();
  monoPainter.end();
  EXPECT_EQ(mono.Texts(), QStringList{QStringLiteral("select 1")});
  EXPECT_TRUE(mono.OpsOf(TPaintOp::Fill).empty());
}

} // namespace
