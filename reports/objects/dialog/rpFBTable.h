#pragma once
#include "reports/objects/dialog/rpFBDataset.h"

class TIBTable;

// The report's own table: table name, filter, index order and, with a master
// source, the rows whose index fields equal the master fields of the
// master's current row.
class TrpFBTable : public TrpFBDataset {
public:
  TrpFBTable();

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  void ListProperties() override;
  void AfterLoad() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;

  TIBTable* Table() const;
  // The link editor over the master source's data set; nothing without one.
  void EditMasterFields();
};
