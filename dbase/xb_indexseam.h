#pragma once
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <memory>

class TXbFile;
class TVirtualCursor;

// What the table file asks of an attached index file (NDX or MDX) to keep its
// keys consistent with the records; TIndexFile implements it.
class TXbIndexFile {
public:
  virtual ~TXbIndexFile() = default;
  virtual QString FileName() const = 0;
  virtual QStringList TagNames() const = 0;
  virtual void OpenIndex() = 0;
  virtual void CloseIndex() = 0;
  // True when a maintained distinct tag holds the record's key for another
  // record than `recNo` (-1: a new record, every holder counts).
  virtual bool CheckKeyViolation(const char* record, int recNo = -1) = 0;
  // Raises the key-violation error for the record.
  [[noreturn]] virtual void RaiseKeyViolation(int recNo, const char* record) = 0;
  virtual void InsertRecordKeys(int recNo, const char* record) = 0;
  virtual void DeleteRecordKeys(int recNo, const char* record) = 0;
  virtual void UpdateRecordKeys(int recNo, const char* oldRecord, const char* newRecord) = 0;
  // Raises the key violation when a distinct tag already holds the changed key.
  virtual void CheckUpdateViolation(const char* oldRecord, const char* newRecord) = 0;
  virtual void RecordDeleted(int recNo, const char* record) = 0;
  // The record's deletion mark was cleared: its key returns to the distinct
  // tags. Raises the key violation when another record holds it.
  virtual void RecordRecalled(int recNo, const char* record) = 0;
  virtual bool WriteFailed() const = 0;
  virtual void ClearWriteFailed() = 0;
  // Follow the table file into and out of exclusive use.
  virtual void AttemptExclusive() = 0;
  virtual void LeaveExclusive() = 0;
  // A cursor over the named tag in key order, for the record set.
  virtual std::unique_ptr<TVirtualCursor> CreateCursor(const QString& tagName) = 0;
};

// Opens the index file of the given name for a table; CreateIndexFile is the
// default. Returns null when the index cannot be had (memory tables).
using TXbIndexFactory = std::unique_ptr<TXbIndexFile> (*)(TXbFile& table, const QString& fileName, bool create);
void SetXbIndexFactory(TXbIndexFactory factory);
TXbIndexFactory XbIndexFactory();
