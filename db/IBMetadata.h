#pragma once
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>

class TIBDatabase;

// One index of a table: its fields in segment order. An index on an
// expression has no fields.
struct TIBIndexDef {
  QString Name;
  QStringList Fields;
  bool Unique = false;
  bool Descending = false;
};

// What the connected database's system tables say about its tables; each
// call reads in a read-only transaction of its own and throws the database's
// error when the connection is closed.

// The tables, without views and system tables, sorted by name.
QStringList IBTableNames(TIBDatabase& database);
// The stored name of a table or view: the name itself when stored so, else
// the one equal without regard to case; empty when there is none.
QString IBRelationName(TIBDatabase& database, const QString& name);
// The columns of a table or view in their order.
QStringList IBColumnNames(TIBDatabase& database, const QString& relationName);
// The indexes of a table, sorted by name.
QList<TIBIndexDef> IBIndexDefs(TIBDatabase& database, const QString& relationName);
