#pragma once
#include <QtCore/QString>
#include <QtCore/QVariant>

// Display formats of report values: the 32-bit format code of text objects
// (bits 24-27 group: 0 text, 1 number, 2 date, 3 time, 4 logical; bits 16-23
// form, 4 meaning the format string; bits 8-15 decimals; bits 0-7 the decimal
// separator of numbers), the format suffix of bracketed expressions, and the
// float, fixed and edit-mask formatting they use.

constexpr qint32 rpMakeFormatCode(int group, int form, int decimals = 0, char16_t separator = 0) {
  return qint32((group << 24) | (form << 16) | ((decimals & 0xFF) << 8) | (separator & 0xFF));
}
inline int rpFormatGroup(qint32 code) { return (code >> 24) & 0x0F; }
inline int rpFormatForm(qint32 code) { return (code >> 16) & 0xFF; }
inline int rpFormatDecimals(qint32 code) { return (code >> 8) & 0xFF; }
inline char16_t rpFormatSeparator(qint32 code) { return char16_t(code & 0xFF); }

// The text of the value under the code; "" for Null, blank text, a group above
// 4 or a form above 4. A value the format cannot convert gives its plain text.
QString rpFormatByDisplayFormat(const QVariant& value, qint32 code, const QString& format);

// Reads the suffix after " #" ("N2,2", "N###,##0.00", "Dd.m.yyyy", "BNie;Áno")
// into a code and a format string; false (both untouched) for an unknown first letter.
bool rpParseFormatSuffix(const QString& suffix, qint32& code, QString& format);

// A float by a picture of "0", "#", one ".", "," (thousands grouping) and
// quoted or plain literals, in up to three ";" sections (positive, negative,
// zero). Decimals round half away from zero on 15 significant digits.
QString rpFormatFloat(const QString& format, double value, QChar decimalSeparator, QChar thousandSeparator);
// Fixed with the decimals (grouped with the separator when it is not null), 15 significant digits.
QString rpFormatFixed(double value, int decimals, QChar decimalSeparator, QChar thousandSeparator = QChar());

// The text through an edit mask: "0", "9", "#", "L", "l", "A", "a", "C", "c"
// take the next character of the text, "\" makes the next mask character a
// literal, which is shown; the text's own characters fill the places in order
// and places left over show the blank.
QString rpFormatMaskText(const QString& mask, const QString& text);
