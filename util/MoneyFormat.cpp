#include "util/MoneyFormat.h"
#include <QtCore/QLocale>
#include <cmath>

QString FormatMoney(double amount, int width) {
  // Fixed to Slovak whatever the system's locale: the branch's books are kept in euro.
  static const QLocale slovak(QLocale::Slovak, QLocale::Slovakia);
  const double cents = std::round(std::fabs(amount) * 100.0);
  // Qt writes a negative amount in parentheses; a balance shows its minus sign.
  const QString sign = amount < 0 && cents != 0 ? QStringLiteral("-") : QString();
  const QString text = sign + slovak.toCurrencyString(cents / 100.0, QStringLiteral("€"), 2);
  return text.rightJustified(width, QLatin1Char(' '));
}
