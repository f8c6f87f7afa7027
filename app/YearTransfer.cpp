#include "app/YearTransfer.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/ServerSql.h"
#include <QtCore/QStringList>

namespace {

// The price references of a fishing ground: season, day and week permits
// for members and for others.
const char* const priceColumns[] = {"SEZONNA", "DENNA", "TYZDENNA", "SEZONNA_CUDZI", "DENNA_CUDZI", "TYZDENNA_CUDZI"};

} // namespace

namespace YearTransfer {

QList<qint64> CopyRows(TIBQuery& read, TIBQuery& write, const QString& table, const QString& key, int rok) {
  read.Close();
  // NOT EXISTS with a null-safe match: an empty key in the working year
  // neither blocks the whole list nor lets a row be copied twice.
  read.SetSQL(QStringLiteral("select * from %1 s where s.ROK=:ROK_OLD\n"
                             "and not exists (select 1 from %1 t where t.rok=:ROK and t.%2 is not distinct from s.%2)\n"
                             "order by s.jedin")
                  .arg(table, key));
  read.ParamByName(QStringLiteral("ROK_OLD")).SetValue(rok - 1);
  read.ParamByName(QStringLiteral("ROK")).SetValue(rok);
  read.Open();
  QList<qint64> added;
  if (read.Eof()) return added;

  QStringList columns, values;
  for (const auto& field : read.Fields()) {
    const QString name = field->FieldName().toUpper();
    columns << name;
    values << (name == QLatin1String("JEDIN") ? QStringLiteral(":NEW_JEDIN")
               : name == QLatin1String("ROK") ? QStringLiteral(":NEW_ROK")
                                              : QLatin1Char(':') + name);
  }
  write.Close();
  write.SetSQL(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                   .arg(table, columns.join(QLatin1Char(',')), values.join(QLatin1Char(','))));
  for (; !read.Eof(); read.Next()) {
    const qint64 newKey = read.Database()->GeneratorValue(table + QStringLiteral("_ID"), 1);
    for (const QString& name : columns) {
      if (name == QLatin1String("JEDIN"))
        write.ParamByName(QStringLiteral("NEW_JEDIN")).SetValue(newKey);
      else if (name == QLatin1String("ROK"))
        write.ParamByName(QStringLiteral("NEW_ROK")).SetValue(rok);
      else
        write.ParamByName(name).SetValue(read.FieldByName(name).AsVariant());
    }
    write.ExecSQL();
    added << newKey;
  }
  read.Close();
  return added;
}

void CopyNames(TIBQuery& query, const QString& table, int rok) {
  query.Close();
  query.SetSQL(
      QStringLiteral("INSERT INTO %1 (JEDIN, ROK, NAZOV)\n"
                     "SELECT %2, CAST(:ROK AS SMALLINT), NAZOV\n"
                     "FROM %1 S WHERE S.ROK=:ROK_OLD AND\n"
                     "NOT EXISTS (SELECT 1 FROM %1 T WHERE T.ROK=:ROK AND T.NAZOV IS NOT DISTINCT FROM S.NAZOV)")
          .arg(table, ServerSql::NextKey(table + QStringLiteral("_ID"))));
  query.ParamByName(QStringLiteral("ROK")).SetValue(rok);
  query.ParamByName(QStringLiteral("ROK_OLD")).SetValue(rok - 1);
  query.ExecSQL();
}

void TranslatePriceReferences(TIBQuery& query, const QList<qint64>& grounds, int rok) {
  if (grounds.isEmpty()) return;
  QStringList assignments;
  for (const char* column : priceColumns)
    assignments << QStringLiteral("%1 = coalesce((select first 1 n.jedin from c_ceniny n join c_ceniny o on "
                                  "o.nazov = n.nazov where o.jedin = r.%1 and n.rok = :ROK order by n.jedin), r.%1)")
                       .arg(QLatin1String(column));
  query.Close();
  query.SetSQL(QStringLiteral("update c_reviry_jux r set ") + assignments.join(QStringLiteral(", ")) +
               QStringLiteral(" where r.jedin = :JEDIN"));
  for (const qint64 ground : grounds) {
    query.ParamByName(QStringLiteral("ROK")).SetValue(rok);
    query.ParamByName(QStringLiteral("JEDIN")).SetValue(ground);
    query.ExecSQL();
  }
}

} // namespace YearTransfer
