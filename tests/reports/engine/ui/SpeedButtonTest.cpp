#include "reports/engine/ui/rpComboEdit.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <gtest/gtest.h>

namespace {

QImage Strip(int width, int height, QRgb colour) {
  QImage strip(width, height, QImage::Format_ARGB32);
  strip.fill(colour);
  return strip;
}

TEST(SpeedButton, GlyphStripSetsTheImageCount) {
  const struct {
    int width, height, numGlyphs;
  } cases[] = {{64, 16, 4}, {80, 16, 1}, {50, 16, 1}, {32, 16, 2}, {48, 16, 3}, {16, 16, 1}};
  for (const auto& c : cases) {
    TrpSpeedButton button;
    button.SetNumGlyphs(3); // kept by a strip that is no row of squares
    button.SetGlyph(Strip(c.width, c.height, qRgb(200, 0, 0)));
    EXPECT_EQ(button.NumGlyphs(), c.width == 50 ? 3 : c.numGlyphs) << c.width << "x" << c.height;
  }
  TrpSpeedButton button;
  button.SetNumGlyphs(7);
  EXPECT_EQ(button.NumGlyphs(), 4);
  button.SetMargin(-5);
  EXPECT_EQ(button.Margin(), -1) << "margins below -1 are ignored";
}

TEST(SpeedButton, GroupKeepsOneButtonDown) {
  QWidget panel;
  TrpSpeedButton first(&panel), second(&panel), plain(&panel);
  for (TrpSpeedButton* b : {&first, &second}) {
    b->SetFlat(true);
    b->SetGroupIndex(1);
  }
  plain.SetDown(true);
  EXPECT_FALSE(plain.Down()) << "a button without a group is never held down";

  QSignalSpy clicks(&second, &TrpSpeedButton::clicked);
  QTest::mouseClick(&first, Qt::LeftButton);
  EXPECT_TRUE(first.Down());
  QTest::mouseClick(&second, Qt::LeftButton);
  EXPECT_TRUE(second.Down());
  EXPECT_FALSE(first.Down()) << "pressing the second brings the first up";
  QTest::mouseClick(&second, Qt::LeftButton);
  EXPECT_TRUE(second.Down()) << "the down button stays down without AllowAllUp";
  EXPECT_EQ(clicks.count(), 2);

  second.SetAllowAllUp(true);
  EXPECT_TRUE(first.AllowAllUp()) << "the group shares AllowAllUp";
  QTest::mouseClick(&second, Qt::LeftButton);
  EXPECT_FALSE(second.Down());
  EXPECT_FALSE(first.Down());
}

TEST(SpeedButton, ReleaseOutsideDoesNotClick) {
  QWidget panel;
  TrpSpeedButton button(&panel);
  button.setGeometry(0, 0, 22, 22);
  panel.show();
  QSignalSpy clicks(&button, &TrpSpeedButton::clicked);
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(button.State(), TrpSpeedButton::bsDown);
  QMouseEvent move(QEvent::MouseMove, QPointF(60, 60), button.mapToGlobal(QPointF(60, 60)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&button, &move);
  EXPECT_EQ(button.State(), TrpSpeedButton::bsUp) << "up while the mouse is outside";
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(60, 60));
  EXPECT_EQ(clicks.count(), 0);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks.count(), 1);
}

TEST(SpeedButton, FlatButtonGreysItsGlyphUntilHovered) {
  QWidget panel;
  TrpSpeedButton button(&panel);
  button.setGeometry(0, 0, 22, 22);
  button.SetFlat(true);
  QImage glyph = Strip(16, 16, qRgb(255, 0, 0));
  glyph.setPixel(0, 15, qRgb(0, 128, 128)); // the transparent colour
  button.SetGlyph(glyph);
  const QPoint middle(11, 11);
  const QRgb inactive = button.grab().toImage().pixel(middle);
  EXPECT_EQ(qRed(inactive), qGreen(inactive));
  EXPECT_EQ(qRed(inactive), (77 * 255) / 256) << "grey by the luminance weights";
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&button, &enter);
  EXPECT_EQ(button.grab().toImage().pixel(middle), qRgb(255, 0, 0)) << "coloured under the mouse";
  button.SetGrayedInactive(false);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&button, &leave);
  EXPECT_EQ(button.grab().toImage().pixel(middle), qRgb(255, 0, 0));
}

TEST(SpeedButton, DisabledGlyphIsEmbossedFromTheUpImage) {
  TrpSpeedButton button;
  QImage glyph = Strip(16, 16, qRgb(255, 255, 255));
  glyph.setPixel(0, 15, qRgb(0, 128, 128)); // transparent colour in the corner
  for (int x = 4; x < 8; ++x)
    glyph.setPixel(x, 4, qRgb(0, 0, 0));
  button.SetGlyph(glyph);
  const QImage disabled = button.StateGlyph(TrpSpeedButton::bsDisabled);
  const QColor shadow = button.palette().color(QPalette::Dark), light = button.palette().color(QPalette::Light);
  EXPECT_EQ(disabled.pixel(4, 4), shadow.rgb()) << "the shape in the shadow colour";
  EXPECT_EQ(disabled.pixel(8, 5), light.rgb()) << "its highlight one pixel right and down";
  EXPECT_EQ(qAlpha(disabled.pixel(12, 12)), 0) << "nothing elsewhere";
}

TEST(ComboEdit, ButtonAndDialogKeys) {
  QDialog dialog;
  auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
  ok->setDefault(true);
  ok->move(0, 40);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  TrpComboEdit combo(&dialog);
  combo.resize(200, 21);
  dialog.show();
  EXPECT_EQ(combo.height(), 21);
  const QRect button = combo.Button()->parentWidget()->geometry();
  EXPECT_EQ(button, QRect(200 - 21 + 2, 2, 17, 17)) << "a square inside the right edge";
  EXPECT_LE(combo.lineEdit()->geometry().right(), 200 - 21 - 4);

  QSignalSpy editorAsked(&combo, &TrpComboEdit::ButtonClicked);
  QTest::mouseClick(combo.Button(), Qt::LeftButton);
  EXPECT_EQ(editorAsked.count(), 1);
  combo.SetButtonEnabled(false);
  QTest::mouseClick(combo.Button(), Qt::LeftButton);
  EXPECT_EQ(editorAsked.count(), 1) << "a disabled button asks for nothing";

  QSignalSpy accepted(&dialog, &QDialog::accepted);
  QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
  EXPECT_EQ(accepted.count(), 1) << "Enter reaches the default button";
  dialog.show();
  QSignalSpy rejected(&dialog, &QDialog::rejected);
  QTest::keyClick(combo.lineEdit(), Qt::Key_Escape);
  EXPECT_EQ(rejected.count(), 1) << "Esc cancels the form";
}

} // namespace
