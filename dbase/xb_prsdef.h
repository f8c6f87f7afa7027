#pragma once
#include "core/Exception.h"
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <memory>
#include <vector>

// Expression types: the codes of the operand letters I S B L F D, then the
// bracket and comma words and "unknown".
enum TExpressionType {
  etInteger = 0,
  etString = 1,
  etBoolean = 2,
  etLargeInt = 3,
  etFloat = 4,
  etDateTime = 5,
  etLeftBracket = 6,
  etRightBracket = 7,
  etComma = 8,
  etUnknown = 9
};

TExpressionType TypeOfLetter(QChar letter);

// A compile or evaluation error of an expression; it carries only its message.
class EParserException : public Exception {
public:
  using Exception::Exception;
};

// One value of an expression: the member that matches `Type` holds it.
// Strings are bytes in the code page of the parser that made them.
struct TExprValue {
  TExpressionType Type = etUnknown;
  qint32 Int = 0;
  qint64 Large = 0;
  double Float = 0; // floats and date-times
  bool Bool = false;
  QByteArray Text;
  // The value's bytes in its buffer layout (little-endian numbers, text without the zero byte).
  QByteArray Bytes() const;
};

// What a routine may need besides its arguments: the code page of the texts.
struct TEvalContext {
  int CodePage = 1250;
};

using TExprRoutine = void (*)(const TEvalContext& context, const TExprValue* args, int count, TExprValue& result);

// A word of the expression language: constant, variable, bracket, comma,
// operator or function. Words carry everything the compiler needs to know.
class TExprWord {
public:
  explicit TExprWord(QString name, TExprRoutine routine = nullptr) : WordName(std::move(name)), Routine(routine) {}
  virtual ~TExprWord() = default;
  QString WordName;
  TExprRoutine Routine;

  virtual bool IsOperator() const { return false; }
  virtual int FixedLength() const { return -1; }
  virtual bool IsVariable() const { return false; }
  virtual TExpressionType ResultType() const { return etUnknown; }
  virtual int MinFunctionArg() const { return 0; }
  virtual int MaxFunctionArg() const { return 0; }
  virtual QString Description() const { return {}; }
  virtual QString OperandTypes() const { return {}; }
  virtual QString ShortName() const { return {}; }
  virtual bool IsFunction() const { return false; }
  virtual int Precedence() const { return 0; }
  // Constants and variables: the value at this moment.
  virtual bool IsValueWord() const { return false; }
  virtual void ReadValue(TExprValue& destination) const { destination = {}; }
};

// A constant of the text or one folded at compile time.
class TConstant : public TExprWord {
public:
  TConstant(QString name, TExprValue value) : TExprWord(std::move(name)), value_(std::move(value)) {}
  TExpressionType ResultType() const override { return value_.Type; }
  bool IsValueWord() const override { return true; }
  void ReadValue(TExprValue& destination) const override { destination = value_; }
  const TExprValue& Value() const { return value_; }

private:
  TExprValue value_;
};

// The constant of a string literal: quotes are removed only when the text
// begins and ends with the same quote character.
std::unique_ptr<TConstant> MakeStringConstant(const QString& literal, const QByteArray& encoded);

// A value owned by someone else, read at every evaluation. A fixed length of
// 0 or more means the string holds exactly that many bytes.
class TVariable : public TExprWord {
public:
  TVariable(QString name, const TExprValue* location, TExpressionType type, int fixedLength = -1)
      : TExprWord(std::move(name)), location_(location), type_(type), fixedLength_(fixedLength) {}
  bool IsVariable() const override { return true; }
  int FixedLength() const override { return type_ == etString ? fixedLength_ : -1; }
  TExpressionType ResultType() const override { return type_; }
  bool IsValueWord() const override { return true; }
  void ReadValue(TExprValue& destination) const override { destination = *location_; }

private:
  const TExprValue* location_;
  TExpressionType type_;
  int fixedLength_;
};

class TLeftBracket : public TExprWord {
public:
  TLeftBracket() : TExprWord(QStringLiteral("(")) {}
  TExpressionType ResultType() const override { return etLeftBracket; }
};
class TRightBracket : public TExprWord {
public:
  TRightBracket() : TExprWord(QStringLiteral(")")) {}
  TExpressionType ResultType() const override { return etRightBracket; }
};
class TComma : public TExprWord {
public:
  TComma() : TExprWord(QStringLiteral(",")) {}
  TExpressionType ResultType() const override { return etComma; }
};

// An operator (with a precedence: a larger value binds more loosely) or a
// function with up to six typed operands.
class TFunction : public TExprWord {
public:
  // Function: a minimum of -1 means every operand is required.
  TFunction(const QString& name, const QString& shortName, const QString& operandTypes, int minArgs,
            TExpressionType result, TExprRoutine routine, const QString& description = {});
  // Operator: every operand is required.
  TFunction(const QString& name, const QString& operandTypes, TExpressionType result, TExprRoutine routine,
            int precedence);
  bool IsOperator() const override { return operator_; }
  TExpressionType ResultType() const override { return result_; }
  int MinFunctionArg() const override { return minArgs_; }
  int MaxFunctionArg() const override { return int(operands_.size()); }
  QString Description() const override { return description_; }
  QString OperandTypes() const override { return operands_; }
  QString ShortName() const override { return shortName_; }
  bool IsFunction() const override { return true; }
  int Precedence() const override { return precedence_; }

private:
  bool operator_;
  int precedence_;
  int minArgs_;
  QString description_, operands_, shortName_;
  TExpressionType result_;
};

using TWordPtr = std::shared_ptr<TExprWord>;

// Compares names ignoring the case of a-z only, a prefix sorting first.
int CompareWordNames(const QString& a, const QString& b);

// A word list sorted by name, case-insensitively; words of one name keep the
// order in which they were added (the first is the one the tokenizer takes,
// the rest are its overloads). Words are also found by their short names.
class TExpressList {
public:
  void Add(const TWordPtr& word);
  void AddRange(const TExpressList& other);
  void Remove(const QString& name);
  void Clear() { items_.clear(); }
  // The first word of that name or short name; null when none.
  TWordPtr Find(const QString& name) const;
  // Every word of that name (or of the short name's word), in list order.
  std::vector<TWordPtr> Overloads(const QString& name) const;
  int Count() const { return int(items_.size()); }

private:
  std::vector<TWordPtr> items_;
};
