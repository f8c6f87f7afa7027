#include "ObjectsFixture.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpPage.h"
#include "reports/objects/rpCheckBoxView.h"
#include "reports/objects/rpShapeView.h"
#include "tests/support/QStringPrinter.h"
#include <QtGui/QImage>
#include <QtGui/QPainter>

namespace {

using ShapeCheck = ObjectsFixture;

QByteArray ShapeRecord(const QString& name, quint8 shape) {
  TBinaryWriter s;
  TViewRecord view;
  view.Name = name;
  view.FrameTyp = 15;
  view.FillColor = 0x00FF00;
  WriteViewRecord(s, view);
  rpWriteByte(s, shape);
  return s.TakeData();
}

QByteArray CheckRecord(const QString& name, quint8 style, qint32 color, int version = 25) {
  TBinaryWriter s;
  TViewRecord view;
  view.Name = name;
  view.FrameTyp = 15;
  view.FrameWidthCode = 2;
  view.Memo = {QStringLiteral("[Clen.\"PLATI\"]")};
  WriteViewRecord(s, view, version);
  if (version > 23) {
    rpWriteByte(s, style);
    rpWriteInteger(s, color);
  }
  return s.TakeData();
}

TEST_F(ShapeCheck, TemplatesRoundTripEveryFigureAndBothCheckStyles) {
  QList<TObjectRecord> records;
  for (quint8 shape = 0; shape <= 5; ++shape)
    records.append({QStringLiteral("TrpShapeView"), ShapeRecord(QStringLiteral("Shape%1").arg(shape + 1), shape)});
  records.append({QStringLiteral("TrpCheckBoxView"), CheckRecord(QStringLiteral("Check1"), 0, 0x0000FF)});
  records.append({QStringLiteral("TrpCheckBoxView"), CheckRecord(QStringLiteral("Check2"), 1, 0x800000)});
  const QByteArray file = TemplateWith(records);

  TrpReport report;
  StopClock(report);
  report.LoadFromStream(file, false);
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  const TrpPage& page = *report.Pages.GetPage(0);
  ASSERT_EQ(page.Count(), 8);
  for (int i = 0; i < 6; ++i) {
    auto* shape = dynamic_cast<TrpShapeView*>(page.GetObject(i));
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->Shape, i);
    EXPECT_EQ(shape->FillColor, 0x00FF00);
  }
  auto* cross = dynamic_cast<TrpCheckBoxView*>(page.GetObject(6));
  auto* check = dynamic_cast<TrpCheckBoxView*>(page.GetObject(7));
  ASSERT_TRUE(cross && check);
  EXPECT_EQ(cross->CheckStyle, TrpCheckBoxView::csCross);
  EXPECT_EQ(cross->CheckColor, 0x0000FF);
  EXPECT_EQ(check->CheckStyle, TrpCheckBoxView::csCheck);
  EXPECT_EQ(check->ReadProperty(QStringLiteral("CHECKCOLOR")).toLongLong(), 0x800000);
  EXPECT_EQ(report.SaveToStream(), file);
}

TEST_F(ShapeCheck, AVersion23TemplateGivesBlackCrossesAndReadsOnAfterThem) {
  const QByteArray file =
      TemplateWith({{QStringLiteral("TrpCheckBoxView"), CheckRecord(QStringLiteral("Old"), 0, 0, 23)},
                    {QStringLiteral("TrpShapeView"),
                     [] {
                       TBinaryWriter s;
                       TViewRecord view;
                       view.Name = QStringLiteral("After");
                       WriteViewRecord(s, view, 23);
                       rpWriteByte(s, 2);
                       return s.TakeData();
                     }()}},
                   23);
  TrpReport report;
  report.LoadFromStream(file, false);
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  const TrpPage& page = *report.Pages.GetPage(0);
  ASSERT_EQ(page.Count(), 2);
  auto* box = dynamic_cast<TrpCheckBoxView*>(page.GetObject(0));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->CheckStyle, TrpCheckBoxView::csCross);
  EXPECT_EQ(box->CheckColor, clBlack);
  EXPECT_EQ(box->Memo, QStringList{QStringLiteral("[Clen.\"PLATI\"]")});
  auto* shape = dynamic_cast<TrpShapeView*>(page.GetObject(1));
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(shape->Shape, TrpShapeView::skEllipse);
}

// Pixels of a colour in an image area.
int CountColor(const QImage& image, const QRect& area, QRgb color) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF)) ++n;
  return n;
}

TEST_F(ShapeCheck, CheckValuesAreStoredTruncatedAndPrintTheirMark) {
  struct TCase {
    const char* expression;
    QStringList stored;
    bool marked;
  };
  const TCase cases[] = {{"0", {QStringLiteral("0")}, false},
                         {"0.7", {QStringLiteral("0")}, false},
                         {"-0.9", {QStringLiteral("0")}, false},
                         {"1", {QStringLiteral("1")}, true},
                         {"2.5", {QStringLiteral("2")}, true},
                         {"-3", {QStringLiteral("-3")}, true},
                         {nullptr, {}, false}};
  TrpReport report;
  TrpPage* page = report.Pages.GetPage(0);
  auto band = std::make_unique<TrpBandView>();
  band->SetBandType(btReportTitle);
  band->SetBounds(0, 20, 700, 60);
  page->Add(std::move(band));
  int left = 10;
  for (const TCase& c : cases) {
    auto box = std::make_unique<TrpCheckBoxView>();
    box->SetBounds(left, 30, 30, 30);
    box->Name = QStringLiteral("Check%1").arg(left);
    box->CheckColor = 0x0000FF; // red
    if (c.expression) box->Memo = {QLatin1String(c.expression)};
    page->Add(std::move(box));
    left += 40;
  }
  ASSERT_TRUE(report.BuildPreparedPages()) << messages.join(QLatin1Char('\n')).toStdString();
  TrpPage& prepared = report.EMFPages.LoadPageObjects(0);
  QStringList exported;
  rpRun().ExportText = [&](const QRect&, int, int, const QString& text, int frame, TrpView*) {
    exported.append(text + QString::number(frame));
  };
  QImage image(800, 200, QImage::Format_RGB32);
  int index = 0;
  for (int i = 0; i < prepared.Count(); ++i) {
    auto* box = dynamic_cast<TrpCheckBoxView*>(prepared.GetObject(i));
    if (!box) continue;
    const TCase& c = cases[index++];
    SCOPED_TRACE(c.expression ? c.expression : "empty");
    EXPECT_EQ(box->Memo, c.stored);
    image.fill(Qt::white);
    QPainter painter(&image);
    rpRun().EngineMode = true;
    box->Top = 30;
    box->Draw(rpRun(), &painter);
    painter.end();
    EXPECT_EQ(CountColor(image, QRect(box->Left, 30, 30, 30), qRgb(255, 0, 0)) > 20, c.marked);
    exported.clear();
    box->SendToExport(rpRun());
    EXPECT_EQ(exported, QStringList{(c.marked ? QStringLiteral("X") : QString()) + QStringLiteral("0")});
  }
  EXPECT_EQ(index, 7);
  rpRun().ExportText = {};
}

TEST_F(ShapeCheck, DesigningShowsTheMarkWhateverTheMemoAndOnlyCrossForStyleZero) {
  QImage cross(40, 40, QImage::Format_RGB32), check(40, 40, QImage::Format_RGB32), odd(40, 40, QImage::Format_RGB32);
  for (auto [image, style] : {std::pair{&cross, 0}, std::pair{&check, 1}, std::pair{&odd, 7}}) {
    TrpCheckBoxView box;
    box.SetBounds(0, 0, 39, 39);
    box.Memo = {QStringLiteral("0")};
    box.CheckStyle = quint8(style);
    image->fill(Qt::white);
    QPainter painter(image);
    rpRun().EngineMode = false;
    box.Draw(rpRun(), &painter);
  }
  EXPECT_GT(CountColor(cross, QRect(5, 5, 30, 30), qRgb(0, 0, 0)), 50);
  EXPECT_NE(cross, check);
  EXPECT_EQ(check, odd); // any style but 0 draws the check mark
}

// Whether the pixel at each point is painted (not white).
QList<bool> Painted(const QImage& image, const QList<QPoint>& points) {
  QList<bool> result;
  for (const QPoint& p : points)
    result.append((image.pixel(p) & 0xFFFFFF) != 0xFFFFFF);
  return result;
}

TEST_F(ShapeCheck, FiguresHaveTheirCorners) {
  // The rectangle 10,10 .. 50,40: corners, the top centre, the middle of the left side.
  const QList<QPoint> probes = {{10, 10}, {50, 10}, {10, 40}, {50, 40}, {30, 10}, {10, 25}, {30, 25}};
  struct TCase {
    quint8 shape;
    int width, height;
    QList<bool> painted;
  };
  const TCase cases[] = {{TrpShapeView::skRectangle, 40, 30, {true, true, true, true, true, true, false}},
                         {TrpShapeView::skRoundRectangle, 40, 30, {false, false, false, false, true, true, false}},
                         {TrpShapeView::skEllipse, 40, 30, {false, false, false, false, true, true, false}},
                         {TrpShapeView::skTriangle, 40, 30, {false, false, true, true, true, false, false}},
                         {TrpShapeView::skDiagonal1, 40, 30, {false, true, true, false, false, false, true}},
                         {TrpShapeView::skDiagonal2, 40, 30, {true, false, false, true, false, false, true}},
                         {42, 40, 30, {false, false, false, false, false, false, false}}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(int(c.shape));
    TrpShapeView view;
    view.SetBounds(10, 10, c.width, c.height);
    view.Shape = c.shape;
    QImage image(80, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    rpRun().EngineMode = true;
    view.Draw(rpRun(), &painter);
    painter.end();
    EXPECT_EQ(Painted(image, probes), c.painted);
  }
}

TEST_F(ShapeCheck, ARoundRectangleUnderFourPixelsHasSquareCorners) {
  TrpShapeView view;
  view.SetBounds(10, 10, 30, 3);
  view.Shape = TrpShapeView::skRoundRectangle;
  QImage image(60, 30, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  rpRun().EngineMode = true;
  view.Draw(rpRun(), &painter);
  painter.end();
  EXPECT_EQ(Painted(image, {{10, 10}, {40, 10}, {10, 13}, {40, 13}}), QList<bool>(4, true));
}

TEST_F(ShapeCheck, ScriptsReachTheFieldsAndTheConstants) {
  TrpShapeView shape;
  shape.WriteProperty(QStringLiteral("SHAPE"), 0x103);
  EXPECT_EQ(shape.Shape, 3); // the low byte
  EXPECT_EQ(shape.ReadProperty(QStringLiteral("Shape")).toInt(), 3);
  EXPECT_EQ(shape.ReadProperty(QStringLiteral("Name")).toString(), shape.Name); // the common ones first
  TrpCheckBoxView box;
  EXPECT_EQ(box.FrameTyp, 15);
  EXPECT_EQ(box.FrameWidth, 2.0f);
  box.WriteProperty(QStringLiteral("CheckStyle"), 1);
  EXPECT_EQ(box.CheckStyle, 1);
  EXPECT_EQ(rpConsts().GetVariable(QStringLiteral("skDiagonal2")).toInt(), 5);
  EXPECT_EQ(rpConsts().GetVariable(QStringLiteral("csCheck")).toInt(), 1);
  QList<TrpContextMenuItem> items;
  shape.AddContextMenuItems(items);
  box.AddContextMenuItems(items);
  EXPECT_TRUE(items.isEmpty()); // neither offers "stretched"
}

} // namespace

namespace {

// The attributes an object adds after the common ones of its XML element.
QString OwnAttributes(TrpView& view) {
  QString element, common;
  view.WriteXmlElement(element);
  view.TrpView::WriteXmlElement(common);
  return element.mid(common.size());
}

TEST_F(ShapeCheck, XmlElementsCarryTheObjectsOwnFields) {
  TrpShapeView shape;
  shape.Shape = TrpShapeView::skTriangle;
  EXPECT_EQ(OwnAttributes(shape), QStringLiteral(" Shape=\"3\""));
  TrpCheckBoxView box;
  box.CheckStyle = 1;
  box.CheckColor = 0xFF;
  EXPECT_EQ(OwnAttributes(box), QStringLiteral(" CheckStyle=\"1\" CheckColor=\"255\""));
  box.Memo = {QStringLiteral("[PLATI] > \"0\""), QStringLiteral("druhý")};
  EXPECT_EQ(OwnAttributes(box),
            QStringLiteral(" CheckStyle=\"1\" CheckColor=\"255\" Text=\"[PLATI] &#62; &#34;0&#34;\""));
}

} // namespace
