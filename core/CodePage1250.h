#pragma once
#include "core/SingleByteCodePage.h"

// Windows code page 1250, the code page of every stored byte string:
// database connection, template and other binary files, dBASE, SYLK, text exports.
namespace Cp1250 {

const TSingleByteCodePage& CodePage();

// The Unicode character of a byte (0x00-0xFF). The five unassigned bytes
// 0x81, 0x83, 0x88, 0x90 and 0x98 give U+FFFD.
char16_t ToUnicode(unsigned char byte);

// The byte of a Unicode character, or -1 when code page 1250 lacks it.
int FromUnicode(char16_t ch);

QString Decode(QByteArrayView bytes);

// Encodes the text; throws ECodePageError naming the first character that
// code page 1250 cannot hold.
QByteArray Encode(QStringView text);

// Encodes the text, putting `replacement` for every character 1250 lacks.
QByteArray EncodeLossy(QStringView text, char replacement = '?');

// Index of the first character that code page 1250 cannot hold, or -1.
qsizetype FirstUnencodable(QStringView text);

} // namespace Cp1250
