#include "schema/BaseScript.h"
#include "db/IBDatabase.h"
#include "db/IBSQL.h"
#include "db/IBTransaction.h"
#include <QtCore/QRegularExpression>

namespace {

// Drops blank lines and comments in front of the statement's first word;
// walks a view and copies once, so that a long run of comments stays linear.
QString StripLeadingComments(QStringView statement) {
  for (;;) {
    statement = statement.trimmed();
    if (statement.startsWith(QLatin1String("--"))) {
      const qsizetype end = statement.indexOf(QLatin1Char('\n'));
      statement = end < 0 ? QStringView() : statement.mid(end + 1);
    } else if (statement.startsWith(QLatin1String("/*"))) {
      const qsizetype end = statement.indexOf(QLatin1String("*/"), 2);
      statement = end < 0 ? QStringView() : statement.mid(end + 2);
    } else {
      return statement.toString();
    }
  }
}

} // namespace

QStringList SplitScript(const QString& script) {
  static const QRegularExpression setTerm(QStringLiteral("^SET\\s+TERM\\s+(\\S+)$"),
                                          QRegularExpression::CaseInsensitiveOption);
  QStringList statements;
  QString terminator = QStringLiteral(";");
  qsizetype start = 0;
  qsizetype i = 0;
  const qsizetype n = script.size();
  auto skipTo = [&](QLatin1String closing, qsizetype from) {
    const qsizetype end = script.indexOf(closing, from);
    return end < 0 ? n : end + closing.size();
  };
  while (i < n) {
    const QChar c = script[i];
    if (c == QLatin1Char('\'')) {
      // '' inside a literal is an escaped quote: skipping pairs handles it.
      i = skipTo(QLatin1String("'"), i + 1);
    } else if (c == QLatin1Char('-') && i + 1 < n && script[i + 1] == QLatin1Char('-')) {
      i = skipTo(QLatin1String("\n"), i + 2);
    } else if (c == QLatin1Char('/') && i + 1 < n && script[i + 1] == QLatin1Char('*')) {
      i = skipTo(QLatin1String("*/"), i + 2);
    } else if (QStringView(script).mid(i).startsWith(terminator)) {
      // "SET TERM <new>" ends with the terminator in force before it.
      const QString statement = StripLeadingComments(QStringView(script).mid(start, i - start));
      i += terminator.size();
      const QRegularExpressionMatch m = setTerm.match(statement);
      if (m.hasMatch()) {
        terminator = m.captured(1);
      } else if (!statement.isEmpty()) {
        statements << statement;
      }
      start = i;
    } else {
      ++i;
    }
  }
  const QString rest = StripLeadingComments(QStringView(script).mid(start));
  if (!rest.isEmpty()) statements << rest;
  return statements;
}

void CreateDatabaseFromBaseScript(const QString& path) {
  TIBDatabase database;
  database.SetDatabaseName(path);
  database.CreateDatabase();
  TIBTransaction transaction(&database);
  TIBSQL sql(&database, &transaction);
  // Each statement commits on its own: later statements use the objects
  // (domains, tables, procedures) that earlier ones created.
  for (const QString& statement : SplitScript(BaseScriptText())) {
    transaction.StartTransaction();
    sql.ExecImmediate(statement);
    transaction.Commit();
  }
  database.Close();
}
