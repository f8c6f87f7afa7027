#include "reports/engine/rpInstalledFunctions.h"
#include "reports/engine/rpUtils.h"

void TrpInstalledFunctions::Add(TrpFunctionLibrary* library, const QString& name, const QString& category,
                                const QString& description) {
  if (category.isEmpty()) return;
  for (const TEntry& e : entries_)
    if (e.Name == name) return;
  entries_.append({library, name, category, description});
}

void TrpInstalledFunctions::RemoveLibrary(const TrpFunctionLibrary* library) {
  entries_.removeIf([library](const TEntry& e) { return e.Library == library; });
}

QString TrpInstalledFunctions::DescriptionOf(const QString& name) const {
  for (const TEntry& e : entries_)
    if (e.Name.compare(name, Qt::CaseInsensitive) == 0) return e.Description;
  return QString();
}

void TrpInstalledFunctions::ListCategories(QStringList& list) const {
  list.clear();
  for (const TEntry& e : entries_)
    if (!list.contains(e.Category)) list.append(e.Category);
  list.sort();
}

void TrpInstalledFunctions::ListFunctionsOfCategory(const QString& category, QStringList& list) const {
  list.clear();
  const bool all = category.isEmpty() || category == rpLoadStr(55348);
  for (const TEntry& e : entries_)
    if (all || e.Category.compare(category, Qt::CaseInsensitive) == 0) list.append(e.Name);
  list.sort();
}
