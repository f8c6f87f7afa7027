#include "core/CodePage1250.h"
#include "core/Exception.h"
#include <array>

namespace Cp1250 {
namespace {

constexpr std::array<char16_t, 128> kUpperHalf = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021,
    0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Reverse lookup built once: Unicode value -> byte, 0 for "none" (the
// characters below 0x80 never reach it). A flat table keeps encoding of
// fetched rows at one load per character.
struct ReverseTable {
  std::array<unsigned char, 0x10000> map{};
  ReverseTable() {
    for (int i = 0; i < 128; ++i)
      if (kUpperHalf[i] != 0xFFFD) map[kUpperHalf[i]] = static_cast<unsigned char>(0x80 + i);
  }
};

const ReverseTable& Reverse() {
  static const ReverseTable table;
  return table;
}

} // namespace

char16_t ToUnicode(unsigned char byte) {
  return byte < 0x80 ? char16_t(byte) : kUpperHalf[byte - 0x80];
}

int FromUnicode(char16_t ch) {
  if (ch < 0x80) return ch;
  const unsigned char b = Reverse().map[ch];
  return b == 0 ? -1 : int(b);
}

QString Decode(QByteArrayView bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  QChar* out = text.data();
  for (qsizetype i = 0; i < bytes.size(); ++i)
    out[i] = QChar(ToUnicode(static_cast<unsigned char>(bytes[i])));
  return text;
}

qsizetype FirstUnencodable(QStringView text) {
  for (qsizetype i = 0; i < text.size(); ++i)
    if (FromUnicode(text[i].unicode()) < 0) return i;
  return -1;
}

QByteArray Encode(QStringView text) {
  QByteArray bytes(text.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const int b = FromUnicode(text[i].unicode());
    if (b < 0)
      throw ECodePageError(QStringLiteral("Znak „%1“ (U+%2) na pozícii %3 nemožno uložiť v kódovej stránke 1250.")
                               .arg(text[i])
                               .arg(text[i].unicode(), 4, 16, QLatin1Char('0'))
                               .arg(i + 1));
    bytes[i] = static_cast<char>(b);
  }
  return bytes;
}

QByteArray EncodeLossy(QStringView text, char replacement) {
  QByteArray bytes(text.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const int b = FromUnicode(text[i].unicode());
    bytes[i] = b < 0 ? replacement : static_cast<char>(b);
  }
  return bytes;
}

} // namespace Cp1250
