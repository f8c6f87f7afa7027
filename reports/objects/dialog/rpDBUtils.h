#pragma once
#include "core/DataSet.h"
#include <QtCore/QString>

class QObject;
class TDataSource;
class TIBDatabase;

// Names by which the report's data components and the lookup control refer
// to data sets, data sources and connections of any open form.

// The data set's field definition of that name (without regard to case); null when none.
const TFieldDef* rpFindFieldDef(const QList<TFieldDef>& defs, const QString& name);
// Empty for no source or data set; else the data set's name, prefixed by its
// owner's name and "." when the owner is not `owner`.
QString rpDataSetNameOf(const QObject* owner, const TDataSource* source);
// The first data source of the open forms and data modules whose data set is `dataSet`; null when none.
TDataSource* rpFindDataSource(const QObject* owner, const TDataSet* dataSet);
// The connection's name, prefixed by its owner's name and "." when the owner differs; empty for none.
QString rpDatabaseNameOf(const QObject* owner, const TIBDatabase* database);
// The name of a component as seen from `owner` (owner name + "." when it belongs elsewhere).
QString rpComponentNameOf(const QObject* owner, const QObject* component);
// The sorted names `rpGetComponents` lists for the class from `owner`, without `skip`.
QStringList rpComponentNames(const QObject* owner, const QMetaObject& componentClass, const QObject* skip = nullptr);
