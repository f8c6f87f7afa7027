#include "db/ServerSql.h"
#include "db/IBError.h"
#include "db/IBQuery.h"
#include <QtCore/QRegularExpression>

namespace ServerSql {

const QString& CheckedName(const QString& name) {
  static const QRegularExpression identifier(QStringLiteral("^[A-Za-z][A-Za-z0-9_$]{0,62}$"));
  if (!identifier.match(name).hasMatch())
    throw EIBError(QStringLiteral("Neplatný názov v príkaze SQL: \"%1\".").arg(name));
  return name;
}

QString NextKey(const QString& generator) { return QStringLiteral("gen_id(%1,1)").arg(CheckedName(generator)); }

QString SelectNextKey(const QString& generator) {
  return QStringLiteral("select ") + NextKey(generator) + QStringLiteral(" from rdb$database");
}

QString ResetGenerator(const QString& generator) {
  return QStringLiteral("set generator %1 to 0").arg(CheckedName(generator));
}

QString QuotedName(const QString& catalogueName) {
  return QLatin1Char('"') + QString(catalogueName).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QString SetGenerator(const QString& catalogueName, qint64 value) {
  return QStringLiteral("set generator %1 to %2").arg(QuotedName(catalogueName)).arg(value);
}

QString UpdateOrInsert(const QString& table, const QStringList& columns, const QString& keyColumn) {
  QStringList values;
  for (const QString& column : columns)
    values.append(QLatin1Char(':') + CheckedName(column));
  return QStringLiteral("update or insert into %1 (%2)\nvalues (%3)\nmatching (%4)")
      .arg(CheckedName(table), columns.join(QLatin1Char(',')), values.join(QLatin1Char(',')), CheckedName(keyColumn));
}

} // namespace ServerSql

int TakeNextKey(TIBQuery& query, const QString& generator) {
  query.SetSQL(ServerSql::SelectNextKey(generator));
  query.Open();
  const int key = query.FieldByNumber(0).AsInteger();
  query.Close();
  return key;
}
