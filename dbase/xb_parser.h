#pragma once
#include "dbase/xb_filter.h"
#include "dbase/xb_prscore.h"

class TXbFile;
class TXbFieldDef;

// The shared vocabulary of dBASE expressions: the general words (brackets,
// arithmetic, numeric comparisons, logic, functions) and the six lists of
// string comparisons from which a parser's options choose.
namespace XbWords {
const TExpressList& GeneralWords();
const TExpressList& IgnoreCaseComparisons();
const TExpressList& IgnoreCaseEquality();
const TExpressList& IgnoreCaseWildcardEquality();
const TExpressList& CaseComparisons();
const TExpressList& CaseEquality();
const TExpressList& CaseWildcardEquality();
} // namespace XbWords

// The expression compiler bound to the fields of one table file: index keys,
// filters and master links. A name that is no word is a field of the table.
// String fields bind raw (full width, table code page) or translated (trailing
// blanks cut, program code page); a logical field is a one-letter string.
class TXbParser : public TCustomExpressionParser {
public:
  explicit TXbParser(TXbFile* file = nullptr);
  ~TXbParser() override;

  TXbFile* XbFile() const { return file_; }
  void SetXbFile(TXbFile* file) { file_ = file; }
  bool IgnoreCase() const { return ignoreCase_; }
  void SetIgnoreCase(bool value);
  bool RawStrings() const { return rawStrings_; }
  void SetRawStrings(bool value);
  bool WildcardEquality() const { return wildcardEquality_; }
  void SetWildcardEquality(bool value);

  // Compiles the text (or binds the single field it names). Raises EXbError
  // for unknown fields, unbindable field types and results over 100 bytes,
  // EParserException for compile errors.
  void PrepareExpression(const QString& text);
  // The value of the expression for a record buffer of the table.
  const TExprValue& EvaluateRecord(const char* record);
  // The result as index-key bytes: strings padded with blanks or cut to
  // ResultLength, numbers in their buffer layout.
  QByteArray EvaluateKey(const char* record);

  const QString& ExpressionText() const { return preparedText_; }
  TExpressionType ExpressionType() const override;
  void ClearCompiled() override;
  int ResultLength() const { return resultLength_; }
  bool IsExpression() const { return isExpression_; }

protected:
  void LoadWords() override;
  void ResolveUnknownName(const QString& name) override;

private:
  struct TFieldVar;
  void Reprepare();

  TXbFile* file_;
  std::vector<std::unique_ptr<TFieldVar>> fieldVars_;
  int resultLength_ = 0;
  bool isExpression_ = true;
  bool ignoreCase_ = true;
  bool rawStrings_ = true;
  bool wildcardEquality_ = false;
  QString preparedText_;
  TExprValue single_;
};

// The record set's filter over the dBASE parser (translated strings).
std::unique_ptr<TXbFilter> CreateXbFilter(TXbFile& table);
