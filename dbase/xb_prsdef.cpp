#include "dbase/xb_prsdef.h"
#include <QtCore/QtEndian>
#include <algorithm>

TExpressionType TypeOfLetter(QChar letter) {
  switch (letter.unicode()) {
  case 'I':
    return etInteger;
  case 'S':
    return etString;
  case 'B':
    return etBoolean;
  case 'L':
    return etLargeInt;
  case 'F':
    return etFloat;
  case 'D':
    return etDateTime;
  default:
    return etUnknown;
  }
}

QByteArray TExprValue::Bytes() const {
  QByteArray bytes;
  auto put = [&](auto value) {
    bytes.resize(sizeof(value));
    qToLittleEndian(value, bytes.data());
  };
  switch (Type) {
  case etInteger:
    put(Int);
    break;
  case etLargeInt:
    put(Large);
    break;
  case etFloat:
  case etDateTime:
    put(Float);
    break;
  case etBoolean:
    bytes = QByteArray(1, Bool ? '\1' : '\0');
    break;
  case etString:
    bytes = Text;
    break;
  default:
    break;
  }
  return bytes;
}

std::unique_ptr<TConstant> MakeStringConstant(const QString& literal, const QByteArray& encoded) {
  TExprValue value;
  value.Type = etString;
  const bool quoted =
      encoded.size() >= 2 && (encoded.front() == '\'' || encoded.front() == '"') && encoded.back() == encoded.front();
  if (quoted)
    value.Text = encoded.mid(1, encoded.size() - 2);
  else if (encoded.size() == 1 && (encoded.front() == '\'' || encoded.front() == '"'))
    value.Text.clear();
  else
    value.Text = encoded;
  return std::make_unique<TConstant>(literal, value);
}

namespace {
void CheckOperandCount(const QString& operandTypes) {
  if (operandTypes.size() > 6) throw EParserException(QStringLiteral("Too many arguments"));
}
} // namespace

TFunction::TFunction(const QString& name, const QString& shortName, const QString& operandTypes, int minArgs,
                     TExpressionType result, TExprRoutine routine, const QString& description)
    : TExprWord(name, routine), operator_(false), precedence_(0),
      minArgs_(minArgs < 0 ? int(operandTypes.size()) : minArgs), description_(description), operands_(operandTypes),
      shortName_(shortName), result_(result) {
  CheckOperandCount(operandTypes);
}

TFunction::TFunction(const QString& name, const QString& operandTypes, TExpressionType result, TExprRoutine routine,
                     int precedence)
    : TExprWord(name, routine), operator_(true), precedence_(precedence), minArgs_(int(operandTypes.size())),
      operands_(operandTypes), result_(result) {
  CheckOperandCount(operandTypes);
}

int CompareWordNames(const QString& a, const QString& b) {
  const qsizetype n = std::min(a.size(), b.size());
  for (qsizetype i = 0; i < n; ++i) {
    auto up = [](QChar c) { return c >= QLatin1Char('a') && c <= QLatin1Char('z') ? c.unicode() - 32 : c.unicode(); };
    const int d = up(a[i]) - up(b[i]);
    if (d != 0) return d;
  }
  return int(a.size() - b.size());
}

void TExpressList::Add(const TWordPtr& word) {
  // After every word of the same name, so overloads keep the order of adding.
  auto at = std::upper_bound(items_.begin(), items_.end(), word->WordName, [](const QString& name, const TWordPtr& w) {
    return CompareWordNames(name, w->WordName) < 0;
  });
  items_.insert(at, word);
}

void TExpressList::AddRange(const TExpressList& other) {
  for (const TWordPtr& word : other.items_)
    Add(word);
}

void TExpressList::Remove(const QString& name) {
  std::erase_if(items_, [&](const TWordPtr& w) { return CompareWordNames(w->WordName, name) == 0; });
}

TWordPtr TExpressList::Find(const QString& name) const {
  const std::vector<TWordPtr> all = Overloads(name);
  return all.empty() ? nullptr : all.front();
}

std::vector<TWordPtr> TExpressList::Overloads(const QString& name) const {
  std::vector<TWordPtr> found;
  auto lower = std::lower_bound(items_.begin(), items_.end(), name, [](const TWordPtr& w, const QString& n) {
    return CompareWordNames(w->WordName, n) < 0;
  });
  for (auto it = lower; it != items_.end() && CompareWordNames((*it)->WordName, name) == 0; ++it)
    found.push_back(*it);
  if (!found.empty()) return found;
  for (const TWordPtr& word : items_)
    if (!word->ShortName().isEmpty() && CompareWordNames(word->ShortName(), name) == 0)
      return Overloads(word->WordName);
  return found;
}
