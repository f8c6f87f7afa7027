#pragma once
#include <QtCore/QMetaObject>
#include <QtCore/QStringList>
#include <functional>
#include <memory>
#include <span>

class QGroupBox;
class QLabel;
class QStatusBar;
class QWidget;
class TDbGridQPL;
class TDialogForm;
class TForm;
class TIBQuery;
class TIBTransaction;
class TToolButton;

// What a child grid needs of the dialog it sits in: the transaction its
// rows are read and written on, the key of the owner row (0 while there is
// none) and the working year handed to the child dialogs. One flag, shared
// by all child grids of the owner, says a child dialog is running.
class TChildGridOwner {
public:
  virtual ~TChildGridOwner() = default;
  virtual TIBTransaction& ChildTransaction() const = 0;
  virtual int ChildOwnerKey() const = 0;
  virtual quint16 ChildYear() const = 0;

  bool childDialogRunning = false;
};

// A register dialog (`TDialogForm`) as the owner of child grids: its
// transaction `dlg.ibt1`, its key `Jedin` and its year `dlg.Rok`.
class TDialogChildOwner : public TChildGridOwner {
public:
  explicit TDialogChildOwner(TDialogForm& dialog) : dialog_(dialog) {}
  TIBTransaction& ChildTransaction() const override;
  int ChildOwnerKey() const override;
  quint16 ChildYear() const override;

private:
  TDialogForm& dialog_;
};

// The rows of a child table inside an owner dialog: a group box with a tool
// bar (add, edit, delete, refresh) over a grid, the child's own small dialog
// for add and edit (each save commits at once), deletes of the marked rows,
// the keys P/F2, O/F4/Enter, Delete/F8 and R, and an add started when focus
// enters the grid while it is empty.
//
// `select` reads the children of the owner bound as :JEDIN, with the child's
// key as JEDIN; the grid appends its order. `createDialog` makes the child
// dialog (a `TDialogForm`) and `tieToOwner` hands it the owner's key before
// every pass. The register adds its columns to `grid` after `Build`.
class TChildGrid {
public:
  TChildGrid(TChildGridOwner& owner, QString table, QStringList select,
             std::function<std::unique_ptr<TForm>()> createDialog, std::function<void(TForm&, int)> tieToOwner);
  ~TChildGrid();
  TChildGrid(const TChildGrid&) = delete;
  TChildGrid& operator=(const TChildGrid&) = delete;

  // Makes the box inside `parent`: tool bar `barName`, buttons btnPridaj,
  // btnOprav, btnVymaz and btnRefresh, grid gr and query ib, each name
  // followed by `suffix`.
  QGroupBox* Build(QWidget& parent, const QString& caption, const QString& boxName, const QString& barName,
                   const QString& suffix);

  // A status bar `name` under the grid with one label per element of
  // `panels` (the owner's totals); after `Build`.
  QStatusBar* AddStatusBar(const QString& name, std::span<QLabel*> panels);

  TToolButton *add = nullptr, *edit = nullptr, *del = nullptr, *refresh = nullptr;
  TDbGridQPL* grid = nullptr;
  TIBQuery* query = nullptr;
  // Asked before a delete; false keeps the rows.
  std::function<bool()> BeforeDelete;
  // Called after rows were deleted (each delete commits at once).
  std::function<void()> AfterDelete;
  // After each refresh opened the rows, before the kept row is located
  // (totals the owner shows).
  std::function<void()> AfterOpen;
  // Binds the select's values beyond :JEDIN (a price the owner shows).
  std::function<void(TIBQuery&)> BindParams;

  void Refresh();
  void Add();
  void Edit();
  void Delete();
  // The keys a delete would take: the marked rows, else the current one.
  QList<int> Doomed() const;
  void KeyDown(int& key, Qt::KeyboardModifiers modifiers);

private:
  void FocusChanged(QWidget* now);
  void Entered();

  TChildGridOwner& owner_;
  QString table_;
  QStringList select_;
  std::function<std::unique_ptr<TForm>()> createDialog_;
  std::function<void(TForm&, int)> tieToOwner_;
  QMetaObject::Connection focusWatch_;
};
