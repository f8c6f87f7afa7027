#pragma once
#include <QtCore/QRect>
#include <optional>

// Where the inspector and the window of database fields go when they lie
// over one another: the fields window keeps its height at the top or the
// bottom of the area (the workspace's scroll box on the screen), at the
// bottom when the inspector was higher up, and the inspector fills the rest
// of the area's height unless it is rolled up. Rectangles are the windows'
// outer frames; nothing (no placement) when their horizontal extents do not
// overlap.
struct TrpToolWindowPlacement {
  QRect Inspector;
  QRect Fields;
};
std::optional<TrpToolWindowPlacement> rpStackToolWindows(const QRect& inspector, const QRect& fields, const QRect& area,
                                                         bool inspectorRolledUp);
