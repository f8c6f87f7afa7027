#include "reports/objects/RegisterReportObjects.h"
#include "reports/engine/rpView.h"
#include "reports/objects/dialog/RegisterDialogObjects.h"
#include "reports/objects/rpBarCodeView.h"
#include "reports/objects/rpChartView.h"
#include "reports/objects/rpCheckBoxView.h"
#include "reports/objects/rpCrossView.h"
#include "reports/objects/rpGradient.h"
#include "reports/objects/rpRichView.h"
#include "reports/objects/rpRoundRectView.h"
#include "reports/objects/rpShapeView.h"
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <cstring>

QImage rpObjectBitmap(const char* name) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setPen(Qt::black);
  if (std::strcmp(name, "RP_SHAPE") == 0) {
    p.setBrush(QColor(0x80, 0xC0, 0xFF));
    p.drawRect(1, 5, 8, 8);
    p.setBrush(QColor(0xFF, 0xE0, 0x80));
    p.drawEllipse(6, 1, 8, 8);
  } else if (std::strcmp(name, "RP_CHECKBOXVIEW") == 0) {
    p.setBrush(Qt::white);
    p.drawRect(2, 2, 11, 11);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(4, 8, 7, 11);
    p.drawLine(7, 11, 12, 4);
  } else if (std::strcmp(name, "RP_ROUNDRECTVIEW") == 0) {
    p.setBrush(Qt::gray);
    p.drawRoundedRect(4, 4, 11, 10, 3, 3);
    p.setBrush(Qt::white);
    p.drawRoundedRect(1, 1, 11, 10, 3, 3);
  } else if (std::strcmp(name, "RP_BARCODEVIEW") == 0) {
    for (int x = 1, i = 0; x < 15; x += 1 + i % 3, ++i)
      p.fillRect(x, 2, 1 + i % 2, 12, Qt::black);
  } else if (std::strcmp(name, "RP_CHARTVIEW") == 0) {
    p.setPen(Qt::NoPen);
    p.fillRect(2, 8, 3, 6, Qt::red);
    p.fillRect(6, 3, 3, 11, Qt::darkGreen);
    p.fillRect(10, 6, 3, 8, Qt::blue);
    p.setPen(Qt::black);
    p.drawLine(1, 14, 14, 14);
  } else if (std::strcmp(name, "RP_CROSSVIEW") == 0) {
    p.fillRect(1, 1, 14, 4, QColor(192, 192, 192));
    p.fillRect(1, 1, 4, 14, QColor(192, 192, 192));
    for (int at : {1, 5, 10, 14}) {
      p.drawLine(1, at, 14, at);
      p.drawLine(at, 1, at, 14);
    }
  } else if (std::strcmp(name, "RP_RICHVIEW") == 0) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(14);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::darkRed);
    p.drawText(QRect(0, 0, 9, 16), Qt::AlignCenter, QStringLiteral("R"));
    font.setItalic(true);
    p.setFont(font);
    p.setPen(Qt::darkBlue);
    p.drawText(QRect(7, 0, 9, 16), Qt::AlignCenter, QStringLiteral("t"));
  }
  return image;
}

// The objects' hidden editor windows (chart, rich text, cross-tab) are made
// when a report first needs one: built here, they took a quarter of the
// program's start-up for windows most sessions never open.
void RegisterReportObjects() {
  rpAddObjectClass(
      QStringLiteral("TrpShapeView"), [] { return new TrpShapeView; }, rpObjectBitmap("RP_SHAPE"),
      QStringLiteral("55226"));
  rpAddObjectClass(
      QStringLiteral("TrpCheckBoxView"), [] { return new TrpCheckBoxView; }, rpObjectBitmap("RP_CHECKBOXVIEW"),
      QStringLiteral("55224"));
  rpAddObjectClass(
      QStringLiteral("TrpRoundRectView"), [] { return new TrpRoundRectView; }, rpObjectBitmap("RP_ROUNDRECTVIEW"),
      QStringLiteral("55344"));
  rpAddObjectClass(
      QStringLiteral("TrpBarCodeView"), [] { return new TrpBarCodeView; }, rpObjectBitmap("RP_BARCODEVIEW"),
      QStringLiteral("55338"));
  rpAddObjectClass(
      QStringLiteral("TrpChartView"), [] { return new TrpChartView; }, rpObjectBitmap("RP_CHARTVIEW"),
      QStringLiteral("55225"));
  rpAddObjectClass(
      QStringLiteral("TrpRichView"), [] { return new TrpRichView; }, rpObjectBitmap("RP_RICHVIEW"),
      QStringLiteral("55223"));
  rpAddObjectClass(
      QStringLiteral("TrpCrossView"), [] { return new TrpCrossView; }, rpObjectBitmap("RP_CROSSVIEW"),
      QStringLiteral("55480"));
  RegisterDialogObjects();
}
