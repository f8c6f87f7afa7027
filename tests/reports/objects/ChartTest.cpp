#include "ObjectsFixture.h"
#include "platform/MessageDialogs.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpDBDataSet.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/objects/rpChartForm.h"
#include "reports/objects/rpChartView.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QStringPrinter.h"
#include "util/UxMemDS.h"
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolButton>

namespace {

using ChartView = ObjectsFixture;

#define S(text) QStringLiteral(text)

// A plain two-dimensional chart without legend, axes, marks or frame, so the plot fills the image.
TrpChart PlainChart(TrpChartKind kind, const QList<double>& values) {
  TrpChart chart;
  chart.FrameVisible = chart.LegendVisible = chart.AxesVisible = chart.View3D = chart.WallsVisible = false;
  TrpChartSeries& series = chart.AddSeries(kind);
  series.MarksVisible = false;
  for (double value : values)
    series.AddValue(value, S("x"));
  return chart;
}

QImage Rendered(const TrpChart& chart, QSize size = {300, 200}) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  chart.Render(painter, image.rect());
  return image;
}

int PixelsOf(const QImage& image, const QColor& color, const QRect& area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      n += image.pixel(x, y) == color.rgb();
  return n;
}

TEST_F(ChartView, BarHeightsAndPieSlicesAreProportionalToTheValues) {
  const QImage bars = Rendered(PlainChart(ckBar, {1, 2, 3}));
  QList<int> heights;
  for (int slot = 0; slot < 3; ++slot) {
    const int middle = 6 + (288 * (2 * slot + 1)) / 6; // the plot spans x 6..293
    heights.append(PixelsOf(bars, TrpChart::PaletteColor(0), QRect(middle, 0, 1, 200)));
  }
  ASSERT_GT(heights[0], 20);
  EXPECT_NEAR(heights[1], 2 * heights[0], 2);
  EXPECT_NEAR(heights[2], 3 * heights[0], 2);

  const QImage horizontal = Rendered(PlainChart(ckHorizontalBar, {4, 1}));
  const int first = PixelsOf(horizontal, TrpChart::PaletteColor(0), QRect(0, 6 + 188 / 4, 300, 1));
  const int second = PixelsOf(horizontal, TrpChart::PaletteColor(0), QRect(0, 6 + 3 * 188 / 4, 300, 1));
  ASSERT_GT(second, 20);
  EXPECT_NEAR(first, 4 * second, 4);

  const QImage pie = Rendered(PlainChart(ckPie, {1, 1, 2}));
  QList<double> areas;
  for (int i = 0; i < 3; ++i)
    areas.append(PixelsOf(pie, TrpChart::PaletteColor(i), pie.rect()));
  ASSERT_GT(areas[0], 1000);
  EXPECT_NEAR(areas[1] / areas[0], 1.0, 0.05);
  EXPECT_NEAR(areas[2] / areas[0], 2.0, 0.08);
}

TEST_F(ChartView, MarksShowTheValuePercentOrLabelAsTheStyleAsks) {
  TrpChartSeries series(ckBar, Qt::red);
  series.AddValue(1.5, S("Bratislava"));
  series.AddValue(4.5, S("Košice"));
  const struct {
    quint8 style;
    QString first, second;
  } cases[] = {{msValue, S("1,5"), S("4,5")},
               {msPercent, S("25 %"), S("75 %")},
               {msLabel, S("Bratislava"), S("Košice")},
               {msLabelPercent, S("Bratislava 25 %"), S("Košice 75 %")},
               {msLabelValue, S("Bratislava 1,5"), S("Košice 4,5")}};
  for (const auto& c : cases) {
    series.MarksStyle = c.style;
    EXPECT_EQ(series.MarkText(0), c.first) << int(c.style);
    EXPECT_EQ(series.MarkText(1), c.second) << int(c.style);
  }
}

TEST_F(ChartView, ItemsParseAsLocaleNumbersAndJunkCountsAsNothing) {
  const struct {
    QString text;
    double value;
  } cases[] = {{S("42"), 42},
               {S("  3,25 "), 3.25},
               {S("-7"), -7},
               {S("1\u00a0234,5"), 1234.5},
               {S("1 234,5 €"), 1234.5},
               {S("Spolu: 18 ks"), 18},
               {S("abc"), 0},
               {S(""), 0},
               {S("1.5"), 0}, // the decimal point is not the Slovak separator
               {S("1,2,3"), 0}};
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(TrpChartView::ParseNumber(c.text), c.value) << c.text.toStdString();
}

TEST_F(ChartView, TheLargestValuesStayInValueOrderWithTheRestSummed) {
  const struct {
    QStringList captions, values;
    int count;
    QString rest;
    QStringList keptCaptions, keptValues;
  } cases[] = {
      {{S("A"), S("B"), S("C"), S("D")},
       {S("5"), S("1"), S("9"), S("3")},
       2,
       S("Ostatné"),
       {S("C"), S("A"), S("Ostatné")},
       {S("9"), S("5"), S("4")}},
      {{S("A"), S("B"), S("C")}, {S("5"), S("1"), S("9")}, 2, QString(), {S("C"), S("A")}, {S("9"), S("5")}},
      // Equal points are all kept; negative values sort by value, not as text.
      {{S("A"), S("A"), S("B"), S("C")},
       {S("2"), S("2"), S("-10"), S("-2")},
       3,
       S("R"),
       {S("A"), S("A"), S("C"), S("R")},
       {S("2"), S("2"), S("-2"), S("-10")}},
      {{S("A"), S("B"), S("C")}, {S("0,5"), S("0,25"), S("1")}, 1, S("R"), {S("C"), S("R")}, {S("1"), S("0,75")}},
  };
  for (const auto& c : cases) {
    QStringList captions = c.captions, values = c.values;
    TrpChartView::KeepLargest(captions, values, c.count, c.rest);
    EXPECT_EQ(captions, c.keptCaptions);
    EXPECT_EQ(values, c.keptValues);
  }
}

// A data set of captions and values walked by a master band whose two text
// objects print them; a chart in the summary collects what they printed.
class ChartReport : public ObjectsFixture {
protected:
  ChartReport() {
    for (const char* name : {"CAP", "VAL"}) {
      TUxFieldDef def;
      def.Name = QLatin1String(name);
      def.DataType = TUxFieldType::String;
      def.Size = 20;
      data.AddFieldDef(def);
    }
    data.Open();
    rows.setObjectName(S("Rows"));
    rows.SetDataSet(&data);
    page = report.Pages.GetPage(0);
    AddBand(btMasterData, 100, 20, S("Rows"));
    AddText(S("Cap"), 10, S("[Rows.\"CAP\"]"));
    AddText(S("Val"), 200, S("[Rows.\"VAL\"]"));
    AddBand(btReportSummary, 200, 200);
    auto chart = std::make_unique<TrpChartView>();
    chart->Name = S("Chart1");
    chart->SetBounds(10, 200, 400, 180);
    chart->CaptionObject = S("CAP"); // names match without regard to case
    chart->ValueObject = S("val");
    page->Add(std::move(chart));
  }

  void AddRow(const QString& caption, const QString& value) {
    data.Append();
    data.FieldByName(S("CAP")).SetValue(caption);
    data.FieldByName(S("VAL")).SetValue(value);
    data.Post();
  }
  void AddBand(int type, int top, int height, const QString& source = {}) {
    auto band = std::make_unique<TrpBandView>();
    band->SetBandType(type);
    band->SetBounds(0, top, 700, height);
    band->Flags = 0;
    band->DisplayFormatText = source;
    band->Name = QStringLiteral("Band%1").arg(top);
    page->Add(std::move(band));
  }
  void AddText(const QString& name, int left, const QString& text) {
    auto memo = std::make_unique<TrpMemoView>();
    memo->SetBounds(left, 100, 150, 20);
    memo->Memo = {text};
    memo->Name = name;
    page->Add(std::move(memo));
  }
  // The prepared chart of the first page.
  TrpChartView* PreparedChart() {
    TrpPage& prepared = report.EMFPages.LoadPageObjects(0);
    for (int i = 0; i < prepared.Count(); ++i)
      if (auto* c = dynamic_cast<TrpChartView*>(prepared.GetObject(i))) return c;
    return nullptr;
  }

  QObject owner;
  TUxMemoryData data;
  TrpDBDataSet rows{&owner};
  TrpReport report{&owner};
  TrpPage* page = nullptr;
};

TEST_F(ChartReport, PrintedCaptionsAndValuesBecomeTheMemoAndAThreePointChart) {
  for (const auto& [caption, value] : {std::pair{"A", "1"}, std::pair{"B", "2"}, std::pair{"C", "3"}})
    AddRow(QLatin1String(caption), QLatin1String(value));
  ASSERT_TRUE(report.BuildPreparedPages()) << messages.join(QLatin1Char('\n')).toStdString();
  // Building replaces the template's objects, so the chart is found again.
  const auto* built = dynamic_cast<TrpChartView*>(report.FindObject(S("Chart1")));
  ASSERT_NE(built, nullptr);
  EXPECT_TRUE(built->Memo.isEmpty()) << "the next band starts a new collection";
  TrpChartView* prepared = PreparedChart();
  ASSERT_NE(prepared, nullptr);
  EXPECT_EQ(prepared->Memo, (QStringList{S("A;B;C;"), S("1;2;3;")}));
  QImage image(420, 200, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  rpRun().EngineMode = true;
  prepared->Draw(rpRun(), &painter);
  painter.end();
  ASSERT_EQ(prepared->Chart().SeriesCount(), 1);
  const TrpChartSeries& series = prepared->Chart().Series(0);
  ASSERT_EQ(series.Points.size(), 3);
  EXPECT_EQ(series.Points[2].Label, S("C"));
  EXPECT_EQ(series.Points[2].Value, 3);
  // Each point in its own colour (multi-colour is on for a new chart).
  for (int i = 0; i < 3; ++i)
    EXPECT_GT(PixelsOf(image, TrpChart::PaletteColor(i), image.rect()), 10) << i;
}

TEST_F(ChartView, SeveralSeriesTakeOneLineEachAndTheCounterRestartsWithEachCollection) {
  TrpChartView chart;
  chart.Single = false;
  chart.CaptionObject = S("Cap");
  chart.ValueObject = S("Val");
  TrpMemoView caption, value, other;
  caption.Name = S("Cap");
  value.Name = S("Val");
  other.Name = S("Other");
  const auto print = [&](TrpMemoView& object, const QString& text) {
    object.WorkLines = {text};
    chart.NotifyObjectPrinted(&object);
  };
  print(value, S("9")); // before the first caption: among the captions
  print(caption, S("2023"));
  print(value, S("4"));
  print(other, S("x"));
  print(value, S("5"));
  print(caption, S("2024"));
  print(value, S("6"));
  EXPECT_EQ(chart.Memo, (QStringList{S("9;2023;2024;"), S("4;5;"), S("6;")}));
  TBinaryWriter prepared;
  chart.WritePrepared(rpRun(), prepared);
  EXPECT_TRUE(chart.Memo.isEmpty());
  print(caption, S("2025"));
  print(value, S("7"));
  EXPECT_EQ(chart.Memo, (QStringList{S("2025;"), S("7;")})) << "the second collection starts at series 1 again";
  chart.WorkLines = chart.Memo;
  ASSERT_TRUE(chart.BuildSeries());
  ASSERT_EQ(chart.Chart().SeriesCount(), 1);
  EXPECT_EQ(chart.Chart().Series(0).Title, S("2025"));
  EXPECT_EQ(chart.Chart().Series(0).Points.size(), 1);
}

TEST_F(ChartView, ChartWithoutMatchingDataPaintsOnlyItsBackground) {
  TrpChartView chart;
  chart.SetBounds(0, 0, 100, 60);
  chart.FillColor = 0x00FF00; // green as the report stores colours
  chart.CaptionObject = S("Cap");
  chart.ValueObject = S("Val");
  const struct {
    QStringList memo;
    bool draws;
  } cases[] = {{{}, false}, {{S("A;B;"), S("")}, false}, {{S("A;B;"), S("1;")}, false}, {{S("A;B"), S("1;2")}, true}};
  for (const auto& c : cases) {
    chart.Memo = c.memo;
    chart.WorkLines = c.memo;
    EXPECT_EQ(chart.BuildSeries(), c.draws) << c.memo.join(QLatin1Char('|')).toStdString();
    QImage image(100, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    rpRun().EngineMode = true;
    chart.Draw(rpRun(), &painter);
    painter.end();
    const int green = PixelsOf(image, QColor(0, 0xFF, 0), image.rect());
    if (c.draws)
      EXPECT_LT(green, 100 * 60) << "bars over the background";
    else
      EXPECT_EQ(green, 100 * 60);
  }
}

QByteArray ChartDataRecord(const QString& name) {
  TBinaryWriter s;
  TViewRecord view;
  view.Name = name;
  view.Flags = 0x8000;
  view.Memo = {S("X;Y;"), S("1;2;")};
  WriteViewRecord(s, view);
  rpWriteByte(s, 0);
  for (quint8 b : {3, 0, 1, 1, 0, 1, 0, 4})
    rpWriteByte(s, b); // bar, 2D, single, legend, no axes, marks, one colour, label and value
  rpWriteInteger(s, 5);
  s.WriteBytes(QByteArray(36, '\0'));
  rpWriteString(s, S("Cap"));
  rpWriteString(s, S("Val"));
  rpWriteString(s, S("Ostatné"));
  return s.TakeData();
}

QByteArray ChartPictureRecord(const QString& name, const QByteArray& picture, qint32 length) {
  TBinaryWriter s;
  TViewRecord view;
  view.Name = name;
  WriteViewRecord(s, view);
  rpWriteByte(s, 1);
  rpWriteInteger(s, length);
  s.WriteBytes(picture);
  return s.TakeData();
}

// A picture unlike anything the chart draws, to tell a stored one from a new drawing.
QByteArray BluePicture() {
  QPicture picture;
  QPainter painter(&picture);
  painter.fillRect(0, 0, 100, 40, Qt::blue);
  painter.end();
  return QByteArray(picture.data(), picture.size());
}

TEST_F(ChartView, BothRecordFormsRoundTripAndAStoredPictureIsDrawnAndKept) {
  const QByteArray picture = BluePicture();
  const QByteArray saved =
      TemplateWith({{S("TrpChartView"), ChartDataRecord(S("Chart1"))},
                    {S("TrpChartView"), ChartPictureRecord(S("Chart2"), picture, picture.size())}});
  TrpReport report;
  StopClock(report);
  report.LoadFromStream(saved, false);
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  TrpPage* page = report.Pages.GetPage(0);
  ASSERT_EQ(page->Count(), 2);
  auto* data = dynamic_cast<TrpChartView*>(page->GetObject(0));
  auto* drawn = dynamic_cast<TrpChartView*>(page->GetObject(1));
  ASSERT_TRUE(data && drawn);
  EXPECT_EQ(data->ChartType, ckBar);
  EXPECT_FALSE(data->Chart3D);
  EXPECT_FALSE(data->MultiColor);
  EXPECT_EQ(data->MarksStyle, msLabelValue);
  EXPECT_EQ(data->TopCount, 5);
  EXPECT_EQ(data->RestCaption, S("Ostatné"));
  EXPECT_EQ(drawn->Picture, picture);
  EXPECT_EQ(report.SaveToStream(), saved);

  QImage image(120, 60, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  rpRun().EngineMode = true;
  drawn->SetBounds(0, 0, 100, 40);
  drawn->Draw(rpRun(), &painter);
  painter.end();
  EXPECT_EQ(PixelsOf(image, Qt::blue, QRect(0, 0, 100, 40)), 100 * 40);
}

TEST_F(ChartView, ANewChartIsWrittenAsItsDrawingAndABrokenPictureFailsOnlyItsOwnLoad) {
  TrpReport designed;
  StopClock(designed);
  auto fresh = std::make_unique<TrpChartView>();
  fresh->Name = S("Chart1");
  fresh->SetBounds(0, 0, 100, 40);
  designed.Pages.GetPage(0)->Add(std::move(fresh));
  const QByteArray saved = designed.SaveToStream();
  TrpReport loaded;
  StopClock(loaded);
  loaded.LoadFromStream(saved, false);
  auto* chart = dynamic_cast<TrpChartView*>(loaded.Pages.GetPage(0)->GetObject(0));
  ASSERT_NE(chart, nullptr);
  EXPECT_FALSE(chart->Picture.isEmpty()) << "the chart's own drawing";
  EXPECT_EQ(loaded.SaveToStream(), saved);

  const QByteArray picture = BluePicture();
  for (qint32 length : {-1, qint32(picture.size()) + 1000, 0x7FFFFFFF}) {
    TrpReport report;
    report.LoadFromStream(TemplateWith({{S("TrpChartView"), ChartPictureRecord(S("Broken"), picture, length)},
                                        {S("TrpChartView"), ChartDataRecord(S("Whole"))}}),
                          false);
    TrpPage* page = report.Pages.GetPage(0);
    ASSERT_EQ(page->Count(), 1) << length;
    EXPECT_EQ(page->GetObject(0)->Name, S("Whole"));
  }
}

TEST_F(ChartView, TheEditorChecksTheTopCountBeforeItChangesAnything) {
  TScriptedMessageDialogs dialogs({mrOk});
  TrpChartView chart;
  WhenModal<TrpChartForm>([](TrpChartForm* form) {
    EXPECT_EQ(form->Tabs->currentWidget(), form->Tab1);
    EXPECT_EQ(form->windowTitle(), S("Graf objekt"));
    EXPECT_TRUE(form->SB[0]->isChecked());
    EXPECT_TRUE(form->RB[0]->isChecked());
    EXPECT_EQ(form->RB[4]->text(), S("Nálepka a Hodnota"));
    form->SB[5]->click();
    form->RB[2]->setChecked(true);
    form->CB1->setChecked(false);
    form->E1->setText(S("Obec"));
    form->E2->setText(S("Pocet"));
    form->E3->setText(S("desať"));
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Tabs->currentWidget(), form->Tab2);
    QTest::mouseClick(form->Button2, Qt::LeftButton);
  });
  chart.OpenEditor();
  EXPECT_EQ(chart.ChartType, ckLine);
  EXPECT_TRUE(chart.CaptionObject.isEmpty());
  EXPECT_TRUE(chart.Chart3D);
  ASSERT_EQ(dialogs.Requests().size(), 1);

  WhenModal<TrpChartForm>([](TrpChartForm* form) {
    EXPECT_FALSE(form->SB[5]->isChecked()) << "filled again from the object";
    form->SB[5]->click();
    form->RB[2]->setChecked(true);
    form->CB1->setChecked(false);
    form->E1->setText(S("Obec"));
    form->E2->setText(S("Pocet"));
    form->E3->setText(S("10"));
    form->E4->setText(S("Ostatné"));
    QTest::mouseClick(form->Button1, Qt::LeftButton);
  });
  chart.OpenEditor();
  EXPECT_EQ(chart.ChartType, ckPie);
  EXPECT_EQ(chart.MarksStyle, msLabel);
  EXPECT_FALSE(chart.Chart3D);
  EXPECT_EQ(chart.CaptionObject, S("Obec"));
  EXPECT_EQ(chart.ValueObject, S("Pocet"));
  EXPECT_EQ(chart.TopCount, 10);
  EXPECT_EQ(chart.RestCaption, S("Ostatné"));
}

} // namespace
