#include "platform/base/SpecialFolders.h"
#include <QtCore/QStandardPaths>

namespace SpecialFolders {

QString Path(int folder) {
  auto location = [](QStandardPaths::StandardLocation where) { return QStandardPaths::writableLocation(where); };
  switch (folder) {
  case Desktop:
  case DesktopDirectory:
    return location(QStandardPaths::DesktopLocation);
  case Programs:
    return location(QStandardPaths::ApplicationsLocation);
  case Personal:
    return location(QStandardPaths::DocumentsLocation);
  case Startup:
    return location(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
  case AppData:
    return location(QStandardPaths::GenericConfigLocation);
  case LocalAppData:
    return location(QStandardPaths::GenericDataLocation);
  case MyPictures:
    return location(QStandardPaths::PicturesLocation);
  default:
    return {};
  }
}

} // namespace SpecialFolders
