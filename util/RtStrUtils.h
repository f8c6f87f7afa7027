#pragma once
#include <QtCore/QString>
#include <span>

// Small string and number routines of the utility layer.

// The text with the suffix appended unless it already ends with it.
QString EnsureSuffix(const QString& suffix, const QString& text);
// The text without any character of the set, the rest in order.
QString RemoveCharsOfSet(const QString& text, QStringView characterSet);
// The text repeated count times; empty for a count below 1.
QString RepeatString(const QString& text, int count);
// Cuts the text at its first NUL.
void FixLengthAtNull(QString& text);
int CountChar(QStringView text, QChar character);
// True for carriage return and line feed.
bool IsLineBreakChar(QChar character);
// Replaces every `from` by `to`; the number replaced (0 when both are equal).
int ReplaceCharInPlace(QString& text, QChar from, QChar to);
// Creates or overwrites the file with the text's code page 1250 bytes
// (characters that 1250 lacks become "?"); an empty text leaves the file empty.
// Throws ERtError when the file cannot be written.
void SaveTextToFile(const QString& fileName, const QString& text);
// The text's characters, or nullptr for an empty text.
const QChar* PCharOrNil(const QString& text);

int MaxInteger(int a, int b);
quint32 MinCardinal(quint32 a, quint32 b);

// Binary search of a sorted array. compare(element, value) is negative when
// the element lies before the value, 0 when equal, positive after. The index
// of a matching element; without one -1, or with `nearest` the index of the
// last element before the value (-1 when there is none).
template <class T, class V, class Compare>
int SearchSortedDynArray(std::span<const T> array, Compare compare, bool nearest, const V& value) {
  int low = 0;
  int high = int(array.size()) - 1;
  while (low <= high) {
    const int middle = low + (high - low) / 2;
    const int order = compare(array[middle], value);
    if (order == 0) return middle;
    if (order < 0)
      low = middle + 1;
    else
      high = middle - 1;
  }
  return nearest ? high : -1;
}

// Character classes of the 256 code page 1250 characters, taken once from
// the Unicode properties of each character.
namespace CharClasses {
bool IsUpper(uchar ch);
bool IsLower(uchar ch);
uchar ToLower(uchar ch);
uchar ToUpper(uchar ch);
// Upper case to lower, lower to upper, anything else unchanged.
uchar ToggleCase(uchar ch);
} // namespace CharClasses
