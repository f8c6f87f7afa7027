#include "util/RtFileUtils.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>

namespace {

bool IsSeparator(QChar c) { return c == QLatin1Char('\\') || c == QLatin1Char('/'); }

QChar SeparatorOf(const QString& path) {
  return path.contains(QLatin1Char('/')) && !path.contains(QLatin1Char('\\')) ? QLatin1Char('/') : QLatin1Char('\\');
}

qsizetype LastSeparator(const QString& path) {
  return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}

} // namespace

QString PathAddBackslash(const QString& path) {
  if (!path.isEmpty() && IsSeparator(path.back())) return path;
  return path + SeparatorOf(path);
}

QString PathRemoveBackslash(const QString& path) {
  return !path.isEmpty() && IsSeparator(path.back()) ? path.chopped(1) : path;
}

QString DirectoryWithBackslash(const QString& fileName) {
  const qsizetype cut = std::max(LastSeparator(fileName), fileName.indexOf(QLatin1Char(':')));
  return cut < 0 ? QString() : PathAddBackslash(fileName.left(cut + 1));
}

QString FileNameWithoutExtension(const QString& fileName) {
  const QString name = fileName.mid(LastSeparator(fileName) + 1);
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? name : name.left(dot);
}

QString PathRemoveExtension(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  const qsizetype other = std::max(LastSeparator(name), name.lastIndexOf(QLatin1Char(':')));
  return dot > other ? name.left(dot) : name;
}

QString PathToNative(const QString& path) {
  QString native = path;
  native.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return native;
}

qint64 FileSizeByName(const QString& fileNameOrPattern) {
  const QString native = PathToNative(fileNameOrPattern);
  const QFileInfo info(native);
  const QString pattern = info.fileName();
  if (pattern.isEmpty()) return -1;
  if (!pattern.contains(QLatin1Char('*')) && !pattern.contains(QLatin1Char('?')))
    return info.exists() ? (info.isDir() ? 0 : info.size()) : -1;
  const QDir folder = info.dir();
  const QFileInfoList matches = folder.entryInfoList(
      {pattern}, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  if (matches.isEmpty()) return -1;
  return matches.first().isDir() ? 0 : matches.first().size();
}

bool FileExistsBySize(const QString& fileName) { return FileSizeByName(fileName) != -1; }

QString FindUnusedFileName(const QString& base, const QString& extension, const QString& separator) {
  QString name = base + QLatin1Char('.') + extension;
  for (int n = 1; FileExistsBySize(name); ++n)
    name = base + separator + QString::number(n) + QLatin1Char('.') + extension;
  return name;
}

QString ModuleFileName() { return QCoreApplication::applicationFilePath(); }
