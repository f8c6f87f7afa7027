#include "tests/support/OfficeConvert.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>

bool OfficeAvailable() { return !QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty(); }

QByteArray ConvertInLibreOffice(const QString& file, const QString& format, const QString& outDir,
                                const QString& inFilter) {
  const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
  if (office.isEmpty()) return {};
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  QStringList arguments{QStringLiteral("-env:UserInstallation=file://") + outDir + QStringLiteral("/profile"),
                        QStringLiteral("--headless")};
  if (!inFilter.isEmpty()) arguments << QStringLiteral("--infilter=") + inFilter;
  arguments << QStringLiteral("--convert-to") << format << QStringLiteral("--outdir") << outDir << file;
  process.start(office, arguments);
  if (!process.waitForFinished(180000)) return {};
  const QString extension = format.section(QLatin1Char(':'), 0, 0);
  QFile converted(QDir(outDir).filePath(QFileInfo(file).completeBaseName() + QLatin1Char('.') + extension));
  return converted.open(QIODevice::ReadOnly) ? converted.readAll() : QByteArray();
}
