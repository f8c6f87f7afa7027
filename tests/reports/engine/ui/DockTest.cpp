#include "platform/base/Registry.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/ui/rpDock.h"
#include "tests/support/ConfigFolder.h"
#include "tests/support/TestOutput.h"
#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

#define F(...) QStringLiteral(__VA_ARGS__)

// A window with a top, a left and a bottom dock; its tool bars have three 23-pixel buttons.
struct TDockedWindow {
  TDockedWindow() {
    form.resize(800, 600);
    top->setObjectName(F("TopDock"));
    left->setObjectName(F("LeftDock"));
    bottom->setObjectName(F("BottomDock"));
    top->setGeometry(0, 0, 800, 1);
    left->setGeometry(0, 100, 1, 400);
    bottom->setGeometry(0, 599, 800, 1);
    form.show();
  }
  TrpToolBar* Bar(const QString& name, TrpDock* dock) {
    auto* bar = new TrpToolBar(&form);
    bar->setObjectName(name);
    bar->setWindowTitle(name);
    for (int i = 0; i < 3; ++i) {
      auto* button = new TrpTBButton;
      button->resize(23, 22);
      QImage glyph(16, 16, QImage::Format_ARGB32);
      glyph.fill(Qt::magenta); // the bottom-left colour is the transparent one
      QPainter paint(&glyph);
      paint.setBrush(QColor::fromHsv(i * 110, 200, 200));
      paint.drawEllipse(2, 2, 11, 11);
      paint.end();
      button->SetGlyph(glyph);
      bar->AddControl(button);
    }
    bar->AddToDock(dock);
    return bar;
  }
  QWidget form;
  TrpDock* top = new TrpDock(TrpDockAlign::Top, &form);
  TrpDock* left = new TrpDock(TrpDockAlign::Left, &form);
  TrpDock* bottom = new TrpDock(TrpDockAlign::Bottom, &form);
};

struct TRunningEngine {
  TRunningEngine() { rpEngineStart(); }
  ~TRunningEngine() { rpEngineEnd(); }
};

// The engine runs and the registry lives in a folder of the test's own.
class Docking : public ::testing::Test, private TRunningEngine, public TDockedWindow {
protected:
  // Presses the bar's grip, moves the mouse by `by` and lets go.
  static void Drag(TrpToolBar* bar, const QPoint& by) {
    QWidget* grip = bar->DragBox();
    const QPoint start(5, 5);
    QTest::mousePress(grip, Qt::LeftButton, {}, start);
    QTest::mouseMove(grip, start + by);
    if (!bar->IsFloating()) QTest::mouseRelease(grip, Qt::LeftButton, {}, start + by);
  }

  TConfigFolder config;
};

TEST_F(Docking, NewBarsTakeRowsAndTheDockGrowsWithThem) {
  TrpToolBar* first = Bar(F("Prvy"), top);
  EXPECT_EQ(first->geometry(), QRect(0, 0, 4 + 11 + 3 * 23, 26));
  EXPECT_EQ(top->height(), 27);
  TrpToolBar* second = Bar(F("Druhy"), top);
  EXPECT_EQ(second->pos(), QPoint(0, 26));
  EXPECT_EQ(top->height(), 53);
  TrpToolBar* side = Bar(F("Bocny"), left);
  EXPECT_EQ(side->size(), QSize(26, 4 + 11 + 3 * 23)) << "a side dock turns the bar";
  EXPECT_EQ(left->width(), 27);
  TrpToolBar* below = Bar(F("Dolny"), bottom);
  EXPECT_EQ(below->pos(), QPoint(0, 1));
  EXPECT_EQ(bottom->geometry(), QRect(0, 572, 800, 28)) << "a bottom dock grows upward, its bars start at 1";
}

struct TTearCase {
  const char* name;
  int by;
  bool canFloat;
  bool floats;
};

class Tearing : public Docking, public ::testing::WithParamInterface<TTearCase> {};

TEST_P(Tearing, OnlyMoreThanTwentyPixelsBeforeTheDock) {
  TrpToolBar* bar = Bar(F("Nastroje"), top);
  bar->CanFloat = GetParam().canFloat;
  Drag(bar, QPoint(-GetParam().by, 0));
  EXPECT_EQ(bar->IsFloating(), GetParam().floats);
  if (!GetParam().floats) {
    EXPECT_EQ(bar->Dock(), top);
    EXPECT_EQ(bar->pos(), QPoint(0, 0)) << "clamped to the dock's start";
  } else {
    bar->GetFloatWindow()->EndDrag();
    EXPECT_TRUE(bar->GetFloatWindow()->isVisible());
    EXPECT_EQ(top->height(), 1) << "the emptied dock";
  }
}

INSTANTIATE_TEST_SUITE_P(Docking, Tearing,
                         ::testing::Values(TTearCase{"twentyStays", 20, true, false},
                                           TTearCase{"twentyOneTearsOff", 21, true, true},
                                           TTearCase{"cannotFloat", 100, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Docking, BarThatCannotFloatStaysInsideItsDockWhenDraggedOut) {
  TrpToolBar* bar = Bar(F("Nastroje"), top);
  bar->CanFloat = false;
  Drag(bar, QPoint(-50, -60));
  EXPECT_FALSE(bar->IsFloating());
  EXPECT_EQ(bar->pos(), QPoint(0, 0));
  EXPECT_EQ(top->height(), 27);
}

TEST_F(Docking, DraggingAlongAndAcrossRows) {
  TrpToolBar* first = Bar(F("Prvy"), top);
  TrpToolBar* second = Bar(F("Druhy"), top);
  Drag(second, QPoint(200, -20)); // across less than a row: along only
  EXPECT_EQ(second->pos(), QPoint(200, 26));
  Drag(second, QPoint(0, -26)); // up one row, beside the first bar
  EXPECT_EQ(second->pos(), QPoint(200, 0));
  EXPECT_EQ(top->height(), 27) << "the emptied row is gone";
  Drag(second, QPoint(-180, 0)); // onto the first: stops behind it
  EXPECT_EQ(second->x(), first->width());
}

TEST_F(Docking, EmptiedMiddleRowPullsTheRowsBelowUp) {
  Bar(F("Prvy"), top);
  TrpToolBar* middle = Bar(F("Druhy"), top);
  TrpToolBar* last = Bar(F("Treti"), top);
  ASSERT_EQ(top->height(), 79);
  middle->AddToDock(left);
  EXPECT_EQ(last->pos(), QPoint(0, 26));
  EXPECT_EQ(top->height(), 53);
  for (TrpToolBar* bar : top->ToolBars())
    bar->AddToDock(left);
  EXPECT_EQ(top->height(), 1);
  EXPECT_EQ(left->width(), 79);
}

TEST_F(Docking, FloatingWindowDocksWhereItsDragEnds) {
  TrpToolBar* bar = Bar(F("Nastroje"), left);
  bar->MakeFloat(form.mapToGlobal(QPoint(300, 300)).x(), form.mapToGlobal(QPoint(300, 300)).y());
  TrpFloatWindow* window = bar->GetFloatWindow();
  ASSERT_NE(window, nullptr);
  window->show();
  EXPECT_EQ(bar->size(), QSize(4 + 3 * 23, 26)) << "floating: horizontal, without the grip";
  EXPECT_EQ(window->size(), QSize(bar->width(), 26 + TrpFloatWindow::kCaptionHeight));
  QTest::mousePress(window, Qt::LeftButton, {}, QPoint(10, 5));
  EXPECT_TRUE(window->Dragging());
  QTest::mouseMove(window, window->mapFromGlobal(form.mapToGlobal(QPoint(400, 0))));
  EXPECT_FALSE(bar->IsFloating());
  EXPECT_EQ(bar->Dock(), top);
  EXPECT_EQ(bar->pos(), QPoint(400, 0));
  EXPECT_TRUE(bar->Dragging()) << "the drag goes on inside the dock";
  bar->DragMouseUp();
}

TEST_F(Docking, VerticalOnlyBarStaysFloatingOverATopDock) {
  TrpToolBar* bar = Bar(F("Nastroje"), left);
  bar->Orientation = TrpOrientation::toVertOnly;
  bar->MakeFloat(form.mapToGlobal(QPoint(300, 300)).x(), form.mapToGlobal(QPoint(300, 300)).y());
  TrpFloatWindow* window = bar->GetFloatWindow();
  window->show();
  QTest::mousePress(window, Qt::LeftButton, {}, QPoint(10, 5));
  QTest::mouseMove(window, window->mapFromGlobal(form.mapToGlobal(QPoint(400, 0))));
  QTest::mouseRelease(window, Qt::LeftButton, {}, window->mapFromGlobal(form.mapToGlobal(QPoint(400, 0))));
  EXPECT_TRUE(bar->IsFloating());
  EXPECT_EQ(window->pos(), form.mapToGlobal(QPoint(400, 0)) - QPoint(10, 5)) << "the window went where the frame was";
  QTest::mousePress(window, Qt::LeftButton, {}, QPoint(10, 5));
  QTest::mouseMove(window, window->mapFromGlobal(form.mapToGlobal(QPoint(0, 300))));
  EXPECT_FALSE(bar->IsFloating()) << "the left dock takes it";
  EXPECT_EQ(bar->Dock(), left);
  bar->DragMouseUp();
}

TEST_F(Docking, PlacesSurviveInTheRegistry) {
  TrpToolBar* floating = Bar(F("Plavajuci"), top);
  TrpToolBar* side = Bar(F("Bocny"), top);
  side->AddToDock(left);
  floating->MakeFloat(700, 500);
  floating->SetIsVisible(true);
  rpSaveToolbarPosition(floating);
  rpSaveToolbarPosition(side);
  const QString key = rpRegistryRoot() + F("\\ToolBar\\Bocny");
  EXPECT_EQ(TRegistry::Root().ReadValue(key, F("DockName"))->Text, F("LeftDock"));
  EXPECT_FALSE(TRegistry::Root().ReadValue(rpRegistryRoot() + F("\\ToolBar\\Plavajuci"), F("DockName")))
      << "no dock name for a floating bar";

  // A second window restores both; the left bar's dock name points to a dock that is gone.
  TRegistry::Root().WriteValue(key, F("DockName"), TRegValue::String(F("Zmizly")));
  TRegistry::Root().WriteValue(key, F("YPosition"), TRegValue::String(F("40")));
  TDockedWindow other;
  TrpToolBar* floating2 = other.Bar(F("Plavajuci"), other.top);
  TrpToolBar* side2 = other.Bar(F("Bocny"), other.bottom);
  rpRestoreToolbarPosition(floating2);
  rpRestoreToolbarPosition(side2);
  ASSERT_TRUE(floating2->IsFloating());
  EXPECT_EQ(floating2->GetFloatWindow()->pos(), QPoint(700, 500));
  EXPECT_TRUE(floating2->IsVisible());
  EXPECT_EQ(side2->Dock(), other.bottom) << "an unknown dock name keeps the dock";
}

// A picture for a person: bars in the top and left docks and one floating above the window.
TEST_F(Docking, PictureOfTwoDocksAndAFloatingBar) {
  Bar(F("Prvy"), top);
  TrpToolBar* beside = Bar(F("Druhy"), top);
  Drag(beside, QPoint(150, -26));
  Bar(F("Bocny"), left);
  TrpToolBar* floating = Bar(F("Plavajuci"), top);
  floating->MakeFloat(form.mapToGlobal(QPoint(300, 250)).x(), form.mapToGlobal(QPoint(300, 250)).y());
  floating->SetIsVisible(true);
  ASSERT_EQ(beside->pos(), QPoint(150, 0));
  QImage picture = form.grab().toImage();
  QPainter painter(&picture);
  TrpFloatWindow* window = floating->GetFloatWindow();
  painter.drawPixmap(form.mapFromGlobal(window->pos()), window->grab());
  painter.end();
  EXPECT_TRUE(picture.save(TestOutputPath(F("docks-and-floating-bar.png"))));
}

TEST_F(Docking, WindowPlacement) {
  QWidget window;
  window.setGeometry(50, 60, 400, 300);
  window.setWindowState(Qt::WindowMaximized);
  const QString key = rpRegistryRoot() + F("\\Form\\QWidget");
  for (const auto& [name, value] : {std::pair{"XPosition", "10"}, std::pair{"YPosition", "20"},
                                    std::pair{"Width", "500"}, std::pair{"Height", "350"}})
    TRegistry::Root().WriteValue(key, QLatin1String(name), TRegValue::String(QLatin1String(value)), true);
  rpRestoreFormPosition(&window);
  EXPECT_TRUE(window.windowState() & Qt::WindowMaximized) << "no Maximized value keeps the state";
  EXPECT_EQ(window.normalGeometry(), QRect(10, 20, 500, 350)) << "and still applies the stored bounds";
  TRegistry::Root().WriteValue(key, F("Maximized"), TRegValue::String(F("0")));
  rpRestoreFormPosition(&window);
  EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
  EXPECT_EQ(window.geometry(), QRect(10, 20, 500, 350));
  window.setGeometry(30, 40, 600, 450);
  rpSaveFormPosition(&window);
  EXPECT_EQ(TRegistry::Root().ReadValue(key, F("Width"))->Text, F("600"));
  EXPECT_EQ(TRegistry::Root().ReadValue(key, F("Maximized"))->Text, F("0"));
}

} // namespace
