#pragma once
#include <QtCore/QString>
#include <QtCore/QVariant>
#include <vector>

// The ordered name-to-value list of report variables, constants and the data
// dictionary. Names are unique, compared without regard to case; setting an
// existing name overwrites its value. Indexes outside the list are ignored
// (reads give integer 0 or an empty name).
class TrpVariables {
public:
  void Assign(const TrpVariables& other) { *this = other; }
  void Clear() { entries_.clear(); }
  int GetCount() const { return int(entries_.size()); }

  // Appends the name (at its sorted place when sorted) or overwrites its value.
  void SetVariable(const QString& name, const QVariant& value);
  // Null when the name is absent.
  QVariant GetVariable(const QString& name) const;
  QVariant operator[](const QString& name) const { return GetVariable(name); }

  void SetValue(int index, const QVariant& value);
  QVariant GetValue(int index) const;
  int IndexOf(const QString& name) const;
  // Sets the name to integer 0 (adding it when absent) and moves its entry to
  // the position; a sorted list keeps its order.
  void Insert(int position, const QString& name);
  // Renames the entry; ignored when another entry already bears the name.
  void SetName(int index, const QString& name);
  QString GetName(int index) const;
  void Delete(int index);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);

private:
  struct TVariable {
    QString Name;
    QVariant Value;
  };
  bool Valid(int index) const { return index >= 0 && index < GetCount(); }
  int SortedPlace(const QString& name) const;
  void Sort();

  std::vector<TVariable> entries_;
  bool sorted_ = false;
};
