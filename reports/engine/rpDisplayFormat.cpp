#include "reports/engine/rpDisplayFormat.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpValue.h"
#include "util/RtDateUtils.h"
#include <QtCore/QLocale>
#include <QtCore/QRegularExpression>
#include <cmath>

namespace {

// The absolute value as plain decimal digits with exactly `decimals` digits
// after a ".", rounded half away from zero on the value's 15 significant digits.
QString DecimalDigits(double value, int decimals) {
  QString sci = QString::number(std::fabs(value), 'e', 14); // d.dddddddddddddde±x
  const qsizetype ePos = sci.indexOf(QLatin1Char('e'));
  const int exponent = sci.mid(ePos + 1).toInt();
  QString mantissa = sci.left(ePos).remove(QLatin1Char('.'));
  // Place the digits around the point.
  QString intPart, fracPart;
  if (exponent >= 0) {
    mantissa = mantissa.leftJustified(exponent + 1, QLatin1Char('0'));
    intPart = mantissa.left(exponent + 1);
    fracPart = mantissa.mid(exponent + 1);
  } else {
    intPart = QStringLiteral("0");
    fracPart = QString(-exponent - 1, QLatin1Char('0')) + mantissa;
  }
  fracPart = fracPart.leftJustified(decimals + 1, QLatin1Char('0'));
  const bool roundUp = fracPart[decimals] >= QLatin1Char('5');
  QString digits = intPart + fracPart.left(decimals);
  if (roundUp) {
    qsizetype i = digits.size() - 1;
    for (; i >= 0; --i) {
      if (digits[i] == QLatin1Char('9')) {
        digits[i] = QLatin1Char('0');
      } else {
        digits[i] = QChar(digits[i].unicode() + 1);
        break;
      }
    }
    if (i < 0) digits.prepend(QLatin1Char('1'));
  }
  const qsizetype intLength = digits.size() - decimals;
  return decimals > 0 ? digits.left(intLength) + QLatin1Char('.') + digits.mid(intLength) : digits;
}

QString Grouped(const QString& digits, QChar separator) {
  if (separator.isNull()) return digits;
  QString out;
  for (qsizetype i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

// Splits at ";" outside quotes.
QStringList Sections(const QString& format) {
  QStringList sections{QString()};
  QChar quote;
  for (const QChar c : format) {
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
    } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
      quote = c;
    } else if (c == QLatin1Char(';')) {
      sections.append(QString());
      continue;
    }
    sections.last() += c;
  }
  return sections;
}

struct TPicture {
  QString Prefix, Suffix; // literals before the first and after the last placeholder
  int IntZeros = 0;       // "0" places before the point
  int MinDecimals = 0, MaxDecimals = 0;
  bool Grouping = false;
  bool HasDigits = false;
};

TPicture ReadPicture(const QString& section) {
  TPicture p;
  bool afterPoint = false;
  bool seenIntZero = false;
  QChar quote;
  for (const QChar c : section) {
    if (!quote.isNull()) {
      if (c == quote)
        quote = QChar();
      else
        (p.HasDigits ? p.Suffix : p.Prefix) += c;
      continue;
    }
    if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
      quote = c;
      if (p.HasDigits) p.Suffix.clear(); // literals inside the number are dropped with the part before
    } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
      p.HasDigits = true;
      p.Suffix.clear();
      if (afterPoint) {
        ++p.MaxDecimals;
        if (c == QLatin1Char('0')) p.MinDecimals = p.MaxDecimals;
      } else if (c == QLatin1Char('0') || seenIntZero) {
        seenIntZero = true;
        ++p.IntZeros;
      }
    } else if (c == QLatin1Char('.') && !afterPoint) {
      afterPoint = true;
      p.HasDigits = true;
      p.Suffix.clear();
    } else if (c == QLatin1Char(',') && !afterPoint) {
      p.Grouping = true;
    } else {
      (p.HasDigits ? p.Suffix : p.Prefix) += c;
    }
  }
  return p;
}

QString ApplyPicture(const TPicture& p, double absValue, QChar decimalSeparator, QChar thousandSeparator) {
  if (!p.HasDigits) return p.Prefix;
  QString digits = DecimalDigits(absValue, p.MaxDecimals);
  QString intPart = digits.section(QLatin1Char('.'), 0, 0);
  QString fracPart = digits.section(QLatin1Char('.'), 1);
  while (fracPart.size() > p.MinDecimals && fracPart.endsWith(QLatin1Char('0')))
    fracPart.chop(1);
  intPart.remove(QRegularExpression(QStringLiteral("^0+")));
  if (intPart.size() < p.IntZeros) intPart = intPart.rightJustified(p.IntZeros, QLatin1Char('0'));
  if (p.Grouping) intPart = Grouped(intPart, thousandSeparator);
  QString out = p.Prefix + intPart;
  if (!fracPart.isEmpty()) out += decimalSeparator + fracPart;
  return out + p.Suffix;
}

QChar DecimalSeparatorOf(qint32 code) {
  const char16_t c = rpFormatSeparator(code);
  return c != 0 ? QChar(c) : QLocale().decimalPoint().at(0);
}

QChar LocaleGroupSeparator() { return QLocale().groupSeparator().at(0); }

QString FormatNumber(const QVariant& value, qint32 code, const QString& format) {
  const double v = rpValueToFloat(value);
  const int decimals = rpFormatDecimals(code);
  const QChar sep = DecimalSeparatorOf(code);
  const QString hashes(decimals, QLatin1Char('#'));
  switch (rpFormatForm(code)) {
  case 0:
    return rpFormatFloat(QStringLiteral("##0.") + hashes, v, sep, LocaleGroupSeparator());
  case 1:
    return rpFormatFixed(v, decimals, sep);
  case 2:
    return rpFormatFloat(QStringLiteral("#,##0.") + hashes, v, sep, LocaleGroupSeparator());
  case 3:
    return rpFormatFixed(v, decimals, sep, LocaleGroupSeparator());
  case 4:
    return rpFormatFloat(format, v, sep, LocaleGroupSeparator());
  default:
    return QString();
  }
}

QString FormatDate(const QVariant& value, int form, const QString& format) {
  const TDateTime v = rpValueToFloat(value);
  if (form == 3) {
    int year = 0, month = 0, day = 0;
    DecodeDateParts(v, year, month, day);
    return QLocale().toString(QDate(year, month, day), QLocale::LongFormat);
  }
  if (form == 4) return FormatDateTime(format, v);
  if (form < 3) return FormatDateTime(rpGlobals().DateFormats.value(form), v);
  return QString();
}

QString FormatTime(const QVariant& value, int form, const QString& format) {
  const TDateTime v = rpValueToFloat(value);
  if (form == 4) return FormatDateTime(format, v);
  if (form < 4) return FormatDateTime(rpGlobals().TimeFormats.value(form), v);
  return QString();
}

QString FormatLogical(const QVariant& value, int form, const QString& format) {
  QString pair;
  if (form == 4)
    pair = format;
  else if (form < 4)
    pair = rpGlobals().LogicalFormats.value(form);
  else
    return QString();
  const bool isTrue = rpValueToFloat(value) != 0;
  const qsizetype semicolon = pair.indexOf(QLatin1Char(';'));
  if (semicolon < 0) return isTrue ? QString() : pair;
  return isTrue ? pair.mid(semicolon + 1) : pair.left(semicolon);
}

} // namespace

QString rpFormatFixed(double value, int decimals, QChar decimalSeparator, QChar thousandSeparator) {
  QString digits = DecimalDigits(value, decimals);
  QString intPart = digits.section(QLatin1Char('.'), 0, 0);
  const QString fracPart = digits.section(QLatin1Char('.'), 1);
  intPart = Grouped(intPart, thousandSeparator);
  QString out = intPart;
  if (decimals > 0) out += decimalSeparator + fracPart;
  const bool allZero = !digits.contains(QRegularExpression(QStringLiteral("[1-9]")));
  return value < 0 && !allZero ? QLatin1Char('-') + out : out;
}

QString rpFormatFloat(const QString& format, double value, QChar decimalSeparator, QChar thousandSeparator) {
  if (format.isEmpty()) return QString::number(value, 'g', 15).replace(QLatin1Char('.'), decimalSeparator);
  const QStringList sections = Sections(format);
  QString section = sections[0];
  bool minus = false;
  if (value < 0) {
    if (sections.size() > 1 && !sections[1].isEmpty())
      section = sections[1];
    else
      minus = true;
  }
  const TPicture picture = ReadPicture(section);
  QString text = ApplyPicture(picture, value, decimalSeparator, thousandSeparator);
  const bool roundsToZero =
      !DecimalDigits(value, picture.MaxDecimals).contains(QRegularExpression(QStringLiteral("[1-9]")));
  if (roundsToZero && sections.size() > 2 && !sections[2].isEmpty())
    return ApplyPicture(ReadPicture(sections[2]), 0, decimalSeparator, thousandSeparator);
  if (minus && !roundsToZero) text.prepend(QLatin1Char('-'));
  return text;
}

QString rpFormatMaskText(const QString& mask, const QString& text) {
  static const QString places = QStringLiteral("09#LlAaCc");
  QString out;
  qsizetype next = 0;
  for (qsizetype i = 0; i < mask.size(); ++i) {
    const QChar m = mask[i];
    if (m == QLatin1Char('\\') && i + 1 < mask.size()) {
      out += mask[++i];
    } else if (places.contains(m)) {
      out += next < text.size() ? text[next++] : QLatin1Char(' ');
    } else if (m != QLatin1Char('>') && m != QLatin1Char('<') && m != QLatin1Char('!')) {
      out += m;
    }
  }
  return out;
}

bool rpParseFormatSuffix(const QString& suffix, qint32& code, QString& format) {
  if (suffix.isEmpty()) return false;
  const QChar first = suffix[0];
  if (first.isDigit() || first.toUpper() == QLatin1Char('N')) {
    QString s = first.isDigit() ? QLatin1Char('N') + suffix : suffix;
    const bool fixed = s.size() > 1 && s[1].isDigit();
    char16_t separator = 0;
    int decimals = 0;
    for (qsizetype i = s.size() - 1; i >= 1; --i) {
      if (s[i] == QLatin1Char(',') || s[i] == QLatin1Char('-') || s[i] == QLatin1Char('.')) {
        separator = s[i].unicode();
        s[i] = QLatin1Char('.');
        if (fixed) {
          qsizetype end = i + 1;
          while (end < s.size() && s[end].isDigit())
            ++end;
          decimals = s.mid(i + 1, end - i - 1).toInt();
        }
        break;
      }
    }
    if (fixed) {
      code = rpMakeFormatCode(1, 1, decimals, separator);
    } else {
      code = rpMakeFormatCode(1, 4, 0, separator);
      format = s.mid(1);
    }
    return true;
  }
  const QChar upper = first.toUpper();
  if (upper == QLatin1Char('D') || upper == QLatin1Char('T')) {
    code = rpMakeFormatCode(2, 4);
    format = suffix.mid(1);
    return true;
  }
  if (upper == QLatin1Char('B')) {
    code = rpMakeFormatCode(4, 4);
    format = suffix.mid(1);
    return true;
  }
  return false;
}

QString rpFormatByDisplayFormat(const QVariant& value, qint32 code, const QString& format) {
  if (rpIsNull(value)) return QString();
  if (rpValueKind(value) == TrpValueKind::Text && value.toString().trimmed().isEmpty()) return QString();
  try {
    const int form = rpFormatForm(code);
    switch (rpFormatGroup(code)) {
    case 0:
      return rpValueToText(value);
    case 1:
      return FormatNumber(value, code, format);
    case 2:
      return FormatDate(value, form, format);
    case 3:
      return FormatTime(value, form, format);
    case 4:
      return FormatLogical(value, form, format);
    default:
      return QString();
    }
  } catch (const Exception&) {
    return rpValueToText(value);
  }
}
