#pragma once
#include <exception>

// The database-error handler every database action calls after rolling back:
// shows the numbered message that matches the server's error code or the
// violated constraint and returns non-zero when the error has been reported
// (a message number 2001-2007, the server's error code, or -1 for a refused
// login); 0 means nothing was shown and the caller raises the exception again,
// so that each error reaches the user exactly once.
int HandleDatabaseError(const std::exception& error);
