#pragma once
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QVariant>

class TIBDatabase;

// Runs one statement with bound values in its own committed transaction.
void ExecCommitted(TIBDatabase& database, const QString& sql, const QVariantMap& params = {});

// The rows of a select (each a list of column values) read in its own transaction.
QList<QVariantList> SelectRows(TIBDatabase& database, const QString& sql, const QVariantMap& params = {});
