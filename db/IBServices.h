#pragma once
#include <QtCore/QString>
#include <functional>

namespace Firebird {
class IService;
}

// Options of the backup service.
enum TIBBackupOption { boIgnoreChecksums = 0x01, boIgnoreLimbo = 0x02 };
// Options of the restore service.
enum TIBRestoreOption { roReplace = 0x1000, roCreate = 0x2000 };
// Options of the validation (repair) service.
enum TIBValidateOption {
  voValidateDB = 0x01,
  voSweepDB = 0x02,
  voMendDB = 0x04,
  voCheckDB = 0x10,
  voIgnoreChecksum = 0x20,
  voKillShadows = 0x40,
  voValidateFull = 0x80,
};
// Options of the statistics service; none gives the default report.
enum TIBStatisticsOption { soDataPages = 0x01, soHeaderPages = 0x04, soIndexPages = 0x08, soSystemRelations = 0x10 };

// The server's service manager: backup, restore, statistics, validation and
// database properties. The server name is the server part of a connection
// string ("host", "host/port", "[::1]/port", "inet://host:port"; see
// TConnectionString), so the service manager is reached where the database
// is; an empty server name uses the embedded engine of this process. Each
// call attaches, runs the service to its end, passing each line of its output
// to the line handler, and detaches; a failure of the service throws
// EIBInterBaseError. Either way the call returns only once the service has
// finished and let go of the database, so the caller may reconnect to it or
// move its file at once.
class TIBServices {
public:
  using TLineHandler = std::function<void(const QString& line)>;

  TIBServices() = default;
  void SetServerName(const QString& server) { server_ = server; }
  // The server of a database name (empty for a local file).
  void SetServerOf(const QString& databaseName);
  const QString& ServerName() const { return server_; }
  void SetUserName(const QString& name) { userName_ = name; }
  void SetPassword(const QString& password) { password_ = password; }
  void SetLineHandler(TLineHandler handler) { onLine_ = std::move(handler); }

  void Backup(const QString& database, const QString& backupFile, int options = boIgnoreChecksums | boIgnoreLimbo,
              bool verbose = true);
  void Restore(const QString& backupFile, const QString& database, int options = roReplace | roCreate,
               int pageSize = 8192, bool verbose = true);
  void Statistics(const QString& database, int options = 0);
  void Validate(const QString& database, int options);
  void SetWriteMode(const QString& database, bool synchronous);
  void SetSweepInterval(const QString& database, int transactions);
  void SetPageBuffers(const QString& database, int pages);

private:
  // Runs the start block of one action to its end.
  void Run(const QByteArray& startBlock);

  QString server_;
  QString userName_ = QStringLiteral("SYSDBA");
  QString password_;
  TLineHandler onLine_;
};
