#include "tests/support/HelperProcess.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QDeadlineTimer>

bool THelperProcess::Start(const QString& helperTest, const QMap<QString, QString>& environment) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (auto it = environment.begin(); it != environment.end(); ++it)
    env.insert(it.key(), it.value());
  setProcessEnvironment(env);
  setProcessChannelMode(QProcess::SeparateChannels);
  start(QCoreApplication::applicationFilePath(),
        {QStringLiteral("--gtest_also_run_disabled_tests"), QStringLiteral("--gtest_filter=") + helperTest});
  return waitForStarted(30000);
}

QString THelperProcess::WaitForLine(const QString& marker, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  for (;;) {
    while (canReadLine()) {
      const QString line = QString::fromLocal8Bit(readLine()).trimmed();
      if (line.startsWith(marker)) return line;
    }
    if (deadline.hasExpired() || !waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))) return {};
  }
}

void THelperProcess::Send(const QByteArray& line) {
  write(line + '\n');
  waitForBytesWritten(10000);
}
