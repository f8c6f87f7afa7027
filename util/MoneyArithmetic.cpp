#include "util/MoneyArithmetic.h"
#include <cmath>

namespace {
// numerator / denominator to the nearest whole number, halves away from zero
// (the denominator is positive).
qint64 DivideRounded(qint64 numerator, qint64 denominator) {
  const qint64 half = denominator / 2;
  return numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
}
} // namespace

qint64 ToCents(double amount) { return std::llround(amount * 100.0); }

double FromCents(qint64 cents) { return double(cents) / 100.0; }

qint64 ToThousandths(double quantity) { return std::llround(quantity * 1000.0); }

qint64 LineCents(qint64 unitCents, qint64 quantityThousandths) {
  return DivideRounded(unitCents * quantityThousandths, 1000);
}

qint64 VatCents(qint64 baseCents, int rate) { return DivideRounded(baseCents * rate, 100); }
