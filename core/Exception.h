#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <exception>

// The root of every error the program raises. Failures are exceptions; the
// message is the user-facing Slovak (or fixed) text.
class Exception : public std::exception {
public:
  explicit Exception(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
  const QString& Message() const { return message_; }
  const char* what() const noexcept override { return utf8_.constData(); }

private:
  QString message_;
  QByteArray utf8_;
};

// Raised when a text cannot be stored in a single-byte code page.
class ECodePageError : public Exception {
public:
  using Exception::Exception;
};

// Raised by the binary stream helpers on truncated or malformed input.
class EStreamError : public Exception {
public:
  using Exception::Exception;
};

// Raised by data sets: unknown field, operation on a closed set, bad conversion.
class EDataSetError : public Exception {
public:
  using Exception::Exception;
};
