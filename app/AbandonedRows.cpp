#include "app/AbandonedRows.h"
#include "app/UnitOfWork.h"
#include "db/IBError.h"
#include "db/IBSQL.h"
#include "db/IBTransaction.h"
#include <QtCore/QList>

namespace {

QList<QString>& Statements() {
  static QList<QString> statements;
  return statements;
}

} // namespace

void RegisterAbandonedRows(const QString& table, const QString& condition) {
  const QString statement = QStringLiteral("delete from ") + table + QStringLiteral(" where ") + condition;
  if (!Statements().contains(statement)) Statements().append(statement);
}

void DeleteAbandonedRows(TIBTransaction& transaction) {
  for (const QString& statement : Statements()) {
    try {
      TUnitOfWork work(transaction);
      TIBSQL(transaction.Database(), &transaction).ExecImmediate(statement);
      work.Commit();
    } catch (const EIBInterBaseError&) {
      // Refused (the unit rolled back): these rows stay, as they were.
    }
  }
}
