#include "registers/competitions/fEPretekyTlac.h"
#include "registers/common/PrintProtocol.h"

TfrmEPretekyTlac::TfrmEPretekyTlac(QWidget* owner, TListPattern& list) : TPrintChoiceForm(owner, QSize(328, 31)) {
  TRegisterPrint print;
  print.Tag = QStringLiteral("9604832C-5EE0-4151");
  print.AllRows = false;
  print.Title = QStringLiteral("Tlač výsledkov preteku");
  print.Template = QStringLiteral("PR_VP.rpf");
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
  btn1 = choice.AddPrint(QStringLiteral("btn1"), print, list);
}

TfrmEPretekyTlac::~TfrmEPretekyTlac() = default;
