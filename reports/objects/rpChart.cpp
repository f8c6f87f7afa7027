#include "reports/objects/rpChart.h"
#include <QtCore/QLocale>
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kChartMargin = 6;
constexpr int kLegendSwatch = 10;

// A number as a mark shows it: up to 15 significant digits, the locale's decimal separator.
QString ChartNumberText(double value) {
  QString text = QString::number(value, 'g', 15);
  return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

// A step of 1, 2 or 5 times a power of ten near range / 5, for the value axis.
double ChartNiceStep(double range) {
  const double raw = range / 5;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double normal = raw / magnitude;
  return magnitude * (normal <= 1 ? 1 : normal <= 2 ? 2 : normal <= 5 ? 5 : 10);
}

QColor ChartShade(const QColor& color) { return color.darker(140); }

} // namespace

// --- series

void TrpChartSeries::AddValue(double value, const QString& label) { Points.append({value, label}); }

QColor TrpChartSeries::PointColor(int point) const {
  return ColorEachPoint || Kind == ckPie ? TrpChart::PaletteColor(point) : Color;
}

double TrpChartSeries::Total() const {
  double total = 0;
  for (const TrpChartPoint& p : Points)
    total += std::abs(p.Value);
  return total;
}

QString TrpChartSeries::MarkText(int point) const {
  const TrpChartPoint& p = Points[point];
  const double total = Total();
  const QString percent =
      QLocale().toString(total == 0 ? 0.0 : std::abs(p.Value) * 100 / total, 'f', 0) + QStringLiteral(" %");
  switch (MarksStyle) {
  case msPercent:
    return percent;
  case msLabel:
    return p.Label.isEmpty() ? ChartNumberText(p.Value) : p.Label;
  case msLabelPercent:
    return p.Label + QLatin1Char(' ') + percent;
  case msLabelValue:
    return p.Label + QLatin1Char(' ') + ChartNumberText(p.Value);
  default:
    return ChartNumberText(p.Value);
  }
}

// --- chart

struct TrpChart::TLayout {
  QRect Legend; // empty without a legend
  QRect Front;  // the plot's front plane
  int Depth = 0;
  double Low = 0, High = 1, Step = 1; // the value axis
  int Categories = 0;
  // The position of a value along the value axis (y, or x for horizontal bars).
  double ValueAt(double value, bool horizontal) const {
    const double share = (value - Low) / (High - Low);
    return horizontal ? Front.left() + share * Front.width() : Front.bottom() + 1 - share * Front.height();
  }
};

TrpChart::TrpChart() {
  LabelFont = QFont(QStringLiteral("Liberation Sans"));
  LabelFont.setPixelSize(11);
}

QColor TrpChart::PaletteColor(int index) {
  static const QRgb palette[] = {0xFF0000, 0x00A000, 0xFFFF00, 0x0000FF, 0xFFFFFF, 0x808080, 0xFF00FF, 0x008080,
                                 0x000080, 0x800000, 0x00FF00, 0x808000, 0x800080, 0xC0C0C0, 0x00FFFF, 0x000000};
  return QColor(palette[index % (sizeof palette / sizeof palette[0])]);
}

TrpChartSeries& TrpChart::AddSeries(TrpChartKind kind) {
  series_.append(TrpChartSeries(kind, PaletteColor(int(series_.size()))));
  series_.last().MarksFont = LabelFont;
  return series_.last();
}

int TrpChart::CategoryCount() const {
  int count = 0;
  for (const TrpChartSeries& s : series_)
    count = std::max(count, int(s.Points.size()));
  return count;
}

QList<std::pair<QString, QColor>> TrpChart::LegendEntries() const {
  QList<std::pair<QString, QColor>> entries;
  if (series_.size() == 1) {
    const TrpChartSeries& s = series_.first();
    for (int i = 0; i < s.Points.size(); ++i)
      entries.append({s.Points[i].Label, s.PointColor(i)});
  } else {
    for (const TrpChartSeries& s : series_)
      entries.append({s.Title, s.Color});
  }
  return entries;
}

TrpChart::TLayout TrpChart::Layout(const QRect& area) const {
  TLayout layout;
  QRect plot = area.adjusted(kChartMargin, kChartMargin, -kChartMargin, -kChartMargin);
  const QFontMetrics metrics(LabelFont);
  if (LegendVisible && !series_.isEmpty()) {
    const auto entries = LegendEntries();
    int textWidth = 0;
    for (const auto& entry : entries)
      textWidth = std::max(textWidth, metrics.horizontalAdvance(entry.first));
    const int width = std::min(plot.width() / 2, textWidth + kLegendSwatch + 14);
    const int height = std::min(plot.height(), int(entries.size()) * metrics.height() + 8);
    layout.Legend = QRect(plot.right() + 1 - width, plot.top() + (plot.height() - height) / 2, width, height);
    plot.setRight(layout.Legend.left() - kChartMargin);
  }
  double low = 0, high = 0;
  for (const TrpChartSeries& s : series_)
    for (const TrpChartPoint& p : s.Points) {
      low = std::min(low, p.Value);
      high = std::max(high, p.Value);
    }
  if (high == low) high = low + 1;
  layout.Step = ChartNiceStep(high - low);
  layout.Low = std::floor(low / layout.Step) * layout.Step;
  layout.High = std::ceil(high / layout.Step) * layout.Step;
  layout.Categories = CategoryCount();
  const bool pie = !series_.isEmpty() && series_.first().Kind == ckPie;
  if (AxesVisible && !pie && !series_.isEmpty()) {
    const bool horizontal = series_.first().Kind == ckHorizontalBar;
    const int valueText = std::max(metrics.horizontalAdvance(ChartNumberText(layout.High)),
                                   metrics.horizontalAdvance(ChartNumberText(layout.Low)));
    plot.setLeft(plot.left() + (horizontal ? 40 : valueText) + 6);
    plot.setBottom(plot.bottom() - metrics.height() - 4);
  }
  // Marks above the highest point stay inside the chart.
  const bool marks =
      std::any_of(series_.cbegin(), series_.cend(), [](const TrpChartSeries& s) { return s.MarksVisible; });
  if (marks && !pie && !series_.isEmpty() && series_.first().Kind != ckHorizontalBar)
    plot.setTop(plot.top() + metrics.height() + 2);
  if (View3D && !pie) layout.Depth = std::min(12, std::min(plot.width(), plot.height()) / 6);
  layout.Front = plot.adjusted(0, layout.Depth, -layout.Depth, 0);
  return layout;
}

void TrpChart::Render(QPainter& painter, const QRect& area) const {
  painter.save();
  painter.setClipRect(area, Qt::IntersectClip);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(area, BackgroundColor.isValid() ? BackgroundColor : QColor(Qt::white));
  if (FrameVisible) {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
  }
  painter.setFont(LabelFont);
  const TLayout layout = Layout(area);
  if (!layout.Legend.isEmpty()) DrawLegend(painter, layout.Legend);
  if (!series_.isEmpty() && series_.first().Kind == ckPie) {
    DrawPie(painter, layout.Front);
  } else if (!series_.isEmpty()) {
    DrawWalls(painter, layout);
    if (AxesVisible) DrawAxes(painter, layout);
    for (int i = 0; i < series_.size(); ++i)
      DrawSeries(painter, layout, i);
  }
  painter.restore();
}

QPicture TrpChart::Picture(const QSize& size) const {
  QPicture picture;
  QPainter painter(&picture);
  Render(painter, QRect(QPoint(0, 0), size));
  painter.end();
  return picture;
}

void TrpChart::DrawLegend(QPainter& painter, const QRect& box) const {
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  const QFontMetrics metrics(LabelFont);
  int y = box.top() + 4;
  for (const auto& [text, color] : LegendEntries()) {
    if (y + metrics.height() > box.bottom()) break;
    painter.fillRect(box.left() + 4, y + (metrics.height() - kLegendSwatch) / 2, kLegendSwatch, kLegendSwatch, color);
    painter.drawText(QRect(box.left() + kLegendSwatch + 8, y, box.width() - kLegendSwatch - 10, metrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
    y += metrics.height();
  }
}

void TrpChart::DrawWalls(QPainter& painter, const TLayout& layout) const {
  if (!WallsVisible && layout.Depth == 0) return;
  const QRect& f = layout.Front;
  const int d = layout.Depth;
  painter.setPen(QColor(Qt::gray));
  painter.setBrush(WallsVisible ? QBrush(QColor(0xF0, 0xF0, 0xF0)) : QBrush(Qt::NoBrush));
  painter.drawRect(f.translated(d, -d).adjusted(0, 0, -1, -1)); // back wall
  if (d > 0 && View3DWalls) {
    const QPoint left[] = {f.topLeft(), f.topLeft() + QPoint(d, -d), f.bottomLeft() + QPoint(d, -d), f.bottomLeft()};
    const QPoint bottom[] = {f.bottomLeft(), f.bottomLeft() + QPoint(d, -d), f.bottomRight() + QPoint(d, -d),
                             f.bottomRight()};
    painter.drawPolygon(left, 4);
    painter.drawPolygon(bottom, 4);
  }
}

void TrpChart::DrawAxes(QPainter& painter, const TLayout& layout) const {
  const QRect& f = layout.Front;
  const bool horizontal = series_.first().Kind == ckHorizontalBar;
  const QFontMetrics metrics(LabelFont);
  painter.setPen(Qt::black);
  painter.drawLine(f.bottomLeft(), f.bottomRight());
  painter.drawLine(f.topLeft(), f.bottomLeft());
  for (double v = layout.Low; v <= layout.High + layout.Step / 2; v += layout.Step) {
    const int at = int(std::lround(layout.ValueAt(v, horizontal)));
    const QString text = ChartNumberText(std::abs(v) < layout.Step / 1e6 ? 0 : v);
    if (horizontal) {
      painter.drawLine(at, f.bottom(), at, f.bottom() + 3);
      painter.drawText(QRect(at - 30, f.bottom() + 3, 60, metrics.height()), Qt::AlignHCenter | Qt::AlignTop, text);
    } else {
      painter.drawLine(f.left() - 3, at, f.left(), at);
      painter.drawText(QRect(f.left() - 100, at - metrics.height() / 2, 96, metrics.height()),
                       Qt::AlignRight | Qt::AlignVCenter, text);
    }
  }
  if (layout.Categories == 0) return;
  const TrpChartSeries& first = series_.first();
  const double slot = double(horizontal ? f.height() : f.width()) / layout.Categories;
  for (int i = 0; i < first.Points.size(); ++i) {
    const int middle = int((horizontal ? f.top() : f.left()) + slot * (i + 0.5));
    if (horizontal)
      painter.drawText(QRect(f.left() - 44, middle - metrics.height() / 2, 40, metrics.height()),
                       Qt::AlignRight | Qt::AlignVCenter, first.Points[i].Label);
    else
      painter.drawText(QRect(int(middle - slot / 2), f.bottom() + 3, int(slot), metrics.height()),
                       Qt::AlignHCenter | Qt::AlignTop,
                       metrics.elidedText(first.Points[i].Label, Qt::ElideRight, int(slot) - 2));
  }
}

void TrpChart::DrawSeries(QPainter& painter, const TLayout& layout, int index) const {
  const TrpChartSeries& s = series_[index];
  if (s.Points.isEmpty() || layout.Categories == 0) return;
  const QRect& f = layout.Front;
  const bool horizontal = s.Kind == ckHorizontalBar;
  const double slot = double(horizontal ? f.height() : f.width()) / layout.Categories;
  const int d = layout.Depth;
  const double base = layout.ValueAt(std::clamp(0.0, layout.Low, layout.High), horizontal);
  QList<QPointF> points;
  for (int i = 0; i < s.Points.size(); ++i)
    points.append({f.left() + slot * (i + 0.5), layout.ValueAt(s.Points[i].Value, false)});
  painter.setPen(Qt::black);
  switch (s.Kind) {
  case ckBar:
  case ckHorizontalBar: {
    const double group = slot * 0.7;
    const double thickness = group / series_.size();
    for (int i = 0; i < s.Points.size(); ++i) {
      const double start = (horizontal ? f.top() : f.left()) + slot * i + (slot - group) / 2 + thickness * index;
      const double end = layout.ValueAt(s.Points[i].Value, horizontal);
      const QRectF bar =
          horizontal ? QRectF(QPointF(std::min(base, end), start), QPointF(std::max(base, end), start + thickness))
                     : QRectF(QPointF(start, std::min(base, end)), QPointF(start + thickness, std::max(base, end)));
      const QColor color = s.PointColor(i);
      if (d > 0) {
        // The bar's top (or end) and side faces, a darker box behind the front.
        painter.setBrush(ChartShade(color));
        painter.drawPolygon(QPolygonF({bar.topLeft(), bar.topLeft() + QPointF(d, -d), bar.topRight() + QPointF(d, -d),
                                       bar.bottomRight() + QPointF(d, -d), bar.bottomRight(), bar.topRight()}));
      }
      painter.setBrush(color);
      painter.drawRect(bar);
      if (s.MarksVisible)
        DrawMark(painter, s, i,
                 horizontal ? QPointF(bar.right() + d + 4, bar.center().y())
                            : QPointF(bar.center().x(), bar.top() - d));
    }
    break;
  }
  case ckArea: {
    QPolygonF area(points);
    area.append({points.last().x(), base});
    area.prepend({points.first().x(), base});
    if (d > 0) {
      painter.setBrush(ChartShade(s.Color));
      painter.drawPolygon(area.translated(d, -d));
    }
    painter.setBrush(s.Color);
    painter.drawPolygon(area);
    break;
  }
  case ckLine:
    if (d > 0) {
      painter.setPen(QPen(ChartShade(s.Color), 1));
      for (int i = 1; i < points.size(); ++i) {
        const QPointF a = points[i - 1], b = points[i];
        painter.setBrush(ChartShade(s.Color));
        painter.drawPolygon(QPolygonF({a, a + QPointF(d, -d), b + QPointF(d, -d), b}));
      }
    }
    painter.setPen(QPen(s.Color, 2));
    painter.drawPolyline(QPolygonF(points));
    break;
  case ckPoint:
    for (int i = 0; i < points.size(); ++i) {
      painter.setBrush(s.PointColor(i));
      painter.drawRect(QRectF(points[i] - QPointF(4, 4), QSizeF(8, 8)));
    }
    break;
  case ckPie:
    break;
  }
  if (s.MarksVisible && s.Kind != ckBar && s.Kind != ckHorizontalBar)
    for (int i = 0; i < points.size(); ++i)
      DrawMark(painter, s, i, points[i] - QPointF(0, 6));
}

void TrpChart::DrawPie(QPainter& painter, const QRect& plot) const {
  const TrpChartSeries& s = series_.first();
  const double total = s.Total();
  if (total == 0) return;
  const QFontMetrics metrics(LabelFont);
  const int room = s.MarksVisible ? metrics.height() * 2 : 0;
  int diameter = std::min(plot.width() - 2 * room, plot.height() - 2 * room);
  if (diameter < 4) diameter = std::min(plot.width(), plot.height());
  const int thickness = View3D ? diameter / 10 : 0;
  const int height = View3D ? diameter * 7 / 10 : diameter;
  const QRect disc(plot.center().x() - diameter / 2, plot.center().y() - (height + thickness) / 2, diameter, height);
  painter.setPen(Qt::black);
  double angle = 90; // the first slice starts at the top and the slices run clockwise
  QList<double> starts;
  for (const TrpChartPoint& p : s.Points) {
    starts.append(angle);
    angle -= std::abs(p.Value) * 360 / total;
  }
  starts.append(angle);
  for (int layer = thickness; layer > 0; --layer)
    for (int i = 0; i < s.Points.size(); ++i) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(ChartShade(s.PointColor(i)));
      painter.drawPie(disc.translated(0, layer), int(std::lround(starts[i] * 16)),
                      int(std::lround((starts[i + 1] - starts[i]) * 16)));
    }
  painter.setPen(Qt::black);
  for (int i = 0; i < s.Points.size(); ++i) {
    painter.setBrush(s.PointColor(i));
    painter.drawPie(disc, int(std::lround(starts[i] * 16)), int(std::lround((starts[i + 1] - starts[i]) * 16)));
  }
  if (!s.MarksVisible) return;
  for (int i = 0; i < s.Points.size(); ++i) {
    const double middle = (starts[i] + starts[i + 1]) / 2 * M_PI / 180;
    const QPointF at(disc.center().x() + std::cos(middle) * (disc.width() / 2 + room / 2),
                     disc.center().y() - std::sin(middle) * (disc.height() / 2 + room / 2) + metrics.height() / 2);
    DrawMark(painter, s, i, at);
  }
}

void TrpChart::DrawMark(QPainter& painter, const TrpChartSeries& series, int point, QPointF at) const {
  const QString text = series.MarkText(point);
  painter.save();
  painter.setFont(series.MarksFont);
  const QFontMetrics metrics(series.MarksFont);
  const QRectF box(at.x() - metrics.horizontalAdvance(text) / 2.0 - 2, at.y() - metrics.height() - 2,
                   metrics.horizontalAdvance(text) + 4, metrics.height() + 2);
  painter.setPen(Qt::black);
  painter.setBrush(QColor(0xFF, 0xFF, 0xE1));
  painter.drawRect(box);
  painter.drawText(box, Qt::AlignCenter, text);
  painter.restore();
}
