#include "EditorTestSupport.h"
#include "console/editor/CodeEdit.h"
#include "console/editor/CodeEditInternalImage.h"
#include "console/editor/text/CodeEditErrors.h"
#include "core/ui/ImageList.h"
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace {

QString Lines(int count) {
  QStringList lines;
  for (int i = 1; i <= count; ++i)
    lines << QString::number(i);
  return lines.join(QStringLiteral("\r\n"));
}

TEST(CodeEditSettingsTest, GutterTextsAndWidthsFollowTheLineCount) {
  struct Case {
    int lines;
    int digitCount;
    bool leadingZeros;
    int start;
    int shownDigits;
    const char* firstText;
    const char* lastText;
  };
  const Case cases[] = {
      {9, 2, false, 1, 2, " 1", " 9"},
      {99, 2, false, 1, 2, " 1", "99"},
      {999, 2, false, 1, 3, "  1", "999"},
      {100000, 2, false, 1, 6, "     1", "100000"},
      {9, 4, true, 1, 4, "0001", "0009"},
      {9, 2, false, 10, 2, "10", "18"},
      {100, 2, false, 0, 2, " 0", "99"},
      {1000, 1, true, 1, 4, "0001", "1000"},
      {5, 20, false, 1, 12, "           1", "           5"},
  };
  const QFont gutterFont = EditorTestFont(8);
  QFont bold = gutterFont;
  bold.setBold(true);
  const int charWidth = QFontMetrics(bold).horizontalAdvance(u'M');
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.lines) + " lines, start " + std::to_string(c.start));
    TCodeEdit edit;
    TCodeGutter& gutter = edit.Gutter();
    gutter.SetFont(gutterFont);
    gutter.SetShowLineNumbers(true);
    gutter.SetAutoSize(true);
    gutter.SetDigitCount(c.digitCount);
    gutter.SetLeadingZeros(c.leadingZeros);
    gutter.SetLineNumberStart(c.start);
    edit.SetText(Lines(c.lines));
    EXPECT_EQ(gutter.ShownDigits(), c.shownDigits);
    EXPECT_EQ(gutter.LineNumberText(1), QLatin1String(c.firstText));
    EXPECT_EQ(gutter.LineNumberText(c.lines), QLatin1String(c.lastText));
    EXPECT_EQ(edit.GutterPixelWidth(), 16 + 2 + c.shownDigits * charWidth + 2);
    EXPECT_EQ(edit.TextOriginX(), edit.GutterPixelWidth() + 2);
  }
}

TEST(CodeEditSettingsTest, GutterSettingsClampAndNotify) {
  TCodeGutter gutter;
  int notices = 0;
  gutter.OnChange = [&](TCodeGutter*) { ++notices; };
  gutter.SetWidth(30);
  gutter.SetColor(clBtnFace);
  EXPECT_EQ(notices, 0);
  gutter.SetBorderStyle(gbsMiddle); // notifies even when equal
  EXPECT_EQ(notices, 1);
  gutter.SetLineNumberStart(-5);
  EXPECT_EQ(gutter.LineNumberStart(), 0);
  EXPECT_TRUE(gutter.ZeroStart());
  gutter.SetLineNumberStart(3);
  EXPECT_FALSE(gutter.ZeroStart());
  gutter.SetLeftOffset(-1);
  gutter.SetWidth(-7);
  gutter.SetGradientSteps(1);
  EXPECT_EQ(gutter.LeftOffset(), 0);
  EXPECT_EQ(gutter.Width(), 0);
  EXPECT_EQ(gutter.GradientSteps(), 2);
  gutter.SetWidth(30);
  gutter.SetLeftOffset(16);
  EXPECT_EQ(gutter.PixelWidth(8), 30); // no line numbers: its width
  gutter.SetShowLineNumbers(true);
  EXPECT_EQ(gutter.PixelWidth(8), 52);
  gutter.SetVisible(false);
  EXPECT_EQ(gutter.PixelWidth(8), 0);
  gutter.SetVisible(true);
  gutter.SetAutoSize(true);
  notices = 0;
  gutter.FitDigitsToLineCount(12345);
  EXPECT_EQ(gutter.ShownDigits(), 5);
  EXPECT_EQ(notices, 1);
  gutter.FitDigitsToLineCount(10);
  EXPECT_EQ(gutter.ShownDigits(), 4);
  EXPECT_EQ(gutter.LineNumberText(12345), QStringLiteral("12347")); // starts at 3

  TCodeGutter copy;
  copy.SetCursor(Qt::PointingHandCursor);
  notices = 0;
  copy.OnChange = [&](TCodeGutter*) { ++notices; };
  copy.Assign(gutter);
  EXPECT_EQ(notices, 1);
  EXPECT_EQ(copy.ShowLineNumbers(), true);
  EXPECT_EQ(copy.Cursor(), Qt::PointingHandCursor);
}

TEST(CodeEditSettingsTest, MarksNotifyAndListByLine) {
  TCodeEditMark mark;
  int notices = 0;
  mark.OnChange = [&](TCodeEditMark*) { ++notices; };
  mark.SetLine(3);
  mark.SetImageIndex(1);
  EXPECT_EQ(notices, 0); // invisible
  mark.SetVisible(true);
  EXPECT_EQ(notices, 1);
  mark.SetLine(5); // the old and the new line repaint
  EXPECT_EQ(notices, 3);
  mark.SetColumn(9);
  EXPECT_EQ(notices, 3);
  EXPECT_FALSE(mark.IsBookmark());

  TCodeEditMarkList list;
  int listNotices = 0;
  list.OnChange = [&](TCodeEditMarkList*) { ++listNotices; };
  std::vector<TCodeEditMark*> onLine4;
  for (int i = 0; i < 22; ++i) {
    auto* m = new TCodeEditMark;
    m->SetLine(i % 11 == 10 ? 2 : 4);
    if (m->Line() == 4) onLine4.push_back(m);
    list.Add(m);
  }
  EXPECT_EQ(listNotices, 22);
  const TCodeEditMarkList::LineMarks found = list.MarksOfLine(4);
  ASSERT_EQ(onLine4.size(), 20u);
  for (int i = 0; i < 17; ++i)
    EXPECT_EQ(found[i], onLine4[i]);
  EXPECT_EQ(list.MarksOfLine(7)[0], nullptr);
  EXPECT_EQ(list.Remove(onLine4[0]), 0);
  EXPECT_EQ(listNotices, 23);
  try {
    list.Remove(&mark);
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("List index je mimo rozsahu (-1)"));
  }
  list.Delete(0);
  EXPECT_EQ(listNotices, 23);
  list.ClearAll();
  EXPECT_EQ(listNotices, 24);
  EXPECT_EQ(list.Count(), 0);
}

TEST(CodeEditSettingsTest, GlyphsShowTheirMiddleBandInShortRows) {
  TCodeGlyph glyph(QString(), clNone);
  EXPECT_EQ(glyph.GlyphWidth(), 0);
  QImage picture(10, 16, QImage::Format_RGB32);
  picture.fill(Qt::green);
  glyph.SetGlyph(picture);
  glyph.SetMaskColor(clLime);
  TRecordingPaintDevice device(QSize(100, 100));
  QPainter painter(&device);
  glyph.DrawGlyph(painter, 5, 30, 12);
  glyph.DrawGlyph(painter, 5, 30, 20);
  painter.end();
  const auto images = device.OpsOf(TPaintOp::Image);
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].rect, QRect(5, 30, 10, 12));
  EXPECT_EQ(images[0].source, QRect(0, 2, 10, 12)); // rows 2 to 13
  EXPECT_EQ(images[1].rect, QRect(5, 32, 10, 16));

  TCodeGlyph wrapped(QStringLiteral("CodeEditWrapped"), clLime);
  EXPECT_EQ(wrapped.GlyphWidth(), 15);
  QImage shown(20, 20, QImage::Format_ARGB32);
  shown.fill(Qt::white);
  QPainter onImage(&shown);
  wrapped.DrawGlyph(onImage, 0, 0, 20);
  onImage.end();
  EXPECT_EQ(shown.pixelColor(0, 3), QColor(Qt::white)); // the lime mask stays out
}

TEST(CodeEditSettingsTest, InternalImagesShareOneBitmap) {
  const QString name = QStringLiteral("CodeEditInternalImages");
  EXPECT_EQ(TCodeInternalImage::UsageCount(name), 0);
  {
    TCodeInternalImage first(name, 10);
    {
      TCodeInternalImage second(name.toLower(), 10);
      EXPECT_EQ(TCodeInternalImage::UsageCount(name), 2);
      EXPECT_EQ(second.Width(), 11);
      EXPECT_EQ(second.Height(), 14);
    }
    EXPECT_EQ(TCodeInternalImage::UsageCount(name), 1);
    TRecordingPaintDevice device(QSize(100, 100));
    QPainter painter(&device);
    first.DrawImage(painter, 3, 2, 10, 16);
    first.DrawImage(painter, 10, 2, 10, 16); // no such picture
    painter.end();
    const auto images = device.OpsOf(TPaintOp::Image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].rect, QRect(2, 11, 11, 14));
    EXPECT_EQ(images[0].source, QRect(33, 0, 11, 14));
  }
  EXPECT_EQ(TCodeInternalImage::UsageCount(name), 0);
}

TEST(CodeEditSettingsTest, SelectionColoursAndBookmarkOptionsNotifyChanges) {
  TCodeSelectedColor colors;
  int notices = 0;
  colors.OnChange = [&](TCodeSelectedColor*) { ++notices; };
  colors.SetBackground(clHighlight);
  EXPECT_EQ(notices, 0);
  colors.SetForeground(clYellow);
  EXPECT_EQ(notices, 1);

  QObject owner;
  TCodeBookMarkOpt options(&owner);
  int destroyed = 0;
  options.OnImagesDestroyed = [&] { ++destroyed; };
  auto* images = new TImageList(11, 14);
  options.SetBookmarkImages(images);
  EXPECT_EQ(options.BookmarkImages(), images);
  delete images;
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(options.BookmarkImages(), nullptr);
}

} // namespace
