#pragma once
#include <QtCore/QList>
#include <QtCore/QSize>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <functional>

// One row of the object inspector: a property's name, the value as shown
// and typed, its type bits (ptText ... ptSingleOnly) and what it offers.
struct TProp {
  // The display text comes from the value by the type's rules.
  TProp(QString name, const QVariant& value, quint16 type, QStringList valueNames = {}, QVariantList valueArray = {},
        std::function<void()> editor = {});
  // Stores a value and shows it by the type's rules.
  void SetValue(const QVariant& value);
  // The value the display text stands for; raises ErpConversionError when a
  // number, colour or enumeration text does not convert. A row without a type
  // gives what its text reads as: a whole number, a decimal number or the text.
  QVariant Value() const;
  // The value after a double click: a yes/no inverted, an enumeration
  // stepped to the next name or array element (back to the first after the
  // last); false when the type has no such step.
  bool StepValue();
  // The entries of the value list: "False" and "True", the colour names, or the value names.
  QStringList ValueList() const;

  QString Name;
  QString Text;
  quint16 Type = 0;
  QStringList ValueNames;
  QVariantList ValueArray; // empty when the names stand for their positions
  std::function<void()> Editor;
};

// The display text of a value for a type.
QString rpInspDisplayText(const QVariant& value, quint16 type, const QStringList& valueNames,
                          const QVariantList& valueArray);

// The value list's size for its entries: the widest text + 8 (+ 16 with a
// scroll bar beyond 8 entries), at most 8 rows of itemHeight + 1, + 2.
QSize rpInspValueListSize(const QStringList& items, int itemHeight,
                          const std::function<int(const QString&)>& textWidth);

// The rows of the inspector and their selection, without a window: the
// designer fills it, the window shows and edits it.
class TrpInspProps {
public:
  void Clear() { rows_.clear(); }
  void Add(TProp prop) { rows_.append(std::move(prop)); }
  int Count() const { return int(rows_.size()); }
  TProp& Row(int index) { return rows_[index]; }
  const TProp& Row(int index) const { return rows_[index]; }
  int IndexOf(const QString& name) const;

  int ItemIndex() const { return itemIndex_; }
  // Selects a row (past the last: the last); remembers its name.
  void SetItemIndex(int index);
  // After a refill: the row named as before, else the first.
  void SelectRememberedRow();

  // Commits a text to the selected row: an empty Name is refused (the row
  // keeps its text), and OnPropertyModified fires either way; the row stays
  // selected (the first when the rows shrank).
  void ApplyEditText(const QString& text);
  std::function<void(int index)> OnPropertyModified;
  bool InModify() const { return inModify_; }

private:
  QList<TProp> rows_;
  int itemIndex_ = -1;
  QString lastName_;
  bool inModify_ = false;
};
