#include "db/IBSQL.h"
#include "core/CodePage1250.h"
#include "db/FbClient.h"
#include "db/IBDatabase.h"
#include "db/IBTransaction.h"
#include <ibase.h>

using namespace FbClient;

void TIBSQL::ExecImmediate(const QString& statement) {
  if (!database_ || !transaction_) throw EIBError(QStringLiteral("Príkaz nemá databázu alebo transakciu."));
  QByteArray text;
  try {
    text = Cp1250::Encode(statement);
  } catch (const ECodePageError& e) {
    throw EIBError(QStringLiteral("Príkaz nie je možné poslať serveru: %1").arg(e.Message()));
  }
  TStatus status;
  Firebird::ITransaction* transaction = transaction_->Handle();
  database_->Attachment()->execute(&status, transaction, unsigned(text.size()), text.constData(), SQL_DIALECT_V6,
                                   nullptr, nullptr, nullptr, nullptr);
  status.Check();
}
