#pragma once
#include "core/DataSource.h"
#include "db/IBQuery.h"
#include "reports/engine/rpControl.h"
#include "reports/engine/rpDBDataSet.h"
#include <QtCore/QPointer>

// What the report's table and query components share: the wrapped data set
// (a table or query on the engine's host form bearing the object's name),
// its data source "S" + name and the report data set "_" + name that bands
// walk, the persistent-field block of their records, and the names read from
// a template (database, master, lookup data sets, active) applied again once
// the whole report is loaded.
class TrpFBDataset : public TrpNonVisualControl {
public:
  ~TrpFBDataset() override;

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  QVariant CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                      const QVariant& a3) override;
  void ListProperties() override;
  void AfterLoad() override;
  void WriteXmlElement(QString& element) override;
  void OpenEditor() override { EditFields(); }

  TIBQuery* WrappedDataSet() const { return dataSet_; }
  TDataSource* LinkSource() const { return linkSource_; }
  TrpDBDataSet* ReportDataSet() const { return reportDataSet_; }

  // The fields editor; the data set is opened again when it was open.
  void EditFields();

  // Two bytes of count, then per field its type code, name, lookup flag, size
  // and, for a lookup field, key fields, lookup data set, lookup keys, result.
  void WriteFields(TBinaryWriter& stream);
  void ReadFields(TBinaryReader& stream);

protected:
  // Takes the data set over (owned by the host form) and makes the source and report data set.
  explicit TrpFBDataset(TIBQuery* dataSet);
  void ComponentRenamed() override;
  // Finds a data set by name from the host form (null when none); another kind of component is an error.
  static TDataSet* DataSetNamed(const QString& name);
  // Applies the stored value of `name` as that property, when one was stored.
  void ApplyStored(const QString& name);
  // The stored "Active", ignoring a failure (a later AfterLoad tries again).
  void TryStoredActive();
  // Keeps a name read from the template and applies it now; a failure waits for AfterLoad.
  void StoreAndWrite(const QString& name, const QString& value);
  // AfterLoad that first applies the stored master ("MasterSource",
  // "DataSource"); a master that cannot be bound stays unset.
  void AfterLoadWithMaster(const QString& masterProperty);

private:
  QPointer<TIBQuery> dataSet_;
  QPointer<TDataSource> linkSource_;
  QPointer<TrpDBDataSet> reportDataSet_;
};
