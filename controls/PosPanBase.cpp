#include "controls/PosPanBase.h"
#include "core/gui/ColorConvert.h"
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

namespace {

// A 3-D frame of `width` pixels inside `r`: raised is light at the top-left
// and dark at the bottom-right, lowered the other way round.
void DrawBevel(QPainter& painter, QRect& r, TZvetsovaciPanel::TBevel bevel, int width, const QPalette& palette) {
  if (bevel == TZvetsovaciPanel::TBevel::None || width <= 0) return;
  const bool raised = bevel == TZvetsovaciPanel::TBevel::Raised;
  const QColor topLeft = raised ? palette.color(QPalette::Light) : palette.color(QPalette::Dark);
  const QColor bottomRight = raised ? palette.color(QPalette::Dark) : palette.color(QPalette::Light);
  for (int i = 0; i < width; ++i) {
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    r.adjust(1, 1, -1, -1);
  }
}

// The part of `r` along the inner edge of an aligned panel, `width` deep;
// `r` keeps the rest.
QRect TakeInnerEdge(QRect& r, TZvetsovaciPanel::TAlign align, int width) {
  using A = TZvetsovaciPanel::TAlign;
  QRect strip;
  switch (align) {
  case A::Top:
    strip = QRect(r.left(), r.bottom() - width + 1, r.width(), width);
    r.setBottom(r.bottom() - width);
    break;
  case A::Bottom:
    strip = QRect(r.left(), r.top(), r.width(), width);
    r.setTop(r.top() + width);
    break;
  case A::Left:
    strip = QRect(r.right() - width + 1, r.top(), width, r.height());
    r.setRight(r.right() - width);
    break;
  case A::Right:
    strip = QRect(r.left(), r.top(), width, r.height());
    r.setLeft(r.left() + width);
    break;
  default:
    break;
  }
  return strip;
}

bool HasInnerEdge(TZvetsovaciPanel::TAlign align) {
  using A = TZvetsovaciPanel::TAlign;
  return align == A::Top || align == A::Bottom || align == A::Left || align == A::Right;
}

} // namespace

TZvetsovaciPanel::TZvetsovaciPanel(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

void TZvetsovaciPanel::SetAlign(TAlign align) {
  align_ = align;
  UpdateMargins();
}

void TZvetsovaciPanel::SetDragStripWidth(int width) {
  stripWidth_ = width;
  UpdateMargins();
}

void TZvetsovaciPanel::SetDragStripColor(TColor color) {
  stripColor_ = color;
  update();
}

void TZvetsovaciPanel::SetBevelOuter(TBevel bevel) {
  bevelOuter_ = bevel;
  update();
}

void TZvetsovaciPanel::SetBevelInner(TBevel bevel) {
  bevelInner_ = bevel;
  update();
}

void TZvetsovaciPanel::SetBevelWidth(int width) {
  bevelWidth_ = width;
  update();
}

void TZvetsovaciPanel::SetBorderWidth(int width) {
  borderWidth_ = width;
  update();
}

void TZvetsovaciPanel::SetColor(TColor color) {
  color_ = color;
  update();
}

void TZvetsovaciPanel::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void TZvetsovaciPanel::SetCaptionAlignment(Qt::Alignment alignment) {
  captionAlignment_ = alignment;
  update();
}

void TZvetsovaciPanel::UpdateMargins() {
  // The children are aligned inside the panel less the strip.
  const int strip = HasInnerEdge(align_) ? stripWidth_ : 0;
  setContentsMargins(align_ == TAlign::Right ? strip : 0, align_ == TAlign::Bottom ? strip : 0,
                     align_ == TAlign::Left ? strip : 0, align_ == TAlign::Top ? strip : 0);
  update();
}

QRect TZvetsovaciPanel::StripRect() const {
  if (!HasInnerEdge(align_) || stripWidth_ <= 0) return {};
  QRect r = rect();
  if (bevelOuter_ != TBevel::None) r.adjust(bevelWidth_, bevelWidth_, -bevelWidth_, -bevelWidth_);
  return TakeInnerEdge(r, align_, stripWidth_);
}

void TZvetsovaciPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect r = rect();
  const QColor face = ToQColor(color_);
  painter.fillRect(r, face);
  DrawBevel(painter, r, bevelOuter_, bevelWidth_, palette());
  if (HasInnerEdge(align_) && stripWidth_ > 0)
    painter.fillRect(TakeInnerEdge(r, align_, stripWidth_), ToQColor(stripColor_));
  for (int i = 0; i < borderWidth_; ++i) {
    painter.setPen(face);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    r.adjust(1, 1, -1, -1);
  }
  DrawBevel(painter, r, bevelInner_, bevelWidth_, palette());
  if (caption_.isEmpty()) return;
  painter.fillRect(r, face);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setFont(font());
  painter.drawText(r, int(captionAlignment_ | Qt::AlignVCenter), caption_);
}

bool TZvetsovaciPanel::OnStrip(QPoint pos) const {
  if (stripWidth_ <= 0) return false;
  switch (align_) {
  case TAlign::Top:
    return pos.y() >= height() - stripWidth_;
  case TAlign::Bottom:
    return pos.y() < stripWidth_;
  case TAlign::Left:
    return pos.x() >= width() - stripWidth_;
  case TAlign::Right:
    return pos.x() < stripWidth_;
  default:
    return false;
  }
}

void TZvetsovaciPanel::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (!resizeEnabled_ || dragging_ || event->button() != Qt::LeftButton || !OnStrip(pos)) {
    QWidget::mousePressEvent(event);
    return;
  }
  if (OnStartResize) OnStartResize(this);
  dragging_ = true;
  dragPos_ = pos;
  grabMouse();
}

void TZvetsovaciPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  dragging_ = false;
  releaseMouse();
  if (OnEndResize) OnEndResize(this);
}

void TZvetsovaciPanel::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (dragging_) {
    Drag(pos);
    return;
  }
  if (!resizeEnabled_) return;
  const bool vertical = align_ == TAlign::Top || align_ == TAlign::Bottom;
  setCursor(!OnStrip(pos) ? Qt::ArrowCursor : vertical ? Qt::SplitVCursor : Qt::SplitHCursor);
}

void TZvetsovaciPanel::Drag(QPoint pos) {
  const QWidget* parent = parentWidget();
  if (!parent) return;
  const int m = Margin();
  const QRect old = geometry();
  const int dx = pos.x() - dragPos_.x(), dy = pos.y() - dragPos_.y();
  const bool vertical = align_ == TAlign::Top || align_ == TAlign::Bottom;
  const int p = vertical ? parent->contentsRect().height() : parent->contentsRect().width();
  int size = 0;
  bool applies = false;
  switch (align_) {
  case TAlign::Top:
    size = old.height() + dy;
    applies = m < size && size < p - m;
    break;
  case TAlign::Bottom:
    size = old.height() - dy;
    applies = old.top() + dy >= 1 && old.top() + dy < p - m - stripWidth_;
    break;
  case TAlign::Left:
    size = old.width() + dx;
    applies = m < size && size < p - m;
    break;
  case TAlign::Right:
    size = old.width() - dx;
    applies = old.left() + dx >= 1 && old.left() + dx < p - m - stripWidth_;
    break;
  default:
    return;
  }
  if (!applies) return;
  if (OnPanelResize) OnPanelResize(this, size);
  QRect next = old;
  switch (align_) {
  case TAlign::Top:
    next.setHeight(size);
    dragPos_.ry() += size - old.height();
    break;
  case TAlign::Bottom:
    next = QRect(old.left(), old.top() + old.height() - size, old.width(), size);
    break;
  case TAlign::Left:
    next.setWidth(size);
    dragPos_.rx() += size - old.width();
    break;
  case TAlign::Right:
    next = QRect(old.left() + old.width() - size, old.top(), size, old.height());
    break;
  default:
    break;
  }
  ApplySize(next);
}

void TZvetsovaciPanel::ApplySize(const QRect& geometry) {
  // In a layout the panel keeps its new size as a fixed one; the layout places it.
  if (parentWidget()->layout()) {
    if (align_ == TAlign::Top || align_ == TAlign::Bottom)
      setFixedHeight(geometry.height());
    else
      setFixedWidth(geometry.width());
  }
  setGeometry(geometry);
  update();
}
