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

QString TSingleByteCodePage::CharacterName(QStringView text, qsizetype index) {
  const bool pair = index + 1 < text.size() && text[index].isHighSurrogate() && text[index + 1].isLowSurrogate();
  const char32_t code = pair ? QChar::surrogateToUcs4(text[index], text[index + 1]) : text[index].unicode();
  return QStringLiteral("„%1“ (U+%2)")
      .arg(text.mid(index, pair ? 2 : 1))
      .arg(QString::number(quint32(code), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

QByteArray TSingleByteCodePage::Encode(QStringView text) const {
  const qsizetype bad = FirstUnencodable(text);
  if (bad >= 0) // the position in characters, as the user counts them
    throw ECodePageError(QStringLiteral("Znak %1 na pozícii %2 nemožno uložiť v kódovej stránke %3.")
                             .arg(CharacterName(text, bad))
                             .arg(text.left(bad).toUcs4().size() + 1)
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
