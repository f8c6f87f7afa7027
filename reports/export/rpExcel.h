#pragma once
#include "reports/export/rpWorkbook.h"
#include <QtCore/QStringList>
#include <memory>

// The spreadsheet automation the workbook export drives: the operations it
// calls, over a workbook model of our own. "Visible" means the saved file is
// opened with the desktop's default spreadsheet program. The operations are
// virtual so that a test can record the calls.
class TRpExcel {
public:
  virtual ~TRpExcel() = default;

  // A new workbook with one worksheet; Opened tells whether it is there.
  virtual void Open();
  virtual void SetVisible(bool on);
  // 1 "A" ... 26 "Z", 27 "AA", 52 "AZ", 53 "BA", 702 "ZZ".
  static QString ColumnName(int column);
  static QString CellName(int column, int row) { return ColumnName(column) + QString::number(row); }
  // The current range: `columns` × `rows` cells from (column, row); nothing for an empty size.
  virtual void SetRange(int column, int row, int rows, int columns);
  virtual void SetColumnWidth(int column, double width);
  // Heights above 409 points are written as 409.
  virtual void SetRowHeight(int row, double height);
  virtual void MergeRange();
  // Frame flags 4 left, 1 right, 8 top, 2 bottom on the current range's edges.
  virtual void SetBorders(int frameTyp);
  // Orientation 1 portrait, 2 landscape; margins in points.
  virtual void SetPageSetup(int orientation, double left, double right, double top, double bottom);
  virtual void AddStyle(const QString& name, const TRpCellStyle& style);
  virtual void SetRangeStyle(const QString& name);
  // Places the bitmap at the current range's first cell at width × height points.
  virtual void PastePicture(const QImage& image, double width, double height);
  // The texts from A1 onwards, row by row.
  virtual void SetValues(const QList<QStringList>& rows);
  virtual void SetWrapText(bool on);
  virtual void SelectFirstCell();
  // Writes the workbook under the name, replacing a file there only by a
  // complete one; raises Exception when it cannot be written. Opens it when visible.
  virtual void SaveAs(const QString& fileName);
  virtual void Quit();

  bool Opened = false;
  bool Visible = false;
  QRect Range; // columns and rows, 1-based
  std::unique_ptr<TRpWorkbook> Workbook;
};
