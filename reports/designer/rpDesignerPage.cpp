#include "reports/designer/rpDesignerPage.h"
#include "core/gui/ColorConvert.h"
#include "reports/designer/rpDesignerGlyphs.h"
#include "reports/designer/rpDesignerSelection.h"
#include "reports/designer/rpDesignerSettings.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpView.h"
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

} // namespace

TrpDesignerPage::TrpDesignerPage(const TrpDesignerSettings& settings, TrpDesignerSelection& selection, QWidget* parent)
    : QWidget(parent), settings_(settings), selection_(selection) {
  setObjectName(QStringLiteral("DesignerPage"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void TrpDesignerPage::paintEvent(QPaintEvent* event) {
  QPainter canvas(this);
  Draw(canvas, 10000, event->region());
}

void TrpDesignerPage::Draw(QPainter& canvas, int upTo, const QRegion& clip) {
  if (!page_ || DrawingDisabled) return;
  TrpGlobals& g = rpGlobals();
  g.EngineMode = false;
  g.CurrentPage = page_;
  canvas.setClipRegion(clip);
  FillBackground(canvas, clip);
  if (page_->PageType == 0) DrawMarginsAndColumns(canvas);
  // Bottom to top: objects outside the clip are skipped, so redrawing one
  // object's region draws only what overlaps it.
  const int last = qMin(upTo, page_->Count() - 1);
  for (int i = 0; i <= last; ++i) {
    TrpView* object = page_->GetObject(i);
    if (!object->IsSelected && !clip.intersects(object->ObjectRegion(false))) continue;
    canvas.save();
    object->Draw(&canvas);
    canvas.restore();
    DrawObjectMarkers(canvas, *object);
  }
  DrawSelectionMarks(canvas);
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

TrpView* TrpDesignerPage::ObjectAt(QPoint point) const {
  if (!page_) return nullptr;
  for (int i = page_->Count() - 1; i >= 0; --i) {
    TrpView* object = page_->GetObject(i);
    if (QRect(object->Left, object->Top, object->Width + 1, object->Height + 1).contains(point)) return object;
  }
  return nullptr;
}

void TrpDesignerPage::mousePressEvent(QMouseEvent* event) {
  ctrlAtMouseDown_ = event->modifiers() & Qt::ControlModifier;
  TrpView* object = ObjectAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && OnObjectClicked)
    OnObjectClicked(object, event->modifiers() & Qt::ShiftModifier);
  else if (event->button() == Qt::RightButton && OnContextMenu)
    OnContextMenu(object, event->globalPosition().toPoint());
}

void TrpDesignerPage::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouseMoved) OnMouseMoved(event->position().toPoint());
}

void TrpDesignerPage::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && OnDoubleClick) OnDoubleClick(ctrlAtMouseDown_);
}
