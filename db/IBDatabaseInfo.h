#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>

class TIBDatabase;

// Reads the information items of a connected database (the isc_info_* items):
// user names of the attachments, page size, on-disk structure, server
// version, file and site name, memory, I/O counters and settings.
class TIBDatabaseInfo {
public:
  explicit TIBDatabaseInfo(const TIBDatabase& database) : database_(database) {}

  // The integer value of one item (isc_info_page_size, isc_info_sweep_interval, ...);
  // `fallback` when the server does not know the item.
  qint64 Integer(unsigned char item, qint64 fallback = 0) const;

  QStringList UserNames() const;
  qint64 AttachmentId() const;
  int PageSize() const;
  int OdsVersion() const;
  int OdsMinorVersion() const;
  // The version texts of the server; the first is its own version.
  QStringList Versions() const;
  QString Version() const;
  // Database file name and site name as the server reports them (isc_info_db_id).
  QString DbFileName() const;
  QString DbSiteName() const;
  int BaseLevel() const;
  int DbSqlDialect() const;
  qint64 Allocation() const;
  bool ForcedWrites() const;
  int NumBuffers() const;
  int SweepInterval() const;
  bool ReadOnly() const;
  bool NoReserve() const;
  qint64 CurrentMemory() const;
  qint64 MaxMemory() const;
  qint64 Reads() const;
  qint64 Writes() const;
  qint64 Fetches() const;
  qint64 Marks() const;
  // Implementation number and class number (isc_info_implementation).
  int Implementation() const;
  int ImplementationClass() const;
  // Page size times allocated pages, in 64 bits.
  qint64 DatabaseSize() const;

private:
  // The raw values of an item (items that list, such as user names, repeat).
  QList<QByteArray> Query(unsigned char item) const;
  // The counted strings of an item value: a count byte, then length-prefixed strings.
  static QStringList CountedStrings(const QByteArray& value);

  const TIBDatabase& database_;
};
