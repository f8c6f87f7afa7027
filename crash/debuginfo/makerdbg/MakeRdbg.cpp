// Writes the binary debug file of an ELF program: vimek-makerdbg <program> <output>.
#include "crash/debuginfo/makerdbg/ElfDebugFacts.h"
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: vimek-makerdbg <program> <output>\n");
    return 2;
  }
  const QString program = QString::fromLocal8Bit(argv[1]);
  TElfDebugFacts facts;
  QString error;
  if (!ReadElfDebugFacts(program, facts, error)) {
    std::fprintf(stderr, "vimek-makerdbg: %s\n", qPrintable(error));
    return 1;
  }
  QSaveFile output(QString::fromLocal8Bit(argv[2]));
  if (!output.open(QIODevice::WriteOnly) ||
      output.write(BinaryDebugData(facts, QFileInfo(program).completeBaseName())) < 0 || !output.commit()) {
    std::fprintf(stderr, "vimek-makerdbg: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
