#pragma once
#include "core/Exception.h"
#include "reports/engine/rpParser.h"
#include <QtCore/QStringList>

class TrpVariables;

// Raised by a script run that exceeds its step limit or meets a malformed
// coded line.
class ErpScriptError : public Exception {
public:
  using Exception::Exception;
};

// Compiles the engine's small script language (BEGIN ... END, IF, REPEAT,
// WHILE, FOR, GOTO to numeric labels, assignments and calls) once into coded
// lines and runs them. Expressions are stored in the parser's postfix form.
// Names, assignments and calls reach the virtual GetValue, SetValue and
// DoFunction, which do nothing here; the report engine's subclass gives them
// their meaning.
//
// Coded lines: code 1, target low byte, target high byte, postfix condition
// (jump when the condition equals 0); code 2, target bytes (jump); code 3,
// postfix expression (evaluate, "EXIT(0)" ends the run); otherwise name,
// blank, postfix expression (assignment).
class TrpInterpretator {
public:
  // A run stops with ErpScriptError after this many executed lines, so a
  // template whose script never ends cannot freeze the program.
  static constexpr qint64 kDefaultMaxSteps = 5'000'000;

  TrpInterpretator();
  virtual ~TrpInterpretator();
  TrpInterpretator(const TrpInterpretator&) = delete;
  TrpInterpretator& operator=(const TrpInterpretator&) = delete;

  virtual void GetValue(const QString& name, QVariant& value) {}
  virtual void SetValue(const QString& name, const QVariant& value) {}
  virtual void DoFunction(const QString& name, const QString& p1, const QString& p2, const QString& p3, QVariant& val) {
  }

  // Compiles the source into the target; both lists and the error list are
  // cleared first, and source and target may be one list. Errors never raise:
  // each is a line "Line <line>/<column>: <message>" in the error list.
  virtual void PrepareScript(const QStringList& source, QStringList& target, QStringList& errors);
  // Runs coded lines made by PrepareScript. Errors of the parser and of the
  // virtual operations travel to the caller.
  virtual void DoScript(const QStringList& lines);

  // Runs a function splitter over the expression of every coded line.
  void SplitExpressions(const QStringList& lines, const QStringList& functionNames, const TrpVariables* variables,
                        QStringList& result);

  TrpParser& Parser() { return parser_; }
  qint64 MaxSteps() const { return maxSteps_; }
  void SetMaxSteps(qint64 steps) { maxSteps_ = steps; }

  enum : char16_t { lcJumpIfZero = 1, lcJump = 2, lcExpression = 3 };

private:
  TrpParser parser_;
  qint64 maxSteps_ = kDefaultMaxSteps;
};
