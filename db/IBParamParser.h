#pragma once
#include <QtCore/QString>
#include <QtCore/QStringList>

// A statement with its named parameters replaced by positional markers.
struct TIBParsedSql {
  // The text with every ":NAME" outside strings, quoted names and comments replaced by "?".
  QString Sql;
  // The name of each marker in order, upper-cased; a name used twice appears twice.
  QStringList Names;
};

// Finds the named parameters (":NAME", letters, digits, "_" and "$") of a
// statement. Text inside '...' literals, "..." identifiers, -- and /* */
// comments is left as it is.
TIBParsedSql ParseParams(const QString& sql);
