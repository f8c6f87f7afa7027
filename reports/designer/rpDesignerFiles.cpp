#include "reports/designer/rpDesignerFiles.h"
#include "reports/designer/rpDesigner.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <algorithm>

namespace {

bool EndsWithSeparator(const QString& folder) {
  return folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'));
}

} // namespace

QString rpTemplateFolder(const TrpDesigner* designer) {
  QString folder =
      designer && !designer->TemplateDir.isEmpty() ? designer->TemplateDir : QCoreApplication::applicationDirPath();
  if (!EndsWithSeparator(folder)) folder += QLatin1Char('/');
  return folder;
}

QStringList rpTemplateFiles(const QString& folder) {
  QDir dir(folder);
  QFileInfoList found =
      dir.entryInfoList(QStringList{QStringLiteral("*.rpt")}, QDir::Files | QDir::Readable, QDir::NoSort);
  // The name filter ignores case on some systems only.
  found.erase(std::remove_if(found.begin(), found.end(),
                             [](const QFileInfo& info) {
                               return info.suffix().compare(QLatin1String("rpt"), Qt::CaseInsensitive) != 0;
                             }),
              found.end());
  std::sort(found.begin(), found.end(), [](const QFileInfo& a, const QFileInfo& b) {
    return a.completeBaseName().compare(b.completeBaseName(), Qt::CaseInsensitive) < 0;
  });
  QStringList files;
  for (const QFileInfo& info : found)
    files << info.filePath();
  return files;
}

QString rpWithExtension(const QString& fileName, const QString& extension) {
  const QFileInfo info(fileName);
  const QString suffix = info.suffix();
  const QString base = suffix.isEmpty() ? fileName : fileName.left(fileName.size() - suffix.size() - 1);
  return base + extension;
}

QString rpTemplateTarget(const QString& fileName, const QString& templateDir) {
  const QString target = rpWithExtension(fileName, QStringLiteral(".rpt"));
  if (templateDir.isEmpty()) return target;
  QString folder = templateDir;
  if (!EndsWithSeparator(folder)) folder += QLatin1Char('/');
  return folder + QFileInfo(target).fileName();
}

TrpSaveKind rpSaveKindOfFilter(int filterIndex) {
  return filterIndex >= 1 && filterIndex <= 4 ? TrpSaveKind(filterIndex) : TrpSaveKind::Template;
}

QRect rpPicturePreviewRect(QSize picture, QSize area) {
  if (picture.width() <= area.width() && picture.height() <= area.height())
    return QRect(QPoint((area.width() - picture.width()) / 2, (area.height() - picture.height()) / 2), picture);
  return QRect(QPoint(0, 0), area);
}
