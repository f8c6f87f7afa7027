#pragma once
#include "core/Exception.h"
#include <QtCore/QString>
#include <QtCore/QStringList>

// Private-profile INI files as the program's settings file uses them: one
// "[Section]" line, then "key=value" lines. Section and key names are
// compared without regard to case; values are stored exactly as given, with
// no escaping, and read back with the blanks around them and one pair of
// enclosing quotes removed. Lines are CR LF; the file is code page 1250 (or
// UTF-8 with a byte-order mark when a value holds a character that 1250
// lacks, so that no value is ever damaged).

// Raised when the file cannot be written, or a value would break the file's
// line structure.
class EIniFileError : public Exception {
public:
  using Exception::Exception;
};

// Every call reads the file afresh; every write rewrites it atomically.
class TIniFile {
public:
  explicit TIniFile(QString fileName) : fileName_(std::move(fileName)) {}
  const QString& FileName() const { return fileName_; }
  // Every write leaves the file, and its temporary copy from the start,
  // readable and writable by the owner only (a file that holds a password).
  void SetOwnerOnly(bool ownerOnly) { ownerOnly_ = ownerOnly; }

  QString ReadString(const QString& section, const QString& key, const QString& defaultValue = {}) const;
  // Decimal, or hexadecimal after "0x" or "$"; the default for anything else.
  int ReadInteger(const QString& section, const QString& key, int defaultValue = 0) const;
  // ReadInteger(...) != 0.
  bool ReadBool(const QString& section, const QString& key, bool defaultValue = false) const;

  void WriteString(const QString& section, const QString& key, const QString& value);
  void WriteInteger(const QString& section, const QString& key, int value);
  // Writes "1" or "0".
  void WriteBool(const QString& section, const QString& key, bool value);

  // Throws EIniFileError naming the file when it exists but is not the text
  // of an INI file (binary bytes, invalid UTF-8 after its mark, lines that
  // are neither sections, keys nor comments); a missing file is fine.
  void CheckReadable() const;

  bool SectionExists(const QString& section) const;
  bool ValueExists(const QString& section, const QString& key) const;
  // The key names of the section, in file order.
  QStringList ReadSection(const QString& section) const;
  QStringList ReadSections() const;
  void EraseSection(const QString& section);
  void DeleteKey(const QString& section, const QString& key);

private:
  struct TContent;
  TContent Load() const;
  void Save(const TContent& content) const;

  QString fileName_;
  bool ownerOnly_ = false;
};

// One-call access: each opens the file, does one thing and closes it.
bool IniFileReadBool(const QString& fileName, const QString& section, const QString& key);
QString IniFileReadString(const QString& fileName, const QString& section, const QString& key);
void IniFileWriteBool(const QString& fileName, const QString& section, const QString& key, bool value);
void IniFileWriteString(const QString& fileName, const QString& section, const QString& key, const QString& value);
