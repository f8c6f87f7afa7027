#pragma once
#include "core/Exception.h"
#include <QtCore/QList>

// A database-layer error found before the server was asked: not connected,
// unknown parameter, a value that does not fit its parameter, text that code
// page 1250 cannot hold.
class EIBError : public Exception {
public:
  using Exception::Exception;
};

// A parameter value that its parameter cannot hold (a text that is no number
// for a numeric column, a character outside code page 1250, an invalid date):
// refused before the server was asked, so no row could have matched it.
class EIBParamValueError : public EIBError {
public:
  using EIBError::EIBError;
};

// An error the server (or the client library) reported. Carries the first
// significant error code of the status vector (e.g. 335544345 for a lock
// conflict), the SQL code, the full message text and, for a violated
// constraint, unique index or a raised database exception, that object's name.
// A row held by another transaction gives 335544345 (lock conflict), although
// Firebird 3 puts "deadlock" (335544336) first; `ErrorCodes()` keeps the server's list.
class EIBInterBaseError : public EIBError {
public:
  EIBInterBaseError(QString message, int ibErrorCode, int sqlCode, QString constraintName, QList<int> errorCodes);

  int IBErrorCode() const { return ibErrorCode_; }
  int SQLCode() const { return sqlCode_; }
  // Name of the violated constraint or index, or of the raised exception; empty otherwise.
  const QString& ConstraintName() const { return constraintName_; }
  // Every error code of the status vector, in order.
  const QList<int>& ErrorCodes() const { return errorCodes_; }

private:
  int ibErrorCode_;
  int sqlCode_;
  QString constraintName_;
  QList<int> errorCodes_;
};

// The server's error codes the program reacts to.
namespace IBErrorCodes {
constexpr int IoError = 335544344;
constexpr int LockConflict = 335544345;
constexpr int UniqueIndex = 335544349;
constexpr int ObjectInUse = 335544351;
constexpr int ForeignKey = 335544466;
constexpr int Login = 335544472;
constexpr int DatabaseException = 335544517;
constexpr int CheckConstraint = 335544558;
constexpr int DynamicSql = 335544569;
constexpr int UniqueKey = 335544665;
constexpr int StringTruncation = 335544321;
// The validation service found damage: "Summary of validation errors", then the counts.
constexpr int ValidationErrors = 335740952;
} // namespace IBErrorCodes
