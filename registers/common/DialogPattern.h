#pragma once
#include "registers/common/DialogField.h"
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QSize>
#include <QtCore/QString>
#include <QtCore/QVariantMap>
#include <deque>
#include <functional>

class QKeyEvent;
class QWidget;
class TForm;
class TIBQuery;
class TIBTransaction;
class TQPLBtn;
class TUxFormPlacement;
enum class TCloseAction;

// What a register dialog is open for, kept in its form's Tag: a new row, an
// existing row to change, or a row only shown (a dialog turns itself to View
// when its row may no longer change; OK then writes nothing).
enum class TDialogMode { Add = 1, Edit = 2, View = 3 };

// The add and edit runs of a dialog opened from a list, for the lists and the
// child lists alike. The add run shows new rows (mode Add) until a pass ends
// otherwise than with save-and-continue; the edit run starts at the current
// row of `rows` (mode Edit) and moves on with save-and-continue until its end.
// `beforePass` runs before each pass; both answer the last pass's result.
int RunAddPasses(TForm& dialog, const std::function<void()>& beforePass = {});
int RunEditPasses(TForm& dialog, TIBQuery& rows, const std::function<void()>& beforePass = {});

// The behaviour of every register's add/edit dialog, written once. A dialog
// derives from TDialogForm (DialogForm.h), which keeps its public `Jedin` and
// its TDialogPattern `dlg` and hands the form's hooks here; the dialog builds
// its controls and declares its row: the table and one field per column,
// each tied to its control and its rules (DialogField.h):
//
//   class TfrmCClenenieClenovPridaj : public TDialogForm {
//   public:
//     explicit TfrmCClenenieClenovPridaj(QWidget* owner) : TDialogForm(owner) {
//       TRegisterLayout controls(*this);
//       controls.Label(QStringLiteral("Názov skupiny:"));
//       eDBNazov = controls.Add<TIBEdit>(QStringLiteral("eDBNazov"), 25);
//       dlg.AddCaption = QStringLiteral("Pridanie členenia členov");
//       dlg.EditCaption = QStringLiteral("Oprava členenia členov");
//       dlg.Table = QStringLiteral("C_CLENENIE_CLENOV");
//       dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required().Unique();
//       dlg.FormCreate(controls.Widget(), QSize(305, 61));
//     }
//   };
//
// From the fields the pattern makes the load, insert and update statements
// (values always bound), clears the controls for a new row, loads and saves
// them, makes required controls required and sets up the uniqueness tests.
// It builds the buttons btnDalsi ("Ď&alší", save and continue, result 4),
// btnZapis (" &OK", result 1) and btnNezapis ("&Nezapíš", cancel), the
// dialog's transaction `ibt1`, query `ib1` and placement `fp`. It loads the
// row in edit mode (message 1012 and result 2 when it is gone), inserts and
// deletes the placeholder row of registers that have one, runs the required
// checks before a save, takes the new key from the table's generator, and
// keeps the dialog open with the user's entries after any database error or
// when the row to update is gone. An update never overwrites a change that
// another workstation committed after the row loaded: inside the saving
// transaction the row is locked and the columns the dialog writes are
// compared with their loaded values, and so are the columns of joined rows
// the dialog writes with its own (TDialogField::OfRow, read by LoadSql); a
// difference refuses the save (ChangedByOtherMessage), the entries kept. The dialog works in the year `Rok` its
// opener hands it. Uniqueness tests leave out the edited row, and no row for
// a new one.
class TDialogPattern : public QObject {
  Q_OBJECT
public:
  TDialogPattern(TForm& form, int& jedin);
  ~TDialogPattern() override;
  static TDialogPattern* Of(const QWidget* form);
  TForm& Form() const { return form_; }

  TQPLBtn *btnDalsi, *btnZapis, *btnNezapis;
  TIBTransaction* ibt1;
  TIBQuery* ib1;
  TUxFormPlacement* fp;

  // What the register declares.
  QString AddCaption, EditCaption;
  // The table of the row; its keys come from the generator <table>_ID.
  // Without a table the dialog has no row: it shows its entries as its
  // opener set them, and OK checks them and closes with result 1.
  QString Table;
  // The table keeps rows per year (column ROK): a row added here gets the
  // dialog's year; an update leaves it as it is, except in a row that
  // started as a placeholder, which gets it at every save.
  bool PerYear = false;
  // The row exists while the dialog is open in add mode (child rows refer to
  // it): inserted with the fields' placeholder values when the dialog shows,
  // deleted when it closes without a save.
  bool HasPlaceholder = false;
  // The placeholder row gets the dialog's year at once (a yearly number
  // taken in its insert needs it).
  bool PlaceholderHasYear = false;
  // The load statement when the row's columns come with others' (joined
  // rows); bound with :JEDIN, its columns named as the fields.
  QString LoadSql;
  // Declares a column of the row (in load order) and its control; `control`
  // null for a column the dialog computes (its field `Saves` the value).
  TDialogField& Field(const QString& column, QWidget* control = nullptr);
  const std::deque<TDialogField>& Fields() const { return fields_; }

  // The year the dialog works in; its opener sets it before showing it.
  quint16 Rok = 0;

  // The register's own steps beyond its fields.
  // After the fields are cleared for a new row (and before each pass).
  std::function<void()> AfterClear;
  // Run after the placeholder insert, in its transaction (reading back the
  // yearly number the insert took, for example).
  std::function<void(TIBQuery&)> PlaceholderMade;
  // Told about a database error of a save that the handler reported (its
  // result); the dialog stays open.
  std::function<void(int handled)> SaveFailed;
  // The register's own rules between entries, checked after the controls'
  // checks; false stops the save (it has told the user and set the focus).
  std::function<bool()> CheckEntries;
  // Rows of other tables that go with the dialog's row (a yearly row of a
  // code list): read after the row loaded, in its transaction, and written
  // after each insert or update of the row, in the save's transaction, with
  // the row's key.
  std::function<void(TIBQuery&)> RowLoaded;
  std::function<void(TIBQuery&, int key)> RowWritten;
  // Before an update writes anything, in the save's transaction: locks the
  // rows RowWritten will write and tells whether they are still as RowLoaded
  // read them. False refuses the save as a change of another workstation.
  std::function<bool(TIBQuery&)> RowsUnchanged;

  // What the user is told when another workstation changed the row.
  static const QString ChangedByOtherMessage;

  // The statements the fields make (bound values only).
  QString LoadStatement() const;
  QString InsertStatement() const;
  QString UpdateStatement() const;
  QString PlaceholderStatement() const;
  QString DeleteStatement() const;
  // Reads the row's compared columns and locks it for the saving transaction.
  QString LockStatement() const;

  // Lays out the controls above the row of buttons and fixes the client size.
  void FormCreate(QWidget* controls, QSize clientSize);
  int Jedin() const { return jedin_; }
  void SetJedin(int key) { jedin_ = key; }
  TDialogMode Mode() const;
  void SetMode(TDialogMode mode);
  // Before each pass of the list's add or edit loop: key 0, the fields
  // emptied or at their defaults (the kept ones only before the first pass),
  // then AfterClear.
  void ClearForPass();
  // Every field to its add-mode value, then AfterClear.
  void ClearFields();
  // True when the last save of this showing committed.
  bool Saved() const { return saved_; }

  // The form's hooks and the buttons' handlers.
  void FormShow();
  bool FormKeyDown(QKeyEvent* event);
  void FormClose();
  void btnZapisClick(QObject* sender);
  void btnDalsiClick();
  void btnNezapisClick();

protected:
  // Swallows Enter that no control took, so that it never presses a button
  // the user did not choose (the data-entry controls move on by themselves).
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  bool Adding() const;
  void ClearFields(bool keepKept);
  QStringList WrittenColumns(bool adding) const;
  // The insert of `columns`, each a bound value or its field's expression.
  QString InsertInto(const QStringList& columns) const;
  const TDialogField* FieldOf(const QString& column) const;
  void BindFields(TIBQuery& query, bool adding) const;
  void ApplyFieldRules();
  void LoadRow();
  // A field whose loaded value a save compares: loaded, written, not insert-only.
  static bool Compared(const TDialogField& field);
  // The compared columns of the dialog's row, or of the joined row of `rowTable`.
  QStringList ComparedColumns(const QString& rowTable = QString()) const;
  // The joined rows the dialog writes, each by its first field.
  QList<const TDialogField*> JoinedRows() const;
  static QString JoinedRowCondition(const TDialogField& row);
  QString JoinedLockStatement(const TDialogField& row) const;
  QString JoinedUpdateStatement(const TDialogField& row) const;
  // In the saving transaction: false when the row is gone; `changed` when a
  // compared column, of the row or of a joined row, no longer holds its
  // loaded value. Both lock what they read.
  bool LockLoadedRow(bool& changed);
  // Of the open lock statement of the row or of the joined row `rowTable`.
  bool ChangedSinceLoad(const QString& rowTable) const;
  void WriteJoinedRows(int key);
  // In the saving transaction: false when an owner row (OwnerIn) is gone;
  // the found ones are locked.
  bool LockOwners();
  void InsertPlaceholder();
  void SetUniqueKeys();
  void FocusFirstControl();

  TForm& form_;
  int& jedin_;
  QList<QPointer<QWidget>> tabOrder_;
  std::deque<TDialogField> fields_;
  // The compared columns' values as the row was loaded.
  QVariantMap loaded_;
  bool saved_ = false;
  bool placeholderMade_ = false;
  int passes_ = 0;
};
