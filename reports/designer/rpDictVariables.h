#pragma once
#include <QtCore/QStringList>

class TrpVariables;

// The names of a data dictionary as its editor changes them, without a
// window. The variables list holds categories (an entry whose name begins
// with one blank) each followed by its variables; names are unique across
// the whole list, compared without regard to case, and values are texts.
class TrpDictVariables {
public:
  // Works on the list (not owned), which must outlive this object.
  explicit TrpDictVariables(TrpVariables& list) : list_(list) {}

  static bool IsCategory(const QString& entryName);
  // " " + the category's shown name.
  static QString CategoryEntry(const QString& category);

  // True when the list holds a category; without one the editor's tree shows
  // the placeholder.
  bool HasCategories() const;
  // The categories (shown names) with their variables, in list order;
  // variables before the first category are kept in the list but not shown.
  QList<std::pair<QString, QStringList>> Tree() const;

  // base + N for the first N from 1 whose entry (with a blank in front for a
  // category) is free; never a name that is taken, however many are.
  QString FreeName(const QString& base, bool category) const;
  // Appends "CategoryN" with an empty value; returns its shown name.
  QString AddCategory();
  // "VariableN" with an empty value at the end of the category (before the
  // next category's entry); returns its name, empty when the category is absent.
  QString AddVariable(const QString& category);
  // Renames a category or a variable in place (value and position kept).
  // Refused (false) for an empty text and when another entry bears the new
  // name; a change of letter case only is accepted.
  bool Rename(const QString& oldName, const QString& newName, bool category);
  // A category goes with all its variables.
  void DeleteCategory(const QString& category);
  void DeleteVariable(const QString& name);

  // The list as the list editor shows it: category names plain, variable
  // names with one blank in front, one entry a line.
  QStringList EditLines() const;
  // Replaces the list by the edited lines: empty lines vanish, a line with a
  // leading blank is a variable (at most 255 characters), any other line a
  // category; a name keeps the value it had, a new name gets an empty value,
  // and a repeated name keeps its first place.
  void ApplyEditLines(const QStringList& lines);

private:
  // The entry index of a category's header, -1 when absent.
  int CategoryIndex(const QString& category) const;
  // The index after the category's last variable.
  int EndOfCategory(int categoryIndex) const;

  TrpVariables& list_;
};

// Tree node texts: the name, or the name + " {" + alias + "}" with an alias.
QString rpDictNodeText(const QString& name, const QString& alias);
// The node's name: its text before any "{", trimmed.
QString rpDictNodeName(const QString& text);
// The alias box's text for a node: between "{" and "}", else the whole text.
QString rpDictNodeAlias(const QString& text);
// A field reference value split at its last "." into the data set and the
// field (its enclosing double quotes removed); false when there is no ".".
bool rpDictSplitFieldValue(const QString& value, QString& dataSet, QString& field);
