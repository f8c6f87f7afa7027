// Arbitrary bytes as the registry stand-in's file, which another process or
// the user may have damaged. Every key and value listed reads back; a write
// reads back and keeps every value that was readable before, also for a
// second store reading the written file, and a copy kept of a damaged file
// holds its bytes unchanged.
#include "fuzz/FuzzTempFolder.h"
#include "platform/base/Registry.h"
#include <QtCore/QFile>
#include <QtCore/QMap>
#include <cstdlib>

namespace {

using TValues = QMap<QString, TRegValue>;

// The values under `key`, at most a few levels and names deep, by folded path.
void ReadAll(const TRegistry& registry, const QString& key, int depth, TValues& values) {
  if (!registry.KeyExists(key)) std::abort();
  const auto names = registry.ValueNames(key);
  const auto subKeys = registry.SubKeyNames(key);
  if (!names || !subKeys) std::abort();
  for (const QString& name : names->mid(0, 16)) {
    const auto value = registry.ReadValue(key, name);
    if (!value) std::abort();
    values.insert(QString(key + QLatin1Char('|') + name).toCaseFolded(), *value);
  }
  if (depth == 0) return;
  for (const QString& subKey : subKeys->mid(0, 8))
    ReadAll(registry, key + QLatin1Char('\\') + subKey, depth - 1, values);
}

TValues ReadAll(const TRegistry& registry) {
  TValues values;
  ReadAll(registry, QString(), 4, values);
  return values;
}

void ExpectKept(const TValues& before, const TValues& after) {
  for (auto it = before.cbegin(); it != before.cend(); ++it)
    if (after.value(it.key()) != it.value()) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString path = FuzzTempFolder().filePath(QStringLiteral("registry-user.json"));
  {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
  }
  const QString copy = path + QStringLiteral(".damaged");
  QFile::remove(copy);
  TRegistry registry(path);
  const TValues before = ReadAll(registry);
  const QString key = QStringLiteral("Software\\Vimek\\Fuzz");
  const TRegValue value = TRegValue::String(QStringLiteral("hodnota ľščť"));
  if (!registry.WriteValue(key, QStringLiteral("Text"), value, true)) std::abort();
  if (registry.ReadValue(key, QStringLiteral("text")) != value) std::abort();
  const TValues after = ReadAll(registry);
  TValues others = before;
  others.remove(QStringLiteral("\\software\\vimek\\fuzz|text"));
  ExpectKept(others, after);
  ExpectKept(after, ReadAll(TRegistry(path)));
  // What was not read whole is kept as it was.
  QFile kept(copy);
  if (kept.open(QIODevice::ReadOnly) && kept.readAll() != QByteArrayView(data, qsizetype(size))) std::abort();
  return 0;
}
