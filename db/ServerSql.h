#pragma once
#include <QtCore/QString>
#include <QtCore/QStringList>

class TIBQuery;

// The statement texts that only this server understands: keys taken from
// generators, a generator set back, and a row written whether it exists or
// not. The layers above ask here instead of writing such text themselves.
// Names are identifiers of the schema, never text from a user; a name that
// is no identifier is refused with EIBError, except a name read from the
// catalogue, which is quoted.
namespace ServerSql {
// The name, when it is a plain identifier that may be pasted into a statement.
const QString& CheckedName(const QString& name);
// The next key of `generator` as a value inside another statement.
QString NextKey(const QString& generator);
// A select of one row whose only column is the generator's next key.
QString SelectNextKey(const QString& generator);
// Sets the generator back, so that its next key is 1.
QString ResetGenerator(const QString& generator);
// A name read from the database's catalogue, quoted so that it stands for
// exactly that object whatever its spelling.
QString QuotedName(const QString& catalogueName);
// Sets the generator the catalogue names so, so that its next key is
// `value` + 1.
QString SetGenerator(const QString& catalogueName, qint64 value);
// Writes the row whose `keyColumn` equals its bound value: inserted when no
// such row exists, updated otherwise; every column takes the parameter of
// its own name (":COLUMN"), the key column included.
QString UpdateOrInsert(const QString& table, const QStringList& columns, const QString& keyColumn);
} // namespace ServerSql

// Takes the generator's next key in the query's transaction, as the insert
// that follows needs it.
int TakeNextKey(TIBQuery& query, const QString& generator);
