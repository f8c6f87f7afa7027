#include "reports/engine/ui/rpControlUtils.h"
#include "core/gui/ColorConvert.h"
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
