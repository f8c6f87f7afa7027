#include "registers/members/MemberRows.h"
#include "db/IBQuery.h"
#include "db/ServerSql.h"
#include <QtCore/QStringList>

namespace {
// Opens `sql` with `params` bound; the caller reads and closes.
void Open(TIBQuery& q, const QString& sql, const QVariantMap& params) {
  q.SetSQL(sql);
  for (auto it = params.begin(); it != params.end(); ++it)
    q.ParamByName(it.key()).SetValue(it.value());
  q.Open();
}
} // namespace

TMemberCounts CountMembers(TIBQuery& q, int rok) {
  TMemberCounts counts;
  Open(q, QStringLiteral("select count(*) from c_clenov"), {});
  counts.All = q.FieldByNumber(0).AsInteger();
  q.Close();
  Open(q,
       QStringList{QStringLiteral("select count(*) from c_clenov a"), QStringLiteral("where a.jedin in"),
                   QStringLiteral("(select b.c_clenov from e_povolenky b where b.rok=:ROK and"),
                   QStringLiteral("b.jedin in (select c.e_povolenky from e_povolenky2 c"),
                   QStringLiteral("where c.typ_platby=2 and c.rok=:ROK and c.e_povolenky=b.jedin))")}
           .join(QLatin1Char('\n')),
       {{QStringLiteral("ROK"), rok}});
  counts.Members = q.FieldByNumber(0).AsInteger();
  q.Close();
  return counts;
}

double WorkDutyHours(TIBQuery& q, int clen, int rok) {
  Open(q, QStringLiteral("select sum(hodiny) from e_brigady\nwhere c_clenov=:CLEN and rok=:ROK"),
       {{QStringLiteral("CLEN"), clen}, {QStringLiteral("ROK"), rok}});
  const double hours = q.FieldByNumber(0).AsFloat();
  q.Close();
  return hours;
}

std::optional<TMembershipFee> MembershipFee(TIBQuery& q, int clen, int rok) {
  Open(q,
       QStringList{QStringLiteral("select first 1 a.cena,b.datum"), QStringLiteral("from e_povolenky2 a"),
                   QStringLiteral("left join e_povolenky b on b.jedin=a.e_povolenky"),
                   QStringLiteral("where b.c_clenov=:CLEN and a.typ_platby=2 and a.rok=:ROK")}
           .join(QLatin1Char('\n')),
       {{QStringLiteral("CLEN"), clen}, {QStringLiteral("ROK"), rok}});
  std::optional<TMembershipFee> fee;
  if (!q.IsEmpty()) {
    const TField& paid = q.FieldByName(QStringLiteral("DATUM"));
    fee = TMembershipFee{q.FieldByName(QStringLiteral("CENA")).AsFloat(),
                         paid.IsNull() ? QDate() : paid.AsVariant().toDate()};
  }
  q.Close();
  return fee;
}

bool HasInterruptedYears(TIBQuery& q, int clen) {
  Open(q, QStringLiteral("select first 1 jedin from c_clenov_prerusene_roky\nwhere c_clenov=:CLEN"),
       {{QStringLiteral("CLEN"), clen}});
  const bool any = !q.IsEmpty();
  q.Close();
  return any;
}

QList<TInspectionGuard> InspectionGuards(TIBQuery& q, int inspection) {
  Open(q, QStringLiteral("select jedin,c_clenov_rs from e_rs_kontrolori where e_rs=:E_RS"),
       {{QStringLiteral("E_RS"), inspection}});
  QList<TInspectionGuard> guards;
  for (q.First(); !q.Eof(); q.Next())
    guards.append({q.FieldByNumber(0).AsInteger(), q.FieldByNumber(1).AsInteger()});
  q.Close();
  return guards;
}

QSet<int> InspectionInspectors(TIBQuery& q, int inspection) {
  Open(q, QStringLiteral("select distinct c_clenov_rs from e_rs_kontrolovani where e_rs=:E_RS"),
       {{QStringLiteral("E_RS"), inspection}});
  QSet<int> inspectors;
  for (q.First(); !q.Eof(); q.Next())
    inspectors.insert(q.FieldByNumber(0).AsInteger());
  q.Close();
  return inspectors;
}

QString NextMailNumberSql() { return QStringLiteral("select coalesce(max(cislo)+1,1) from e_posta\nwhere rok=:ROK"); }

QString MemberKeyGenerator() { return QStringLiteral("C_CLENOV_ID"); }

void DeleteAllMembers(TIBQuery& q) {
  q.SetSQL(QStringLiteral("delete from c_clenov"));
  q.ExecSQL();
  q.SetSQL(ServerSql::ResetGenerator(MemberKeyGenerator()));
  q.ExecSQL();
}

void InsertMember(TIBQuery& q, const QVariantMap& values) {
  static const QString sql =
      QStringList{
          QStringLiteral("INSERT INTO C_CLENOV (JEDIN,TITUL,MENO,PRIEZVISKO,ULICA,"),
          QStringLiteral("MESTO,PSC,DATUM_NARODENIA,CISLO_LEGITIMACIE,VSTUP_JUX,"),
          QStringLiteral("VSTUP_ZO,SKOLENIE_USKUTOCNENE,SKOLENIE_DATUM,BRIGADA_VYZADOVAT,"),
          QStringLiteral("PRACOVNE_ZARADENIE,POVOLANIE,POZNAMKA,TELEFON,CLEN_OBO)"),
          QStringLiteral("VALUES (") + ServerSql::NextKey(MemberKeyGenerator()) +
              QStringLiteral(",:TITUL,:MENO,:PRIEZVISKO,:ULICA,"),
          QStringLiteral(":MESTO,:PSC,:DATUM_NARODENIA,:CISLO_LEGITIMACIE,:VSTUP_JUX,"),
          QStringLiteral(":VSTUP_ZO,:SKOLENIE_USKUTOCNENE,:SKOLENIE_DATUM,:BRIGADA_VYZADOVAT,"),
          QStringLiteral(":PRACOVNE_ZARADENIE,:POVOLANIE,:POZNAMKA,:TELEFON,:CLEN_OBO)"),
      }
          .join(QLatin1Char('\n'));
  if (q.SQL() != sql) q.SetSQL(sql);
  for (auto it = values.begin(); it != values.end(); ++it)
    q.ParamByName(it.key()).SetValue(it.value());
  q.ExecSQL();
}

qint64 HighestMemberKey(TIBQuery& q) {
  Open(q, QStringLiteral("select max(jedin) from c_clenov"), {});
  const qint64 highest = q.FieldByNumber(0).AsLargeInt();
  q.Close();
  return highest;
}
