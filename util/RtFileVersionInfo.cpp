#include "util/RtFileVersionInfo.h"
#include "platform/base/ProgramVersion.h"
#include "util/RtErrors.h"
#include "util/RtFileUtils.h"
#include <QtCore/QFileInfo>

namespace {

const char* const kStandardKeys[] = {"Comments",     "CompanyName",    "FileDescription", "FileVersion",
                                     "InternalName", "LegalCopyright", "LegalTrademarks", "OriginalFilename",
                                     "PrivateBuild", "ProductName",    "ProductVersion",  "SpecialBuild"};

bool IsProgramFile(const QString& fileName) {
  const QString program = QFileInfo(ModuleFileName()).canonicalFilePath();
  return !program.isEmpty() && QFileInfo(PathToNative(fileName)).canonicalFilePath() == program;
}

TVSFixedFileInfo ProgramFixedInfo() {
  const TProgramVersion version = ProgramVersion();
  TVSFixedFileInfo info;
  info.dwSignature = TVSFixedFileInfo::kSignature;
  info.dwStrucVersion = 0x00010000;
  info.dwFileVersionMS = info.dwProductVersionMS = quint32(version.Major) << 16 | version.Minor;
  info.dwFileVersionLS = info.dwProductVersionLS = quint32(version.Release) << 16 | version.Build;
  info.dwFileFlagsMask = 0x3F;
  info.dwFileType = 1; // application
  return info;
}

} // namespace

bool FileHasVersionInfo(const QString& fileName) { return IsProgramFile(fileName); }

bool ReadFixedFileInfo(const QString& fileName, TVSFixedFileInfo& info) {
  if (!IsProgramFile(fileName)) return false;
  info = ProgramFixedInfo();
  return true;
}

TRtFileVersionInfo::TRtFileVersionInfo(const QString& fileName) {
  if (!ReadFixedFileInfo(fileName, fixed_)) throw ERtFileVersionInfoError();
  const QString name = QFileInfo(ModuleFileName()).fileName();
  const QString version = ProgramVersion().Text();
  items_ = {QStringLiteral("FileDescription=Vimek"), QStringLiteral("FileVersion=") + version,
            QStringLiteral("InternalName=") + name,  QStringLiteral("OriginalFilename=") + name,
            QStringLiteral("ProductName=Vimek"),     QStringLiteral("ProductVersion=") + version};
  translations_ = {QStringLiteral("041B04E2")}; // Slovak, code page 1250
}

QString TRtFileVersionInfo::FixedFileVersionText() const {
  return QStringLiteral("%1.%2.%3.%4")
      .arg(fixed_.dwFileVersionMS >> 16)
      .arg(fixed_.dwFileVersionMS & 0xFFFF)
      .arg(fixed_.dwFileVersionLS >> 16)
      .arg(fixed_.dwFileVersionLS & 0xFFFF);
}

QString TRtFileVersionInfo::StringValueByIndex(int index) const {
  if (index < 1 || index > int(std::size(kStandardKeys))) return {};
  const QString prefix = QLatin1String(kStandardKeys[index - 1]) + QLatin1Char('=');
  for (const QString& item : items_)
    if (item.startsWith(prefix)) return item.mid(prefix.size());
  return {};
}
