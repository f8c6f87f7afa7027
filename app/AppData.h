#pragma once
#include <QtCore/QString>
#include <QtCore/QVariant>

class TIBQuery;

// The statements the program runs on its own tables (schema version, server
// function library, selection sets, settings, the catalogue's table formats), in the caller's query and
// transaction, so that the windows hold none of them.
namespace AppData {
// max(VERSION) of DATABASE_UPDATES; 0 for a table without rows.
int SchemaVersion(TIBQuery& query);
// The version text of the server function library ("1.4").
QString FunctionLibraryVersion(TIBQuery& query);
// The highest record format of any table (a table altered often nears the
// server's limit of 255 formats).
int HighestTableFormat(TIBQuery& query);
// Empties the selection sets of every workstation and sets their key
// generator back; run it only while this program is the only attachment.
void PurgeSelectionSets(TIBQuery& query);
// The column "text" or "cislo" of the settings row `key`; Null when the row
// or its value is missing.
QVariant Setting(TIBQuery& query, const QString& column, const QString& key);
// Writes the settings row `key` (added when missing) with its text and number.
void WriteSetting(TIBQuery& query, const QString& key, const QString& text, const QVariant& number);
// True when the register of local organisations has a row.
bool AnyOrganization(TIBQuery& query);
} // namespace AppData
