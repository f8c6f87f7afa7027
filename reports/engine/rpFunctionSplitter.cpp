#include "reports/engine/rpFunctionSplitter.h"
#include "reports/engine/rpParser.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/rpVariables.h"

namespace {
// Calls nested deeper than this are not searched further, so a pathological
// text cannot exhaust the program's stack.
constexpr int kMaxDepth = 64;

bool IsSkippable(QChar c) { return QStringLiteral("\r *+-/<=>").contains(c); }
} // namespace

TrpFunctionSplitter::TrpFunctionSplitter(const QStringList& functionNames, QStringList& result,
                                         const TrpVariables* variables)
    : functionNames_(functionNames), result_(result), variables_(variables) {}

void TrpFunctionSplitter::Split(const QString& text) { SplitAt(text, 0); }

void TrpFunctionSplitter::SplitAt(const QString& text, int depth) {
  if (depth > kMaxDepth) return;
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('\''))) return;
  if (trimmed.startsWith(QLatin1Char('[')))
    SplitBracketed(trimmed, depth);
  else
    SplitIdentifiers(trimmed, depth);
}

bool TrpFunctionSplitter::FollowVariable(const QString& name, int depth) {
  if (!variables_ || variables_->IndexOf(name) < 0) return false;
  // A variable whose value leads back to itself is followed once.
  if (following_.contains(name, Qt::CaseInsensitive)) return true;
  following_.append(name);
  SplitAt(rpValueToText(variables_->GetVariable(name)), depth + 1);
  following_.removeLast();
  return true;
}

void TrpFunctionSplitter::SplitVariableOr(const QString& text, int depth) {
  if (!FollowVariable(text, depth)) SplitAt(text, depth + 1);
}

void TrpFunctionSplitter::SplitBracketed(const QString& text, int depth) {
  qsizetype pos = 0;
  while (pos < text.size()) {
    if (text[pos] != QLatin1Char('[')) {
      ++pos;
      continue;
    }
    qsizetype finish = 0;
    SplitVariableOr(rpGetBracketedText(text, pos, finish), depth);
    pos = finish + 1;
  }
}

void TrpFunctionSplitter::SplitIdentifiers(const QString& text, int depth) {
  qsizetype pos = 0;
  while (pos < text.size()) {
    const qsizetype start = pos;
    const QString name = TrpParser::GetIdentifier(text, pos);
    if (pos < text.size() && text[pos] == QLatin1Char('(')) {
      QString p1, p2, p3;
      TrpParser::GetParameters(text, pos, p1, p2, p3);
      for (const QString& argument : {p1, p2, p3})
        SplitAt(argument, depth + 1);
      if (functionNames_.contains(name, Qt::CaseInsensitive)) result_.append(text.mid(start, pos - start));
    } else if (!name.isEmpty() && FollowVariable(name, depth)) {
      continue;
    } else if (pos < text.size() && IsSkippable(text[pos])) {
      ++pos;
    } else if (name.isEmpty()) {
      return;
    }
  }
}
