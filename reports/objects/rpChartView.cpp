#include "reports/objects/rpChartView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpValue.h"
#include "reports/objects/rpChartForm.h"
#include <QtCore/QBuffer>
#include <QtCore/QLocale>
#include <QtGui/QPainter>
#include <algorithm>

namespace {

constexpr int kChartSettingsSize = 48;

// The items of a collected line: each ends with ";" (one is added when missing).
QStringList ChartItems(QString line) {
  if (!line.endsWith(QLatin1Char(';'))) line += QLatin1Char(';');
  QStringList items = line.split(QLatin1Char(';'));
  items.removeLast();
  return items;
}

} // namespace

TrpChartView::TrpChartView() : chart_(std::make_unique<TrpChart>()) {
  SetKind(10, QStringLiteral("Chart"), QStringLiteral("TrpChartView"));
  Flags |= 0x8000; // hears of every text the report prints
  chart_->FrameVisible = false;
}

TrpChartView::~TrpChartView() = default;

void TrpChartView::ListProperties() {
  TrpView::ListProperties();
  AddPropertyRec(QStringLiteral("Chart"), ptEditor | ptSingleOnly, [this] { OpenEditor(); });
}

void TrpChartView::NotifyObjectPrinted(TrpView* object) {
  if (!CaptionObject.isEmpty() && !ValueObject.isEmpty() && Memo.size() < 2) Memo = {QString(), QString()};
  int target = -1;
  if (object->Name.compare(CaptionObject, Qt::CaseInsensitive) == 0) {
    target = 0;
    ++SeriesCounter;
  } else if (object->Name.compare(ValueObject, Qt::CaseInsensitive) == 0) {
    target = SeriesCounter;
  }
  if (Single) SeriesCounter = 1;
  if (target < 0) return;
  while (Memo.size() <= target)
    Memo.append(QString());
  if (!object->WorkLines.isEmpty()) Memo[target] += object->WorkLines.first() + QLatin1Char(';');
}

double TrpChartView::ParseNumber(const QString& item) {
  QString text = item.trimmed();
  const auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
  qsizetype first = 0;
  while (first < text.size() && text[first] != QLatin1Char('-') && !isDigit(text[first]))
    ++first;
  qsizetype last = text.size() - 1;
  while (last >= first && !isDigit(text[last]))
    --last;
  text = text.mid(first, last - first + 1);
  const QLocale locale;
  const QString group = locale.groupSeparator();
  text.remove(group);
  // A printed number may carry a plain space where the locale groups with a no-break space.
  if (group == QString(QChar(0xA0))) text.remove(QLatin1Char(' '));
  const QString decimal = locale.decimalPoint();
  if (decimal != QLatin1String(".") && text.contains(QLatin1Char('.'))) return 0;
  text.replace(decimal, QStringLiteral("."));
  bool ok = false;
  const double value = QLocale::c().toDouble(text, &ok);
  return ok ? value : 0;
}

void TrpChartView::KeepLargest(QStringList& captions, QStringList& values, int count, const QString& restCaption) {
  struct TPoint {
    double Value;
    QString Caption, Text;
  };
  QList<TPoint> points;
  for (qsizetype i = 0; i < captions.size(); ++i)
    points.append({ParseNumber(values[i]), captions[i], values[i]});
  // Every point counts, equal ones too, in the order of their values.
  std::stable_sort(points.begin(), points.end(), [](const TPoint& a, const TPoint& b) { return a.Value > b.Value; });
  captions.clear();
  values.clear();
  double rest = 0;
  for (qsizetype i = 0; i < points.size(); ++i) {
    if (i < count) {
      captions.append(points[i].Caption);
      values.append(points[i].Text);
    } else {
      rest += points[i].Value;
    }
  }
  if (restCaption.isEmpty()) return;
  captions.append(restCaption);
  values.append(rpValueToText(QVariant(rest)));
}

void TrpChartView::PrepareChart() {
  TrpChart& chart = *chart_;
  chart.RemoveAllSeries();
  chart.FrameVisible = false;
  chart.WallsVisible = false;
  chart.View3D = Chart3D;
  chart.LegendVisible = ShowLegend;
  chart.LabelCharset = rpGlobals().DefaultCharset;
  chart.AxesVisible = ShowAxes;
  chart.View3DWalls = chart.Orthogonal = ChartType != ckPie;
  chart.Elevation = 315;
  chart.Rotation = 360;
}

bool TrpChartView::BuildSeries() {
  PrepareChart();
  const QString captionLine = WorkLines.value(0);
  const QString valueLine = WorkLines.value(1);
  if (captionLine.isEmpty() || valueLine.isEmpty()) return false;
  QStringList captions = ChartItems(captionLine);
  QStringList values = ChartItems(valueLine);
  const auto addSeries = [this]() -> TrpChartSeries& {
    TrpChartSeries& series = chart_->AddSeries(TrpChartKind(std::min<int>(ChartType, ckPie)));
    series.MarksVisible = ShowMarks;
    series.MarksStyle = MarksStyle;
    return series;
  };
  if (Single) {
    if (captions.size() != values.size()) return false;
    if (TopCount > 0 && TopCount < captions.size()) KeepLargest(captions, values, TopCount, RestCaption);
    TrpChartSeries& series = addSeries();
    series.ColorEachPoint = MultiColor;
    for (qsizetype i = 0; i < values.size(); ++i)
      series.AddValue(ParseNumber(values[i]), captions[i]);
    return true;
  }
  if (captions.size() != WorkLines.size() - 1) return false;
  for (qsizetype i = 0; i < captions.size(); ++i) {
    TrpChartSeries& series = addSeries();
    series.Title = captions[i];
    for (const QString& item : ChartItems(WorkLines[i + 1]))
      series.AddValue(ParseNumber(item));
  }
  return true;
}

void TrpChartView::DrawPicture(const TrpRunContext& run, QPainter* canvas, const QPicture& picture,
                               const QRect& source) const {
  if (!canvas || run.SuppressDrawing || source.isEmpty()) return;
  canvas->save();
  canvas->setClipRect(DrawRect, Qt::IntersectClip);
  canvas->translate(DrawRect.topLeft());
  canvas->scale(double(DrawRect.width()) / source.width(), double(DrawRect.height()) / source.height());
  canvas->drawPicture(-source.topLeft(), picture);
  canvas->restore();
}

bool TrpChartView::ShowChart(const TrpRunContext& run, QPainter* canvas, const QSize& designSize) {
  const auto drawChart = [&] {
    chart_->BackgroundColor = FillColor == clNone ? QColor(Qt::white) : rpPaintColor(FillColor);
    DrawPicture(run, canvas, chart_->Picture(designSize), QRect(QPoint(0, 0), designSize));
  };
  if (PictureForm()) {
    if (Picture.isEmpty()) {
      drawChart();
    } else {
      QPicture stored;
      stored.setData(Picture.constData(), uint(Picture.size()));
      DrawPicture(run, canvas, stored, stored.boundingRect());
    }
    return true;
  }
  if (!BuildSeries()) return false;
  drawChart();
  return true;
}

void TrpChartView::Draw(TrpRunContext& run, QPainter* canvas) {
  PrepareDrawing(run, canvas);
  WorkLines = Memo;
  const QSize designSize(Width, Height);
  ToDeviceCoords(!run.EngineMode);
  if (!ShowChart(run, canvas, designSize)) PaintBackground(run);
  PaintFrame(run);
  RestoreDesignCoords();
}

void TrpChartView::WritePrepared(TrpRunContext& run, TBinaryWriter& stream) {
  TrpView::WritePrepared(run, stream);
  Memo.clear();
  SeriesCounter = 0; // a new collection numbers its series from the start again
}

void TrpChartView::LoadFromStream(TBinaryReader& stream) {
  TrpView::LoadFromStream(stream);
  Picture.clear();
  if (rpReadByte(stream) == 1) {
    const qint32 length = rpReadInteger(stream);
    if (length < 0 || length > stream.Remaining())
      throw EStreamError(QStringLiteral("Graf %1 má poškodený obrázok.").arg(Name));
    Picture = stream.ReadBytes(length);
    return;
  }
  const QByteArray block = stream.ReadBytes(kChartSettingsSize); // the reader only views it
  TBinaryReader settings(block);
  ChartType = settings.ReadByte();
  Chart3D = settings.ReadByte() != 0;
  Single = settings.ReadByte() != 0;
  ShowLegend = settings.ReadByte() != 0;
  ShowAxes = settings.ReadByte() != 0;
  ShowMarks = settings.ReadByte() != 0;
  MultiColor = settings.ReadByte() != 0;
  MarksStyle = settings.ReadByte();
  TopCount = settings.ReadInt32();
  Reserved = settings.ReadBytes(settings.Remaining());
  CaptionObject = rpReadString(stream);
  ValueObject = rpReadString(stream);
  RestCaption = rpReadString(stream);
}

void TrpChartView::SaveToStream(TBinaryWriter& stream) {
  TrpView::SaveToStream(stream);
  if (PictureForm()) {
    rpWriteByte(stream, 1);
    QByteArray bytes = Picture;
    if (bytes.isEmpty()) {
      chart_->BackgroundColor = FillColor == clNone ? QColor(Qt::white) : rpPaintColor(FillColor);
      const QPicture drawn = chart_->Picture(QSize(Width, Height));
      bytes = QByteArray(drawn.data(), drawn.size());
    }
    rpWriteInteger(stream, qint32(bytes.size()));
    stream.WriteBytes(bytes);
    return;
  }
  rpWriteByte(stream, 0);
  rpWriteByte(stream, ChartType);
  for (bool flag : {Chart3D, Single, ShowLegend, ShowAxes, ShowMarks, MultiColor})
    rpWriteByte(stream, flag ? 1 : 0);
  rpWriteByte(stream, MarksStyle);
  stream.WriteInt32(TopCount);
  stream.WriteBytes(Reserved.leftJustified(kChartSettingsSize - 12, '\0', true));
  rpWriteString(stream, CaptionObject);
  rpWriteString(stream, ValueObject);
  rpWriteString(stream, RestCaption);
}

void TrpChartView::OpenEditor() { rpChartForm().ShowEditor(this); }
