#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QString>

class TIBQuery;
class TIBSQL;
class TUxMemoryData;
class TXMLDataset;

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

// Reads a zlib-packed package into `md` with the datapacket reader (packet
// version 2 at most). A damaged stream or packet leaves only the rows read
// before the damage; returns the text of the problem, empty when none.
QString LoadUpdatePackage(const QByteArray& packageZlib, TXMLDataset& reader, TUxMemoryData& md);

// Runs upgrade script `version` with `ibs` and records it in DATABASE_UPDATES
// with `ib1`, both in their (active) transaction; the caller commits, so the
// script and its row become visible together.
void ApplyUpgradeScript(TIBSQL& ibs, TIBQuery& ib1, int version, const QString& script);

// Brings the database file from its version to the supported version with
// the compiled-in package, one committed transaction per script. For test
// fixtures and tools; the program upgrades through its upgrade form.
void UpgradeToSupportedVersion(const QString& path);

// A new database from the base script, upgraded to the supported version.
void CreateUpgradedDatabase(const QString& path);
