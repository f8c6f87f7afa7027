#include "db/IBServices.h"
#include "core/CodePage1250.h"
#include "db/ConnectionString.h"
#include "db/FbClient.h"
#include <QtCore/QFile>
#include <QtCore/QThread>
#include <ibase.h>

using namespace FbClient;

namespace {

// How long a finished service may take to let go of the database.
constexpr int kServiceFinishMs = 30000, kServicePollMs = 10;

// The start block of a service action: the action code, then tagged values.
class TStartBlock {
public:
  explicit TStartBlock(unsigned char action) { bytes_.append(char(action)); }
  TStartBlock& String(unsigned char tag, const QByteArray& value) {
    if (value.size() > 0xFFFF) throw EIBError(QStringLiteral("Parameter služby je príliš dlhý."));
    bytes_.append(char(tag));
    bytes_.append(char(value.size() & 0xFF)).append(char(value.size() >> 8));
    bytes_.append(value);
    return *this;
  }
  TStartBlock& Int(unsigned char tag, quint32 value) {
    bytes_.append(char(tag));
    for (int i = 0; i < 4; ++i)
      bytes_.append(char((value >> (8 * i)) & 0xFF));
    return *this;
  }
  TStartBlock& Byte(unsigned char tag, unsigned char value) {
    bytes_.append(char(tag)).append(char(value));
    return *this;
  }
  TStartBlock& Tag(unsigned char tag) {
    bytes_.append(char(tag));
    return *this;
  }
  const QByteArray& Bytes() const { return bytes_; }

private:
  QByteArray bytes_;
};

QByteArray FileName(const QString& path) {
  if (path.trimmed().isEmpty()) throw EIBError(QStringLiteral("Nie je zadaný názov súboru."));
  return QFile::encodeName(path);
}

// Waits until the service's work has ended, so that its own attachment to the
// database is gone when the caller reconnects or renames files: the end of the
// output, or the error, comes before the service has let go of the database.
// The status of these queries carries the service's own error, which the
// output query has already reported; only the answer counts here.
void WaitUntilFinished(Firebird::IService* service) {
  const unsigned char request[] = {isc_info_svc_running};
  for (int waited = 0; waited < kServiceFinishMs; waited += kServicePollMs) {
    TStatus status;
    unsigned char answer[16] = {};
    service->query(&status, 0, nullptr, sizeof request, request, sizeof answer, answer);
    if (answer[0] != isc_info_svc_running || InfoInteger(QByteArrayView(answer + 1, 4)) == 0) return;
    QThread::msleep(kServicePollMs);
  }
}

} // namespace

void TIBServices::SetServerOf(const QString& databaseName) {
  server_ = TConnectionString::Parse(databaseName).Server();
}

void TIBServices::Run(const QByteArray& startBlock) {
  TBlock attach(Firebird::IXpbBuilder::SPB_ATTACH);
  attach.String(isc_spb_user_name, Cp1250::Encode(userName_));
  if (!password_.isEmpty()) attach.String(isc_spb_password, Cp1250::Encode(password_));
  // As for a connection: without a server the engine of this process serves.
  if (server_.isEmpty()) attach.String(isc_spb_config, QByteArrayLiteral("Providers=Engine12"));
  const QByteArray manager =
      server_.isEmpty() ? QByteArrayLiteral("service_mgr") : Cp1250::Encode(TConnectionString::ServiceManager(server_));
  TStatus status;
  const TKeepSignalHandlers keepSignalHandlers;
  TRef<Firebird::IProvider> provider(Master()->getDispatcher());
  TRef<Firebird::IService> service(
      provider->attachServiceManager(&status, manager.constData(), attach.Length(), attach.Buffer()));
  status.Check();
  auto detach = [&] {
    TStatus detachStatus;
    service->detach(&detachStatus);
    if (!detachStatus.Failed()) service.release(); // detach() released it
  };
  try {
    service->start(&status, unsigned(startBlock.size()),
                   reinterpret_cast<const unsigned char*>(startBlock.constData()));
    status.Check();
    const unsigned char request[] = {isc_info_svc_line};
    QByteArray answer(32000, '\0'); // the service protocol counts the buffer in 16 bits
    for (;;) {
      service->query(&status, 0, nullptr, sizeof request, request, unsigned(answer.size()),
                     reinterpret_cast<unsigned char*>(answer.data()));
      status.Check();
      if (static_cast<unsigned char>(answer[0]) != isc_info_svc_line)
        throw EIBError(QStringLiteral("Služba servera vrátila neočakávanú odpoveď."));
      const qsizetype length = InfoLength(answer, 1);
      if (length == 0) break; // the end of the output
      if (length > answer.size() - 3) throw EIBError(QStringLiteral("Odpoveď služby je neúplná."));
      if (onLine_) onLine_(QString::fromLocal8Bit(QByteArrayView(answer).sliced(3, length)));
    }
  } catch (...) {
    WaitUntilFinished(service.get());
    detach();
    throw;
  }
  WaitUntilFinished(service.get());
  service->detach(&status);
  status.Check();
  service.release();
}

void TIBServices::Backup(const QString& database, const QString& backupFile, int options, bool verbose) {
  TStartBlock block(isc_action_svc_backup);
  block.String(isc_spb_dbname, FileName(database)).String(isc_spb_bkp_file, FileName(backupFile));
  block.Int(isc_spb_options, quint32(options));
  if (verbose) block.Tag(isc_spb_verbose);
  Run(block.Bytes());
}

void TIBServices::Restore(const QString& backupFile, const QString& database, int options, int pageSize, bool verbose) {
  TStartBlock block(isc_action_svc_restore);
  block.String(isc_spb_bkp_file, FileName(backupFile)).String(isc_spb_dbname, FileName(database));
  block.Int(isc_spb_options, quint32(options));
  if (pageSize > 0) block.Int(isc_spb_res_page_size, quint32(pageSize));
  if (verbose) block.Tag(isc_spb_verbose);
  Run(block.Bytes());
}

void TIBServices::Statistics(const QString& database, int options) {
  TStartBlock block(isc_action_svc_db_stats);
  block.String(isc_spb_dbname, FileName(database)).Int(isc_spb_options, quint32(options));
  Run(block.Bytes());
}

void TIBServices::Validate(const QString& database, int options) {
  TStartBlock block(isc_action_svc_repair);
  block.String(isc_spb_dbname, FileName(database)).Int(isc_spb_options, quint32(options));
  Run(block.Bytes());
}

void TIBServices::SetWriteMode(const QString& database, bool synchronous) {
  TStartBlock block(isc_action_svc_properties);
  block.String(isc_spb_dbname, FileName(database));
  block.Byte(isc_spb_prp_write_mode, synchronous ? isc_spb_prp_wm_sync : isc_spb_prp_wm_async);
  Run(block.Bytes());
}

void TIBServices::SetSweepInterval(const QString& database, int transactions) {
  if (transactions < 0) throw EIBError(QStringLiteral("Interval čistenia nemôže byť záporný."));
  TStartBlock block(isc_action_svc_properties);
  block.String(isc_spb_dbname, FileName(database)).Int(isc_spb_prp_sweep_interval, quint32(transactions));
  Run(block.Bytes());
}

void TIBServices::SetPageBuffers(const QString& database, int pages) {
  if (pages < 0) throw EIBError(QStringLiteral("Počet stránok nemôže byť záporný."));
  TStartBlock block(isc_action_svc_properties);
  block.String(isc_spb_dbname, FileName(database)).Int(isc_spb_prp_page_buffers, quint32(pages));
  Run(block.Bytes());
}
