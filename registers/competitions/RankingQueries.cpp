#include "registers/competitions/RankingQueries.h"

namespace {
// The totals and the sums of the nine yearly columns.
QStringList ColumnSums() {
  QStringList lines{QStringLiteral("sum(a.u_1+a.u_2+a.u_3+a.u_4+a.u_5+a.u_6+a.u_7+a.u_8+a.u_9) as u_spolu,"),
                    QStringLiteral("sum(a.cips_1+a.cips_2+a.cips_3+a.cips_4+a.cips_5+a.cips_6+a.cips_7+a.cips_8+"
                                   "a.cips_9) as cips_spolu,")};
  for (int n = 1; n <= 9; ++n)
    lines.append(QStringLiteral("sum(a.u_%1) as u_%1,sum(a.cips_%1) as cips_%1,").arg(n));
  return lines;
}
} // namespace

QStringList LeagueTableSql() {
  QStringList sql{QStringLiteral("select")};
  sql += ColumnSums();
  sql += {QStringLiteral("b.nazov as druzstvo"), QStringLiteral("from sp_preteky_liga(:ROK,:JEDIN) a"),
          QStringLiteral("left join c_druzstva_pretekarov b on b.jedin=a.c_druzstva_pretekarov"),
          QStringLiteral("group by b.jedin,b.nazov"), QStringLiteral("order by 1,2 desc")};
  return sql;
}

QStringList AtpRankingSql() {
  QStringList sql{QStringLiteral("select count(*) as pocet_pretekov,")};
  sql += ColumnSums();
  sql += {QStringLiteral("b.nazov as druzstvo,"),
          QStringLiteral("c.priezvisko,c.meno,c.titul"),
          QStringLiteral("from sp_preteky_atp(:ROK,:JEDIN) a"),
          QStringLiteral("left join c_druzstva_pretekarov b on b.jedin=a.c_druzstva_pretekarov"),
          QStringLiteral("left join c_pretekari c on c.jedin=a.c_pretekari"),
          QStringLiteral("group by c.jedin,b.nazov,c.priezvisko,c.meno,c.titul"),
          QStringLiteral("order by 1 desc,2,3 desc")};
  return sql;
}

QStringList LeagueNameSql() { return {QStringLiteral("select a.nazov from c_lig a where jedin=:JEDIN")}; }

TRegisterPrint LeagueRankingPrint(const QString& templateName, const QStringList& detailSql, int liga, quint16 rok,
                                  TRegisterPrint::TNoData noData) {
  TRegisterPrint print;
  print.Title = QStringLiteral("Tlač výsledkov súťaže");
  print.Template = templateName;
  print.OrganizationVariables = false;
  print.DataSets = {
      {QStringLiteral("MASTER"), LeagueNameSql(), {{QStringLiteral("JEDIN"), liga}}},
      {QStringLiteral("DETAIL"), detailSql, {{QStringLiteral("ROK"), int(rok)}, {QStringLiteral("JEDIN"), liga}}}};
  print.NoData = noData;
  return print;
}
