#include "crash/RtHookExcept.h"
#include "crash/RtFaultHandler.h"
#include "util/RtCriticalSection.h"
#include <QtCore/QList>
#include <algorithm>
#include <atomic>
#include <cxxabi.h>
#include <typeinfo>

namespace {

struct TNotifierItem {
  TRaiseNotifier Notifier;
  quint8 Priority;
};

struct TNotifierList {
  TRtCriticalSection Lock;
  QList<TNotifierItem> Items;
};

TNotifierList& Notifiers() {
  static TNotifierList list;
  return list;
}

std::atomic<bool> hooked{false};
thread_local bool inNotify = false;
thread_local TRtRaiseRecord lastRaise;

// Leaves the notification pass of this thread, also when a notifier raised.
struct TNotifyGuard {
  TNotifierList& list;
  explicit TNotifyGuard(TNotifierList& l) : list(l) {
    inNotify = true;
    list.Lock.Enter();
  }
  ~TNotifyGuard() {
    list.Lock.Leave();
    inNotify = false;
  }
};

} // namespace

// The linker places the raise hook alone in this section; its bounds tell
// the hook's frames apart from the raising code's.
extern "C" char __start_vimek_raisehook[];
extern "C" char __stop_vimek_raisehook[];

extern "C" [[noreturn]] void __real___cxa_throw(void* object, std::type_info* type, void (*destructor)(void*));

// Every throw of the program's own code comes here (the link wraps the C++
// runtime's throw). The raise address is where the throw was called from.
extern "C" [[noreturn]] __attribute__((noinline, section("vimek_raisehook"))) void
__wrap___cxa_throw(void* object, std::type_info* type, void (*destructor)(void*)) {
  if (hooked.load(std::memory_order_relaxed)) {
    try {
      NotifyRaise(object, quintptr(__builtin_return_address(0)), false);
    } catch (...) {
      // A notifier's own exception leaves instead: the one never thrown is
      // destroyed and its memory returned, or it would leak.
      if (destructor) destructor(object);
      abi::__cxa_free_exception(object);
      throw;
    }
  }
  __real___cxa_throw(object, type, destructor);
}

bool AddRaiseNotifier(TRaiseNotifier notifier, quint8 priority) {
  if (!notifier) return false;
  TNotifierList& list = Notifiers();
  list.Lock.Enter();
  list.Items.append({notifier, priority});
  list.Lock.Leave();
  return true;
}

bool RemoveRaiseNotifier(TRaiseNotifier notifier) {
  if (!notifier) return false;
  TNotifierList& list = Notifiers();
  list.Lock.Enter();
  list.Items.removeIf([notifier](const TNotifierItem& item) { return item.Notifier == notifier; });
  list.Lock.Leave();
  return true;
}

bool InstallRaiseHooks() {
  if (hooked) return true;
  inNotify = false;
  InstallFaultHandler();
  hooked = true;
  return true;
}

bool RemoveRaiseHooks() {
  if (!hooked) return true;
  RemoveFaultHandler();
  hooked = false;
  return true;
}

bool RaiseHooksInstalled() { return hooked; }

bool IsInRaiseHookCode(quintptr address) {
  return address >= quintptr(__start_vimek_raisehook) && address < quintptr(__stop_vimek_raisehook);
}

void NotifyRaise(void* exceptionObject, quintptr address, bool osException) {
  if (inNotify) return;
  lastRaise = {exceptionObject, address};
  TNotifierList& list = Notifiers();
  TNotifyGuard guard(list);
  // A copy: a notifier may add or remove notifiers.
  const QList<TNotifierItem> items = list.Items;
  for (quint8 priority : {kNotifierFirstChain, kNotifierNormal})
    for (const TNotifierItem& item : items)
      if (item.Priority == priority) item.Notifier(exceptionObject, address, osException);
}

TRtRaiseRecord LastRaise() { return lastRaise; }
