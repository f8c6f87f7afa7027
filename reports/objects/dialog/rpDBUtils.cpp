#include "reports/objects/dialog/rpDBUtils.h"
#include "core/DataSource.h"
#include "db/IBDatabase.h"
#include "reports/engine/rpUtils.h"

const TFieldDef* rpFindFieldDef(const QList<TFieldDef>& defs, const QString& name) {
  for (const TFieldDef& def : defs)
    if (def.Name.compare(name, Qt::CaseInsensitive) == 0) return &def;
  return nullptr;
}

QString rpComponentNameOf(const QObject* owner, const QObject* component) {
  if (!component) return QString();
  const QObject* componentOwner = component->parent();
  if (componentOwner == owner || !componentOwner) return component->objectName();
  return componentOwner->objectName() + QLatin1Char('.') + component->objectName();
}

QString rpDataSetNameOf(const QObject* owner, const TDataSource* source) {
  return source ? rpComponentNameOf(owner, source->DataSet()) : QString();
}

QString rpDatabaseNameOf(const QObject* owner, const TIBDatabase* database) {
  return rpComponentNameOf(owner, database);
}

TDataSource* rpFindDataSource(const QObject* owner, const TDataSet* dataSet) {
  if (!dataSet) return nullptr;
  QList<TrpComponentEntry> sources;
  rpGetComponents(owner, TDataSource::staticMetaObject, sources);
  for (const TrpComponentEntry& entry : sources) {
    auto* source = qobject_cast<TDataSource*>(rpFindComponent(owner, entry.Name));
    if (source && source->DataSet() == dataSet) return source;
  }
  return nullptr;
}

QStringList rpComponentNames(const QObject* owner, const QMetaObject& componentClass, const QObject* skip) {
  QList<TrpComponentEntry> entries;
  rpGetComponents(owner, componentClass, entries, skip);
  QStringList names;
  for (const TrpComponentEntry& entry : entries)
    names.append(entry.Name);
  names.sort(Qt::CaseInsensitive);
  return names;
}
