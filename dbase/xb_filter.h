#pragma once
#include <QtCore/QString>
#include <memory>

class TXbFile;

// A filter expression compiled once over a table's fields and evaluated per
// record. Text fields reach the expression trimmed of trailing blanks and
// translated to the program's code page.
class TXbFilter {
public:
  virtual ~TXbFilter() = default;
  virtual void SetPartialMatch(bool on) = 0;
  virtual void SetCaseInsensitive(bool on) = 0;
  // Raises EXbError for an invalid expression.
  virtual void Compile(const QString& expression) = 0;
  virtual bool Accepts(const char* record) = 0;
};

// Makes the filter parser over a table; CreateXbFilter is the default.
// Set to null, a filter text is refused with EXbError.
using TXbFilterFactory = std::unique_ptr<TXbFilter> (*)(TXbFile& table);
void SetXbFilterFactory(TXbFilterFactory factory);
TXbFilterFactory XbFilterFactory();
