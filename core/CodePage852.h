#pragma once
#include "core/SingleByteCodePage.h"

// IBM code page 852 (DOS Latin 2), the code page of DOS-era dBASE files of
// Central European programs. Every byte has a character.
namespace Cp852 {

const TSingleByteCodePage& CodePage();

// The Unicode character of a byte (0x00-0xFF).
char16_t ToUnicode(unsigned char byte);

// The byte of a Unicode character, or -1 when code page 852 lacks it.
int FromUnicode(char16_t ch);

QString Decode(QByteArrayView bytes);

// Encodes the text, putting `replacement` for every character 852 lacks.
QByteArray EncodeLossy(QStringView text, char replacement = '_');

} // namespace Cp852
