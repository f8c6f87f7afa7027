#include "registers/permits/fECeninyTlac.h"
#include "registers/common/PrintProtocol.h"

namespace {
// A print of the chosen movements with `columns` and the lines after the join.
TRegisterPrint ValuablesPrint(const QString& tag, const QString& title, const QString& templateName,
                              const QStringList& columns, const QStringList& tail) {
  TRegisterPrint print;
  print.Tag = tag;
  print.Title = title;
  print.Template = templateName;
  print.YearVariable = false;
  print.OrganizationVariables = false;
  print.MasterSql = columns;
  print.MasterSql << QStringLiteral("from temp_spracuj x") << QStringLiteral("left join e_ceniny a on a.jedin=x.cislo")
                  << QStringLiteral("left join c_ceniny b on b.jedin=a.c_ceniny") << SelectionSetWhere() << tail;
  return print;
}
} // namespace

TfrmECeninyTlac::TfrmECeninyTlac(QWidget* owner, TListPattern& list) : TPrintChoiceForm(owner, QSize(328, 61)) {
  btn1 =
      choice.AddPrint(QStringLiteral("btn1"),
                      ValuablesPrint(QStringLiteral("49A980A0-6862-4488"),
                                     QStringLiteral("Tlač zoznam cenín položkovite"), QStringLiteral("Ceniny01.rpf"),
                                     {QStringLiteral("select a.cislo,a.datum,a.cena,a.cena*a.mnozstvo as cena_spolu,"),
                                      QStringLiteral("a.odvod_jux,a.odvod_jux*a.mnozstvo as odvod_jux_spolu,"),
                                      QStringLiteral("a.mnozstvo,a.nazov_uplny,a.poznamka,b.nazov as nazov")},
                                     {QStringLiteral("order by a.cislo")}),
                      list);
  btn2 = choice.AddPrint(
      QStringLiteral("btn2"),
      ValuablesPrint(
          QStringLiteral("6AA96B17-44E1-41C5"), QStringLiteral("Tlač cenín sumárne"), QStringLiteral("Ceniny02.rpf"),
          {QStringLiteral("select a.smer_pohybu,b.nazov,a.cena,a.odvod_jux,sum(a.cena*a.mnozstvo) as cena_spolu,"),
           QStringLiteral("sum(a.odvod_jux*a.mnozstvo) as odvod_jux_spolu,sum(a.mnozstvo) as mnozstvo")},
          {QStringLiteral("group by a.smer_pohybu,b.nazov,a.c_ceniny,a.cena,a.odvod_jux"),
           QStringLiteral("order by a.smer_pohybu desc,b.nazov")}),
      list);
}

TfrmECeninyTlac::~TfrmECeninyTlac() = default;
