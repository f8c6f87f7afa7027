#pragma once
#include "core/Color.h"
#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QMap>
#include <QtCore/QRect>
#include <QtCore/QString>
#include <QtGui/QImage>

// A named cell style of the workbook (the spreadsheet program's constants
// for the alignments: -4131 left, -4152 right, -4108 centre, -4130 justify;
// vertically -4160 top, -4108 centre, -4107 bottom).
struct TRpCellStyle {
  QString FontName = QStringLiteral("Arial");
  double FontSize = 10;
  bool Bold = false, Italic = false, Underline = false;
  TColor FontColor = clBlack;
  TColor InteriorColor = clNone;
  int HorizontalAlignment = -4131;
  int VerticalAlignment = -4160;
};

// The spreadsheet model behind the automation wrapper: one worksheet of
// texts, merged ranges, named styles, cell borders, column widths (in
// characters), row heights and picture sizes (in points) and page setup.
// SaveAs writes it as an Office Open XML workbook (a zip of XML parts).
class TRpWorkbook {
public:
  struct TPicture {
    int Column, Row; // top-left cell, 1-based
    QImage Image;
    double Width, Height; // points
  };

  void SetValue(int column, int row, const QString& text);
  QString Value(int column, int row) const { return values_.value(Key(column, row)); }
  void Merge(const QRect& range) { merges_.append(range); }
  void AddStyle(const QString& name, const TRpCellStyle& style) { styles_.insert(name, style); }
  void SetCellStyle(int column, int row, const QString& name) { cellStyles_[Key(column, row)] = name; }
  // Border flags of a cell: 8 top, 4 left, 2 bottom, 1 right (added to what it has).
  void AddBorders(int column, int row, int flags) { borders_[Key(column, row)] |= flags; }
  void SetColumnWidth(int column, double width) { columnWidths_[column] = width; }
  void SetRowHeight(int row, double height) { rowHeights_[row] = height; }
  // Points; 0 for a row whose height was never set.
  double RowHeight(int row) const { return rowHeights_.value(row); }
  void AddPicture(const TPicture& picture) { pictures_.append(picture); }
  QList<TPicture>& Pictures() { return pictures_; }

  bool WrapText = false;
  bool Landscape = false;
  double LeftMargin = 54, RightMargin = 54, TopMargin = 72, BottomMargin = 72; // points

  // The whole file; raises Exception when it cannot be made.
  QByteArray Contents() const;

private:
  static quint64 Key(int column, int row) { return (quint64(quint32(row)) << 32) | quint32(column); }
  QByteArray SheetXml(QList<QByteArray>& cellFormats) const;
  QByteArray StylesXml(const QList<QByteArray>& cellFormats) const;
  QByteArray DrawingXml() const;

  QHash<quint64, QString> values_;
  QList<QRect> merges_;
  QMap<QString, TRpCellStyle> styles_;
  QHash<quint64, QString> cellStyles_;
  QHash<quint64, int> borders_;
  QMap<int, double> columnWidths_;
  QMap<int, double> rowHeights_;
  QList<TPicture> pictures_;
};
