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
  DecodeInto(bytes, text);
  return text;
}

void TSingleByteCodePage::DecodeInto(QByteArrayView bytes, QString& text) const {
  text.resize(bytes.size());
  QChar* out = text.data();
  for (qsizetype i = 0; i < bytes.size(); ++i)
    out[i] = QChar(ToUnicode(static_cast<unsigned char>(bytes[i])));
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
  char* out = bytes.data();
  bool all = true;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const int b = FromUnicode(text[i].unicode());
    if (b < 0) all = false;
    out[i] = b < 0 ? replacement : static_cast<char>(b);
  }
  if (lossless) *lossless = all;
  return bytes;
}

namespace {

// The plain character nearest to a punctuation mark, or 0.
char16_t PlainPunctuation(char16_t ch) {
  switch (ch) {
  case 0x2010: // hyphens, dashes and the minus sign
  case 0x2011:
  case 0x2012:
  case 0x2013:
  case 0x2014:
  case 0x2015:
  case 0x2212:
    return u'-';
  case 0x2018: // single quotes and the prime
  case 0x2019:
  case 0x201A:
  case 0x201B:
  case 0x2032:
    return u'\'';
  case 0x201C: // double quotes, guillemets and the double prime
  case 0x201D:
  case 0x201E:
  case 0x201F:
  case 0x00AB:
  case 0x00BB:
  case 0x2033:
    return u'"';
  case 0x2039:
    return u'<';
  case 0x203A:
    return u'>';
  case 0x00A0: // spaces of other widths
  case 0x2002:
  case 0x2003:
  case 0x2009:
  case 0x200A:
  case 0x202F:
    return u' ';
  case 0x2022:
    return u'*';
  case 0x2026:
    return u'.';
  default:
    return 0;
  }
}

} // namespace

QByteArray TSingleByteCodePage::EncodeNearest(QStringView text, char replacement) const {
  QByteArray bytes(text.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t ch = text[i].unicode();
    int b = FromUnicode(ch);
    if (b < 0) {
      const char16_t plain = PlainPunctuation(ch);
      if (plain != 0) {
        b = FromUnicode(plain);
      } else {
        // A letter the code page lacks, without its accent.
        const QString bare = QString(QChar(ch)).normalized(QString::NormalizationForm_D);
        if (bare.size() > 1) b = FromUnicode(bare[0].unicode());
      }
    }
    bytes[i] = b < 0 ? replacement : static_cast<char>(b);
  }
  return bytes;
}
