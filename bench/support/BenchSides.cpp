#include "bench/support/BenchSides.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <algorithm>
#include <cstdio>

long OwnPeakKiB() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
  return -1;
}

QStringList RunSide(const QStringList& arguments) {
  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  child.start(QCoreApplication::applicationFilePath(), arguments);
  if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
    std::fprintf(stderr, "side \"%s\" failed\n", qPrintable(arguments.join(QLatin1Char(' '))));
    return {};
  }
  return QString::fromLocal8Bit(child.readAllStandardOutput()).simplified().split(QLatin1Char(' '));
}

void PrintFiguresHeader(const char* unit) {
  std::printf("%-42s %10s %10s %7s %9s %9s %7s\n", unit, "ours", "baseline", "ratio", "MiB ours", "MiB base", "x peak");
}

void PrintFigure(const char* what, double ours, double baseline, long oursPeakKiB, long baselinePeakKiB) {
  // Large figures (rates) need no decimals.
  const int decimals = std::max(ours, baseline) >= 10000 ? 0 : 2;
  std::printf("%-42s %10.*f %10.*f %7.2f %9.1f %9.1f %7.2f\n", what, decimals, ours, decimals, baseline,
              ours / baseline, oursPeakKiB / 1024.0, baselinePeakKiB / 1024.0,
              double(oursPeakKiB) / double(baselinePeakKiB));
}
