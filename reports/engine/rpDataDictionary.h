#pragma once
#include "core/BinaryStream.h"
#include "reports/engine/rpVariables.h"
#include <QtCore/QMap>
#include <QtCore/QPointer>
#include <QtCore/QStringList>

class TDataSet;
class TrpReportBase;
class TrpRunContext;

// The report's data dictionary: its variables grouped in categories (an entry
// whose name begins with a blank is a category header), the aliases of data
// sets and fields, the aliases of band data sources, and the data sets hidden
// from the report. Stored as a block in every template and alone as an ".rpd" file.
class TrpDataDictionary {
public:
  // The report whose owner's components the lists name (may be null).
  explicit TrpDataDictionary(const TrpReportBase* report = nullptr) : report_(report) {}

  // Empties the three stored lists (not the disabled list).
  void Clear();
  void SaveToStream(TBinaryWriter& stream) const;
  // Reads the current block (marker -1 or -2) or the oldest layout.
  void LoadFromStream(TBinaryReader& stream);
  // Version byte 25 and the block; raises Exception when the file cannot be written.
  void SaveToFile(const QString& fileName) const;
  // Any version byte, then the block; raises Exception when the file cannot be read.
  void LoadFromFile(const QString& fileName);

  bool IsDataSetAllowed(const QString& name) const;
  QString DataSetOfAlias(const QString& alias) const;
  QString DataSourceOfAlias(const QString& alias) const;
  QString FieldOfAlias(const QString& alias) const;
  QString AliasOf(const QString& name) const;
  // The categories (without their blank), in order.
  QStringList ListCategories() const;
  // The variables after the category's header (found ignoring case) up to the next category.
  QStringList ListVariablesOfCategory(const QString& category) const;
  // True when the bracketed name is a field alias or names a data set and a
  // field (through the aliases); the field is then cached for GetValue.
  bool ResolveName(const TrpRunContext& run, const QString& name);
  // A cached field's value (its data set opened when closed); else the value
  // of a dictionary variable: the run variable of the same name when there is
  // one, else its own expression evaluated; null when unknown.
  QVariant GetValue(const TrpRunContext& run, const QString& name) const;
  void ClearCache() { cache_.clear(); }
  // The data set and field ResolveName cached for the name; false when none is cached.
  bool CachedField(const QString& name, TDataSet*& dataSet, QString& field) const;

  // The program data sets of the report's owner the report may use, by their
  // aliases when field aliases exist (then only the aliased ones); sorted.
  QStringList ListDataSets() const;
  // The fields of the data set (a name or an alias), by their aliases; a field
  // aliased to an empty text is left out. Not sorted.
  QStringList ListFields(const QString& dataSet) const;
  // The report data sets of the report's owner, by their aliases when band
  // data-source aliases exist (then only the aliased ones); sorted.
  QStringList ListBandDataSources() const;

  TrpVariables Variables;
  TrpVariables FieldAliases;
  TrpVariables BandSourceAliases;
  QStringList DisabledDataSets; // run time only; "NAME*" stands for every name beginning with NAME

private:
  void LoadOldestLayout(TBinaryReader& stream);
  QObject* Owner() const;
  // Caches the field the reference names (the default data set for a bare field).
  bool CacheField(const TrpRunContext& run, const QString& name, const QString& reference);

  struct TCachedField {
    QPointer<TDataSet> DataSet;
    QString Field;
  };
  const TrpReportBase* report_;
  QMap<QString, TCachedField> cache_;
};
