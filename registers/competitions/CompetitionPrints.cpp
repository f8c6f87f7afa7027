#include "registers/competitions/CompetitionPrints.h"

namespace {
// The rounds of the selection set with their competition and league.
TRegisterPrint RoundPrint(const QString& tag, const QString& title, const QString& templateName) {
  TRegisterPrint print = TRegisterPrint::Of(tag, title, templateName);
  print.AllRows = false;
  print.YearVariable = false;
  print.OrganizationVariables = false;
  print.MasterSql = {QStringLiteral("select a.jedin,a.nazov as nazov_kola,b.termin_od,b.termin_do,"),
                     QStringLiteral("b.druh as kolo,b.disciplina,b.miesto,b.nazov,b.trat,c.nazov as sutaz,"),
                     QStringLiteral("b.garant,b.rozhodca,b.veduci,b.komisia"),
                     QStringLiteral("from temp_spracuj x"),
                     QStringLiteral("left join e_preteky_kola a on a.jedin=x.cislo"),
                     QStringLiteral("left join e_preteky b on b.jedin=a.e_preteky"),
                     QStringLiteral("left join c_lig c on c.jedin=b.c_lig"),
                     SelectionSetWhere()};
  return print;
}
} // namespace

TRegisterPrint CompetitionResultsPrint() {
  TRegisterPrint print = TRegisterPrint::Of(QStringLiteral("9604832C-5EE0-4151"),
                                            QStringLiteral("Tlač výsledkov preteku"), QStringLiteral("PR_VP.rpf"));
  print.AllRows = false;
  print.YearVariable = false;
  print.OrganizationVariables = false;
  print.MasterSql = {QStringLiteral("select a.jedin,a.termin_od,a.termin_do,"),
                     QStringLiteral("a.druh as kolo,a.disciplina,a.miesto,a.nazov,a.trat,"),
                     QStringLiteral("a.garant,a.rozhodca,a.veduci,a.komisia,c.nazov as sutaz"),
                     QStringLiteral("from temp_spracuj x"),
                     QStringLiteral("left join e_preteky a on a.jedin=x.cislo"),
                     QStringLiteral("left join c_lig c on c.jedin=a.c_lig"),
                     SelectionSetWhere(),
                     QStringLiteral("order by x.jedin")};
  // The team results of every round, by round number, then placement sum, then CIPS.
  print.Details.append({QStringLiteral("DETAIL_PRETEKU"),
                        {QStringLiteral("SELECT A.UMIESTNENIE,A.CIPS,B.NAZOV AS DRUZSTVO,C.NAZOV AS KOLO"),
                         QStringLiteral("FROM SP_PRETEKY(:JEDIN) A"),
                         QStringLiteral("LEFT JOIN C_DRUZSTVA_PRETEKAROV B ON B.JEDIN=A.C_DRUZSTVA_PRETEKAROV"),
                         QStringLiteral("LEFT JOIN E_PRETEKY_KOLA C ON C.JEDIN=A.E_PRETEKY_KOLA"),
                         QStringLiteral("ORDER BY C.CISLO,A.UMIESTNENIE,A.CIPS DESC")}});
  // The competition's team standings over all its rounds.
  print.Details.append(
      {QStringLiteral("DETAIL_SUMAR"),
       {QStringLiteral("SELECT sum(A.UMIESTNENIE) as umiestnenie,sum(A.CIPS) as cips,B.NAZOV AS DRUZSTVO"),
        QStringLiteral("FROM SP_PRETEKY(:JEDIN) A"),
        QStringLiteral("LEFT JOIN C_DRUZSTVA_PRETEKAROV B ON B.JEDIN=A.C_DRUZSTVA_PRETEKAROV"),
        QStringLiteral("group by b.jedin,b.nazov ORDER BY 1,2 DESC")}});
  return print;
}

TRegisterPrint RoundResultSheetPrint() {
  TRegisterPrint print = RoundPrint(QStringLiteral("C6B6D977-AF12-437A"), QStringLiteral("Tlač výsledkovej listiny"),
                                    QStringLiteral("PR_VKP.rpf"));
  // Sector by sector, best first, penalty places last in each sector.
  print.Details.append({QStringLiteral("DETAIL_PRETEKARI"),
                        {QStringLiteral("select a.umiestnenie,a.sektor,a.sektor_cislo,a.cips,"),
                         QStringLiteral("b.nazov_uplny as pretekar,b.priezvisko,b.meno,b.titul,"),
                         QStringLiteral("b.cislo as cislo_registracie, c.nazov as druzstvo"),
                         QStringLiteral("from sp_preteky_kola(:JEDIN) a"),
                         QStringLiteral("left join c_pretekari b on b.jedin=a.c_pretekari"),
                         QStringLiteral("left join c_druzstva_pretekarov c on c.jedin=a.c_druzstva_pretekarov")}});
  print.Details.append({QStringLiteral("DETAIL_SUMARNE"),
                        {QStringLiteral("select sum(a.umiestnenie) as umiestnenie,sum(a.cips) as cips,"),
                         QStringLiteral("c.nazov as druzstvo from sp_preteky_kola(:JEDIN) a"),
                         QStringLiteral("left join c_druzstva_pretekarov c on c.jedin=a.c_druzstva_pretekarov"),
                         QStringLiteral("group by c.nazov order by 1,2 desc")}});
  return print;
}

TRegisterPrint RoundWeighingSheetPrint() {
  TRegisterPrint print = RoundPrint(QStringLiteral("728F0752-A887-41A9"), QStringLiteral("Tlač tabuľky na váženie"),
                                    QStringLiteral("PR_VT.rpf"));
  print.MasterSql.append(QStringLiteral("order by x.jedin"));
  // Every competitor entered in the round, ranked or not.
  print.Details.append(
      {QStringLiteral("DETAIL_PRETEKARI"),
       {QStringLiteral("select a.sektor,a.sektor_cislo,c.nazov as druzstvo,"),
        QStringLiteral("b.meno,b.titul,b.priezvisko,b.cislo as cislo_registracie,"),
        QStringLiteral("b.datum_narodenia,b.nazov_uplny as pretekar"), QStringLiteral("from e_preteky_pretekari a"),
        QStringLiteral("left join c_pretekari b on b.jedin=a.c_pretekari"),
        QStringLiteral("left join c_druzstva_pretekarov c on c.jedin=a.c_druzstva_pretekarov"),
        QStringLiteral("where a.e_preteky_kola=:JEDIN"), QStringLiteral("order by a.sektor,a.sektor_cislo")}});
  return print;
}
