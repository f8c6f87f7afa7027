// Writes the fixture library's debug data: crash_fixture_blobs <folder>
// makes rtdebug.bin and td32.bin there.
#include "FixtureDebugData.h"
#include <QtCore/QFile>
#include <cstdio>

namespace {

bool Write(const QString& fileName, const QByteArray& data) {
  QFile file(fileName);
  return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) return 2;
  const QString folder = QString::fromLocal8Bit(argv[1]);
  if (!Write(folder + QStringLiteral("/rtdebug.bin"), FixtureBinaryDebugData()) ||
      !Write(folder + QStringLiteral("/td32.bin"), FixtureTD32Data())) {
    std::fprintf(stderr, "crash_fixture_blobs: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
