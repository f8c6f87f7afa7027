#pragma once
#include <QtCore/QByteArray>

// The upgrade package compiled into the program (the "UPDATEZLIB" resource):
// a zlib stream of an XML datapacket with one row per schema version, the
// fields VERSION_NUMBER (integer) and LONG_SCRIPT (memo: one SQL statement
// in code page 1250 with CR LF line ends).
QByteArray UpdatePackageZlib();

// The number of scripts in the package: the schema version the program
// supports (also the build's VIMEK_SCHEMA_SCRIPT_COUNT).
int UpdatePackageScriptCount();

// Inflates a zlib stream; throws EStreamError when it is damaged or cut short.
QByteArray InflateZlib(const QByteArray& compressed);
