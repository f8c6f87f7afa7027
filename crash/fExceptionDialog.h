#pragma once
#include "app/SysInfo.h"
#include "core/ui/Form.h"
#include <QtCore/QFile>
#include <QtCore/QPointer>
#include <QtCore/QStringList>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

class QFrame;
class QLabel;
class QPlainTextEdit;
class TQPLBtn;
class TRtStackInfoList;
class TUxFormPlacement;

// The crash log beside the program: each report is one entry, and the file
// is closed between reports.
class TSimpleExceptionLog {
public:
  // The default name when none is given.
  explicit TSimpleExceptionLog(const QString& fileName = QString());
  ~TSimpleExceptionLog() { CloseLog(); }

  // "<program folder>/<program>_Err.log", or that name in the user's
  // application-data folder when the program folder cannot be written.
  static QString DefaultLogFileName();
  const QString& LogFileName() const { return fileName_; }

  // Opens for appending, creating the file; a file that cannot be opened
  // stays closed. LogWasEmpty tells whether it was empty when opened.
  void OpenLog();
  void CloseLog() { file_.close(); }
  bool IsLogOpen() const { return file_.isOpen(); }
  bool LogWasEmpty() const { return logWasEmpty_; }
  // Each line of the text, after `indent` blanks (none on an empty line),
  // without trailing blanks and control characters, ended by CR LF.
  void WriteLogText(const QString& text, int indent);
  // An empty line unless the log was empty, a line of "=", the date line
  // "= <date> =", a line of "=" (width 0 means 100, at least 20).
  void WriteLogBanner(int width);

private:
  QString fileName_;
  QFile file_;
  bool logWasEmpty_ = false;
};

// One line group of the modules section.
struct TCrashModule {
  quintptr Base = 0;
  QString FileName;
  std::optional<quintptr> PreferredBase; // a fixed link address, when the module has one
  bool HasVersionInfo = false;
  QString FixedVersion, FileVersion, FileDescription;
};
// "[base] file", then the prefix and the version text, then the description.
QStringList ModuleLines(const TCrashModule& module);

// The modules of a memory map (/proc/<pid>/maps): the files with an
// executable mapping, each with its lowest mapped address.
QList<TModuleEntry> CodeModulesOfMaps(const QString& mapsText);
// This process's modules; none when its map cannot be read.
std::optional<QList<TModuleEntry>> ProcessCodeModules();

// The exception's message as the dialog shows it: "." appended unless it ends
// with one, line breaks as CR LF.
QString CrashMessageText(const QString& message);

// The crash dialog: the message, the details (exception, the stack recorded
// at the raise, the system, the modules, the active controls), written to
// the crash log, copied with Ctrl+C and sent to the mail client.
class TExceptionDialog : public TForm {
  Q_OBJECT
public:
  explicit TExceptionDialog(QWidget* owner = nullptr);
  ~TExceptionDialog() override;

  // The form's Tag bits.
  static constexpr int kTagWriteLog = 1;
  static constexpr int kTagKeepScrollBar = 2;
  // Where the details start in the collapsed window.
  static constexpr int kBevelTop = 111;
  static constexpr int kDesignWidth = 492, kDesignHeight = 449;

  QPlainTextEdit* TextLabel;
  QLabel* Label1;
  QFrame* Bevel1;
  QPlainTextEdit* DetailsMemo;
  TQPLBtn *OkBtn, *btnSend, *DetailsBtn;
  TUxFormPlacement* fp;

  bool DetailsShown = false;
  bool RaisedInMainThread = true;
  QPointer<QWidget> FocusedControl;
  int CompactHeight = 0;
  int ExpandedClientHeight = 0;
  std::unique_ptr<TSimpleExceptionLog> Log;

  virtual int SeparatorWidth() const { return 100; }
  virtual QChar SeparatorChar() const { return QLatin1Char('-'); }

  // The message (normalised by CrashMessageText).
  void SetMessage(const QString& message);
  const QString& MessageText() const { return message_; }
  void AddDetailLine(const QString& line);
  void AddSeparatorLine();
  const QStringList& DetailLines() const { return details_; }
  // The stack list shown, and the modules listed (the process's own unless set).
  void SetStackList(std::unique_ptr<TRtStackInfoList> list);
  std::function<std::optional<QList<TModuleEntry>>()> ModuleSource;

  enum TDetailSection { dsStack = 1, dsSystem = 2, dsModules = 4, dsActiveControls = 8 };
  void AddDetailSections(int sections);
  // The message with CR LF, CR LF, then the details.
  QString ReportText() const;
  void CopyReport();
  void SetDetailsShown(bool shown);
  void DetailsBtnClick();
  void btnSendClick();
  void BuildDetails();
  void LogReport();
  void AdjustMessageScrollBar();

protected:
  virtual void BeforeDetails() {}
  virtual void AfterDetails() {}
  virtual void AddAllDetails() { AddDetailSections(dsStack | dsSystem | dsModules | dsActiveControls); }
  void FormShow() override;
  bool FormKeyDown(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void AddStackSection();
  void AddSystemSection();
  void AddModulesSection();
  void AddActiveControlsSection();
  void PlaceControls();

  QString message_;
  QStringList details_;
  std::unique_ptr<TRtStackInfoList> stackList_;
};

// The settings-file keys of the crash reports' recipient.
inline constexpr char kSupportAddressKey[] = "CrashReportAddress";
inline constexpr char kSupportNameKey[] = "CrashReportName";

// Installs the raise tracking and makes the crash dialog the application's
// exception handler (before the main window exists); RemoveCrashHandlers
// undoes it.
void InstallCrashHandlers();
void RemoveCrashHandlers();
// The application's exception handler: the crash dialog, or the plain error
// dialog while a report is showing.
void HandleAppException(std::exception_ptr exception);
bool ReportShowing();
// Shows one report of the exception with the stack recorded at its raise.
void ShowCrashReport(std::exception_ptr exception);
// Crash-report mode: shows the report of a fault of an earlier run from its
// file, logs it, and removes the file. Returns the exit code.
int RunCrashReport(const QString& faultReportFile);
// Called with each dialog once its details are built (tests and walkthroughs).
void SetCrashDialogShownHook(std::function<void(TExceptionDialog&)> hook);
