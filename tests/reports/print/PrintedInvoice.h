#pragma once
// An invoice print as a PDF reader gives its text, summed to check that the
// printed totals add up.
#include <QtCore/QRegularExpression>
#include <QtCore/QStringList>
#include <algorithm>

// The amounts of a document print read back from its PDF, in cents.
struct TPrintedSums {
  qint64 Lines = 0, SummaryBase = 0, SummaryVat = 0, Base = 0, Vat = 0, Total = 0;
};

// Sums the printed invoice: the last amount of each item line (its total with
// VAT), the VAT summary lines per rate (base and VAT) and the three totals.
inline TPrintedSums SumPrintedInvoice(const QString& text, const QStringList& itemNames) {
  const QRegularExpression amount(QStringLiteral("(-?\\d{1,3}(?:[ \\x{00A0}]\\d{3})*,\\d{2})"));
  const QRegularExpression summary(QStringLiteral("^\\d+ %"));
  const auto cents = [](QString printed) {
    printed.remove(QChar(0xA0)).remove(QLatin1Char(' ')).remove(QLatin1Char(','));
    return printed.toLongLong();
  };
  TPrintedSums sums;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    const QString simple = line.simplified();
    QList<qint64> found;
    for (auto match = amount.globalMatch(simple); match.hasNext();)
      found.append(cents(match.next().captured(1)));
    if (found.isEmpty()) continue;
    if (std::any_of(itemNames.begin(), itemNames.end(), [&](const QString& n) { return simple.startsWith(n); }))
      sums.Lines += found.last();
    else if (summary.match(simple).hasMatch() && found.size() == 2)
      sums.SummaryBase += found[0], sums.SummaryVat += found[1];
    else if (simple.contains(QStringLiteral("Spolu bez DPH")))
      sums.Base = found.last();
    else if (simple.contains(QStringLiteral("DPH spolu")))
      sums.Vat = found.last();
    else if (simple.contains(QStringLiteral("Spolu k úhrade")))
      sums.Total = found.last();
  }
  return sums;
}
