#include "dbase/xb_prscore.h"
#include "dbase/xb_codepages.h"
#include <limits>

namespace {
bool IsIdentChar(QChar c) { return c.isLetterOrNumber() && c.unicode() < 128 ? true : c == QLatin1Char('_'); }
bool IsLetter(QChar c) { return (c.unicode() < 128 && c.isLetter()) || c == QLatin1Char('_'); }
bool IsDigit(QChar c, bool hex) {
  const char16_t u = c.unicode();
  return (u >= '0' && u <= '9') || (hex && ((u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f')));
}
QString Trimmed(const QString& text) {
  qsizetype b = 0, e = text.size();
  while (b < e && text[b].unicode() <= 32)
    ++b;
  while (e > b && text[e - 1].unicode() <= 32)
    --e;
  return text.mid(b, e - b);
}
bool IsWord(const TWordPtr& word, TExpressionType type) {
  return word && word->ResultType() == type && !word->IsFunction();
}
// A sign in front of an operand binds tighter than every two-operand operator.
constexpr int kUnaryBinding = 20;
constexpr int kLoosest = std::numeric_limits<int>::max();
} // namespace

// Builds the tree by precedence: a larger precedence binds more loosely,
// operators of one level group to the left, and a prefix operator takes the
// operand that binds tighter than itself ("-" only the next operand).
class TCustomExpressionParser::TTreeBuilder {
public:
  explicit TTreeBuilder(const std::vector<TToken>& tokens) : tokens_(tokens) {}

  std::unique_ptr<TExprNode> Build() { return ParseExpression(kLoosest); }
  bool AtEnd() const { return pos_ >= tokens_.size(); }
  bool AtComma() const { return !AtEnd() && IsWord(tokens_[pos_].Word, etComma); }

private:
  const TWordPtr* Peek() const { return AtEnd() ? nullptr : &tokens_[pos_].Word; }
  static std::unique_ptr<TExprNode> NewNode(const TWordPtr& word) {
    auto node = std::make_unique<TExprNode>();
    node->Word = word;
    return node;
  }

  std::unique_ptr<TExprNode> ParseExpression(int limit) {
    std::unique_ptr<TExprNode> left = ParseOperand();
    while (const TWordPtr* next = Peek()) {
      if (!(*next)->IsOperator() || (*next)->Precedence() >= limit) break;
      auto node = NewNode(*next);
      ++pos_;
      if (left) node->Args.push_back(std::move(left));
      if (auto right = ParseExpression((*next)->Precedence())) node->Args.push_back(std::move(right));
      left = std::move(node);
    }
    return left;
  }

  std::unique_ptr<TExprNode> ParseOperand() {
    const TWordPtr* word = Peek();
    if (!word || IsWord(*word, etRightBracket) || IsWord(*word, etComma)) return nullptr;
    ++pos_;
    if (IsWord(*word, etLeftBracket)) {
      auto inner = ParseExpression(kLoosest);
      if (Peek() && IsWord(*Peek(), etRightBracket)) ++pos_;
      return inner;
    }
    if ((*word)->IsValueWord()) return NewNode(*word);
    if ((*word)->IsOperator()) {
      auto node = NewNode(*word);
      const int binding = (*word)->WordName == QLatin1String("-") ? kUnaryBinding : (*word)->Precedence();
      if (auto operand = ParseExpression(binding)) node->Args.push_back(std::move(operand));
      return node;
    }
    if (!(*word)->IsFunction()) throw EParserException(QStringLiteral("Operator/function missing"));
    auto node = NewNode(*word);
    if (Peek() && IsWord(*Peek(), etLeftBracket)) ParseArguments(*node);
    return node;
  }

  void ParseArguments(TExprNode& node) {
    ++pos_;
    while (true) {
      node.Args.push_back(ParseExpression(kLoosest));
      if (node.Args.size() > 6) throw EParserException(QStringLiteral("Function or operand has too many arguments"));
      const TWordPtr* next = Peek();
      if (!next) return;
      ++pos_;
      if (IsWord(*next, etComma)) continue;
      if (IsWord(*next, etRightBracket)) return;
      throw EParserException(QStringLiteral("Operator/function missing"));
    }
  }

  const std::vector<TToken>& tokens_;
  std::size_t pos_ = 0;
};

void TCustomExpressionParser::Compile(const QString& text) {
  root_.reset();
  const std::vector<TToken> tokens = Tokenize(text);
  if (tokens.empty()) return;
  CheckTokens(tokens);
  TTreeBuilder builder(tokens);
  std::unique_ptr<TExprNode> root = builder.Build();
  if (!root) throw EParserException(QStringLiteral("Operator/function missing"));
  ResolveArguments(*root);
  // Text after a function call that forms the whole expression is not used.
  if (!builder.AtEnd() && !builder.AtComma()) throw EParserException(QStringLiteral("Operator/function missing"));
  if (FoldConstants) Fold(root);
  root_ = std::move(root);
}

const TExprValue& TCustomExpressionParser::RunCompiled() {
  if (root_) Evaluate(*root_, result_);
  return result_;
}

TExpressionType TCustomExpressionParser::ExpressionType() const {
  return root_ ? root_->Word->ResultType() : etUnknown;
}

void TCustomExpressionParser::PutWord(const TWordPtr& word) { SetWord(word->WordName, word); }

void TCustomExpressionParser::SetWord(const QString& name, const TWordPtr& word) {
  if (root_ && words_.Find(name))
    throw Exception(QStringLiteral("Cannot undefine function/variable while expression present"));
  words_.Remove(name);
  if (word) words_.Add(word);
}

// ---- tokens -------------------------------------------------------------------------------------

std::vector<TCustomExpressionParser::TToken> TCustomExpressionParser::Tokenize(const QString& source) {
  const QString text = Trimmed(source);
  std::vector<TToken> tokens;
  int pos = 0;
  while (pos < text.size()) {
    int start = 0, end = 0;
    bool isConstant = false;
    ScanToken(text, pos, start, end, isConstant);
    const QString token = Trimmed(text.mid(start, end - start));
    if (isConstant) {
      TWordPtr constant = MakeConstant(token);
      tokens.push_back({constant, constant->WordName});
      continue;
    }
    if (token.isEmpty()) continue;
    TWordPtr word = words_.Find(token);
    if (!word) {
      ResolveUnknownName(token);
      word = words_.Find(token);
    }
    if (!word) throw EParserException(QStringLiteral("Unknown variable '%1' found.").arg(token));
    tokens.push_back({word, token});
  }
  return tokens;
}

void TCustomExpressionParser::ScanToken(const QString& text, int& pos, int& start, int& end, bool& isConstant) const {
  const int length = int(text.size());
  while (pos < length - 1 && text[pos] == QLatin1Char(' '))
    ++pos;
  start = pos;
  isConstant = false;
  const QChar c = text[pos];
  auto at = [&](int i) { return i < length ? text[i] : QChar(); };
  if (c == HexChar) {
    ++pos;
    const int digits = pos;
    ScanNumber(text, pos, true);
    isConstant = pos > digits;
    if (!isConstant)
      while (pos < length && IsIdentChar(text[pos]))
        ++pos;
  } else if (c == DecimalChar || IsDigit(c, false)) {
    ScanNumber(text, pos, false);
    isConstant = true;
  } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
    const int close = int(text.indexOf(c, pos + 1));
    pos = close < 0 ? length : close + 1;
    isConstant = true;
  } else if (IsLetter(c)) {
    while (pos < length && IsIdentChar(text[pos]))
      ++pos;
  } else if (c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('=')) {
    ++pos;
    if (QStringLiteral("<=>").contains(at(pos))) ++pos;
  } else if (QStringLiteral("&|:!").contains(c)) {
    ++pos;
    const QChar n = at(pos);
    if ((c == QLatin1Char('&') && n == c) || (c == QLatin1Char('|') && n == c) ||
        ((c == QLatin1Char(':') || c == QLatin1Char('!')) && n == QLatin1Char('=')))
      ++pos;
  } else if (c == QLatin1Char('+') || c == QLatin1Char('-')) {
    ++pos;
    if (at(pos) == c && words_.Find(QString(2, c))) ++pos;
  } else {
    ++pos;
  }
  end = pos;
  isConstant = isConstant && end > start;
}

void TCustomExpressionParser::ScanNumber(const QString& text, int& pos, bool hex) const {
  const int length = int(text.size());
  while (pos < length && IsDigit(text[pos], hex))
    ++pos;
  if (pos < length && text[pos] == DecimalChar) {
    ++pos;
    while (pos < length && IsDigit(text[pos], hex))
      ++pos;
  }
  if (pos < length && text[pos] == QLatin1Char('e')) {
    ++pos;
    if (pos < length && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-'))) ++pos;
    while (pos < length && IsDigit(text[pos], false))
      ++pos;
  }
}

TWordPtr TCustomExpressionParser::MakeConstant(const QString& text) {
  TWordPtr word;
  TExprValue value;
  bool ok = false;
  if (text.startsWith(HexChar)) {
    const qint64 v = text.mid(1).toLongLong(&ok, 16);
    ok = ok && v <= std::numeric_limits<quint32>::max();
    if (!ok) throw EParserException(QStringLiteral("'%1' is not a valid integer value").arg(text));
    value.Type = etInteger;
    value.Int = qint32(quint32(v));
    word = std::make_shared<TConstant>(QString::number(value.Int), value);
  } else if (text.startsWith(QLatin1Char('\'')) || text.startsWith(QLatin1Char('"'))) {
    word = MakeStringConstant(text, XbCodePages::Encode(Context.CodePage, text));
  } else if (text.contains(DecimalChar)) {
    // Literals use the decimal character of the expression, whatever the locale.
    QString number = text;
    number.replace(DecimalChar, QLatin1Char('.'));
    value.Type = etFloat;
    value.Float = number.toDouble(&ok);
    if (!ok) throw EParserException(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    word = std::make_shared<TConstant>(text, value);
  } else {
    value.Type = etInteger;
    value.Int = text.toInt(&ok);
    if (!ok) throw EParserException(QStringLiteral("'%1' is not a valid integer value").arg(text));
    word = std::make_shared<TConstant>(text, value);
  }
  ownedConstants_.push_back(word);
  return word;
}

void TCustomExpressionParser::CheckTokens(const std::vector<TToken>& tokens) {
  int depth = 0;
  for (const TToken& token : tokens)
    depth += IsWord(token.Word, etLeftBracket) ? 1 : IsWord(token.Word, etRightBracket) ? -1 : 0;
  if (depth != 0) throw EParserException(QStringLiteral("Unequal brackets"));
  const std::size_t n = tokens.size();
  for (std::size_t i = 0; i < n; ++i) {
    const TWordPtr& word = tokens[i].Word;
    const TWordPtr* next = i + 1 < n ? &tokens[i + 1].Word : nullptr;
    if (next && word->IsValueWord() && (*next)->IsValueWord())
      throw EParserException(
          QStringLiteral("Missing operator between '%1' and '%2'").arg(word->WordName, (*next)->WordName));
    if (IsWord(word, etLeftBracket) && (!next || IsWord(*next, etRightBracket)))
      throw EParserException(QStringLiteral("Empty brackets ()"));
    if (IsWord(word, etRightBracket) && next && IsWord(*next, etLeftBracket))
      throw EParserException(QStringLiteral("Missing operator between )("));
    if (IsWord(word, etRightBracket) && next && (*next)->IsValueWord())
      throw EParserException(QStringLiteral("Missing operator between ) and constant/variable"));
    if (IsWord(word, etLeftBracket) && i > 0 && tokens[i - 1].Word->IsValueWord())
      throw EParserException(QStringLiteral("Missing operator between constant/variable and ("));
  }
}

// ---- resolving, folding, evaluating ---------------------------------------------------------------

void TCustomExpressionParser::ResolveArguments(TExprNode& node) {
  if (node.Word->IsValueWord()) return;
  int given = 0;
  while (given < int(node.Args.size()) && node.Args[std::size_t(given)])
    ++given;
  for (int i = 0; i < given; ++i)
    ResolveArguments(*node.Args[std::size_t(i)]);
  const bool gap = given < int(node.Args.size());
  enum { None, TooFew, Mismatch, TooMany } error = None, reported = None;
  // The error shown is that of the last overload that takes this many
  // arguments, else that of the last overload tried.
  bool countFitted = false;
  for (const TWordPtr& candidate : Words().Overloads(node.Word->WordName)) {
    const QString types = candidate->OperandTypes();
    error = None;
    for (int i = 0; i < given && i < candidate->MaxFunctionArg() && error == None; ++i)
      if (TypeOfLetter(types[i]) != node.Args[std::size_t(i)]->Word->ResultType()) error = Mismatch;
    if (error == None && given < candidate->MinFunctionArg()) error = TooFew;
    if (error == None && (gap ? int(node.Args.size()) : given) > candidate->MaxFunctionArg()) error = TooMany;
    if (error == None) {
      node.Word = candidate;
      node.ArgValues.resize(std::size_t(given));
      node.Args.resize(std::size_t(given));
      return;
    }
    const bool fits = given >= candidate->MinFunctionArg() && given <= candidate->MaxFunctionArg();
    if (fits || !countFitted) reported = error;
    countFitted = countFitted || fits;
  }
  if (reported == TooFew) throw EParserException(QStringLiteral("Function or operand has too few arguments"));
  if (reported == TooMany) throw EParserException(QStringLiteral("Function or operand has too many arguments"));
  throw EParserException(QStringLiteral("Argument type mismatch"));
}

bool TCustomExpressionParser::HasVariables(const TExprNode& node) {
  if (node.Word->IsVariable()) return true;
  for (const auto& arg : node.Args)
    if (arg && HasVariables(*arg)) return true;
  return false;
}

void TCustomExpressionParser::Fold(std::unique_ptr<TExprNode>& slot) {
  if (HasVariables(*slot)) {
    for (auto& arg : slot->Args)
      Fold(arg);
    return;
  }
  if (slot->Word->IsValueWord()) return;
  TExprValue value;
  Evaluate(*slot, value);
  const QString name = value.Type == etString ? QString::fromLatin1(value.Text) : QString();
  auto constant = std::make_shared<TConstant>(name, value);
  ownedConstants_.push_back(constant);
  slot = std::make_unique<TExprNode>();
  slot->Word = constant;
}

void TCustomExpressionParser::Evaluate(TExprNode& node, TExprValue& result) {
  if (node.Word->IsValueWord()) {
    node.Word->ReadValue(result);
    return;
  }
  for (std::size_t i = 0; i < node.Args.size(); ++i)
    Evaluate(*node.Args[i], node.ArgValues[i]);
  node.Word->Routine(Context, node.ArgValues.data(), int(node.Args.size()), result);
}
