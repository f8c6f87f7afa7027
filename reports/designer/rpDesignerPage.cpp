#include "reports/designer/rpDesignerPage.h"
#include "core/gui/ColorConvert.h"
#include "reports/designer/rpDesignerGlyphs.h"
#include "reports/designer/rpDesignerMouse.h"
#include "reports/designer/rpDesignerSelection.h"
#include "reports/designer/rpDesignerSettings.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpView.h"
#include <QtGui/QDrag>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

namespace {

const QColor kMarginColor = ToQColor(TColor(8421504)); // grey
const QColor kGripMarkColor = ToQColor(TColor(8421376));

// The grid's 8 x 8 tile: a dot at the origin, for the 4-pixel grid at every fourth pixel.
QImage GridTile(const QColor& background, int gridSize) {
  QImage tile(8, 8, QImage::Format_RGB32);
  tile.fill(background);
  const QRgb dot = qRgb(0, 0, 0);
  tile.setPixel(0, 0, dot);
  if (gridSize == 4) {
    tile.setPixel(4, 0, dot);
    tile.setPixel(0, 4, dot);
    tile.setPixel(4, 4, dot);
  }
  return tile;
}

// The line tool's cursor: a pencil whose point is the hot spot.
QCursor PencilCursor() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(QPen(Qt::black, 3));
  painter.drawLine(3, 12, 13, 2);
  painter.setPen(QPen(Qt::white, 1));
  painter.drawLine(4, 11, 12, 3);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawLine(0, 15, 2, 13);
  return QCursor(pixmap, 0, 15);
}

QCursor CursorOf(TrpDesignerCursor cursor) {
  switch (cursor) {
  case TrpDesignerCursor::Cross:
    return QCursor(Qt::CrossCursor);
  case TrpDesignerCursor::Pencil:
    return PencilCursor();
  case TrpDesignerCursor::SizeNWSE:
    return QCursor(Qt::SizeFDiagCursor);
  case TrpDesignerCursor::SizeNESW:
    return QCursor(Qt::SizeBDiagCursor);
  case TrpDesignerCursor::SizeVertical:
    return QCursor(Qt::SizeVerCursor);
  case TrpDesignerCursor::SizeHorizontal:
    return QCursor(Qt::SizeHorCursor);
  case TrpDesignerCursor::Split:
    return QCursor(Qt::SplitHCursor);
  case TrpDesignerCursor::Arrow:
    break;
  }
  return QCursor(Qt::ArrowCursor);
}

} // namespace

TrpDesignerPage::TrpDesignerPage(const TrpDesignerSettings& settings, TrpDesignerSelection& selection, QWidget* parent)
    : QWidget(parent), settings_(settings), selection_(selection) {
  setObjectName(QStringLiteral("DesignerPage"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setAcceptDrops(true);
}

void TrpDesignerPage::paintEvent(QPaintEvent* event) {
  QPainter canvas(this);
  Draw(canvas, 10000, event->region());
}

void TrpDesignerPage::Draw(QPainter& canvas, int upTo, const QRegion& clip) {
  if (!page_ || DrawingDisabled) return;
  const QList<TrpEdges> outlines = mouse_ ? mouse_->Outlines() : QList<TrpEdges>();
  canvas.setClipRegion(clip);
  if (outlines.isEmpty() || pageAtPress_.isNull()) {
    DrawPageContent(canvas, upTo, clip);
    DrawSelectionMarks(canvas);
  } else {
    canvas.drawPixmap(0, 0, pageAtPress_);
    DrawOutlines(canvas, outlines);
  }
  DrawMouseOverlay(canvas);
}

void TrpDesignerPage::DrawPageContent(QPainter& canvas, int upTo, const QRegion& clip) {
  TrpRunContext& g = rpRun();
  g.EngineMode = false;
  g.CurrentPage = page_;
  FillBackground(canvas, clip);
  if (page_->PageType == 0) DrawMarginsAndColumns(canvas);
  // Bottom to top: objects outside the clip are skipped, so redrawing one
  // object's region draws only what overlaps it.
  const int last = qMin(upTo, page_->Count() - 1);
  for (int i = 0; i <= last; ++i) {
    TrpView* object = page_->GetObject(i);
    if (!object->IsSelected && !clip.intersects(object->ObjectRegion(false))) continue;
    canvas.save();
    object->Draw(g, &canvas);
    canvas.restore();
    DrawObjectMarkers(canvas, *object);
  }
}

QPixmap TrpDesignerPage::PageAtPress() {
  QPixmap picture(size() * devicePixelRatio());
  picture.setDevicePixelRatio(devicePixelRatio());
  QPainter canvas(&picture);
  DrawPageContent(canvas, page_->Count() - 1, QRegion(rect()));
  return picture;
}

void TrpDesignerPage::DrawOutlines(QPainter& canvas, const QList<TrpEdges>& outlines) const {
  canvas.setBrush(Qt::NoBrush);
  // Black dots over a white line show on any background without inverting it.
  for (const QPen& pen : {QPen(Qt::white, 1), QPen(Qt::black, 1, Qt::DotLine)}) {
    canvas.setPen(pen);
    for (const TrpEdges& o : outlines)
      canvas.drawRect(QRect(o.Left, o.Top, o.Width(), o.Height()));
  }
}

void TrpDesignerPage::DrawMouseOverlay(QPainter& canvas) const {
  if (!mouse_) return;
  const TrpEdges r = mouse_->WorkRect();
  canvas.setClipping(false);
  canvas.setBrush(Qt::NoBrush);
  canvas.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  canvas.setPen(QPen(Qt::white, 1, Qt::DotLine));
  switch (mouse_->Overlay()) {
  case TrpMouseOverlay::Ghost:
  case TrpMouseOverlay::RubberBand: {
    const TrpEdges n = r.Normalised();
    canvas.drawRect(QRect(QPoint(n.Left, n.Top), QPoint(n.Right, n.Bottom)));
    break;
  }
  case TrpMouseOverlay::Line:
    canvas.setPen(QPen(Qt::white, 1));
    canvas.drawLine(r.Left, r.Top, r.Right, r.Bottom);
    break;
  case TrpMouseOverlay::SplitLine:
    canvas.setPen(QPen(Qt::white, 1));
    canvas.drawLine(mouse_->SplitLineX(), r.Top, mouse_->SplitLineX(), r.Bottom);
    break;
  case TrpMouseOverlay::None:
    break;
  }
  canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TrpDesignerPage::FollowMouseCursor() {
  if (mouse_) setCursor(CursorOf(mouse_->Cursor()));
  update();
}

void TrpDesignerPage::DrawObjectMarkers(QPainter& canvas, const TrpView& object) const {
  // The marks tell the author what the page does not show: a script, a highlight condition.
  static const QImage script = rpDesignerGlyph(QStringLiteral("RP_SCRIPT"));
  static const QImage highlight = rpDesignerGlyph(QStringLiteral("RP_HIGHLIGHT"));
  if (!object.Script.isEmpty()) canvas.drawImage(object.Left + 1, object.Top + 1, script);
  const auto* text = dynamic_cast<const TrpMemoView*>(&object);
  if (text && !text->HighlightCondition.isEmpty()) canvas.drawImage(object.Left + 1, object.Top + 10, highlight);
}

void TrpDesignerPage::FillBackground(QPainter& canvas, const QRegion& region) const {
  const QColor background = page_->PageType == 1 ? ToQColor(page_->Color) : QColor(Qt::white);
  const QRect bounds = region.boundingRect();
  if (!settings_.GridShow) {
    canvas.fillRect(bounds, background);
    return;
  }
  if (settings_.GridSize != 18) {
    // A pattern brush tiles from the panel's origin, not per-pixel drawing.
    canvas.fillRect(bounds, QBrush(GridTile(background, settings_.GridSize)));
    return;
  }
  canvas.fillRect(bounds, background);
  canvas.setPen(Qt::black);
  for (int x = bounds.left() / 18 * 18; x <= bounds.right(); x += 18)
    for (int y = bounds.top() / 18 * 18; y <= bounds.bottom(); y += 18)
      canvas.drawPoint(x, y);
}

void TrpDesignerPage::DrawMarginsAndColumns(QPainter& canvas) const {
  canvas.setBrush(Qt::NoBrush);
  canvas.setPen(QPen(kMarginColor, 1));
  const int left = page_->PrintableLeft(), top = page_->PrintableTop();
  const int right = page_->PrintableRight(), bottom = page_->PrintableBottom();
  if (page_->UseMargins) canvas.drawRect(QRect(QPoint(left, top), QPoint(right, bottom)));
  if (page_->ColumnCount <= 1) return;
  page_->ColumnWidth = (right - left - (page_->ColumnCount - 1) * page_->ColumnGap) / page_->ColumnCount;
  canvas.setPen(QPen(kMarginColor, 1, Qt::DotLine));
  for (int column = 0, x = left; column < page_->ColumnCount; ++column) {
    canvas.drawRect(QRect(x, -1, page_->ColumnWidth + 1, page_->PrnInfo.Height + 2));
    x += page_->ColumnWidth + page_->ColumnGap;
  }
}

void TrpDesignerPage::DrawSelectionMarks(QPainter& canvas) const {
  const bool alone = selection_.Count() == 1;
  for (int i = 0; i < page_->Count(); ++i) {
    const TrpView* o = page_->GetObject(i);
    if (!o->IsSelected) continue;
    const int x = o->Left, y = o->Top, dx = o->Width, dy = o->Height;
    QList<QPoint> marks{{x, y}};
    if (dx != 0 && dy != 0) marks << QPoint(x + dx, y) << QPoint(x, y + dy);
    if (alone && dx != 0 && dy != 0)
      marks << QPoint(x + dx / 2, y) << QPoint(x + dx / 2, y + dy) << QPoint(x, y + dy / 2)
            << QPoint(x + dx, y + dy / 2);
    // The marks invert what lies beneath, as they would on any background.
    canvas.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const QPoint& mark : marks)
      canvas.fillRect(QRect(mark - QPoint(2, 2), QSize(5, 5)), Qt::white);
    const QColor corner = i == selection_.GripIndex() ? kGripMarkColor : QColor(Qt::white);
    canvas.fillRect(QRect(QPoint(x + dx, y + dy) - QPoint(2, 2), QSize(5, 5)), corner);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
}

void TrpDesignerPage::mousePressEvent(QMouseEvent* event) {
  if (!mouse_ || !page_) return;
  mouse_->Press(event->position().toPoint(), event->button(), event->modifiers());
  pageAtPress_ = mouse_->Outlines().isEmpty() ? QPixmap() : PageAtPress();
  FollowMouseCursor();
}

void TrpDesignerPage::mouseMoveEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (OnMouseMoved) OnMouseMoved(point);
  if (!mouse_ || !page_) return;
  if (mouse_->ButtonDown() && (event->buttons() & Qt::LeftButton))
    mouse_->Drag(point, event->modifiers());
  else
    mouse_->Hover(point);
  if (mouse_->MayAutoScroll() && event->buttons() == Qt::LeftButton && event->modifiers() == Qt::NoModifier &&
      OnAutoScroll)
    OnAutoScroll(point);
  FollowMouseCursor();
}

void TrpDesignerPage::mouseReleaseEvent(QMouseEvent* event) {
  if (!mouse_ || !page_ || event->button() != Qt::LeftButton) return;
  mouse_->Release(event->position().toPoint());
  pageAtPress_ = QPixmap();
  FollowMouseCursor();
}

void TrpDesignerPage::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!mouse_ || !page_ || event->button() != Qt::LeftButton) return;
  mouse_->DoubleClick();
  FollowMouseCursor();
}

void TrpDesignerPage::leaveEvent(QEvent*) {
  if (!mouse_) return;
  mouse_->Leave();
  FollowMouseCursor();
}

void TrpDesignerPage::dragEnterEvent(QDragEnterEvent* event) {
  if (page_ && page_->PageType == 0 && AcceptsFieldDrag && AcceptsFieldDrag(event->source()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TrpDesignerPage::dragMoveEvent(QDragMoveEvent* event) {
  if (!mouse_ || !page_ || page_->PageType != 0 || !AcceptsFieldDrag || !AcceptsFieldDrag(event->source())) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  mouse_->DragOver(event->position().toPoint());
  update();
}

void TrpDesignerPage::dragLeaveEvent(QDragLeaveEvent*) {
  if (mouse_) mouse_->Leave();
  update();
}

void TrpDesignerPage::dropEvent(QDropEvent* event) {
  if (!page_ || page_->PageType != 0 || !AcceptsFieldDrag || !AcceptsFieldDrag(event->source())) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  if (OnFieldDropped) OnFieldDropped(event->position().toPoint());
  FollowMouseCursor();
}
