#pragma once
#include "core/Color.h"
#include "core/DataSet.h"
#include <QtCore/QList>
#include <QtCore/QPointer>
#include <QtCore/QSet>
#include <QtCore/QStringList>
#include <QtGui/QFont>
#include <QtWidgets/QTableView>
#include <memory>
#include <vector>

class TDataSetModel;
class TTitleHeader;
class TIndicatorHeader;
class TGridCellDelegate;
class QHeaderView;

// The marks of a grid: keys in the order they were marked, without duplicates.
// Lookup is linear; grids hold at most a few thousand marks.
template <class Key> class TMarkList {
public:
  bool GetChecked(const Key& key) const { return keys_.contains(key); }
  // Adds the key when `flag` and absent, removes it when not `flag` and present.
  void SetChecked(const Key& key, bool flag) {
    if (flag == GetChecked(key)) return;
    if (flag)
      keys_.append(key);
    else
      keys_.removeOne(key);
  }
  // Toggles the key: an absent key is appended, a present one removed.
  void Check(const Key& key) { SetChecked(key, !GetChecked(key)); }
  void Clear() { keys_.clear(); }
  int Count() const { return int(keys_.size()); }
  const QList<Key>& Keys() const { return keys_; }

private:
  QList<Key> keys_;
};
using TCheckedList = TMarkList<int>;
using TCheckedStringList = TMarkList<QString>;

enum class TGridActiveTitleBevel { stbLowered, stbNone, stbRaised };
enum class TGridKeyFieldType { sktInteger, sktString };

enum TGridOption {
  dgEditing = 0x1,
  dgTitles = 0x2,
  dgIndicator = 0x4,
  dgColumnResize = 0x8,
  dgColLines = 0x10,
  dgRowLines = 0x20,
  dgTabs = 0x40,
  dgRowSelect = 0x80,
  dgAlwaysShowSelection = 0x100,
  dgConfirmDelete = 0x200,
  dgCancelOnExit = 0x400,
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

// One column of a grid, bound to a field of the data set by name.
class TGridColumn {
public:
  virtual ~TGridColumn() = default;
  QString FieldName;
  // Binds the column to the field at this position instead, when not
  // negative: a result may hold several columns of one name.
  int FieldIndex = -1;
  QString Title;
  int Width = 64;
  // Font and colour of the column's data cells (the grid's own when unset).
  QFont Font;
  TColor Color = clWindow;
  // Horizontal alignment of the title, and of the data cells (no flag: numbers
  // right, other values left).
  Qt::Alignment TitleAlignment = Qt::AlignLeft;
  Qt::Alignment Alignment = {};
  // How numbers are shown: "0.0", "#,##0.00" (the count of digits after the
  // point; a comma groups thousands); empty shows the value as it is.
  QString DisplayFormat;
  // Widens to its longest cell text whenever rows are loaded: a name longer
  // than the designed width is shown whole, never cut.
  bool FitToText = false;
};

// The text of a number by a column's display format, in the locale's separators.
QString FormatColumnNumber(const QString& displayFormat, double value);

// What a data cell is painted with; the painting code of the grid and of the
// forms' cell-drawing handlers set the colours before the text is drawn.
struct TGridCellCanvas {
  TColor Brush = clWindow;
  TColor FontColor = clWindowText;
  QFont Font;
  bool Selected = false;
  bool Focused = false;
};

// The data-aware grid beneath the register list grid: a table view over a
// TDataSet (rows are painted from the data set, never copied) that adds marks
// kept by key, an active title column chosen by a click on a title, locked
// leading columns and events for Enter, Esc, Insert, Delete and Space.
//
// Column indexes in the title API count grid columns with the indicator: with
// the indicator shown, ActiveTitleIndex 1 is the first data column and 0 none.
// Column positions in Columns() are the visible order (0-based).
class TDbGridBase : public QTableView {
  Q_OBJECT
public:
  explicit TDbGridBase(QWidget* parent = nullptr);
  ~TDbGridBase() override;

  // The data set shown; the grid follows its signals. nullptr detaches.
  void SetDataSet(TDataSet* dataSet);
  TDataSet* DataSet() const { return dataSet_; }

  // Columns in visible order.
  TGridColumn* AddColumn(const QString& fieldName, const QString& title, int width = 64);
  int ColumnCount() const { return int(columns_.size()); }
  // Removes every column (a grid that shows whatever its data set holds
  // builds them again for each new result).
  void ClearColumns();
  TGridColumn* Column(int position) const;
  int PositionOf(const TGridColumn* column) const;
  // Moves the column at `from` to `to`. A notified move is one the user made
  // (by mouse or keys) and runs the derived grid's ColumnMoved; a quiet one
  // (restoring a saved order) only keeps the active title on its column.
  void MoveColumn(int from, int to, bool notify = true);
  void SetColumnWidth(int position, int width);

  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions options);
  // 1 when the indicator column is shown, else 0.
  int IndicatorOffset() const { return options_.testFlag(dgIndicator) ? 1 : 0; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  TColor FixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor color);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  QFont TitleFont() const { return titleFont_; }
  void SetTitleFont(const QFont& font);

  int ActiveTitleIndex() const { return activeTitleIndex_; }
  void SetActiveTitleIndex(int index);
  // The active data column, or nullptr when none or out of range.
  TGridColumn* ActiveColumn() const;
  TGridActiveTitleBevel ActiveTitleBevel() const { return activeTitleBevel_; }
  void SetActiveTitleBevel(TGridActiveTitleBevel bevel);
  TColor ActiveTitleColor() const { return activeTitleColor_; }
  void SetActiveTitleColor(TColor color);
  bool ActiveColumnBold() const { return activeColumnBold_; }
  void SetActiveColumnBold(bool bold);

  int LockedCols() const { return lockedCols_; }
  void SetLockedCols(int count);
  QFont LockedFont() const { return lockedFont_; }
  void SetLockedFont(const QFont& font);
  TColor LockedColor() const { return lockedColor_; }
  void SetLockedColor(TColor color);
  // Leading data columns actually locked (0 when LockedCols is too large).
  int AppliedLockedCols() const { return appliedLockedCols_; }

  TGridKeyFieldType KeyFieldType() const { return keyFieldType_; }
  // Clears all marks first.
  void SetKeyFieldType(TGridKeyFieldType type);
  QString KeyField() const { return keyField_; }
  void SetKeyField(const QString& name) { keyField_ = name; }
  bool ClickTitleEnabled() const { return clickTitleEnabled_; }
  void SetClickTitleEnabled(bool on) { clickTitleEnabled_ = on; }
  bool CheckEnabled() const { return checkEnabled_; }
  // Refused with a message while KeyField is empty.
  void SetCheckEnabled(bool on);
  TColor CheckedColor() const { return checkedColor_; }
  void SetCheckedColor(TColor color);
  bool CheckedSignum() const { return checkedSignum_; }
  void SetCheckedSignum(bool on);
  bool EnterIsTab() const { return enterIsTab_; }
  void SetEnterIsTab(bool on) { enterIsTab_ = on; }

  // Toggles the mark of the current row's key (when CheckEnabled), fires OnCheckRow.
  void CheckRow();
  bool IsRowChecked() const;
  int CheckedCount() const;
  // The index-th marked integer key in marking order; -1 for string keys.
  int CheckedKey(int index) const;
  const TCheckedList& CheckedList() const { return checkedList_; }
  const TCheckedStringList& CheckedStringList() const { return checkedStringList_; }
  // Removes every mark (when CheckEnabled); fires nothing.
  void ClearChecked();
  // Removes the marks of the rows of the data set; marks of other keys stay.
  void UncheckAll();
  // The title-click step for grid column `columnIndex` (indicator counted).
  virtual void ChangeActiveTitle(int columnIndex);

  // Whether the row (0-based) of the data set is marked.
  bool IsRowMarked(int row) const;
  // The 0-based current row of the data set, -1 when none.
  int CurrentRow() const;
  // The field of a column, nullptr when unbound or the data set is closed.
  TField* ColumnField(const TGridColumn* column) const;
  // The display text of a field's value, as the grid and its copies show it.
  static QString CellText(const TGridColumn& column, const TField& field, const QVariant& value);

signals:
  void OnSelectCell(int col, int row, bool& canSelect);
  void OnClickSpace(const QString& fieldName);
  void OnChangeTitle(int& newTitleIndex);
  void OnClickTitle(const QString& fieldName, int titleIndex);
  void OnClickEnter();
  void OnClickIns();
  void OnClickDel();
  void OnClickEsc();
  void OnCheckRow();
  // Columns that fit their text grew by `extra` pixels in all (the form may
  // grow with them).
  void OnColumnsWidened(int extra);

protected:
  virtual TGridColumn* CreateColumn() const { return new TGridColumn; }
  // Sets the colours of a data cell; the base paints the grid's defaults.
  virtual void PrepareCell(int row, int position, TGridCellCanvas& canvas) const;
  // Called after a column moved between two different positions.
  virtual void ColumnMoved(int from, int to);
  // The grid's own key handling for `key` (the event's key, or as a derived
  // grid left it): navigation, then the events of Enter, Esc, Insert, Delete
  // and Space. Keys the grid does not use are left to the parent.
  void GridKeyDown(QKeyEvent* event, int key);
  // Whether a key belongs to the view's own navigation.
  static bool IsNavigationKey(int key);
  int GridLineWidth() const;
  void RepaintTitles();
  // The key of a row (0-based) as the mark lists hold it: an int, or the text
  // for string keys; 0 or empty without a key field.
  QVariant KeyAt(int row) const;
  bool KeyMarked(const QVariant& key) const;
  void ToggleKey(const QVariant& key);
  void ApplyPalette();

  void keyPressEvent(QKeyEvent* event) override;
  void updateGeometries() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
  friend class TDataSetModel;
  friend class TTitleHeader;
  friend class TIndicatorHeader;
  friend class TGridCellDelegate;

  void DataSetChanged();
  void DataSetScrolled();
  void SyncCurrentRow();
  void ApplyColumnWidths();
  // A column is at least as wide as its title, and a column of dates or
  // times as wide as one of them: the designed widths were laid out for a
  // narrower font.
  int TitleFitWidth(const TGridColumn& column) const;
  void FitDateColumns();
  void FitTextColumns();
  void ApplyLockedCols();
  // The locked leading columns are drawn again by a view of their own laid
  // over the left edge, which does not scroll horizontally.
  void UpdateLockedView();
  void CreateLockedView();
  // Whether x (viewport coordinates of a title row) lies in a column's
  // sizing zone, where a press resizes instead of choosing a column.
  bool InSizingZone(const QHeaderView* header, int x) const;
  void IndicatorPressed(int row);
  void SectionMoved(int logical, int from, int to);
  QVariant CurrentKey() const;

  QPointer<TDataSet> dataSet_;
  std::vector<std::unique_ptr<TGridColumn>> columns_; // logical (model) order
  TDataSetModel* model_;
  TTitleHeader* titleHeader_;
  TIndicatorHeader* indicatorHeader_;
  TGridCellDelegate* delegate_;
  QTableView* lockedView_ = nullptr;
  bool updatingLocked_ = false;
  bool syncing_ = false;
  bool quietMove_ = false;
  QSet<const TGridColumn*> fittedToDates_;

  TGridOptions options_ = TGridOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs |
                                       dgConfirmDelete | dgCancelOnExit | dgEditing);
  bool readOnly_ = false;
  TColor fixedColor_ = clBtnFace;
  TColor color_ = clWindow;
  QFont titleFont_;
  int activeTitleIndex_ = 0;
  TGridActiveTitleBevel activeTitleBevel_ = TGridActiveTitleBevel::stbLowered;
  TColor activeTitleColor_ = clBtnFace;
  bool activeColumnBold_ = false;
  int lockedCols_ = 0;
  int appliedLockedCols_ = 0;
  QFont lockedFont_;
  TColor lockedColor_ = clSilver;
  TGridKeyFieldType keyFieldType_ = TGridKeyFieldType::sktInteger;
  QString keyField_;
  bool clickTitleEnabled_ = false;
  bool checkEnabled_ = false;
  TColor checkedColor_ = clGray;
  bool checkedSignum_ = false;
  bool enterIsTab_ = false;
  TCheckedList checkedList_;
  TCheckedStringList checkedStringList_;
};
