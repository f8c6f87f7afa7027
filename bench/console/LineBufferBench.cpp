// Loads a 100,000-line SQL script (code page 1250, CR LF) into the editor's
// line buffer, and beside it splits the same bytes into a QStringList (decoded
// through the same code page), the least any loader has to do. Best of five.
// Freed memory stays with the process for both: otherwise each run pays for
// the kernel handing its pages back in, and on a virtual machine that cost
// drowns the loaders' own work.
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

} // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  const QByteArray bytes = Script();
  int bufferLines = 0;
  qsizetype listLines = 0;
  const double buffer = BestOfFive([&] {
    QBuffer stream;
    stream.setData(bytes);
    stream.open(QIODevice::ReadOnly);
    TCodeEditStringList lines;
    lines.LoadFromStream(stream);
    bufferLines = lines.Count();
  });
  const double baseline = BestOfFive([&] {
    const QStringList lines = Cp1250::Decode(bytes).split(QStringLiteral("\r\n"));
    listLines = lines.size();
  });
  std::printf("script: %d lines, %lld bytes\n", kLines, static_cast<long long>(bytes.size()));
  std::printf("line buffer load:              %8.2f ms (%d lines)\n", buffer, bufferLines);
  std::printf("baseline decode + QStringList: %8.2f ms (%lld lines)\n", baseline, static_cast<long long>(listLines));
  std::printf("ratio: %.2f (goal: at most 2)\n", buffer / baseline);
  return 0;
}
