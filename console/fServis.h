#pragma once
#include "core/ui/Form.h"
#include <QtCore/QStringList>
#include <QtWidgets/QGroupBox>
#include <functional>

class EIBError;
class QRadioButton;
class QStatusBar;
class QTabWidget;
class TCodeMemo;
class TCodeSQLHighlighter;
class TDbGridQPL;
class TIBCheckBox;
class TIBCurrencyEdit;
class TIBDatabase;
class TIBMemo;
class TIBQuery;
class TIBServices;
class TIBTransaction;
class TQPLBtn;
class TToolBar;
class TToolButton;
class TUxFormPlacement;
class TUxMemoryData;
class TZvetsovaciPanel;

// A page's " Používaný sieťový protokol: " group: "Local connection" or
// "TCP/IP connection", side by side.
class TProtocolGroup : public QGroupBox {
public:
  explicit TProtocolGroup(QWidget* parent = nullptr);
  bool LocalConnection() const;
  void SetLocalConnection(bool local);

  QRadioButton *rbLocal, *rbTcp;
};

// The administrator's window for database maintenance on the program's
// connection: the maintenance tasks with their running log (generator check
// and reset, index selectivity, record counts, purge of the selection sets),
// the server's statistics, the database's information block, and write mode,
// sweep interval, page buffers and validation through the server's services.
// The page "SQL editor" is the SQL console: one statement typed into the
// editor runs on the form's query and transaction, the rows of a select show
// in the result grid, and the list of the database's tables beside it runs
// "select * from" a table on a double click.
class TfrmServis : public TForm {
  Q_OBJECT
public:
  // Works on the given connection (the main window's when null).
  explicit TfrmServis(QWidget* owner = nullptr, TIBDatabase* database = nullptr);
  ~TfrmServis() override;

  void btnGoClick();
  void pc1Change();
  void btnStatistikaClick();
  void btnWriteModeClick();
  void btnSweepIntervalClick();
  void QPLBtn2Click();
  void btnValidateClick();

  // The maintenance tasks, each logged into lb1.
  void Kontrola_Generatorov();
  void Generator_Set(const QString& generator, const QString& table);
  void Set_Statistics();
  void Pocet_Zaznamov();
  void Vymazanie_Docasnych_Tabuliek();
  // Appends one line to the log and lets the window repaint.
  void AddText(const QString& text);

  // Runs a server service; an error it raises is shown as a database error in
  // Slovak and logged in lb1, never left to the unhandled-error dialog.
  // True when the service ran through.
  bool RunGuarded(const std::function<void()>& service);
  static const QString NothingTickedMessage;

  // The information block appended to e41 on each visit of its page.
  QStringList InformationBlock() const;
  // The server a service addresses: the embedded engine for a local file;
  // for a server, its host and port from the connection string ("TCP/IP
  // connection"), or this computer at the same port ("Local connection").
  static QString ServiceServer(bool localConnection, const QString& connectionName);
  // True when the validation service's output reports something found.
  static bool ValidationFoundErrors(const QStringList& output);

  // The SQL console: runs the editor's whole text as one statement; enables
  // the execute button for a text that is not blank; reloads the table list;
  // shows the rows of the table list's current table.
  void btnExecSQLClick();
  void e21Change();
  void e24Click();
  void gr23DblClick();

  // A table's name as the console writes it: as it stands when it is a plain
  // upper-case identifier, quoted otherwise.
  static QString TableReference(const QString& name);

  // Opens the connection again after a service that needed it closed; the
  // default is ReopenConnection.
  std::function<void()> Reconnect;

  QTabWidget* pc1;
  QWidget *ts1, *ts2, *ts3, *ts4, *ts5;
  TIBMemo *lb1, *e31, *e41;
  TIBCheckBox *e1, *e2, *e3, *e4;
  TQPLBtn* btnGo;
  TProtocolGroup *rgProtokol, *rgProtokol2;
  TQPLBtn* btnStatistika;
  QRadioButton *rbWriteAsync, *rbWriteSync;
  TQPLBtn* btnWriteMode;
  TIBCurrencyEdit *eSweepInterval, *eBuffers;
  TQPLBtn *btnSweepInterval, *QPLBtn2;
  TIBCheckBox *e51, *e52, *e53, *e54, *e55;
  TQPLBtn* btnValidate;
  TToolBar* tb;
  TToolButton* btnExecSQL;
  QWidget* pTablesList;
  TIBCheckBox *e24, *e25;
  TDbGridQPL *gr23, *gr22;
  TUxMemoryData* md23;
  TZvetsovaciPanel* ZvetsovaciPanel1;
  TCodeMemo* e21;
  TCodeSQLHighlighter* CodeSQLHighlighter1;
  QStatusBar* sb23;
  TIBTransaction* ibt1;
  TIBQuery* ib1;
  TUxFormPlacement* fp;

protected:
  void FormCloseQuery(bool& canClose) override;
  bool FormKeyDown(QKeyEvent* event) override;

private:
  void CreatePages();
  QWidget* CreateTasksPage();
  QWidget* CreateStatisticsPage();
  QWidget* CreateSettingsPage();
  QWidget* CreateSqlConsolePage();
  TCodeMemo* CreateSqlEditor(QWidget* parent);
  void FormCreate();
  void FormDestroy();

  // Number of attachments to the database, this one included.
  int AttachedUsers() const;
  // Runs a task that needs the database alone, or shows the warning instead.
  void RunExclusiveTask(void (TfrmServis::*task)(), const QString& warning);
  // Runs one guarded step: a fresh transaction, the work, commit; a database
  // error is rolled back and reported, and the task goes on when it was.
  bool Guarded(const std::function<void()>& work);
  void BeginTask(const QString& title);
  // The buttons that share the form's query and transaction with a run.
  void SetOtherActionsEnabled(bool on);

  // A server service with the login of the connection, addressed as the
  // page's protocol group says; `database` receives the file the server reports.
  TIBServices Services(const TProtocolGroup* protocol, QString& database) const;
  // Runs a service that needs the database alone: refused with a message
  // while other users are attached (false), otherwise run with this
  // program's connection closed and opened again afterwards.
  bool RunWithConnectionClosed(const std::function<void()>& service);
  void SetProperty(const std::function<void(TIBServices&, const QString& database)>& change, bool exclusive);

  // The SQL console's text kept in the placement store.
  void RestoreSqlCommand();
  void StoreSqlCommand();
  // Binds the result grid to the form's query, or unbinds it.
  void BindResultGrid(bool bound);
  // One column for each field of the query's result.
  void ShowResultColumns();
  // The statement the administrator typed was refused: the server's (or the
  // database layer's) message goes to the status line and to a message.
  void ReportRefusedStatement(const EIBError& error);
  // The key handler of both grids: F4 puts the focus into the console.
  void gr22KeyDown(int& key, Qt::KeyboardModifiers modifiers);

  TIBDatabase* database_;
};
