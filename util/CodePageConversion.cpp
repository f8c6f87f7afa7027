#include "util/CodePageConversion.h"
#include "core/CodePage1250.h"
#include "core/CodePage852.h"

namespace {

char16_t ToCode(int charset, unsigned char byte) {
  switch (charset) {
  case kCharsetWindows1250:
    return Cp1250::ToUnicode(byte);
  case kCharsetCp852:
    return Cp852::ToUnicode(byte);
  default:
    return byte;
  }
}

int FromCode(int charset, char16_t code) {
  if (code < 0x80) return code;
  switch (charset) {
  case kCharsetWindows1250:
    return code == 0xFFFD ? -1 : Cp1250::FromUnicode(code);
  case kCharsetCp852:
    return Cp852::FromUnicode(code);
  default:
    return code <= 0xFF ? int(code) : -1;
  }
}

} // namespace

QString CharsetName(int charset) {
  switch (charset) {
  case kCharsetWindows1250:
    return QStringLiteral("WINDOWS-1250");
  case kCharsetCp852:
    return QStringLiteral("852");
  default:
    return QStringLiteral("ISO-8859-1");
  }
}

QByteArray ConvertCharset(QByteArrayView text, int from, int to) {
  if (from == to) return text.toByteArray();
  QByteArray result(text.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const int byte = FromCode(to, ToCode(from, static_cast<unsigned char>(text[i])));
    result[i] = byte < 0 ? '_' : char(byte);
  }
  return result;
}

bool BindIconv() { return false; }

void UnbindIconv() {}
