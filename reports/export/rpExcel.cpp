#include "reports/export/rpExcel.h"
#include "core/Exception.h"
#include "reports/export/rpExportUtils.h"
#include <QtCore/QSaveFile>

void TRpExcel::Open() {
  Workbook = std::make_unique<TRpWorkbook>();
  Opened = true;
}

void TRpExcel::SetVisible(bool on) {
  if (Opened) Visible = on;
}

QString TRpExcel::ColumnName(int column) {
  const auto letter = [](int n) { return QChar(char16_t('A' + n - 1)); };
  if (column <= 26) return QString(letter(column));
  const int first = column % 26 == 0 ? column / 26 - 1 : column / 26;
  const int second = column % 26 == 0 ? 26 : column % 26;
  return QString(letter(first)) + letter(second);
}

void TRpExcel::SetRange(int column, int row, int rows, int columns) {
  if (rows <= 0 || columns <= 0) return;
  Range = QRect(column, row, columns, rows);
}

namespace {

TRpWorkbook& Book(TRpExcel& excel) {
  // A call without a workbook fails as an automation call would.
  if (!excel.Workbook) throw Exception(QStringLiteral("The spreadsheet is not open"));
  return *excel.Workbook;
}

} // namespace

void TRpExcel::SetColumnWidth(int column, double width) { Book(*this).SetColumnWidth(column, width); }

void TRpExcel::SetRowHeight(int row, double height) { Book(*this).SetRowHeight(row, std::min(height, 409.0)); }

void TRpExcel::MergeRange() { Book(*this).Merge(Range); }

void TRpExcel::SetBorders(int frameTyp) {
  TRpWorkbook& book = Book(*this);
  for (int row = Range.top(); row <= Range.bottom(); ++row) {
    if (frameTyp & 4) book.AddBorders(Range.left(), row, 4);
    if (frameTyp & 1) book.AddBorders(Range.right(), row, 1);
  }
  for (int column = Range.left(); column <= Range.right(); ++column) {
    if (frameTyp & 8) book.AddBorders(column, Range.top(), 8);
    if (frameTyp & 2) book.AddBorders(column, Range.bottom(), 2);
  }
}

void TRpExcel::SetPageSetup(int orientation, double left, double right, double top, double bottom) {
  if (!Workbook) return; // page setup failures are ignored
  Workbook->Landscape = orientation == 2;
  Workbook->LeftMargin = left;
  Workbook->RightMargin = right;
  Workbook->TopMargin = top;
  Workbook->BottomMargin = bottom;
}

void TRpExcel::AddStyle(const QString& name, const TRpCellStyle& style) { Book(*this).AddStyle(name, style); }

void TRpExcel::SetRangeStyle(const QString& name) {
  TRpWorkbook& book = Book(*this);
  for (int row = Range.top(); row <= Range.bottom(); ++row)
    for (int column = Range.left(); column <= Range.right(); ++column)
      book.SetCellStyle(column, row, name);
}

void TRpExcel::PastePicture(const QImage& image, double width, double height) {
  Book(*this).AddPicture({Range.left(), Range.top(), image, width, height});
}

void TRpExcel::SetValues(const QList<QStringList>& rows) {
  TRpWorkbook& book = Book(*this);
  for (qsizetype r = 0; r < rows.size(); ++r)
    for (qsizetype c = 0; c < rows[r].size(); ++c)
      book.SetValue(int(c) + 1, int(r) + 1, rows[r][c]);
}

void TRpExcel::SetWrapText(bool on) { Book(*this).WrapText = on; }

void TRpExcel::SelectFirstCell() { Range = QRect(1, 1, 1, 1); }

void TRpExcel::SaveAs(const QString& fileName) {
  rpWriteWholeFile(fileName, Book(*this).Contents());
  if (Visible) rpOpenDocument(fileName);
}

void TRpExcel::Quit() {
  Workbook.reset();
  Opened = false;
}
