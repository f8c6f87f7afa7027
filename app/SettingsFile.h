#pragma once
#include "util/IniFiles.h"
#include <QtCore/QString>

// The program's settings file: the program's path with the extension ".ini",
// section "Settings". Each call reads or writes the file at once; it holds the
// database password, so the file is written readable by its owner only.
class TSettingsFile {
public:
  explicit TSettingsFile(const QString& fileName);

  // Throws EIniFileError (with the path, in Slovak) when the file exists but
  // is not readable as a settings file; nothing is then written to it.
  void CheckReadable() const { file_.CheckReadable(); }
  // The value of the key in section "Settings"; empty when missing.
  QString ReadString(const QString& key) const;
  // Any non-zero integer reads as true; a text that is not a number as false.
  bool ReadBool(const QString& key) const;
  void WriteString(const QString& key, const QString& value);
  // Writes 1 or 0.
  void WriteBool(const QString& key, bool value);

private:
  TIniFile file_;
};

// The settings file of this program: its path with ".ini" in place of the extension.
QString SettingsFilePath();
