#pragma once
#include "console/editor/text/CodeEditCharSet.h"
#include "core/Color.h"
#include <QtCore/QString>

class QPainter;
class QRect;

// A position in the text: the index of the character in its line (before tab
// expansion) and the line's number, both 1-based.
struct TBufferCoord {
  int Char = 1;
  int Line = 1;
  bool operator==(const TBufferCoord&) const = default;
};

// A position on the display: the column after tab expansion and the display
// row (which differs from the line when lines are wrapped), both 1-based.
struct TScreenCoord {
  int Column = 1;
  int Row = 1;
  bool operator==(const TScreenCoord&) const = default;
};

// Stream selection, whole-line selection, column (block) selection.
enum TCodeSelectionMode : quint8 { smNormal = 0, smLine = 1, smColumn = 2 };

inline TBufferCoord MakeBufferCoord(int charIndex, int line) { return {charIndex, line}; }
inline TScreenCoord MakeScreenCoord(int column, int row) { return {column, row}; }
// The earlier of two positions (by line, then character); p1 when they are equal.
TBufferCoord EarlierPoint(const TBufferCoord& p1, const TBufferCoord& p2);

// max(min(value, high), low): low wins when low exceeds high.
inline int ClampInt(int value, int low, int high) { return qMax(qMin(value, high), low); }
void SwapInts(int& a, int& b);

// Tabs. A tab width is at least 1; indexes are 1-based.
// count := the characters before the first tab (the whole length without one);
// true when the line holds a tab.
bool FindFirstTab(QStringView line, int& count);
// The line's length after tab expansion.
int ExpandedLength(QStringView line, int tabWidth);
// The display column at which the character with the index starts; an index
// past the line's end adds one column per missing character.
int CharIndexToColumn(int index, int tabWidth, QStringView line);

// Expands the tabs of a line: a line without a tab comes back as it is
// (shared). ExpandTabsWidthOne turns each tab into a blank; the other two put
// one tab character per display column the tab spans.
using TExpandTabsFunc = QString (*)(const QString& line, int tabWidth, bool& hasTabs);
QString ExpandTabsWidthOne(const QString& line, int tabWidth, bool& hasTabs);
QString ExpandTabsPowerOfTwo(const QString& line, int tabWidth, bool& hasTabs);
QString ExpandTabsAnyWidth(const QString& line, int tabWidth, bool& hasTabs);
TExpandTabsFunc ChooseTabExpander(int tabWidth);
// True for 2, 4, 8 ... 65536.
bool IsPowerOfTwoWidth(int width);

// Scans of one line (start and result 1-based, 0 = not found). A character of
// two UTF-16 code units is one unit: its first half is the "lead", its second
// the "trail", and a scan never stops between them.
int ScanForCharInSet(QStringView line, int start, const TCodeCharSet& set);
int ScanBackForCharInSet(QStringView line, int start, const TCodeCharSet& set);
int ScanForLeadByte(QStringView line, int start);
int ScanBackForLeadByte(QStringView line, int start);
// Whether the 1-based index lies on the second half of a two-unit character.
bool IsTrailByte(QStringView line, int index);
// The 0-based position of the first NUL, LF or CR (the length when there is
// none); -1 for no text at all.
qsizetype FindLineEnd(QStringView text);

// Fills the rectangle with bands of colour from `from` to `to` (steps clamped
// to 2..256), across its width when horizontal, else down its height.
void PaintGradient(QPainter& painter, TColor from, TColor to, int steps, const QRect& rect, bool horizontal);
// a * b / c rounded to the nearest integer (halves away from zero).
int MulDiv(int a, int b, int c);
