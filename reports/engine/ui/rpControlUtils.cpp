#include "reports/engine/ui/rpControlUtils.h"
#include "core/gui/ColorConvert.h"
#include <QtGui/QIcon>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QLabel>

namespace {

// A container that holds child controls is searched inside; any other
// control (an empty container too) is a hit itself.
bool SearchInside(const QWidget* w) {
  if (qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w)) return false;
  return !w->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).isEmpty();
}

} // namespace

void rpEnableControls(const QList<QWidget*>& controls, bool enabled) {
  for (QWidget* control : controls) {
    QPalette palette = control->palette();
    if (qobject_cast<QLabel*>(control)) {
      palette.setColor(QPalette::WindowText, ToQColor(enabled ? clWindowText : clGrayText));
    } else {
      palette.setColor(QPalette::Base, ToQColor(enabled ? clWindow : clBtnFace));
    }
    control->setPalette(palette);
    control->setEnabled(enabled);
  }
}

QWidget* rpControlAtPos(QWidget* parent, const QPoint& point) {
  if (!parent) return nullptr;
  const QList<QWidget*> children = parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  // The last child lies on top.
  for (auto it = children.crbegin(); it != children.crend(); ++it) {
    QWidget* child = *it;
    if (child->isHidden() || !child->geometry().contains(point)) continue;
    if (!SearchInside(child)) return child;
    if (QWidget* inner = rpControlAtPos(child, point - child->pos())) return inner;
  }
  return nullptr;
}

QIcon rpPrinterIcon() {
  QPixmap pixmap(18, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.drawRect(5, 1, 8, 5); // paper
  p.setBrush(QColor(192, 192, 192));
  p.drawRect(1, 6, 15, 6); // body
  p.setBrush(Qt::white);
  p.drawRect(4, 10, 10, 4); // output tray
  p.fillRect(13, 8, 2, 1, Qt::green);
  return QIcon(pixmap);
}
