#include "registers/members/fCClenovTlac.h"
#include "registers/members/MemberQueries.h"

namespace {
TRegisterPrint MembersPrint(const QString& title, const QString& templateName, const QString& tag) {
  TRegisterPrint print = TRegisterPrint::Of(tag, title, templateName);
  print.MasterSql = ChosenMembersSql().split(QLatin1Char('\n'));
  return print;
}
} // namespace

TfrmCClenovTlac::TfrmCClenovTlac(QWidget* owner, TListPattern& list) : TPrintChoiceForm(owner, QSize(328, 61)) {
  btn1 = choice.AddPrint(QStringLiteral("btn1"),
                         MembersPrint(QStringLiteral("Tlač zoznamu členov"), QStringLiteral("ClenZoznam.rpf"),
                                      QStringLiteral("DBD05A9C-3FA7-4662")),
                         list);
  btn2 = choice.AddPrint(QStringLiteral("btn2"),
                         MembersPrint(QStringLiteral("Tlač štítkov"), QStringLiteral("ClenStitky.rpf"),
                                      QStringLiteral("BFA2BA58-3F64-48AF")),
                         list);
}

TfrmCClenovTlac::~TfrmCClenovTlac() = default;
