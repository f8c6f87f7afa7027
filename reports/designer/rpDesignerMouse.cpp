#include "reports/designer/rpDesignerMouse.h"
#include "reports/designer/rpDesignerGrid.h"
#include "reports/designer/rpDesignerInsert.h"
#include "reports/designer/rpDesignerPages.h"
#include "reports/designer/rpDesignerSelection.h"
#include "reports/designer/rpDesignerSettings.h"
#include "reports/designer/rpInsertDefaults.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpControl.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReportDesigner.h"

namespace {

constexpr int kCrossBandFirst = 18, kCrossBandLast = 20;

bool MayResize(const TrpView* o) { return !(o->Restrictions & rrSize); }
bool MayMove(const TrpView* o) { return !(o->Restrictions & rrMove); }
bool IsBandObject(const TrpView* o) { return dynamic_cast<const TrpBandView*>(o) != nullptr; }

bool IsSizeCursor(TrpDesignerCursor cursor) {
  return cursor == TrpDesignerCursor::SizeNWSE || cursor == TrpDesignerCursor::SizeNESW ||
         cursor == TrpDesignerCursor::SizeVertical || cursor == TrpDesignerCursor::SizeHorizontal;
}

// A negative size turns positive with the edge moved; the grip mode swaps to the other side.
void NormaliseSize(TrpView& o, int& mode) {
  bool flipped = false;
  if (o.Width < 0) {
    o.Left += o.Width;
    o.Width = -o.Width;
    flipped = true;
  }
  if (o.Height < 0) {
    o.Top += o.Height;
    o.Height = -o.Height;
    flipped = true;
  }
  if (flipped && mode > 0) mode = mode % 2 ? mode + 1 : mode - 1;
}

} // namespace

TrpEdges TrpEdges::Normalised() const {
  return TrpEdges{qMin(Left, Right), qMin(Top, Bottom), qMax(Left, Right), qMax(Top, Bottom)};
}

void TrpEdges::MoveTo(QPoint leftTop) {
  const int width = Width(), height = Height();
  Left = leftTop.x();
  Top = leftTop.y();
  Right = Left + width;
  Bottom = Top + height;
}

TrpDesignerMouse::TrpDesignerMouse(const TrpDesignerSettings& settings, TrpDesignerSelection& selection)
    : settings_(settings), selection_(selection) {}

void TrpDesignerMouse::SetTool(int tool, bool keepArmed) {
  tool_ = tool;
  keepInsertTool_ = tool != TrpDesignerTool::Select && keepArmed;
  cursor_ = TrpDesignerCursor::Arrow;
}

bool TrpDesignerMouse::InsertMode() const { return tool_ != TrpDesignerTool::Select && tool_ != TrpDesignerTool::Line; }

bool TrpDesignerMouse::Snapping(Qt::KeyboardModifiers modifiers) const {
  return settings_.GridAlign != bool(modifiers & Qt::AltModifier);
}

TrpMouseOverlay TrpDesignerMouse::Overlay() const {
  if (dragOver_) return TrpMouseOverlay::Ghost;
  if (tool_ == TrpDesignerTool::Line) return buttonDown_ ? TrpMouseOverlay::Line : TrpMouseOverlay::None;
  if (InsertMode())
    return cursor_ == TrpDesignerCursor::Cross && !DialogPage ? TrpMouseOverlay::Ghost : TrpMouseOverlay::None;
  if (rubberBand_) return TrpMouseOverlay::RubberBand;
  if (buttonDown_ && cursor_ == TrpDesignerCursor::Split) return TrpMouseOverlay::SplitLine;
  return TrpMouseOverlay::None;
}

QList<TrpEdges> TrpDesignerMouse::Outlines() const {
  QList<TrpEdges> outlines;
  if (settings_.Selection != 0 || !buttonDown_ || tool_ != TrpDesignerTool::Select) return outlines;
  const TrpPage& page = *selection_.Page();
  for (int i = 0; i < page.Count(); ++i) {
    const TrpView* o = page.GetObject(i);
    if (o->IsSelected) outlines << TrpEdges{o->Left, o->Top, o->Left + o->Width, o->Top + o->Height};
  }
  return outlines;
}

void TrpDesignerMouse::ComputeMultipleSelection() {
  selection_.ComputeMultipleSelection();
  if (!selection_.MultiFrameValid()) return;
  const QRect frame = selection_.MultiFrame();
  workRect_ = TrpEdges{frame.left(), frame.top(), frame.right(), frame.bottom()};
  workRectAtDown_ = workRect_;
}

void TrpDesignerMouse::DeselectAll() { selection_.Clear(); }

// --- hovering

void TrpDesignerMouse::Hover(QPoint point) {
  dragOver_ = false;
  moved_ = true;
  mayAutoScroll_ = true;
  const int count = selection_.Count();
  if (tool_ == TrpDesignerTool::Line) {
    selectMode_ = true;
    cursor_ = TrpDesignerCursor::Pencil;
  } else if (tool_ == TrpDesignerTool::Select) {
    selectMode_ = true;
    cursor_ = TrpDesignerCursor::Arrow;
    if (count == 0) workRect_ = TrpEdges{point.x(), point.y(), point.x(), point.y()};
  } else {
    selectMode_ = false;
    const QPoint snapped = rpSnapToGrid(point, settings_.GridSize, settings_.GridAlign);
    if (cursor_ != TrpDesignerCursor::Cross) {
      QSize size = rpDefaultInsertSize(settings_.GridSize, rpInsertDefaults().FontSize);
      if (tool_ == TrpDesignerTool::Band) size.setWidth(WorkspaceWidth);
      workRect_ = TrpEdges{snapped.x(), snapped.y(), snapped.x() + size.width(), snapped.y() + size.height()};
      cursor_ = TrpDesignerCursor::Cross;
    } else {
      workRect_.MoveTo(snapped);
    }
  }
  if (selectMode_ && count == 1 && tool_ != TrpDesignerTool::Line) HoverGrips(point);
  if (selectMode_ && count > 1) HoverSplit(point);
}

void TrpDesignerMouse::HoverGrips(QPoint point) {
  const TrpView* o = selection_.LastSelected();
  const int x = o->Left, y = o->Top, dx = o->Width, dy = o->Height;
  const auto on = [&](int gx, int gy) { return rpOnGrip(point, QPoint(gx, gy), gripTolerance_); };
  if (on(x, y) || on(x + dx, y + dy))
    cursor_ = TrpDesignerCursor::SizeNWSE;
  else if (on(x + dx, y) || on(x, y + dy))
    cursor_ = TrpDesignerCursor::SizeNESW;
  else if (on(x + dx / 2, y) || on(x + dx / 2, y + dy))
    cursor_ = TrpDesignerCursor::SizeVertical;
  else if (on(x, y + dy / 2) || on(x + dx, y + dy / 2))
    cursor_ = TrpDesignerCursor::SizeHorizontal;
  else
    cursor_ = TrpDesignerCursor::Arrow;
}

void TrpDesignerMouse::HoverSplit(QPoint point) {
  const TrpPage* page = selection_.Page();
  const int grip = selection_.GripIndex();
  if (grip >= 0) {
    const TrpView* g = page->GetObject(grip);
    if (rpOnGrip(point, QPoint(g->Left + g->Width, g->Top + g->Height), gripTolerance_))
      cursor_ = TrpDesignerCursor::SizeNWSE;
  }
  for (int i = 0; i < page->Count(); ++i) {
    TrpView* t = page->GetObject(i);
    if (!t->IsSelected || IsBandObject(t) || t->ObjectKind == TrpDesignerTool::Line) continue;
    if (point.x() < t->Left || point.x() > t->Left + t->Width || point.y() < t->Top || point.y() > t->Top + t->Height)
      continue;
    for (int j = 0; j < page->Count(); ++j) {
      TrpView* s = page->GetObject(j);
      if (s == t || !s->IsSelected || IsBandObject(s)) continue;
      if (s->Left + s->Width == t->Left && point.x() >= t->Left && point.x() <= t->Left + 2) {
        cursor_ = TrpDesignerCursor::Split;
        split_ = {point.x(), t->Left, s, t};
      } else if (s->Left == t->Left + t->Width && point.x() >= s->Left - 2 && point.x() <= s->Left) {
        cursor_ = TrpDesignerCursor::Split;
        split_ = {point.x(), s->Left, t, s};
      }
    }
  }
}

// --- pressing

void TrpDesignerMouse::Press(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  ctrlAtDown_ = modifiers & Qt::ControlModifier;
  rubberBand_ = false;
  undoPending_ = false;
  buttonDown_ = true;
  if (button == Qt::LeftButton && (ctrlAtDown_ || InsertMode())) {
    rubberBand_ = true;
    QPoint start = point;
    if (InsertMode()) {
      start = rpSnapToGrid(point, settings_.GridSize, settings_.GridAlign);
      workRectAtDown_ = workRect_;
    }
    workRect_ = TrpEdges{start.x(), start.y(), start.x(), start.y()};
    DeselectAll();
    return;
  }
  if (button == Qt::LeftButton && tool_ == TrpDesignerTool::Line) {
    QPoint start = point;
    if (settings_.GridAlign) start = rpSnapLineStart(*selection_.Page(), point, settings_.GridSize);
    workRect_ = TrpEdges{start.x(), start.y(), start.x(), start.y()};
    DeselectAll();
    last_ = start;
    return;
  }
  if (cursor_ == TrpDesignerCursor::Arrow) {
    bool rubberBandStarted = false;
    PressSelect(point, button, modifiers, rubberBandStarted);
    if (rubberBandStarted) return;
  }
  // Scaling starts from the frame and the rectangles the selection has now.
  if (IsSizeCursor(cursor_) && selection_.Count() > 1) ComputeMultipleSelection();
  last_ = point;
  moved_ = false;
  resized_ = false;
  undoPending_ = true;
  firstMove_ = true;
  if (button == Qt::RightButton) {
    buttonDown_ = false;
    if (SelectionChanged) SelectionChanged();
    if (ContextMenu) ContextMenu(point);
  }
}

void TrpDesignerMouse::PressSelect(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                   bool& rubberBandStarted) {
  TrpView* hit = rpObjectAtPoint(*selection_.Page(), point);
  if (!hit) {
    DeselectAll();
    if (button == Qt::LeftButton) {
      rubberBand_ = true;
      workRect_ = TrpEdges{point.x(), point.y(), point.x(), point.y()};
      rubberBandStarted = true;
    }
    return;
  }
  if (modifiers & Qt::ShiftModifier)
    hit->IsSelected = hit->IsSelected ? 0 : 1;
  else if (!hit->IsSelected)
    selection_.SelectOnly(hit);
  const int count = selection_.Count();
  TrpView* single = selection_.SingleSelected();
  if (count == 1)
    single = selection_.LastSelected();
  else if (count == 0 || (single && !single->IsSelected))
    single = nullptr;
  selection_.SetSingleSelected(single);
  ComputeMultipleSelection();
}

// --- dragging

void TrpDesignerMouse::Drag(QPoint point, Qt::KeyboardModifiers modifiers) {
  dragOver_ = false;
  moved_ = true;
  mayAutoScroll_ = false;
  const bool snapping = Snapping(modifiers);
  const QPoint delta = rpGridDelta(point - last_, settings_.GridSize, snapping);
  if (undoPending_ && !rubberBand_ && (!snapping || !delta.isNull())) {
    if (RecordUndo) RecordUndo(TrpUndoAction::Modify);
    undoPending_ = false;
  }
  if (rubberBand_) {
    const QPoint corner = InsertMode() ? rpSnapToGrid(point, settings_.GridSize, settings_.GridAlign) : point;
    workRect_.Right = corner.x();
    workRect_.Bottom = corner.y();
    return;
  }
  if (tool_ == TrpDesignerTool::Line) {
    workRect_.Right += delta.x();
    workRect_.Bottom += delta.y();
    last_ += delta;
    return;
  }
  const int count = selection_.Count();
  if (cursor_ == TrpDesignerCursor::Split && count > 1) {
    const int kx = rpGridDelta(QPoint(point.x() - last_.x(), 0), settings_.GridSize, snapping).x();
    split_.LineX += kx;
    last_.rx() += kx;
    return;
  }
  if (IsSizeCursor(cursor_) && count > 1) {
    ScaleSelection(delta);
  } else if (cursor_ == TrpDesignerCursor::Arrow && selectMode_ && count >= 1) {
    MoveSelection(delta, modifiers);
    mayAutoScroll_ = true;
  } else if (IsSizeCursor(cursor_) && count == 1) {
    ResizeSingle(delta);
    mayAutoScroll_ = true;
  } else {
    return;
  }
  last_ += delta;
  if (ObjectsChanged) ObjectsChanged();
}

void TrpDesignerMouse::MoveSelection(QPoint delta, Qt::KeyboardModifiers modifiers) {
  TrpPage& page = *selection_.Page();
  if (firstMove_ && !delta.isNull()) {
    firstMove_ = false;
    TrpView* band = selection_.Count() == 1 ? selection_.LastSelected() : nullptr;
    // A band drags the objects lying wholly inside it, unless Alt holds them.
    if (band && IsBandObject(band) && MayMove(band) && !(modifiers & Qt::AltModifier)) {
      for (int i = 0; i < page.Count(); ++i) {
        TrpView* o = page.GetObject(i);
        if (!IsBandObject(o) && o->Left >= band->Left && o->Left + o->Width <= band->Left + band->Width &&
            o->Top >= band->Top && o->Top + o->Height <= band->Top + band->Height)
          o->IsSelected = 1;
      }
      ComputeMultipleSelection();
    }
  }
  for (int i = 0; i < page.Count(); ++i) {
    TrpView* o = page.GetObject(i);
    if (o->IsSelected && MayMove(o)) {
      o->Left += delta.x();
      o->Top += delta.y();
    }
  }
}

void TrpDesignerMouse::ResizeSingle(QPoint delta) {
  gripTolerance_ = 3;
  TrpView* o = selection_.LastSelected();
  if (!MayResize(o)) return;
  resized_ = true;
  const int kx = delta.x(), ky = delta.y();
  const int x = o->Left, y = o->Top, dx = o->Width, dy = o->Height;
  const auto on = [&](int gx, int gy) { return rpOnGrip(last_, QPoint(gx, gy), gripTolerance_); };
  switch (cursor_) {
  case TrpDesignerCursor::SizeNWSE:
    if (resizeMode_ == 2 || (resizeMode_ != 1 && !on(x, y))) {
      resizeMode_ = 2;
      o->Width += kx;
      o->Height += ky;
    } else {
      resizeMode_ = 1;
      o->Left += kx;
      o->Width -= kx;
      o->Top += ky;
      o->Height -= ky;
    }
    break;
  case TrpDesignerCursor::SizeNESW:
    if (resizeMode_ == 4 || (resizeMode_ != 3 && !on(x + dx, y))) {
      resizeMode_ = 4;
      o->Left += kx;
      o->Width -= kx;
      o->Height += ky;
    } else {
      resizeMode_ = 3;
      o->Top += ky;
      o->Width += kx;
      o->Height -= ky;
    }
    break;
  case TrpDesignerCursor::SizeHorizontal:
    if (resizeMode_ == 6 || (resizeMode_ != 5 && !on(x, y + dy / 2))) {
      resizeMode_ = 6;
      o->Width += kx;
    } else {
      resizeMode_ = 5;
      o->Left += kx;
      o->Width -= kx;
    }
    break;
  case TrpDesignerCursor::SizeVertical:
    if (resizeMode_ == 8 || (resizeMode_ != 7 && !on(x + dx / 2, y))) {
      resizeMode_ = 8;
      o->Height += ky;
    } else {
      resizeMode_ = 7;
      o->Top += ky;
      o->Height -= ky;
    }
    break;
  default:
    break;
  }
  NormaliseSize(*o, resizeMode_);
}

void TrpDesignerMouse::ScaleSelection(QPoint delta) {
  const int right = workRect_.Right + delta.x(), bottom = workRect_.Bottom + delta.y();
  if (right >= workRect_.Left && bottom >= workRect_.Top) {
    workRect_.Right = right;
    workRect_.Bottom = bottom;
  }
  const double fx = workRectAtDown_.Width() ? double(workRect_.Width()) / workRectAtDown_.Width() : 1.0;
  const double fy = workRectAtDown_.Height() ? double(workRect_.Height()) / workRectAtDown_.Height() : 1.0;
  const QPoint leftTop = selection_.MultiLeftTop();
  TrpPage& page = *selection_.Page();
  for (int i = 0; i < page.Count(); ++i) {
    TrpView* o = page.GetObject(i);
    if (!o->IsSelected || !MayResize(o)) continue;
    const QRect down = selection_.RectAtDown(o);
    // Each edge is scaled from the group's left-top once, so touching objects keep touching.
    const int ox = down.x() - leftTop.x(), oy = down.y() - leftTop.y();
    o->Left = leftTop.x() + rpRoundEven(ox * fx);
    o->Width = rpRoundEven((ox + down.width()) * fx) - rpRoundEven(ox * fx);
    o->Top = leftTop.y() + rpRoundEven(oy * fy);
    o->Height = rpRoundEven((oy + down.height()) * fy) - rpRoundEven(oy * fy);
  }
}

// --- releasing

void TrpDesignerMouse::Release(QPoint) {
  buttonDown_ = false;
  const int count = selection_.Count();
  if (InsertMode() && rubberBand_) {
    // A click inserts at the ghost; what size it gets is the insertion's choice.
    if (workRect_.IsPoint())
      workRect_ = TrpEdges{workRectAtDown_.Left, workRectAtDown_.Top, workRectAtDown_.Left, workRectAtDown_.Top};
    workRect_ = workRect_.Normalised();
    rubberBand_ = false;
    InsertObject();
  } else if (tool_ == TrpDesignerTool::Line) {
    ReleaseLine();
  } else if (rubberBand_) {
    ReleaseRubberBand();
  } else if (moved_ && count > 1 && cursor_ == TrpDesignerCursor::Split) {
    ReleaseSplit();
  } else if (moved_ && count > 1 && IsSizeCursor(cursor_)) {
    ComputeMultipleSelection();
    if (ObjectsChanged) ObjectsChanged();
  } else if (!moved_) {
    if (SelectionChanged) SelectionChanged();
  } else if (count == 1) {
    TrpView* o = selection_.LastSelected();
    int mode = 0;
    NormaliseSize(*o, mode);
    if (resized_) o->AfterResize();
    if (ObjectsChanged) ObjectsChanged();
  } else if (count > 1) {
    ComputeMultipleSelection();
    if (ObjectsChanged) ObjectsChanged();
  }
  moved_ = false;
  resized_ = false;
  resizeMode_ = 0;
  gripTolerance_ = 2;
}

void TrpDesignerMouse::ReleaseLine() {
  if (workRect_.IsPoint()) return;
  std::unique_ptr<TrpView> line = rpNewObjectOfType(TrpDesignerTool::Line, QString());
  line->AssignFreeName();
  int x = workRect_.Left, y = workRect_.Top, dx = workRect_.Width(), dy = workRect_.Height();
  if (dx < 0) {
    dx = -dx;
    if (qAbs(dy) < dx) x = workRect_.Right;
  }
  if (dy < 0) {
    dy = -dy;
    if (dx < dy) y = workRect_.Bottom;
  }
  line->SetBounds(x, y, dx, dy);
  line->FrameWidth = rpInsertDefaults().LineWidth;
  line->FrameColor = rpInsertDefaults().FrameColor;
  line->IsSelected = 1;
  TrpView* added = selection_.Page()->Add(std::move(line));
  selection_.SetSingleSelected(added);
  selection_.ComputeMultipleSelection();
  if (SelectionChanged) SelectionChanged();
  if (RecordUndo) RecordUndo(TrpUndoAction::Insert);
}

void TrpDesignerMouse::ReleaseRubberBand() {
  rubberBand_ = false;
  const TrpEdges band = workRect_.Normalised();
  TrpPage& page = *selection_.Page();
  const auto meets = [&band](const TrpView* o) {
    return o->Left <= band.Right && o->Left + o->Width >= band.Left && o->Top <= band.Bottom &&
           o->Top + o->Height >= band.Top;
  };
  bool any = false;
  for (int i = 0; i < page.Count(); ++i) {
    TrpView* o = page.GetObject(i);
    if (!IsBandObject(o) && meets(o)) {
      o->IsSelected = 1;
      any = true;
    }
  }
  if (!any)
    for (int i = 0; i < page.Count(); ++i)
      if (meets(page.GetObject(i))) page.GetObject(i)->IsSelected = 1;
  selection_.SetSingleSelected(selection_.Count() == 1 ? selection_.LastSelected() : nullptr);
  ComputeMultipleSelection();
  if (SelectionChanged) SelectionChanged();
}

void TrpDesignerMouse::ReleaseSplit() {
  const int d = split_.LineX - split_.Position;
  TrpView* left = split_.LeftObject;
  TrpView* right = split_.RightObject;
  if (left && right && MayResize(left) && MayResize(right) && MayMove(right) && left->Width + d > 0 &&
      right->Width - d > 0) {
    left->Width += d;
    right->Left += d;
    right->Width -= d;
  }
  ComputeMultipleSelection();
  if (ObjectsChanged) ObjectsChanged();
}

// --- inserting

TrpView* TrpDesignerMouse::InsertObject(const QString& droppedField) {
  const bool fieldDrop = !droppedField.isEmpty();
  TrpPage& page = *selection_.Page();
  // Taken first: the band types dialog covering the page sends it a leave, which hides the ghost.
  TrpEdges place = workRect_;
  std::unique_ptr<TrpView> object = rpNewToolObject(*Report, page, tool_, ChooseBandType);
  if (!object) return nullptr;
  if (object->ObjectKind == TrpDesignerTool::Subreport && PagesChanged) PagesChanged();
  const bool text = object->ObjectKind == TrpDesignerTool::Text;
  const bool control = dynamic_cast<TrpControl*>(object.get()) != nullptr;
  if (place.Width() == 0 || place.Height() == 0) {
    QSize size(36, 36);
    if (tool_ == TrpDesignerTool::Band)
      size = QSize(WorkspaceWidth, rpDefaultInsertSize(settings_.GridSize, rpInsertDefaults().FontSize).height());
    else if (text)
      size = rpDefaultInsertSize(settings_.GridSize, rpInsertDefaults().FontSize);
    else if (DialogPage && control)
      size = QSize(object->Width, object->Height);
    place.Right = place.Left + size.width();
    place.Bottom = place.Top + size.height();
  }
  DeselectAll();
  object->Left = place.Left;
  object->Top = place.Top;
  if (object->Width == 0 && object->Height == 0) {
    object->Width = place.Width();
    object->Height = place.Height();
  }
  if (const auto* band = dynamic_cast<const TrpBandView*>(object.get()))
    if (band->GetBandType() >= kCrossBandFirst && band->GetBandType() <= kCrossBandLast &&
        object->Width > WorkspaceWidth - 10)
      object->Width = 40;
  rpApplyInsertDefaults(*object, rpInsertDefaults());
  if (fieldDrop) object->Memo = QStringList{QLatin1Char('[') + droppedField + QLatin1Char(']')};
  object->IsSelected = 1;
  TrpView* added = page.Add(std::move(object));
  if (IsBandObject(added)) rpNormaliseObjectOrder(page);
  selection_.SetSingleSelected(added);
  selection_.ComputeMultipleSelection();
  if (SelectionChanged) SelectionChanged();
  if (RecordUndo) RecordUndo(TrpUndoAction::Insert);
  if (settings_.EditAfterInsert && !(DialogPage && control) && !fieldDrop && EditObject) EditObject(added);
  if (!keepInsertTool_) {
    SetTool(TrpDesignerTool::Select, false);
    if (ToolChanged) ToolChanged(tool_);
  }
  return added;
}

void TrpDesignerMouse::DoubleClick() {
  // Qt sends no second press after a double click, so nothing is skipped.
  buttonDown_ = false;
  if (DoubleClicked) DoubleClicked(ctrlAtDown_);
}

void TrpDesignerMouse::Leave() {
  if ((!selectMode_ && !buttonDown_) || dragOver_) {
    workRect_.MoveTo(QPoint(workRect_.Left - 10000, workRect_.Top - 10000));
    dragOver_ = false;
    if (InsertMode()) cursor_ = TrpDesignerCursor::Arrow;
  }
}

void TrpDesignerMouse::Escape() {
  if (buttonDown_) return;
  SetTool(TrpDesignerTool::Select, false);
  if (ToolChanged) ToolChanged(tool_);
  Leave();
  Hover(QPoint(0, 0));
  DeselectAll();
  if (SelectionChanged) SelectionChanged();
}

void TrpDesignerMouse::DragOver(QPoint point) {
  if (!dragOver_) {
    const QSize size = rpDefaultInsertSize(settings_.GridSize, rpInsertDefaults().FontSize);
    workRect_ = TrpEdges{point.x() - 4, point.y() - 4, point.x() + size.width() - 4, point.y() + size.height() - 4};
    dragOver_ = true;
  }
  workRect_.MoveTo(rpSnapToGrid(point, settings_.GridSize, settings_.GridAlign) - QPoint(4, 4));
}

TrpView* TrpDesignerMouse::Drop(const QString& field) {
  dragOver_ = false;
  SetTool(TrpDesignerTool::Text, false);
  cursor_ = TrpDesignerCursor::Cross;
  return InsertObject(field);
}
