#pragma once
#include "dbase/xb_prsdef.h"
#include <memory>
#include <vector>

// One node of a compiled expression: a word with its argument subtrees (an
// empty slot stands for a missing argument) and the buffers of their values.
struct TExprNode {
  TWordPtr Word;
  std::vector<std::unique_ptr<TExprNode>> Args;
  std::vector<TExprValue> ArgValues;
};

// Compiles an expression text once over the words of its list (operators by
// precedence, overloads chosen by operand types, constant parts folded) and
// evaluates the compiled tree as often as needed. Derived parsers supply the
// words and resolve unknown names (normally into variables).
class TCustomExpressionParser {
public:
  TCustomExpressionParser() = default;
  virtual ~TCustomExpressionParser() = default;
  TCustomExpressionParser(const TCustomExpressionParser&) = delete;
  TCustomExpressionParser& operator=(const TCustomExpressionParser&) = delete;

  QChar HexChar = QLatin1Char('$');
  QChar DecimalChar = QLatin1Char('.');
  bool FoldConstants = true;
  // The code page of string literals and of the texts the routines see.
  TEvalContext Context;

  // An empty text compiles nothing. Raises EParserException (or the
  // derived parser's error for a name it cannot resolve); nothing stays
  // compiled after an error.
  void Compile(const QString& text);
  // Evaluates the compiled expression; raises the routines' errors.
  const TExprValue& RunCompiled();
  virtual TExpressionType ExpressionType() const;
  virtual void ClearCompiled() { root_.reset(); }
  bool IsCompiled() const { return root_ != nullptr; }

  TExpressList& Words() { return words_; }
  // Adds the word, replacing one of the same name; compiled nodes are not
  // touched, so replacing is refused while an expression is compiled.
  void PutWord(const TWordPtr& word);
  void SetWord(const QString& name, const TWordPtr& word);

protected:
  virtual void LoadWords() = 0;
  virtual void ResolveUnknownName(const QString& name) = 0;

private:
  struct TToken {
    TWordPtr Word;
    QString Text;
  };
  class TTreeBuilder;

  std::vector<TToken> Tokenize(const QString& text);
  void ScanToken(const QString& text, int& pos, int& start, int& end, bool& isConstant) const;
  void ScanNumber(const QString& text, int& pos, bool hex) const;
  TWordPtr MakeConstant(const QString& text);
  static void CheckTokens(const std::vector<TToken>& tokens);
  void ResolveArguments(TExprNode& node);
  static bool HasVariables(const TExprNode& node);
  void Fold(std::unique_ptr<TExprNode>& slot);
  void Evaluate(TExprNode& node, TExprValue& result);

  TExpressList words_;
  std::vector<TWordPtr> ownedConstants_;
  std::unique_ptr<TExprNode> root_;
  TExprValue result_;
};
