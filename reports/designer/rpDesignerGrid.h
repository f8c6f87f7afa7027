#pragma once
#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QSize>

class TrpPage;
class TrpView;

// The grid and hit rules of the designer's mouse: one grid step serves both axes.

// Snaps down to the grid (integer division toward zero) when aligning is on.
QPoint rpSnapToGrid(QPoint point, int gridSize, bool gridAlign);
// The nearest multiple of the grid step, halves to the even neighbour.
int rpRoundToGrid(int value, int gridSize);
// The part of a mouse delta a drag applies: with snapping, nothing while both
// axes stay within one step, else whole steps toward zero; without, all of it.
QPoint rpGridDelta(QPoint delta, int gridSize, bool snapping);
// The start of a line: the nearest object corner closer than one grid step,
// else the point rounded to the grid.
QPoint rpSnapLineStart(const TrpPage& page, QPoint point, int gridSize);
// Whether the point lies on the grip at `grip`; the tolerance is 2 while
// hovering and 3 during a resize.
bool rpOnGrip(QPoint point, QPoint grip, int tolerance);
// The size of an object inserted by a click: 96 x 20 (108 x 18 on the 18
// grid), taller for the larger default fonts.
QSize rpDefaultInsertSize(int gridSize, int fontSize);
// The topmost object at the point; thin objects (lines) are hit within 3
// pixels around them. Null when none.
TrpView* rpObjectAtPoint(const TrpPage& page, QPoint point);
// How far a drag scrolls the workspace: in each axis by as much as the point
// lies beyond the visible rectangle (negative before its start), else 0.
QPoint rpAutoScrollDistance(QPoint point, const QRect& visible);
