#include "reports/designer/rpDesignerStatus.h"
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOption>

namespace {
constexpr int kUnitPanelWidth = 75;
constexpr int kMiddlePanelWidth = 280;
} // namespace

TrpDesignerStatus::TrpDesignerStatus(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("StatusBar1"));
  setFixedHeight(20);
}

void TrpDesignerStatus::Show(const QString& unitName, const TrpStatusTexts& texts) {
  unitName_ = unitName;
  texts_ = texts;
  update();
}

void TrpDesignerStatus::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Window));
  const QRect unitPanel(0, 1, kUnitPanelWidth - 2, height() - 2);
  const QRect middle(kUnitPanelWidth, 1, kMiddlePanelWidth - 2, height() - 2);
  const QRect right(kUnitPanelWidth + kMiddlePanelWidth, 1, width() - kUnitPanelWidth - kMiddlePanelWidth,
                    height() - 2);
  p.setPen(palette().color(QPalette::Mid));
  for (const QRect& panel : {unitPanel, middle, right})
    p.drawRect(panel.adjusted(0, 0, -1, -1));
  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(unitPanel.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, unitName_);
  const int y = middle.top() + 1;
  p.drawText(QRect(middle.left() + 20, y, 88, middle.height()), Qt::AlignVCenter | Qt::AlignLeft, texts_.Position);
  p.drawText(QRect(middle.left() + 110, y, 60, middle.height()), Qt::AlignVCenter | Qt::AlignLeft, texts_.Size);
  p.drawText(QRect(middle.left() + 170, y, 108, middle.height()), Qt::AlignVCenter | Qt::AlignLeft, texts_.Scale);
  // The small marks before the position and the size.
  p.drawRect(middle.left() + 4, y + 5, 8, 8);
  if (!texts_.Size.isEmpty()) p.drawLine(middle.left() + 93, y + 13, middle.left() + 105, y + 4);
  p.drawText(right.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, texts_.ObjectText);
}

void TrpDesignerStatus::mousePressEvent(QMouseEvent* event) { lastPressX_ = event->position().toPoint().x(); }

void TrpDesignerStatus::mouseDoubleClickEvent(QMouseEvent*) {
  if (lastPressX_ < kUnitPanelWidth && OnNextUnits) OnNextUnits();
}
