#pragma once
#include "db/IBDatabase.h"
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QStringList>

namespace Firebird {
class ITransaction;
}

// The parameter sets the program's transactions use.
enum class TIBTransactionKind {
  // The server's defaults: snapshot (concurrency), read-write, wait.
  Snapshot,
  // "read_committed", "rec_version", "nowait": sees committed changes at once,
  // fails at once on a locked row.
  ReadCommitted,
  // ReadCommitted plus "read": reads only.
  ReadOnlyReadCommitted,
};

// A transaction on one connection. The parameters are the lower-case words
// concurrency, consistency, read_committed, rec_version, no_rec_version,
// wait, nowait, read and write; no words means the server's defaults.
// Destroying or disconnecting an active transaction rolls it back.
class TIBTransaction : public QObject {
  Q_OBJECT
public:
  explicit TIBTransaction(TIBDatabase* database = nullptr, TIBTransactionKind kind = TIBTransactionKind::Snapshot,
                          QObject* parent = nullptr);
  ~TIBTransaction() override;

  TIBDatabase* Database() const { return database_; }
  void SetDatabase(TIBDatabase* database);
  const QStringList& Params() const { return params_; }
  // Throws EIBError naming an unknown word; the set applies from the next start.
  void SetParams(const QStringList& params);
  void SetKind(TIBTransactionKind kind);
  static QStringList ParamsOf(TIBTransactionKind kind);

  bool InTransaction() const { return transaction_ != nullptr; }
  // Throws EIBError when already active.
  void StartTransaction();
  void Commit();
  void Rollback();
  // Make the work durable (or undo it) and go on in the same transaction context.
  void CommitRetaining();
  void RollbackRetaining();

  // For the other classes of db/: the active transaction; throws EIBError when not active.
  Firebird::ITransaction* Handle() const;

private:
  void RequireActive(const char* operation) const;
  void DatabaseClosing();

  QPointer<TIBDatabase> database_;
  QStringList params_;
  Firebird::ITransaction* transaction_ = nullptr;
};
