#pragma once
#include "controls/DbGridBase.h"
#include <QtCore/QList>
#include <QtCore/QMargins>
#include <functional>
#include <optional>

class QMenu;
class QAction;
class QActionGroup;

enum class TCollateOption { coNoCollate, coPXW_CSY, coWin1250 };
// osASC and osDESC sort alike (the form gives the direction); osNone keeps a
// column out of the ORDER BY list.
enum class TOrderSets { osASC, osDESC, osNone };

// A list-grid column with the SQL expression the list sorts by when it is used.
class TQPLColumn : public TGridColumn {
public:
  bool FindExternal = false;
  QString OrderBy;
  TCollateOption CollateBy = TCollateOption::coNoCollate;
  TOrderSets Order = TOrderSets::osASC;
  QString FindBy;
  QString FindByField;
};

// The most marks the marked-rows condition may carry (bounds the IN list).
constexpr int kMaxCheckedFilterKeys = 1400;

// The marked-rows condition: a blank, alias + keyField, " in (" and the keys
// in the given order separated by "," + ")"; empty without keys; nullopt when
// there are more keys than kMaxCheckedFilterKeys.
std::optional<QString> CheckedFilterCondition(const QList<int>& keys, const QString& alias, const QString& keyField);

// One column's part of the ORDER BY list: the trimmed OrderBy, its collation
// and, when not empty, a blank and the direction; empty for a column that
// does not sort (osNone or a blank OrderBy) or for no column.
QString ColumnSortExpression(const TQPLColumn* column, const QString& direction);

// The ORDER BY list without "order by": the active column's expression first
// (position 0-based in `columns`; out of range contributes nothing), then the
// others' in column order, separated by ",".
QString OrderByList(const QList<const TQPLColumn*>& columns, int activePosition, const QString& direction);

class TDbGridQPL;

// How the report engine's ad-hoc table printing is to print a grid's visible
// columns, or the fields of its data set when `WholeDataSet`.
struct TGridPrintJob {
  TDbGridQPL* Grid = nullptr;
  bool WholeDataSet = false;
  bool Landscape = false;
  bool AutoOrientation = true;
  // Page margins in millimetres.
  QMarginsF MarginsMm{20, 10, 10, 16};
  // Background of the column-header row.
  TColor HeaderColor = clGrayText;
  // Column widths fitted to the page (grid prints only).
  bool AutoWidth = false;
  // The page header's text: the grid's Title, empty (no page header) when
  // the title is blank. The header is framed on all four sides, in bold
  // white on the header colour.
  QString Title;
  TColor TitleColor = clGrayText;
  TColor TitleFontColor = clWhite;
};
// Installed by the report engine; while none is installed the grid's print
// items are disabled.
using TGridPrinter = std::function<void(const TGridPrintJob&)>;

// The list grid of every register form. It never opens its query itself:
// DisplayGrid fires OnDisplayGrid, and the form rebuilds its SQL from
// GetCheckedFilter and GetOrderBy and reopens the data set. On top of the
// base grid it adds the keys of list forms, the find dialog, clipboard copies,
// the column order kept in the registry, prints and alternating row colours.
class TDbGridQPL : public TDbGridBase {
  Q_OBJECT
public:
  explicit TDbGridQPL(QWidget* parent = nullptr);
  ~TDbGridQPL() override;

  // Finishes loading once the form has set the grid's name and columns:
  // restores the saved column order, copies Title into a blank tool tip and
  // builds the popup menu.
  void Loaded();

  TQPLColumn* AddColumn(const QString& fieldName, const QString& title, int width = 64);
  TQPLColumn* QPLColumn(int position) const { return static_cast<TQPLColumn*>(Column(position)); }

  QString Title() const { return title_; }
  void SetTitle(const QString& title) { title_ = title; }
  bool ColoringRows() const { return coloringRows_; }
  void SetColoringRows(bool on);
  bool OznacNaCerveno() const { return oznacNaCerveno_; }
  void SetOznacNaCerveno(bool on);
  bool ColorSelectedRow() const { return colorSelectedRow_; }
  void SetColorSelectedRow(bool on);

  // Refresh: fires OnDisplayGrid under the busy cursor (restored also when
  // the handler throws).
  void DisplayGrid();
  // The marked-rows condition for the form's query, empty when marking is
  // off or nothing is marked. With more than kMaxCheckedFilterKeys marks it
  // shows why, leaves `filter` empty and returns false: the form must then
  // release its only-marked button rather than show the whole list as if it
  // were the marked rows. The condition is on `alias` and the key field, or
  // on `column` when one is given (the marked keys found in another column).
  bool GetCheckedFilter(const QString& alias, QString& filter, const QString& column = QString());
  // The ORDER BY list of the active column and then the others.
  void GetOrderBy(const QString& direction, QString& orderBy) const;
  // Marks every row not yet marked; OnCheckRow fires once per new mark.
  void CheckAll();
  // Finds in the active column (the find dialog, or OnFindExternal).
  void Find();
  int GetRecordCount() const;
  void SaveColumns();
  void RestoreColumns();
  void EraseColumns();
  void PrintGrid();
  void PrintDataSet();
  void FitColumns();
  // The current row, or every row, as Tab-separated lines ending in CR LF,
  // put on the clipboard (nothing on an empty list).
  void CopyRow();
  void CopyGrid();
  // The text of the row (0-based) as CopyRow puts it.
  QString RowText(int row) const;

  bool Landscape() const;
  QMenu* PopupMenu() const { return popup_; }
  static void SetGridPrinter(TGridPrinter printer);

  void ChangeActiveTitle(int columnIndex) override;

signals:
  // The form's key handler: after the grid's own keys (a key the grid used
  // arrives as 0), before Enter, Esc, Insert and Delete.
  void OnKeyDown(int& key, Qt::KeyboardModifiers modifiers);
  void OnDisplayGrid();
  void OnFoundRecord();
  void OnFindExternal();
  // Forms may change the colours of a data cell before its text is drawn.
  void OnDrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const;

protected:
  TGridColumn* CreateColumn() const override { return new TQPLColumn; }
  void PrepareCell(int row, int position, TGridCellCanvas& canvas) const override;
  void ColumnMoved(int from, int to) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  bool HandleListKey(int key, Qt::KeyboardModifiers modifiers);
  void FindExternal();
  void Print(bool wholeDataSet);
  void BuildPopup();
  QList<const TQPLColumn*> ColumnsInOrder() const;

  QString title_;
  bool coloringRows_ = true;
  bool oznacNaCerveno_ = false;
  bool colorSelectedRow_ = false;
  QMenu* popup_ = nullptr;
  QAction* printGrid_ = nullptr;
  QAction* printDataSet_ = nullptr;
  QAction* portrait_ = nullptr;
  QAction* landscape_ = nullptr;
};
