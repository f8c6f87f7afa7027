#pragma once
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <functional>

namespace Firebird {
class IAttachment;
}
class TIBTransaction;

// Asks for the user name and password of a connection (the database's name
// shown); false when the user cancelled. Installed by the window side.
using TIBLoginHandler = std::function<bool(const QString& databaseName, QString& userName, QString& password)>;

// A connection to one Firebird database in SQL dialect 3 with the character
// set WIN1250. A bare path opens the file through the embedded engine in this
// process; "host:path" (or "host/port:path") goes to a server.
class TIBDatabase : public QObject {
  Q_OBJECT
public:
  explicit TIBDatabase(QObject* parent = nullptr);
  ~TIBDatabase() override;

  QString DatabaseName() const { return databaseName_; }
  void SetDatabaseName(const QString& name);
  QString UserName() const { return userName_; }
  void SetUserName(const QString& name) { userName_ = name; }
  QString Password() const { return password_; }
  void SetPassword(const QString& password) { password_ = password; }

  // Parameter lines "name=value" handed over when connecting: user_name,
  // password and sql_role_name (also with the prefix "isc_dpb_", names
  // without regard to case) override the user name and password above;
  // lc_ctype is accepted and left unapplied, since the layer converts all text
  // through code page 1250 and the connection always speaks WIN1250. Another
  // name fails the connect with EIBError naming the line.
  const QStringList& Params() const { return params_; }
  void SetParams(const QStringList& lines) { params_ = lines; }
  // With LoginPrompt on, Open asks the login handler for the user name and
  // password first (when one is installed); a cancel fails with EIBError.
  bool LoginPrompt() const { return loginPrompt_; }
  void SetLoginPrompt(bool on) { loginPrompt_ = on; }
  static void SetLoginHandler(TIBLoginHandler handler);

  // The transaction of data sets on this connection that have none of their own.
  TIBTransaction* DefaultTransaction() const;
  void SetDefaultTransaction(TIBTransaction* transaction);

  // Connects; throws EIBInterBaseError with the server's code on failure
  // (e.g. 335544344 for a missing file, 335544472 for a refused login).
  void Open();
  // Rolls back the transactions still active on this connection and disconnects.
  void Close();
  bool Connected() const { return attachment_ != nullptr; }

  // Creates a new database file (WIN1250 default character set, dialect 3,
  // `pageSize` bytes per page) and stays connected to it.
  void CreateDatabase(int pageSize = 8192);

  // True when the name has a server part ("host:path"); false for a local file.
  static bool IsRemoteName(const QString& name);

  // The server part of the name as written ("host", "host/port",
  // "inet://host:port") and the file path on that server; the server part is
  // empty for a local file (TConnectionString).
  QString SiteName() const;
  QString FileName() const;

  // The server's connection number of this attachment (CURRENT_CONNECTION).
  qint64 ConnectionId() const;
  // The user names of all attachments to the database, one entry per attachment.
  QStringList UserNames() const;
  int AttachmentCount() const { return int(UserNames().size()); }
  int PageSize() const;
  // On-disk structure version, e.g. 12.0.
  int OdsVersion() const;
  int OdsMinorVersion() const;
  // The server's version text, e.g. "LI-V3.0.11.33637 Firebird 3.0".
  QString ServerVersion() const;
  // Adds `step` to the generator (0 reads it) and returns the new value;
  // runs in a transaction of its own.
  qint64 GeneratorValue(const QString& generatorName, qint64 step = 0);

  // For the other classes of db/: the open attachment; throws EIBError when closed.
  Firebird::IAttachment* Attachment() const;

signals:
  // Sent before disconnecting so that transactions and queries can end.
  void BeforeDisconnect();

private:
  struct TLogin {
    QString UserName, Password, Role;
  };
  Firebird::IAttachment* Connect(bool create, int pageSize);
  // The user name, password and role the parameter lines and the login prompt give.
  TLogin LoginValues() const;

  QString databaseName_;
  QString userName_ = QStringLiteral("SYSDBA");
  QString password_;
  QStringList params_;
  bool loginPrompt_ = false;
  QPointer<TIBTransaction> defaultTransaction_;
  Firebird::IAttachment* attachment_ = nullptr;
};
