#pragma once
#include "reports/objects/rpArray.h"
#include <QtCore/QStringList>
#include <array>
#include <functional>
#include <vector>

class TDataSet;
class TField;

// One field of a cross-tab's rows, columns or cells: "NAME", or "NAME+" and
// "NAME+function". A row or column field with "+" gets subtotals; a cell
// field's function (sum, count, min, max, avg) says how totals aggregate it.
struct TrpCrossField {
  explicit TrpCrossField(const QString& definition);
  QString Name;
  bool HasFunction = false;
  QString Function; // lower case; "sum" for a bare "+", empty without "+"
};

// The fields of a ";"-separated text: a final ";" adds none, two in a row an empty one.
QList<TrpCrossField> rpCrossFields(const QString& text);

// A cross-tab's table: the records of a data set grouped into one row per
// distinct combination of the row fields' values and one column per
// combination of the column fields', the cell fields summed in each cell;
// totals after each group of a field with subtotals and grand totals, then
// the header rows and columns the printed table shows (texts in slot 0,
// frame lines 1 right, 2 bottom, 4 left, 8 top in slot -1).
//
// Keys join the fields' parts with ";": a text as it stands, a number (or a
// date) as "%2.6f" with the locale's decimal separator padded to 32
// characters. A total key is the group's key followed by "+;+"; the grand
// total's key is the last key followed by "+"; header keys are the
// one-character texts of the codes 0, 1, 2 ...
class TrpCross : public TrpArray {
public:
  // A trailing run of "+" and ";" is taken off the row and column texts, so
  // the innermost row and column field never get subtotals.
  TrpCross(TDataSet* dataSet, QString rowFields, QString columnFields, const QString& cellFields);

  // Reads the data set and builds the whole table; a data set without
  // records leaves a table without columns. Errors of the data set, or a
  // field it lacks, reach the caller.
  void Build();

  bool IsTotalRow(int position) const { return Rows.Key(position).contains(QLatin1String("+;+")); }
  bool IsTotalColumn(int position) const { return Columns.Key(position).contains(QLatin1String("+;+")); }

  TDataSet* DataSet;
  QList<TrpCrossField> RowFields, ColumnFields, CellFields;
  // Per field position the last value that was neither text nor Null; its type chooses how headers show the key part.
  std::array<QVariant, 32> RowFieldValues, ColumnFieldValues;
  // The data set's field name of a name the template gives (the report's dictionary aliases).
  std::function<QString(const QString&)> FieldOfAlias;

  // The header texts, set before Build.
  QString ColumnFieldsCaption;
  QString RowTotalCaption, GrandRowTotalCaption;
  QString ColumnTotalCaption, GrandColumnTotalCaption;
  bool ShowCellCaptions = false;
  QString CellCaptions;
  // Set by Build: header rows below the caption row, header columns.
  int ColumnHeaderCount = 0;
  int RowHeaderCount = 0;

  // The header text of key part `level` by the type remembered for that field position.
  static QVariant DisplayValue(const QString& part, const QVariant& remembered);

private:
  class TGroupItem;
  void ReadRecords();
  // The key of the current record for the fields, into `key`.
  void RecordKey(const QList<const TField*>& fields, std::array<QVariant, 32>& remembered, QString& key);
  void AddTotalKeys(bool columns);
  void AddTotalKeysOfChange(bool columns, const QString& oldKey, const QString& newKey);
  void AddTotals(bool alongColumns);
  // Closes the item's group at `inner` and restarts it at the next data key (`parts` and `totals` by inner position).
  void BreakGroup(TGroupItem& item, int index, bool alongColumns, int outer, int inner,
                  const std::vector<QStringList>& parts, const std::vector<bool>& totals);
  void AverageTotals();
  void ClearStartPositions();
  bool HasAverages() const;
  // The cell at (outer, inner) of a walk along the columns (outer: rows) or along the rows.
  const TCell* WalkCell(bool alongColumns, int outer, int inner) const;

  // Header layout.
  void BuildHeaderRows();
  void BuildHeaderColumns();
  void SetFrame(int row, int column, int bits) { SetCellByIndex(row, column, bits, -1); }
  void AddFrame(int row, int column, int bits);
  void SetHeader(int row, int column, const QVariant& text, int bits);

  QHash<double, QString> numberKeys_; // key parts of the numbers read, each formatted once
};

// A cell value added to a running sum: Null adds nothing; numbers add, texts join.
QVariant rpCrossAdd(const QVariant& sum, const QVariant& value);
