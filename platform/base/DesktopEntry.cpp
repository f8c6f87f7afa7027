#include "platform/base/DesktopEntry.h"
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QSaveFile>
#include <QtCore/QStringList>

namespace {

// A string value: backslash, line breaks and tab escaped.
QString EscapeValue(QString value) {
  value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
  value.replace(QLatin1Char('\n'), QLatin1String("\\n"));
  value.replace(QLatin1Char('\r'), QLatin1String("\\r"));
  value.replace(QLatin1Char('\t'), QLatin1String("\\t"));
  return value;
}

// One argument of Exec: quoted when it holds a reserved character, with
// '"', '`', '$' and '\' escaped inside the quotes; '%' doubled (field codes).
QString QuoteArgument(QString argument) {
  argument.replace(QLatin1Char('%'), QLatin1String("%%"));
  static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`=");
  const bool needsQuotes =
      argument.isEmpty() || std::any_of(argument.begin(), argument.end(), [](QChar c) { return reserved.contains(c); });
  if (!needsQuotes) return argument;
  QString quoted;
  for (QChar c : argument) {
    if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
      quoted += QLatin1Char('\\');
    quoted += c;
  }
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

namespace DesktopEntry {

QString Text(const TDesktopEntry& entry) {
  QStringList exec{QuoteArgument(entry.Target)};
  for (const QString& argument : QProcess::splitCommand(entry.Arguments))
    exec.append(QuoteArgument(argument));
  QString text = QStringLiteral("[Desktop Entry]\nType=Application\nVersion=1.0\n");
  text += QStringLiteral("Name=") + EscapeValue(entry.Name) + QLatin1Char('\n');
  if (!entry.Comment.isEmpty()) text += QStringLiteral("Comment=") + EscapeValue(entry.Comment) + QLatin1Char('\n');
  text += QStringLiteral("Exec=") + EscapeValue(exec.join(QLatin1Char(' '))) + QLatin1Char('\n');
  if (!entry.WorkingDirectory.isEmpty())
    text += QStringLiteral("Path=") + EscapeValue(entry.WorkingDirectory) + QLatin1Char('\n');
  if (!entry.Icon.isEmpty()) text += QStringLiteral("Icon=") + EscapeValue(entry.Icon) + QLatin1Char('\n');
  text += QStringLiteral("Terminal=false\n");
  return text;
}

bool Write(const QString& filePath, const TDesktopEntry& entry) {
  QDir().mkpath(QFileInfo(filePath).absolutePath());
  QSaveFile file(filePath);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(Text(entry).toUtf8());
  if (!file.commit()) return false;
  QFile::setPermissions(filePath, QFile::permissions(filePath) | QFile::ExeOwner | QFile::ExeUser);
  return true;
}

} // namespace DesktopEntry
