#pragma once
#include "core/ui/EventBoundary.h"
#include <QtCore/QString>
#include <exception>
#include <functional>

// The application's handler of exceptions that no event handler dealt with:
// it reports the exception and the program goes on running. Until the crash
// reporter installs its own handler, the exception's message is shown in an
// error dialog. The handler is also the one that RunGuarded (the boundary
// where Qt enters the program's code) reports to.

using TApplicationExceptionHandler = std::function<void(std::exception_ptr)>;

// Installs a handler (an empty one restores the error dialog); returns the previous one.
TApplicationExceptionHandler SetApplicationExceptionHandler(TApplicationExceptionHandler handler);

// Hands an exception to the installed handler. Never throws.
void HandleApplicationException(std::exception_ptr exception);

// The user-facing text of an exception: the program's own message, the
// standard library's text, or a fixed text for anything else.
QString ExceptionText(std::exception_ptr exception);
