#include "reports/designer/rpDesignerArrange.h"
#include "reports/designer/rpDesignerPages.h"
#include "reports/designer/rpDesignerSelection.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpView.h"
#include <algorithm>

namespace {

constexpr int kChildBandType = 21;

bool Movable(const TrpView* o) { return !(o->Restrictions & rrMove); }
bool Resizable(const TrpView* o) { return !(o->Restrictions & rrSize); }
bool IsBandView(const TrpView* o) { return dynamic_cast<const TrpBandView*>(o) != nullptr; }
int RightOf(const TrpView* o) { return o->Left + o->Width; }
int BottomOf(const TrpView* o) { return o->Top + o->Height; }

QList<TrpView*> SelectedObjects(const TrpPage& page) {
  QList<TrpView*> objects;
  for (int i = 0; i < page.Count(); ++i)
    if (page.GetObject(i)->IsSelected) objects << page.GetObject(i);
  return objects;
}

TrpView* FirstSelectedBand(const TrpPage& page) {
  for (TrpView* o : SelectedObjects(page))
    if (IsBandView(o)) return o;
  return nullptr;
}

// Sorted by one coordinate; equal coordinates keep their page order.
QList<TrpView*> SortedBy(QList<TrpView*> objects, int TrpView::*coordinate) {
  std::stable_sort(objects.begin(), objects.end(),
                   [coordinate](const TrpView* a, const TrpView* b) { return a->*coordinate < b->*coordinate; });
  return objects;
}

// The first and the last keep their places; those between get equal steps.
void SpaceEvenly(QList<TrpView*> objects, int TrpView::*coordinate) {
  objects = SortedBy(objects, coordinate);
  if (objects.size() < 3) return;
  const int step = (objects.last()->*coordinate - objects.first()->*coordinate) / int(objects.size() - 1);
  for (int i = 1; i < objects.size() - 1; ++i)
    objects[i]->*coordinate = objects[i - 1]->*coordinate + step;
}

// Stacks the band's objects side by side from the printable left (or right).
void StackInBand(TrpPage& page, const TrpView* band, bool fromRight) {
  QList<TrpView*> inBand;
  for (int i = 0; i < page.Count(); ++i) {
    TrpView* o = page.GetObject(i);
    if (!IsBandView(o) && o->Top >= band->Top && BottomOf(o) <= BottomOf(band)) inBand << o;
  }
  inBand = SortedBy(inBand, &TrpView::Left);
  // The row's top: the top of the selected object at the edge the stacking starts from.
  const TrpView* edge = nullptr;
  for (const TrpView* o : SelectedObjects(page))
    if (!edge || (fromRight ? RightOf(o) > RightOf(edge) : o->Left < edge->Left)) edge = o;
  if (fromRight) {
    int position = page.PrintableRight();
    for (auto it = inBand.rbegin(); it != inBand.rend(); ++it) {
      TrpView* o = *it;
      if (Movable(o)) {
        o->Left = position - o->Width;
        o->Top = edge->Top;
      }
      position -= o->Width;
    }
    return;
  }
  int position = page.PrintableLeft();
  for (TrpView* o : inBand) {
    if (Movable(o)) {
      o->Left = position;
      o->Top = edge->Top;
    }
    position += o->Width;
  }
}

// Moves the group so it is centred in `extent` along one axis.
void CentreGroup(const QList<TrpView*>& objects, int TrpView::*coordinate, int TrpView::*size, int extent) {
  if (objects.isEmpty()) return;
  int low = objects.first()->*coordinate, high = low + objects.first()->*size;
  for (const TrpView* o : objects) {
    low = qMin(low, o->*coordinate);
    high = qMax(high, o->*coordinate + o->*size);
  }
  const int shift = low + (high - low - extent) / 2;
  for (TrpView* o : objects)
    o->*coordinate -= shift;
}

} // namespace

bool rpAlignmentApplies(const TrpDesignerSelection& selection, int button) {
  const int count = selection.Count();
  const bool band = selection.Page() && FirstSelectedBand(*selection.Page());
  switch (button) {
  case 1:
  case 5:
    return band || count > 1;
  case 3:
  case 8:
    return count >= 1;
  case 4:
  case 9:
    return count > 2;
  case 2:
  case 6:
  case 7:
  case 10:
    return count > 1;
  default:
    return false;
  }
}

void rpAlignSelection(TrpPage& page, const TrpDesignerSelection& selection, int button, QSize workspace) {
  if (!rpAlignmentApplies(selection, button)) return;
  if (button == 1 || button == 5)
    if (const TrpView* band = FirstSelectedBand(page)) {
      StackInBand(page, band, button == 5);
      return;
    }
  QList<TrpView*> movable;
  for (TrpView* o : SelectedObjects(page))
    if (Movable(o)) movable << o;
  const TrpView* base = selection.SingleSelected() ? selection.SingleSelected() : selection.LastSelected();
  const int bx = base->Left, by = base->Top, bdx = base->Width, bdy = base->Height;
  switch (button) {
  case 3:
    CentreGroup(movable, &TrpView::Left, &TrpView::Width, workspace.width());
    return;
  case 8:
    CentreGroup(movable, &TrpView::Top, &TrpView::Height, workspace.height());
    return;
  case 4:
    SpaceEvenly(movable, &TrpView::Left);
    return;
  case 9:
    SpaceEvenly(movable, &TrpView::Top);
    return;
  default:
    break;
  }
  for (TrpView* o : movable) {
    switch (button) {
    case 1:
      o->Left = bx;
      break;
    case 2:
      o->Left = bx + bdx / 2 - o->Width / 2;
      break;
    case 5:
      o->Left = bx + bdx - o->Width;
      break;
    case 6:
      o->Top = by;
      break;
    case 7:
      o->Top = by + bdy / 2 - o->Height / 2;
      break;
    case 10:
      o->Top = by + bdy - o->Height;
      break;
    default:
      break;
    }
  }
}

void rpBringToFront(TrpPage& page) {
  QList<TrpView*> moving;
  for (TrpView* o : SelectedObjects(page))
    if (Movable(o)) moving << o;
  for (const TrpView* o : moving)
    for (int i = 0; i < page.Count(); ++i)
      if (page.GetObject(i) == o) {
        page.MoveObject(i, page.Count() - 1);
        break;
      }
  rpNormaliseObjectOrder(page);
}

void rpSendToBack(TrpPage& page) {
  QList<TrpView*> moving;
  for (TrpView* o : SelectedObjects(page))
    if (Movable(o)) moving << o;
  for (int target = 0; target < moving.size(); ++target)
    for (int i = 0; i < page.Count(); ++i)
      if (page.GetObject(i) == moving.at(target)) {
        page.MoveObject(i, target);
        break;
      }
  rpNormaliseObjectOrder(page);
}

void rpFitToGrid(TrpPage& page, int gridSize) {
  const int step = qMax(1, gridSize);
  const auto fit = [step](int value) { return rpRoundEven(double(value) / step) * step; };
  for (TrpView* o : SelectedObjects(page)) {
    o->Left = fit(o->Left);
    o->Top = fit(o->Top);
    o->Width = fit(o->Width);
    o->Height = fit(o->Height);
    if (o->Width == 0) o->Width = step;
    if (o->Height == 0) o->Height = step;
  }
}

void rpNudgeSelection(TrpPage& page, int dx, int dy, bool resize) {
  for (TrpView* o : SelectedObjects(page)) {
    if (resize && Resizable(o)) {
      o->Width += dx;
      o->Height += dy;
    } else if (Movable(o)) {
      o->Left += dx;
      o->Top += dy;
    }
  }
}

TrpView* rpArrowNeighbour(const TrpPage& page, const TrpView& from, int dx, int dy) {
  const int l = from.Left, t = from.Top, r = RightOf(&from), b = BottomOf(&from);
  // How far the candidate lies off the band the object spans across the
  // arrow's direction (0 when it covers it).
  const auto across = [](int low, int high, int oLow, int oHigh) {
    if (oHigh < low) return low - oHigh;
    if (oLow > high) return oLow - high;
    if (oLow <= low) return oHigh >= high ? 0 : oLow - low;
    return oLow - low;
  };
  TrpView* best = nullptr;
  int bestScore = 0;
  for (int i = 0; i < page.Count(); ++i) {
    TrpView* o = page.GetObject(i);
    if (o->IsSelected || IsBandView(o)) continue;
    const int ol = o->Left, ot = o->Top, orr = RightOf(o), ob = BottomOf(o);
    int score;
    if (dx > 0) {
      if (ol <= l) continue;
      score = across(t, b, ot, ob) + (ol < r ? ol - l : ol - r);
    } else if (dx < 0) {
      if (orr >= r) continue;
      score = across(t, b, ot, ob) + (l < orr ? r - orr : l - orr);
    } else if (dy > 0) {
      if (ot <= t) continue;
      score = across(l, r, ol, orr) + (ot < b ? ot - t : ot - b);
    } else if (dy < 0) {
      if (ob >= b) continue;
      score = across(l, r, ol, orr) + (t < ob ? b - ob : t - ob);
    } else {
      continue;
    }
    if (!best || score < bestScore) {
      best = o;
      bestScore = score;
    }
  }
  return best;
}

void rpPlaceAgainst(TrpView& object, const TrpView& neighbour, int dx, int dy) {
  if (!Movable(&object)) return;
  if (dx > 0 && neighbour.Left >= RightOf(&object)) object.Left = neighbour.Left - object.Width;
  if (dx < 0 && object.Left >= RightOf(&neighbour)) object.Left = RightOf(&neighbour);
  if (dy > 0 && neighbour.Top >= BottomOf(&object)) object.Top = neighbour.Top - object.Height;
  if (dy < 0 && object.Top >= BottomOf(&neighbour)) object.Top = BottomOf(&neighbour);
}

QList<TrpView*> rpDeletableSelection(const TrpPage& page) {
  QList<TrpView*> objects;
  for (TrpView* o : SelectedObjects(page))
    if (!(o->Restrictions & rrDelete)) objects << o;
  return objects;
}

void rpDeleteSelection(TrpPage& page) {
  for (int i = page.Count() - 1; i >= 0; --i) {
    TrpView* o = page.GetObject(i);
    if (!o->IsSelected || (o->Restrictions & rrDelete)) continue;
    if (const auto* band = dynamic_cast<const TrpBandView*>(o); band && band->GetBandType() == kChildBandType)
      for (int j = 0; j < page.Count(); ++j)
        if (auto* other = dynamic_cast<TrpBandView*>(page.GetObject(j)); other && other->ChildBand == o->Name)
          other->ChildBand.clear();
    page.Delete(i);
  }
}
