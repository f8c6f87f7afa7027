#include "registers/members/fEBrigadyTlac.h"
#include "registers/common/PrintProtocol.h"

namespace {
QStringList ItemLines(const QString& tag, const QString& extra) {
  QStringList lines{QStringLiteral("select a.datum,a.popis,a.hodiny,b.nazov_uplny as clen"),
                    QStringLiteral("from temp_spracuj x"), QStringLiteral("left join e_brigady a on a.jedin=x.cislo"),
                    QStringLiteral("left join c_clenov b on b.jedin=a.c_clenov"), SelectionSetWhere()};
  if (!extra.isEmpty()) lines.append(extra);
  lines.append(QStringLiteral("order by b.nazov_uplny,a.datum,a.popis"));
  return lines;
}

TRegisterPrint BrigadyPrint(int button) {
  const QString itemTag = QStringLiteral("F0ACD3B3-8646-4EF5");
  TRegisterPrint print = [&]() -> TRegisterPrint {
    switch (button) {
    case 1:
      return {itemTag, true, QStringLiteral("Tlač brigád podľa mena položkovite"), QStringLiteral("Brigady01.rpf"),
              ItemLines(itemTag, QString())};
    case 2: {
      const QString tag = QStringLiteral("992495E3-97F7-4AD5");
      return {tag,
              true,
              QStringLiteral("Tlač brigád podľa mena sumárne"),
              QStringLiteral("Brigady02.rpf"),
              {QStringLiteral("select sum(a.hodiny) as hodiny,b.nazov_uplny as clen"),
               QStringLiteral("from temp_spracuj x"), QStringLiteral("left join e_brigady a on a.jedin=x.cislo"),
               QStringLiteral("left join c_clenov b on b.jedin=a.c_clenov"), SelectionSetWhere(),
               QStringLiteral("group by b.jedin,b.nazov_uplny order by b.nazov_uplny,b.jedin")}};
    }
    default:
      return {itemTag, true, QStringLiteral("Tlač brigád podľa mena položkovite iba oslobodených"),
              QStringLiteral("Brigady03.rpf"), ItemLines(itemTag, QStringLiteral("and b.BRIGADA_VYZADOVAT=0"))};
    }
  }();
  // These templates bring their own variables.
  print.YearVariable = false;
  print.OrganizationVariables = false;
  return print;
}
} // namespace

TfrmEBrigadyTlac::TfrmEBrigadyTlac(QWidget* owner, TListPattern& list) : TPrintChoiceForm(owner, QSize(328, 88)) {
  btn1 = choice.AddPrint(QStringLiteral("btn1"), BrigadyPrint(1), list);
  btn2 = choice.AddPrint(QStringLiteral("btn2"), BrigadyPrint(2), list);
  btn3 = choice.AddPrint(QStringLiteral("btn3"), BrigadyPrint(3), list);
}

TfrmEBrigadyTlac::~TfrmEBrigadyTlac() = default;
