#include "console/editor/text/CodeEditCharSet.h"
#include "core/CodePage1250.h"

TCodeCharSet::TCodeCharSet(std::initializer_list<int> bytes) {
  for (int b : bytes)
    Include(b);
}

TCodeCharSet TCodeCharSet::Range(int first, int last) { return TCodeCharSet().IncludeRange(first, last); }

bool TCodeCharSet::Contains(QChar c) const {
  const int byte = Cp1250::FromUnicode(c.unicode());
  if (byte >= 0) return bytes_[byte];
  return c.isLetterOrNumber() ? foreignLetters_ : foreignOthers_;
}

TCodeCharSet& TCodeCharSet::Include(int byte) {
  if (byte >= 0 && byte < 256) bytes_.set(byte);
  return *this;
}

TCodeCharSet& TCodeCharSet::IncludeRange(int first, int last) {
  for (int b = first; b <= last; ++b)
    Include(b);
  return *this;
}

TCodeCharSet& TCodeCharSet::IncludeCodePageLetters() {
  for (int b = 128; b < 256; ++b)
    if (QChar(Cp1250::ToUnicode(static_cast<unsigned char>(b))).isLetter()) Include(b);
  return *this;
}

TCodeCharSet& TCodeCharSet::IncludeForeignLetters(bool include) {
  foreignLetters_ = include;
  return *this;
}

TCodeCharSet& TCodeCharSet::IncludeForeignOthers(bool include) {
  foreignOthers_ = include;
  return *this;
}

TCodeCharSet TCodeCharSet::operator+(const TCodeCharSet& other) const {
  TCodeCharSet result = *this;
  result.bytes_ |= other.bytes_;
  result.foreignLetters_ = foreignLetters_ || other.foreignLetters_;
  result.foreignOthers_ = foreignOthers_ || other.foreignOthers_;
  return result;
}

TCodeCharSet TCodeCharSet::operator-(const TCodeCharSet& other) const {
  TCodeCharSet result = *this;
  result.bytes_ &= ~other.bytes_;
  result.foreignLetters_ = foreignLetters_ && !other.foreignLetters_;
  result.foreignOthers_ = foreignOthers_ && !other.foreignOthers_;
  return result;
}

TCodeCharSet TCodeCharSet::Complement() const {
  TCodeCharSet result;
  result.bytes_ = ~bytes_;
  result.bytes_.reset(0);
  result.foreignLetters_ = !foreignLetters_;
  result.foreignOthers_ = !foreignOthers_;
  return result;
}
