#include "core/gui/ColorConvert.h"
#include "reports/engine/ui/rpControlUtils.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>

TEST(ReportControls, EnableShowsTheStateInTheColours) {
  QWidget page;
  auto* label = new QLabel(QStringLiteral("Rok:"), &page);
  auto* edit = new QLineEdit(&page);
  rpEnableControls({label, edit}, false);
  EXPECT_FALSE(label->isEnabled());
  EXPECT_FALSE(edit->isEnabled());
  EXPECT_EQ(label->palette().color(QPalette::WindowText), ToQColor(clGrayText));
  EXPECT_EQ(edit->palette().color(QPalette::Base), ToQColor(clBtnFace));
  rpEnableControls({label, edit}, true);
  EXPECT_TRUE(edit->isEnabled());
  EXPECT_EQ(label->palette().color(QPalette::WindowText), ToQColor(clWindowText));
  EXPECT_EQ(edit->palette().color(QPalette::Base), ToQColor(clWindow));
}

TEST(ReportControls, ControlAtPosFindsTheTopmostVisibleControl) {
  QWidget page;
  page.resize(300, 200);
  auto* below = new QLineEdit(&page);
  below->setGeometry(10, 10, 100, 20);
  auto* above = new QLineEdit(&page);
  above->setGeometry(50, 10, 100, 20);
  auto* group = new QGroupBox(&page);
  group->setGeometry(10, 100, 200, 80);
  auto* inGroup = new QLineEdit(group);
  inGroup->setGeometry(20, 30, 50, 20);
  auto* emptyGroup = new QGroupBox(&page);
  emptyGroup->setGeometry(220, 100, 60, 60);
  auto* hidden = new QLineEdit(&page);
  hidden->setGeometry(200, 10, 50, 20);
  hidden->hide();

  EXPECT_EQ(rpControlAtPos(&page, QPoint(60, 15)), above); // the later sibling lies on top
  EXPECT_EQ(rpControlAtPos(&page, QPoint(20, 15)), below);
  EXPECT_EQ(rpControlAtPos(&page, QPoint(40, 140)), inGroup);     // found inside the container
  EXPECT_EQ(rpControlAtPos(&page, QPoint(150, 170)), nullptr);    // the container's empty part
  EXPECT_EQ(rpControlAtPos(&page, QPoint(230, 110)), emptyGroup); // an empty container is a hit
  EXPECT_EQ(rpControlAtPos(&page, QPoint(210, 15)), nullptr);     // hidden
  EXPECT_EQ(rpControlAtPos(&page, QPoint(290, 190)), nullptr);
  EXPECT_EQ(rpControlAtPos(nullptr, QPoint()), nullptr);
}
