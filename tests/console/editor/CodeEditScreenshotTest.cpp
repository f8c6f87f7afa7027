#include "EditorTestSupport.h"
#include "console/editor/CodeEdit.h"
#include "console/editor/text/CodeEditHighlighterSQL.h"
#include <QtCore/QDir>
#include <QtGui/QImage>
#include <gtest/gtest.h>

namespace {

// A coloured SQL script with line numbers and bookmarks, as the service
// console shows it; saved as a picture when VIMEK_SCREENSHOT_DIR names a folder.
TEST(CodeEditScreenshotTest, ColouredScriptWithGutterAndBookmarks) {
  TCodeSQLHighlighter hl;
  hl.SetSQLDialect(sqlSybase);
  hl.SetTableNames({QStringLiteral("C_CLENOV"), QStringLiteral("E_POVOLENKY")});
  hl.KeyAttri->SetForeground(clNavy);
  hl.CommentAttri->SetForeground(clGreen);
  hl.StringAttri->SetForeground(clMaroon);
  hl.NumberAttri->SetForeground(clBlue);
  hl.TableNameAttri->SetForeground(clPurple);
  hl.VariableAttri->SetForeground(clTeal);
  TCodeEdit edit;
  edit.SetFont(EditorTestFont(10));
  edit.Gutter().SetFont(EditorTestFont(8));
  edit.Gutter().SetShowLineNumbers(true);
  edit.Gutter().SetDigitCount(2);
  edit.Gutter().SetLeftOffset(16);
  edit.SetHighlighter(&hl);
  edit.SetActiveLineColor(RGBColor(0xF0, 0xF4, 0xFF));
  edit.SetText(QStringLiteral("/* Členovia s povolenkou na rok */\r\n"
                              "declare @rok int\r\n"
                              "select @rok = 2024\r\n"
                              "select c.PRIEZVISKO, c.MENO, count(*) as POCET\r\n"
                              "from C_CLENOV c\r\n"
                              "\tjoin E_POVOLENKY p on p.C_CLENOV = c.JEDIN\r\n"
                              "where p.ROK = @rok and c.MESTO <> 'Žilina' -- mimo mesta\r\n"
                              "group by c.PRIEZVISKO, c.MENO\r\n"
                              "having count(*) >= 2.5\r\n"
                              "order by 3 desc"));
  auto* bookmark = new TCodeEditMark;
  bookmark->SetLine(4);
  bookmark->SetImageIndex(1);
  bookmark->SetBookmarkSlot(1);
  bookmark->SetUseBuiltInImage(true);
  bookmark->SetVisible(true);
  edit.Marks().Add(bookmark);
  auto* second = new TCodeEditMark;
  second->SetLine(7);
  second->SetImageIndex(2);
  second->SetBookmarkSlot(2);
  second->SetUseBuiltInImage(true);
  second->SetVisible(true);
  edit.Marks().Add(second);
  edit.resize(620, 260);
  edit.MoveCaretTo({8, 7});
  edit.SetSelectionAnchor({1, 5});
  edit.SetSelectionActiveEnd({5, 5});
  const QImage image = edit.grab().toImage();
  ASSERT_FALSE(image.isNull());
  if (!qEnvironmentVariableIsEmpty("VIMEK_SCREENSHOT_DIR")) {
    const QString dir = qEnvironmentVariable("VIMEK_SCREENSHOT_DIR");
    QDir().mkpath(dir);
    image.save(dir + QStringLiteral("/coloured-script.png"));
  }
  // Keywords in navy somewhere on the first select row.
  const int y = (4 - 1) * edit.RowHeight() + edit.RowHeight() / 2 + edit.frameWidth();
  bool navy = false;
  for (int x = edit.GutterPixelWidth(); x < edit.GutterPixelWidth() + 6 * edit.CharCellWidth() && !navy; ++x)
    for (int dy = -4; dy <= 4 && !navy; ++dy)
      navy = image.pixelColor(x, y + dy) == QColor(0, 0, 128);
  EXPECT_TRUE(navy);
}

} // namespace
