#pragma once
#include <QtCore/QString>
#include <QtCore/QStringList>

// The base database: the tables, domains, procedures, server-function
// stand-ins and option-list rows that exist before upgrade script 1.

// The base script's text (isql syntax: statements end with the current
// terminator, "SET TERM" changes it).
QString BaseScriptText();

// The statements of a script in isql syntax, without terminators, comments
// before a statement or "SET TERM" lines. Terminators inside string literals
// and comments do not count.
QStringList SplitScript(const QString& script);

// Creates a new database file at `path` (WIN1250, dialect 3) and runs the base
// script in it, one committed transaction per statement; the result is a
// database at schema version 0. Throws EIBInterBaseError when the file exists
// or a statement fails.
void CreateDatabaseFromBaseScript(const QString& path);
