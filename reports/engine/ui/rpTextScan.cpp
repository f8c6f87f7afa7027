#include "reports/engine/ui/rpTextScan.h"
#include "core/gui/ScreenPaintMetric.h"
#include <QtGui/QPaintEngine>
#include <QtGui/QTextItem>
#include <QtGui/QTransform>

class TrpTextScan::TEngine : public QPaintEngine {
public:
  explicit TEngine(QList<TRecord>& records) : QPaintEngine(QPaintEngine::AllFeatures), records_(records) {}

  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  Type type() const override { return QPaintEngine::User; }
  void updateState(const QPaintEngineState& state) override {
    if (state.state() & QPaintEngine::DirtyTransform) transform_ = state.transform();
  }
  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    const QRectF bounds(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent());
    records_.append({item.text(), transform_.mapRect(bounds).toAlignedRect()});
  }
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { Other(); }
  void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override { Other(); }
  void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override { Other(); }
  void drawPath(const QPainterPath&) override { Other(); }
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override { Other(); }
  void drawPolygon(const QPoint*, int, PolygonDrawMode) override { Other(); }
  void drawRects(const QRectF*, int) override { Other(); }
  void drawRects(const QRect*, int) override { Other(); }
  void drawLines(const QLineF*, int) override { Other(); }
  void drawLines(const QLine*, int) override { Other(); }
  void drawEllipse(const QRectF&) override { Other(); }
  void drawEllipse(const QRect&) override { Other(); }
  void drawPoints(const QPointF*, int) override { Other(); }
  void drawPoints(const QPoint*, int) override { Other(); }

private:
  void Other() { records_.append(TRecord()); }

  QList<TRecord>& records_;
  QTransform transform_;
};

TrpTextScan::TrpTextScan(const QSize& size) : size_(size), engine_(std::make_unique<TEngine>(records_)) {}

TrpTextScan::~TrpTextScan() = default;

QPaintEngine* TrpTextScan::paintEngine() const { return engine_.get(); }

int TrpTextScan::metric(PaintDeviceMetric metric) const { return ScreenPaintMetric(metric, size_); }
