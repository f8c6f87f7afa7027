#pragma once
#include <QtCore/QString>

// The program's own version: major.minor.release.build, whose third number is
// the database schema version that the program supports (the number of
// upgrade scripts it carries).
struct TProgramVersion {
  quint16 Major = 0;
  quint16 Minor = 0;
  quint16 Release = 0;
  quint16 Build = 0;

  // "major.minor.release.build".
  QString Text() const;
};

// The version compiled into this program.
TProgramVersion ProgramVersion();

// The supported database schema version (ProgramVersion().Release).
int SupportedSchemaVersion();
