#include "ObjectsFixture.h"
#include "platform/MessageDialogs.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/ui/rpComboEdit.h"
#include "reports/objects/rpBarCodeForm.h"
#include "reports/objects/rpBarCodeView.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QStringPrinter.h"
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

namespace {

using BarcodeView = ObjectsFixture;

QByteArray BarcodeRecord(const QString& name, qint32 module, double zoom, double rotation, quint8 type) {
  TBinaryWriter s;
  TViewRecord view;
  view.Name = name;
  view.Memo = {QStringLiteral("[Clen.\"CISLO\"]")};
  WriteViewRecord(s, view);
  rpWriteByte(s, 1);
  rpWriteByte(s, 0);
  rpWriteByte(s, 0);
  rpWriteByte(s, type);
  rpWriteInteger(s, module);
  s.WriteDouble(zoom);
  s.WriteDouble(rotation);
  return s.TakeData();
}

TEST_F(BarcodeView, TemplatesRoundTripAndAnOlderModuleOneLoadsAsModuleTwoAtHalfTheZoom) {
  const QByteArray current = TemplateWith(
      {{QStringLiteral("TrpBarCodeView"), BarcodeRecord(QStringLiteral("Bar1"), 2, 1.5, 90, bcCodeEAN13)}});
  TrpReport report;
  StopClock(report);
  report.LoadFromStream(current, false);
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  auto* bar = dynamic_cast<TrpBarCodeView*>(report.Pages.GetPage(0)->GetObject(0));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->BarType, bcCodeEAN13);
  EXPECT_EQ(bar->Rotation, 90);
  EXPECT_FALSE(bar->ShowText);
  EXPECT_EQ(report.SaveToStream(), current);

  TrpReport older;
  older.LoadFromStream(
      TemplateWith({{QStringLiteral("TrpBarCodeView"), BarcodeRecord(QStringLiteral("Bar1"), 1, 2, 0, bcCode39)}}),
      false);
  auto* old = dynamic_cast<TrpBarCodeView*>(older.Pages.GetPage(0)->GetObject(0));
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(old->Module, 2);
  EXPECT_EQ(old->Zoom, 1.0);
}

// Dark pixels in a column or row of an image.
int DarkIn(const QImage& image, const QRect& area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      n += qGray(image.pixel(x, y)) < 100;
  return n;
}

TEST_F(BarcodeView, ANewObjectPrintsCode39Of12345678WithItsText) {
  TrpBarCodeView bar;
  EXPECT_EQ(bar.Memo, QStringList{QStringLiteral("12345678")});
  EXPECT_EQ(bar.BarType, bcCode39);
  bar.SetBounds(0, 0, 50, 60);
  QImage image(300, 80, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  rpRun().EngineMode = true;
  bar.Draw(rpRun(), &painter);
  painter.end();
  EXPECT_EQ(bar.Width, 11 * 12 + 10); // "*12345678" with its check character and "*", one pixel per module
  EXPECT_GT(DarkIn(image, QRect(0, 0, bar.Width, 46)), 500); // bars above the text
  EXPECT_GT(DarkIn(image, QRect(0, 48, bar.Width, 12)), 20); // the text beneath
  EXPECT_EQ(DarkIn(image, QRect(bar.Width + 2, 0, 100, 80)), 0);
}

TEST_F(BarcodeView, RotatedANinetyDegreesTheObjectIsAsTallAsTheZoomedPattern) {
  TrpBarCodeView bar;
  bar.SetBounds(0, 0, 60, 10);
  bar.Rotation = 90;
  bar.Zoom = 2;
  QImage image(100, 400, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  rpRun().EngineMode = false;
  bar.Draw(rpRun(), &painter);
  painter.end();
  EXPECT_EQ(bar.Height, 2 * (11 * 12 + 10));
  EXPECT_EQ(bar.Width, 60);
  EXPECT_EQ(bar.Generator.Height(), 60 - 14); // the bars leave room for the text
  bar.ShowText = false;
  image.fill(Qt::white);
  painter.begin(&image);
  bar.Draw(rpRun(), &painter);
  painter.end();
  EXPECT_EQ(bar.Generator.Height(), 60);
}

TEST_F(BarcodeView, AMemoOfOneEmptyLinePrintsNothingAndAFailedExpressionNothingVisible) {
  TrpBarCodeView bar;
  bar.SetBounds(0, 0, 100, 40);
  bar.FillColor = 0x0000FF;
  bar.FrameTyp = 15;
  bar.Memo = {QString()};
  QImage image(200, 60, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  rpRun().EngineMode = true;
  bar.Draw(rpRun(), &painter);
  painter.end();
  QImage blank(200, 60, QImage::Format_RGB32);
  blank.fill(Qt::white);
  EXPECT_EQ(image, blank);

  TrpReport report;
  TrpPage* page = report.Pages.GetPage(0);
  auto band = std::make_unique<TrpBandView>();
  band->SetBandType(btReportTitle);
  band->SetBounds(0, 20, 700, 60);
  page->Add(std::move(band));
  auto failing = std::make_unique<TrpBarCodeView>();
  failing->SetBounds(10, 25, 100, 40);
  failing->Memo = {QStringLiteral("[NEZNAME(]")};
  failing->BarType = bcCodeEAN13;
  page->Add(std::move(failing));
  auto evaluated = std::make_unique<TrpBarCodeView>();
  evaluated->SetBounds(200, 25, 100, 40);
  evaluated->Memo = {QStringLiteral("[6 * 7]")};
  page->Add(std::move(evaluated));
  ASSERT_TRUE(report.BuildPreparedPages()) << messages.join(QLatin1Char('\n')).toStdString();
  TrpPage& prepared = report.EMFPages.LoadPageObjects(0);
  QStringList codes;
  for (int i = 0; i < prepared.Count(); ++i)
    if (auto* b = dynamic_cast<TrpBarCodeView*>(prepared.GetObject(i))) codes.append(b->Memo.value(0));
  EXPECT_EQ(codes, (QStringList{QStringLiteral("0"), QStringLiteral("42")}));
}

TEST_F(BarcodeView, TheEditorChecksEveryEntryBeforeItChangesAnything) {
  TScriptedMessageDialogs dialogs({mrOk, mrOk});
  TrpBarCodeView bar;
  {
    TrpBarCodeForm editor;
    WhenModal<TrpBarCodeForm>([](TrpBarCodeForm* form) {
      EXPECT_EQ(form->cbType->count(), 23);
      EXPECT_EQ(form->cbType->currentText(), QStringLiteral("Code39"));
      EXPECT_TRUE(form->RB1->isChecked());
      form->M1->setEditText(QStringLiteral("ZO-42"));
      form->eZoom->setText(QStringLiteral("x"));
      QTest::mouseClick(form->bOk, Qt::LeftButton);
      EXPECT_TRUE(form->isVisible());
      form->eZoom->setText(QStringLiteral("1,5"));
      form->RB2->setChecked(true);
      QTest::mouseClick(form->bOk, Qt::LeftButton);
    });
    EXPECT_EQ(editor.ShowEditor(&bar), mrOk);
  }
  EXPECT_EQ(bar.Memo, QStringList{QStringLiteral("ZO-42")});
  EXPECT_EQ(bar.Zoom, 1.5);
  EXPECT_EQ(bar.Rotation, 90);
  {
    TrpBarCodeForm editor;
    WhenModal<TrpBarCodeForm>([](TrpBarCodeForm* form) {
      form->cbType->setCurrentIndex(bcCodeEAN13);
      form->M1->setEditText(QStringLiteral("12a"));
      QTest::mouseClick(form->bOk, Qt::LeftButton);
      EXPECT_TRUE(form->isVisible());
      QTest::mouseClick(form->bCancel, Qt::LeftButton);
    });
    EXPECT_EQ(editor.ShowEditor(&bar), mrCancel);
  }
  EXPECT_EQ(bar.BarType, bcCode39);
  EXPECT_EQ(bar.Memo, QStringList{QStringLiteral("ZO-42")});
  ASSERT_EQ(dialogs.Requests().size(), 2);
  EXPECT_EQ(dialogs.Requests()[1].Text, QStringLiteral("Chyba v def. ČK"));
}

} // namespace
