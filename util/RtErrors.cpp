#include "util/RtErrors.h"
#include <cerrno>
#include <cstring>

QString SystemErrorMessage(int errorCode) { return QString::fromLocal8Bit(std::strerror(errorCode)); }

ERtWin32Error::ERtWin32Error(const QString& message, int errorCode)
    : ERtError(message + QStringLiteral("\r\nSystem: %1 (%2)").arg(SystemErrorMessage(errorCode)).arg(errorCode)),
      errorCode_(errorCode), systemMessage_(SystemErrorMessage(errorCode)) {}

ERtRegistryError::ERtRegistryError(const QString& key, bool forWrite)
    : ERtError(QStringLiteral("Unable to open key \"%1\" for %2")
                   .arg(key, forWrite ? QStringLiteral("write") : QStringLiteral("read"))) {}

void RaiseLastSystemError() {
  const int code = errno;
  if (code == 0) throw EOSError(0, QStringLiteral("A system function failed"));
  throw EOSError(code, QStringLiteral("System error. Code: %1.\r\n%2").arg(code).arg(SystemErrorMessage(code)));
}
