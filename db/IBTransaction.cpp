#include "db/IBTransaction.h"
#include "db/FbClient.h"
#include "db/IBDatabase.h"
#include <ibase.h>

using namespace FbClient;

namespace {

struct TParamWord {
  const char* Word;
  unsigned char Tag;
};

constexpr TParamWord paramWords[] = {
    {"concurrency", isc_tpb_concurrency},
    {"consistency", isc_tpb_consistency},
    {"read_committed", isc_tpb_read_committed},
    {"rec_version", isc_tpb_rec_version},
    {"no_rec_version", isc_tpb_no_rec_version},
    {"wait", isc_tpb_wait},
    {"nowait", isc_tpb_nowait},
    {"read", isc_tpb_read},
    {"write", isc_tpb_write},
};

int TagOf(const QString& word) {
  for (const TParamWord& entry : paramWords)
    if (word == QLatin1String(entry.Word)) return entry.Tag;
  return -1;
}

} // namespace

TIBTransaction::TIBTransaction(TIBDatabase* database, TIBTransactionKind kind, QObject* parent)
    : QObject(parent), params_(ParamsOf(kind)) {
  SetDatabase(database);
}

TIBTransaction::~TIBTransaction() {
  try {
    if (InTransaction()) Rollback();
  } catch (const Exception&) {
    // A destructor cannot report; the server rolls back a lost transaction itself.
  }
}

void TIBTransaction::SetDatabase(TIBDatabase* database) {
  if (InTransaction()) throw EIBError(QStringLiteral("Databázu nie je možné zmeniť počas aktívnej transakcie."));
  if (database_) disconnect(database_, nullptr, this, nullptr);
  database_ = database;
  if (database_) connect(database_, &TIBDatabase::BeforeDisconnect, this, &TIBTransaction::DatabaseClosing);
}

QStringList TIBTransaction::ParamsOf(TIBTransactionKind kind) {
  switch (kind) {
  case TIBTransactionKind::ReadCommitted:
    return {QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")};
  case TIBTransactionKind::ReadOnlyReadCommitted:
    return {QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait"),
            QStringLiteral("read")};
  case TIBTransactionKind::Snapshot:
    break;
  }
  return {};
}

void TIBTransaction::SetParams(const QStringList& params) {
  for (const QString& word : params)
    if (TagOf(word) < 0) throw EIBError(QStringLiteral("Neznámy parameter transakcie: \"%1\".").arg(word));
  params_ = params;
}

void TIBTransaction::SetKind(TIBTransactionKind kind) { params_ = ParamsOf(kind); }

void TIBTransaction::StartTransaction() {
  if (InTransaction()) throw EIBError(QStringLiteral("Transakcia je už aktívna."));
  if (!database_) throw EIBError(QStringLiteral("Transakcia nemá databázu."));
  Firebird::IAttachment* attachment = database_->Attachment();
  TBlock tpb(Firebird::IXpbBuilder::TPB);
  for (const QString& word : params_)
    tpb.Tag(static_cast<unsigned char>(TagOf(word)));
  TStatus status;
  Firebird::ITransaction* transaction = params_.isEmpty()
                                            ? attachment->startTransaction(&status, 0, nullptr)
                                            : attachment->startTransaction(&status, tpb.Length(), tpb.Buffer());
  status.Check();
  transaction_ = transaction;
}

void TIBTransaction::RequireActive(const char* operation) const {
  if (!InTransaction()) throw EIBError(QStringLiteral("%1: transakcia nie je aktívna.").arg(QLatin1String(operation)));
}

Firebird::ITransaction* TIBTransaction::Handle() const {
  RequireActive("Príkaz");
  return transaction_;
}

void TIBTransaction::Commit() {
  RequireActive("Commit");
  TStatus status;
  transaction_->commit(&status);
  status.Check(); // on failure the transaction stays active so the caller can roll back
  transaction_ = nullptr;
}

void TIBTransaction::Rollback() {
  RequireActive("Rollback");
  TStatus status;
  transaction_->rollback(&status);
  if (status.Failed()) {
    // A failed rollback (e.g. a lost connection) leaves nothing to retry with.
    transaction_->release();
    transaction_ = nullptr;
    status.Check();
  }
  transaction_ = nullptr;
}

void TIBTransaction::CommitRetaining() {
  RequireActive("CommitRetaining");
  TStatus status;
  transaction_->commitRetaining(&status);
  status.Check();
}

void TIBTransaction::RollbackRetaining() {
  RequireActive("RollbackRetaining");
  TStatus status;
  transaction_->rollbackRetaining(&status);
  status.Check();
}

void TIBTransaction::DatabaseClosing() {
  if (!InTransaction()) return;
  try {
    Rollback();
  } catch (const Exception&) {
    // The connection ends anyway; its uncommitted work is undone by the server.
  }
}
