#include "reports/engine/rpParser.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include <array>
#include <cmath>

namespace {

constexpr int kStackSize = 32;
// Nested evaluations (calls evaluating their arguments) deeper than this are
// refused before they exhaust the program's own stack.
constexpr int kMaxDepth = 64;

bool IsStopChar(QChar c) {
  switch (c.unicode()) {
  case '\r':
  case ' ':
  case '(':
  case ')':
  case '*':
  case '+':
  case '-':
  case '/':
  case '<':
  case '=':
  case '>':
  case '[':
    return true;
  default:
    return false;
  }
}

bool IsNumberStart(const QString& text) {
  if (text.isEmpty()) return false;
  const QChar c = text[0];
  return c == QLatin1Char(',') || c == QLatin1Char('.') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

int Priority(char16_t op) {
  switch (op) {
  case TrpParser::opInt:
  case TrpParser::opFrac:
  case TrpParser::opStr:
  case TrpParser::opRound:
    return 0;
  case TrpParser::opOr:
  case TrpParser::opAnd:
  case TrpParser::opNot:
  case TrpParser::opMod:
  case '*':
  case '/':
    return 1;
  case TrpParser::opNegate:
  case TrpParser::opPlus:
  case '+':
  case '-':
    return 2;
  case '(':
    return 5;
  default:
    return 3; // comparisons
  }
}

int ValuesTaken(char16_t op) {
  switch (op) {
  case TrpParser::opInt:
  case TrpParser::opFrac:
  case TrpParser::opNegate:
  case TrpParser::opPlus:
  case TrpParser::opStr:
  case TrpParser::opNot:
  case TrpParser::opRound:
    return 1;
  default:
    return 2;
  }
}

bool IsOperatorChar(QChar c) {
  switch (c.unicode()) {
  case 1:
  case 2:
  case 3:
  case 4:
  case 5:
  case 6:
  case 7:
  case 9:
  case 10:
  case 11:
  case 12:
  case 13:
  case 14:
  case '*':
  case '/':
  case '+':
  case '-':
  case '<':
  case '=':
  case '>':
    return true;
  default:
    return false;
  }
}

char16_t WordOperator(const QString& upper) {
  static const std::pair<const char*, char16_t> words[] = {
      {"INT", TrpParser::opInt}, {"FRAC", TrpParser::opFrac}, {"ROUND", TrpParser::opRound}, {"OR", TrpParser::opOr},
      {"AND", TrpParser::opAnd}, {"NOT", TrpParser::opNot},   {"STR", TrpParser::opStr},     {"MOD", TrpParser::opMod}};
  for (const auto& [word, op] : words)
    if (upper == QLatin1String(word)) return op;
  return 0;
}

void PlaceOperator(char16_t op, QString& stack, QString& out) {
  // Equal priorities associate to the left.
  while (!stack.isEmpty() && Priority(op) >= Priority(stack.back().unicode())) {
    out.append(stack.back());
    stack.chop(1);
  }
  stack.append(QChar(op));
}

// Reads the operand that starts at `pos` the way the conversion does: an
// optional "%x" prefix, then a string, a bracketed name or an identifier with
// a directly following "[index]".
void SkipOperand(const QString& s, qsizetype& pos) {
  if (s[pos] == QLatin1Char('%') && pos + 1 < s.size()) pos += 2;
  if (pos < s.size() && s[pos] == QLatin1Char('\'')) {
    TrpParser::GetString(s, pos);
    return;
  }
  if (pos >= s.size() || s[pos] != QLatin1Char('[')) TrpParser::GetIdentifier(s, pos);
  if (pos < s.size() && s[pos] == QLatin1Char('[')) {
    qsizetype finish = 0;
    rpGetBracketedText(s, pos, finish);
    pos = std::min(finish + 1, s.size());
  }
}

QVariant Flag(bool value) { return rpIntegerValue(value ? 1 : 0); }

// INT and FRAC treat a value within 1e-10 of an integer as that integer.
double Snapped(const QVariant& v) {
  const double x = rpValueToFloat(v);
  const double r = std::round(x);
  return std::fabs(x - r) < 1e-10 ? r : x;
}

int StrictInteger(const QVariant& v) {
  bool ok = false;
  const int n = rpValueToText(v).trimmed().toInt(&ok);
  if (!ok) throw ErpConversionError(QStringLiteral("'%1' nie je platné celé číslo.").arg(rpValueToText(v)));
  return n;
}

QString Unquoted(const QString& quoted) {
  QString inner = quoted.mid(1);
  if (quoted.size() >= 2 && inner.endsWith(QLatin1Char('\''))) inner.chop(1);
  return inner.replace(QStringLiteral("''"), QStringLiteral("'"));
}

class DepthGuard {
public:
  explicit DepthGuard(int& depth) : depth_(depth) {
    if (++depth_ > kMaxDepth) {
      --depth_;
      throw ErpParserError(QStringLiteral("Výraz je vnorený príliš hlboko."));
    }
  }
  ~DepthGuard() { --depth_; }

private:
  int& depth_;
};

} // namespace

QString TrpParser::GetIdentifier(const QString& text, qsizetype& pos) {
  while (pos < text.size() && text[pos].unicode() <= 32)
    ++pos;
  const qsizetype start = pos;
  bool inQuotes = false;
  while (pos < text.size() && (inQuotes || !IsStopChar(text[pos]))) {
    if (text[pos] == QLatin1Char('"')) inQuotes = !inQuotes;
    ++pos;
  }
  return text.mid(start, pos - start);
}

QString TrpParser::GetString(const QString& text, qsizetype& pos) {
  const qsizetype start = pos++;
  while (pos < text.size()) {
    if (text[pos] == QLatin1Char('\'')) {
      if (pos + 1 < text.size() && text[pos + 1] == QLatin1Char('\'')) {
        pos += 2;
        continue;
      }
      ++pos;
      break;
    }
    ++pos;
  }
  return text.mid(start, pos - start);
}

void TrpParser::GetParameters(const QString& text, qsizetype& pos, QString& first, QString& second, QString& third) {
  first.clear();
  second.clear();
  third.clear();
  QString* args[] = {&first, &second, &third};
  int argument = 0;
  int level = 0;
  bool inQuotes = false;
  qsizetype start = ++pos;
  for (; pos < text.size(); ++pos) {
    const QChar c = text[pos];
    if (c == QLatin1Char('\'')) inQuotes = !inQuotes;
    if (inQuotes) continue;
    if (c == QLatin1Char('(')) {
      ++level;
    } else if (c == QLatin1Char(')') && level > 0) {
      --level;
    } else if ((c == QLatin1Char(',') || c == QLatin1Char(')')) && level == 0) {
      if (argument < 3) *args[argument] = text.mid(start, pos - start);
      ++argument;
      start = pos + 1;
      if (c == QLatin1Char(')')) {
        ++pos;
        return;
      }
    }
  }
  throw ErpParserError(QString());
}

QString rpGetBracketedText(const QString& text, qsizetype start, qsizetype& finish) {
  finish = start;
  if (start < 0 || start >= text.size() || text[start] != QLatin1Char('[')) return QString();
  int level = 0;
  QChar quote;
  for (qsizetype i = start; i < text.size(); ++i) {
    const QChar c = text[i];
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
    } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
      quote = c;
    } else if (c == QLatin1Char('[')) {
      ++level;
    } else if (c == QLatin1Char(']') && --level == 0) {
      finish = i;
      return text.mid(start + 1, i - start - 1);
    }
  }
  finish = text.size();
  return text.mid(start + 1);
}

QString TrpParser::ToPostfix(const QString& s) const {
  QString out, stack;
  bool operand = false;
  qsizetype i = 0;
  while (i < s.size()) {
    const QChar c = s[i];
    if (c.unicode() <= 32) {
      ++i;
    } else if (c == QLatin1Char(';')) {
      break;
    } else if (c == QLatin1Char('(')) {
      stack.append(c);
      operand = false;
      ++i;
    } else if (c == QLatin1Char(')')) {
      while (!stack.isEmpty() && stack.back() != QLatin1Char('(')) {
        out.append(stack.back());
        stack.chop(1);
      }
      if (!stack.isEmpty()) stack.chop(1);
      ++i;
    } else if (QStringLiteral("+-*/<=>").contains(c)) {
      char16_t op = c.unicode();
      const QChar next = i + 1 < s.size() ? s[i + 1] : QChar();
      if (c == QLatin1Char('<') && next == QLatin1Char('>'))
        op = opNotEqual;
      else if (c == QLatin1Char('>') && next == QLatin1Char('='))
        op = opGreaterEqual;
      else if (c == QLatin1Char('<') && next == QLatin1Char('='))
        op = opLessEqual;
      i += op < 32 ? 2 : 1;
      if (!operand && op == '-') op = opNegate;
      if (!operand && op == '+') op = opPlus;
      PlaceOperator(op, stack, out);
      operand = false;
    } else {
      operand = true;
      const qsizetype start = i;
      SkipOperand(s, i);
      const QString text = s.mid(start, i - start);
      if (IsNumberStart(text)) {
        out += text + QLatin1Char(' ');
      } else if (const char16_t op = WordOperator(text.toUpper())) {
        PlaceOperator(op, stack, out);
        operand = false;
      } else if (i < s.size() && s[i] == QLatin1Char('(')) {
        QString p1, p2, p3;
        GetParameters(s, i, p1, p2, p3);
        out += s.mid(start, i - start);
      } else {
        out += text + QLatin1Char(' ');
      }
    }
  }
  std::reverse(stack.begin(), stack.end());
  return out + stack;
}

QVariant TrpParser::Calc(const QString& expression) { return CalcPostfix(ToPostfix(expression)); }

QVariant TrpParser::CallFunction(const QString& name, const QString& p1, const QString& p2, const QString& p3) {
  if (name == QLatin1String("COPY")) {
    const QString text = rpValueToText(Calc(p1));
    const int start = std::max(StrictInteger(Calc(p2)), 1);
    const int count = StrictInteger(Calc(p3));
    return count <= 0 ? QString() : text.mid(start - 1, count);
  }
  if (name == QLatin1String("IF")) return std::trunc(rpValueToFloat(Calc(p1))) != 0 ? Calc(p2) : Calc(p3);
  if (name == QLatin1String("STRTODATE")) return rpDateTimeValue(rpTextToDate(rpValueToText(Calc(p1))));
  if (name == QLatin1String("STRTOTIME")) return rpDateTimeValue(rpTextToTime(rpValueToText(Calc(p1))));
  QVariant val;
  if (OnFunction) OnFunction(name, p1, p2, p3, val);
  return val;
}

QVariant TrpParser::CalcPostfix(const QString& p) {
  DepthGuard guard(depth_);
  std::array<QVariant, kStackSize> values;
  values[0] = rpIntegerValue(0);
  int count = 0;
  auto push = [&](QVariant value) {
    if (count == kStackSize) throw ErpParserError(QStringLiteral("Výraz je príliš zložitý na vyhodnotenie."));
    values[count++] = std::move(value);
  };
  qsizetype i = 0;
  while (i < p.size()) {
    const QChar c = p[i];
    if (c == QLatin1Char(' ')) {
      ++i;
      continue;
    }
    if (IsOperatorChar(c)) {
      const char16_t op = c.unicode();
      const int taken = ValuesTaken(op);
      if (count < taken) throw ErpParserError(QStringLiteral("Výraz nemožno vyhodnotiť: operátoru chýba operand."));
      QVariant& a = values[count - taken];
      const QVariant& b = values[count - 1];
      switch (op) {
      case '+':
        a = rpAdd(a, b);
        break;
      case '-':
        a = rpSubtract(a, b);
        break;
      case '*':
        a = rpMultiply(a, b);
        break;
      case '/':
        a = rpDivide(a, b);
        break;
      case opMod:
        a = rpModulo(a, b);
        break;
      case opAnd:
        a = rpAnd(a, b);
        break;
      case opOr:
        a = rpOr(a, b);
        break;
      case '<':
        a = Flag(rpCompare(a, b) < 0);
        break;
      case '=':
        a = Flag(rpCompare(a, b) == 0);
        break;
      case '>':
        a = Flag(rpCompare(a, b) > 0);
        break;
      case opGreaterEqual:
        a = Flag(rpCompare(a, b) >= 0);
        break;
      case opLessEqual:
        a = Flag(rpCompare(a, b) <= 0);
        break;
      case opNotEqual:
        a = Flag(rpCompare(a, b) != 0);
        break;
      case opNot:
        a = Flag(rpCompare(a, rpIntegerValue(0)) == 0);
        break;
      case opNegate:
        a = rpNegate(a);
        break;
      case opPlus:
        break;
      case opStr:
        a = rpValueToText(a);
        break;
      case opInt:
        a = std::trunc(Snapped(a));
        break;
      case opFrac: {
        const double x = Snapped(a);
        a = x - std::trunc(x);
        break;
      }
      case opRound:
        a = std::nearbyint(rpValueToFloat(a));
        break;
      }
      if (taken == 2) values[--count] = QVariant();
      ++i;
      continue;
    }
    if (c == QLatin1Char('\'')) {
      push(Unquoted(GetString(p, i)));
      continue;
    }
    if (c == QLatin1Char('[')) {
      qsizetype finish = 0;
      const QString inner = rpGetBracketedText(p, i, finish);
      i = std::min(finish + 1, p.size());
      QVariant value;
      if (OnGetValue) OnGetValue(inner, value);
      push(value);
      continue;
    }
    const qsizetype start = i;
    const QString name = GetIdentifier(p, i);
    if (IsNumberStart(name)) {
      push(rpStrToFloat(name));
    } else if (name.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0) {
      push(true);
    } else if (name.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0) {
      push(false);
    } else if (i < p.size() && p[i] == QLatin1Char('[')) {
      qsizetype finish = 0;
      const QString index = rpGetBracketedText(p, i, finish);
      i = std::min(finish + 1, p.size());
      push(Calc(QStringLiteral("GETARRAY(") + name + QStringLiteral(", ") + index + QLatin1Char(')')));
    } else if (i < p.size() && p[i] == QLatin1Char('(')) {
      QString p1, p2, p3;
      GetParameters(p, i, p1, p2, p3);
      push(CallFunction(name.toUpper(), p1, p2, p3));
    } else {
      if (i == start)
        throw ErpParserError(QStringLiteral("Výraz nemožno vyhodnotiť: neočakávaný znak \"%1\".").arg(p[i]));
      QVariant value;
      if (OnGetValue) OnGetValue(name.toUpper(), value);
      push(value);
    }
  }
  return values[0];
}
