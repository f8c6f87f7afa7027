#pragma once
#include <QtCore/QObject>
#include <exception>
#include <functional>
#include <type_traits>

// Qt's event delivery and signal emission are not exception-safe: an
// exception that unwinds their frames skips their cleanup (memory is leaked,
// state is left half-changed). Wherever Qt enters the program's code (an
// event override, an event filter, a slot of a widget's signal) that code
// runs through RunGuarded, so that an exception goes to the application's
// handler and Qt's frames return normally.

using TEventExceptionHandler = std::function<void(std::exception_ptr)>;

// The application installs its exception handler here. Without one an
// exception at the boundary ends the program, as one escaping the event loop
// would. Returns the previous handler.
TEventExceptionHandler SetEventExceptionHandler(TEventExceptionHandler handler);

// Runs code entered from Qt; an exception that leaves it goes to the
// installed handler. Returns false when the code ended with an exception.
bool RunGuarded(const std::function<void()>& code);

// Connects a widget's signal to code of the program that runs through
// RunGuarded, with the signal's arguments when the code takes them.
template <typename Sender, typename Signal, typename Code>
QMetaObject::Connection ConnectGuarded(const Sender* sender, Signal signal, const QObject* context, Code code) {
  return QObject::connect(sender, signal, context, [code = std::move(code)](const auto&... args) {
    RunGuarded([&] {
      if constexpr (std::is_invocable_v<const Code&, decltype(args)...>)
        code(args...);
      else
        code();
    });
  });
}
