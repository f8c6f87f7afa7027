#include "reports/export/rpProgress.h"
#include "reports/engine/rpUtils.h"
#include <QtCore/QCoreApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QScreen>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>

TrpProgress::TrpProgress(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("TrpProgress"));
  setFixedSize(300, 105);
  setAutoFillBackground(true);
  MessageLabel = new QLabel(this);
  MessageLabel->setGeometry(10, 15, 280, 20);
  MessageLabel->setAlignment(Qt::AlignCenter);
  Bar = new QProgressBar(this);
  Bar->setGeometry(10, 42, 280, 18);
  CancelButton = new QPushButton(rpLoadStr(55001), this);
  CancelButton->setGeometry(112, 70, 76, 25);
  connect(CancelButton, &QPushButton::clicked, this, &TrpProgress::Cancel);
}

void TrpProgress::Execute(int maximum, const QString& message, bool showBar, bool showCancel) {
  Terminated = false;
  CancelButton->setVisible(showCancel);
  Bar->setVisible(showBar);
  MessageLabel->move(10, showBar ? 15 : 35);
  Max = std::max(maximum, Min);
  Bar->setRange(Min, Max);
  MessageLabel->setText(message);
  if (const QScreen* screen = this->screen()) move(screen->geometry().center() - rect().center());
  show();
  SetPosition(Min);
}

void TrpProgress::SetPosition(int position) {
  Position = position;
  Bar->setValue(std::min(position, Max));
  QCoreApplication::processEvents();
}

void TrpProgress::Cancel() {
  if (Terminated) return;
  Terminated = true;
  if (OnCancel) OnCancel();
  close();
}

// The whole window is its own caption: a press anywhere starts a drag.
void TrpProgress::mousePressEvent(QMouseEvent* event) {
  dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TrpProgress::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) move(event->globalPosition().toPoint() - dragOffset_);
}
