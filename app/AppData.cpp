#include "app/AppData.h"
#include "db/IBQuery.h"
#include "db/ServerSql.h"

namespace {

// The first column of the query's first row; Null when it has none.
QVariant FirstValue(TIBQuery& query) {
  query.Open();
  QVariant value;
  if (query.Active() && !query.IsEmpty() && !query.FieldByNumber(0).IsNull())
    value = query.FieldByNumber(0).AsVariant();
  query.Close();
  return value;
}

} // namespace

namespace AppData {

int SchemaVersion(TIBQuery& query) {
  query.SetSQL(QStringLiteral("select max(VERSION) from DATABASE_UPDATES"));
  return FirstValue(query).toInt();
}

QString FunctionLibraryVersion(TIBQuery& query) {
  query.SetSQL(QStringLiteral("select kalim_udf_version() from rdb$database"));
  return FirstValue(query).toString();
}

int HighestTableFormat(TIBQuery& query) {
  query.SetSQL(QStringLiteral("select max(rdb$format) from rdb$relations"));
  return FirstValue(query).toInt();
}

void PurgeSelectionSets(TIBQuery& query) {
  query.SetSQL(QStringLiteral("delete from temp_spracuj"));
  query.ExecSQL();
  query.SetSQL(ServerSql::ResetGenerator(QStringLiteral("temp_spracuj_id")));
  query.ExecSQL();
}

QVariant Setting(TIBQuery& query, const QString& column, const QString& key) {
  // The column is one of the table's two value columns, never user text.
  const QString checked = column == QLatin1String("text") ? column : QStringLiteral("cislo");
  query.SetSQL(QStringLiteral("select ") + checked + QStringLiteral(" from nastavenia where premenna=:PREMENNA"));
  query.ParamByName(QStringLiteral("PREMENNA")).SetValue(key);
  return FirstValue(query);
}

void WriteSetting(TIBQuery& query, const QString& key, const QString& text, const QVariant& number) {
  query.SetSQL(QStringLiteral("execute procedure Nastavenia_Zapis(:PREMENNA,:TEXT,:CISLO)"));
  query.ParamByName(QStringLiteral("PREMENNA")).SetValue(key);
  query.ParamByName(QStringLiteral("TEXT")).SetValue(text);
  query.ParamByName(QStringLiteral("CISLO")).SetValue(number);
  query.ExecSQL();
}

bool AnyOrganization(TIBQuery& query) {
  query.SetSQL(QStringLiteral("select first 1 jedin from c_zo"));
  return FirstValue(query).isValid();
}

} // namespace AppData
