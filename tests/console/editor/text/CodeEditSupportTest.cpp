#include "console/editor/text/CodeEditSupport.h"
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <gtest/gtest.h>
#include <set>

namespace {

const QString kTab = QStringLiteral("\t");

struct TabCase {
  QString line;
  int width;
  int expandedLength;
  QString expanded;                         // tabs kept, one per column they span
  std::vector<std::pair<int, int>> columns; // character index -> display column
};

TEST(CodeEditSupportTest, TabExpansionAndColumnsFollowTheTabStops) {
  const TabCase cases[] = {
      {QStringLiteral("a\tb"), 4, 5, QStringLiteral("a\t\t\tb"), {{0, 1}, {1, 1}, {2, 2}, {3, 5}, {4, 6}, {6, 8}}},
      {QStringLiteral("a\tb"), 1, 3, QStringLiteral("a b"), {{2, 2}, {3, 3}, {5, 5}}},
      {QStringLiteral("\tx"), 8, 9, kTab.repeated(8) + QStringLiteral("x"), {{1, 1}, {2, 9}, {3, 10}}},
      {QStringLiteral("ab\tc"), 3, 4, QStringLiteral("ab\tc"), {{3, 3}, {4, 4}}},
      {QStringLiteral("abc\td"), 3, 7, QStringLiteral("abc\t\t\td"), {{4, 4}, {5, 7}}},
      {QStringLiteral("\t\t"), 2, 4, kTab.repeated(4), {{2, 3}, {3, 5}}},
      {QStringLiteral("abc"), 4, 3, QStringLiteral("abc"), {{3, 3}, {9, 9}}},
      {QString(), 4, 0, QString(), {{1, 1}, {4, 4}}},
  };
  for (const TabCase& c : cases) {
    SCOPED_TRACE(c.line.toStdString() + " width " + std::to_string(c.width));
    EXPECT_EQ(ExpandedLength(c.line, c.width), c.expandedLength);
    bool hasTabs = false;
    const QString expanded = ChooseTabExpander(c.width)(c.line, c.width, hasTabs);
    EXPECT_EQ(expanded, c.expanded);
    EXPECT_EQ(hasTabs, c.line.contains(u'\t'));
    if (c.width > 1) {
      bool any = false;
      EXPECT_EQ(ExpandTabsAnyWidth(c.line, c.width, any), c.expanded);
    }
    for (auto [index, column] : c.columns)
      EXPECT_EQ(CharIndexToColumn(index, c.width, c.line), column) << index;
  }
}

TEST(CodeEditSupportTest, ALineWithoutTabsIsSharedNotCopied) {
  const QString line = QStringLiteral("select 1");
  bool hasTabs = true;
  const QString expanded = ExpandTabsPowerOfTwo(line, 4, hasTabs);
  EXPECT_FALSE(hasTabs);
  EXPECT_EQ(expanded.constData(), line.constData());
  int count = -1;
  EXPECT_FALSE(FindFirstTab(line, count));
  EXPECT_EQ(count, 8);
  EXPECT_TRUE(FindFirstTab(QStringLiteral("ab\tc\t"), count));
  EXPECT_EQ(count, 2);
}

TEST(CodeEditSupportTest, TabWidthsChooseTheirExpander) {
  struct Case {
    int width;
    bool powerOfTwo;
    TExpandTabsFunc expander;
  };
  const Case cases[] = {
      {0, false, ExpandTabsWidthOne},      {1, false, ExpandTabsWidthOne},  {2, true, ExpandTabsPowerOfTwo},
      {6, false, ExpandTabsAnyWidth},      {8, true, ExpandTabsPowerOfTwo}, {65536, true, ExpandTabsPowerOfTwo},
      {131072, false, ExpandTabsAnyWidth}, {-4, false, ExpandTabsWidthOne},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    EXPECT_EQ(IsPowerOfTwoWidth(c.width), c.powerOfTwo);
    EXPECT_EQ(ChooseTabExpander(c.width), c.expander);
  }
}

TEST(CodeEditSupportTest, ClampMulDivAndEarlierPoint) {
  EXPECT_EQ(ClampInt(5, 10, 1), 10);
  EXPECT_EQ(ClampInt(5, 1, 10), 5);
  EXPECT_EQ(ClampInt(-3, 1, 10), 1);
  EXPECT_EQ(ClampInt(30, 1, 10), 10);
  EXPECT_EQ(MulDiv(5, 3, 2), 8);
  EXPECT_EQ(MulDiv(-5, 3, 2), -8);
  EXPECT_EQ(MulDiv(1, 1, 3), 0);
  EXPECT_EQ(MulDiv(2, 1, 3), 1);
  EXPECT_EQ(MulDiv(255, 1, -2), -128);
  EXPECT_EQ(EarlierPoint({3, 2}, {1, 3}), (TBufferCoord{3, 2}));
  EXPECT_EQ(EarlierPoint({5, 4}, {2, 4}), (TBufferCoord{2, 4}));
  EXPECT_EQ(EarlierPoint({2, 4}, {5, 4}), (TBufferCoord{2, 4}));
  int a = 1, b = 2;
  SwapInts(a, b);
  EXPECT_EQ(a * 10 + b, 21);
}

TEST(CodeEditSupportTest, ScansStepOverCharactersOfTwoCodeUnits) {
  // a, U+1F600 (two code units at 2 and 3), b, blank, c
  const QString line = QStringLiteral("a") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("b c");
  const TCodeCharSet blank{' '};
  const TCodeCharSet ac{'a', 'c'};
  const TCodeCharSet foreign = TCodeCharSet().IncludeForeignOthers();
  struct Case {
    const char* what;
    int result;
    int expected;
  };
  const Case cases[] = {
      {"blank from 1", ScanForCharInSet(line, 1, blank), 5},
      {"from the second half", ScanForCharInSet(line, 3, TCodeCharSet{'b'}), 4},
      {"halves never match", ScanForCharInSet(line, 1, foreign), 0},
      {"start 0", ScanForCharInSet(line, 0, blank), 0},
      {"start past the end", ScanForCharInSet(line, 7, blank), 0},
      {"back from the end", ScanBackForCharInSet(line, 6, ac), 6},
      {"back from the blank", ScanBackForCharInSet(line, 5, ac), 1},
      {"back, halves never match", ScanBackForCharInSet(line, 6, foreign), 0},
      {"back from 0", ScanBackForCharInSet(line, 0, ac), 0},
      {"lead from 1", ScanForLeadByte(line, 1), 2},
      {"lead from the second half", ScanForLeadByte(line, 3), 0},
      {"last lead", ScanBackForLeadByte(line, 6), 2},
      {"no lead before", ScanBackForLeadByte(line, 1), 0},
      {"lead past the end", ScanForLeadByte(line, 9), 0},
      {"a lone first half at the end",
       ScanForCharInSet(QString(QStringLiteral("ab") + QChar(0xD83D)), 1, TCodeCharSet{'z'}), 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.result, c.expected) << c.what;
  EXPECT_TRUE(IsTrailByte(line, 3));
  EXPECT_FALSE(IsTrailByte(line, 2));
  EXPECT_FALSE(IsTrailByte(line, 4));
}

TEST(CodeEditSupportTest, CharacterSetsKnowCodePageLettersAndForeignCharacters) {
  const TCodeCharSet ident = TCodeCharSet::Range('a', 'z').IncludeRange(192, 255).IncludeForeignLetters();
  EXPECT_TRUE(ident.Contains(QChar(u'č'))); // 1250 byte 0xE8
  EXPECT_TRUE(ident.Contains(QChar(u'Ж'))); // not in 1250: a foreign letter
  EXPECT_FALSE(ident.Contains(QChar(u'-')));
  const TCodeCharSet white = ident.Complement();
  EXPECT_TRUE(white.Contains(QChar(u'-')));
  EXPECT_TRUE(white.Contains(QChar(u'→')));  // foreign, not a letter
  EXPECT_FALSE(white.Contains(QChar(u'Č'))); // 1250 byte 0xC8
  EXPECT_FALSE(white.ContainsByte(0));
  EXPECT_EQ((ident - TCodeCharSet{'q'}).Contains(QChar(u'q')), false);
  EXPECT_EQ((TCodeCharSet{'q'} + TCodeCharSet{'-'}).Contains(QChar(u'-')), true);
}

TEST(CodeEditSupportTest, FindLineEnd) {
  EXPECT_EQ(FindLineEnd(u"ab\ncd"), 2);
  EXPECT_EQ(FindLineEnd(u"a\rb"), 1);
  EXPECT_EQ(FindLineEnd(QStringView(u"x\0y", 3)), 1);
  EXPECT_EQ(FindLineEnd(u"abc"), 3);
  EXPECT_EQ(FindLineEnd(QStringView()), -1);
}

// The distinct colours along one row (horizontal) or column of the image.
std::set<QRgb> BandColors(const QImage& image, bool horizontal) {
  std::set<QRgb> colors;
  const int n = horizontal ? image.width() : image.height();
  for (int i = 0; i < n; ++i)
    colors.insert(horizontal ? image.pixel(i, 0) : image.pixel(0, i));
  return colors;
}

TEST(CodeEditSupportTest, GradientPaintsClampedBandCountsFromStartToEndColour) {
  struct Case {
    int steps;
    bool horizontal;
    size_t bands;
  };
  const Case cases[] = {{1, true, 2}, {48, true, 48}, {1000, true, 256}, {4, false, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.steps);
    QImage image(512, 512, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    PaintGradient(painter, clBlack, clWhite, c.steps, image.rect(), c.horizontal);
    painter.end();
    EXPECT_EQ(BandColors(image, c.horizontal).size(), c.bands);
    EXPECT_EQ(BandColors(image, !c.horizontal).size(), 1u); // across the bands: one colour
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(511, 511), qRgb(255, 255, 255));
  }
}

} // namespace
