// Arbitrary bytes as the settings file (the user edits it, another program
// may damage it). The readability check either passes or refuses with a
// message naming the file; every key listed reads back; and a write to a
// readable file keeps every other value and reads back itself.
#include "fuzz/FuzzTempFolder.h"
#include "util/IniFiles.h"
#include <QtCore/QFile>
#include <QtCore/QMap>
#include <cstdlib>

namespace {

using TValues = QMap<QPair<QString, QString>, QString>;

// Every value reachable through the section and key lists (the first of
// sections with the same name is the one read).
TValues ReadAll(const TIniFile& ini) {
  TValues values;
  for (const QString& section : ini.ReadSections().mid(0, 16)) {
    if (!ini.SectionExists(section)) std::abort();
    for (const QString& key : ini.ReadSection(section).mid(0, 16)) {
      if (!ini.ValueExists(section, key)) std::abort();
      values.insert({section.toCaseFolded(), key.toCaseFolded()}, ini.ReadString(section, key));
      (void)ini.ReadInteger(section, key, -1);
    }
  }
  return values;
}

bool Readable(const TIniFile& ini) {
  try {
    ini.CheckReadable();
    return true;
  } catch (const EIniFileError& e) {
    if (!e.Message().contains(ini.FileName())) std::abort();
    return false;
  }
}

// Writes the value and checks that it reads back and that nothing else changed.
void WriteAndCompare(TIniFile& ini, const QString& section, const QString& key, const QString& value) {
  TValues expected = ReadAll(ini);
  ini.WriteString(section, key, value);
  if (ini.ReadString(section, key) != value || !Readable(ini)) std::abort();
  TValues after = ReadAll(ini);
  expected.remove({section.toCaseFolded(), key.toCaseFolded()});
  after.remove({section.toCaseFolded(), key.toCaseFolded()});
  for (auto it = expected.cbegin(); it != expected.cend(); ++it)
    if (after.value(it.key()) != it.value()) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString path = FuzzTempFolder().filePath(QStringLiteral("Vimek.ini"));
  {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
  }
  TIniFile ini(path);
  const bool readable = Readable(ini);
  const TValues before = ReadAll(ini);
  if (!readable) return 0;
  const QStringList sections = ini.ReadSections();
  if (!sections.isEmpty())
    WriteAndCompare(ini, sections.first(), QStringLiteral("FuzzKey"), QStringLiteral("hodnota ľščť"));
  WriteAndCompare(ini, QStringLiteral("Settings"), QStringLiteral("Password"), QStringLiteral("heslo \u4E2D"));
  if (!before.isEmpty()) WriteAndCompare(ini, before.firstKey().first, before.firstKey().second, QStringLiteral("1"));
  return 0;
}
