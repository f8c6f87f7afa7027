#include "reports/engine/rpQPLFunctionLibrary.h"
#include "reports/engine/rpParser.h"
#include "reports/engine/rpRunContext.h"
#include "reports/engine/rpValue.h"
#include <cmath>

std::function<QString(qint64)> TQPLFunctionLibrary::NumberInWords = [](qint64 number) {
  return QString::number(number);
};

QString rpMoneyToStr(double amount) {
  const double whole = std::trunc(amount);
  // 2^63 is the first value that does not fit.
  if (!(std::fabs(whole) < 9223372036854775808.0))
    throw ErpConversionError(QStringLiteral("Číslo %1 je mimo rozsahu celých čísel.").arg(rpValueToText(amount)));
  const qint64 number = qint64(whole);
  const QString words = TQPLFunctionLibrary::NumberInWords(number < 0 ? -number : number);
  return number < 0 ? QStringLiteral("mínus ") + words : words;
}

TQPLFunctionLibrary::TQPLFunctionLibrary() {
  List = {QStringLiteral("MONEYTOSTR")};
  AddDescription(QStringLiteral("MONEYTOSTR"), QStringLiteral("Palendrix"),
                 QStringLiteral("MONEYTOSTR(<Number>)/Vráti číslo ako text suma slovom."));
}

void TQPLFunctionLibrary::ExecuteFunction(TrpRunContext& run, int number, const QString& p1, const QString&,
                                          const QString&, QVariant& val) {
  val = number == 0 ? QVariant(rpMoneyToStr(rpValueToFloat(run.Parser->Calc(p1)))) : rpIntegerValue(0);
}
