#include "core/SingleByteCodePage.h"
#include "core/Exception.h"

TSingleByteCodePage::TSingleByteCodePage(int number, const UpperHalf& upper) : number_(number), upper_(upper) {
  // The first byte of a character wins, as a search upward from 0x80 would find.
  for (int i = 127; i >= 0; --i)
    if (upper[i] != 0xFFFD && upper[i] >= 0x80) reverse_[upper[i]] = static_cast<unsigned char>(0x80 + i);
}

int TSingleByteCodePage::FromUnicode(char16_t ch) const {
  if (ch < 0x80) return ch;
  const unsigned char b = reverse_[ch];
  return b == 0 ? -1 : int(b);
}

QString TSingleByteCodePage::Decode(QByteArrayView bytes) const {
  QString text(bytes.size(), Qt::Uninitialized);
  QChar* out = text.data();
  for (qsizetype i = 0; i < bytes.size(); ++i) out[i] = QChar(ToUnicode(static_cast<unsigned char>(bytes[i])));
  return text;
}

qsizetype TSingleByteCodePage::FirstUnencodable(QStringView text) const {
  for (qsizetype i = 0; i < text.size(); ++i)
    if (FromUnicode(text[i].unicode()) < 0) return i;
  return -1;
}

QByteArray TSingleByteCodePage::Encode(QStringView text) const {
  const qsizetype bad = FirstUnencodable(text);
  if (bad >= 0)
    throw ECodePageError(QStringLiteral("Znak „%1“ (U+%2) na pozícii %3 nemožno uložiť v kódovej stránke %4.")
                             .arg(text[bad])
                             .arg(text[bad].unicode(), 4, 16, QLatin1Char('0'))
                             .arg(bad + 1)
                             .arg(number_));
  return EncodeLossy(text, '?');
}

QByteArray TSingleByteCodePage::EncodeLossy(QStringView text, char replacement, bool* lossless) const {
  QByteArray bytes(text.size(), Qt::Uninitialized);
  bool all = true;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const int b = FromUnicode(text[i].unicode());
    if (b < 0) all = false;
    bytes[i] = b < 0 ? replacement : static_cast<char>(b);
  }
  if (lossless) *lossless = all;
  return bytes;
}
