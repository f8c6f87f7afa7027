#pragma once
#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

// A temporary folder for targets that read their input from a file and write
// it back: in memory where the system has such a folder, since every save
// syncs the file and a disk would make each run slow.
inline const QTemporaryDir& FuzzTempFolder() {
  static const QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                        ? QStringLiteral("/dev/shm/vimek-fuzz-XXXXXX")
                                        : QDir::tempPath() + QStringLiteral("/vimek-fuzz-XXXXXX"));
  return folder;
}
