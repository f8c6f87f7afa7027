#pragma once
#include "reports/engine/rpCustomPrintDataSet.h"
#include <QtCore/QPointer>

// Prints the visible fields of a data set as a table: captions from the field
// labels, cells from the fields' texts, and the aggregates of AggregateFields
// in the footer row.
class TrpPrintTable : public TrpCustomPrintDataSet {
  Q_OBJECT
public:
  using TrpCustomPrintDataSet::TrpCustomPrintDataSet;

  QPointer<TDataSet> DataSet;

protected:
  TDataSet* PrintedDataSet() const override { return DataSet; }
  int ColumnCount() const override { return VisibleFieldCount(DataSet); }
  TField* ColumnField(int n) const override { return VisibleField(DataSet, n); }
};
