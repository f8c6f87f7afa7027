#include "reports/designer/rpDesignerGrid.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpView.h"
#include <QtCore/QRect>
#include <cmath>

QPoint rpSnapToGrid(QPoint point, int gridSize, bool gridAlign) {
  if (!gridAlign || gridSize <= 0) return point;
  return QPoint(point.x() / gridSize * gridSize, point.y() / gridSize * gridSize);
}

int rpRoundToGrid(int value, int gridSize) {
  if (gridSize <= 0) return value;
  return rpRoundEven(double(value) / gridSize) * gridSize;
}

QPoint rpGridDelta(QPoint delta, int gridSize, bool snapping) {
  if (!snapping || gridSize <= 0) return delta;
  const int kx = delta.x(), ky = delta.y();
  if (-gridSize < kx && kx < gridSize && -gridSize < ky && ky < gridSize) return {};
  return QPoint(kx - kx % gridSize, ky - ky % gridSize);
}

QPoint rpSnapLineStart(const TrpPage& page, QPoint point, int gridSize) {
  double best = gridSize;
  QPoint found;
  bool any = false;
  for (int i = 0; i < page.Count(); ++i) {
    const TrpView* o = page.GetObject(i);
    const QPoint corners[] = {{o->Left, o->Top},
                              {o->Left + o->Width, o->Top},
                              {o->Left + o->Width, o->Top + o->Height},
                              {o->Left, o->Top + o->Height}};
    for (const QPoint& corner : corners) {
      const double distance = std::hypot(double(corner.x() - point.x()), double(corner.y() - point.y()));
      if (distance < best) {
        best = distance;
        found = corner;
        any = true;
      }
    }
  }
  if (any) return found;
  return QPoint(rpRoundToGrid(point.x(), gridSize), rpRoundToGrid(point.y(), gridSize));
}

bool rpOnGrip(QPoint point, QPoint grip, int tolerance) {
  return grip.x() - tolerance <= point.x() && point.x() <= grip.x() + tolerance + 1 &&
         grip.y() - tolerance <= point.y() && point.y() <= grip.y() + tolerance + 1;
}

QSize rpDefaultInsertSize(int gridSize, int fontSize) {
  QSize size = gridSize == 18 ? QSize(108, 18) : QSize(96, 20);
  if (fontSize == 12 || fontSize == 13) size.setHeight(20);
  if (fontSize >= 14 && fontSize <= 16) size.setHeight(24);
  return size;
}

TrpView* rpObjectAtPoint(const TrpPage& page, QPoint point) {
  for (int i = page.Count() - 1; i >= 0; --i) {
    TrpView* o = page.GetObject(i);
    if (o->Width < 3 || o->Height < 3) {
      // Right and bottom edges excluded: a horizontal line is picked from 3 above to 2 below.
      if (point.x() >= o->Left - 3 && point.x() < o->Left + o->Width + 3 && point.y() >= o->Top - 3 &&
          point.y() < o->Top + o->Height + 3)
        return o;
    } else if (o->ObjectRegion(false).contains(point)) {
      return o;
    }
  }
  return nullptr;
}

namespace {

int DistanceBeyond(int value, int start, int length) {
  if (value > start + length) return value - (start + length);
  if (value < start) return value - start;
  return 0;
}

} // namespace

QPoint rpAutoScrollDistance(QPoint point, const QRect& visible) {
  return QPoint(DistanceBeyond(point.x(), visible.x(), visible.width()),
                DistanceBeyond(point.y(), visible.y(), visible.height()));
}
