#include "console/CatalogueQueries.h"
#include "app/QPLUnit.h"
#include "db/IBQuery.h"
#include "db/ServerSql.h"

namespace {
// The first column of every row, the catalogue's padding cut.
QStringList FirstColumn(TIBQuery& query, const QString& sql) {
  QStringList names;
  query.SetSQL(sql);
  query.Open();
  for (; !query.Eof(); query.Next())
    names << query.FieldByNumber(0).AsString().trimmed();
  query.Close();
  return names;
}

qint64 FirstNumber(TIBQuery& query, const QString& sql) {
  query.SetSQL(sql);
  query.Open();
  const qint64 number = !query.Active() || query.Eof() ? 0 : query.FieldByNumber(0).AsLargeInt();
  query.Close();
  return number;
}
} // namespace

QStringList KeyGeneratorNames(TIBQuery& query) {
  // User generators carry 0 or nothing in their system flag.
  return FirstColumn(query, QStringLiteral("select rdb$generator_name from rdb$generators\n"
                                           "where coalesce(rdb$system_flag, 0) = 0 and\n"
                                           "rdb$generator_name containing '_ID' order by 1"));
}

QStringList IndexNames(TIBQuery& query) {
  return FirstColumn(query, QStringLiteral("select rdb$index_name as indexname from rdb$indices order by 1"));
}

QStringList UserTableNames(TIBQuery& query) {
  return FirstColumn(query, QStringLiteral("select rdb$relation_name as tabulka\n"
                                           "from rdb$relations where rdb$view_source is null and\n"
                                           "(rdb$system_flag is null or rdb$system_flag=0) order by 1"));
}

qint64 HighestKey(TIBQuery& query, const QString& table) {
  return FirstNumber(query,
                     QStringLiteral("select max(cast(jedin as numeric(18))) from ") + ServerSql::QuotedName(table));
}

void RecomputeIndexStatistics(TIBQuery& query, const QString& index) {
  query.SetSQL(QStringLiteral("SET STATISTICS INDEX ") + ServerSql::QuotedName(index));
  query.ExecSQL();
}

qint64 RowCount(TIBQuery& query, const QString& table) {
  return FirstNumber(query, QStringLiteral("SELECT COUNT(*) FROM ") + ServerSql::QuotedName(table));
}

QString TableListSql(bool systemTables, bool views) {
  QString sql = QStringLiteral("select rdb$relation_id,rdb$relation_name as tabulka\nfrom rdb$relations");
  if (!systemTables) sql += SqlWhereOrAnd(sql) + QStringLiteral("rdb$system_flag=0");
  if (!views) sql += SqlWhereOrAnd(sql) + QStringLiteral("rdb$view_source is null");
  return sql + QStringLiteral("\norder by 2");
}

QString BrowseTableSql(const QString& tableReference) { return QStringLiteral("select * from ") + tableReference; }
