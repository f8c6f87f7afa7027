#pragma once
#include "core/Exception.h"
#include <QtCore/QString>
#include <QtCore/QVariant>
#include <functional>

// Raised by the evaluator for input it cannot compute (an operator without its
// operands, more pending values than the stack holds, nesting too deep) and,
// with an empty message, for a call whose parentheses do not close.
class ErpParserError : public Exception {
public:
  using Exception::Exception;
};

// The value of a name the parser does not know.
using TGetValueEvent = std::function<void(const QString& name, QVariant& value)>;
// The result of a call the parser does not know; the arguments come as their
// unevaluated source texts (empty when absent).
using TFunctionEvent =
    std::function<void(const QString& name, const QString& p1, const QString& p2, const QString& p3, QVariant& val)>;

// Evaluates the engine's expressions: converts infix text to a compact postfix
// string (operators one character, operands their text and a blank, calls
// their whole text) and computes it on a 32-value stack. AND and OR bind like
// "*", comparisons loosest, so A = 1 OR B = 2 groups as (A = (1 OR B)) = 2.
// Evaluation keeps its state in locals: callbacks may call Calc again.
// Positions in the tokenising helpers are 0-based.
class TrpParser {
public:
  TGetValueEvent OnGetValue;
  TFunctionEvent OnFunction;

  QVariant Calc(const QString& expression);
  QString ToPostfix(const QString& expression) const;
  QVariant CalcPostfix(const QString& postfix);

  // Skips characters up to blank, then reads to the first CR, blank, "(", ")",
  // "*", "+", "-", "/", "<", "=", ">" or "[" outside double quotes; the
  // position ends on that character.
  static QString GetIdentifier(const QString& text, qsizetype& pos);
  // The single-quoted string at the position, quotes kept; the position ends
  // after the closing quote (an unclosed string runs to the end).
  static QString GetString(const QString& text, qsizetype& pos);
  // The position stands on "("; reads up to three top-level arguments to the
  // matching ")" and ends after it. Raises ErpParserError("") when it is missing.
  static void GetParameters(const QString& text, qsizetype& pos, QString& first, QString& second, QString& third);

  // Operator characters of the postfix form.
  enum : char16_t {
    opGreaterEqual = 1,
    opLessEqual = 2,
    opNotEqual = 3,
    opOr = 4,
    opAnd = 5,
    opInt = 6,
    opFrac = 7,
    opNegate = 9,
    opPlus = 10,
    opStr = 11,
    opNot = 12,
    opMod = 13,
    opRound = 14
  };

private:
  QVariant CallFunction(const QString& name, const QString& p1, const QString& p2, const QString& p3);
  int depth_ = 0;
};

// The contents of the bracket that opens at `start` (nested brackets counted,
// brackets inside single or double quotes not); `finish` is the position of
// the closing bracket, or the text's length when it does not close. A start
// that is not on "[" gives an empty text.
QString rpGetBracketedText(const QString& text, qsizetype start, qsizetype& finish);
