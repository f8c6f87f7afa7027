#include "db/IBError.h"

EIBInterBaseError::EIBInterBaseError(QString message, int ibErrorCode, int sqlCode, QString constraintName,
                                     QList<int> errorCodes)
    : EIBError(std::move(message)), ibErrorCode_(ibErrorCode), sqlCode_(sqlCode),
      constraintName_(std::move(constraintName)), errorCodes_(std::move(errorCodes)) {}
