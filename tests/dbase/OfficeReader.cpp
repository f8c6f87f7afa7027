#include "OfficeReader.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>

namespace {

QString LibreOffice() {
  for (const char* name : {"libreoffice", "soffice"}) {
    const QString path = QStandardPaths::findExecutable(QLatin1String(name));
    if (!path.isEmpty()) return path;
  }
  return {};
}

} // namespace

TOfficeCsv ReadInLibreOffice(const QString& dbfPath) {
  const QString office = LibreOffice();
  if (office.isEmpty())
    return {{},
            QStringLiteral("LibreOffice is not installed (packages libreoffice-calc-nogui, libreoffice-base-drivers)")};
  const QDir program = QFileInfo(QFileInfo(office).canonicalFilePath()).dir();
  if (!program.exists(QStringLiteral("libdbaselo.so")))
    return {{},
            QStringLiteral("LibreOffice cannot read dBASE files without its dBASE driver (package "
                           "libreoffice-base-drivers)")};
  QTemporaryDir work;
  QProcess process;
  process.setWorkingDirectory(work.path());
  QStringList env = QProcess::systemEnvironment();
  // A fresh profile and a fixed locale keep the number and date formats of the CSV stable.
  env << QStringLiteral("HOME=") + work.path() << QStringLiteral("LC_ALL=C.UTF-8");
  process.setEnvironment(env);
  // The user picks "Eastern Europe (Windows-1250)" as the character set; 33 is its number.
  process.start(office, {QStringLiteral("--headless"), QStringLiteral("--infilter=dBase:33"),
                         QStringLiteral("--convert-to"), QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
                         QStringLiteral("--outdir"), work.path(), dbfPath});
  process.waitForFinished(120000);
  QFile csv(work.filePath(QFileInfo(dbfPath).completeBaseName() + QStringLiteral(".csv")));
  return {csv.open(QIODevice::ReadOnly) ? QString::fromUtf8(csv.readAll()) : QString(), QString()};
}
