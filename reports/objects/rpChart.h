#pragma once
#include <QtCore/QList>
#include <QtCore/QRect>
#include <QtCore/QString>
#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QPicture>

class QPainter;

// The six kinds of series a chart object draws, in the order its record stores them.
enum TrpChartKind : quint8 { ckLine, ckArea, ckPoint, ckBar, ckHorizontalBar, ckPie };

// What the mark beside a point shows.
enum TrpChartMarksStyle : quint8 { msValue, msPercent, msLabel, msLabelPercent, msLabelValue };

struct TrpChartPoint {
  double Value = 0;
  QString Label;
};

// One series: its points with their labels and colours, title and marks.
class TrpChartSeries {
public:
  explicit TrpChartSeries(TrpChartKind kind, const QColor& color) : Kind(kind), Color(color) {}

  // A point in the automatic colour: its own palette colour when each
  // point has one, else the series' colour.
  void AddValue(double value, const QString& label = {});
  // The mark's text of a point as the marks style asks.
  QString MarkText(int point) const;
  QColor PointColor(int point) const;
  double Total() const;

  TrpChartKind Kind;
  QString Title;
  QColor Color;
  bool ColorEachPoint = false;
  bool MarksVisible = true;
  quint8 MarksStyle = msValue;
  QFont MarksFont;
  QList<TrpChartPoint> Points;
};

// The chart drawn for the report's chart object: series of the six kinds,
// legend, axes, walls and a simple depth effect for the three-dimensional
// view, rendered with QPainter into any painter or a picture recording.
class TrpChart {
public:
  TrpChart();

  void RemoveAllSeries() { series_.clear(); }
  // A new series of the kind, in the next colour of the palette.
  TrpChartSeries& AddSeries(TrpChartKind kind);
  int SeriesCount() const { return int(series_.size()); }
  TrpChartSeries& Series(int index) { return series_[index]; }

  // Draws the chart into the rectangle.
  void Render(QPainter& painter, const QRect& area) const;
  // A recording of the chart drawn at (0, 0) in a rectangle of that size.
  QPicture Picture(const QSize& size) const;

  // The n-th colour of the automatic palette.
  static QColor PaletteColor(int index);

  bool FrameVisible = true;
  bool WallsVisible = true; // left, bottom and back walls filled
  bool View3D = true;
  bool View3DWalls = true;
  bool Orthogonal = true;
  int Elevation = 345;
  int Rotation = 345;
  bool LegendVisible = true;
  bool AxesVisible = true;
  quint8 LabelCharset = 1; // title, legend and axis labels; the fonts are Unicode whatever it says
  QFont LabelFont;
  QColor BackgroundColor = Qt::white;

private:
  struct TLayout;
  TLayout Layout(const QRect& area) const;
  void DrawLegend(QPainter& painter, const QRect& box) const;
  void DrawWalls(QPainter& painter, const TLayout& layout) const;
  void DrawAxes(QPainter& painter, const TLayout& layout) const;
  void DrawSeries(QPainter& painter, const TLayout& layout, int index) const;
  void DrawPie(QPainter& painter, const QRect& plot) const;
  void DrawMark(QPainter& painter, const TrpChartSeries& series, int point, QPointF at) const;
  // The legend's entries: the points of a single multi-coloured series or pie, else the series titles.
  QList<std::pair<QString, QColor>> LegendEntries() const;
  int CategoryCount() const;

  QList<TrpChartSeries> series_;
};
