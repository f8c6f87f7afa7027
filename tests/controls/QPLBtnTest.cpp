#include "controls/QPLBtn.h"
#include "KitTestSupport.h"
#include "core/ui/Form.h"
#include "core/ui/ImageList.h"
#include "tests/support/PinnedFont.h"
#include <QtCore/QTimer>
#include <QtTest/QSignalSpy>
#include <QtWidgets/QLineEdit>

namespace {

TEST(PushButton, StartsBoldAt97x25) {
  TQPLBtn button(QStringLiteral(" &OK"));
  EXPECT_TRUE(button.font().bold());
  EXPECT_EQ(button.size(), QSize(97, 25));
  EXPECT_EQ(button.Color(), clBtnFace);
  button.SetMargin(-5);
  EXPECT_EQ(button.Margin(), -1);
}

struct LayoutCase {
  bool images;
  int imageIndex;
  int margin;
};

class PushButtonLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(PushButtonLayout, PlacesGlyphAndCaption) {
  const LayoutCase& c = GetParam();
  TImageList images(16, 16);
  QPixmap glyph(16, 16);
  glyph.fill(Qt::darkGreen);
  images.Add(glyph);
  TQPLBtn button(QStringLiteral("Tlač"));
  if (c.images) button.SetImages(&images);
  button.SetImageIndex(c.imageIndex);
  button.SetMargin(c.margin);
  const QRect content(4, 4, 89, 17);
  const TQPLBtn::TLayout layout = button.Layout(content);
  const bool glyphShown = c.images && c.imageIndex != -1;
  EXPECT_EQ(layout.Glyph.isEmpty(), !glyphShown);
  const int left = glyphShown ? layout.Glyph.left() : layout.Caption.left();
  if (c.margin >= 0) {
    EXPECT_EQ(left, content.left() + c.margin);
  } else {
    // Centred together: equal room on both sides (up to the rounding).
    EXPECT_LE(std::abs((left - content.left()) - (content.right() - layout.Caption.right())), 1);
  }
  if (glyphShown) {
    EXPECT_EQ(layout.Caption.left(), layout.Glyph.right() + 1 + button.Spacing());
    EXPECT_LE(std::abs(layout.Glyph.center().y() - content.center().y()), 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, PushButtonLayout,
                         testing::Values(LayoutCase{true, -1, -1}, LayoutCase{false, 0, -1}, LayoutCase{true, 0, -1},
                                         LayoutCase{true, 0, 0}, LayoutCase{true, 0, 7}));

// The main window's page buttons: 165 x 41, a 32-pixel glyph at the left.
// A caption too long for the room beside the glyph breaks between its words
// instead of running over the edge; a short one stays on its line.
TEST(PushButton, ACaptionTooLongForItsButtonBreaksBetweenWords) {
  TImageList images(32, 32);
  QPixmap glyph(32, 32);
  glyph.fill(Qt::darkBlue);
  images.Add(glyph);
  QFont font(PinnedFontFamily());
  font.setBold(true);
  font.setPixelSize(12);
  const QRect content(4, 4, 157, 33);
  const struct {
    const char* caption;
    bool wraps;
  } cases[] = {{"Informácie o systéme", true}, {"Nastavenia", false}};
  for (const auto& [caption, wraps] : cases) {
    TQPLBtn button(QString::fromUtf8(caption));
    button.setFont(font);
    button.SetImages(&images);
    button.SetImageIndex(0);
    button.SetMargin(4);
    const TQPLBtn::TLayout layout = button.Layout(content);
    EXPECT_EQ(layout.Wrapped, wraps) << caption;
    EXPECT_LE(layout.Caption.right(), content.right()) << caption;
    EXPECT_GE(layout.Caption.top(), content.top()) << caption;
    EXPECT_LE(layout.Caption.bottom(), content.bottom()) << caption;
  }
}

class PushButtonTest : public KitDialogTest {
protected:
  void SetUp() override {
    edit = Add<QLineEdit>(QStringLiteral("ed1"));
    ok = Add<TQPLBtn>(QStringLiteral("btnZapis"));
    ok->SetCaption(QStringLiteral(" &OK"));
    other = Add<TQPLBtn>(QStringLiteral("btnNezapis"));
    Show();
    Focus(edit);
  }
  QLineEdit* edit;
  TQPLBtn* ok;
  TQPLBtn* other;
};

TEST_F(PushButtonTest, FocusPaintsTheFaceAqua) {
  ok->SetColor(clGreen);
  QSignalSpy entered(ok, &TQPLBtn::OnEnter);
  QSignalSpy exited(ok, &TQPLBtn::OnExit);
  QTest::keyClick(edit, Qt::Key_Tab);
  ASSERT_TRUE(ok->hasFocus());
  EXPECT_EQ(ok->Color(), clAqua);
  EXPECT_TRUE(ok->Active());
  const QImage face = ok->grab().toImage();
  EXPECT_EQ(face.pixelColor(3, 12), QColor(0, 255, 255));
  QTest::keyClick(ok, Qt::Key_Tab);
  EXPECT_EQ(ok->Color(), clGreen);
  EXPECT_EQ(entered.count(), 1);
  EXPECT_EQ(exited.count(), 1);
}

TEST_F(PushButtonTest, DefaultButtonIsActiveUnlessAnotherButtonHasTheFocus) {
  ok->setDefault(true);
  EXPECT_TRUE(ok->Active());
  Focus(other);
  EXPECT_FALSE(ok->Active());
}

TEST_F(PushButtonTest, DisabledButtonIgnoresPressesAndDoubleClickPressesTwice) {
  QSignalSpy clicks(ok, &QAbstractButton::clicked);
  ok->setEnabled(false);
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(clicks.count(), 0);
  ok->setEnabled(true);
  // A double click as the platform delivers it: press, release, press,
  // double-click, release.
  const QPoint at = ok->rect().center();
  QTest::mousePress(ok, Qt::LeftButton, {}, at);
  QTest::mouseRelease(ok, Qt::LeftButton, {}, at);
  QTest::mousePress(ok, Qt::LeftButton, {}, at);
  QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(at), ok->mapToGlobal(QPointF(at)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(ok, &doubleClick);
  QTest::mouseRelease(ok, Qt::LeftButton, {}, at);
  EXPECT_EQ(clicks.count(), 2);
}

TEST(PushButton, ClickEndsTheFormWithItsModalResult) {
  TForm form;
  auto* save = new TQPLBtn(QStringLiteral("Ď&alší"), &form);
  save->SetModalResult(mrSaveAndContinue);
  QTimer::singleShot(0, save, &QAbstractButton::click);
  EXPECT_EQ(form.ShowModal(), mrSaveAndContinue);
}

} // namespace
