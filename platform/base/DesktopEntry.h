#pragma once
#include <QtCore/QString>

// A desktop shortcut as a freedesktop ".desktop" file (the stand-in for a
// shell link): the program to start, its arguments and working folder, a
// name, a comment and an icon.
struct TDesktopEntry {
  QString Name;
  QString Target;
  QString Arguments; // a command line; split like a shell would split it
  QString WorkingDirectory;
  QString Comment;
  QString Icon;
};

namespace DesktopEntry {

// The file's text (UTF-8 "[Desktop Entry]" group, values escaped, Exec quoted).
QString Text(const TDesktopEntry& entry);

// Writes the file atomically and marks it executable (desktops start only
// trusted entries); false when it cannot be written.
bool Write(const QString& filePath, const TDesktopEntry& entry);

} // namespace DesktopEntry
