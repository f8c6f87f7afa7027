#pragma once
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariantMap>
#include <functional>

class QWidget;
class TDbGridQPL;
class TIBQuery;
class TToolBar;
class TToolButton;
class IPrintForm;

// The form routines of MyUnits that every register calls: the dialogs' input
// check and read-only mode, deleting the current or marked rows, a statement
// in its own transaction, the only-marked button, the tool-bar hints, the
// selection sets in TEMP_SPRACUJ and the organisation variables of reports.
// They hold no state and reach the connection through MainDatabase().

// True when some data-entry control of the form that can take the focus (text
// edit, money edit, lookup combo, date or time edit, note, in creation order) fails
// its own check; that control has shown its message and holds the focus.
bool CheckRequiredInputs(QWidget& form);

// Read-only mode of a dialog: data-entry controls read-only, check boxes and
// plain memos disabled, picker buttons hidden, push buttons disabled except
// btnDalsi, btnZapis and btnNezapis, and btnNezapis hidden.
void SetFormReadOnly(QWidget& form);

// The marked keys of the rows the grid's list holds now, in marking order;
// marks of rows that the current filter hides are left out.
QList<int> MarkedKeysInList(const TDbGridQPL& grid);

// After the red confirmation, deletes the marked rows of the list (only those
// the list shows) or, with none, the current row, from `table`; `tail` ends
// the statement. The grid is refreshed and goes back to where it was, also
// after No or an error. True when rows were deleted. Nothing is deleted when
// one of the rows is gone (message 1012) or, in a list whose select has the
// rows' versions (AddRowVersion), when another workstation changed one since
// the list loaded it (ChangedBeforeDeleteMessage).
bool DeleteMarkedRecords(TDbGridQPL& grid, const QString& table, const QString& tail = QString());
// What the user is told when a row to delete was changed by another workstation.
extern const QString ChangedBeforeDeleteMessage;

// The column of a list's rows that holds each row's version as loaded.
extern const QString RowVersionField;
// Adds the version of each row to a list's select (its lines) of `table`,
// one row per row of "from table a" with its key a.jedin; false, the select
// left as it is, for any other (a grouping, distinct rows, another table).
bool AddRowVersion(QStringList& select, const QString& table);

// Runs `work` on a query of a snapshot transaction of its own and commits;
// on an error rolls back and hands it to the database-error handler,
// returning false when the handler reported it and raising it again when
// not. True when committed.
bool RunInOwnTransaction(const std::function<void(TIBQuery&)>& work);
// RunInOwnTransaction of one statement with the bound values.
bool ExecSQLInOwnTransaction(const QString& sql, const QVariantMap& params = {});

// Keeps the only-marked button consistent with the grid: pressed with no
// marked row it says "Nie je označený žiadny záznam!" and is released; its
// picture is 8 while down and 7 while up.
void CheckShowMarkedButton(const TDbGridQPL& grid, TToolButton& button);

// Switches the hints of a tool bar drawing from the main window's il32 or
// il16 on and gives every button with a blank hint the standard hint of its
// picture; other tool bars are left alone.
void SetDefaultToolbarHints(TToolBar& toolBar);
// The standard hint of a picture of il32 (large) or il16; empty when none.
QString DefaultToolbarHint(bool large, int imageIndex);

// Stores the grid's selection under the print's tag for this connection: the
// marked rows the list shows, else every row (allRows) or the current row.
// The tag's earlier rows of this connection are deleted first.
void TempSpracujStoreGrid(TDbGridQPL& grid, const QString& tag, bool allRows);
// Deletes this connection's rows of the tag; false when a handled error stopped it.
bool TempSpracujClear(const QString& tag);
// Adds one key under the tag for this connection; false on a handled error.
bool TempSpracujAdd(int key, const QString& tag);

// Puts the category " Organizacia" and its eleven variables from Organizacia
// into the report's dictionary, each value a text constant of the report
// language (quotes doubled).
void AddOrganizaciaVariables(IPrintForm& report);
void SetOrganizaciaVariable(IPrintForm& report, const QString& name, const QString& value);

// The receipts of the permit registers over the set the caller stored: the
// guest-permit payment ("74FBA026-8F7F-4A58", "POV_Host.rpf") and the
// base-permit payment with its items ("FB1E244F-A9DE-4FD8", "POV_Zakl.rpf").
// An empty set prints an empty receipt.
void PrintHostPermitPayment();
void PrintBasicPermitPayment();
