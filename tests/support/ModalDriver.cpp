#include "tests/support/ModalDriver.h"
#include <QtCore/QDeadlineTimer>
#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <gtest/gtest.h>

namespace {

void CloseWindow(QWidget* window) {
  if (auto* dialog = qobject_cast<QDialog*>(window))
    dialog->reject();
  else
    window->close();
}

// Closes the window `wait` after now unless it has been closed before.
void CloseWhenLeftOpen(QWidget* window, std::chrono::milliseconds wait) {
  auto* watchdog = new QTimer(window);
  watchdog->setSingleShot(true);
  if (auto* dialog = qobject_cast<QDialog*>(window))
    QObject::connect(dialog, &QDialog::finished, watchdog, &QObject::deleteLater);
  QObject::connect(watchdog, &QTimer::timeout, window, [window, watchdog] {
    watchdog->deleteLater();
    if (!window->isVisible()) return;
    ADD_FAILURE() << "the modal window " << window->objectName().toStdString() << " was left open; closed";
    CloseWindow(window);
  });
  watchdog->start(wait);
}

} // namespace

void WhenModalWindow(std::function<bool(QWidget*)> wanted, std::function<void(QWidget*)> act,
                     std::chrono::milliseconds wait) {
  auto* poll = new QTimer;
  const QDeadlineTimer deadline(wait);
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  QObject::connect(poll, &QTimer::timeout, [=, wanted = std::move(wanted), act = std::move(act)] {
    QWidget* window = QApplication::activeModalWidget();
    const bool found = window && wanted(window);
    const bool sameTest = ::testing::UnitTest::GetInstance()->current_test_info() == test;
    if (!found && sameTest && !deadline.hasExpired()) return;
    poll->stop();
    poll->deleteLater();
    if (!sameTest) {
      ADD_FAILURE() << "the modal window expected by " << test->name() << " never showed";
      return;
    }
    if (!found) {
      ADD_FAILURE() << "the expected modal window did not show";
      if (window) CloseWindow(window);
      return;
    }
    CloseWhenLeftOpen(window, wait);
    act(window);
  });
  poll->start(5);
}
