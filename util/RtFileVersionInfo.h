#pragma once
#include <QtCore/QString>
#include <QtCore/QStringList>

// Version information of files. Executables here carry no version resource;
// the one file with version information is the running program, whose
// version is compiled in (ProgramVersion). Any other file has none.

// The fixed part of a version resource (52 bytes, 13 DWORDs).
struct TVSFixedFileInfo {
  static constexpr quint32 kSignature = 0xFEEF04BD;
  quint32 dwSignature = 0;
  quint32 dwStrucVersion = 0;
  quint32 dwFileVersionMS = 0;
  quint32 dwFileVersionLS = 0;
  quint32 dwProductVersionMS = 0;
  quint32 dwProductVersionLS = 0;
  quint32 dwFileFlagsMask = 0;
  quint32 dwFileFlags = 0;
  quint32 dwFileOS = 0;
  quint32 dwFileType = 0;
  quint32 dwFileSubtype = 0;
  quint32 dwFileDateMS = 0;
  quint32 dwFileDateLS = 0;
};
static_assert(sizeof(TVSFixedFileInfo) == 52);

bool FileHasVersionInfo(const QString& fileName);
// True and the fixed part when the file has version information.
bool ReadFixedFileInfo(const QString& fileName, TVSFixedFileInfo& info);

class TRtFileVersionInfo {
public:
  enum TFileFlag {
    ffDebug = 0x01,
    ffPreRelease = 0x02,
    ffPatched = 0x04,
    ffPrivateBuild = 0x08,
    ffInfoInferred = 0x10,
    ffSpecialBuild = 0x20
  };

  // Reads the file's version information; ERtFileVersionInfoError when it has none.
  explicit TRtFileVersionInfo(const QString& fileName);

  const TVSFixedFileInfo& FixedInfo() const { return fixed_; }
  // The flags set in the fixed part (TFileFlag bits).
  quint32 FileFlags() const { return fixed_.dwFileFlags & fixed_.dwFileFlagsMask; }
  // "%u.%u.%u.%u" of the fixed file version.
  QString FixedFileVersionText() const;
  // The value of the n-th standard key of the string table, empty when absent:
  // 1 Comments, 2 CompanyName, 3 FileDescription, 4 FileVersion, 5 InternalName,
  // 6 LegalCopyright, 7 LegalTrademarks, 8 OriginalFilename, 9 PrivateBuild,
  // 10 ProductName, 11 ProductVersion, 12 SpecialBuild.
  QString StringValueByIndex(int index) const;
  // "key=value" entries of the string table.
  const QStringList& Items() const { return items_; }
  // Language and code page pairs as "041B04E2".
  const QStringList& Translations() const { return translations_; }

private:
  TVSFixedFileInfo fixed_;
  QStringList items_;
  QStringList translations_;
};
