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

// Why LibreOffice cannot open or save dBASE files here; empty when it can.
QString MissingOffice(const QString& office) {
  if (office.isEmpty())
    return QStringLiteral("LibreOffice is not installed (packages libreoffice-calc-nogui, libreoffice-base-drivers)");
  const QDir program = QFileInfo(QFileInfo(office).canonicalFilePath()).dir();
  if (!program.exists(QStringLiteral("libdbaselo.so")))
    return QStringLiteral("LibreOffice cannot read dBASE files without its dBASE driver (package "
                          "libreoffice-base-drivers)");
  return {};
}

// Runs LibreOffice headless in `work` with a fresh profile and a fixed locale,
// which keep the number and date formats stable.
void RunOffice(const QString& office, const QString& work, const QStringList& arguments) {
  QProcess process;
  process.setWorkingDirectory(work);
  QStringList env = QProcess::systemEnvironment();
  env << QStringLiteral("HOME=") + work << QStringLiteral("LC_ALL=C.UTF-8");
  process.setEnvironment(env);
  process.start(office, QStringList{QStringLiteral("--headless")} + arguments);
  process.waitForFinished(120000);
}

} // namespace

TOfficeCsv ReadInLibreOffice(const QString& dbfPath, int charset) {
  const QString office = LibreOffice();
  if (const QString missing = MissingOffice(office); !missing.isEmpty()) return {{}, missing};
  QTemporaryDir work;
  RunOffice(office, work.path(),
            {QStringLiteral("--infilter=dBase:%1").arg(charset), QStringLiteral("--convert-to"),
             QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), QStringLiteral("--outdir"), work.path(),
             dbfPath});
  QFile csv(work.filePath(QFileInfo(dbfPath).completeBaseName() + QStringLiteral(".csv")));
  return {csv.open(QIODevice::ReadOnly) ? QString::fromUtf8(csv.readAll()) : QString(), QString()};
}

QString WriteDbfInLibreOffice(const QString& csvPath, const QString& dbfPath, int charset) {
  const QString office = LibreOffice();
  if (const QString missing = MissingOffice(office); !missing.isEmpty()) return missing;
  QTemporaryDir work;
  RunOffice(office, work.path(),
            {QStringLiteral("--infilter=Text - txt - csv (StarCalc):59,34,76,1,,0,true,true"),
             QStringLiteral("--convert-to"), QStringLiteral("dbf:dBase:%1").arg(charset), QStringLiteral("--outdir"),
             work.path(), csvPath});
  const QString written = work.filePath(QFileInfo(csvPath).completeBaseName() + QStringLiteral(".dbf"));
  QFile::remove(dbfPath);
  QFile::copy(written, dbfPath);
  return {};
}
