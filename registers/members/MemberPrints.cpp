#include "registers/members/MemberPrints.h"

namespace {
const QString kWorkDutyItemsTag = QStringLiteral("F0ACD3B3-8646-4EF5");

// The chosen work duty rows item by item, `extra` narrowing them.
QStringList WorkDutyItemLines(const QString& extra) {
  QStringList lines{QStringLiteral("select a.datum,a.popis,a.hodiny,b.nazov_uplny as clen"),
                    QStringLiteral("from temp_spracuj x"), QStringLiteral("left join e_brigady a on a.jedin=x.cislo"),
                    QStringLiteral("left join c_clenov b on b.jedin=a.c_clenov"), SelectionSetWhere()};
  if (!extra.isEmpty()) lines.append(extra);
  lines.append(QStringLiteral("order by b.nazov_uplny,a.datum,a.popis"));
  return lines;
}

// These templates bring their own variables.
TRegisterPrint WithTemplateVariables(TRegisterPrint print) {
  print.YearVariable = false;
  print.OrganizationVariables = false;
  return print;
}

TRegisterPrint EntrustedPrint(bool items) {
  TRegisterPrint print =
      TRegisterPrint::Of(items ? QStringLiteral("D407795B-D2DB-451D") : QStringLiteral("6932A6A0-3859-42F1"),
                         items ? QStringLiteral("Tlač zverených predmetov položkovite")
                               : QStringLiteral("Tlač zverených predmetov sumárne"),
                         items ? QStringLiteral("Predmety01.rpf") : QStringLiteral("Predmety02.rpf"));
  if (items)
    print.MasterSql = {QStringLiteral("select a.nazov,a.cena,a.mnozstvo,a.datum,a.datum_vratenia,"),
                       QStringLiteral("a.mnozstvo_vratene,b.nazov_uplny as clen")};
  else
    print.MasterSql = {
        QStringLiteral("select b.nazov_uplny as clen,sum(a.cena*(a.mnozstvo-a.mnozstvo_vratene)) as zostatok")};
  print.MasterSql << QStringLiteral("from temp_spracuj x")
                  << QStringLiteral("left join e_predmety a on a.jedin=x.cislo")
                  << QStringLiteral("left join c_clenov b on b.jedin=a.c_clenov") << SelectionSetWhere()
                  << (items ? QStringLiteral("order by b.nazov_uplny,a.datum")
                            : QStringLiteral("group by b.jedin,b.nazov_uplny order by b.nazov_uplny,b.jedin"));
  return WithTemplateVariables(print);
}
} // namespace

TRegisterPrint WorkDutyItemsPrint() {
  return WithTemplateVariables({kWorkDutyItemsTag, true, QStringLiteral("Tlač brigád podľa mena položkovite"),
                                QStringLiteral("Brigady01.rpf"), WorkDutyItemLines(QString())});
}

TRegisterPrint WorkDutySumsPrint() {
  return WithTemplateVariables(
      {QStringLiteral("992495E3-97F7-4AD5"),
       true,
       QStringLiteral("Tlač brigád podľa mena sumárne"),
       QStringLiteral("Brigady02.rpf"),
       {QStringLiteral("select sum(a.hodiny) as hodiny,b.nazov_uplny as clen"), QStringLiteral("from temp_spracuj x"),
        QStringLiteral("left join e_brigady a on a.jedin=x.cislo"),
        QStringLiteral("left join c_clenov b on b.jedin=a.c_clenov"), SelectionSetWhere(),
        QStringLiteral("group by b.jedin,b.nazov_uplny order by b.nazov_uplny,b.jedin")}});
}

TRegisterPrint WorkDutyExemptItemsPrint() {
  return WithTemplateVariables(
      {kWorkDutyItemsTag, true, QStringLiteral("Tlač brigád podľa mena položkovite iba oslobodených"),
       QStringLiteral("Brigady03.rpf"), WorkDutyItemLines(QStringLiteral("and b.BRIGADA_VYZADOVAT=0"))});
}

TRegisterPrint EntrustedItemsPrint() { return EntrustedPrint(true); }

TRegisterPrint EntrustedBalancesPrint() { return EntrustedPrint(false); }

TRegisterPrint MailPrint(const QString& title, int rok) {
  TRegisterPrint print = TRegisterPrint::Of(QStringLiteral("00976D2B-97FB-4B47"), title, QStringLiteral("Posta.rpf"));
  print.MasterSql = {QStringLiteral("select a.datum,b.text as druh,a.cislo,a.nazov_uplny as kontakt,"),
                     QStringLiteral("a.vec,a.znacka,a.prilohy,a.pridelene_datum,a.pridelene_komu,"),
                     QStringLiteral("a.vybavene_datum,a.vybavene_sposob,a.postovne,a.druh as druh_cislo"),
                     QStringLiteral("from temp_spracuj x"),
                     QStringLiteral("left join e_posta a on a.jedin=x.cislo"),
                     QStringLiteral("left join ponuky b on b.cislo=a.druh and b.zaradenie='typ_posty2'"),
                     SelectionSetWhere(),
                     QStringLiteral("and a.rok=:ROK"),
                     QStringLiteral("order by a.cislo,a.datum,a.nazov_uplny")};
  print.Params.insert(QStringLiteral("ROK"), rok);
  return print;
}

TRegisterPrint OffencesPrint(const QString& title) {
  TRegisterPrint print =
      TRegisterPrint::Of(QStringLiteral("1EEBCC06-AE91-4C0D"), title, QStringLiteral("Priestupky.rpf"));
  print.MasterSql = {QStringLiteral("select a.jedin,a.datum,a.nazov_uplny,a.priestupok,"),
                     QStringLiteral("a.pokuta,a.datum_zaplatenia,a.pokuta_zaplatena,a.poznamka,a.vybaveny"),
                     QStringLiteral("from temp_spracuj x"),
                     QStringLiteral("left join e_priestupky a on a.jedin=x.cislo"),
                     SelectionSetWhere(),
                     QStringLiteral("order by a.datum,a.nazov_uplny")};
  return print;
}

TRegisterPrint AwardsPrint(const QString& title) {
  TRegisterPrint print =
      TRegisterPrint::Of(QStringLiteral("9803459A-2FEB-4FBA"), title, QStringLiteral("Vyznamenania.rpf"));
  print.MasterSql = {QStringLiteral("select a.jedin,b.nazov_uplny,a.nazov,a.rok_vyznamenania,a.poznamka"),
                     QStringLiteral("from temp_spracuj x"),
                     QStringLiteral("left join e_vyznamenania a on a.jedin=x.cislo"),
                     QStringLiteral("left join c_clenov b on b.jedin=a.c_clenov"),
                     SelectionSetWhere(),
                     QStringLiteral("order by a.rok_vyznamenania,b.nazov_uplny")};
  print.YearVariable = false;
  return print;
}

TRegisterPrint InspectionsPrint(const QString& title) {
  TRegisterPrint print =
      TRegisterPrint::Of(QStringLiteral("F58D66B0-7A38-41E2"), title, QStringLiteral("KontrolaRS.rpf"));
  print.MasterSql = {QStringLiteral("SELECT A.JEDIN,A.KONTROLA_OD, A.KONTROLA_DO, A.SUKROMNE_VOZIDLO,"),
                     QStringLiteral("A.SPZ, A.TYP, A.SPOTREBA, A.NAHRADA, A.KM, A.CENA_PALIVA,"),
                     QStringLiteral("A.UHRADENE,A.POZNAMKA,b.nazov_uplny as revir"),
                     QStringLiteral("from temp_spracuj x"),
                     QStringLiteral("left join E_RS a on a.jedin=x.cislo"),
                     QStringLiteral("left join c_reviry_jux b on b.jedin=a.c_reviry_jux"),
                     SelectionSetWhere(),
                     QStringLiteral("order by x.jedin")};
  print.Details = {
      {QStringLiteral("DETAIL_KONTROLORI"),
       {QStringLiteral("SELECT A.JEDIN,B.CISLO_ODZNAKU,B.CISLO_OSVEDCENIA,C.NAZOV_UPLNY as KONTROLOR"),
        QStringLiteral("FROM E_RS_KONTROLORI A"), QStringLiteral("LEFT JOIN C_CLENOV_RS B ON B.JEDIN=A.C_CLENOV_RS"),
        QStringLiteral("LEFT JOIN C_CLENOV C ON C.JEDIN=B.C_CLENOV"), QStringLiteral("WHERE A.E_RS=:JEDIN"),
        QStringLiteral("order by a.jedin")}},
      {QStringLiteral("DETAIL_KONTROLOVANI"),
       {QStringLiteral("SELECT A.JEDIN,A.NAZOV_UPLNY AS KONTROLOVANY,A.CISLO_POVOLENIA,"),
        QStringLiteral("A.PRIESTUPOK,b.CISLO_ODZNAKU,D.NAZOV AS REVIR,E.NAZOV AS ZO,"), QStringLiteral("a.poznamka"),
        QStringLiteral("FROM E_RS_KONTROLOVANI A"), QStringLiteral("LEFT JOIN C_CLENOV_RS B ON B.JEDIN=A.C_CLENOV_RS"),
        QStringLiteral("LEFT JOIN C_CLENOV C ON C.JEDIN=B.C_CLENOV"),
        QStringLiteral("LEFT JOIN C_REVIRY_JUX D ON D.JEDIN=A.C_REVIRY_JUX"),
        QStringLiteral("LEFT JOIN C_ZO E ON E.JEDIN=A.C_ZO"), QStringLiteral("WHERE A.E_RS=:JEDIN ORDER BY A.JEDIN")}},
  };
  return print;
}
