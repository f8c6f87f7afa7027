#pragma once
#include "core/DateTime.h"
#include "core/Exception.h"
#include <QtCore/QVariant>

// The values that expressions, variables and functions exchange, and the one
// set of rules by which the engine computes with them. A value is a QVariant:
// invalid or null is Null; the integer types are integers; double and float
// floating; bool boolean; QString text; QDateTime, QDate and QTime a date-time
// (counted in days since 30.12.1899 when a number is needed).

// Raised when a value cannot be read as the kind an operation needs
// (a text that is not a number, Null where a number is required).
class ErpConversionError : public Exception {
public:
  using Exception::Exception;
};

// Raised for an integer division (MOD) by zero.
class ErpDivisionByZero : public Exception {
public:
  using Exception::Exception;
};

enum class TrpValueKind { Null, Integer, Float, Boolean, Text, DateTime };

TrpValueKind rpValueKind(const QVariant& value);
inline bool rpIsNull(const QVariant& value) { return rpValueKind(value) == TrpValueKind::Null; }

// Integer results are qint64, date-times QDateTime.
QVariant rpIntegerValue(qint64 value);
QVariant rpDateTimeValue(TDateTime value);

// Text form: Null "", numbers with up to 15 significant digits and the
// locale's decimal separator, booleans "True"/"False", dates dd.MM.yyyy with
// the time hh:mm:ss when it is not midnight.
QString rpValueToText(const QVariant& value);
// Numbers: texts through rpStrToFloat, booleans -1 and 0, date-times their day
// count; Null raises ErpConversionError.
double rpValueToFloat(const QVariant& value);
// Floating values round to the nearest integer, halves to even.
qint64 rpValueToInteger(const QVariant& value);

// A date in the system format (d.M.yyyy or d.M.yy, blanks allowed after the
// dots) and a time of day (h:m or h:m:s); other text raises ErpConversionError.
TDateTime rpTextToDate(const QString& text);
TDateTime rpTextToTime(const QString& text);

// The operators. Arithmetic with Null gives Null. "+" on two texts
// concatenates; a date-time plus or minus a number stays a date-time.
QVariant rpAdd(const QVariant& a, const QVariant& b);
QVariant rpSubtract(const QVariant& a, const QVariant& b);
QVariant rpMultiply(const QVariant& a, const QVariant& b);
// Floating division; a divisor equal to 0 gives integer 0.
QVariant rpDivide(const QVariant& a, const QVariant& b);
// Integer remainder; a divisor 0 raises ErpDivisionByZero.
QVariant rpModulo(const QVariant& a, const QVariant& b);
// Logical on two booleans, bitwise on integers otherwise.
QVariant rpAnd(const QVariant& a, const QVariant& b);
QVariant rpOr(const QVariant& a, const QVariant& b);
QVariant rpNegate(const QVariant& a);

// -1, 0 or 1. Two texts compare as texts, everything else as numbers; Null
// equals Null and is less than any other value.
int rpCompare(const QVariant& a, const QVariant& b);
