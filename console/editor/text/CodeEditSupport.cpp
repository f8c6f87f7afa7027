#include "console/editor/text/CodeEditSupport.h"
#include "core/gui/ColorConvert.h"
#include <QtGui/QPainter>
#include <cstdlib>

TBufferCoord EarlierPoint(const TBufferCoord& p1, const TBufferCoord& p2) {
  if (p2.Line < p1.Line || (p2.Line == p1.Line && p2.Char < p1.Char)) return p2;
  return p1;
}

void SwapInts(int& a, int& b) { std::swap(a, b); }

bool FindFirstTab(QStringView line, int& count) {
  const qsizetype tab = line.indexOf(u'\t');
  count = int(tab < 0 ? line.size() : tab);
  return tab >= 0;
}

int ExpandedLength(QStringView line, int tabWidth) {
  int i = 0;
  for (QChar c : line)
    i += c == u'\t' ? tabWidth - i % tabWidth : 1;
  return i;
}

int CharIndexToColumn(int index, int tabWidth, QStringView line) {
  if (index < 2) return 1;
  int before = 0;
  if (tabWidth <= 1 || !FindFirstTab(line, before) || before + 1 >= index) return index;
  int col = before;
  int remaining = index - (before + 1);
  for (qsizetype i = before; remaining > 0; ++i, --remaining) {
    if (i >= line.size()) {
      col += remaining;
      break;
    }
    col = line[i] == u'\t' ? (col + tabWidth) - (col + tabWidth) % tabWidth : col + 1;
  }
  return col + 1;
}

QString ExpandTabsWidthOne(const QString& line, int, bool& hasTabs) {
  hasTabs = line.contains(u'\t');
  if (!hasTabs) return line;
  QString result = line;
  result.replace(u'\t', u' ');
  return result;
}

namespace {

// One tab character per display column a tab spans; `nextStop` gives the
// column after the tab stop that follows column i (0-based).
template <typename NextStop> QString ExpandTabs(const QString& line, bool& hasTabs, NextStop nextStop) {
  int firstTab = 0;
  hasTabs = FindFirstTab(line, firstTab);
  if (!hasTabs) return line;
  int length = firstTab;
  for (qsizetype i = firstTab; i < line.size(); ++i)
    length = line[i] == u'\t' ? nextStop(length) : length + 1;
  QString result(length, Qt::Uninitialized);
  QChar* out = result.data();
  int col = 0;
  for (QChar c : line) {
    if (c == u'\t') {
      for (const int stop = nextStop(col); col < stop; ++col)
        *out++ = u'\t';
    } else {
      *out++ = c;
      ++col;
    }
  }
  return result;
}

} // namespace

QString ExpandTabsPowerOfTwo(const QString& line, int tabWidth, bool& hasTabs) {
  const int mask = tabWidth - 1;
  return ExpandTabs(line, hasTabs, [tabWidth, mask](int col) { return (col + tabWidth) & ~mask; });
}

QString ExpandTabsAnyWidth(const QString& line, int tabWidth, bool& hasTabs) {
  return ExpandTabs(line, hasTabs, [tabWidth](int col) { return col + tabWidth - col % tabWidth; });
}

TExpandTabsFunc ChooseTabExpander(int tabWidth) {
  if (tabWidth < 2) return ExpandTabsWidthOne;
  return IsPowerOfTwoWidth(tabWidth) ? ExpandTabsPowerOfTwo : ExpandTabsAnyWidth;
}

bool IsPowerOfTwoWidth(int width) { return width >= 2 && width <= 65536 && (width & (width - 1)) == 0; }

bool IsTrailByte(QStringView line, int index) {
  return index > 1 && index <= line.size() && line[index - 1].isLowSurrogate() && line[index - 2].isHighSurrogate();
}

namespace {

bool IsLeadAt(QStringView line, int index) { return line[index - 1].isHighSurrogate(); }

// Start of a forward scan: a start on the second half of a character moves on
// to the next one; 0 when that lies past the end.
int ForwardStart(QStringView line, int start) {
  if (start < 1 || start > line.size()) return 0;
  if (IsTrailByte(line, start)) ++start;
  return start > line.size() ? 0 : start;
}

} // namespace

int ScanForCharInSet(QStringView line, int start, const TCodeCharSet& set) {
  const int len = int(line.size());
  for (int i = ForwardStart(line, start); i >= 1 && i <= len;) {
    if (IsLeadAt(line, i)) {
      if (i == len) return 0;
      i += 2;
    } else if (set.Contains(line[i - 1])) {
      return i;
    } else {
      ++i;
    }
  }
  return 0;
}

int ScanBackForCharInSet(QStringView line, int start, const TCodeCharSet& set) {
  if (start < 1 || start > line.size()) return 0;
  int found = 0;
  for (int i = 1; i <= start; ++i) {
    if (IsLeadAt(line, i))
      ++i;
    else if (set.Contains(line[i - 1]))
      found = i;
  }
  return found;
}

int ScanForLeadByte(QStringView line, int start) {
  for (int i = ForwardStart(line, start); i >= 1 && i <= line.size(); ++i)
    if (IsLeadAt(line, i)) return i;
  return 0;
}

int ScanBackForLeadByte(QStringView line, int start) {
  if (start < 1 || start > line.size()) return 0;
  int found = 0;
  for (int i = 1; i <= start; ++i)
    if (IsLeadAt(line, i)) found = i++;
  return found;
}

qsizetype FindLineEnd(QStringView text) {
  if (text.isNull()) return -1;
  for (qsizetype i = 0; i < text.size(); ++i)
    if (text[i] == u'\0' || text[i] == u'\n' || text[i] == u'\r') return i;
  return text.size();
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  qint64 product = qint64(a) * b;
  qint64 divisor = c;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  const qint64 magnitude = (std::llabs(product) + divisor / 2) / divisor;
  return int(product < 0 ? -magnitude : magnitude);
}

void PaintGradient(QPainter& painter, TColor from, TColor to, int steps, const QRect& rect, bool horizontal) {
  const QColor start = ToQColor(from);
  const QColor end = ToQColor(to);
  const int dr = end.red() - start.red(), dg = end.green() - start.green(), db = end.blue() - start.blue();
  steps = ClampInt(steps, 2, 256);
  const int origin = horizontal ? rect.left() : rect.top();
  const int size = horizontal ? rect.width() : rect.height();
  for (int i = 0; i < steps; ++i) {
    const int a = origin + MulDiv(i, size, steps);
    const int b = origin + MulDiv(i + 1, size, steps);
    const QColor band(start.red() + MulDiv(i, dr, steps - 1), start.green() + MulDiv(i, dg, steps - 1),
                      start.blue() + MulDiv(i, db, steps - 1));
    const QRect part =
        horizontal ? QRect(a, rect.top(), b - a, rect.height()) : QRect(rect.left(), a, rect.width(), b - a);
    painter.fillRect(part, band);
  }
}
