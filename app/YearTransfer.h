#pragma once
#include <QtCore/QList>
#include <QtCore/QString>

class TIBQuery;

// The statements of the year rollover, in the caller's queries and
// transaction: each copies the rows of one per-year code list from the year
// before `rok` into year `rok`, each row once (matched by its identifying
// column, empty values included), so that a second run adds nothing. Table
// and column names come from the rollover's fixed list, never from input.
namespace YearTransfer {
// Copies every column of the rows of `table` that year `rok` lacks by
// `keyColumn`, each under a new key from the table's generator, `read`
// reading while `write` inserts; returns the new rows' keys in the order of
// the old ones.
QList<qint64> CopyRows(TIBQuery& read, TIBQuery& write, const QString& table, const QString& keyColumn, int rok);
// Copies the names NAZOV, the only data column of `table`, that year `rok`
// lacks, in one statement.
void CopyNames(TIBQuery& query, const QString& table, int rok);
// Points the six price references of fishing grounds `grounds` (season, day
// and week permits for members and for others) at the price rows of year
// `rok` of the same name; a reference without such a row is kept.
void TranslatePriceReferences(TIBQuery& query, const QList<qint64>& grounds, int rok);
} // namespace YearTransfer
