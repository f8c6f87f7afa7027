#pragma once
#include "core/BinaryStream.h"
#include "reports/engine/rpVariables.h"
#include <QtCore/QStringList>

// The report's data dictionary: its variables grouped in categories (an entry
// whose name begins with a blank is a category header), the aliases of data
// sets and fields, the aliases of band data sources, and the data sets hidden
// from the report. Stored as a block in every template and alone as an ".rpd" file.
class TrpDataDictionary {
public:
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
  // The value of a dictionary variable: the report's run variable of the same
  // name when there is one, else its own expression evaluated; null when unknown.
  QVariant GetValue(const QString& name) const;

  TrpVariables Variables;
  TrpVariables FieldAliases;
  TrpVariables BandSourceAliases;
  QStringList DisabledDataSets; // run time only; "NAME*" stands for every name beginning with NAME

private:
  void LoadOldestLayout(TBinaryReader& stream);
};
