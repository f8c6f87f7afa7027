#pragma once
#include <QtCore/QString>
#include <QtCore/QVariant>
#include <optional>

// The value times 10^decimals as a whole number, rounded half away from zero
// on the decimal digits (so 2.675 with 2 decimals gives 268, which binary
// floating point would make 267); nullopt for text that is not a number or a
// result outside 64 bits. Text may use "." or "," and an exponent.
std::optional<qint64> ScaleDecimal(const QString& text, int decimals);

// The same for a parameter value: integers exactly, floating values by their
// shortest decimal form (15 significant digits), booleans as 1 and 0.
std::optional<qint64> ScaleDecimal(const QVariant& value, int decimals);
