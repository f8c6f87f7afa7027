#pragma once
#include <QtCore/QtGlobal>

// Money in whole cents, so that every total is the sum of the lines as they
// are shown and printed. Rounding is to the nearest cent, halves away from
// zero, as the database rounds a cast of an exact number.

// The amount of an edit or a column (two decimals) in cents.
qint64 ToCents(double amount);
double FromCents(qint64 cents);
// A quantity (three decimals) in thousandths.
qint64 ToThousandths(double quantity);
// Unit price times quantity, rounded once to the cent.
qint64 LineCents(qint64 unitCents, qint64 quantityThousandths);
// The VAT of a base at a rate in per cent, rounded once to the cent.
qint64 VatCents(qint64 baseCents, int rate);
