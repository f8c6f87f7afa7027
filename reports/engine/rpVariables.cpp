#include "reports/engine/rpVariables.h"
#include "reports/engine/rpValue.h"
#include <algorithm>

namespace {

// The list's order: the locale's order without regard to case.
bool NameLess(const QString& a, const QString& b) {
  const int c = QString::localeAwareCompare(a.toCaseFolded(), b.toCaseFolded());
  return c != 0 ? c < 0 : a.compare(b, Qt::CaseInsensitive) < 0;
}

} // namespace

int TrpVariables::IndexOf(const QString& name) const {
  for (int i = 0; i < GetCount(); ++i)
    if (entries_[size_t(i)].Name.compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

int TrpVariables::SortedPlace(const QString& name) const {
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), name,
                                   [](const TVariable& e, const QString& n) { return NameLess(e.Name, n); });
  return int(it - entries_.begin());
}

void TrpVariables::SetVariable(const QString& name, const QVariant& value) {
  const int index = IndexOf(name);
  if (index >= 0) {
    entries_[size_t(index)].Value = value;
    return;
  }
  const int place = sorted_ ? SortedPlace(name) : GetCount();
  entries_.insert(entries_.begin() + place, TVariable{name, value});
}

QVariant TrpVariables::GetVariable(const QString& name) const {
  const int index = IndexOf(name);
  return index >= 0 ? entries_[size_t(index)].Value : QVariant();
}

void TrpVariables::SetValue(int index, const QVariant& value) {
  if (Valid(index)) entries_[size_t(index)].Value = value;
}

QVariant TrpVariables::GetValue(int index) const {
  return Valid(index) ? entries_[size_t(index)].Value : rpIntegerValue(0);
}

void TrpVariables::Insert(int position, const QString& name) {
  SetVariable(name, rpIntegerValue(0));
  if (sorted_) return;
  const int from = IndexOf(name);
  const int to = std::clamp(position, 0, GetCount() - 1);
  TVariable entry = std::move(entries_[size_t(from)]);
  entries_.erase(entries_.begin() + from);
  entries_.insert(entries_.begin() + to, std::move(entry));
}

void TrpVariables::SetName(int index, const QString& name) {
  if (!Valid(index)) return;
  const int other = IndexOf(name);
  if (other >= 0 && other != index) return;
  entries_[size_t(index)].Name = name;
  if (sorted_) Sort();
}

QString TrpVariables::GetName(int index) const { return Valid(index) ? entries_[size_t(index)].Name : QString(); }

void TrpVariables::Delete(int index) {
  if (Valid(index)) entries_.erase(entries_.begin() + index);
}

void TrpVariables::SetSorted(bool sorted) {
  sorted_ = sorted;
  if (sorted_) Sort();
}

void TrpVariables::Sort() {
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const TVariable& a, const TVariable& b) { return NameLess(a.Name, b.Name); });
}
