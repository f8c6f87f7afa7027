#include "registers/members/fEPredmetyTlac.h"
#include "registers/common/PrintProtocol.h"

namespace {
TRegisterPrint PredmetyPrint(int button) {
  const bool items = button == 1;
  const QString tag = items ? QStringLiteral("D407795B-D2DB-451D") : QStringLiteral("6932A6A0-3859-42F1");
  TRegisterPrint print;
  print.Tag = tag;
  print.Title = items ? QStringLiteral("Tlač zverených predmetov položkovite")
                      : QStringLiteral("Tlač zverených predmetov sumárne");
  print.Template = items ? QStringLiteral("Predmety01.rpf") : QStringLiteral("Predmety02.rpf");
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
  print.YearVariable = false;
  print.OrganizationVariables = false;
  return print;
}
} // namespace

TfrmEPredmetyTlac::TfrmEPredmetyTlac(QWidget* owner, TListPattern& list) : TPrintChoiceForm(owner, QSize(328, 61)) {
  btn1 = choice.AddPrint(QStringLiteral("btn1"), PredmetyPrint(1), list);
  btn2 = choice.AddPrint(QStringLiteral("btn2"), PredmetyPrint(2), list);
}

TfrmEPredmetyTlac::~TfrmEPredmetyTlac() = default;
