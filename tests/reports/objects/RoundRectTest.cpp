#include "ObjectsFixture.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/objects/rpGradient.h"
#include "reports/objects/rpRoundRectForm.h"
#include "reports/objects/rpRoundRectView.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QStringPrinter.h"
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>

namespace {

using RoundRect = ObjectsFixture;

QByteArray RoundRectRecord(const QString& name, qint32 shadowColor, qint32 shadowWidth, quint8 framed, bool round,
                           qint32 roundSize, qint32 fill) {
  TBinaryWriter s;
  TViewRecord view;
  view.Name = name;
  view.Flags = 3;
  view.FrameTyp = 0xFF;
  view.FillColor = fill;
  view.Memo = {QStringLiteral("Spolu: [SUM]")};
  WriteViewRecord(s, view);
  WriteMemoRecord(s);
  rpWriteInteger(s, shadowColor);
  rpWriteInteger(s, shadowWidth);
  rpWriteByte(s, framed);
  rpWriteByte(s, round ? 1 : 0);
  rpWriteInteger(s, roundSize);
  return s.TakeData();
}

TEST_F(RoundRect, PlainAndGradientTemplatesRoundTrip) {
  const QByteArray file =
      TemplateWith({{QStringLiteral("TrpRoundRectView"),
                     RoundRectRecord(QStringLiteral("RoundRect1"), 0x808080, 6, 1, true, 10, 0xFFFFFF)},
                    {QStringLiteral("TrpRoundRectView"),
                     RoundRectRecord(QStringLiteral("RoundRect2"), 0xFF0000, -99, 0, false, 2, 0x00FFFF)}});
  TrpReport report;
  StopClock(report);
  report.LoadFromStream(file, false);
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  ASSERT_EQ(report.Pages.GetPage(0)->Count(), 2);
  auto* plain = dynamic_cast<TrpRoundRectView*>(report.Pages.GetPage(0)->GetObject(0));
  auto* gradient = dynamic_cast<TrpRoundRectView*>(report.Pages.GetPage(0)->GetObject(1));
  ASSERT_TRUE(plain && gradient);
  EXPECT_FALSE(plain->IsGradient());
  EXPECT_EQ(plain->Memo, QStringList{QStringLiteral("Spolu: [SUM]")});
  EXPECT_TRUE(gradient->IsGradient());
  EXPECT_EQ(gradient->ReadProperty(QStringLiteral("STYLE")).toInt(), gsElliptic);
  EXPECT_EQ(gradient->ReadProperty(QStringLiteral("BEGINCOLOR")).toLongLong(), 0xFF0000);
  EXPECT_EQ(gradient->ReadProperty(QStringLiteral("ENDCOLOR")).toLongLong(), 0x00FFFF);
  EXPECT_EQ(report.SaveToStream(), file);
}

TEST_F(RoundRect, ScriptsSwitchGradientModeAndKeepTheFormerStyle) {
  TrpRoundRectView view;
  EXPECT_EQ(view.FrameTyp, 0xFF);
  EXPECT_EQ(view.ReadProperty(QStringLiteral("STYLE")).toInt(), 0); // not in gradient mode
  view.WriteProperty(QStringLiteral("GRADIENT"), true);
  EXPECT_EQ(view.ShadowWidth, -99);
  EXPECT_EQ(view.RoundSize, 0);
  view.WriteProperty(QStringLiteral("STYLE"), gsRectangle);
  EXPECT_TRUE(view.ReadProperty(QStringLiteral("Gradient")).toBool());
  view.WriteProperty(QStringLiteral("GRADIENT"), false);
  EXPECT_EQ(view.ShadowWidth, 10);
  EXPECT_EQ(view.RoundSize, gsRectangle);
  EXPECT_FALSE(view.ReadProperty(QStringLiteral("GRADIENT")).toBool());
  EXPECT_EQ(rpConsts().GetVariable(QStringLiteral("gsHorizCenter")).toInt(), 5);
}

TEST(Gradient, MulDivRoundsHalvesAwayFromZero) {
  EXPECT_EQ(rpMulDiv(1, 3, 2), 2);
  EXPECT_EQ(rpMulDiv(-1, 3, 2), -2);
  EXPECT_EQ(rpMulDiv(1, 1, 3), 0);
  EXPECT_EQ(rpMulDiv(5, 7, 0), -1);
  EXPECT_EQ(rpGradientStep(QColor(255, 0, 0), QColor(0, 0, 255), 255, 255), QColor(0, 0, 255));
}

// Stripes of each style between red (the first step, EndColor) and blue.
TEST(Gradient, EachStyleRunsFromTheFirstColourToTheLast) {
  const QColor red(255, 0, 0), blue(0, 0, 255), white(255, 255, 255);
  // Where the first step and (nearly) the last lie; stripes, rows and
  // columns start exactly with the first colour.
  struct TCase {
    int style;
    QSize size;
    QPoint firstAt, lastAt;
    bool exact;
  };
  const TCase cases[] = {
      {gsHorizontal, {256, 10}, {0, 5}, {255, 5}, true}, {gsVertical, {10, 256}, {5, 0}, {5, 255}, true},
      {gsElliptic, {100, 100}, {0, 0}, {50, 50}, false}, {gsRectangle, {100, 100}, {0, 0}, {50, 50}, false},
      {gsVertCenter, {10, 100}, {5, 99}, {5, 50}, true}, {gsHorizCenter, {100, 10}, {99, 5}, {50, 5}, true}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.style);
    QImage image(c.size, QImage::Format_RGB32);
    image.fill(white);
    QPainter painter(&image);
    rpGradientFill(&painter, 0, 0, c.size.width(), c.size.height(), red, blue, c.style);
    painter.end();
    const QColor first(image.pixel(c.firstAt));
    if (c.exact) EXPECT_EQ(first, red);
    EXPECT_GT(first.red(), 230);
    EXPECT_LT(first.blue(), 25);
    EXPECT_GT(QColor(image.pixel(c.lastAt)).blue(), 240);
    EXPECT_LT(QColor(image.pixel(c.lastAt)).red(), 15);
  }
  for (auto [style, size] : {std::pair{gsVertCenter, QSize(20, 1)}, std::pair{gsHorizCenter, QSize(1, 20)}}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(white);
    QPainter painter(&image);
    rpGradientFill(&painter, 0, 0, size.width(), size.height(), red, blue, style);
    painter.end();
    QImage untouched(size, QImage::Format_RGB32);
    untouched.fill(white);
    EXPECT_EQ(image, untouched) << style;
  }
}

TEST_F(RoundRect, TextLiesInsideTheBody) {
  struct TCase {
    qint32 shadowWidth, roundSize;
    int gapX, gapY, rightCut; // gaps and how much DrawRect loses at the right against a bare object
  };
  const TCase cases[] = {{0, 0, 2, 1, 0},
                         {6, 10, 4, 3, 6},
                         {-99, gsHorizontal, 2, 1, 0},
                         {-99, gsVertCenter, 3, 2, 0},
                         {-99, gsHorizCenter, 3, 2, 0},
                         {-99, gsRectangle, 2, 1, 0}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(QStringLiteral("%1/%2").arg(c.shadowWidth).arg(c.roundSize).toStdString());
    TrpRoundRectView view;
    view.SetBounds(10, 10, 200, 50);
    view.ShadowWidth = c.shadowWidth;
    view.RoundSize = c.roundSize;
    view.ToDeviceCoords(true);
    const QRect rect = view.DrawRect;
    EXPECT_EQ(view.GapX, c.gapX);
    EXPECT_EQ(view.GapY, c.gapY);
    view.RestoreDesignCoords();
    EXPECT_EQ(view.GapX, 2);
    TrpMemoView bare;
    bare.SetBounds(10, 10, 200, 50);
    bare.FrameTyp = 0xFF;
    bare.ToDeviceCoords(true);
    EXPECT_EQ(bare.DrawRect.right() - rect.right(), c.rightCut);
  }
}

TEST_F(RoundRect, PlainBodyHasItsShadowAndAnUnframedOutlineInTheFillColour) {
  TrpRoundRectView view;
  view.SetBounds(0, 0, 60, 40);
  view.RoundRect = false;
  view.FrameTyp = 0; // not all four lines: the outline takes the fill colour
  view.FillColor = 0x00FF00;
  view.ShadowColor = 0x0000FF;
  QImage image(80, 60, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  rpRun().EngineMode = true;
  view.Draw(rpRun(), &painter);
  painter.end();
  EXPECT_EQ(view.Framed, 0);
  EXPECT_EQ(QColor(image.pixel(58, 38)), QColor(255, 0, 0)); // the shadow at the lower right
  EXPECT_EQ(QColor(image.pixel(20, 20)), QColor(0, 255, 0));
  EXPECT_EQ(QColor(image.pixel(0, 20)), QColor(0, 255, 0)); // the outline
  view.ShadowWidth = -99;
  view.RoundSize = gsHorizontal;
  image.fill(Qt::white);
  painter.begin(&image);
  view.Draw(rpRun(), &painter);
  painter.end();
  EXPECT_GT(QColor(image.pixel(0, 20)).green(), 240); // EndColor at the left
  EXPECT_GT(QColor(image.pixel(59, 20)).red(), 240);  // BeginColor at the right, no shadow
}

// A designer that counts its notifications.
struct CountingDesigner : TrpReportDesigner {
  int before = 0, after = 0;
  QString expression = QStringLiteral("[SUM]");
  void BeforeChange() override { ++before; }
  void AfterChange() override { ++after; }
  QString InsertExpression() override { return expression; }
};

TEST_F(RoundRect, EditorShowsTheObjectAndAppliesOnlyOnOk) {
  CountingDesigner designer;
  rpSetCurrentDesigner(&designer);
  TrpRoundRectView view;
  view.ShadowWidth = -99;
  view.RoundSize = 9; // beyond the style list: put right on the object
  view.Memo = {QStringLiteral("Text")};
  {
    TrpRoundRectForm editor;
    WhenModal<TrpRoundRectForm>([](TrpRoundRectForm* form) {
      EXPECT_TRUE(form->cbGradian->isChecked());
      EXPECT_TRUE(form->panGrad->isVisible());
      EXPECT_FALSE(form->panCurve->isVisible());
      EXPECT_EQ(form->cbStyle->currentIndex(), 0);
      EXPECT_EQ(form->cbStyle->count(), 6);
      EXPECT_EQ(form->cbStyle->itemText(4), QStringLiteral("Horiz. Center"));
      QTest::keyClick(form->M1, Qt::Key_End, Qt::ControlModifier);
      QTest::keyClick(form->M1, Qt::Key_Insert); // inserts the designer's expression
      form->cbGradian->setFocus();
      QTest::keyClick(form->cbGradian, Qt::Key_Space);
      EXPECT_EQ(form->ShWidth->text(), QStringLiteral("10"));
      EXPECT_EQ(form->sCurve->text(), QStringLiteral("10"));
      form->sCurve->setText(QStringLiteral("x")); // not a number: the default size
      QTest::keyClick(form, Qt::Key_Return, Qt::ControlModifier);
    });
    EXPECT_EQ(editor.ShowEditor(&view), mrOk);
  }
  EXPECT_EQ(view.RoundSize, 10);
  EXPECT_EQ(view.ShadowWidth, 10);
  EXPECT_EQ(view.Memo, QStringList{QStringLiteral("Text[SUM]")});
  EXPECT_EQ(designer.before, 1);
  EXPECT_EQ(designer.after, 1);

  view.Restrictions = rrModify;
  {
    TrpRoundRectForm editor;
    WhenModal<TrpRoundRectForm>([](TrpRoundRectForm* form) {
      form->ShWidth->setText(QStringLiteral("3"));
      QTest::mouseClick(form->bOk, Qt::LeftButton);
    });
    editor.ShowEditor(&view);
  }
  EXPECT_EQ(view.ShadowWidth, 10); // a protected object stays as it was
  view.Restrictions = 0;
  {
    TrpRoundRectForm editor;
    WhenModal<TrpRoundRectForm>([](TrpRoundRectForm* form) {
      form->ShWidth->setText(QStringLiteral("3"));
      QTest::keyClick(form->M1, Qt::Key_Escape);
    });
    EXPECT_EQ(editor.ShowEditor(&view), mrCancel);
  }
  EXPECT_EQ(view.ShadowWidth, 10);
  EXPECT_EQ(designer.before, 1);
  rpSetCurrentDesigner(nullptr);
}

} // namespace
