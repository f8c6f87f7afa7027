#include "registers/permits/PermitRows.h"
#include "core/DataSet.h"
#include "db/IBQuery.h"
#include "db/ServerSql.h"
#include "registers/permits/PermitRules.h"
#include <QtCore/QStringList>

namespace {
void PermitRowsRun(TIBQuery& q, const QStringList& sql, const QVariantMap& params) {
  q.Close();
  q.SetSQL(sql.join(QLatin1Char('\n')));
  for (auto it = params.begin(); it != params.end(); ++it)
    q.ParamByName(it.key()).SetValue(it.value());
  q.ExecSQL();
}

// The key of the first row `sql` selects, 0 when none.
int PermitRowsFirstKey(TIBQuery& q, const QString& sql, const QVariantMap& params) {
  q.Close();
  q.SetSQL(sql);
  for (auto it = params.begin(); it != params.end(); ++it)
    q.ParamByName(it.key()).SetValue(it.value());
  q.Open();
  const int key = q.IsEmpty() ? 0 : q.FieldByNumber(0).AsInteger();
  q.Close();
  return key;
}

const QString kItemsOfPayment = QStringLiteral("(SELECT JEDIN FROM E_POVOLENKY2 WHERE E_POVOLENKY=:PAYMENT)");
} // namespace

QString NextPaymentNumberExpression(int kind) {
  return QStringLiteral("(select coalesce(max(cislo)+1,1) from e_povolenky where rok=:ROK and typ_povolenky=%1)")
      .arg(kind);
}

void WritePermitStockIssue(TIBQuery& q, const TPermitItemRows& item) {
  const QVariantMap params{{QStringLiteral("E_POVOLENKY2"), item.Item},
                           {QStringLiteral("C_CENINY"), item.Ceniny},
                           {QStringLiteral("CENA"), item.Cena},
                           {QStringLiteral("ODVOD_JUX"), item.OdvodJux},
                           {QStringLiteral("POZNAMKA"), item.Poznamka}};
  if (PermitRowsFirstKey(q, QStringLiteral("select first 1 jedin from e_ceniny where e_povolenky2=:J"),
                         {{QStringLiteral("J"), item.Item}}) != 0) {
    PermitRowsRun(q,
                  {QStringLiteral("UPDATE E_CENINY SET C_CENINY=:C_CENINY,CENA=:CENA,ODVOD_JUX=:ODVOD_JUX,"),
                   QStringLiteral("POZNAMKA=:POZNAMKA WHERE E_POVOLENKY2=:E_POVOLENKY2")},
                  params);
    return;
  }
  QVariantMap insert = params;
  insert.insert(QStringLiteral("ROK"), item.Rok);
  PermitRowsRun(q,
                {QStringLiteral("INSERT INTO E_CENINY (JEDIN,ROK,CISLO,SMER_POHYBU,C_CENINY,CENA,ODVOD_JUX,"),
                 QStringLiteral("MNOZSTVO,E_POVOLENKY2,POZNAMKA)"),
                 QStringLiteral("VALUES (%1,:ROK,(select coalesce(max(cislo)+1,1) from e_ceniny where rok=:ROK),")
                     .arg(ServerSql::NextKey(QStringLiteral("E_CENINY_ID"))),
                 QStringLiteral("-1,:C_CENINY,:CENA,:ODVOD_JUX,-1,:E_POVOLENKY2,:POZNAMKA)")},
                insert);
}

void WritePermitCashIncome(TIBQuery& q, const TPermitItemRows& item) {
  const int cashRow =
      PermitRowsFirstKey(q, QStringLiteral("select first 1 jedin from e_pokladna where e_povolenky2=:J"),
                         {{QStringLiteral("J"), item.Item}});
  if (item.Cena == 0) {
    if (cashRow == 0) return;
    // Unlinked first: the database refuses to delete a cash row of an existing item.
    PermitRowsRun(q, {QStringLiteral("update e_pokladna set e_povolenky2=null where jedin=:J")},
                  {{QStringLiteral("J"), cashRow}});
    PermitRowsRun(q, {QStringLiteral("delete from e_pokladna where jedin=:J")}, {{QStringLiteral("J"), cashRow}});
    return;
  }
  const QVariantMap amounts{{QStringLiteral("E_POVOLENKY2"), item.Item},
                            {QStringLiteral("POPIS"), item.Popis.left(50)},
                            {QStringLiteral("PRIJEM"), item.Cena}};
  if (cashRow != 0) {
    PermitRowsRun(q,
                  {QStringLiteral("UPDATE E_POKLADNA SET POPIS=:POPIS,PRIJEM_ZAKLAD=:PRIJEM,"),
                   QStringLiteral("PRIJEM_DPH=0,PRIJEM=:PRIJEM WHERE E_POVOLENKY2=:E_POVOLENKY2")},
                  amounts);
    return;
  }
  QVariantMap insert = amounts;
  insert.insert(QStringLiteral("ROK"), item.Rok);
  insert.insert(QStringLiteral("DRUH_DOKLADU"), item.DruhDokladu);
  insert.insert(QStringLiteral("TYP"), item.TypDokladu);
  PermitRowsRun(
      q,
      {QStringLiteral("INSERT INTO E_POKLADNA (JEDIN,ROK,DRUH_DOKLADU,TYP,P1,P2,SMER_POHYBU,POPIS,"),
       QStringLiteral("SADZBA_DPH,PRIJEM_ZAKLAD,PRIJEM_DPH,PRIJEM,VYDAJ_ZAKLAD,VYDAJ_DPH,VYDAJ,E_POVOLENKY2)"),
       QStringLiteral("VALUES (%1,:ROK,:DRUH_DOKLADU,:TYP,").arg(ServerSql::NextKey(QStringLiteral("E_POKLADNA_ID"))),
       QStringLiteral("(select coalesce(max(P1+1),1) from e_pokladna where rok=:ROK and DRUH_DOKLADU=:DRUH_DOKLADU),"),
       QStringLiteral("1,1,:POPIS,0,:PRIJEM,0,:PRIJEM,0,0,0,:E_POVOLENKY2)")},
      insert);
}

void StampPaymentRows(TIBQuery& q, int payment) {
  q.Close();
  q.SetSQL(QStringLiteral("select datum,c_clenov,titul,meno,priezvisko,ulica,psc,mesto,nazov_uplny\n"
                          "from e_povolenky where jedin=:PAYMENT"));
  q.ParamByName(QStringLiteral("PAYMENT")).SetValue(payment);
  q.Open();
  if (q.IsEmpty()) {
    q.Close();
    return;
  }
  auto value = [&q](const char* column) { return q.FieldByName(QString::fromLatin1(column)).AsVariant(); };
  auto text = [&q](const char* column) { return q.FieldByName(QString::fromLatin1(column)).AsString(); };
  const QVariantMap holder{{QStringLiteral("PAYMENT"), payment},
                           {QStringLiteral("DATUM"), value("DATUM")},
                           {QStringLiteral("C_CLENOV"), value("C_CLENOV")},
                           {QStringLiteral("NAZOV_UPLNY"), value("NAZOV_UPLNY")}};
  QVariantMap cash = holder;
  cash.remove(QStringLiteral("NAZOV_UPLNY"));
  const QString name = CashRowName(text("PRIEZVISKO"), text("MENO"), text("TITUL"));
  cash.insert(QStringLiteral("NAZOV"), name.isEmpty() ? QVariant() : QVariant(name));
  cash.insert(QStringLiteral("ULICA"), value("ULICA"));
  cash.insert(QStringLiteral("PSC"), value("PSC"));
  cash.insert(QStringLiteral("MESTO"), value("MESTO"));
  q.Close();
  PermitRowsRun(q,
                {QStringLiteral("UPDATE E_CENINY SET DATUM=:DATUM,C_CLENOV=:C_CLENOV,NAZOV_UPLNY=:NAZOV_UPLNY"),
                 QStringLiteral("WHERE E_POVOLENKY2 IN ") + kItemsOfPayment},
                holder);
  PermitRowsRun(q,
                {QStringLiteral("UPDATE E_POKLADNA SET DATUM=:DATUM,C_CLENOV=:C_CLENOV,NAZOV=:NAZOV,"),
                 QStringLiteral("ULICA=:ULICA,PSC=:PSC,MESTO=:MESTO"),
                 QStringLiteral("WHERE E_POVOLENKY2 IN ") + kItemsOfPayment},
                cash);
  PermitRowsRun(q,
                {QStringLiteral("UPDATE E_POVOLENKY SET SPOLU=(SELECT COALESCE(SUM(CENA),0) FROM E_POVOLENKY2"),
                 QStringLiteral("WHERE E_POVOLENKY=:PAYMENT) WHERE JEDIN=:PAYMENT")},
                {{QStringLiteral("PAYMENT"), payment}});
}

TMemberChecks ReadMemberChecks(TIBQuery& q, int clen, int rok, bool workRequired, int prescribedHours) {
  const QVariantMap lastYear{{QStringLiteral("CLEN"), clen}, {QStringLiteral("ROK"), rok - 1}};
  auto open = [&q](const QString& sql, const QVariantMap& params) {
    q.Close();
    q.SetSQL(sql);
    for (auto it = params.begin(); it != params.end(); ++it)
      q.ParamByName(it.key()).SetValue(it.value());
    q.Open();
  };
  TMemberChecks checks;
  // Every permit of last year counts, not the first the database returns.
  open(QStringLiteral("select a.povolenka_vratena_dna from e_povolenky2 a\n"
                      "join e_povolenky b on b.jedin=a.e_povolenky\n"
                      "where a.typ_platby=0 and b.rok=:ROK and b.c_clenov=:CLEN"),
       lastYear);
  QList<QVariant> returned;
  for (q.First(); !q.Eof(); q.Next())
    returned.append(q.FieldByNumber(0).AsVariant());
  checks.Returned = CheckPermitReturns(returned, rok);
  open(QStringLiteral("select sum(hodiny) from e_brigady where c_clenov=:CLEN and rok=:ROK"), lastYear);
  checks.Hours = q.FieldByNumber(0).AsFloat();
  checks.HoursShort = WorkDutyShort(workRequired, checks.Hours, prescribedHours);
  open(QStringLiteral("select sum(pokuta-pokuta_zaplatena) from e_priestupky where vybaveny=0 and c_clenov=:CLEN"),
       {{QStringLiteral("CLEN"), clen}});
  checks.Fines = q.FieldByNumber(0).AsFloat();
  checks.FinesDue = FinesDue(checks.Fines);
  q.Close();
  return checks;
}

int WriteGuestPermitItem(TIBQuery& q, int payment, int kind, int rok, const QVariantMap& values) {
  static const QStringList columns{QStringLiteral("TYP_PLATBY"),
                                   QStringLiteral("C_CENINY"),
                                   QStringLiteral("CENA"),
                                   QStringLiteral("ODVOD_JUX"),
                                   QStringLiteral("DOPLNKOVY_UDAJ"),
                                   QStringLiteral("CISLO_ZAKLADNEJ_POVOLENKY"),
                                   QStringLiteral("PLATNOST"),
                                   QStringLiteral("PLATNOST_OD"),
                                   QStringLiteral("PLATNOST_DO"),
                                   QStringLiteral("C_REVIRY_JUX"),
                                   QStringLiteral("C_ZO")};
  q.Close();
  q.SetSQL(QStringLiteral("select jedin from e_povolenky2 where e_povolenky=:JEDIN"));
  q.ParamByName(QStringLiteral("JEDIN")).SetValue(payment);
  q.Open();
  int item = q.IsEmpty() ? 0 : q.FieldByNumber(0).AsInteger();
  q.Close();
  const bool adding = item == 0;
  if (adding) item = TakeNextKey(q, QStringLiteral("E_POVOLENKY2_ID"));
  if (adding) {
    q.SetSQL(QStringLiteral("INSERT INTO E_POVOLENKY2 (JEDIN,TYP_POVOLENKY,E_POVOLENKY,ROK,%1)\n"
                            "VALUES (:JEDIN,:TYP_POVOLENKY,:E_POVOLENKY,:ROK,:%2)")
                 .arg(columns.join(QLatin1Char(',')), columns.join(QStringLiteral(",:"))));
    q.ParamByName(QStringLiteral("TYP_POVOLENKY")).SetValue(kind);
    q.ParamByName(QStringLiteral("E_POVOLENKY")).SetValue(payment);
    q.ParamByName(QStringLiteral("ROK")).SetValue(rok);
  } else {
    QStringList assignments;
    for (const QString& column : columns)
      assignments.append(column + QStringLiteral("=:") + column);
    q.SetSQL(QStringLiteral("UPDATE E_POVOLENKY2 SET %1\nWHERE JEDIN=:JEDIN").arg(assignments.join(QLatin1Char(','))));
  }
  q.ParamByName(QStringLiteral("JEDIN")).SetValue(item);
  for (const QString& column : columns)
    q.ParamByName(column).SetValue(values.value(column));
  q.ParamByName(QStringLiteral("TYP_PLATBY")).SetValue(0);
  q.ExecSQL();
  return item;
}
