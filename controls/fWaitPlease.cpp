#include "controls/fWaitPlease.h"
#include <QtCore/QTimer>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QVBoxLayout>

TfrmWaitPlease* frmWaitPlease = nullptr;

TfrmWaitPlease::TfrmWaitPlease(QWidget* parent)
    : TForm(parent), Animate1(new QProgressBar(this)), Timer1(new QTimer(this)) {
  setObjectName(QStringLiteral("frmWaitPlease"));
  SetCaption(QStringLiteral("Čakajte prosím, pracujem..."));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint);
  setFixedSize(272, 60);
  Animate1->setObjectName(QStringLiteral("Animate1"));
  Animate1->setRange(0, 0); // a running animation, not a measured progress
  Animate1->setTextVisible(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Animate1);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(500);
  connect(Timer1, &QTimer::timeout, this, &TfrmWaitPlease::Timer1Timer);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TfrmWaitPlease::Timer1Timer() {
  show();
  QApplication::processEvents();
}

void TfrmWaitPlease::FormCloseQuery(bool& canClose) { canClose = false; }

void ShowWaitForm() {
  // A second call while the window exists keeps the one window.
  if (!frmWaitPlease) frmWaitPlease = new TfrmWaitPlease();
  frmWaitPlease->show();
}

void HideWaitForm() {
  delete frmWaitPlease;
  frmWaitPlease = nullptr;
}
