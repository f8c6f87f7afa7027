#pragma once
#include <QtCore/QtGlobal>

// Raise notifications. Every exception that the program's own code raises
// goes through the C++ runtime's throw, which the link wraps
// (-Wl,--wrap=__cxa_throw): the wrapper announces the exception object and
// the address it was raised at to a list of notifiers, first those of
// priority 1, then those of priority 0, each group in the order added.
// Faults (SIGSEGV, SIGBUS, SIGFPE, SIGILL) are caught on an alternate stack
// by the fault handler (RtFaultHandler.h), which a process cannot survive.

// A notification: the thrown object, the raise address, whether the raise
// was a fault of the operating system.
using TRaiseNotifier = void (*)(void* exceptionObject, quintptr address, bool osException);

constexpr quint8 kNotifierFirstChain = 1;
constexpr quint8 kNotifierNormal = 0;

// False, adding nothing, for a null notifier.
bool AddRaiseNotifier(TRaiseNotifier notifier, quint8 priority);
// Removes every item of the notifier; false for a null notifier.
bool RemoveRaiseNotifier(TRaiseNotifier notifier);

// Switches the notifications on (and the fault handler); true when hooked,
// also when already hooked.
bool InstallRaiseHooks();
// Switches them off again; true.
bool RemoveRaiseHooks();
bool RaiseHooksInstalled();

// True for an address inside the raise hook's own code, whose frames are cut
// off the top of a stack recorded at a raise.
bool IsInRaiseHookCode(quintptr address);

// Calls the notifiers on this thread, unless a notification already runs on
// it (a raise inside a notifier is not announced again).
void NotifyRaise(void* exceptionObject, quintptr address, bool osException);

// The calling thread's last announced raise.
struct TRtRaiseRecord {
  void* ExceptionObject = nullptr;
  quintptr Address = 0;
};
TRtRaiseRecord LastRaise();
