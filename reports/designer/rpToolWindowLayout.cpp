#include "reports/designer/rpToolWindowLayout.h"

std::optional<TrpToolWindowPlacement> rpStackToolWindows(const QRect& inspector, const QRect& fields, const QRect& area,
                                                         bool inspectorRolledUp) {
  const bool overlap = inspector.left() <= fields.right() && fields.left() <= inspector.right();
  if (!overlap) return std::nullopt;
  TrpToolWindowPlacement placement{inspector, fields};
  const bool fieldsBelow = inspector.top() < fields.top();
  const int fieldsTop = fieldsBelow ? area.bottom() + 1 - fields.height() : area.top();
  placement.Fields.moveTop(fieldsTop);
  if (inspectorRolledUp) return placement;
  const int rest = qMax(0, area.height() - fields.height());
  placement.Inspector.setTop(fieldsBelow ? area.top() : area.top() + fields.height());
  placement.Inspector.setHeight(rest);
  return placement;
}
