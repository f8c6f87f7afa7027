#include "reports/export/vzMetafile.h"
#include "core/CodePage1250.h"
#include "core/gui/ScreenPaintMetric.h"
#include "reports/export/rpExportUtils.h"
#include "reports/export/vzExportFilter.h"
#include <QtGui/QFontMetrics>
#include <QtGui/QPaintEngine>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QTextItem>
#include <cmath>
#include <cstring>
#include <numeric>
#include <optional>

// Named, not anonymous: the paint engine below, declared in the header, holds a recorder.
namespace vzMetafileRecords {

// Little-endian writing.
void PutFloat(QByteArray& out, float v) {
  quint32 bits;
  std::memcpy(&bits, &v, 4);
  rpPutLE32(out, bits);
}

quint32 ColorRef(const QColor& c) { return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16); }

// What a primitive is drawn with.
struct TPen {
  bool Visible = true;
  QColor Color = Qt::black;
  int Width = 1;
};
struct TBrush {
  bool Visible = false;
  QColor Color = Qt::white;
};
struct TTextFont {
  QString Family;
  int PixelHeight = 12;
  int Weight = 400;
  bool Italic = false, Underline = false, StrikeOut = false;
  int Escapement = 0; // tenths of a degree, counter-clockwise
};

// The records of one of the two file formats.
class TRecorder {
public:
  virtual ~TRecorder() = default;
  virtual void Shape(const QPolygon& points, bool closed, const TPen& pen, const TBrush& brush) = 0;
  virtual void Text(const QPoint& baseline, const QString& text, const QList<int>& advances, const TTextFont& font,
                    const QColor& color) = 0;
  virtual void Image(const QRect& target, const QImage& image) = 0;
  // Ends a clip set before, then clips to the rectangle when there is one.
  virtual void Clip(const std::optional<QRect>& rectangle) = 0;
  virtual QByteArray Finish(const QSize& size) = 0;
};

// --- enhanced metafile

class TEmfRecorder : public TRecorder {
public:
  TEmfRecorder() {
    Record(17, {1});  // map mode: one logical unit a pixel
    Record(18, {1});  // transparent background for text
    Record(22, {24}); // text at its baseline, from the left
  }

  void Shape(const QPolygon& points, bool closed, const TPen& pen, const TBrush& brush) override {
    if (points.isEmpty()) return;
    SelectPen(pen);
    SelectBrush(closed ? brush : TBrush{});
    QByteArray r;
    PutRect(r, points.boundingRect());
    rpPutLE32(r, points.size());
    for (const QPoint& p : points) {
      rpPutLE32(r, p.x());
      rpPutLE32(r, p.y());
    }
    Raw(closed ? 3 : 4, r); // polygon or polyline
    ReleaseObjects();
  }

  void Text(const QPoint& at, const QString& text, const QList<int>& advances, const TTextFont& font,
            const QColor& color) override {
    if (text.isEmpty()) return;
    QByteArray f;
    rpPutLE32(f, 3); // handle
    rpPutLE32(f, -font.PixelHeight);
    rpPutLE32(f, 0);
    rpPutLE32(f, font.Escapement);
    rpPutLE32(f, font.Escapement);
    rpPutLE32(f, font.Weight);
    f += char(font.Italic);
    f += char(font.Underline);
    f += char(font.StrikeOut);
    f += char(1); // the default character set: the text is Unicode
    f += QByteArray(4, '\0');
    QByteArray face(64, '\0');
    const QString family = font.Family.left(31);
    for (qsizetype i = 0; i < family.size(); ++i) {
      face[2 * i] = char(family[i].unicode() & 0xFF);
      face[2 * i + 1] = char(family[i].unicode() >> 8);
    }
    Raw(82, f + face);
    Record(37, {3});
    Record(24, {ColorRef(color)});
    QByteArray r;
    const int width = std::accumulate(advances.begin(), advances.end(), 0);
    PutRect(r, QRect(at.x(), at.y() - font.PixelHeight, width, font.PixelHeight * 2));
    rpPutLE32(r, 1); // compatible graphics mode
    PutFloat(r, 0);
    PutFloat(r, 0);
    const qint64 stringOffset = 8 + 16 + 12 + 40;
    const qint64 stringBytes = (text.size() * 2 + 3) / 4 * 4;
    rpPutLE32(r, at.x());
    rpPutLE32(r, at.y());
    rpPutLE32(r, text.size());
    rpPutLE32(r, stringOffset);
    rpPutLE32(r, 0); // options
    PutRect(r, QRect());
    rpPutLE32(r, stringOffset + stringBytes);
    QByteArray chars;
    for (const QChar c : text)
      rpPutLE16(chars, c.unicode());
    r += chars.leftJustified(stringBytes, '\0');
    for (const int advance : advances)
      rpPutLE32(r, advance);
    Raw(84, r);
    Record(37, {0x8000000D}); // the system font, so the font can go
    Record(40, {3});
  }

  void Image(const QRect& target, const QImage& image) override {
    const QByteArray dib = vzBitmapDib(image);
    QByteArray r;
    PutRect(r, target);
    for (const qint64 v : {qint64(target.x()), qint64(target.y()), qint64(0), qint64(0), qint64(image.width()),
                           qint64(image.height()), qint64(80), qint64(40), qint64(120), qint64(dib.size() - 40),
                           qint64(0), qint64(0x00CC0020), qint64(target.width()), qint64(target.height())})
      rpPutLE32(r, v);
    Raw(81, r + dib);
  }

  void Clip(const std::optional<QRect>& rectangle) override {
    if (clipped_) Record(34, {-1});
    clipped_ = rectangle.has_value();
    if (!clipped_) return;
    Record(33, {});
    QByteArray r;
    PutRect(r, rectangle->adjusted(0, 0, 1, 1));
    Raw(30, r);
  }

  QByteArray Finish(const QSize& size) override {
    if (clipped_) Record(34, {-1});
    Record(14, {0, 16, 20});
    QByteArray header;
    rpPutLE32(header, 1);
    rpPutLE32(header, 108);
    PutRect(header, QRect(0, 0, size.width(), size.height()));
    // The frame in hundredths of a millimetre at 96 pixels an inch.
    PutRect(header, QRect(0, 0, size.width() * 2540 / 96, size.height() * 2540 / 96));
    rpPutLE32(header, 0x464D4520);
    rpPutLE32(header, 0x10000);
    rpPutLE32(header, 108 + records_.size());
    rpPutLE32(header, records_count_ + 1);
    rpPutLE16(header, 4); // handles: the table's own and pen, brush, font
    rpPutLE16(header, 0);
    rpPutLE32(header, 0);
    rpPutLE32(header, 0);
    rpPutLE32(header, 0);
    // The reference device: 1920 × 1080 pixels at 96 an inch.
    for (const qint64 v : {1920, 1080, 508, 286, 0, 0, 0, 508000, 285750})
      rpPutLE32(header, v);
    return header + records_;
  }

private:
  static void PutRect(QByteArray& out, const QRect& r) {
    rpPutLE32(out, r.left());
    rpPutLE32(out, r.top());
    rpPutLE32(out, r.isNull() ? 0 : r.right());
    rpPutLE32(out, r.isNull() ? 0 : r.bottom());
  }
  void Raw(quint32 type, const QByteArray& body) {
    const QByteArray padded = body.leftJustified((body.size() + 3) / 4 * 4, '\0');
    rpPutLE32(records_, type);
    rpPutLE32(records_, 8 + padded.size());
    records_ += padded;
    ++records_count_;
  }
  void Record(quint32 type, std::initializer_list<qint64> values) {
    QByteArray body;
    for (const qint64 v : values)
      rpPutLE32(body, v);
    Raw(type, body);
  }
  void SelectPen(const TPen& pen) {
    if (!pen.Visible) {
      Record(37, {0x80000008}); // the null pen
      return;
    }
    Record(38, {1, 0, pen.Width, 0, ColorRef(pen.Color)});
    Record(37, {1});
    penMade_ = true;
  }
  void SelectBrush(const TBrush& brush) {
    if (!brush.Visible) {
      Record(37, {0x80000005}); // the null brush
      return;
    }
    Record(39, {2, 0, ColorRef(brush.Color), 0});
    Record(37, {2});
    brushMade_ = true;
  }
  void ReleaseObjects() {
    if (penMade_) Record(37, {0x80000007}), Record(40, {1}); // the black pen, then the pen goes
    if (brushMade_) Record(37, {0x80000000}), Record(40, {2});
    penMade_ = brushMade_ = false;
  }

  QByteArray records_;
  int records_count_ = 0;
  bool clipped_ = false, penMade_ = false, brushMade_ = false;
};

// --- placeable Windows metafile

class TWmfRecorder : public TRecorder {
public:
  TWmfRecorder(const QSize& size) {
    Record(0x0103, {8});    // anisotropic: the window fills the picture the placeable header sets
    Record(0x020B, {0, 0}); // window origin
    Record(0x020C, {size.height(), size.width()}); // window extent
    Record(0x0102, {1});                           // transparent background for text
    Record(0x012E, {24});                          // text at its baseline
  }

  void Shape(const QPolygon& points, bool closed, const TPen& pen, const TBrush& brush) override {
    if (points.isEmpty()) return;
    QByteArray p;
    rpPutLE16(p, pen.Visible ? 0 : 5); // solid or the null pen
    rpPutLE16(p, pen.Visible ? pen.Width : 0);
    rpPutLE16(p, 0);
    rpPutLE32(p, ColorRef(pen.Color));
    Raw(0x02FA, p);
    QByteArray b;
    rpPutLE16(b, closed && brush.Visible ? 0 : 1); // solid or hollow
    rpPutLE32(b, ColorRef(brush.Color));
    rpPutLE16(b, 0);
    Raw(0x02FC, b);
    Record(0x012D, {0});
    Record(0x012D, {1});
    QByteArray r;
    rpPutLE16(r, points.size());
    for (const QPoint& pt : points) {
      rpPutLE16(r, pt.x());
      rpPutLE16(r, pt.y());
    }
    Raw(closed ? 0x0324 : 0x0325, r);
    Record(0x01F0, {0});
    Record(0x01F0, {1});
    objects_ = std::max(objects_, 2);
  }

  void Text(const QPoint& at, const QString& text, const QList<int>& advances, const TTextFont& font,
            const QColor& color) override {
    if (text.isEmpty()) return;
    QByteArray f;
    for (const qint32 v : {-font.PixelHeight, 0, font.Escapement, font.Escapement, font.Weight})
      rpPutLE16(f, v);
    f += char(font.Italic);
    f += char(font.Underline);
    f += char(font.StrikeOut);
    f += char(238); // Central European: the text is code page 1250
    f += QByteArray(4, '\0');
    f += Cp1250::EncodeLossy(font.Family.left(31), '?').leftJustified(32, '\0');
    Raw(0x02FB, f);
    Record(0x012D, {0});
    QByteArray c;
    rpPutLE32(c, ColorRef(color));
    Raw(0x0209, c);
    const QByteArray bytes = Cp1250::EncodeLossy(text, '?');
    QByteArray r;
    rpPutLE16(r, at.y());
    rpPutLE16(r, at.x());
    rpPutLE16(r, bytes.size());
    rpPutLE16(r, 0);
    r += bytes;
    if (bytes.size() % 2) r += '\0';
    for (const int advance : advances)
      rpPutLE16(r, advance);
    Raw(0x0A32, r);
    Record(0x01F0, {0});
    objects_ = std::max(objects_, 1);
  }

  void Image(const QRect& target, const QImage& image) override {
    QByteArray r;
    rpPutLE32(r, 0x00CC0020);
    rpPutLE16(r, 0);
    for (const int v : {image.height(), image.width(), 0, 0, target.height(), target.width(), target.y(), target.x()})
      rpPutLE16(r, v);
    Raw(0x0F43, r + vzBitmapDib(image));
  }

  void Clip(const std::optional<QRect>& rectangle) override {
    if (clipped_) Record(0x0127, {-1});
    clipped_ = rectangle.has_value();
    if (!clipped_) return;
    Record(0x001E, {});
    const QRect r = rectangle->adjusted(0, 0, 1, 1);
    Record(0x0416, {r.bottom(), r.right(), r.top(), r.left()});
  }

  QByteArray Finish(const QSize& size) override {
    if (clipped_) Record(0x0127, {-1});
    Record(0x0000, {});
    QByteArray placeable;
    rpPutLE32(placeable, qint64(0x9AC6CDD7));
    rpPutLE16(placeable, 0);
    for (const int v : {0, 0, size.width(), size.height(), 96})
      rpPutLE16(placeable, v);
    rpPutLE32(placeable, 0);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
      checksum ^= quint16(uchar(placeable[2 * i]) | (uchar(placeable[2 * i + 1]) << 8));
    rpPutLE16(placeable, checksum);
    QByteArray header;
    rpPutLE16(header, 1);
    rpPutLE16(header, 9);
    rpPutLE16(header, 0x0300);
    rpPutLE32(header, 9 + records_.size() / 2);
    rpPutLE16(header, objects_);
    rpPutLE32(header, largest_);
    rpPutLE16(header, 0);
    return placeable + header + records_;
  }

private:
  void Raw(quint16 function, const QByteArray& body) {
    const QByteArray padded = body.size() % 2 ? body + '\0' : body;
    const qint64 words = 3 + padded.size() / 2;
    rpPutLE32(records_, words);
    rpPutLE16(records_, function);
    records_ += padded;
    largest_ = std::max(largest_, words);
  }
  void Record(quint16 function, std::initializer_list<qint32> values) {
    QByteArray body;
    for (const qint32 v : values)
      rpPutLE16(body, v);
    Raw(function, body);
  }

  QByteArray records_;
  qint64 largest_ = 3;
  int objects_ = 0;
  bool clipped_ = false;
};

} // namespace vzMetafileRecords

using namespace vzMetafileRecords;

// --- the paint engine

class TVezoMetafileEngine : public QPaintEngine {
public:
  explicit TVezoMetafileEngine(TVezoMetafile::TKind kind, QSize size)
      : QPaintEngine(QPaintEngine::AllFeatures), kind_(kind), size_(size) {}

  bool begin(QPaintDevice*) override {
    if (!recorder_) {
      if (kind_ == TVezoMetafile::Enhanced)
        recorder_ = std::make_unique<TEmfRecorder>();
      else
        recorder_ = std::make_unique<TWmfRecorder>(size_);
    }
    return true;
  }
  bool end() override { return true; }
  Type type() const override { return QPaintEngine::User; }

  void updateState(const QPaintEngineState& state) override {
    if (state.state() & QPaintEngine::DirtyTransform) transform_ = state.transform();
    if (state.state() & QPaintEngine::DirtyPen) pen_ = state.pen();
    if (state.state() & QPaintEngine::DirtyBrush) brush_ = state.brush();
    if (state.state() & QPaintEngine::DirtyFont) font_ = state.font();
    if (state.state() &
        (QPaintEngine::DirtyClipRegion | QPaintEngine::DirtyClipPath | QPaintEngine::DirtyClipEnabled)) {
      QPainter* p = painter();
      std::optional<QRect> clip;
      if (p && p->hasClipping()) clip = p->deviceTransform().mapRect(p->clipBoundingRect()).toAlignedRect();
      if (clip != clip_) {
        recorder_->Clip(clip);
        clip_ = clip;
      }
    }
  }

  void drawPath(const QPainterPath& path) override {
    const TBrush brush = Brush();
    if (brush.Visible)
      for (const QPolygonF& polygon : path.toFillPolygons(transform_))
        recorder_->Shape(polygon.toPolygon(), true, TPen{false}, brush);
    const TPen pen = Pen();
    if (pen.Visible)
      for (const QPolygonF& polygon : path.toSubpathPolygons(transform_))
        recorder_->Shape(polygon.toPolygon(), false, pen, TBrush{});
  }

  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
    const QPolygon polygon = transform_.map(QPolygonF(QList<QPointF>(points, points + count))).toPolygon();
    if (mode == PolylineMode)
      recorder_->Shape(polygon, false, Pen(), TBrush{});
    else
      recorder_->Shape(polygon, true, Pen(), Brush());
  }

  void drawRects(const QRectF* rects, int count) override {
    for (int i = 0; i < count; ++i) {
      const QPolygon polygon = transform_.map(QPolygonF(rects[i])).toPolygon();
      recorder_->Shape(polygon, true, Pen(), Brush());
    }
  }

  void drawLines(const QLineF* lines, int count) override {
    for (int i = 0; i < count; ++i)
      recorder_->Shape(QPolygon{transform_.map(lines[i].p1()).toPoint(), transform_.map(lines[i].p2()).toPoint()},
                       false, Pen(), TBrush{});
  }

  void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override {
    drawImage(r, pixmap.toImage(), source, Qt::AutoColor);
  }

  void drawImage(const QRectF& r, const QImage& image, const QRectF& source, Qt::ImageConversionFlags) override {
    const QImage part = image.copy(source.toAlignedRect());
    if (part.isNull()) return;
    // A transparent picture lies on white, as on paper.
    QImage opaque(part.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter(&opaque).drawImage(0, 0, part);
    recorder_->Image(transform_.mapRect(r).toAlignedRect(), opaque);
  }

  void drawTiledPixmap(const QRectF& r, const QPixmap& pixmap, const QPointF&) override {
    drawPixmap(r, pixmap, QRectF(QPointF(0, 0), r.size()));
  }

  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    const QFont font = item.font();
    const double scale = std::hypot(transform_.m21(), transform_.m22());
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96 / 72;
    TTextFont text;
    text.Family = font.family();
    text.PixelHeight = std::max(1, int(std::lround(pixels * scale)));
    text.Weight = font.bold() ? 700 : 400;
    text.Italic = font.italic();
    text.Underline = font.underline();
    text.StrikeOut = font.strikeOut();
    text.Escapement = int(std::lround(-std::atan2(transform_.m12(), transform_.m11()) * 1800 / M_PI));
    // Each character's advance at the drawn size, so readers keep the layout.
    QFont measured = font;
    measured.setPixelSize(text.PixelHeight);
    const QFontMetrics metrics(measured);
    QList<int> advances;
    for (const QChar c : item.text())
      advances.append(metrics.horizontalAdvance(c));
    recorder_->Text(transform_.map(p).toPoint(), item.text(), advances, text, pen_.color());
  }

  QByteArray Finish() {
    if (!finished_) {
      if (!recorder_) begin(nullptr);
      data_ = recorder_->Finish(size_);
      finished_ = true;
    }
    return data_;
  }

private:
  TPen Pen() const {
    TPen pen;
    pen.Visible = pen_.style() != Qt::NoPen;
    pen.Color = pen_.color();
    pen.Width = std::max(1, int(std::lround(pen_.widthF() * std::hypot(transform_.m11(), transform_.m12()))));
    return pen;
  }
  TBrush Brush() const {
    TBrush brush;
    brush.Visible = brush_.style() != Qt::NoBrush;
    brush.Color = brush_.color();
    // A gradient is kept as its first colour.
    if (brush_.gradient() && !brush_.gradient()->stops().isEmpty())
      brush.Color = brush_.gradient()->stops().constFirst().second;
    return brush;
  }

  TVezoMetafile::TKind kind_;
  QSize size_;
  std::unique_ptr<TRecorder> recorder_;
  QTransform transform_;
  QPen pen_;
  QBrush brush_;
  QFont font_;
  std::optional<QRect> clip_;
  QByteArray data_;
  bool finished_ = false;
};

TVezoMetafile::TVezoMetafile(TKind kind, QSize size)
    : kind_(kind), size_(size), engine_(std::make_unique<TVezoMetafileEngine>(kind, size)) {}

TVezoMetafile::~TVezoMetafile() = default;

QPaintEngine* TVezoMetafile::paintEngine() const { return engine_.get(); }

QByteArray TVezoMetafile::Data() const { return engine_->Finish(); }

int TVezoMetafile::metric(PaintDeviceMetric metric) const { return ScreenPaintMetric(metric, size_); }
