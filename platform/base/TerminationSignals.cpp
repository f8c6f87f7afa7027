#include "platform/base/TerminationSignals.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QSocketNotifier>
#include <pthread.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

std::function<void()> terminationHandler;
int signalDescriptor = -1;

sigset_t TerminationSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (const int number : {SIGTERM, SIGINT, SIGHUP})
    sigaddset(&set, number);
  return set;
}

void ReadSignal() {
  signalfd_siginfo info;
  if (::read(signalDescriptor, &info, sizeof info) == sizeof info && terminationHandler) terminationHandler();
}

} // namespace

void BlockTerminationSignals() {
  const sigset_t set = TerminationSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void OnTerminationSignal(std::function<void()> handler) {
  terminationHandler = std::move(handler);
  if (signalDescriptor >= 0) return;
  // Blocked signals stay pending until the descriptor reads them.
  BlockTerminationSignals();
  const sigset_t set = TerminationSignals();
  signalDescriptor = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
  if (signalDescriptor < 0) return;
  auto* notifier = new QSocketNotifier(signalDescriptor, QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { ReadSignal(); });
}
