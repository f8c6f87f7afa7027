#include "core/ui/EventBoundary.h"
#include <utility>

namespace {

TEventExceptionHandler& InstalledHandler() {
  static TEventExceptionHandler handler;
  return handler;
}

} // namespace

TEventExceptionHandler SetEventExceptionHandler(TEventExceptionHandler handler) {
  return std::exchange(InstalledHandler(), std::move(handler));
}

bool RunGuarded(const std::function<void()>& code) {
  try {
    code();
    return true;
  } catch (...) {
    if (!InstalledHandler()) std::terminate();
    InstalledHandler()(std::current_exception());
    return false;
  }
}
