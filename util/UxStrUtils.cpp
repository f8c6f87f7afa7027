#include "util/UxStrUtils.h"

QString ReplaceAll(const QString& text, const QString& search, const QString& replacement) {
  if (search.isEmpty()) return text;
  QString result;
  qsizetype from = 0;
  for (qsizetype at = text.indexOf(search); at >= 0; at = text.indexOf(search, from)) {
    result += QStringView(text).mid(from, at - from) + replacement;
    from = at + search.size();
  }
  return result + QStringView(text).mid(from);
}

int NthPos(const QString& subStr, const QString& text, int n) {
  if (subStr.isEmpty() || n < 1) return 0;
  qsizetype at = -1;
  for (int found = 0; found < n; ++found) {
    at = text.indexOf(subStr, at + 1);
    if (at < 0) return 0;
  }
  return int(at + 1);
}

namespace {

// Calls visit(start, length) for each word until it returns false.
template <class Visit> void ForEachWord(const QString& text, const TCharSet& delimiters, Visit visit) {
  qsizetype i = 0;
  while (i < text.size()) {
    while (i < text.size() && delimiters.Contains(text[i]))
      ++i;
    if (i == text.size()) return;
    const qsizetype start = i;
    while (i < text.size() && !delimiters.Contains(text[i]))
      ++i;
    if (!visit(start, i - start)) return;
  }
}

} // namespace

int CountWords(const QString& text, const TCharSet& delimiters) {
  int count = 0;
  ForEachWord(text, delimiters, [&](qsizetype, qsizetype) { return ++count, true; });
  return count;
}

int WordStart(int n, const QString& text, const TCharSet& delimiters) {
  int position = 0;
  int index = 0;
  ForEachWord(text, delimiters, [&](qsizetype start, qsizetype) {
    if (++index < n) return true;
    position = int(start + 1);
    return false;
  });
  return n < 1 ? 0 : position;
}

QString WordByIndex(int n, const QString& text, const TCharSet& delimiters) {
  QString word;
  int index = 0;
  ForEachWord(text, delimiters, [&](qsizetype start, qsizetype length) {
    if (++index < n) return true;
    word = text.mid(start, length);
    return false;
  });
  return n < 1 ? QString() : word;
}
