#pragma once
#include <QtCore/QString>

class TIBDatabase;
class TIBTransaction;

// Runs statements exactly as written: no parameter markers are looked for,
// so colons and semicolons inside a procedure or trigger body reach the
// server untouched (scripts of the schema, DDL, SET GENERATOR).
class TIBSQL {
public:
  TIBSQL(TIBDatabase* database, TIBTransaction* transaction) : database_(database), transaction_(transaction) {}

  // Runs one statement in the transaction; throws EIBInterBaseError on a
  // server error and EIBError for text that code page 1250 cannot hold.
  void ExecImmediate(const QString& statement);

private:
  TIBDatabase* database_;
  TIBTransaction* transaction_;
};
