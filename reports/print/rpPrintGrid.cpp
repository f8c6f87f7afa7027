#include "reports/print/rpPrintGrid.h"
#include "controls/DbGridQPL.h"
#include "core/DataSet.h"
#include "reports/engine/rpPrintTable.h"

void TrpPrintGrid::TakeDataSet() { dataSet_ = DBGrid ? DBGrid->DataSet() : nullptr; }

const TGridColumn* TrpPrintGrid::GridColumn(int n) const {
  if (!DBGrid) return nullptr;
  for (int i = 0; i < DBGrid->ColumnCount(); ++i) {
    const TGridColumn* column = DBGrid->Column(i);
    if (column->Width > 0 && n-- == 0) return column;
  }
  return nullptr;
}

int TrpPrintGrid::ColumnCount() const {
  if (!dataSet_) return 0;
  if (!DBGrid || DBGrid->ColumnCount() == 0) return VisibleFieldCount(dataSet_);
  int count = 0;
  for (int i = 0; i < DBGrid->ColumnCount(); ++i)
    if (DBGrid->Column(i)->Width > 0) ++count;
  return count;
}

TField* TrpPrintGrid::ColumnField(int n) const {
  if (const TGridColumn* column = GridColumn(n)) return &dataSet_->FieldByName(column->FieldName);
  return VisibleField(dataSet_, n);
}

QString TrpPrintGrid::ColumnTitle(int n) const {
  const TGridColumn* column = GridColumn(n);
  return column ? column->Title : TrpCustomPrintDataSet::ColumnTitle(n);
}

QString TrpPrintGrid::CellText(int n) const {
  const TGridColumn* column = GridColumn(n);
  if (!column) return TrpCustomPrintDataSet::CellText(n);
  const TField* field = ColumnField(n);
  return TDbGridBase::CellText(*column, *field, field->AsVariant()).trimmed();
}

QString TrpPrintGrid::AggregateText(int n, double value) const {
  const TGridColumn* column = GridColumn(n);
  if (!column || column->DisplayFormat.isEmpty() || ColumnField(n)->DataType() == TFieldType::String)
    return TrpCustomPrintDataSet::AggregateText(n, value);
  return FormatColumnNumber(column->DisplayFormat, value);
}

int TrpPrintGrid::FixedWidth(int n) const {
  const TGridColumn* column = GridColumn(n);
  return column ? column->Width : TrpCustomPrintDataSet::FixedWidth(n);
}

namespace {

// The settings both grid prints share.
void ApplyJob(TrpCustomPrintDataSet& print, const TGridPrintJob& job) {
  print.Orientation = job.Landscape ? TrpPrintOrientation::Landscape : TrpPrintOrientation::Portrait;
  print.AutoOrientation.Enabled = job.AutoOrientation;
  print.PageMargins = {int(job.MarginsMm.left()), int(job.MarginsMm.top()), int(job.MarginsMm.right()),
                       int(job.MarginsMm.bottom())};
  print.Header.Color = job.HeaderColor;
  if (!job.Title.trimmed().isEmpty()) {
    print.PageHeader.Text = job.Title;
    print.PageHeader.Color = job.TitleColor;
    print.PageHeader.Font.Style.Bold = true;
    print.PageHeader.Font.Color = job.TitleFontColor;
    print.PageHeader.Frame = rpAllFrameLines;
  }
}

} // namespace

void rpPrintGridJob(const TGridPrintJob& job) {
  if (!job.Grid) return;
  if (job.WholeDataSet) {
    TrpPrintTable print(job.Grid);
    print.DataSet = job.Grid->DataSet();
    ApplyJob(print, job);
    print.PreviewAdHocReport();
  } else {
    TrpPrintGrid print(job.Grid);
    print.DBGrid = job.Grid;
    ApplyJob(print, job);
    print.AutoWidth = job.AutoWidth;
    print.PreviewAdHocReport();
  }
}
