#pragma once
#include <QtCore/QList>
#include <QtCore/QStringList>

class TrpFunctionLibrary;

// The descriptions of every function of every registered function library,
// as the designer's expression builder lists them. A description is the call
// pattern, "/" and the explanation.
class TrpInstalledFunctions {
public:
  struct TEntry {
    TrpFunctionLibrary* Library;
    QString Name;
    QString Category;
    QString Description;
  };

  void Add(TrpFunctionLibrary* library, const QString& name, const QString& category, const QString& description);
  void RemoveLibrary(const TrpFunctionLibrary* library);
  const QList<TEntry>& Entries() const { return entries_; }

  // Empty when the name (compared without regard to case) is unknown.
  QString DescriptionOf(const QString& name) const;
  // The distinct categories, sorted.
  void ListCategories(QStringList& list) const;
  // The sorted names of the category; the text of string 55348 ("Všetky
  // funkcie") stands for every function.
  void ListFunctionsOfCategory(const QString& category, QStringList& list) const;

private:
  QList<TEntry> entries_;
};
