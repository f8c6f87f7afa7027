#pragma once
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QSize>
#include <QtCore/QString>
#include <functional>

class QKeyEvent;
class QWidget;
class TForm;
class TIBQuery;
class TIBTransaction;
class TQPLBtn;
class TUxFormPlacement;
enum class TCloseAction;

// The behaviour of every register's add/edit dialog, written once. A dialog
// derives from TDialogForm (DialogForm.h), which keeps its public `Jedin` and
// its TDialogPattern `dlg` and hands the form's hooks here; the dialog keeps
// its data-entry controls and says how it clears, loads and saves its row:
//
//   class TfrmCClenenieClenovPridaj : public TDialogForm {
//   public:
//     explicit TfrmCClenenieClenovPridaj(QWidget* owner) : TDialogForm(owner) {
//       ... eDBNazov (required, unique) ...
//       dlg.AddCaption = QStringLiteral("Pridanie členenia členov");
//       dlg.EditCaption = QStringLiteral("Oprava členenia členov");
//       dlg.Generator = QStringLiteral("c_clenenie_clenov_id");
//       dlg.ClearAll = [this] { eDBNazov->clear(); };
//       dlg.LoadSql = QStringLiteral("select nazov\nfrom c_clenenie_clenov where jedin=:JEDIN");
//       dlg.Load = [this](TIBQuery& q) { eDBNazov->setText(q.FieldByName("NAZOV").AsString()); };
//       dlg.Save = [this](TIBQuery& q, bool adding) { q.SetSQL(adding ? insert : update);
//                                                     q.ParamByName("NAZOV").SetValue(eDBNazov->text()); };
//       dlg.FormCreate(layoutOfControls, QSize(305, 61));
//     }
//   };
//
// The pattern builds the buttons btnDalsi ("Ď&alší", save and continue,
// result 4), btnZapis (" &OK", result 1) and btnNezapis ("&Nezapíš",
// cancel), the dialog's transaction `ibt1`, query `ib1` and placement `fp`.
// It loads the row in edit mode (message 1012 and result 2 when it is gone),
// inserts and deletes the placeholder row of registers that have one, runs
// the required checks before a save, takes the new key from the generator,
// and keeps the dialog open with the user's entries after any database error.
// Uniqueness tests leave out the edited row, and no row for a new one.
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

  // What the register supplies.
  QString AddCaption, EditCaption;
  // The generator of new keys ("c_clenenie_clenov_id").
  QString Generator;
  // Sets every control to its add-mode default.
  std::function<void()> ClearAll;
  // The select of the dialog's columns "where jedin=:JEDIN", and how the
  // controls take the columns of its row.
  QString LoadSql;
  std::function<void(TIBQuery&)> Load;
  // Sets the insert (adding) or update statement and its values; JEDIN is bound by the pattern.
  std::function<void(TIBQuery&, bool adding)> Save;
  // Registers whose row exists while the dialog is open in add mode: the
  // insert of the key and its starting values (":JEDIN"), and the delete.
  QString PlaceholderInsert;
  QString PlaceholderDelete;
  // Run after the placeholder insert, in its transaction (reading back the
  // yearly number the insert took, for example).
  std::function<void(TIBQuery&)> PlaceholderMade;
  // Told about a database error of a save that the handler reported (its
  // result); the dialog stays open.
  std::function<void(int handled)> SaveFailed;
  // The register's own rules between entries, checked after the controls'
  // checks; false stops the save (it has told the user and set the focus).
  std::function<bool()> CheckEntries;

  // Lays out the controls above the row of buttons and fixes the client size.
  void FormCreate(QWidget* controls, QSize clientSize);
  int Jedin() const { return jedin_; }
  void SetJedin(int key) { jedin_ = key; }
  // Before each pass of the list's add or edit loop: ClearAll and key 0.
  void ClearForPass();
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
  void LoadRow();
  void InsertPlaceholder();
  void SetUniqueKeys();
  void FocusFirstControl();

  TForm& form_;
  int& jedin_;
  QList<QPointer<QWidget>> tabOrder_;
  bool saved_ = false;
  bool placeholderMade_ = false;
};
