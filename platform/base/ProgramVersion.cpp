#include "platform/base/ProgramVersion.h"

// The build passes these in (see platform/base/CMakeLists.txt); the schema
// version is the count of upgrade scripts that schema/ publishes.
#ifndef VIMEK_VERSION_MAJOR
#define VIMEK_VERSION_MAJOR 1
#endif
#ifndef VIMEK_VERSION_MINOR
#define VIMEK_VERSION_MINOR 0
#endif
#ifndef VIMEK_SCHEMA_VERSION
#define VIMEK_SCHEMA_VERSION 0
#endif
#ifndef VIMEK_BUILD_NUMBER
#define VIMEK_BUILD_NUMBER 0
#endif

QString TProgramVersion::Text() const {
  return QStringLiteral("%1.%2.%3.%4").arg(Major).arg(Minor).arg(Release).arg(Build);
}

TProgramVersion ProgramVersion() {
  return {quint16(VIMEK_VERSION_MAJOR), quint16(VIMEK_VERSION_MINOR), quint16(VIMEK_SCHEMA_VERSION),
          quint16(VIMEK_BUILD_NUMBER)};
}

int SupportedSchemaVersion() { return ProgramVersion().Release; }
