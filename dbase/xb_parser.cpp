#include "dbase/xb_parser.h"
#include "core/DateTime.h"
#include "dbase/xb_codepages.h"
#include "dbase/xb_file.h"
#include <QtCore/QCollator>
#include <QtCore/QVariant>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// ---- arithmetic ---------------------------------------------------------------------------------

[[noreturn]] void Fail(const char* message) { throw EParserException(QString::fromLatin1(message)); }

double AsDouble(const TExprValue& v) {
  return v.Type == etFloat ? v.Float : v.Type == etLargeInt ? double(v.Large) : double(v.Int);
}
qint64 AsLarge(const TExprValue& v) { return v.Type == etLargeInt ? v.Large : v.Int; }

template <char Op> double FloatOp(double x, double y) {
  if (Op == '/') {
    if (y == 0) Fail(x == 0 || std::isnan(x) ? "Invalid floating point operation" : "Floating point division by zero");
    return x / y;
  }
  return Op == '+' ? x + y : Op == '-' ? x - y : x * y;
}

template <char Op, typename T> T IntegerOp(T x, T y) {
  T r{};
  bool overflow = false;
  switch (Op) {
  case '+':
    overflow = __builtin_add_overflow(x, y, &r);
    break;
  case '-':
    overflow = __builtin_sub_overflow(x, y, &r);
    break;
  case '*':
    overflow = __builtin_mul_overflow(x, y, &r);
    break;
  default:
    if (y == 0) Fail("Division by zero");
    if (x == std::numeric_limits<T>::min() && y == -1) Fail("Integer overflow");
    r = x / y;
  }
  if (overflow) Fail("Integer overflow");
  return r;
}

// One routine per operator serves every operand combination: a float operand
// makes the operation float, a large integer makes it 64-bit.
template <char Op> void Arithmetic(const TEvalContext&, const TExprValue* a, int, TExprValue& r) {
  if (a[0].Type == etFloat || a[1].Type == etFloat) {
    const double value = FloatOp<Op>(AsDouble(a[0]), AsDouble(a[1]));
    if (std::isinf(value)) Fail("Floating point overflow");
    if (std::isnan(value)) Fail("Invalid floating point operation");
    r.Type = etFloat;
    r.Float = value;
  } else if (a[0].Type == etLargeInt || a[1].Type == etLargeInt) {
    r.Type = etLargeInt;
    r.Large = IntegerOp<Op, qint64>(AsLarge(a[0]), AsLarge(a[1]));
  } else {
    r.Type = etInteger;
    r.Int = IntegerOp<Op, qint32>(a[0].Int, a[1].Int);
  }
}

void Negate(const TEvalContext&, const TExprValue* a, int, TExprValue& r) {
  r.Type = a[0].Type;
  if (r.Type == etFloat) r.Float = -a[0].Float;
  if (r.Type == etLargeInt) r.Large = IntegerOp<'-', qint64>(0, a[0].Large);
  if (r.Type == etInteger) r.Int = IntegerOp<'-', qint32>(0, a[0].Int);
}

void Concatenate(const TEvalContext&, const TExprValue* a, int, TExprValue& r) {
  r.Type = etString;
  r.Text = a[0].Text + a[1].Text;
}

// ---- comparisons --------------------------------------------------------------------------------

template <typename T> int Sign(T x, T y) { return x < y ? -1 : x > y ? 1 : 0; }

int CompareNumbers(const TExprValue& x, const TExprValue& y) {
  if (x.Type == etFloat || y.Type == etFloat)
    return Sign<long double>(x.Type == etFloat ? x.Float : AsLarge(x), y.Type == etFloat ? y.Float : AsLarge(y));
  return Sign(AsLarge(x), AsLarge(y));
}

const QCollator& Collator(bool ignoreCase) {
  static const QCollator respecting = [] {
    QCollator c{QLocale()};
    c.setCaseSensitivity(Qt::CaseSensitive);
    return c;
  }();
  static const QCollator ignoring = [] {
    QCollator c{QLocale()};
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
  }();
  return ignoreCase ? ignoring : respecting;
}

QString Decode(const TEvalContext& c, const QByteArray& bytes) {
  const qsizetype zero = bytes.indexOf('\0');
  return XbCodePages::Decode(c.CodePage, zero < 0 ? QByteArrayView(bytes) : QByteArrayView(bytes).first(zero));
}

int CompareTexts(const TEvalContext& c, const TExprValue& x, const TExprValue& y, bool ignoreCase) {
  const int r = Collator(ignoreCase).compare(Decode(c, x.Text), Decode(c, y.Text));
  return r < 0 ? -1 : r > 0 ? 1 : 0;
}

template <int Kind> bool Holds(int c) {
  switch (Kind) {
  case 0:
    return c == 0;
  case 1:
    return c < 0;
  case 2:
    return c > 0;
  case 3:
    return c <= 0;
  case 4:
    return c >= 0;
  default:
    return c != 0;
  }
}

template <int Kind> void NumberCompare(const TEvalContext&, const TExprValue* a, int, TExprValue& r) {
  r.Type = etBoolean;
  r.Bool = Holds<Kind>(CompareNumbers(a[0], a[1]));
}

template <int Kind, bool IgnoreCase> void TextCompare(const TEvalContext& c, const TExprValue* a, int, TExprValue& r) {
  r.Type = etBoolean;
  r.Bool = Holds<Kind>(CompareTexts(c, a[0], a[1], IgnoreCase));
}

// Equality where the right operand may begin and/or end with an asterisk.
template <bool IgnoreCase> void WildcardEqual(const TEvalContext& c, const TExprValue* a, int, TExprValue& r) {
  r.Type = etBoolean;
  const QString value = Decode(c, a[0].Text);
  const QString pattern = Decode(c, a[1].Text);
  const qsizetype n = pattern.size();
  const bool lead = pattern.startsWith(QLatin1Char('*'));
  const bool trail = n > 0 && pattern.endsWith(QLatin1Char('*'));
  auto same = [&](const QString& x, const QString& y) { return Collator(IgnoreCase).compare(x, y) == 0; };
  if (lead && trail) {
    const QString inner = n >= 2 ? pattern.mid(1, n - 2) : QString();
    r.Bool = !inner.isEmpty() && (IgnoreCase ? value.toUpper().contains(inner.toUpper()) : value.contains(inner));
  } else if (lead) {
    r.Bool = value.size() >= n - 1 && same(value.right(n - 1), pattern.right(n - 1));
  } else if (trail) {
    r.Bool = value.size() >= n - 1 && same(value.left(n - 1), pattern.left(n - 1));
  } else {
    r.Bool = same(value, pattern);
  }
}

// ---- logic --------------------------------------------------------------------------------------

void And(const TEvalContext&, const TExprValue* a, int, TExprValue& r) {
  r = {}, r.Type = etBoolean, r.Bool = a[0].Bool && a[1].Bool;
}
void Or(const TEvalContext&, const TExprValue* a, int, TExprValue& r) {
  r = {}, r.Type = etBoolean, r.Bool = a[0].Bool || a[1].Bool;
}
void Not(const TEvalContext&, const TExprValue* a, int, TExprValue& r) {
  r = {}, r.Type = etBoolean, r.Bool = !a[0].Bool;
}

// ---- functions ----------------------------------------------------------------------------------

void SetText(TExprValue& r, QByteArray text) {
  r.Type = etString;
  r.Text = std::move(text);
}

// Right-aligns the text in `width` characters; a text too wide becomes
// asterisks, never a cut number.
QByteArray FitWidth(const QByteArray& text, int width) {
  if (width <= 0) return {};
  if (text.size() > width) return QByteArray(width, '*');
  return QByteArray(width - text.size(), ' ') + text;
}

void StrFloat(const TEvalContext&, const TExprValue* a, int count, TExprValue& r) {
  const int width = count >= 2 ? a[1].Int : 18;
  const int decimals = count >= 3 ? std::clamp(a[2].Int, 0, 18) : 0;
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, a[0].Float);
  const QByteArray text(buffer);
  if (count >= 2) return SetText(r, FitWidth(text, width));
  SetText(r, text.size() > width ? QByteArray(width, '*') : text);
}

void StrInteger(const TEvalContext&, const TExprValue* a, int count, TExprValue& r) {
  QByteArray text = QByteArray::number(a[0].Int);
  if (count < 2) return SetText(r, text);
  if (count >= 3) text += '.' + QByteArray(std::max(0, a[2].Int), '0');
  const int width = a[1].Int <= 0 ? 0 : a[1].Int + (count >= 3 ? 1 + std::max(0, a[2].Int) : 0);
  SetText(r, FitWidth(text, width));
}

void Dtos(const TEvalContext&, const TExprValue* a, int, TExprValue& r) {
  const QDate date = DateTime::ToDate(a[0].Float);
  SetText(r, date.isValid() && date.year() > 0 && date.year() < 10000
                 ? date.toString(QStringLiteral("yyyyMMdd")).toLatin1()
                 : QByteArray(8, ' '));
}

// The characters from `start` (1-based) on, as many of `count` as the text has.
void Substr(const TEvalContext&, const TExprValue* a, int, TExprValue& r) {
  const QByteArray& text = a[0].Text;
  const qsizetype length = std::max<qsizetype>(0, text.indexOf('\0') < 0 ? text.size() : text.indexOf('\0'));
  const qint64 start = a[1].Int, count = a[2].Int;
  if (start < 1 || count <= 0 || start > length) return SetText(r, {});
  SetText(r, text.mid(start - 1, qsizetype(std::min<qint64>(count, length - start + 1))));
}

template <bool Upper> void ChangeCase(const TEvalContext& c, const TExprValue* a, int, TExprValue& r) {
  const QString text = Decode(c, a[0].Text);
  SetText(r, XbCodePages::Encode(c.CodePage, Upper ? text.toUpper() : text.toLower()));
}

// ---- the word lists -----------------------------------------------------------------------------

constexpr int kMultiplicative = 30, kAdditive = 40, kComparison = 80, kNot = 85, kAnd = 90, kOr = 100;

TWordPtr Operator(const char* name, const char* types, TExpressionType result, TExprRoutine routine, int precedence) {
  return std::make_shared<TFunction>(QString::fromLatin1(name), QString::fromLatin1(types), result, routine,
                                     precedence);
}

TExpressionType ArithmeticResult(const char* types) {
  const QByteArray t(types);
  return t.contains('F') ? etFloat : t.contains('L') ? etLargeInt : etInteger;
}

TExpressList BuildGeneralWords() {
  TExpressList list;
  list.Add(std::make_shared<TLeftBracket>());
  list.Add(std::make_shared<TRightBracket>());
  list.Add(std::make_shared<TComma>());
  static const char* const kArithmeticTypes[] = {"FF", "FI", "IF", "II", "FL", "IL", "LF", "LL", "LI"};
  list.Add(Operator("+", "SS", etString, Concatenate, kAdditive));
  struct {
    const char* name;
    TExprRoutine routine;
    int precedence;
  } const arithmetic[] = {{"+", Arithmetic<'+'>, kAdditive},
                          {"-", Arithmetic<'-'>, kAdditive},
                          {"*", Arithmetic<'*'>, kMultiplicative},
                          {"/", Arithmetic<'/'>, kMultiplicative}};
  for (const auto& op : arithmetic)
    for (const char* types : kArithmeticTypes)
      list.Add(Operator(op.name, types, ArithmeticResult(types), op.routine, op.precedence));
  // The sign: "-" with one operand.
  for (const char* types : {"I", "F", "L"})
    list.Add(Operator("-", types, TypeOfLetter(QLatin1Char(types[0])), Negate, kAdditive));
  struct {
    const char* name;
    TExprRoutine routine;
  } const comparisons[] = {{"=", NumberCompare<0>},  {"<", NumberCompare<1>},  {">", NumberCompare<2>},
                           {"<=", NumberCompare<3>}, {">=", NumberCompare<4>}, {"<>", NumberCompare<5>}};
  for (const char* types : {"FF", "FI", "II", "IF", "LL", "LF", "LI", "FL", "IL"})
    for (const auto& cmp : comparisons)
      list.Add(Operator(cmp.name, types, etBoolean, cmp.routine, kComparison));
  list.Add(Operator("NOT", "B", etBoolean, Not, kNot));
  list.Add(Operator("AND", "BB", etBoolean, And, kAnd));
  list.Add(Operator("OR", "BB", etBoolean, Or, kOr));
  auto function = [&](const char* name, const char* shortName, const char* types, int minArgs, TExprRoutine routine) {
    list.Add(std::make_shared<TFunction>(QString::fromLatin1(name), QString::fromLatin1(shortName),
                                         QString::fromLatin1(types), minArgs, etString, routine));
  };
  function("STR", "", "FII", 1, StrFloat);
  function("STR", "", "III", 1, StrInteger);
  function("DTOS", "", "D", 1, Dtos);
  function("SUBSTR", "SUBS", "SII", 3, Substr);
  function("UPPERCASE", "UPPER", "S", 1, ChangeCase<true>);
  function("LOWERCASE", "LOWER", "S", 1, ChangeCase<false>);
  return list;
}

template <bool IgnoreCase> TExpressList BuildComparisons() {
  TExpressList list;
  list.Add(Operator("<", "SS", etBoolean, TextCompare<1, IgnoreCase>, kComparison));
  list.Add(Operator(">", "SS", etBoolean, TextCompare<2, IgnoreCase>, kComparison));
  list.Add(Operator("<=", "SS", etBoolean, TextCompare<3, IgnoreCase>, kComparison));
  list.Add(Operator(">=", "SS", etBoolean, TextCompare<4, IgnoreCase>, kComparison));
  list.Add(Operator("<>", "SS", etBoolean, TextCompare<5, IgnoreCase>, kComparison));
  return list;
}

TExpressList BuildEquality(TExprRoutine routine) {
  TExpressList list;
  list.Add(Operator("=", "SS", etBoolean, routine, kComparison));
  return list;
}

} // namespace

namespace XbWords {
const TExpressList& GeneralWords() {
  static const TExpressList list = BuildGeneralWords();
  return list;
}
const TExpressList& IgnoreCaseComparisons() {
  static const TExpressList list = BuildComparisons<true>();
  return list;
}
const TExpressList& IgnoreCaseEquality() {
  static const TExpressList list = BuildEquality(TextCompare<0, true>);
  return list;
}
const TExpressList& IgnoreCaseWildcardEquality() {
  static const TExpressList list = BuildEquality(WildcardEqual<true>);
  return list;
}
const TExpressList& CaseComparisons() {
  static const TExpressList list = BuildComparisons<false>();
  return list;
}
const TExpressList& CaseEquality() {
  static const TExpressList list = BuildEquality(TextCompare<0, false>);
  return list;
}
const TExpressList& CaseWildcardEquality() {
  static const TExpressList list = BuildEquality(WildcardEqual<false>);
  return list;
}
} // namespace XbWords

// ---- field variables ----------------------------------------------------------------------------

struct TXbParser::TFieldVar {
  const TXbFieldDef* Def;
  TExprValue Value;
  bool Raw;

  void LoadValue(const TXbFile& file, const char* record) {
    const char* bytes = record + Def->Offset;
    QVariant v;
    switch (Value.Type) {
    case etString:
      if (Raw) {
        Value.Text = QByteArray(bytes, Def->Size());
      } else {
        int n = Def->Size();
        while (n > 0 && bytes[n - 1] == ' ')
          --n;
        Value.Text = QByteArray(bytes, n);
        TranslateText(file.UseCodePage, XbCodePages::kAnsiCodePage, Value.Text.data(), Value.Text.data(), n);
      }
      break;
    case etInteger:
      Value.Int = file.GetFieldValue(*Def, Def->FieldType(), &v, record) ? v.toInt() : 0;
      break;
    case etLargeInt:
      Value.Large = file.GetFieldValue(*Def, Def->FieldType(), &v, record) ? v.toLongLong() : 0;
      break;
    case etFloat:
      Value.Float = file.GetFieldValue(*Def, Def->FieldType(), &v, record) ? v.toDouble() : 0;
      break;
    default: {
      // Text dates read as dates, stored date-times as date-times: both give the date-time number.
      const TXbFieldType asked = Def->FieldType() == ftDate ? ftDate : ftDateTime;
      Value.Float = file.GetFieldValue(*Def, asked, &v, record) ? v.toDouble() : 0;
      break;
    }
    }
  }
};

TXbParser::TXbParser(TXbFile* file) : file_(file) { LoadWords(); }

TXbParser::~TXbParser() = default;

void TXbParser::LoadWords() {
  Words().Clear();
  // String words first: a name's overloads are tried in the order of loading.
  Words().AddRange(ignoreCase_ ? XbWords::IgnoreCaseComparisons() : XbWords::CaseComparisons());
  if (ignoreCase_)
    Words().AddRange(wildcardEquality_ ? XbWords::IgnoreCaseWildcardEquality() : XbWords::IgnoreCaseEquality());
  else
    Words().AddRange(wildcardEquality_ ? XbWords::CaseWildcardEquality() : XbWords::CaseEquality());
  Words().AddRange(XbWords::GeneralWords());
}

void TXbParser::SetIgnoreCase(bool value) {
  if (value == ignoreCase_) return;
  ignoreCase_ = value;
  Reprepare();
}

void TXbParser::SetWildcardEquality(bool value) {
  if (value == wildcardEquality_) return;
  wildcardEquality_ = value;
  Reprepare();
}

void TXbParser::SetRawStrings(bool value) {
  if (value == rawStrings_) return;
  rawStrings_ = value;
  Reprepare();
}

void TXbParser::Reprepare() {
  const QString text = preparedText_;
  ClearCompiled();
  LoadWords();
  if (!text.isEmpty()) PrepareExpression(text);
}

void TXbParser::ClearCompiled() {
  TCustomExpressionParser::ClearCompiled();
  for (const auto& var : fieldVars_)
    Words().Remove(var->Def->FieldName);
  fieldVars_.clear();
  preparedText_.clear();
}

void TXbParser::ResolveUnknownName(const QString& name) {
  const TXbFieldDef* def = file_ ? file_->FieldDefByName(name) : nullptr;
  if (!def) throw EXbError(XbMessages::IndexUnknownField().arg(name));
  TExpressionType type;
  switch (def->FieldType()) {
  case ftString:
  case ftBoolean:
    type = etString;
    break;
  case ftSmallint:
  case ftInteger:
  case ftAutoInc:
    type = etInteger;
    break;
  case ftFloat:
    type = etFloat;
    break;
  case ftDate:
  case ftDateTime:
    type = etDateTime;
    break;
  case ftLargeint:
    type = etLargeInt;
    break;
  default:
    throw EXbError(XbMessages::IndexInvalidFieldType().arg(name));
  }
  auto var = std::make_unique<TFieldVar>(TFieldVar{def, {}, rawStrings_});
  var->Value.Type = type;
  const int fixed = type == etString && rawStrings_ ? def->Size() : -1;
  Words().Add(std::make_shared<TVariable>(name, &var->Value, type, fixed));
  fieldVars_.push_back(std::move(var));
}

void TXbParser::PrepareExpression(const QString& text) {
  ClearCompiled();
  Context.CodePage = rawStrings_ && file_ ? file_->UseCodePage : XbCodePages::kAnsiCodePage;
  isExpression_ = !(file_ && file_->FieldDefByName(text) && !text.contains(QLatin1Char(' ')));
  if (isExpression_) {
    Compile(text);
  } else {
    ResolveUnknownName(text);
  }
  switch (ExpressionType()) {
  case etInteger:
    resultLength_ = 4;
    break;
  case etBoolean:
    resultLength_ = 1;
    break;
  case etFloat:
  case etDateTime:
  case etLargeInt:
    resultLength_ = 8;
    break;
  case etString:
    if (!isExpression_) {
      resultLength_ = fieldVars_.front()->Def->Size();
    } else if (file_) {
      QByteArray scratch(std::max(4001, file_->RecordSize() + 1), '\0');
      file_->InitRecord(scratch.data());
      const QByteArray value = EvaluateRecord(scratch.constData()).Text;
      const qsizetype zero = value.indexOf('\0');
      resultLength_ = int(zero < 0 ? value.size() : zero);
    }
    break;
  default:
    break;
  }
  if (resultLength_ > 100) throw EXbError(XbMessages::IndexResultTooLong().arg(text).arg(resultLength_));
  preparedText_ = text;
}

TExpressionType TXbParser::ExpressionType() const {
  if (isExpression_) return TCustomExpressionParser::ExpressionType();
  return fieldVars_.empty() ? etUnknown : fieldVars_.front()->Value.Type;
}

const TExprValue& TXbParser::EvaluateRecord(const char* record) {
  for (const auto& var : fieldVars_)
    var->LoadValue(*file_, record);
  if (isExpression_) return RunCompiled();
  return fieldVars_.front()->Value;
}

QByteArray TXbParser::EvaluateKey(const char* record) {
  const TExprValue& value = EvaluateRecord(record);
  if (value.Type != etString) return value.Bytes();
  QByteArray key = value.Text.left(resultLength_);
  if (key.size() < resultLength_) key.append(QByteArray(resultLength_ - key.size(), ' '));
  return key;
}

// ---- the record set's filter --------------------------------------------------------------------

namespace {
class TXbFilterParser : public TXbFilter {
public:
  explicit TXbFilterParser(TXbFile& table) : parser_(&table) { parser_.SetRawStrings(false); }
  void SetPartialMatch(bool on) override { parser_.SetWildcardEquality(on); }
  void SetCaseInsensitive(bool on) override { parser_.SetIgnoreCase(on); }
  void Compile(const QString& expression) override {
    try {
      parser_.PrepareExpression(expression);
    } catch (const EParserException& e) {
      throw EXbError(e.Message());
    }
  }
  bool Accepts(const char* record) override {
    const QByteArray bytes = parser_.EvaluateRecord(record).Bytes();
    return !bytes.isEmpty() && bytes.front() != 0;
  }

private:
  TXbParser parser_;
};
} // namespace

std::unique_ptr<TXbFilter> CreateXbFilter(TXbFile& table) { return std::make_unique<TXbFilterParser>(table); }
