#pragma once
#include <QtCore/QString>

// The display texts of the editor library.
namespace CodeEditStrings {

inline QString ShortcutAlreadyExists() { return QStringLiteral("Shortcut already exists"); }
// The scroll hint: the top line, or the first and the last visible line.
inline QString ScrollHintTopLine() { return QStringLiteral("Top Line: %1"); }
inline QString ScrollHintTopToBottom() { return QStringLiteral("%1 - %2"); }

// The SQL highlighter's attribute names, file filter and language name.
inline QString AttrComment() { return QStringLiteral("Comment"); }
inline QString AttrConditionalComment() { return QStringLiteral("Conditional Comment"); }
inline QString AttrDataType() { return QStringLiteral("Data Type"); }
inline QString AttrDefaultPackages() { return QStringLiteral("Default Packages"); }
inline QString AttrDelimitedIdentifier() { return QStringLiteral("Delimited Identifier"); }
inline QString AttrException() { return QStringLiteral("Exception"); }
inline QString AttrFunction() { return QStringLiteral("Function"); }
inline QString AttrIdentifier() { return QStringLiteral("Identifier"); }
inline QString AttrNumber() { return QStringLiteral("Number"); }
inline QString AttrPlSqlReservedWord() { return QStringLiteral("PL/SQL Reserved Word"); }
inline QString AttrReservedWord() { return QStringLiteral("Reserved Word"); }
inline QString AttrSpace() { return QStringLiteral("Space"); }
inline QString AttrSqlPlusCommand() { return QStringLiteral("SQL*Plus Command"); }
inline QString AttrString() { return QStringLiteral("String"); }
inline QString AttrSymbol() { return QStringLiteral("Symbol"); }
inline QString AttrTableName() { return QStringLiteral("Table Name"); }
inline QString AttrVariable() { return QStringLiteral("Variable"); }
inline QString SqlFilter() { return QStringLiteral("SQL Files (*.sql)|*.sql"); }
inline QString SqlLanguageName() { return QStringLiteral("SQL"); }

} // namespace CodeEditStrings
