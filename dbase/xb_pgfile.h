#pragma once
#include "core/DataSet.h"
#include "core/DateTime.h"
#include "core/Exception.h"
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <memory>
#include <optional>

class QIODevice;
class QBuffer;
class QFile;

// The dBASE library's error; its message is one of the fixed English texts of XbMessages.
class EXbError : public EDataSetError {
public:
  using EDataSetError::EDataSetError;
};

// A write of the dBASE library transferred nothing (disk full, read-only file).
class EXbWriteError : public EXbError {
public:
  using EXbError::EXbError;
};

// The operating system refused to open a file (sharing conflict, access denied).
class EFOpenError : public Exception {
public:
  using Exception::Exception;
};

// The fixed message texts of the dBASE library.
namespace XbMessages {
inline QString FileNotFound() { return QStringLiteral("Open: file not found: \"%1\"."); }
inline QString RecordLocked() { return QStringLiteral("Record locked."); }
inline QString WriteError() { return QStringLiteral("Error while writing occurred. (Disk full?)"); }
inline QString WriteErrorIndex() {
  return QStringLiteral("Error while writing occurred; indexes probably corrupted. (Disk full?)");
}
inline QString KeyViolation() {
  return QStringLiteral("Key violation. (Key already present in file).\r\nIndex: %1\r\nRecord=%2 Key='%3'.");
}
inline QString InvalidDbfFile() { return QStringLiteral("Invalid DBF file."); }
inline QString InvalidFieldCount() { return QStringLiteral("Invalid field count: %1 (must be between 1 and 4095)."); }
inline QString FieldTypeNotSupported() {
  return QStringLiteral("Cannot create field \"%1\", VCL field type %2 not supported by DBF.");
}
inline QString IndexUnknownField() { return QStringLiteral("Index based on unknown field \"%1\"."); }
inline QString IndexInvalidFieldType() {
  return QStringLiteral("Field \"%1\" is an invalid field type to base index on.");
}
inline QString IndexResultTooLong() {
  return QStringLiteral("Index result for \"%1\" too long, >100 characters (%2).");
}
inline QString InvalidIndexType() { return QStringLiteral("Invalid index type: can only be string or float."); }
inline QString TooManyIndexes() { return QStringLiteral("Can not create index: too many indexes in file."); }
inline QString IndexNotExist() { return QStringLiteral("Index \"%1\" does not exist."); }
inline QString NeedExclusive() { return QStringLiteral("Exclusive access is required for this operation."); }
// A value that its field cannot hold is refused rather than cut.
inline QString ValueTooWide() { return QStringLiteral("Value %1 does not fit into field \"%2\" of width %3."); }
inline QString InvalidMemoBlock() { return QStringLiteral("Invalid memo block %1."); }
inline QString InvalidIndexFile() { return QStringLiteral("Invalid index file: \"%1\"."); }
// A key that the table says is there but its index lacks: the index is out of step.
inline QString IndexKeyMissing() { return QStringLiteral("Index \"%1\" has no key for record %2; rebuild the index."); }
inline QString LocaleNotAvailable() { return QStringLiteral("Locale %1 chosen for index \"%2\" is not available."); }
} // namespace XbMessages

enum class PagedFileMode {
  NotOpen,
  MemoryNew,
  MemoryExisting,
  ExclusiveNew,
  ExclusiveExisting,
  SharedNew,
  SharedExisting,
  ReadOnlyShared
};

bool IsCreating(PagedFileMode mode);
bool IsShared(PagedFileMode mode);
bool IsMemoryMode(PagedFileMode mode);

// A disk file or memory stream seen as a header block followed by numbered
// pages of fixed size; records are read and written by number, shared files
// are coordinated by byte-range locks, and failed writes set a sticky flag.
// A read-only mapping of part of a disk file, undone when it goes.
class TMappedBytes {
public:
  TMappedBytes() = default;
  TMappedBytes(int fd, qint64 offset, qint64 length);
  ~TMappedBytes();
  TMappedBytes(TMappedBytes&& other) noexcept;
  TMappedBytes& operator=(TMappedBytes&&) = delete;
  TMappedBytes(const TMappedBytes&) = delete;
  // Empty when nothing is mapped.
  QByteArrayView Bytes() const { return bytes_; }

private:
  void* base_ = nullptr;
  std::size_t mapped_ = 0;
  QByteArrayView bytes_;
};

class TPagedFile {
public:
  TPagedFile();
  virtual ~TPagedFile();
  TPagedFile(const TPagedFile&) = delete;
  TPagedFile& operator=(const TPagedFile&) = delete;

  const QString& FileName() const { return fileName_; }
  void SetFileName(const QString& name);
  // A memory stream of the caller's (not owned), used in the memory modes.
  void AttachStream(QBuffer* stream);
  QBuffer* MemoryStream() const { return memory_; }
  // Hands the memory stream this file made for itself to the caller (null when it made none).
  std::unique_ptr<QBuffer> TakeOwnMemoryStream();

  int HeaderOffset() const { return headerOffset_; }
  int HeaderSize() const { return headerSize_; }
  int RecordSize() const { return recordSize_; }
  int PageSize() const { return pageSize_; }
  int PagesPerRecord() const { return pageSize_ == 0 ? 0 : recordSize_ / pageSize_; }
  bool PagesAfterHeader() const { return pagesAfterHeader_; }
  virtual void SetHeaderOffset(int offset);
  virtual void SetRecordSize(int size);
  virtual void SetHeaderSize(int size);
  virtual void SetPagesAfterHeader(bool value);
  void SetPageSize(int size);

  PagedFileMode Mode() const { return mode_; }
  void SetMode(PagedFileMode mode);
  bool CreateIfMissing() const { return createIfMissing_; }
  void SetCreateIfMissing(bool value);
  bool PageNumberLocks() const { return pageNumberLocks_; }
  void SetPageNumberLocks(bool value) { pageNumberLocks_ = value; }
  PagedFileMode TemporaryMode() const { return temporaryMode_; }
  void SetTemporaryMode(PagedFileMode mode) { temporaryMode_ = mode; }
  bool NeedsLocks() const { return needsLocks_; }
  bool Active() const { return active_; }

  virtual void Open();
  virtual void Close();
  void DeleteFromDisk();
  void RequireExclusive() const;
  virtual void AttemptExclusive();
  virtual void LeaveExclusive();

  qint64 PageOffset(int page) const;
  int RecordCount();
  void SetRecordCount(int count);
  bool HasRecord(int number);
  // Returns the bytes read: 0 at or beyond the end, fewer for a cut last record.
  virtual int ReadRecord(int number, char* buffer);
  virtual void WriteRecord(int number, const char* buffer);
  // Reads `count` consecutive records in one go; returns the bytes read.
  int ReadRecords(int first, int count, char* buffer);
  int ReadByte();
  void WriteByte(quint8 value);
  virtual void WriteHeader();
  void FlushHeader();
  void ReloadHeader();
  virtual void Flush() {}
  char* Header() { return header_.data(); }
  const char* Header() const { return header_.constData(); }

  bool LockPage(int page, bool wait);
  void UnlockPage(int page);
  virtual bool LockRange(quint32 offset, quint32 length, bool wait);
  virtual bool UnlockRange(quint32 offset, quint32 length);

  bool WriteFailed() const { return writeFailed_; }
  void ClearWriteFailed() { writeFailed_ = false; }

  // The file's bytes from `offset` on (up to `length`, within the file)
  // mapped for reading rather than copied, for the walks that read much of a
  // file once; empty for a file in memory or one that cannot be mapped.
  TMappedBytes MapForReading(qint64 offset, qint64 length);

protected:
  QIODevice* Stream() const { return stream_; }
  qint64 StreamSize() const;
  void SetStreamSize(qint64 size);
  qint64 ReadAt(qint64 offset, char* buffer, qint64 length);
  qint64 WriteAt(qint64 offset, const char* buffer, qint64 length);
  void MarkWriteFailed() { writeFailed_ = true; }
  // Writes the appended records still gathered in memory.
  void FlushPending();

private:
  qint64 RawWriteAt(qint64 offset, const char* buffer, qint64 length);
  bool KeepPending(qint64 offset, const char* buffer);
  void OpenDisk();
  void OpenMemory();
  void TakeSharingLocks();
  bool PageLockRange(int page, quint32* offset, quint32* length) const;
  void NoteOffset(qint64 offset);

  QIODevice* stream_ = nullptr;
  std::unique_ptr<QFile> file_;
  std::unique_ptr<QBuffer> ownMemory_;
  QBuffer* memory_ = nullptr;
  int headerOffset_ = 0;
  int headerSize_ = 0;
  int recordSize_ = 0;
  int pageSize_ = 0;
  int recordCount_ = 0;
  qint64 cachedSize_ = 0;
  int cachedRecordCount_ = 0;
  QByteArray header_;
  bool active_ = false;
  bool countStale_ = true;
  bool headerModified_ = false;
  bool pagesAfterHeader_ = true;
  PagedFileMode mode_ = PagedFileMode::ReadOnlyShared;
  PagedFileMode temporaryMode_ = PagedFileMode::NotOpen;
  PagedFileMode userMode_ = PagedFileMode::ReadOnlyShared;
  bool createIfMissing_ = false;
  bool needsLocks_ = false;
  bool pageNumberLocks_ = true;
  QString fileName_;
  bool writeFailed_ = false;
  static constexpr qsizetype kPendingBytes = 256 * 1024;
  QByteArray pending_;
  qint64 pendingAt_ = 0;
};

// Path routines of the library; both '\' and '/' separate folders, and a
// completed path ends with the separator '/'.
namespace XbPath {
bool IsFullPath(const QString& path);
QString WithTrailingBackslash(const QString& path);
QString CompletePath(const QString& base, const QString& path);
QString CompleteFileName(const QString& base, const QString& fileName);
} // namespace XbPath

// Decimal digits of |value| without sign; returns the count (at least 1).
int IntToText(qint32 value, char* destination);
int Int64ToText(qint64 value, char* destination);
// Exactly `width` characters, digits right-aligned, `pad` on the left, '-'
// before the digits (in the first position with pad '0'). Returns false and
// writes nothing when the number with its sign does not fit the width.
bool IntToTextWidth(qint32 value, int width, char* destination, char pad);
bool Int64ToTextWidth(qint64 value, int width, char* destination, char pad);

quint32 SwapBytes32(quint32 value);
void SwapBytes64(const void* source, void* destination);

// Milliseconds counted from 0001-01-01 as day 1 (the dBASE 7 time stamp).
double DateTimeToMilliseconds(TDateTime value);
TDateTime MillisecondsToDateTime(double milliseconds);

// Converts `length` bytes (-1: up to the terminating zero) from one code page
// to another through Unicode, any length; source and destination may be the
// same buffer, whose room is `length` bytes. Returns the length.
int TranslateText(int fromCodePage, int toCodePage, const char* source, char* destination, int length);

// Position of the first `value` within the first `length` bytes, or none.
std::optional<int> FindByte(const char* buffer, char value, int length);
