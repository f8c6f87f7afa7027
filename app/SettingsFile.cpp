#include "app/SettingsFile.h"
#include "app/AppContext.h"
#include "util/IniFiles.h"
#include <QtCore/QFileInfo>

namespace {
const QString kSection = QStringLiteral("Settings");
}

QString TSettingsFile::ReadString(const QString& key) const { return IniFileReadString(fileName_, kSection, key); }

bool TSettingsFile::ReadBool(const QString& key) const { return IniFileReadBool(fileName_, kSection, key); }

void TSettingsFile::WriteString(const QString& key, const QString& value) {
  IniFileWriteString(fileName_, kSection, key, value);
}

void TSettingsFile::WriteBool(const QString& key, bool value) { IniFileWriteBool(fileName_, kSection, key, value); }

QString SettingsFilePath() {
  const QFileInfo program(ProgramFilePath());
  return program.path() + QLatin1Char('/') + program.completeBaseName() + QStringLiteral(".ini");
}
