#include "db/IBParamParser.h"

namespace {

bool IsNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); }

// The index just past the quoted run that starts at `start` (its quote is
// doubled inside); the end of the text for an unterminated run.
qsizetype SkipQuoted(const QString& sql, qsizetype start) {
  const QChar quote = sql[start];
  qsizetype i = start + 1;
  while (i < sql.size()) {
    if (sql[i] == quote) {
      if (i + 1 < sql.size() && sql[i + 1] == quote) {
        i += 2;
        continue;
      }
      return i + 1;
    }
    ++i;
  }
  return sql.size();
}

// The index just past a comment starting at `start`, or `start` when none starts there.
qsizetype SkipComment(const QString& sql, qsizetype start) {
  if (sql.mid(start, 2) == QLatin1String("--")) {
    const qsizetype end = sql.indexOf(QLatin1Char('\n'), start);
    return end < 0 ? sql.size() : end + 1;
  }
  if (sql.mid(start, 2) == QLatin1String("/*")) {
    const qsizetype end = sql.indexOf(QLatin1String("*/"), start + 2);
    return end < 0 ? sql.size() : end + 2;
  }
  return start;
}

} // namespace

TIBParsedSql ParseParams(const QString& sql) {
  TIBParsedSql parsed;
  parsed.Sql.reserve(sql.size());
  qsizetype i = 0;
  while (i < sql.size()) {
    const QChar c = sql[i];
    qsizetype next = i + 1;
    if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
      next = SkipQuoted(sql, i);
    } else if (const qsizetype afterComment = SkipComment(sql, i); afterComment != i) {
      next = afterComment;
    } else if (c == QLatin1Char(':') && i + 1 < sql.size() && IsNameChar(sql[i + 1])) {
      qsizetype end = i + 1;
      while (end < sql.size() && IsNameChar(sql[end]))
        ++end;
      parsed.Names.append(sql.mid(i + 1, end - i - 1).toUpper());
      parsed.Sql += QLatin1Char('?');
      i = end;
      continue;
    }
    parsed.Sql += QStringView(sql).mid(i, next - i);
    i = next;
  }
  return parsed;
}
