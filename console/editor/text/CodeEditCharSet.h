#pragma once
#include <QtCore/QChar>
#include <bitset>
#include <initializer_list>

// A set of characters as the editor's word and scanner rules describe them: by
// their code page 1250 byte values (the program's text code page). Characters
// that code page 1250 lacks (text pasted from elsewhere) fall into one of two
// classes, letters and digits or everything else, each in or out as a whole.
class TCodeCharSet {
public:
  TCodeCharSet() = default;
  // The characters of the given byte values (each 0..255).
  TCodeCharSet(std::initializer_list<int> bytes);
  static TCodeCharSet Range(int first, int last);

  bool Contains(QChar c) const;
  bool ContainsByte(int byte) const { return byte >= 0 && byte < 256 && bytes_[byte]; }

  TCodeCharSet& Include(int byte);
  TCodeCharSet& IncludeRange(int first, int last);
  // Every letter of code page 1250 (also š, ť, ž, ľ and the other letters
  // below byte 192).
  TCodeCharSet& IncludeCodePageLetters();
  // Whether characters outside code page 1250 belong: letters and digits, others.
  TCodeCharSet& IncludeForeignLetters(bool include = true);
  TCodeCharSet& IncludeForeignOthers(bool include = true);

  TCodeCharSet operator+(const TCodeCharSet& other) const;
  TCodeCharSet operator-(const TCodeCharSet& other) const;
  // Every character of bytes 1..255 (and of the foreign classes) not in this set.
  TCodeCharSet Complement() const;
  bool operator==(const TCodeCharSet& other) const = default;

private:
  std::bitset<256> bytes_;
  bool foreignLetters_ = false;
  bool foreignOthers_ = false;
};
