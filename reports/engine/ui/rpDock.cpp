#include "reports/engine/ui/rpDock.h"
#include "core/gui/ColorConvert.h"
#include "platform/base/Registry.h"
#include <QtCore/QCoreApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <algorithm>

namespace {

constexpr int kGrip = 11;
const char* const kAlignProperty = "rpAlign";

TrpControlAlign AlignOf(const QWidget* control) { return TrpControlAlign(control->property(kAlignProperty).toInt()); }
void SetAlign(QWidget* control, TrpControlAlign align) { control->setProperty(kAlignProperty, int(align)); }

void RaisedFrame(QPainter& p, const QRect& r) {
  p.setPen(QApplication::palette().color(QPalette::Light));
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(QApplication::palette().color(QPalette::Dark));
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
}

} // namespace

QString rpRegistryReadText(const QString& key, const QString& name, const QString& fallback) {
  const auto value = TRegistry::Root().ReadValue(key, name);
  if (!value) return fallback;
  return value->Type == TRegValueType::Dword ? QString::number(value->Dword) : value->Text;
}
int rpRegistryReadInt(const QString& key, const QString& name, int fallback) {
  bool ok = false;
  const int value = rpRegistryReadText(key, name, QString()).toInt(&ok);
  return ok ? value : fallback;
}
bool rpRegistryReadBool(const QString& key, const QString& name, bool fallback) {
  const QString text = rpRegistryReadText(key, name, QString());
  return text.isEmpty() ? fallback : text != QLatin1String("0");
}
void rpRegistryWriteText(const QString& key, const QString& name, const QString& text) {
  TRegistry::Root().WriteValue(key, name, TRegValue::String(text), true);
}
void rpRegistryWriteInt(const QString& key, const QString& name, int value) {
  rpRegistryWriteText(key, name, QString::number(value));
}
void rpRegistryWriteBool(const QString& key, const QString& name, bool value) {
  rpRegistryWriteText(key, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString& rpRegistryRoot() {
  static QString root = QStringLiteral("Software\\ZiviVudire");
  return root;
}

// --- dock

TrpDock::TrpDock(TrpDockAlign align, QWidget* parent) : QWidget(parent), align_(align) {
  setAttribute(Qt::WA_StyledBackground, false);
  if (IsHorizontal())
    setFixedHeight(1);
  else
    setFixedWidth(1);
}

QList<TrpToolBar*> TrpDock::ToolBars() const {
  return findChildren<TrpToolBar*>(QString(), Qt::FindDirectChildrenOnly);
}

void TrpDock::SetDepth(int depth) {
  const int old = Depth();
  if (IsHorizontal()) {
    setFixedHeight(depth);
    if (align_ == TrpDockAlign::Bottom) move(x(), y() + old - depth);
  } else {
    setFixedWidth(depth);
    if (align_ == TrpDockAlign::Right) move(x() + old - depth, y());
  }
}

void TrpDock::AdjustBounds() {
  const QList<TrpToolBar*> bars = ToolBars();
  if (bars.isEmpty()) {
    SetDepth(1);
    return;
  }
  const bool horizontal = IsHorizontal();
  const bool fromFar = align_ == TrpDockAlign::Bottom || align_ == TrpDockAlign::Right;
  const auto across = [&](const QWidget* w) { return horizontal ? w->y() : w->x(); };
  const auto thickness = [&](const QWidget* w) { return horizontal ? w->height() : w->width(); };
  const auto shift = [&](QWidget* w, int by) {
    horizontal ? w->move(w->x(), w->y() + by) : w->move(w->x() + by, w->y());
  };
  QList<TrpToolBar*> visible;
  for (TrpToolBar* bar : bars)
    if (bar->isVisibleTo(this) || !isVisibleTo(parentWidget())) visible.append(bar);
  int rows = Depth() / RowSize;
  int edge = Depth(); // the outer edge of a bottom or right dock
  for (int r = 0; r < rows;) {
    const int rowStart = fromFar ? edge - (r + 1) * RowSize : r * RowSize;
    const int rowEnd = rowStart + RowSize;
    const bool used = std::any_of(visible.cbegin(), visible.cend(), [&](const TrpToolBar* b) {
      return across(b) < rowEnd && across(b) + thickness(b) > rowStart;
    });
    if (used) {
      ++r;
      continue;
    }
    // Top and left docks pull the farther rows toward the edge; bottom and right docks move the outer rows inward.
    for (TrpToolBar* b : visible)
      if (across(b) >= rowEnd) shift(b, -RowSize);
    if (fromFar) edge -= RowSize;
    --rows;
  }
  if (fromFar) {
    int lowest = 1;
    for (const TrpToolBar* b : visible)
      lowest = std::min(lowest, across(b));
    if (lowest < 1)
      for (TrpToolBar* b : visible)
        shift(b, 1 - lowest);
  }
  int depth = rows * RowSize + 1;
  for (const TrpToolBar* b : visible)
    depth = std::max(depth, across(b) + thickness(b) + 1);
  SetDepth(depth);
}

void TrpDock::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(clBtnFace));
}

// --- tool bar

TrpToolBar::TrpToolBar(QWidget* parent) : QWidget(parent), dragBox_(new TrpDragBox(this)) {
  resize(100, 26);
  PlaceDragBox();
}

TrpToolBar::~TrpToolBar() {
  destroying_ = true;
  if (floatWindow_) {
    floatWindow_->hide();
    setParent(nullptr);
    delete floatWindow_.data();
  }
}

bool TrpToolBar::IsHorizontal() const {
  const TrpDock* dock = Dock();
  return !dock || dock->IsHorizontal();
}

bool TrpToolBar::IsVisible() const {
  return floatWindow_ ? floatWindow_->isVisibleTo(nullptr) && !floatWindow_->isHidden() : !isHidden();
}

void TrpToolBar::SetIsVisible(bool visible) {
  if (floatWindow_) {
    floatWindow_->setVisible(visible);
    setVisible(visible);
  } else {
    setVisible(visible);
  }
}

QList<QWidget*> TrpToolBar::Controls() const {
  QList<QWidget*> result;
  for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    if (child != dragBox_) result.append(child);
  return result;
}

void TrpToolBar::AddControl(QWidget* control) {
  control->setParent(this);
  int end = kGrip + 1;
  for (const QWidget* other : Controls())
    if (other != control)
      end = std::max(end, IsHorizontal() ? other->geometry().right() + 1 : other->geometry().bottom() + 1);
  IsHorizontal() ? control->move(end, 1) : control->move(1, end);
  SetAlign(control, IsHorizontal() ? TrpControlAlign::Left : TrpControlAlign::Top);
  control->show();
  AdjustBounds();
}

void TrpToolBar::PlaceDragBox() {
  if (destroying_) return;
  const QRect inside = rect().adjusted(1, 1, -1, -1);
  if (IsHorizontal())
    dragBox_->setGeometry(inside.left(), inside.top(), kGrip, std::max(inside.height(), kGrip));
  else
    dragBox_->setGeometry(inside.left(), inside.top(), std::max(inside.width(), kGrip), kGrip);
}

void TrpToolBar::RearrangeControls() {
  const bool horizontal = IsHorizontal();
  // In the order they were added, whatever is hidden or shown meanwhile.
  const QList<QWidget*> controls = Controls();
  for (QWidget* control : controls) {
    if (horizontal && control->height() > control->width()) control->resize(control->height(), control->width());
    if (!horizontal && control->width() > control->height()) control->resize(control->height(), control->width());
    const TrpControlAlign align = AlignOf(control);
    if (horizontal && align != TrpControlAlign::Left && align != TrpControlAlign::Right)
      SetAlign(control, align == TrpControlAlign::Bottom ? TrpControlAlign::Right : TrpControlAlign::Left);
    if (!horizontal && align != TrpControlAlign::Top && align != TrpControlAlign::Bottom)
      SetAlign(control, align == TrpControlAlign::Right ? TrpControlAlign::Bottom : TrpControlAlign::Top);
  }
  PlaceDragBox();
  // Leading controls follow the grip; trailing ones stand at the far end.
  int lead = 1 + (dragBox_->isHidden() ? 0 : kGrip);
  int trail = (horizontal ? width() : height()) - 1;
  for (QWidget* control : controls) {
    if (control->isHidden()) continue;
    const TrpControlAlign align = AlignOf(control);
    const int length = horizontal ? control->width() : control->height();
    int at = lead;
    if (align == TrpControlAlign::Right || align == TrpControlAlign::Bottom) {
      trail -= length;
      at = trail;
    } else {
      lead += length;
    }
    horizontal ? control->move(at, 1) : control->move(1, at);
  }
}

void TrpToolBar::AdjustBounds() {
  RearrangeControls();
  int length = 4 + (dragBox_->isHidden() ? 0 : kGrip);
  for (const QWidget* control : Controls())
    if (!control->isHidden()) length += IsHorizontal() ? control->width() : control->height();
  const int thickness = std::max(IsHorizontal() ? height() : width(), 26);
  IsHorizontal() ? resize(length, thickness) : resize(thickness, length);
  RearrangeControls();
}

void TrpToolBar::resizeEvent(QResizeEvent*) { PlaceDragBox(); }

void TrpToolBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(clBtnFace));
  if (!floatWindow_) RaisedFrame(p, rect().adjusted(0, 0, -1, -1));
}

void TrpToolBar::AddToDock(TrpDock* dock) {
  int x = 0, y = 0;
  switch (dock->Align()) {
  case TrpDockAlign::Top:
    y = dock->height() - 1;
    break;
  case TrpDockAlign::Bottom:
    y = 1 - height();
    break;
  case TrpDockAlign::Left:
    x = dock->width() - 1;
    break;
  case TrpDockAlign::Right:
    x = 1 - width();
    break;
  case TrpDockAlign::None:
    break;
  }
  MoveToDock(dock, x, y);
}

void TrpToolBar::MoveToDock(TrpDock* dock, int x, int y) {
  hide();
  TrpDock* left = Dock();
  if (floatWindow_) {
    TrpFloatWindow* window = floatWindow_;
    floatWindow_ = nullptr;
    window->hide();
    setParent(dock);
    window->deleteLater();
  } else {
    setParent(dock);
  }
  if (left && left != dock) left->AdjustBounds();
  dragBox_->show();
  const bool turn = dock->IsHorizontal() ? height() > width() : width() > height();
  if (turn) resize(height(), width());
  AdjustBounds();
  move(x, y);
  show();
  dock->AdjustBounds();
}

void TrpToolBar::MakeFloat(int x, int y) {
  if (floatWindow_) {
    floatWindow_->move(x, y);
    return;
  }
  hide();
  dragBox_->hide();
  TrpDock* left = Dock();
  QWidget* form = this->window() == this ? nullptr : this->window();
  auto* floating = new TrpFloatWindow(this, form);
  floating->move(x, y);
  floatWindow_ = floating;
  setParent(floating);
  if (height() > width()) resize(height(), width());
  AdjustBounds();
  if (left) left->AdjustBounds();
  move(0, TrpFloatWindow::kCaptionHeight);
  floating->FitToBar();
  show();
}

bool TrpToolBar::MoveTo(int x, int y) {
  TrpDock* dock = Dock();
  if (!dock) return false;
  const bool horizontal = dock->IsHorizontal();
  int along = horizontal ? x : y;
  int across = horizontal ? y : x;
  const int length = horizontal ? width() : height();
  const int thickness = horizontal ? height() : width();
  if (!CanFloat) {
    // A bar that may not float stays within its dock across it too.
    const bool fromFar = dock->Align() == TrpDockAlign::Bottom || dock->Align() == TrpDockAlign::Right;
    across = fromFar ? std::min(across, dock->Depth() - thickness) : std::max(across, 0);
  }
  bool tornOff = false, corrected = true;
  int passes = 0;
  while (passes < 3 && corrected && !tornOff) {
    ++passes;
    corrected = false;
    if (CanFloat && along < -20) {
      tornOff = true;
      break;
    }
    if (along < 0) {
      along = 0;
      corrected = true;
    }
    if (along + length > dock->Length()) {
      along = std::max(dock->Length() - length, 0);
      corrected = true;
    }
    for (const TrpToolBar* other : dock->ToolBars()) {
      if (other == this || other->isHidden()) continue;
      const int otherAcross = horizontal ? other->y() : other->x();
      const int otherThickness = horizontal ? other->height() : other->width();
      if (otherAcross >= across + thickness || otherAcross + otherThickness <= across) continue;
      const int start = horizontal ? other->x() : other->y();
      const int end = start + (horizontal ? other->width() : other->height());
      if (along >= start && along < end) {
        along = end;
        corrected = true;
      } else if (start >= along && start < along + length) {
        along = start - length;
        corrected = true;
      }
    }
  }
  const QPoint cursor = dragging_ ? cursor_ : QCursor::pos();
  if (tornOff) {
    MakeFloat(cursor.x(), cursor.y());
    dragging_ = false;
    releaseMouse();
    floatWindow_->BeginDrag(cursor);
    return true;
  }
  if (corrected) return false;
  const int depthBefore = dock->Depth();
  horizontal ? move(along, across) : move(across, along);
  dock->AdjustBounds();
  const bool outside = across < 0 || across + thickness > depthBefore;
  if (outside && dock->Depth() == depthBefore && CanFloat) {
    MakeFloat(cursor.x(), cursor.y());
    dragging_ = false;
    releaseMouse();
    floatWindow_->BeginDrag(cursor);
  }
  return true;
}

bool TrpToolBar::DockAt(QWidget* owner, const QPoint& point) {
  if (!owner) return false;
  for (TrpDock* dock : owner->findChildren<TrpDock*>()) {
    const QRect bounds(dock->mapTo(owner, QPoint(0, 0)), dock->size());
    if (point.x() < bounds.left() || point.x() > bounds.right() + 1 || point.y() < bounds.top() ||
        point.y() > bounds.bottom() + 1)
      continue;
    if (Orientation == TrpOrientation::toHorzOnly && !dock->IsHorizontal()) return false;
    if (Orientation == TrpOrientation::toVertOnly && dock->IsHorizontal()) return false;
    const int length = std::max(width(), height());
    int x = 0, y = 0;
    if (dock->IsHorizontal()) {
      x = std::clamp(point.x() - bounds.left(), 0, std::max(dock->width() - length, 0));
      y = dock->Align() == TrpDockAlign::Bottom ? 1 - std::min(width(), height()) : dock->height() - 1;
    } else {
      y = std::clamp(point.y() - bounds.top(), 0, std::max(dock->height() - length, 0));
      x = dock->Align() == TrpDockAlign::Right ? 1 - std::min(width(), height()) : dock->width() - 1;
    }
    MoveToDock(dock, x, y);
    grabMouse();
    DragMouseDown(owner->mapToGlobal(point));
    return true;
  }
  return false;
}

void TrpToolBar::DragMouseDown(const QPoint& globalPos) {
  if (floatWindow_) return;
  lastCursor_ = cursor_ = globalPos;
  dragging_ = true;
}

void TrpToolBar::DragMouseMove(const QPoint& globalPos) {
  if (floatWindow_ || !dragging_ || !Dock()) return;
  cursor_ = globalPos;
  const TrpDock* dock = Dock();
  const QPoint moved = globalPos - lastCursor_;
  const int along = dock->IsHorizontal() ? moved.x() : moved.y();
  const int rawAcross = dock->IsHorizontal() ? moved.y() : moved.x();
  const int across = rawAcross / dock->RowSize * dock->RowSize; // whole rows, toward zero
  if (along == 0 && across == 0) return;
  const QPoint keptPos = pos();
  const bool horizontal = dock->IsHorizontal();
  const int newX = x() + (horizontal ? along : across), newY = y() + (horizontal ? across : along);
  if (!MoveTo(newX, newY) || floatWindow_) return;
  if (pos().x() != keptPos.x()) lastCursor_.setX(globalPos.x());
  if (pos().y() != keptPos.y()) lastCursor_.setY(globalPos.y());
}

void TrpToolBar::DragMouseUp() {
  dragging_ = false;
  releaseMouse();
}

void TrpToolBar::mousePressEvent(QMouseEvent* event) { DragMouseDown(event->globalPosition().toPoint()); }
void TrpToolBar::mouseMoveEvent(QMouseEvent* event) { DragMouseMove(event->globalPosition().toPoint()); }
void TrpToolBar::mouseReleaseEvent(QMouseEvent*) { DragMouseUp(); }

// --- drag box

TrpDragBox::TrpDragBox(TrpToolBar* bar) : QWidget(bar), bar_(bar) { resize(kGrip, kGrip); }

void TrpDragBox::mousePressEvent(QMouseEvent* event) { bar_->DragMouseDown(event->globalPosition().toPoint()); }
void TrpDragBox::mouseMoveEvent(QMouseEvent* event) { bar_->DragMouseMove(event->globalPosition().toPoint()); }
void TrpDragBox::mouseReleaseEvent(QMouseEvent*) { bar_->DragMouseUp(); }

void TrpDragBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(clBtnFace));
  const bool horizontal = bar_->IsHorizontal();
  for (int at : {2, 5}) {
    const QRect grip = horizontal ? QRect(at, 1, 2, height() - 3) : QRect(1, at, width() - 3, 2);
    RaisedFrame(p, grip);
  }
}

// --- drag frame

TrpDragFrame::TrpDragFrame() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput) {
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_ShowWithoutActivating);
}

void TrpDragFrame::MoveFrame(const QRect& rect) { setGeometry(rect); }

void TrpDragFrame::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QPen(Qt::black, 1, Qt::DotLine));
  for (int i = 0; i < 4; ++i)
    p.drawRect(rect().adjusted(i, i, -1 - i, -1 - i));
}

// --- floating window

TrpFloatWindow::TrpFloatWindow(TrpToolBar* bar, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), bar_(bar), owner_(owner) {
  setWindowTitle(bar->windowTitle());
}

TrpFloatWindow::~TrpFloatWindow() {
  if (bar_ && bar_->floatWindow_ == this) bar_->floatWindow_ = nullptr;
}

void TrpFloatWindow::FitToBar() { resize(bar_->width(), bar_->height() + kCaptionHeight); }

void TrpFloatWindow::BeginDrag(const QPoint& globalPos) {
  dragRect_ = QRect(globalPos, size());
  grabOffset_ = QPoint(0, 0);
  frame_.MoveFrame(dragRect_);
  frame_.show();
  dragging_ = true;
  grabMouse();
}

void TrpFloatWindow::DragTo(const QPoint& globalPos) {
  if (!dragging_) return;
  dragRect_.moveTopLeft(globalPos - grabOffset_);
  if (owner_ && bar_->DockAt(owner_, owner_->mapFromGlobal(globalPos))) {
    // The bar has left this window, which goes once the event is over.
    frame_.hide();
    dragging_ = false;
    return;
  }
  frame_.MoveFrame(dragRect_);
}

void TrpFloatWindow::EndDrag() {
  if (!dragging_) return;
  releaseMouse();
  frame_.hide();
  move(dragRect_.topLeft());
  show();
  dragging_ = false;
}

void TrpFloatWindow::mousePressEvent(QMouseEvent* event) {
  if (event->position().y() >= kCaptionHeight) return;
  BeginDrag(event->globalPosition().toPoint());
  grabOffset_ = event->position().toPoint();
  dragRect_.moveTopLeft(event->globalPosition().toPoint() - grabOffset_);
  frame_.MoveFrame(dragRect_);
}

void TrpFloatWindow::mouseMoveEvent(QMouseEvent* event) { DragTo(event->globalPosition().toPoint()); }
void TrpFloatWindow::mouseReleaseEvent(QMouseEvent*) { EndDrag(); }

void TrpFloatWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(clBtnFace));
  const QRect caption(0, 0, width(), kCaptionHeight);
  p.fillRect(caption, QApplication::palette().color(QPalette::Highlight));
  p.setPen(QApplication::palette().color(QPalette::HighlightedText));
  QFont font = p.font();
  font.setPixelSize(kCaptionHeight - 3);
  p.setFont(font);
  p.drawText(caption.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft, windowTitle());
  p.setPen(QApplication::palette().color(QPalette::Dark));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// --- separator, panel, button

TrpTBSeparator::TrpTBSeparator(QWidget* parent) : QWidget(parent) { resize(8, 8); }

void TrpTBSeparator::paintEvent(QPaintEvent*) {
  if (!DrawBevel) return;
  QPainter p(this);
  const bool vertical = width() <= height(); // across a horizontal bar
  const QPalette& palette = QApplication::palette();
  if (vertical) {
    const int mid = width() / 2 - 1;
    p.setPen(palette.color(QPalette::Dark));
    p.drawLine(mid, 2, mid, height() - 3);
    p.setPen(palette.color(QPalette::Light));
    p.drawLine(mid + 1, 2, mid + 1, height() - 3);
  } else {
    const int mid = height() / 2 - 1;
    p.setPen(palette.color(QPalette::Dark));
    p.drawLine(2, mid, width() - 3, mid);
    p.setPen(palette.color(QPalette::Light));
    p.drawLine(2, mid + 1, width() - 3, mid + 1);
  }
}

TrpTBPanel::TrpTBPanel(QWidget* parent) : QWidget(parent) { resize(8, 8); }

TrpTBButton::TrpTBButton(QWidget* parent) : TrpSpeedButton(parent) { SetFlat(true); }

// --- registry

void rpSaveToolbarPosition(TrpToolBar* bar) {
  const QString key = rpRegistryRoot() + QStringLiteral("\\ToolBar\\") + bar->objectName();
  const bool floating = bar->IsFloating();
  rpRegistryWriteBool(key, QStringLiteral("isFloat"), floating);
  rpRegistryWriteBool(key, QStringLiteral("isVisible"), bar->IsVisible());
  const QPoint at = floating ? bar->GetFloatWindow()->pos() : bar->pos();
  rpRegistryWriteInt(key, QStringLiteral("XPosition"), at.x());
  rpRegistryWriteInt(key, QStringLiteral("YPosition"), at.y());
  rpRegistryWriteInt(key, QStringLiteral("Width"), bar->width());
  rpRegistryWriteInt(key, QStringLiteral("Height"), bar->height());
  if (!floating && bar->Dock()) rpRegistryWriteText(key, QStringLiteral("DockName"), bar->Dock()->objectName());
}

void rpRestoreToolbarPosition(TrpToolBar* bar) {
  const QString key = rpRegistryRoot() + QStringLiteral("\\ToolBar\\") + bar->objectName();
  bar->SetIsVisible(false);
  const QPoint current = bar->IsFloating() ? bar->GetFloatWindow()->pos() : bar->pos();
  const int x = rpRegistryReadInt(key, QStringLiteral("XPosition"), current.x());
  const int y = rpRegistryReadInt(key, QStringLiteral("YPosition"), current.y());
  bar->resize(rpRegistryReadInt(key, QStringLiteral("Width"), bar->width()),
              rpRegistryReadInt(key, QStringLiteral("Height"), bar->height()));
  if (rpRegistryReadBool(key, QStringLiteral("isFloat"), false)) {
    bar->MakeFloat(x, y);
  } else {
    TrpDock* dock = bar->Dock();
    const QString dockName = rpRegistryReadText(key, QStringLiteral("DockName"), dock ? dock->objectName() : QString());
    QWidget* form = dock ? dock->window() : bar->window();
    TrpDock* named = form ? form->findChild<TrpDock*>(dockName) : nullptr;
    if (named && named != dock)
      bar->MoveToDock(named, x, y);
    else if (dock)
      bar->MoveToDock(dock, x, y);
  }
  bar->AdjustBounds();
  bar->SetIsVisible(rpRegistryReadBool(key, QStringLiteral("isVisible"), true));
}

void rpSaveFormPosition(QWidget* form) {
  const QString key =
      rpRegistryRoot() + QStringLiteral("\\Form\\") + QString::fromLatin1(form->metaObject()->className());
  const QRect bounds = form->isMaximized() ? form->normalGeometry() : form->geometry();
  rpRegistryWriteInt(key, QStringLiteral("XPosition"), bounds.x());
  rpRegistryWriteInt(key, QStringLiteral("YPosition"), bounds.y());
  rpRegistryWriteInt(key, QStringLiteral("Width"), bounds.width());
  rpRegistryWriteInt(key, QStringLiteral("Height"), bounds.height());
  rpRegistryWriteBool(key, QStringLiteral("Maximized"), form->isMaximized());
}

void rpRestoreFormPosition(QWidget* form) {
  const QString key =
      rpRegistryRoot() + QStringLiteral("\\Form\\") + QString::fromLatin1(form->metaObject()->className());
  if (!rpRegistryReadBool(key, QStringLiteral("Maximized"), true))
    form->setWindowState(form->windowState() & ~Qt::WindowMaximized);
  const Qt::WindowStates state = form->windowState();
  const QRect current = form->isMaximized() ? form->normalGeometry() : form->geometry();
  // The stored bounds become the normal bounds; a maximized window stays maximized.
  form->setGeometry(rpRegistryReadInt(key, QStringLiteral("XPosition"), current.x()),
                    rpRegistryReadInt(key, QStringLiteral("YPosition"), current.y()),
                    rpRegistryReadInt(key, QStringLiteral("Width"), current.width()),
                    rpRegistryReadInt(key, QStringLiteral("Height"), current.height()));
  if (state & Qt::WindowMaximized) form->setWindowState(form->windowState() | Qt::WindowMaximized);
}
