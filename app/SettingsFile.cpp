#include "app/SettingsFile.h"
#include "app/AppContext.h"
#include <QtCore/QFileInfo>

namespace {
const QString kSection = QStringLiteral("Settings");
}

TSettingsFile::TSettingsFile(const QString& fileName) : file_(fileName) { file_.SetOwnerOnly(true); }

QString TSettingsFile::ReadString(const QString& key) const { return file_.ReadString(kSection, key); }

bool TSettingsFile::ReadBool(const QString& key) const { return file_.ReadBool(kSection, key); }

void TSettingsFile::WriteString(const QString& key, const QString& value) { file_.WriteString(kSection, key, value); }

void TSettingsFile::WriteBool(const QString& key, bool value) { file_.WriteBool(kSection, key, value); }

QString SettingsFilePath() {
  const QFileInfo program(ProgramFilePath());
  return program.path() + QLatin1Char('/') + program.completeBaseName() + QStringLiteral(".ini");
}
