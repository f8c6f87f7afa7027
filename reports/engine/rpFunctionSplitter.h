#pragma once
#include <QtCore/QStringList>

class TrpVariables;

// Finds the calls of the listed functions (the aggregates) inside expression
// texts, following variables whose values are expressions, so a report knows
// its aggregate calls before it is built.
class TrpFunctionSplitter {
public:
  // The lists are not owned; `variables` may be null.
  TrpFunctionSplitter(const QStringList& functionNames, QStringList& result, const TrpVariables* variables);

  // Adds every call found in the text to the result list, each with the text
  // from the place the walk stood at (a blank before the name included).
  void Split(const QString& text);

private:
  void SplitAt(const QString& text, int depth);
  void SplitBracketed(const QString& text, int depth);
  void SplitIdentifiers(const QString& text, int depth);
  void SplitVariableOr(const QString& text, int depth);
  bool FollowVariable(const QString& name, int depth);

  const QStringList& functionNames_;
  QStringList& result_;
  const TrpVariables* variables_;
  QStringList following_; // the variables being followed, outermost first
};
