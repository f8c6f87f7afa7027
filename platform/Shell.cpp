#include "platform/Shell.h"
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtWidgets/QApplication>

namespace Shell {

bool PlaySoundFile(const QString& fileName) {
  if (!QFileInfo(fileName).isFile()) return false;
  for (const QString& player : {QStringLiteral("paplay"), QStringLiteral("pw-play"), QStringLiteral("aplay")}) {
    const QString program = QStandardPaths::findExecutable(player);
    if (!program.isEmpty() && QProcess::startDetached(program, {fileName})) return true;
  }
  Beep();
  return false;
}

void Beep() { QApplication::beep(); }

bool OpenUrl(const QString& url) {
  const QUrl target =
      QFileInfo::exists(url) ? QUrl::fromLocalFile(QFileInfo(url).absoluteFilePath()) : QUrl::fromUserInput(url);
  return target.isValid() && QDesktopServices::openUrl(target);
}

} // namespace Shell
