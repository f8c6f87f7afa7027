#include "registers/common/DialogQueries.h"
#include "app/UnitOfWork.h"
#include "db/IBQuery.h"
#include "db/ServerSql.h"
#include "registers/common/DialogPattern.h"

std::optional<qint64> SelectNumber(TDialogPattern& dlg, const QString& sql, const QVariantMap& params) {
  TIBQuery& q = *dlg.ib1;
  qint64 number = 0;
  const bool done = RunUnitOfWork(*dlg.ibt1, [&] {
                      q.SetSQL(sql);
                      for (auto it = params.begin(); it != params.end(); ++it)
                        q.ParamByName(it.key()).SetValue(it.value());
                      q.Open();
                      if (!q.IsEmpty()) number = q.FieldByNumber(0).AsInteger();
                      q.Close();
                    }).Done;
  if (!done) return std::nullopt;
  return number;
}

std::optional<QVariantMap> SelectRow(TDialogPattern& dlg, const QString& sql, const QVariantMap& params) {
  TIBQuery& q = *dlg.ib1;
  QVariantMap row;
  const bool done = RunUnitOfWork(*dlg.ibt1, [&] {
                      q.SetSQL(sql);
                      for (auto it = params.begin(); it != params.end(); ++it)
                        q.ParamByName(it.key()).SetValue(it.value());
                      q.Open();
                      if (!q.IsEmpty())
                        for (int i = 0; i < q.FieldCount(); ++i)
                          row.insert(q.FieldByNumber(i).FieldName(), q.FieldByNumber(i).AsVariant());
                      q.Close();
                    }).Done;
  if (!done) return std::nullopt;
  return row;
}

std::optional<qint64> CountOtherRows(TDialogPattern& dlg, const QString& table, const QString& condition,
                                     QVariantMap params) {
  // A new row's key is 0 until it is saved (a placeholder row has its own).
  params.insert(QStringLiteral("JEDIN"), dlg.Jedin());
  return SelectNumber(dlg,
                      QStringLiteral("select count(*) from ") + ServerSql::CheckedName(table) +
                          QStringLiteral("\nwhere ") + condition + QStringLiteral(" and jedin<>:JEDIN"),
                      params);
}
