#include "tests/support/TestOutput.h"
#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

namespace {

QString OutputFolder() {
  static const QString folder = [] {
    const QString build = qEnvironmentVariable("VIMEK_BINARY_DIR");
    if (build.isEmpty()) {
      static QTemporaryDir temporary;
      return temporary.path();
    }
    const QString path = build + QStringLiteral("/test-output");
    QDir().mkpath(path);
    return path;
  }();
  return folder;
}

} // namespace

QString TestOutputPath(const QString& name) { return OutputFolder() + QLatin1Char('/') + name; }
