#pragma once
#include <QtCore/QString>
#include <QtCore/QVariantMap>
#include <optional>

class TDialogPattern;

// The first column of the first row of `sql` with its values bound, read as
// one unit of work on the dialog's transaction (a proposed number, a count);
// 0 when no row comes; nothing when a database error stopped it (the error
// handler has told the user).
std::optional<qint64> SelectNumber(TDialogPattern& dlg, const QString& sql, const QVariantMap& params);
// The first row of `sql` with its values bound, column name to value (empty
// when no row comes); nothing when a database error stopped it.
std::optional<QVariantMap> SelectRow(TDialogPattern& dlg, const QString& sql, const QVariantMap& params);
// How many other rows than the dialog's own (none for a row not yet saved)
// of `table` meet `condition` with its values; nothing after a database error.
std::optional<qint64> CountOtherRows(TDialogPattern& dlg, const QString& table, const QString& condition,
                                     QVariantMap params);
