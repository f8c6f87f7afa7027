#include "db/IBDatabaseInfo.h"
#include "core/CodePage1250.h"
#include "db/FbClient.h"
#include "db/IBDatabase.h"
#include <ibase.h>

using namespace FbClient;

QList<QByteArray> TIBDatabaseInfo::Query(unsigned char item) const {
  Firebird::IAttachment* attachment = database_.Attachment();
  // User names repeat per attachment, so the answer may need a larger buffer.
  for (int size = 1024; size <= 1024 * 1024; size *= 8) {
    QByteArray answer(size, '\0');
    TStatus status;
    attachment->getInfo(&status, 1, &item, unsigned(answer.size()), reinterpret_cast<unsigned char*>(answer.data()));
    status.Check();
    if (static_cast<unsigned char>(answer[0]) == isc_info_truncated) continue;
    QList<QByteArray> values;
    for (const TInfoItem& entry : ParseInfo(answer))
      if (entry.Code == item) values.append(entry.Value);
    return values;
  }
  throw EIBError(QStringLiteral("Odpoveď servera je príliš veľká."));
}

qint64 TIBDatabaseInfo::Integer(unsigned char item, qint64 fallback) const {
  const QList<QByteArray> values = Query(item);
  return values.isEmpty() ? fallback : InfoInteger(values.first());
}

QStringList TIBDatabaseInfo::CountedStrings(const QByteArray& value) {
  QStringList strings;
  if (value.isEmpty()) return strings;
  const int count = static_cast<unsigned char>(value[0]);
  qsizetype pos = 1;
  for (int i = 0; i < count && pos < value.size(); ++i) {
    const int length = static_cast<unsigned char>(value[pos]);
    if (pos + 1 + length > value.size()) throw EIBError(QStringLiteral("Odpoveď servera je neúplná."));
    strings.append(Cp1250::Decode(QByteArrayView(value).sliced(pos + 1, length)));
    pos += 1 + length;
  }
  return strings;
}

QStringList TIBDatabaseInfo::UserNames() const {
  QStringList names;
  for (const QByteArray& value : Query(isc_info_user_names)) {
    if (value.isEmpty()) continue;
    const int length = static_cast<unsigned char>(value[0]);
    names.append(Cp1250::Decode(QByteArrayView(value).sliced(1, qMin<qsizetype>(length, value.size() - 1))));
  }
  return names;
}

qint64 TIBDatabaseInfo::AttachmentId() const { return Integer(isc_info_attachment_id); }
int TIBDatabaseInfo::PageSize() const { return int(Integer(isc_info_page_size)); }
int TIBDatabaseInfo::OdsVersion() const { return int(Integer(isc_info_ods_version)); }
int TIBDatabaseInfo::OdsMinorVersion() const { return int(Integer(isc_info_ods_minor_version)); }

QStringList TIBDatabaseInfo::Versions() const {
  const QList<QByteArray> values = Query(isc_info_firebird_version);
  return values.isEmpty() ? QStringList() : CountedStrings(values.first());
}

QString TIBDatabaseInfo::Version() const {
  const QList<QByteArray> values = Query(isc_info_version);
  return values.isEmpty() ? QString() : CountedStrings(values.first()).value(0);
}

QString TIBDatabaseInfo::DbFileName() const {
  const QList<QByteArray> values = Query(isc_info_db_id);
  return values.isEmpty() ? QString() : CountedStrings(values.first()).value(0);
}

QString TIBDatabaseInfo::DbSiteName() const {
  const QList<QByteArray> values = Query(isc_info_db_id);
  return values.isEmpty() ? QString() : CountedStrings(values.first()).value(1);
}

int TIBDatabaseInfo::BaseLevel() const {
  // The value is a count byte (1) followed by the level.
  const QList<QByteArray> values = Query(isc_info_base_level);
  return values.isEmpty() || values.first().size() < 2 ? 0 : static_cast<unsigned char>(values.first()[1]);
}

int TIBDatabaseInfo::DbSqlDialect() const { return int(Integer(isc_info_db_sql_dialect, 1)); }
qint64 TIBDatabaseInfo::Allocation() const { return Integer(isc_info_allocation); }
bool TIBDatabaseInfo::ForcedWrites() const { return Integer(isc_info_forced_writes) != 0; }
int TIBDatabaseInfo::NumBuffers() const { return int(Integer(isc_info_num_buffers)); }
int TIBDatabaseInfo::SweepInterval() const { return int(Integer(isc_info_sweep_interval)); }
bool TIBDatabaseInfo::ReadOnly() const { return Integer(isc_info_db_read_only) == 1; }
bool TIBDatabaseInfo::NoReserve() const { return Integer(isc_info_no_reserve) == 1; }
qint64 TIBDatabaseInfo::CurrentMemory() const { return Integer(isc_info_current_memory); }
qint64 TIBDatabaseInfo::MaxMemory() const { return Integer(isc_info_max_memory); }
qint64 TIBDatabaseInfo::Reads() const { return Integer(isc_info_reads); }
qint64 TIBDatabaseInfo::Writes() const { return Integer(isc_info_writes); }
qint64 TIBDatabaseInfo::Fetches() const { return Integer(isc_info_fetches); }
qint64 TIBDatabaseInfo::Marks() const { return Integer(isc_info_marks); }

int TIBDatabaseInfo::Implementation() const {
  const QList<QByteArray> values = Query(isc_info_implementation);
  return values.isEmpty() || values.first().size() < 3 ? 0 : static_cast<unsigned char>(values.first()[1]);
}

int TIBDatabaseInfo::ImplementationClass() const {
  const QList<QByteArray> values = Query(isc_info_implementation);
  return values.isEmpty() || values.first().size() < 3 ? 0 : static_cast<unsigned char>(values.first()[2]);
}

qint64 TIBDatabaseInfo::DatabaseSize() const { return qint64(PageSize()) * Allocation(); }
