// vimek-createdb <path>: lays down a new database from the base script, as an
// installer would; the program upgrades it to the supported version on start.
#include "core/Exception.h"
#include "schema/BaseScript.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: vimek-createdb <database file>\n");
    return 2;
  }
  const QString path = QFileInfo(args[1]).absoluteFilePath();
  if (QFileInfo::exists(path)) {
    std::fprintf(stderr, "vimek-createdb: %s already exists\n", qPrintable(path));
    return 1;
  }
  try {
    CreateDatabaseFromBaseScript(path);
  } catch (const Exception& e) {
    std::fprintf(stderr, "vimek-createdb: %s\n", e.what());
    QFile::remove(path);
    return 1;
  }
  return 0;
}
