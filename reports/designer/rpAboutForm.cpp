#include "reports/designer/rpAboutForm.h"
#include "reports/engine/rpUtils.h"
#include <QtGui/QLinearGradient>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

QImage rpAboutPicture() {
  QImage picture(240, 96, QImage::Format_RGB32);
  QPainter painter(&picture);
  QLinearGradient sky(0, 0, 0, 96);
  sky.setColorAt(0, QColor(0, 64, 128));
  sky.setColorAt(1, QColor(0, 128, 160));
  painter.fillRect(picture.rect(), sky);
  // A page with a band and lines of text: what the engine prints.
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  painter.drawRect(16, 12, 56, 72);
  painter.fillRect(20, 18, 48, 8, QColor(255, 255, 128));
  for (int y = 32; y <= 74; y += 7)
    painter.drawLine(22, y, 22 + (y % 3 ? 42 : 30), y);
  QFont font = painter.font();
  font.setPixelSize(28);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(84, 0, 150, 96), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Zostavy"));
  return picture;
}

TrpAboutForm::TrpAboutForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53540));
  auto* layout = new QVBoxLayout(this);
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("Image1"));
  picture->setPixmap(QPixmap::fromImage(rpAboutPicture()));
  // The picture lets the window's body take the mouse.
  picture->setAttribute(Qt::WA_TransparentForMouseEvents);
  layout->addWidget(picture, 0, Qt::AlignHCenter);
  auto* ok = new QPushButton(rpLoadStr(55000), this);
  ok->setDefault(true);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  connect(ok, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
}

void TrpAboutForm::mousePressEvent(QMouseEvent* event) {
  grabbed_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
  TForm::mousePressEvent(event);
}

void TrpAboutForm::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) move(event->globalPosition().toPoint() - grabbed_);
  TForm::mouseMoveEvent(event);
}
