#pragma once
#include <QtCore/QObject>

// A pluggable search engine an editor can hold (its SearchEngine). The
// editor only keeps the reference and drops it when the engine is destroyed.
class TCodeEditSearchCustom : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;
  virtual QString Pattern() const = 0;
  virtual void SetPattern(const QString& pattern) = 0;
  virtual void SetOptions(int options) = 0;
  // Finds every match in the text; returns how many.
  virtual int FindAll(const QString& text) = 0;
  virtual int ResultCount() const = 0;
  // 1-based position and length of a match.
  virtual int Result(int index) const = 0;
  virtual int Length(int index) const = 0;
  virtual QString Replace(const QString& found, const QString& replacement) = 0;
};
