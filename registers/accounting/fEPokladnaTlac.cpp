#include "registers/accounting/fEPokladnaTlac.h"
#include "registers/common/PrintProtocol.h"

namespace {
TRegisterPrint PokladnaPrint(const QString& tag, bool allRows, const QString& title, const QString& templateName) {
  TRegisterPrint print;
  print.Tag = tag;
  print.AllRows = allRows;
  print.Title = title;
  print.Template = templateName;
  print.MasterSql = {QStringLiteral("SELECT A.JEDIN,A.ROK,A.DATUM,A.DRUH_DOKLADU,A.P1,A.P2,A.TYP,"),
                     QStringLiteral("A.SMER_POHYBU,A.POPIS,A.NAZOV,A.ULICA,A.MESTO,A.PSC,A.ICO,"),
                     QStringLiteral("A.DIC,A.IC_DPH,A.NAZOV_UPLNY,A.SADZBA_DPH,A.PRIJEM_ZAKLAD,"),
                     QStringLiteral("A.PRIJEM_DPH,A.PRIJEM,A.VYDAJ_ZAKLAD,A.VYDAJ_DPH,A.VYDAJ,A.POZNAMKA"),
                     QStringLiteral("FROM TEMP_SPRACUJ X"),
                     QStringLiteral("LEFT JOIN E_POKLADNA A ON A.JEDIN=X.CISLO"),
                     SelectionSetWhere(),
                     QStringLiteral("ORDER BY X.JEDIN")};
  return print;
}
} // namespace

TfrmEPokladnaTlac::TfrmEPokladnaTlac(QWidget* owner, TListPattern& list) : TPrintChoiceForm(owner, QSize(328, 61)) {
  btn1 = choice.AddPrint(QStringLiteral("btn1"),
                         PokladnaPrint(QStringLiteral("A5537A0F-E343-410F"), false, QStringLiteral("Tlač dokladu"),
                                       QStringLiteral("PokDoklad.rpf")),
                         list);
  btn2 = choice.AddPrint(QStringLiteral("btn2"),
                         PokladnaPrint(QStringLiteral("B3404466-591B-4A56"), true,
                                       QStringLiteral("Tlač zoznamu dokladov"), QStringLiteral("PokZoznam.rpf")),
                         list);
}

TfrmEPokladnaTlac::~TfrmEPokladnaTlac() = default;
