#include "db/IBDecimal.h"
#include <QtCore/QRegularExpression>
#include <limits>

std::optional<qint64> ScaleDecimal(const QString& text, int decimals) {
  static const QRegularExpression number(QStringLiteral("^([+-]?)(\\d*)(?:[.,](\\d*))?(?:[eE]([+-]?\\d{1,4}))?$"));
  const QRegularExpressionMatch match = number.match(text.trimmed());
  if (!match.hasMatch() || match.capturedLength(2) + match.capturedLength(3) == 0) return std::nullopt;
  QString digits = match.captured(2) + match.captured(3);
  const int shift = match.captured(4).toInt() - int(match.capturedLength(3)) + decimals;
  bool roundUp = false;
  if (shift >= 0) {
    digits += QString(shift, QLatin1Char('0'));
  } else {
    // The first dropped digit decides; when even that lies left of the digits, it is 0.
    const qsizetype keep = digits.size() + shift;
    roundUp = keep >= 0 && digits[keep] >= QLatin1Char('5');
    digits.truncate(qMax<qsizetype>(keep, 0));
  }
  while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
    digits.remove(0, 1);
  if (digits.isEmpty()) digits = QStringLiteral("0");
  if (digits.size() > 19) return std::nullopt;
  bool ok = false;
  qint64 magnitude = digits.toLongLong(&ok);
  if (!ok || (roundUp && magnitude == std::numeric_limits<qint64>::max())) return std::nullopt;
  if (roundUp) ++magnitude;
  return match.captured(1) == QLatin1String("-") ? -magnitude : magnitude;
}

std::optional<qint64> ScaleDecimal(const QVariant& value, int decimals) {
  switch (value.typeId()) {
  case QMetaType::Bool:
    return ScaleDecimal(QString::number(value.toBool() ? 1 : 0), decimals);
  case QMetaType::Double:
  case QMetaType::Float:
    return ScaleDecimal(QString::number(value.toDouble(), 'g', 15), decimals);
  case QMetaType::Int:
  case QMetaType::LongLong:
  case QMetaType::Short:
    return ScaleDecimal(QString::number(value.toLongLong()), decimals);
  case QMetaType::UInt:
  case QMetaType::ULongLong:
  case QMetaType::UShort:
    return ScaleDecimal(QString::number(value.toULongLong()), decimals);
  default:
    return ScaleDecimal(value.toString(), decimals);
  }
}
