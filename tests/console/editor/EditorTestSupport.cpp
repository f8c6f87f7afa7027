#include "EditorTestSupport.h"
#include "console/editor/CodeEdit.h"
#include "core/gui/ColorConvert.h"
#include "core/gui/ScreenPaintMetric.h"
#include <QtGui/QFontDatabase>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <gtest/gtest.h>

QFont EditorTestFont(int pointSize) {
  static const QString family = [] {
    QString name;
    for (const char* style : {"Regular", "Bold", "Italic", "BoldItalic"}) {
      const QString path =
          QStringLiteral("/usr/share/fonts/truetype/liberation/LiberationMono-%1.ttf").arg(QLatin1String(style));
      const int id = QFontDatabase::addApplicationFont(path);
      EXPECT_GE(id, 0) << "font file missing: " << path.toStdString();
      if (id >= 0 && name.isEmpty()) name = QFontDatabase::applicationFontFamilies(id).value(0);
    }
    return name;
  }();
  QFont font(family, pointSize);
  font.setStyleStrategy(QFont::NoFontMerging);
  return font;
}

QColor Rgb(TColor color) { return ToQColor(color); }

void ShowEditor(TCustomCodeEdit& edit, int width, int height) {
  edit.SetFont(EditorTestFont(10));
  edit.SetBorderStyle(bsNone);
  edit.SetScrollBars(ssNone);
  edit.resize(width, height);
  edit.show();
}

QStringList EditorLines(const TCustomCodeEdit& edit) {
  QStringList lines;
  for (int i = 0; i < edit.Lines().Count(); ++i)
    lines << edit.Lines().Get(i);
  return lines;
}

namespace {

class RecordingEngine : public QPaintEngine {
public:
  RecordingEngine() : QPaintEngine(PaintEngineFeatures(AllFeatures) & ~PaintEngineFeatures(RasterOpModes)) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  Type type() const override { return QPaintEngine::User; }

  void updateState(const QPaintEngineState& state) override {
    if (state.state() & DirtyPen) pen_ = state.pen();
    if (state.state() & DirtyBrush) brush_ = state.brush();
    if (state.state() & DirtyFont) font_ = state.font();
    if (state.state() & (DirtyClipRegion | DirtyClipPath | DirtyClipEnabled)) {
      clipEnabled_ = state.isClipEnabled() && state.clipOperation() != Qt::NoClip;
      if (state.state() & DirtyClipRegion) clip_ = state.clipRegion().boundingRect();
      if (state.state() & DirtyClipPath) clip_ = state.clipPath().boundingRect().toRect();
    }
  }
  void drawRects(const QRect* rects, int count) override {
    for (int i = 0; i < count; ++i)
      if (brush_.style() != Qt::NoBrush) ops.push_back({TPaintOp::Fill, rects[i], {}, {}, brush_.color(), {}});
  }
  void drawRects(const QRectF* rects, int count) override {
    for (int i = 0; i < count; ++i) {
      const QRect rect = rects[i].toRect();
      drawRects(&rect, 1);
    }
  }
  void drawLines(const QLine* lines, int count) override {
    for (int i = 0; i < count; ++i)
      ops.push_back({TPaintOp::Line, QRect(lines[i].p1(), lines[i].p2()).normalized(), {}, {}, pen_.color(), {}});
  }
  void drawLines(const QLineF* lines, int count) override {
    for (int i = 0; i < count; ++i) {
      const QLine line = lines[i].toLine();
      drawLines(&line, 1);
    }
  }
  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    ops.push_back(
        {TPaintOp::Text, clipEnabled_ ? clip_ : QRect(), p.toPoint(), item.text(), pen_.color(), item.font()});
  }
  void drawPixmap(const QRectF& r, const QPixmap&, const QRectF& source) override {
    ops.push_back({TPaintOp::Image, r.toRect(), {}, {}, {}, {}, source.toRect()});
  }
  void drawImage(const QRectF& r, const QImage&, const QRectF& source, Qt::ImageConversionFlags) override {
    ops.push_back({TPaintOp::Image, r.toRect(), {}, {}, {}, {}, source.toRect()});
  }
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}

  std::vector<TPaintOp> ops;

private:
  QPen pen_;
  QBrush brush_;
  QFont font_;
  QRect clip_;
  bool clipEnabled_ = false;
};

} // namespace

TRecordingPaintDevice::TRecordingPaintDevice(QSize size) : size_(size), engine_(std::make_unique<RecordingEngine>()) {}

TRecordingPaintDevice::~TRecordingPaintDevice() = default;

QPaintEngine* TRecordingPaintDevice::paintEngine() const { return engine_.get(); }

const std::vector<TPaintOp>& TRecordingPaintDevice::Ops() const {
  return static_cast<RecordingEngine*>(engine_.get())->ops;
}

std::vector<TPaintOp> TRecordingPaintDevice::OpsOf(TPaintOp::Kind kind) const {
  std::vector<TPaintOp> found;
  for (const TPaintOp& op : Ops())
    if (op.kind == kind) found.push_back(op);
  return found;
}

QStringList TRecordingPaintDevice::Texts() const {
  QStringList texts;
  for (const TPaintOp& op : OpsOf(TPaintOp::Text))
    texts << op.text;
  return texts;
}

int TRecordingPaintDevice::metric(PaintDeviceMetric metric) const { return ScreenPaintMetric(metric, size_); }
