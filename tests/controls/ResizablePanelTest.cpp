#include "KitTestSupport.h"
#include "controls/PosPanBase.h"
#include "core/gui/ColorConvert.h"
#include <QtGui/QMouseEvent>

namespace {

using TAlign = TZvetsovaciPanel::TAlign;

void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(pos), widget->mapToGlobal(QPointF(pos)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

class ResizablePanelTest : public testing::Test {
protected:
  void SetUp() override {
    parent.resize(400, 300);
    panel = new TZvetsovaciPanel(&parent);
    panel->SetDragStripWidth(2);
    panel->SetDragStripColor(clRed);
    panel->SetResizeEnabled(true);
    panel->OnStartResize = [this](TZvetsovaciPanel*) { ++starts; };
    panel->OnEndResize = [this](TZvetsovaciPanel*) { ++ends; };
    parent.show();
  }
  // Presses at `from`, moves to `to` and releases there.
  void Drag(QPoint from, QPoint to) {
    SendMouse(panel, QEvent::MouseButtonPress, from, Qt::LeftButton);
    SendMouse(panel, QEvent::MouseMove, to, Qt::LeftButton);
    SendMouse(panel, QEvent::MouseButtonRelease, to, Qt::NoButton);
  }

  QWidget parent;
  TZvetsovaciPanel* panel = nullptr;
  int starts = 0, ends = 0;
};

TEST_F(ResizablePanelTest, DraggingTheStripResizesWithinTheLimits) {
  // With a raised bevel of 1 and a strip of 2 the margin M is 4.
  const struct {
    TAlign align;
    QRect start;
    QPoint from, to;
    QRect expected;
  } cases[] = {
      {TAlign::Top, {0, 0, 400, 100}, {200, 99}, {200, 149}, {0, 0, 400, 150}},
      {TAlign::Top, {0, 0, 400, 100}, {200, 99}, {200, 4}, {0, 0, 400, 5}},     // M + 1
      {TAlign::Top, {0, 0, 400, 100}, {200, 99}, {200, 3}, {0, 0, 400, 100}},   // M: refused
      {TAlign::Top, {0, 0, 400, 100}, {200, 99}, {200, 294}, {0, 0, 400, 295}}, // P - M - 1
      {TAlign::Top, {0, 0, 400, 100}, {200, 99}, {200, 295}, {0, 0, 400, 100}}, // P - M: refused
      {TAlign::Top, {0, 0, 400, 100}, {200, 50}, {200, 150}, {0, 0, 400, 100}}, // not on the strip
      {TAlign::Bottom, {0, 200, 400, 100}, {200, 1}, {200, -49}, {0, 150, 400, 150}},
      {TAlign::Bottom, {0, 200, 400, 100}, {200, 1}, {200, -199}, {0, 200, 400, 100}}, // top would be 0
      {TAlign::Left, {0, 0, 100, 300}, {99, 150}, {149, 150}, {0, 0, 150, 300}},
      {TAlign::Right, {300, 0, 100, 300}, {1, 150}, {-49, 150}, {250, 0, 150, 300}},
      {TAlign::Client, {0, 0, 400, 300}, {399, 299}, {200, 150}, {0, 0, 400, 300}},
  };
  for (const auto& c : cases) {
    panel->SetAlign(c.align);
    panel->setGeometry(c.start);
    Drag(c.from, c.to);
    EXPECT_EQ(panel->geometry(), c.expected) << int(c.align) << " to " << c.to.y();
    EXPECT_FALSE(panel->Dragging());
  }
  EXPECT_EQ(starts, 9);
  EXPECT_EQ(ends, 9);
}

TEST_F(ResizablePanelTest, TheHandlerMayChangeTheNewSize) {
  panel->SetAlign(TAlign::Top);
  panel->setGeometry(0, 0, 400, 100);
  panel->OnPanelResize = [](TZvetsovaciPanel*, int& size) { size = qMin(size, 120); };
  Drag({200, 99}, {200, 199});
  EXPECT_EQ(panel->height(), 120);
}

TEST_F(ResizablePanelTest, WithoutResizingOrStripNothingMovesAndTheCursorStays) {
  panel->SetAlign(TAlign::Top);
  panel->setGeometry(0, 0, 400, 100);
  SendMouse(panel, QEvent::MouseMove, {200, 99}, Qt::NoButton);
  EXPECT_EQ(panel->cursor().shape(), Qt::SplitVCursor);
  SendMouse(panel, QEvent::MouseMove, {200, 50}, Qt::NoButton);
  EXPECT_EQ(panel->cursor().shape(), Qt::ArrowCursor);
  panel->SetResizeEnabled(false);
  SendMouse(panel, QEvent::MouseMove, {200, 99}, Qt::NoButton);
  EXPECT_EQ(panel->cursor().shape(), Qt::ArrowCursor);
  Drag({200, 99}, {200, 149});
  panel->SetResizeEnabled(true);
  panel->SetDragStripWidth(0);
  Drag({200, 99}, {200, 149});
  EXPECT_EQ(panel->height(), 100);
  EXPECT_EQ(starts, 0);
}

TEST_F(ResizablePanelTest, TheStripIsPaintedAndTakenFromTheChildrenArea) {
  panel->SetAlign(TAlign::Top);
  panel->setGeometry(0, 0, 400, 100);
  EXPECT_EQ(panel->contentsMargins(), QMargins(0, 0, 0, 2));
  panel->SetAlign(TAlign::Right);
  EXPECT_EQ(panel->contentsMargins(), QMargins(2, 0, 0, 0));
  panel->SetAlign(TAlign::Top);
  const QImage picture = panel->grab().toImage();
  EXPECT_EQ(panel->StripRect(), QRect(1, 97, 398, 2));
  EXPECT_EQ(QColor(picture.pixel(200, 98)), ToQColor(clRed));
  EXPECT_EQ(QColor(picture.pixel(200, 97)), ToQColor(clRed));
  EXPECT_EQ(QColor(picture.pixel(200, 96)), ToQColor(clBtnFace));
  EXPECT_NE(QColor(picture.pixel(200, 99)), ToQColor(clRed)) << "the outer bevel lies outside the strip";
}

} // namespace
