#include "reports/engine/rpValue.h"
#include "reports/engine/rpUtils.h"
#include <QtCore/QLocale>
#include <cmath>
#include <limits>

TrpValueKind rpValueKind(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return TrpValueKind::Null;
  switch (value.typeId()) {
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::LongLong:
  case QMetaType::ULongLong:
  case QMetaType::Short:
  case QMetaType::UShort:
  case QMetaType::Char:
  case QMetaType::SChar:
  case QMetaType::UChar:
  case QMetaType::Long:
  case QMetaType::ULong:
    return TrpValueKind::Integer;
  case QMetaType::Double:
  case QMetaType::Float:
    return TrpValueKind::Float;
  case QMetaType::Bool:
    return TrpValueKind::Boolean;
  case QMetaType::QDateTime:
  case QMetaType::QDate:
  case QMetaType::QTime:
    return TrpValueKind::DateTime;
  default:
    return TrpValueKind::Text;
  }
}

QVariant rpIntegerValue(qint64 value) { return QVariant(qlonglong(value)); }
QVariant rpDateTimeValue(TDateTime value) { return QVariant(DateTime::ToDateTime(value)); }

namespace {

TDateTime DateTimeOf(const QVariant& value) {
  switch (value.typeId()) {
  case QMetaType::QDate:
    return DateTime::FromDate(value.toDate());
  case QMetaType::QTime:
    return DateTime::FromTime(value.toTime());
  default:
    return DateTime::FromDateTime(value.toDateTime());
  }
}

QString FloatText(double v) {
  QString text = QString::number(v, 'g', 15);
  return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

QString DateTimeText(const QVariant& value) {
  const QDateTime dt = DateTime::ToDateTime(DateTimeOf(value));
  if (!dt.isValid()) return QString();
  const QString date = dt.date().toString(QStringLiteral("dd.MM.yyyy"));
  return dt.time().msecsSinceStartOfDay() == 0
             ? date
             : date + QLatin1Char(' ') + dt.time().toString(QStringLiteral("hh:mm:ss"));
}

// Integer arithmetic that overflows continues in floating point.
QVariant IntegerResult(qint64 a, qint64 b, char op) {
  qint64 r = 0;
  bool overflow = false;
  switch (op) {
  case '+':
    overflow = __builtin_add_overflow(a, b, &r);
    break;
  case '-':
    overflow = __builtin_sub_overflow(a, b, &r);
    break;
  default:
    overflow = __builtin_mul_overflow(a, b, &r);
    break;
  }
  if (!overflow) return rpIntegerValue(r);
  const double x = double(a), y = double(b);
  return op == '+' ? x + y : op == '-' ? x - y : x * y;
}

QVariant Arithmetic(const QVariant& a, const QVariant& b, char op) {
  const TrpValueKind ka = rpValueKind(a), kb = rpValueKind(b);
  if (ka == TrpValueKind::Null || kb == TrpValueKind::Null) return QVariant();
  if (ka == TrpValueKind::Integer && kb == TrpValueKind::Integer)
    return IntegerResult(a.toLongLong(), b.toLongLong(), op);
  if (op != '*') {
    // A date-time moved by a number stays a date-time; two date-times differ by days.
    if (ka == TrpValueKind::DateTime && kb != TrpValueKind::DateTime) {
      const double days = rpValueToFloat(b);
      return rpDateTimeValue(DateTimeOf(a) + (op == '+' ? days : -days));
    }
    if (op == '+' && kb == TrpValueKind::DateTime && ka != TrpValueKind::DateTime)
      return rpDateTimeValue(DateTimeOf(b) + rpValueToFloat(a));
  }
  const double x = rpValueToFloat(a), y = rpValueToFloat(b);
  return op == '+' ? x + y : op == '-' ? x - y : x * y;
}

QVariant Bitwise(const QVariant& a, const QVariant& b, bool isAnd) {
  const TrpValueKind ka = rpValueKind(a), kb = rpValueKind(b);
  if (ka == TrpValueKind::Null || kb == TrpValueKind::Null) return QVariant();
  if (ka == TrpValueKind::Boolean && kb == TrpValueKind::Boolean)
    return isAnd ? (a.toBool() && b.toBool()) : (a.toBool() || b.toBool());
  const qint64 x = rpValueToInteger(a), y = rpValueToInteger(b);
  return rpIntegerValue(isAnd ? (x & y) : (x | y));
}

int Sign(double d) { return d < 0 ? -1 : d > 0 ? 1 : 0; }

} // namespace

QString rpValueToText(const QVariant& value) {
  switch (rpValueKind(value)) {
  case TrpValueKind::Null:
    return QString();
  case TrpValueKind::Integer:
    return QString::number(value.toLongLong());
  case TrpValueKind::Float:
    return FloatText(value.toDouble());
  case TrpValueKind::Boolean:
    return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
  case TrpValueKind::DateTime:
    return DateTimeText(value);
  case TrpValueKind::Text:
    break;
  }
  return value.toString();
}

double rpValueToFloat(const QVariant& value) {
  switch (rpValueKind(value)) {
  case TrpValueKind::Null:
    throw ErpConversionError(QStringLiteral("Hodnotu Null nemožno previesť na číslo."));
  case TrpValueKind::Integer:
    return double(value.toLongLong());
  case TrpValueKind::Float:
    return value.toDouble();
  case TrpValueKind::Boolean:
    return value.toBool() ? -1.0 : 0.0;
  case TrpValueKind::DateTime:
    return DateTimeOf(value);
  case TrpValueKind::Text:
    break;
  }
  return rpStrToFloat(value.toString());
}

qint64 rpValueToInteger(const QVariant& value) {
  if (rpValueKind(value) == TrpValueKind::Integer) return value.toLongLong();
  const double d = std::nearbyint(rpValueToFloat(value));
  if (!(std::fabs(d) < 9.2e18))
    throw ErpConversionError(QStringLiteral("Číslo %1 je mimo rozsahu celých čísel.").arg(FloatText(d)));
  return qint64(d);
}

TDateTime rpTextToDate(const QString& text) {
  const QString compact = QString(text).remove(QLatin1Char(' '));
  QDate date = QDate::fromString(compact, QStringLiteral("d.M.yyyy"));
  if (!date.isValid()) {
    date = QDate::fromString(compact, QStringLiteral("d.M.yy")); // read as 1900-1999
    if (date.isValid() && date.year() < 1950) date = date.addYears(100);
  }
  if (!date.isValid()) throw ErpConversionError(QStringLiteral("'%1' nie je platný dátum.").arg(text));
  return DateTime::FromDate(date);
}

TDateTime rpTextToTime(const QString& text) {
  for (const char* format : {"h:m:s", "h:m"}) {
    const QTime time = QTime::fromString(text.trimmed(), QLatin1String(format));
    if (time.isValid()) return DateTime::FromTime(time);
  }
  throw ErpConversionError(QStringLiteral("'%1' nie je platný čas.").arg(text));
}

QVariant rpAdd(const QVariant& a, const QVariant& b) {
  if (rpValueKind(a) == TrpValueKind::Text && rpValueKind(b) == TrpValueKind::Text)
    return QString(a.toString() + b.toString());
  return Arithmetic(a, b, '+');
}

QVariant rpSubtract(const QVariant& a, const QVariant& b) { return Arithmetic(a, b, '-'); }
QVariant rpMultiply(const QVariant& a, const QVariant& b) { return Arithmetic(a, b, '*'); }

QVariant rpDivide(const QVariant& a, const QVariant& b) {
  if (rpIsNull(a) || rpIsNull(b)) return QVariant();
  const double divisor = rpValueToFloat(b);
  if (divisor == 0) return rpIntegerValue(0);
  return rpValueToFloat(a) / divisor;
}

QVariant rpModulo(const QVariant& a, const QVariant& b) {
  if (rpIsNull(a) || rpIsNull(b)) return QVariant();
  const qint64 x = rpValueToInteger(a), y = rpValueToInteger(b);
  if (y == 0) throw ErpDivisionByZero(QStringLiteral("Delenie nulou."));
  if (y == -1) return rpIntegerValue(0); // INT64_MIN MOD -1 would trap
  return rpIntegerValue(x % y);
}

QVariant rpAnd(const QVariant& a, const QVariant& b) { return Bitwise(a, b, true); }
QVariant rpOr(const QVariant& a, const QVariant& b) { return Bitwise(a, b, false); }

QVariant rpNegate(const QVariant& a) {
  switch (rpValueKind(a)) {
  case TrpValueKind::Null:
    return QVariant();
  case TrpValueKind::Integer:
    if (a.toLongLong() == std::numeric_limits<qint64>::min()) return -double(a.toLongLong());
    return rpIntegerValue(-a.toLongLong());
  case TrpValueKind::Boolean:
    return rpIntegerValue(a.toBool() ? 1 : 0);
  default:
    return -rpValueToFloat(a);
  }
}

int rpCompare(const QVariant& a, const QVariant& b) {
  const TrpValueKind ka = rpValueKind(a), kb = rpValueKind(b);
  if (ka == TrpValueKind::Null || kb == TrpValueKind::Null)
    return (ka == TrpValueKind::Null ? 0 : 1) - (kb == TrpValueKind::Null ? 0 : 1);
  if (ka == TrpValueKind::Text && kb == TrpValueKind::Text) {
    const QString x = a.toString(), y = b.toString();
    if (x == y) return 0;
    const int c = QString::localeAwareCompare(x, y);
    return c != 0 ? Sign(c) : Sign(x.compare(y));
  }
  if (ka == TrpValueKind::Integer && kb == TrpValueKind::Integer) {
    const qint64 x = a.toLongLong(), y = b.toLongLong();
    return x < y ? -1 : x > y ? 1 : 0;
  }
  const double x = rpValueToFloat(a), y = rpValueToFloat(b);
  return x < y ? -1 : x > y ? 1 : 0;
}
