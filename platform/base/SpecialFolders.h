#pragma once
#include <QtCore/QString>

// The shell's special folders by their Windows numbers, mapped onto the
// freedesktop folders (QStandardPaths).
namespace SpecialFolders {

constexpr int Desktop = 0x00;
constexpr int Programs = 0x02;
constexpr int Personal = 0x05;
constexpr int Startup = 0x07;
constexpr int DesktopDirectory = 0x10;
constexpr int AppData = 0x1A;
constexpr int LocalAppData = 0x1C;
constexpr int MyPictures = 0x27;

// The folder's file-system path without a trailing separator; empty for a
// number that has no file-system folder here.
QString Path(int folder);

} // namespace SpecialFolders
