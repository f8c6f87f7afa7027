#pragma once
#include "core/Exception.h"

// The error types of the utility layer.

// The general error of this layer.
class ERtError : public Exception {
public:
  using Exception::Exception;
};

// A failed system call: the message, a line break, then "System: <text> (<code>)".
class ERtWin32Error : public ERtError {
public:
  ERtWin32Error(const QString& message, int errorCode);
  int ErrorCode() const { return errorCode_; }
  const QString& SystemMessage() const { return systemMessage_; }

private:
  int errorCode_;
  QString systemMessage_;
};

// "Unable to open key "<path>" for read" (or " for write").
class ERtRegistryError : public ERtError {
public:
  ERtRegistryError(const QString& key, bool forWrite);
};

class ERtFileVersionInfoError : public ERtError {
public:
  ERtFileVersionInfoError() : ERtError(QStringLiteral("File contains no version information")) {}
};

class ERtFileMappingError : public ERtWin32Error {
public:
  using ERtWin32Error::ERtWin32Error;
};

class ERtFileMappingViewError : public ERtWin32Error {
public:
  using ERtWin32Error::ERtWin32Error;
};

// "Failed to create event".
class ERtEventError : public ERtWin32Error {
public:
  using ERtWin32Error::ERtWin32Error;
};

// The general system-error exception: the code and the system's text of a
// failed system call.
class EOSError : public Exception {
public:
  EOSError(int errorCode, const QString& message) : Exception(message), errorCode_(errorCode) {}
  int ErrorCode() const { return errorCode_; }

private:
  int errorCode_;
};

// The system's text of an error code (errno).
QString SystemErrorMessage(int errorCode);

// Raises EOSError for the calling thread's last system error (errno):
// "System error. Code: <code>.\r\n<text>", or "A system function failed"
// when there is no error code.
[[noreturn]] void RaiseLastSystemError();
