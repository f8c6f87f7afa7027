#include "reports/designer/rpDictVariables.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/rpVariables.h"

namespace {

constexpr int kMaxEditedNameLength = 255;

} // namespace

bool TrpDictVariables::IsCategory(const QString& entryName) { return entryName.startsWith(QLatin1Char(' ')); }

QString TrpDictVariables::CategoryEntry(const QString& category) { return QLatin1Char(' ') + category; }

bool TrpDictVariables::HasCategories() const {
  for (int i = 0; i < list_.GetCount(); ++i)
    if (IsCategory(list_.GetName(i))) return true;
  return false;
}

QList<std::pair<QString, QStringList>> TrpDictVariables::Tree() const {
  QList<std::pair<QString, QStringList>> tree;
  for (int i = 0; i < list_.GetCount(); ++i) {
    const QString name = list_.GetName(i);
    if (IsCategory(name))
      tree.append({name.mid(1), {}});
    else if (!tree.isEmpty())
      tree.last().second.append(name);
  }
  return tree;
}

QString TrpDictVariables::FreeName(const QString& base, bool category) const {
  // Counting on past any bound: the list is finite, so a free number comes.
  for (int n = 1;; ++n) {
    const QString name = base + QString::number(n);
    if (list_.IndexOf(category ? CategoryEntry(name) : name) < 0) return name;
  }
}

QString TrpDictVariables::AddCategory() {
  const QString name = FreeName(QStringLiteral("Category"), true);
  list_.SetVariable(CategoryEntry(name), QString());
  return name;
}

QString TrpDictVariables::AddVariable(const QString& category) {
  const int header = CategoryIndex(category);
  if (header < 0) return {};
  const QString name = FreeName(QStringLiteral("Variable"), false);
  const int end = EndOfCategory(header);
  if (end < list_.GetCount()) list_.Insert(end, name);
  list_.SetVariable(name, QString());
  return name;
}

bool TrpDictVariables::Rename(const QString& oldName, const QString& newName, bool category) {
  const QString text = newName.trimmed();
  if (text.isEmpty()) return false;
  const int index = category ? CategoryIndex(oldName) : list_.IndexOf(oldName);
  if (index < 0 || (!category && IsCategory(list_.GetName(index)))) return false;
  const QString entry = category ? CategoryEntry(text) : text;
  const int other = list_.IndexOf(entry);
  if (other >= 0 && other != index) return false;
  list_.SetName(index, entry);
  return true;
}

void TrpDictVariables::DeleteCategory(const QString& category) {
  const int header = CategoryIndex(category);
  if (header < 0) return;
  for (int i = EndOfCategory(header) - 1; i >= header; --i)
    list_.Delete(i);
}

void TrpDictVariables::DeleteVariable(const QString& name) {
  const int index = list_.IndexOf(name);
  if (index >= 0 && !IsCategory(list_.GetName(index))) list_.Delete(index);
}

QStringList TrpDictVariables::EditLines() const {
  QStringList lines;
  for (int i = 0; i < list_.GetCount(); ++i) {
    const QString name = list_.GetName(i);
    lines.append(IsCategory(name) ? name.mid(1) : QLatin1Char(' ') + name);
  }
  return lines;
}

void TrpDictVariables::ApplyEditLines(const QStringList& lines) {
  TrpVariables edited;
  for (const QString& line : lines) {
    if (line.trimmed().isEmpty()) continue;
    // All the leading blanks go, so a variable typed with two stays a variable.
    const QString name = IsCategory(line) ? line.trimmed().left(kMaxEditedNameLength) : CategoryEntry(line.trimmed());
    if (edited.IndexOf(name) >= 0) continue;
    const int old = list_.IndexOf(name);
    edited.SetVariable(name, old >= 0 ? rpValueToText(list_.GetValue(old)) : QString());
  }
  list_.Assign(edited);
}

int TrpDictVariables::CategoryIndex(const QString& category) const {
  const int index = list_.IndexOf(CategoryEntry(category));
  return index >= 0 && IsCategory(list_.GetName(index)) ? index : -1;
}

int TrpDictVariables::EndOfCategory(int categoryIndex) const {
  int end = categoryIndex + 1;
  while (end < list_.GetCount() && !IsCategory(list_.GetName(end)))
    ++end;
  return end;
}

QString rpDictNodeText(const QString& name, const QString& alias) {
  return alias.isEmpty() ? name : name + QStringLiteral(" {") + alias + QLatin1Char('}');
}

QString rpDictNodeName(const QString& text) {
  const qsizetype brace = text.indexOf(QLatin1Char('{'));
  return (brace < 0 ? text : text.left(brace)).trimmed();
}

QString rpDictNodeAlias(const QString& text) {
  const qsizetype open = text.indexOf(QLatin1Char('{'));
  if (open < 0) return text;
  const qsizetype close = text.indexOf(QLatin1Char('}'), open);
  return text.mid(open + 1, close < 0 ? -1 : close - open - 1);
}

bool rpDictSplitFieldValue(const QString& value, QString& dataSet, QString& field) {
  const qsizetype dot = value.lastIndexOf(QLatin1Char('.'));
  if (dot < 0) return false;
  dataSet = value.left(dot);
  field = value.mid(dot + 1);
  if (field.startsWith(QLatin1Char('"'))) field = field.mid(1).chopped(field.size() > 1 ? 1 : 0);
  return true;
}
