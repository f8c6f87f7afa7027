// Loads a 100,000-line SQL script (code page 1250, CR LF) into the editor's
// line buffer, and beside it splits the same bytes into a QStringList (decoded
// through the same code page), the least any loader has to do. Best of five,
// each side in a process of its own so that its peak memory is its own.
// Freed memory stays with the process for both: otherwise each run pays for
// the kernel handing its pages back in, and on a virtual machine that cost
// drowns the loaders' own work.
#include "bench/support/BenchSides.h"
#include "console/editor/text/CodeEditStringList.h"
#include "core/CodePage1250.h"
#include <QtCore/QBuffer>
#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <cstdio>
#include <malloc.h>

namespace {

constexpr int kLines = 100000;

QByteArray Script() {
  QString text;
  for (int i = 0; i < kLines; ++i) {
    switch (i % 4) {
    case 0:
      text += QStringLiteral("select c.JEDIN, c.PRIEZVISKO, c.MENO from C_CLENOV c");
      break;
    case 1:
      text += QStringLiteral("\twhere c.ROK = %1 and c.MESTO = 'Žilina' -- člen č. %2").arg(2000 + i % 25).arg(i);
      break;
    case 2:
      text += QStringLiteral("\t\torder by c.PRIEZVISKO, c.MENO;");
      break;
    default:
      break;
    }
    text += QStringLiteral("\r\n");
  }
  return Cp1250::Encode(text);
}

template <typename Work> double BestOfFive(Work work) {
  double best = 1e99;
  for (int run = 0; run < 5; ++run) {
    QElapsedTimer timer;
    timer.start();
    work();
    best = qMin(best, timer.nsecsElapsed() / 1e6);
  }
  return best;
}

// One side in this process, "buffer" or "list": prints "milliseconds lines peak-KiB".
int RunChild(const QString& side) {
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  const QByteArray bytes = Script();
  qsizetype lines = 0;
  const double ms = side == QLatin1String("buffer")
                        ? BestOfFive([&] {
                            QBuffer stream;
                            stream.setData(bytes);
                            stream.open(QIODevice::ReadOnly);
                            TCodeEditStringList buffer;
                            buffer.LoadFromStream(stream);
                            lines = buffer.Count();
                          })
                        : BestOfFive([&] { lines = Cp1250::Decode(bytes).split(QStringLiteral("\r\n")).size(); });
  std::printf("%.3f %lld %ld\n", ms, static_cast<long long>(lines), OwnPeakKiB());
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc == 2) return RunChild(QString::fromLatin1(argv[1]));
  const QStringList buffer = RunSide({QStringLiteral("buffer")});
  const QStringList list = RunSide({QStringLiteral("list")});
  if (buffer.size() != 3 || list.size() != 3) return 1;
  std::printf("script: %d lines, %lld bytes (code page 1250, CR LF); best of 5; each side in its own process\n", kLines,
              static_cast<long long>(Script().size()));
  std::printf("lines: line buffer %s, QStringList %s\n", qPrintable(buffer[1]), qPrintable(list[1]));
  PrintFiguresHeader("milliseconds");
  PrintFigure("line buffer load / decode + QStringList", buffer[0].toDouble(), list[0].toDouble(), buffer[2].toLong(),
              list[2].toLong());
  std::printf("goal: ratio at most 2\n");
  return 0;
}
