// Any text through the isql script splitter (upgrade packages bring scripts
// from outside): every statement it gives is trimmed, not empty, starts with
// no comment and is a piece of the script, in the script's order.
#include "schema/BaseScript.h"
#include <QtCore/QString>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString script = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  const QStringList statements = SplitScript(script);
  qsizetype from = 0;
  for (const QString& statement : statements) {
    if (statement.isEmpty() || statement != statement.trimmed()) std::abort();
    if (statement.startsWith(QLatin1String("--")) || statement.startsWith(QLatin1String("/*"))) std::abort();
    const qsizetype at = script.indexOf(statement, from);
    if (at < 0) std::abort();
    from = at + statement.size();
  }
  return 0;
}
