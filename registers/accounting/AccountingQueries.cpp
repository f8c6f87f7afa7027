#include "registers/accounting/AccountingQueries.h"
#include "registers/common/ListPattern.h"

bool InvoicePartnerIsCustomer(int typOd) { return (typOd >= 11 && typOd <= 19) || (typOd >= 41 && typOd <= 49); }

void SelectPartners(TListQuery& q) {
  q.Add(QStringLiteral("select a.jedin,a.nazov,a.ulica,a.mesto,a.ico from C_partneri a"));
}

void SelectDocumentKinds(TListQuery& q) {
  q.Add(QStringLiteral("select a.jedin,a.skratka,a.nazov,b.text as typ"));
  q.Add(QStringLiteral("from c_druhy_dokladov a"));
  q.Add(QStringLiteral("left join ponuky b on b.cislo=a.typ and b.zaradenie='druh_dokladu'"));
}

void SelectMovements(TListQuery& q, int rok, int typ) {
  q.Add(QStringLiteral("select a.jedin,a.druh_dokladu,a.p1,a.p2,a.datum,"));
  q.Add(QStringLiteral("a.popis,a.nazov_uplny as partner,a.prijem,a.vydaj"));
  q.Add(QStringLiteral("from e_pokladna a"));
  q.Where(QStringLiteral("a.rok=:ROK and a.typ=:TYP"));
  q.Params.insert(QStringLiteral("ROK"), rok);
  q.Params.insert(QStringLiteral("TYP"), typ);
}

void SelectLedger(TListQuery& q, int rok, int typ, int uhrady) {
  q.Add(QStringLiteral("select a.jedin,a.rok,a.druh_dokladu,a.typ,a.p1,a.p2,"));
  q.Add(QStringLiteral("a.datum,a.datum_splatnosti,a.variabilny_symbol,"));
  q.Add(QStringLiteral("a.partner_jedin,a.partner,a.pohladavka,a.zavazok"));
  q.Add(QStringLiteral("from sp_saldokonto(:ROK,:TYP,:UHRADY) a"));
  q.Params.insert(QStringLiteral("ROK"), rok);
  q.Params.insert(QStringLiteral("TYP"), typ);
  q.Params.insert(QStringLiteral("UHRADY"), uhrady);
}

void SelectInvoices(TListQuery& q, int rok, int typOd, int typDo) {
  const QString side = InvoicePartnerIsCustomer(typOd) ? QStringLiteral("a.odb_") : QStringLiteral("a.dod_");
  const QString name = side + QStringLiteral("nazov"), town = side + QStringLiteral("mesto");
  // A missing name or town leaves the other part, not an empty text.
  q.Add(QStringLiteral("select case when coalesce(%1,'')='' then %2 when coalesce(%2,'')='' then %1 "
                       "else %1||', '||%2 end as partner,%3ico as ico,")
            .arg(name, town, side));
  q.Add(QStringLiteral("a.druh_dokladu,a.p1,a.datum,a.datum_splatnosti,a.variabilny_symbol,"));
  q.Add(QStringLiteral("a.spolu,a.uhradene,a.jedin"));
  q.Add(QStringLiteral("from e_faktury a"));
  q.Where(QStringLiteral("a.rok=:ROK and a.typ between :TYP_OD and :TYP_DO"));
  q.Params.insert(QStringLiteral("ROK"), rok);
  q.Params.insert(QStringLiteral("TYP_OD"), typOd);
  q.Params.insert(QStringLiteral("TYP_DO"), typDo);
}

QStringList InvoiceItemsSql() {
  // The two computed columns first: the grid sorts them by position.
  return {QStringLiteral("select a.zaklad,a.dph,"), QStringLiteral("a.jedin,a.nazov,a.mnozstvo,a.mj,a.mj_zaklad"),
          QStringLiteral("from e_faktury_polozky a"), QStringLiteral("where a.e_faktury=:JEDIN")};
}

QString NextMovementNumberSql(bool bank) {
  return bank ? QStringLiteral("select coalesce(max(P1),1) from e_pokladna\n"
                               "where rok=:ROK and druh_dokladu=:DD")
              : QStringLiteral("select coalesce(max(P1+1),1) from e_pokladna\n"
                               "where rok=:ROK and druh_dokladu=:DD");
}

QString NextMovementItemSql() {
  return QStringLiteral("select coalesce(max(P2+1),1) from e_pokladna\n"
                        "where rok=:ROK and druh_dokladu=:DD and p1=:P1");
}

QString InvoiceTypeSql() { return QStringLiteral("SELECT TYP FROM E_FAKTURY WHERE JEDIN=:JEDIN"); }

QString LedgerItemSql() {
  return QStringLiteral("SELECT DRUH_DOKLADU||'-'||P1||'/'||ROK||' - '||COALESCE(PARTNER,'') AS DOKLAD,\n"
                        "POHLADAVKA-ZAVAZOK AS UHRADA,PARTNER_JEDIN,TYP\n"
                        "FROM sp_saldokonto(:ROK,0,0) WHERE JEDIN=:JEDIN");
}

QString InvoicePartnerSql(int typ) {
  const QString side = typ >= 21 && typ <= 23 ? QStringLiteral("DOD_") : QStringLiteral("ODB_");
  QStringList columns;
  for (const char* column : {"NAZOV", "ULICA", "MESTO", "PSC", "ICO", "DIC", "IC_DPH", "JEDIN"})
    columns.append(side + QString::fromLatin1(column) + QStringLiteral(" AS ") + QString::fromLatin1(column));
  return QStringLiteral("SELECT ") + columns.join(QLatin1Char(',')) +
         QStringLiteral("\nFROM E_FAKTURY WHERE JEDIN=:JEDIN");
}

QString NextInvoiceNumberSql() {
  return QStringLiteral("select coalesce(max(P1)+1,1) from e_faktury\n"
                        "where rok=:ROK and druh_dokladu=:DD");
}

QString PartnerIdentitySql() {
  return QStringLiteral("SELECT NAZOV,ULICA,PSC,MESTO,ICO,DIC,IC_DPH,UCET_PREDCISLIE,\n"
                        "UCET_CISLO,UCET_KOD,UCET_IBAN,UCET_SS\n"
                        "FROM C_PARTNERI WHERE JEDIN=:JEDIN");
}
