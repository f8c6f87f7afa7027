#include "reports/engine/rpInterpretator.h"
#include "reports/engine/rpFunctionSplitter.h"
#include "reports/engine/rpValue.h"
#include <vector>

namespace {

constexpr int kMaxLabels = 101;
constexpr int kMaxLines = 65536;
// Statements and expressions nested deeper than this are refused before the
// compiler's recursion exhausts the program's stack.
constexpr int kMaxNesting = 200;

bool IsLetter(QChar c) {
  return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}
bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool IsIdentChar(QChar c) { return IsLetter(c) || IsDigit(c) || c == QLatin1Char('_') || c == QLatin1Char('.'); }

// A keyword at the start of a token, not continued by identifier characters.
bool StartsWithWord(const QString& token, QLatin1String word) {
  return token.startsWith(word) && (token.size() == word.size() || !IsIdentChar(token[word.size()]));
}

QString TargetBytes(int target) {
  return QString(QChar(char16_t(target & 0xFF))) + QChar(char16_t((target >> 8) & 0xFF));
}

int TargetOf(const QString& line) {
  if (line.size() < 3) throw ErpScriptError(QStringLiteral("Poškodený riadok skriptu."));
  return (line[1].unicode() & 0xFF) | (line[2].unicode() & 0xFF) << 8;
}

// One compile of one script: reads the text, builds the coded lines, reports
// the first error with its line and column in the source as written.
class TScriptCompiler {
public:
  TScriptCompiler(const TrpParser& parser, const QStringList& source, QStringList& target, QStringList& errors)
      : parser_(parser), source_(source), target_(target), errors_(errors) {}

  void Run() {
    target_.clear();
    errors_.clear();
    for (const QString& line : source_)
      buf_ += QString(line).replace(QLatin1Char('\t'), QLatin1Char(' ')) + QLatin1Char('\r');
    if (!buf_.trimmed().isEmpty()) Statement();
    ResolveGotos();
    ConvertExpressions();
  }

private:
  class Nesting {
  public:
    explicit Nesting(TScriptCompiler& c) : c_(c) {
      if (++c_.nesting_ > kMaxNesting) c_.Error(QStringLiteral("Skript je vnorený príliš hlboko."));
    }
    ~Nesting() { --c_.nesting_; }

  private:
    TScriptCompiler& c_;
  };

  QChar At(qsizetype p) const { return p < buf_.size() ? buf_[p] : QChar(); }

  void RemoveComment(qsizetype at) {
    const bool brace = buf_[at] == QLatin1Char('{');
    qsizetype end = buf_.indexOf(brace ? QLatin1Char('}') : QLatin1Char('\r'), at);
    end = end < 0 ? buf_.size() : end + 1;
    comments_.push_back({at, end - at});
    buf_.remove(at, end - at);
  }

  bool CommentAt(qsizetype p) const {
    return At(p) == QLatin1Char('{') || (At(p) == QLatin1Char('/') && At(p + 1) == QLatin1Char('/'));
  }

  void SkipBlanks() {
    for (;;) {
      while (pos_ < buf_.size() && buf_[pos_].unicode() <= 32)
        ++pos_;
      if (!CommentAt(pos_)) return;
      RemoveComment(pos_);
    }
  }

  // The next blank-delimited token, upper-cased (" " at the end of the text).
  // A comment inside it is removed and the token read again without it.
  QString ReadToken() {
    for (;;) {
      SkipBlanks();
      tokenStart_ = pos_;
      qsizetype p = pos_;
      bool comment = false;
      while (p < buf_.size() && buf_[p].unicode() > 32) {
        if (buf_[tokenStart_] != QLatin1Char('\'') && CommentAt(p)) {
          RemoveComment(p);
          comment = true;
          break;
        }
        ++p;
      }
      if (comment) continue;
      pos_ = p;
      const QString token = buf_.mid(tokenStart_, p - tokenStart_).toUpper();
      return token.isEmpty() ? QStringLiteral(" ") : token;
    }
  }

  void GiveBack() { pos_ = tokenStart_; }

  // Maps a position of the buffer back to the source as written.
  QString Position(qsizetype p) const {
    for (auto it = comments_.rbegin(); it != comments_.rend(); ++it)
      if (p >= it->first) p += it->second;
    int line = 1;
    for (const QString& text : source_) {
      if (p <= text.size()) return QStringLiteral("Line %1/%2: ").arg(line).arg(p + 1);
      p -= text.size() + 1;
      ++line;
    }
    // Past the end of the text: the end of the last line.
    const qsizetype last = source_.isEmpty() ? 0 : source_.back().size();
    return QStringLiteral("Line %1/%2: ").arg(std::max<qsizetype>(source_.size(), 1)).arg(last + 1);
  }

  void ErrorAt(qsizetype p, const QString& message) {
    if (error_) return;
    error_ = true;
    errors_.append(Position(p) + message);
  }

  void Error(const QString& message) {
    qsizetype p = tokenStart_;
    while (p < buf_.size() && buf_[p].unicode() <= 32)
      ++p;
    ErrorAt(p, message);
  }

  int AddLine(const QString& line) {
    if (target_.size() >= kMaxLines) {
      Error(QStringLiteral("Skript je príliš dlhý."));
      return int(target_.size()) - 1;
    }
    target_.append(line);
    linePos_.push_back(statementPos_);
    return int(target_.size()) - 1;
  }

  void SetTarget(int line, int targetLine) {
    if (line >= 0 && line < target_.size()) target_[line].replace(1, 2, TargetBytes(targetLine));
  }

  int Count() const { return int(target_.size()); }

  // --- statements

  void Statement() {
    Nesting nesting(*this);
    if (error_) return;
    SkipBlanks();
    statementPos_ = pos_;
    const QString token = ReadToken();
    if (token == QLatin1String("BEGIN"))
      Block();
    else if (token == QLatin1String("IF"))
      If();
    else if (token == QLatin1String("REPEAT"))
      Repeat();
    else if (token == QLatin1String("WHILE"))
      While();
    else if (token == QLatin1String("FOR"))
      For();
    else if (token == QLatin1String("GOTO"))
      Goto();
    else if (token == QLatin1String(" ") || token == QLatin1String("END") || token == QLatin1String("END;") ||
             token == QLatin1String("UNTIL"))
      GiveBack(); // an empty statement
    else {
      GiveBack();
      Simple();
    }
  }

  void Block() {
    for (;;) {
      Statement();
      if (error_) return;
      const QString token = ReadToken();
      if (token.startsWith(QLatin1Char(';'))) {
        pos_ = tokenStart_ + 1;
      } else if (token == QLatin1String("END") || token == QLatin1String("END;")) {
        pos_ = tokenStart_ + 3; // the ";" of "END;" belongs to the enclosing construct
        return;
      } else {
        return Error(QStringLiteral("Need \";\" or \"end\" here"));
      }
    }
  }

  void If() {
    const int condition = AddLine(QChar(TrpInterpretator::lcJumpIfZero) + TargetBytes(0) + Expression());
    if (error_) return;
    if (ReadToken() != QLatin1String("THEN")) return Error(QStringLiteral("Need \"then\" here"));
    Statement();
    if (error_) return;
    if (ReadToken() == QLatin1String("ELSE")) {
      const int jump = AddLine(QChar(TrpInterpretator::lcJump) + TargetBytes(0));
      SetTarget(condition, jump + 1);
      Statement();
      SetTarget(jump, Count());
    } else {
      GiveBack();
      SetTarget(condition, Count());
    }
  }

  void Repeat() {
    const int start = Count();
    for (;;) {
      Statement();
      if (error_) return;
      const QString token = ReadToken();
      if (token.startsWith(QLatin1Char(';')))
        pos_ = tokenStart_ + 1;
      else if (token == QLatin1String("UNTIL"))
        break;
      else
        return Error(QStringLiteral("Need \";\" or \"until\" here"));
    }
    AddLine(QChar(TrpInterpretator::lcJumpIfZero) + TargetBytes(start) + Expression());
  }

  void While() {
    const int start = Count();
    const int condition = AddLine(QChar(TrpInterpretator::lcJumpIfZero) + TargetBytes(0) + Expression());
    if (error_) return;
    if (ReadToken() != QLatin1String("DO")) return Error(QStringLiteral("Need \"do\" here"));
    Statement();
    AddLine(QChar(TrpInterpretator::lcJump) + TargetBytes(start));
    SetTarget(condition, Count());
  }

  void For() {
    const int before = Count();
    Simple();
    if (error_) return;
    const QString assignment = Count() > before ? target_.back() : QString();
    const qsizetype blank = assignment.indexOf(QLatin1Char(' '));
    if (assignment.isEmpty() || assignment[0].unicode() <= TrpInterpretator::lcExpression || blank < 0)
      return Error(QStringLiteral("Need \":=\" here"));
    const QString variable = assignment.left(blank);
    if (ReadToken() != QLatin1String("TO")) return Error(QStringLiteral("Need \"to\" here"));
    const int condition = AddLine(QChar(TrpInterpretator::lcJumpIfZero) + TargetBytes(0) + variable +
                                  QStringLiteral("<=") + Expression());
    if (error_) return;
    if (ReadToken() != QLatin1String("DO")) return Error(QStringLiteral("Need \"do\" here"));
    Statement();
    AddLine(variable + QLatin1Char(' ') + variable + QStringLiteral("+1"));
    AddLine(QChar(TrpInterpretator::lcJump) + TargetBytes(condition));
    SetTarget(condition, Count());
  }

  void Goto() {
    SkipBlanks();
    const qsizetype start = pos_;
    while (IsDigit(At(pos_)))
      ++pos_;
    if (pos_ == start) return Error(QStringLiteral("\"goto\" label must be a number"));
    const QString digits = buf_.mid(start, pos_ - start);
    const int line = AddLine(QChar(TrpInterpretator::lcJump) + TargetBytes(0) + digits);
    gotos_.push_back({line, digits + QLatin1Char(':'), start});
  }

  // A label, an assignment, or an expression evaluated for its effect.
  void Simple() {
    SkipBlanks();
    const qsizetype start = pos_;
    qsizetype q = pos_;
    while (IsDigit(At(q)))
      ++q;
    if (q > pos_ && At(q) == QLatin1Char(':')) {
      AddLabel(buf_.mid(pos_, q - pos_ + 1));
      pos_ = q + 1;
      return Statement();
    }
    if (!IsLetter(At(pos_))) return ExpressionStatement();
    const QString name = ReadIdentifier();
    QString index;
    const bool indexed = At(pos_) == QLatin1Char('[');
    if (indexed) {
      ++pos_;
      index = Expression();
      if (error_) return;
      SkipBlanks();
      if (At(pos_) != QLatin1Char(']')) return Error(QStringLiteral("Need \"]\" here"));
      ++pos_;
    }
    if (At(pos_) == QLatin1Char('(')) {
      pos_ = start;
      return ExpressionStatement();
    }
    Assignment(buf_.mid(start, pos_ - start), name, indexed ? &index : nullptr);
  }

  void Assignment(const QString& variable, const QString& name, const QString* index) {
    const QString token = ReadToken();
    if (token.startsWith(QLatin1Char(';')) || token == QLatin1String(" ") || token == QLatin1String("END") ||
        token.startsWith(QLatin1String("END;")) || token == QLatin1String("ELSE") || token == QLatin1String("UNTIL")) {
      GiveBack(); // a call without arguments: "exit;" runs exit(0)
      AddLine(QChar(TrpInterpretator::lcExpression) + variable + QStringLiteral("(0)"));
    } else if (token.startsWith(QLatin1String(":="))) {
      pos_ = tokenStart_ + 2;
      const QString value = Expression();
      if (index)
        AddLine(QChar(TrpInterpretator::lcExpression) + QStringLiteral("SETARRAY(") + name + QStringLiteral(", ") +
                *index + QStringLiteral(", ") + value + QLatin1Char(')'));
      else
        AddLine(variable + QLatin1Char(' ') + value);
    } else {
      Error(QStringLiteral("Need \":=\" here"));
    }
  }

  void ExpressionStatement() {
    const QString text = Expression();
    if (!text.isEmpty()) AddLine(QChar(TrpInterpretator::lcExpression) + text);
  }

  void AddLabel(const QString& label) {
    for (const auto& known : labels_)
      if (known.first == label) return;
    if (int(labels_.size()) >= kMaxLabels) return Error(QStringLiteral("Skript má priveľa návestí (najviac 101)."));
    labels_.push_back({label, Count()});
  }

  // --- expressions: the grammar only finds where an expression ends

  QString ReadIdentifier() {
    const qsizetype start = pos_;
    while (IsIdentChar(At(pos_)))
      ++pos_;
    return buf_.mid(start, pos_ - start);
  }

  QString Expression() {
    SkipBlanks();
    const qsizetype start = pos_;
    ParseExpression();
    return buf_.mid(start, pos_ - start).trimmed();
  }

  // Consumes `length` characters of the token just read.
  bool TakeOperator(qsizetype length) {
    pos_ = tokenStart_ + length;
    return true;
  }

  bool ComparisonFollows() {
    const QString t = ReadToken();
    if (t.startsWith(QLatin1String("<>")) || t.startsWith(QLatin1String("<=")) || t.startsWith(QLatin1String(">=")))
      return TakeOperator(2);
    if (t.startsWith(QLatin1Char('=')) || t.startsWith(QLatin1Char('<')) || t.startsWith(QLatin1Char('>')))
      return TakeOperator(1);
    GiveBack();
    return false;
  }

  bool AddingFollows() {
    const QString t = ReadToken();
    if (t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('-'))) return TakeOperator(1);
    if (StartsWithWord(t, QLatin1String("OR"))) return TakeOperator(2);
    GiveBack();
    return false;
  }

  bool MultiplyingFollows() {
    const QString t = ReadToken();
    if (t.startsWith(QLatin1Char('*')) || t.startsWith(QLatin1Char('/'))) return TakeOperator(1);
    if (StartsWithWord(t, QLatin1String("AND")) || StartsWithWord(t, QLatin1String("MOD"))) return TakeOperator(3);
    GiveBack();
    return false;
  }

  void ParseExpression() {
    Nesting nesting(*this);
    ParseSimple();
    if (!error_ && ComparisonFollows()) ParseSimple();
  }

  void ParseSimple() {
    Nesting nesting(*this);
    ParseTerm();
    if (!error_ && AddingFollows()) ParseSimple();
  }

  void ParseTerm() {
    Nesting nesting(*this);
    ParseFactor();
    if (!error_ && MultiplyingFollows()) ParseTerm();
  }

  void ParseFactor() {
    if (error_) return;
    SkipBlanks();
    const QChar c = At(pos_);
    if (c == QLatin1Char('(')) {
      ++pos_;
      ParseExpression();
      Expect(QLatin1Char(')'), QStringLiteral("Need \")\" here"));
    } else if (c == QLatin1Char('[')) {
      qsizetype finish = 0;
      rpGetBracketedText(buf_, pos_, finish);
      if (finish >= buf_.size()) {
        tokenStart_ = pos_;
        return Error(QStringLiteral("Need \"]\" here"));
      }
      pos_ = finish + 1;
    } else if (c == QLatin1Char('+') || c == QLatin1Char('-')) {
      ++pos_;
      ParseExpression();
    } else if (StartsWithWord(buf_.mid(pos_, 4).toUpper(), QLatin1String("NOT"))) {
      pos_ += 3;
      ParseExpression();
    } else if (IsLetter(c)) {
      ParseVariableOrCall();
    } else if (IsDigit(c)) {
      while (IsDigit(At(pos_)))
        ++pos_;
      if (At(pos_) == QLatin1Char('.') && IsDigit(At(pos_ + 1))) {
        ++pos_;
        while (IsDigit(At(pos_)))
          ++pos_;
      }
    } else if (c == QLatin1Char('\'')) {
      TrpParser::GetString(buf_, pos_);
    }
  }

  void ParseVariableOrCall() {
    ReadIdentifier();
    if (At(pos_) == QLatin1Char('[')) {
      ++pos_;
      ParseExpression();
      if (!Expect(QLatin1Char(']'), QStringLiteral("Need \"]\" here"))) return;
    }
    if (At(pos_) != QLatin1Char('(')) return;
    ++pos_;
    for (;;) {
      ParseExpression();
      if (error_) return;
      SkipBlanks();
      if (At(pos_) == QLatin1Char(',')) {
        ++pos_;
      } else if (At(pos_) == QLatin1Char(')')) {
        ++pos_;
        return;
      } else {
        return Error(QStringLiteral("Need \",\" or \")\" here"));
      }
    }
  }

  bool Expect(QChar c, const QString& message) {
    if (error_) return false;
    SkipBlanks();
    if (At(pos_) == c) {
      ++pos_;
      return true;
    }
    tokenStart_ = pos_;
    Error(message);
    return false;
  }

  // --- after the walk

  void ResolveGotos() {
    for (const TGoto& g : gotos_) {
      const auto label =
          std::find_if(labels_.begin(), labels_.end(), [&](const auto& l) { return l.first == g.label; });
      if (label == labels_.end()) {
        ErrorAt(g.position, QStringLiteral("Návestie \"%1\" v príkaze goto nie je v skripte.").arg(g.label.chopped(1)));
        return;
      }
      SetTarget(g.line, label->second);
    }
  }

  void ConvertExpressions() {
    for (int i = 0; i < Count() && !error_; ++i) {
      QString& line = target_[i];
      try {
        switch (line[0].unicode()) {
        case TrpInterpretator::lcJumpIfZero:
          line = line.left(3) + parser_.ToPostfix(line.mid(3));
          break;
        case TrpInterpretator::lcJump:
          break;
        case TrpInterpretator::lcExpression:
          line = line.left(1) + parser_.ToPostfix(line.mid(1));
          break;
        default: {
          const qsizetype blank = line.indexOf(QLatin1Char(' '));
          line = line.left(blank + 1) + parser_.ToPostfix(line.mid(blank + 1));
        }
        }
      } catch (const Exception& e) {
        ErrorAt(linePos_[size_t(i)], e.Message().isEmpty() ? QStringLiteral("Need \")\" here") : e.Message());
      }
    }
  }

  struct TGoto {
    int line;
    QString label;
    qsizetype position;
  };

  const TrpParser& parser_;
  const QStringList source_; // a copy: the target may be the same list
  QStringList& target_;
  QStringList& errors_;
  QString buf_;
  qsizetype pos_ = 0;
  qsizetype tokenStart_ = 0;
  qsizetype statementPos_ = 0;
  bool error_ = false;
  int nesting_ = 0;
  std::vector<std::pair<qsizetype, qsizetype>> comments_;
  std::vector<std::pair<QString, int>> labels_;
  std::vector<TGoto> gotos_;
  std::vector<qsizetype> linePos_;
};

} // namespace

TrpInterpretator::TrpInterpretator() {
  parser_.OnGetValue = [this](const QString& name, QVariant& value) { GetValue(name, value); };
  parser_.OnFunction = [this](const QString& name, const QString& p1, const QString& p2, const QString& p3,
                              QVariant& val) { DoFunction(name, p1, p2, p3, val); };
}

TrpInterpretator::~TrpInterpretator() = default;

void TrpInterpretator::PrepareScript(const QStringList& source, QStringList& target, QStringList& errors) {
  TScriptCompiler(parser_, source, target, errors).Run();
}

void TrpInterpretator::DoScript(const QStringList& lines) {
  qint64 steps = 0;
  qsizetype i = 0;
  while (i < lines.size()) {
    if (++steps > maxSteps_)
      throw ErpScriptError(
          QStringLiteral("Skript bol zastavený po %1 krokoch: pravdepodobne sa nikdy neskončí.").arg(maxSteps_));
    const QString& line = lines[i];
    if (line.isEmpty()) {
      ++i;
      continue;
    }
    switch (line[0].unicode()) {
    case lcJumpIfZero:
      i = rpCompare(parser_.CalcPostfix(line.mid(3)), rpIntegerValue(0)) == 0 ? TargetOf(line) : i + 1;
      break;
    case lcJump:
      i = TargetOf(line);
      break;
    case lcExpression:
      if (line.mid(1).compare(QLatin1String("EXIT(0)"), Qt::CaseInsensitive) == 0) return;
      parser_.CalcPostfix(line.mid(1));
      ++i;
      break;
    default: {
      const qsizetype blank = line.indexOf(QLatin1Char(' '));
      const QVariant value = parser_.CalcPostfix(blank < 0 ? QString() : line.mid(blank + 1));
      SetValue(blank < 0 ? line : line.left(blank), value);
      ++i;
    }
    }
  }
}

void TrpInterpretator::SplitExpressions(const QStringList& lines, const QStringList& functionNames,
                                        const TrpVariables* variables, QStringList& result) {
  TrpFunctionSplitter splitter(functionNames, result, variables);
  for (const QString& line : lines) {
    if (line.isEmpty()) continue;
    switch (line[0].unicode()) {
    case lcJumpIfZero:
      splitter.Split(line.mid(3));
      break;
    case lcJump:
      break;
    case lcExpression:
      splitter.Split(line.mid(1));
      break;
    default:
      splitter.Split(line.mid(line.indexOf(QLatin1Char(' ')) + 1));
    }
  }
}
