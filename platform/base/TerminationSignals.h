#pragma once
#include <functional>

// SIGTERM, SIGINT and SIGHUP (a kill, Ctrl+C, a closed terminal, the end of
// the desktop session) end the program the way its own exit does:
// transactions rolled back, connections closed.
//
// BlockTerminationSignals() comes first in main(), before any thread exists,
// so every thread (the database engine's included) inherits the block and no
// signal interrupts the engine in the middle of its work.
void BlockTerminationSignals();
// Calls `handler` from the event loop of the calling thread for each of those
// signals. Needs a running QCoreApplication; a later call replaces the handler.
void OnTerminationSignal(std::function<void()> handler);
