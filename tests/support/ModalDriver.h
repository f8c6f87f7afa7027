#pragma once
#include <QtWidgets/QWidget>
#include <chrono>
#include <functional>
#include <type_traits>

// Runs `act` on the window of type W once it is the active modal window, for
// tests that drive a modal dialog while the code under test waits in it.
// Nothing here can leave a test hanging: a window that does not come within
// `wait` fails the test and whatever modal window is open is closed instead,
// and a window that `act` leaves open (a check failed half-way) fails the
// test and is closed `wait` later.
void WhenModalWindow(std::function<bool(QWidget*)> wanted, std::function<void(QWidget*)> act,
                     std::chrono::milliseconds wait);

template <class W = QWidget>
void WhenModal(std::type_identity_t<std::function<void(W*)>> act,
               std::chrono::milliseconds wait = std::chrono::seconds(20)) {
  WhenModalWindow([](QWidget* window) { return qobject_cast<W*>(window) != nullptr; },
                  [act = std::move(act)](QWidget* window) { act(qobject_cast<W*>(window)); }, wait);
}
