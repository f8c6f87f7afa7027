#include "registers/members/MemberQueries.h"
#include "registers/common/ListPattern.h"
#include "registers/common/PrintProtocol.h"
#include <QtCore/QStringList>

void SelectMemberGroups(TListQuery& q) { q.Add(QStringLiteral("select a.jedin,a.nazov from c_clenenie_clenov a")); }

void SelectWorkTypes(TListQuery& q) { q.Add(QStringLiteral("select a.jedin,a.nazov\nfrom c_typy_brigad a")); }

void SelectInterruptedYears(TListQuery& q, int clen) {
  q.Add(QStringLiteral("select a.jedin,a.rok,a.dovod from C_clenov_prerusene_roky a"));
  q.Where(QStringLiteral("c_clenov=:CLEN"));
  q.Params[QStringLiteral("CLEN")] = clen;
}

void SelectGuards(TListQuery& q) {
  q.Add(QStringLiteral("select a.jedin,a.cislo_odznaku,a.cislo_osvedcenia,b.meno,"));
  q.Add(QStringLiteral("b.priezvisko,b.titul,b.adresa,b.telefon,a.datum_od,a.datum_do"));
  q.Add(QStringLiteral("from c_clenov_rs a"));
  q.Add(QStringLiteral("left join c_clenov b on b.jedin=a.c_clenov"));
}

void SelectMembers(TListQuery& q, int rok) {
  // ADRESA first and the flag second: the flag column sorts by position 2.
  q.Add(QStringLiteral("select A.adresa,"));
  q.Add(QStringLiteral("case when c.uhradene=1 then 'Člen'"));
  q.Add(QStringLiteral("else '-----' end as Clen,"));
  q.Add(QStringLiteral("a.jedin,a.priezvisko,a.meno,a.titul,a.cislo_legitimacie,"));
  q.Add(QStringLiteral("a.vstup_jux,b.text as skolenie_uskutocnene,a.datum_narodenia"));
  q.Add(QStringLiteral("from c_clenov a"));
  q.Add(QStringLiteral("left join ponuky b on b.cislo=a.skolenie_uskutocnene"));
  q.Add(QStringLiteral("and b.zaradenie='logika'"));
  q.Add(QStringLiteral("left join c_clenov_clenske c on c.c_clenov=a.jedin and c.rok=:ROK"));
  q.Params.insert(QStringLiteral("ROK"), rok);
}

void SelectWorkDuty(TListQuery& q) {
  q.Add(QStringLiteral("select a.jedin,a.datum,a.popis,a.hodiny,b.nazov_uplny as clen,"));
  q.Add(QStringLiteral("C.TEXT AS SUKROMNE_VOZIDLO,a.uhradene"));
  q.Add(QStringLiteral("from e_brigady a left join c_clenov b on b.jedin=a.c_clenov"));
  q.Add(QStringLiteral("LEFT JOIN PONUKY C ON C.CISLO=A.SUKROMNE_VOZIDLO AND C.ZARADENIE='logika'"));
}

void SelectMail(TListQuery& q) {
  q.Add(QStringLiteral("select a.jedin,b.text as druh,a.datum,a.cislo,a.vec,"));
  q.Add(QStringLiteral("a.nazov_uplny,a.vybavene_datum"));
  q.Add(QStringLiteral("from e_posta a"));
  q.Add(QStringLiteral("left join ponuky b on b.cislo=a.druh and b.zaradenie='typ_posty2'"));
}

void SelectEntrustedItems(TListQuery& q, bool onlyStillOut) {
  q.Add(QStringLiteral("select a.mnozstvo*a.cena as spolu,a.jedin,a.datum,"));
  q.Add(QStringLiteral("b.nazov_uplny as clen,a.nazov,a.mnozstvo,a.cena,a.mnozstvo_vratene"));
  q.Add(QStringLiteral("from e_predmety a left join c_clenov b on b.jedin=a.c_clenov"));
  if (onlyStillOut) WhereItemsStillOut(q);
}

void WhereItemsStillOut(TListQuery& q) { q.Where(QStringLiteral("a.mnozstvo<>a.MNOZSTVO_VRATENE")); }

void SelectOffences(TListQuery& q, int rok, bool withSettledOfEarlierYears) {
  q.Add(QStringLiteral("select a.jedin,a.nazov_uplny,a.datum,a.priestupok,"));
  q.Add(QStringLiteral("a.pokuta,a.vybaveny,a.c_clenov from e_priestupky a"));
  q.Where(withSettledOfEarlierYears ? QStringLiteral("a.rok<=:ROK")
                                    : QStringLiteral("(a.rok=:ROK or (a.rok<:ROK and a.vybaveny=0))"));
  q.Params.insert(QStringLiteral("ROK"), rok);
}

void SelectAwards(TListQuery& q) {
  q.Add(QStringLiteral("select a.jedin,a.nazov,a.rok_vyznamenania,b.nazov_uplny as clen"));
  q.Add(QStringLiteral("from e_vyznamenania a left join c_clenov b on b.jedin=a.c_clenov"));
}

void SelectInspections(TListQuery& q) {
  q.Add(QStringLiteral("SELECT A.JEDIN,CAST(A.KONTROLA_OD AS DATE) AS DATUM,"));
  q.Add(QStringLiteral("B.TEXT AS SUKROMNE_VOZIDLO,C.NAZOV_UPLNY AS KONTROLOR,A.UHRADENE,"));
  q.Add(QStringLiteral("D.NAZOV_UPLNY AS REVIR FROM E_RS A"));
  q.Add(QStringLiteral("LEFT JOIN PONUKY B ON B.CISLO=A.SUKROMNE_VOZIDLO AND B.ZARADENIE='logika'"));
  q.Add(QStringLiteral("LEFT JOIN C_CLENOV C ON C.JEDIN=A.C_CLENOV"));
  q.Add(QStringLiteral("LEFT JOIN C_REVIRY_JUX D ON D.JEDIN=A.C_REVIRY_JUX"));
}

QStringList InspectionGuardsSql() {
  return {QStringLiteral("SELECT A.JEDIN,B.CISLO_ODZNAKU,B.CISLO_OSVEDCENIA,C.NAZOV_UPLNY"),
          QStringLiteral("FROM E_RS_KONTROLORI A"), QStringLiteral("LEFT JOIN C_CLENOV_RS B ON B.JEDIN=A.C_CLENOV_RS"),
          QStringLiteral("LEFT JOIN C_CLENOV C ON C.JEDIN=B.C_CLENOV"), QStringLiteral("WHERE A.E_RS=:JEDIN")};
}

QStringList InspectedPersonsSql() {
  return {QStringLiteral("SELECT A.JEDIN,A.NAZOV_UPLNY AS KONTROLOVANY,"),
          QStringLiteral("A.PRIESTUPOK,C.NAZOV_UPLNY AS KONTROLOR,D.NAZOV AS REVIR"),
          QStringLiteral("FROM E_RS_KONTROLOVANI A"),
          QStringLiteral("LEFT JOIN C_CLENOV_RS B ON B.JEDIN=A.C_CLENOV_RS"),
          QStringLiteral("LEFT JOIN C_CLENOV C ON C.JEDIN=B.C_CLENOV"),
          QStringLiteral("LEFT JOIN C_REVIRY_JUX D ON D.JEDIN=A.C_REVIRY_JUX"),
          QStringLiteral("WHERE A.E_RS=:JEDIN")};
}

TSqlCondition GuardsOfInspection(int inspection) {
  return {QStringLiteral("jedin in (select c_clenov_rs from e_rs_kontrolori where e_rs=:E_RS)"),
          {{QStringLiteral("E_RS"), inspection}}};
}

QString ChosenMembersSql() {
  return QStringList{
      QStringLiteral("SELECT A.TITUL,A.MENO,A.PRIEZVISKO,A.ULICA,A.MESTO,A.PSC,"),
      QStringLiteral("A.DATUM_NARODENIA,A.CISLO_LEGITIMACIE,A.VSTUP_JUX,A.VSTUP_ZO,"),
      QStringLiteral("I.TEXT as SKOLENIE_USKUTOCNENE,A.SKOLENIE_DATUM,G.TEXT as BRIGADA_VYZADOVAT,"),
      QStringLiteral("B.NAZOV AS SKUPINA_1,C.NAZOV AS SKUPINA_2,D.NAZOV AS SKUPINA_3,"),
      QStringLiteral("E.NAZOV AS SKUPINA_4,F.NAZOV AS SKUPINA_5,"),
      QStringLiteral("A.PRACOVNE_ZARADENIE,A.POVOLANIE,A.TELEFON,A.EMAIL,"),
      QStringLiteral("H.text as UKONCENIE_STAV,A.UKONCENIE_DATUM,A.CLEN_OBO"),
      QStringLiteral("from temp_spracuj x"),
      QStringLiteral("left join C_CLENOV a on a.jedin=x.cislo"),
      QStringLiteral("LEFT JOIN C_CLENENIE_CLENOV B ON B.JEDIN=A.SKUPINA_1"),
      QStringLiteral("LEFT JOIN C_CLENENIE_CLENOV C ON C.JEDIN=A.SKUPINA_2"),
      QStringLiteral("LEFT JOIN C_CLENENIE_CLENOV D ON D.JEDIN=A.SKUPINA_3"),
      QStringLiteral("LEFT JOIN C_CLENENIE_CLENOV E ON E.JEDIN=A.SKUPINA_4"),
      QStringLiteral("LEFT JOIN C_CLENENIE_CLENOV F ON F.JEDIN=A.SKUPINA_5"),
      QStringLiteral("LEFT JOIN PONUKY G ON G.CISLO=A.BRIGADA_VYZADOVAT AND G.ZARADENIE='logika'"),
      QStringLiteral("LEFT JOIN PONUKY H ON H.CISLO=A.UKONCENIE_STAV AND H.ZARADENIE='ukoncenie_stav'"),
      QStringLiteral("LEFT JOIN PONUKY I ON I.CISLO=A.SKOLENIE_USKUTOCNENE AND I.ZARADENIE='logika'"),
      SelectionSetWhere(),
      QStringLiteral("order by a.nazov_uplny,a.datum_narodenia"),
  }
      .join(QLatin1Char('\n'));
}
