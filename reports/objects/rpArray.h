#pragma once
#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QVariant>
#include <vector>

// The order of cross-tab keys: letters without regard to case, Slovak letters
// in their alphabet's order (each accented letter right after its base
// letter), one-character keys of the codes 0, 1, 2 ... before everything,
// then a blank, ";" before "+" and the other signs, then digits, then
// letters. Every character has one weight, so a key orders right before its
// longer extensions and no other key falls between a group's keys.
// Negative, zero or positive like QString::compare.
int rpCompareKeys(const QString& a, const QString& b);

// A sorted list of keys in that order, unique without regard to case (a key
// keeps the spelling it was first added with); each key carries a number.
class TrpKeyList {
public:
  int Count() const { return int(keys_.size()); }
  const QString& Key(int position) const { return keys_[position]; }
  int Number(int position) const { return numbers_[position]; }
  // The key's position; -1 when absent.
  int IndexOf(const QString& key) const;
  // The key's position, after adding it with the number when it was absent.
  int Add(const QString& key, int number, bool* added = nullptr);
  void Clear();

private:
  // The position of the first key not ordered before `key`.
  int LowerBound(const QString& key) const;

  QList<QString> keys_;
  QList<int> numbers_;
};

// A sparse table of cells addressed by row and column keys. A cell holds
// CellCount values (slots 0 up) and one slot -1 the build keeps its own
// integers in; every slot is Null when the cell is created. Columns are
// numbered in the order they were added, their positions follow the key order.
class TrpArray {
public:
  using TCell = QList<QVariant>; // slot s at index s + 1; empty: no cell

  virtual ~TrpArray() = default;

  // Adds the row and column when absent and stores the value into the slot (-1 .. CellCount - 1).
  void SetCell(const QString& rowKey, const QString& columnKey, const QVariant& value, int slot);
  // Null when the row, column or cell is absent or the slot is not below CellCount.
  QVariant GetCell(const QString& rowKey, const QString& columnKey, int slot) const;
  // By positions in Rows and Columns; Null for a position of -1.
  QVariant GetCellByIndex(int row, int column, int slot) const;
  // A copy of the cell's values (slots 0 up); empty when a position is -1 or there is no cell.
  QList<QVariant> GetCellValues(int row, int column) const;
  // Creates the cell when absent (slot 0 := 0) and copies slots 0 up from `values`; slot -1 stays.
  void SetCellValues(int row, int column, const QList<QVariant>& values);
  // Stores into one slot of the cell at the positions, creating the cell when absent.
  void SetCellByIndex(int row, int column, const QVariant& value, int slot);
  // The cell at the positions; null when absent.
  const TCell* CellAt(int row, int column) const;
  void Clear();

  TrpKeyList Rows;
  TrpKeyList Columns;
  int CellCount = 0;

protected:
  // The cell at the row's storage and the column's number, created when absent.
  TCell& Cell(int rowNumber, int columnNumber);
  TCell& CellByKeys(const QString& rowKey, const QString& columnKey);

private:
  std::vector<std::vector<TCell>> rows_; // by a row's number: its cells by column number
  // Numbers of keys as spelled once seen: reading finds most keys here, without a search.
  QHash<QString, int> rowNumbers_, columnNumbers_;
};
