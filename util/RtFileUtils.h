#pragma once
#include <QtCore/QString>

// File-name, path and file-size routines. The program's stored paths are
// Windows-style ("Data\Vimek.fdb"): these routines accept both "\" and "/"
// as separators. A separator they add is "/" when the path already uses "/"
// and no "\", else "\"; PathToNative turns a stored path into a local one.

// The path with a trailing separator unless it ends with one (an empty path
// gives a lone backslash).
QString PathAddBackslash(const QString& path);
// The path without one trailing separator.
QString PathRemoveBackslash(const QString& path);
// The file's folder with a trailing separator ("" for a bare name).
QString DirectoryWithBackslash(const QString& fileName);
// The file's name without folder and extension.
QString FileNameWithoutExtension(const QString& fileName);
// The text before the last "." when the last of ":", ".", "\" and "/" is a
// "."; otherwise unchanged.
QString PathRemoveExtension(const QString& name);
// Backslashes turned into "/", for opening a stored path on this system.
QString PathToNative(const QString& path);

// The size in bytes of the first file or folder that matches the name or
// pattern ("*" and "?" in the last part), hidden ones included, folders 0;
// -1 when nothing matches. 64-bit, so that backups above 2 GB report truly.
qint64 FileSizeByName(const QString& fileNameOrPattern);
bool FileExistsBySize(const QString& fileName);
// base + "." + extension, or the first base + separator + n + "." + extension
// (n = 1, 2, ...) for which FileExistsBySize is false.
QString FindUnusedFileName(const QString& base, const QString& extension, const QString& separator);

// The running program's full path.
QString ModuleFileName();
