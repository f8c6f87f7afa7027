#include "util/UxDrawUtils.h"
#include <QtGui/QFontDatabase>
#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace {

TEST(DrawRoutinesTest, ShortenTextKeepsTheLongestPrefixThatFits) {
  const QFontMetrics metrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
  const QString text = QStringLiteral("Zoznam členov základnej organizácie");
  const int full = metrics.horizontalAdvance(text);
  const int dots = metrics.horizontalAdvance(QStringLiteral("..."));
  for (int width : {full + 10, full, full - 1, full / 2, dots + 1, dots, dots - 1, 0}) {
    SCOPED_TRACE(width);
    const QString shortened = ShortenText(text, metrics, width);
    if (width >= full) {
      EXPECT_EQ(shortened, text);
      continue;
    }
    ASSERT_TRUE(shortened.endsWith(QStringLiteral("...")));
    const qsizetype n = shortened.size() - 3;
    EXPECT_EQ(shortened.left(n), text.left(n));
    if (n > 0) {
      EXPECT_LE(metrics.horizontalAdvance(shortened), width);
    } // "..." alone may be wider
    if (n < text.size() - 2) {
      EXPECT_GT(metrics.horizontalAdvance(text.left(n + 1) + QStringLiteral("...")), width);
    }
  }
  EXPECT_EQ(ShortenText(QString(), metrics, 0), QString());
}

TEST(DrawRoutinesTest, CutGlyphTakesTheIndexedCell) {
  QImage strip(40, 20, QImage::Format_ARGB32);
  const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(9, 9, 9)};
  for (int i = 0; i < 4; ++i)
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 20; ++x)
        strip.setPixel((i % 2) * 20 + x, (i / 2) * 10 + y, colours[i]);
  struct Case {
    int columns, index, rows;
    QSize size;
    QRgb colour;
  };
  for (const Case& c :
       {Case{2, 3, 2, {20, 10}, colours[3]}, Case{2, 1, 2, {20, 10}, colours[1]}, Case{2, -5, 2, {20, 10}, colours[0]},
        Case{0, 0, 0, {40, 20}, colours[0]}, Case{2, 2, 2, {20, 10}, colours[2]}}) {
    SCOPED_TRACE(c.index);
    const QImage glyph = CutGlyph(strip, c.columns, c.index, c.rows);
    EXPECT_EQ(glyph.size(), c.size);
    EXPECT_EQ(glyph.pixel(0, 0), c.colour);
  }
}

TEST(DrawRoutinesTest, DisabledBitmapEmbossesTheShape) {
  QImage glyph(4, 4, QImage::Format_ARGB32);
  glyph.fill(Qt::white);
  glyph.setPixel(1, 1, qRgb(0, 0, 0));
  const QColor back(192, 192, 192), shadow(128, 128, 128), light(255, 255, 255);
  const QImage embossed = MakeDisabledBitmapEx(glyph, Qt::white, back, true, shadow, light);
  EXPECT_EQ(embossed.pixel(1, 1), shadow.rgb());
  EXPECT_EQ(embossed.pixel(2, 2), light.rgb());
  EXPECT_EQ(embossed.pixel(0, 0), back.rgb());
  EXPECT_EQ(MakeDisabledBitmapEx(glyph, Qt::white, back, false, shadow, light).pixel(2, 2), back.rgb());

  QImage canvas(6, 6, QImage::Format_ARGB32);
  canvas.fill(Qt::black);
  QPainter painter(&canvas);
  DrawImageDisabled(painter, glyph, 2, 2, true, shadow, light);
  painter.end();
  EXPECT_EQ(canvas.pixel(3, 3), shadow.rgb());
  EXPECT_EQ(canvas.pixel(4, 4), light.rgb());
  EXPECT_EQ(canvas.pixel(2, 2), qRgb(0, 0, 0));
}

} // namespace
