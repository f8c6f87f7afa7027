#pragma once
#include <QtCore/QString>

// Text splitting and replacing of the control kit. Positions count from 1.

// A set of delimiter characters; a word is a maximal run of characters none
// of which is in the set.
class TCharSet {
public:
  TCharSet() = default;
  TCharSet(QString characters) : characters_(std::move(characters)) {}
  bool Contains(QChar c) const { return characters_.contains(c); }

private:
  QString characters_;
};

// Every occurrence of search in text, found left to right without overlap,
// replaced; inserted text is not searched again. An empty search changes nothing.
QString ReplaceAll(const QString& text, const QString& search, const QString& replacement);
// Position of the n-th occurrence of subStr in text, overlapping occurrences
// counted; 0 when there are fewer than n (or subStr is empty).
int NthPos(const QString& subStr, const QString& text, int n);
int CountWords(const QString& text, const TCharSet& delimiters);
// Position of the first character of the n-th word (from 1); 0 when there is none.
int WordStart(int n, const QString& text, const TCharSet& delimiters);
// The n-th word; empty when there is none.
QString WordByIndex(int n, const QString& text, const TCharSet& delimiters);
