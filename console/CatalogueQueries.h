#pragma once
#include <QtCore/QString>
#include <QtCore/QStringList>

class TIBQuery;

// The service console's statements on the database's catalogue and on
// tables named by it, run in the caller's query and transaction. Names come
// as the catalogue spells them (without its padding) and are quoted.

// The user generators whose name contains "_ID", by name.
QStringList KeyGeneratorNames(TIBQuery& query);
// Every index, the system's and the user's, by name.
QStringList IndexNames(TIBQuery& query);
// The user tables (no views, no system tables), by name.
QStringList UserTableNames(TIBQuery& query);
// The highest key JEDIN of the table; 0 for an empty table.
qint64 HighestKey(TIBQuery& query, const QString& table);
// Recomputes the selectivity of the index.
void RecomputeIndexStatistics(TIBQuery& query, const QString& index);
// The number of rows of the table.
qint64 RowCount(TIBQuery& query, const QString& table);

// The SQL console's table list: RDB$RELATION_ID and TABULKA, by name; the
// system tables and the views only when asked for.
QString TableListSql(bool systemTables, bool views);
// The select of every row of a table, named as the console writes it.
QString BrowseTableSql(const QString& tableReference);
