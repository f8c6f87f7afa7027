#pragma once
#include "core/ui/Form.h"
#include <QtCore/QStringList>
#include <functional>

class QPlainTextEdit;
class TIBDatabase;
class TIBEdit;
class TIBServices;
class TQPLBtn;
class TUxFormPlacement;

// True when the service's verbose output reports an error.
bool ServiceOutputFailed(const QStringList& lines);
// Opens a connection again after a service had it closed; the main
// connection then runs its after-connect checks.
void ReopenConnection(TIBDatabase& database);

// Backs the program's database up into a file of the backup folder, or
// restores it from such a file, through the server's services, showing the
// service's output line by line. The connection is closed while a service
// runs and opened again afterwards, whatever the outcome. A backup or
// restore is reported successful only when the service ran through without
// an error in its output. A backup is written under its name with
// UnfinishedSuffix and renamed only once complete; the leftover of an
// interrupted one is removed, the user told, when the form opens or the next
// backup starts. A restore refuses such a file, asks first, refuses while
// other users are connected, and on a local file replaces the database only
// once the restored copy is complete.
class TfrmZalohovanie : public TForm {
  Q_OBJECT
public:
  // The default file name offered when none is stored.
  static const QString DefaultFileName;
  // Ends the name of a backup file while it is being written.
  static const QString UnfinishedSuffix;

  // Works on the given connection (the main window's when null).
  explicit TfrmZalohovanie(QWidget* owner = nullptr, TIBDatabase* database = nullptr);
  ~TfrmZalohovanie() override;

  // The folder text, one separator and the file name text.
  QString FullBackupFileName() const;

  void FormCreate();
  void btnZalohujClick();
  void btnObnovClick();

  // Opens the connection again after a service; the default is ReopenConnection.
  std::function<void()> Reconnect;

  TIBEdit *eAdresar, *eSubor;
  QPlainTextEdit* mPriebeh;
  TQPLBtn *btnZalohuj, *btnObnov;
  TUxFormPlacement* fp;

protected:
  void FormClose(TCloseAction& action) override;
  bool FormKeyDown(QKeyEvent* event) override;

private:
  // Runs one service with the connection closed and reports its outcome;
  // true when it succeeded.
  bool RunService(TQPLBtn* button, const std::function<void(TIBServices&, const QString& database)>& service);
  bool EnsureBackupFolder();
  QString UnfinishedFileName() const;
  // Removes the leftover of an interrupted backup to the chosen file and says so.
  void RemoveUnfinishedBackup();
  void AppendLine(const QString& line);

  TIBDatabase* database_;
  QStringList output_;
};
