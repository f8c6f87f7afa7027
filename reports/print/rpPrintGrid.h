#pragma once
#include "reports/engine/rpCustomPrintDataSet.h"
#include <QtCore/QPointer>

class TDbGridQPL;
class TGridColumn;
struct TGridPrintJob;

// Prints a list grid as its user sees it: the columns wider than 0 in their
// order, with their titles, display formats and (without AutoWidth) widths;
// the fields of the grid's data set when the grid has no columns.
class TrpPrintGrid : public TrpCustomPrintDataSet {
  Q_OBJECT
public:
  using TrpCustomPrintDataSet::TrpCustomPrintDataSet;

  QPointer<TDbGridQPL> DBGrid;

protected:
  TDataSet* PrintedDataSet() const override { return dataSet_; }
  void TakeDataSet() override;
  int ColumnCount() const override;
  TField* ColumnField(int n) const override;
  QString ColumnTitle(int n) const override;
  QString CellText(int n) const override;
  QString AggregateText(int n, double value) const override;
  int FixedWidth(int n) const override;

private:
  // The n-th column wider than 0; null when the grid has no columns.
  const TGridColumn* GridColumn(int n) const;
  QPointer<TDataSet> dataSet_;
};

// Prints a grid's job through TrpPrintGrid (the columns) or TrpPrintTable
// (the whole data set) and previews it; installed as the list grid's printer.
void rpPrintGridJob(const TGridPrintJob& job);
