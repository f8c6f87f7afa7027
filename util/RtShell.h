#pragma once
#include <QtCore/QString>

// Desktop shortcuts: a shell link is written as a ".desktop" file.

struct TShellLink {
  QString Arguments;
  qint32 ShowCmd = 0;
  QString WorkingDirectory;
  QString Target;
  QString Description;
  QString IconLocation;
  qint32 IconIndex = 0;
  quint16 HotKey = 0;
};

constexpr qint32 kShellOk = 0;
constexpr qint32 kShellFail = qint32(0x80004005);
constexpr qint32 kShellInvalidArg = qint32(0x80070057);

// Saves the link in the special folder (SpecialFolders numbers; the desktop
// is 0) under the file name, its ".lnk" extension replaced by ".desktop".
// kShellOk, kShellFail when the file cannot be written, kShellInvalidArg when
// the folder has no file-system path. Show command, icon index and hot key
// have no counterpart in a desktop entry and are not stored.
qint32 CreateShellLinkInFolder(const TShellLink& link, int specialFolder, const QString& fileName);
