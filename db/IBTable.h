#pragma once
#include "db/IBMetadata.h"
#include "db/IBQuery.h"

// A table read whole as a data set: its rows in the order of the current
// index (the index field names, else the fields of the named index), the
// filter (an SQL condition of the template's author) applied by the server.
// With a master source and master fields, the n-th master field's value in
// the master's current row selects the rows whose n-th index field equals
// it; master fields beyond the index's fields are left unjoined. Names are
// matched with the stored names without regard to case. The statement is
// made at each open from these settings.
class TIBTable : public TIBQuery {
  Q_OBJECT
public:
  using TIBQuery::TIBQuery;

  // Each setter runs an active table again.
  const QString& TableName() const { return tableName_; }
  void SetTableName(const QString& name);
  const QString& IndexName() const { return indexName_; }
  void SetIndexName(const QString& name);
  const QString& IndexFieldNames() const { return indexFieldNames_; }
  void SetIndexFieldNames(const QString& names);
  const QString& MasterFields() const { return masterFields_; }
  void SetMasterFields(const QString& names);
  TDataSource* MasterSource() const { return DataSource(); }
  void SetMasterSource(TDataSource* source) { SetDataSource(source); }

  // The table's indexes as the database has them now.
  QList<TIBIndexDef> IndexDefs();
  // The fields of the current order (";"-separated index field names, else the named index's).
  QStringList IndexFields();

protected:
  void UpdateStatement() override;
  QString StatementText() const override { return SQL(); }
  void FillMasterParams(const TDataSet& master) override;

private:
  struct TOrderField {
    QString Name;
    bool Descending = false;
  };
  QList<TOrderField> OrderFields();
  // The stored table name; throws EIBError when the database has no such table.
  QString StoredTableName();
  QString StoredColumn(const QStringList& columns, const QString& name) const;
  QStringList MasterFieldList() const;

  QString tableName_, indexName_, indexFieldNames_, masterFields_;
};
