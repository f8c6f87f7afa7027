#pragma once
#include "app/BackgroundOpen.h"
#include "core/ui/Form.h"
#include <QtCore/QHash>
#include <QtCore/QVariant>
#include <exception>

class QLabel;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;
class TIBDatabase;
class TIBQuery;
class TIBTransaction;
class TIBCurrencyEdit;
class TImageList;
struct TNavigationEntry;

// The main window: owner of the one database connection, the settings-file
// login and the checks after connecting (schema version and upgrade, server
// function library, selection-set purge, settings table), the four pages of
// buttons that open the registers, and the working year.
// How the window begins: Connecting reads the settings file and starts the
// attach on a worker thread before the pages are built, so that both go on
// at once; FormCreate then waits for it. Idle leaves all of it to FormCreate.
enum class TMainStart { Idle, Connecting };

class TfrmMain : public TForm {
  Q_OBJECT
public:
  explicit TfrmMain(QWidget* parent = nullptr, TMainStart start = TMainStart::Idle);
  ~TfrmMain() override;

  // Reads the settings file, sets the working year and connects; a connection
  // that cannot be opened is reported and the program asked to end.
  void FormCreate();

  // Fills the connection's database name, user and password from the settings
  // file, writing the defaults of missing values back to it.
  void IBDLogin();
  // Version check and upgrade, function-library check, selection-set purge
  // and the settings table, stopping as soon as termination is requested.
  void IBDAfterConnect();
  // The database's schema version: max(VERSION) of DATABASE_UPDATES, 0 on any failure.
  int ZistiVerziu();
  // Requires the server function library at version 1.4 or later (message 3020).
  void Kontrola_Kalim_UDF();

  // Readers of the settings table NASTAVENIA inside the caller's transaction;
  // an absent key gives empty, false, 0 or Null.
  QString NastaveniaStringRead(const QString& key);
  bool NastaveniaBooleanRead(const QString& key);
  double NastaveniaExtendedRead(const QString& key);
  QVariant NastaveniaVariantRead(const QString& key);

  // The page button of the given component name, or nullptr.
  QPushButton* Button(const QString& name) const;
  // Opens what a page button opens: hides this window (except for the
  // information window), runs the form modally with the working year or mode,
  // frees it and shows this window again.
  void OpenNavigationEntry(const TNavigationEntry& entry);

  void eRokChange();
  void btnRokMinusClick();
  void btnRokPlusClick();

  // Components other forms and tests reach.
  TIBDatabase* IBD;
  TIBTransaction* IBDT;
  TIBQuery* ibs;
  TImageList* il16;
  TImageList* il32;
  TImageList* ilFishes;
  QTabWidget* pc1;
  QWidget* tsEvidencie;
  QWidget* tsCiselniky;
  QWidget* tsPrehlady;
  QWidget* tsSluzby;
  QLabel* UxHotLinkApplicationName;
  QLabel* UxHotLinkWeb;
  QLabel* UxHotLinkeMail;
  QLabel* lblRok;
  QToolButton* btnRokMinus;
  TIBCurrencyEdit* eRok;
  QToolButton* btnRokPlus;

signals:
  // The window has closed; the program ends.
  void Closed();

protected:
  // The schema version the program supports.
  virtual int SupportedVersion() const;
  // Shows the upgrade form modally.
  virtual void ShowUpgradeForm();
  // Whether Shift is held right now (the close-to-minimise rule).
  virtual bool ShiftHeld() const;

  bool FormKeyDown(QKeyEvent* event) override;
  void FormCloseQuery(bool& canClose) override;
  void FormClose(TCloseAction& action) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void BuildHeader();
  void BuildYearPanel();
  void BuildPages();
  void ReadShiftForClose();
  // The settings file's ShiftForClose and login, and the attach started.
  void BeginConnect();
  // Waits for the attach; reports a failure or runs the checks after connecting.
  void FinishConnect();
  bool CheckVersion();
  void PurgeAndReadSettings();
  QVariant ReadSetting(const QString& column, const QString& key);

  QHash<QString, QPushButton*> buttons_;
  TBackgroundOpen opening_;
  // Errors of the settings file and of the login, raised or told where
  // FormCreate would have met them.
  std::exception_ptr settingsError_, loginError_;
  bool connectBegun_ = false;
};

// The main window of the run; null before it is created.
extern TfrmMain* frmMain;

// What the user is told when the database named in the settings cannot be
// opened: the database, the reason in the program's words (never the
// server's own text) and that the program goes on without it.
QString ConnectionFailureText(const QString& database, const std::exception& error);
