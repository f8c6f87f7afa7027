#include "reports/designer/rpSelectionProperties.h"
#include <algorithm>

namespace {

bool HasProperty(const TrpObject& object, const QString& name) {
  return std::any_of(object.PropertyList().cbegin(), object.PropertyList().cend(),
                     [&](const TrpPropRec& rec) { return rec.Name.compare(name, Qt::CaseInsensitive) == 0; });
}

} // namespace

QList<TrpSelectionProperty> rpSelectionProperties(const QList<TrpObject*>& objects) {
  QList<TrpSelectionProperty> properties;
  if (objects.isEmpty()) return properties;
  for (TrpObject* object : objects)
    object->ListProperties();
  const bool several = objects.size() > 1;
  for (const TrpPropRec& rec : objects.first()->PropertyList()) {
    if (several && (rec.Type & ptSingleOnly)) continue;
    const bool shared = std::all_of(objects.cbegin() + 1, objects.cend(),
                                    [&](const TrpObject* other) { return HasProperty(*other, rec.Name); });
    if (!shared) continue;
    const QString key = rec.Name.toUpper();
    QVariant value = objects.first()->ReadProperty(key);
    for (TrpObject* other : objects.mid(1))
      if (other->ReadProperty(key) != value) {
        value = QVariant();
        break;
      }
    properties.append({rec, value});
  }
  std::sort(properties.begin(), properties.end(), [](const TrpSelectionProperty& a, const TrpSelectionProperty& b) {
    return a.Rec.Name.compare(b.Rec.Name, Qt::CaseInsensitive) < 0;
  });
  return properties;
}
