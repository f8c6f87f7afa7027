#include "util/RtShell.h"
#include "platform/base/DesktopEntry.h"
#include "platform/base/SpecialFolders.h"
#include "util/RtFileUtils.h"

qint32 CreateShellLinkInFolder(const TShellLink& link, int specialFolder, const QString& fileName) {
  const QString folder = SpecialFolders::Path(specialFolder);
  if (folder.isEmpty()) return kShellInvalidArg;
  QString name = PathToNative(fileName);
  if (name.endsWith(QLatin1String(".lnk"), Qt::CaseInsensitive)) name.chop(4);
  if (!name.endsWith(QLatin1String(".desktop"))) name += QLatin1String(".desktop");
  const TDesktopEntry entry{
      FileNameWithoutExtension(name),      PathToNative(link.Target), link.Arguments,
      PathToNative(link.WorkingDirectory), link.Description,          PathToNative(link.IconLocation)};
  return DesktopEntry::Write(folder + QLatin1Char('/') + name, entry) ? kShellOk : kShellFail;
}
