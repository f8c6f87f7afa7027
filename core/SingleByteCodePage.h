#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <array>

// A single-byte code page: the bytes 0-127 stand for themselves and the upper
// half maps through a table (U+FFFD marks an unassigned byte). Every code page
// the program reads or writes (1250, 852 and the dBASE language drivers') is
// one of these.
class TSingleByteCodePage {
public:
  using UpperHalf = std::array<char16_t, 128>;

  // `upper` must outlive the code page (the tables are constants).
  TSingleByteCodePage(int number, const UpperHalf& upper);

  int Number() const { return number_; }
  char16_t ToUnicode(unsigned char byte) const { return byte < 0x80 ? char16_t(byte) : upper_[byte - 0x80]; }
  // The byte of a character, or -1 when the code page lacks it.
  int FromUnicode(char16_t ch) const;

  QString Decode(QByteArrayView bytes) const;
  // Decodes into `text`, whose storage is kept for the next call: for comparisons in a loop.
  void DecodeInto(QByteArrayView bytes, QString& text) const;
  // Throws ECodePageError naming the first character the code page lacks.
  QByteArray Encode(QStringView text) const;
  // Puts `replacement` for every character the code page lacks; `lossless`
  // tells whether none was replaced.
  QByteArray EncodeLossy(QStringView text, char replacement, bool* lossless = nullptr) const;
  // Like EncodeLossy, but a character the code page lacks becomes its
  // nearest plain one first (a dash "-", a typographic quote "'" or '"', a
  // letter without its accent); `replacement` only where none is near. One
  // byte a character, so column layouts keep their widths.
  QByteArray EncodeNearest(QStringView text, char replacement) const;
  // Index of the first character the code page lacks, or -1.
  qsizetype FirstUnencodable(QStringView text) const;
  // The character at `index` as the user sees it, a character outside the
  // basic plane whole: „😀“ (U+1F600).
  static QString CharacterName(QStringView text, qsizetype index);

private:
  int number_;
  const UpperHalf& upper_;
  // Character -> byte for the upper half, 0 for "none": one load per character.
  std::array<unsigned char, 0x10000> reverse_{};
};
