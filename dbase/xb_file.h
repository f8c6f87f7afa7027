#pragma once
#include "dbase/xb_cursor.h"
#include "dbase/xb_fields.h"
#include "dbase/xb_indexseam.h"
#include "dbase/xb_memo.h"
#include "dbase/xb_pgfile.h"
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <functional>

// How dBASE 7 timestamps are read: milliseconds since 0001-01-01, or the date-time value itself.
enum class TDateTimeHandling { dtDateTime, dtMsecTimeStamp };

// Settings shared by every table of the process.
class TXbGlobals {
public:
  static TXbGlobals& Instance();
  QList<int> InstalledCodePages;
  int DefaultOpenCodePage;
  int DefaultCreateLanguage;
  bool CurrencyAsBcd = kCurrencyAsBcd;
  QByteArray LockUserName;
  bool CodePageInstalled(int codePage) const { return InstalledCodePages.contains(codePage); }
  void SetDefaultCreateLanguage(int codePage);

private:
  TXbGlobals();
};

// One dBASE table file (dBASE III, IV, 7 or FoxPro): header, field
// descriptors, fixed-length records and the end-of-file byte. Keeps the field
// definitions, owns the memo file and the attached index files, appends and
// edits records under record locks, and encodes field values in record buffers.
class TIndexFile;

class TXbFile : public TPagedFile {
public:
  TXbFile();
  ~TXbFile() override;

  // Opens the file in the paged file's mode and reads its structure; a new
  // file is completed by CreateStructure. Raises EXbError "Invalid DBF file."
  // for a file that is not a table.
  void OpenTable();
  void CloseTable();
  void CreateStructure(const TXbFieldDefs& defs, int memoBlockSize);
  void ReadFieldDescriptors();
  // Writes the header with today's date and the count of the records in the
  // file, and the end-of-file byte right after the last record; in a shared
  // table under the header lock, keeping auto-increment values that other
  // processes have advanced meanwhile.
  void WriteHeader() override;
  // The header lock of a shared table (page 0); nested uses within one
  // handle count, the outermost takes and releases it.
  void LockHeader();
  void UnlockHeader();
  void SetRecordSize(int size) override;
  void Close() override;
  void AttemptExclusive() override;
  void LeaveExclusive() override;

  TableFormat Format() const { return defs_.Format; }
  void SetFormat(TableFormat format) { defs_.Format = format; }
  bool UseFloatFields() const { return defs_.UseFloatFields; }
  void SetUseFloatFields(bool value) { defs_.UseFloatFields = value; }
  TXbFieldDefs& FieldDefs() { return defs_; }
  const TXbFieldDefs& FieldDefs() const { return defs_; }
  TXbFieldDef* FieldDefByName(const QString& name) const;
  bool HasBlobFields() const;
  QString MemoFileExtension() const;
  int LanguageId() const { return languageId_; }
  void SetLanguageId(int id) { languageId_ = id & 0xFF; }
  QString LanguageDriverName() const;
  int HeaderRecordCount() const;

  int FileCodePage = 0;
  int UseCodePage = 0;
  TXbFieldDef* LockField = nullptr;
  TXbFieldDef* NullFlagsField = nullptr;
  bool HasAutoIncrement = false;
  bool ForceClose = false;
  TDateTimeHandling DateTimeHandling = TDateTimeHandling::dtMsecTimeStamp;
  // The memo file's stream in the memory modes (not owned); without one a memo
  // file in memory lasts only as long as the table stays open.
  QBuffer* MemoStream = nullptr;
  // Asked when the production index is missing; leaving the flag true drops the link.
  std::function<void(TXbFile&, bool& deleteLink)> OnIndexMissing;
  // Asked when the production index cannot collate with the table's language
  // (error 1 unknown locale, 2 language mismatch, 3 locale not installed):
  // solution 0 leaves the index unread, 1 reads it but never changes its
  // keys, any other value is the locale id to collate with.
  std::function<void(TXbFile&, int error, int& solution)> OnLocaleError;

  // Attaches an index: a name with an extension is an index file of its own,
  // a name without one a tag of the production index. With `create` a missing
  // file or tag is made from the expression and filled from the records.
  // Returns null when the index cannot be had.
  TIndexFile* OpenIndex(const QString& name, const QString& expression, int options, bool create);
  // Fills every tag of every attached index afresh from the records.
  void RebuildIndex();
  // Fills the named tag of the index (every tag for an empty name) afresh
  // from the records; the other tags keep their keys.
  void RebuildIndex(TIndexFile& index, const QString& tagName);
  // The attached index file that holds the named index; null when none does.
  TIndexFile* IndexByName(const QString& name) const;

  TMemoFile* MemoFile() const { return memo_.get(); }
  TXbIndexFile* ProductionIndex() const { return productionIndex_; }
  const std::vector<std::unique_ptr<TXbIndexFile>>& IndexFiles() const { return indexFiles_; }
  const QStringList& IndexNames() const { return indexNames_; }

  // Field values of a record buffer. Text fields give and take their stored
  // bytes (QByteArray); numbers int, qlonglong or double; dates double
  // date-times; logicals bool. Returns whether the field holds a value.
  bool GetFieldValue(const TXbFieldDef& field, TXbFieldType type, QVariant* destination, const char* record) const;
  bool GetFieldValue(int index, TXbFieldType type, QVariant* destination, const char* record) const {
    return GetFieldValue(defs_[index], type, destination, record);
  }
  // A null source clears the field. Raises EXbError when a number does not fit the field.
  void SetFieldValue(const TXbFieldDef& field, TXbFieldType type, const QVariant* source, char* record);
  void SetFieldValue(int index, TXbFieldType type, const QVariant* source, char* record) {
    SetFieldValue(defs_[index], type, source, record);
  }
  // Typed values written straight into a record buffer, for the fields stored
  // as text of the value's kind (character; number or float; date); false
  // leaves the field unchanged for SetFieldValue. Raise EXbError when a number
  // does not fit the field.
  bool PutTextValue(const TXbFieldDef& field, QByteArrayView text, char* record);
  bool PutNumberValue(const TXbFieldDef& field, qint64 value, char* record);
  bool PutNumberValue(const TXbFieldDef& field, double value, char* record);
  bool PutDateValue(const TXbFieldDef& field, QDate date, char* record);
  void InitRecord(char* record) const;
  // The stored bytes of a text field without trailing blanks; empty when it holds no value.
  QByteArrayView TextValue(const TXbFieldDef& field, const char* record) const;

  // Appends the record under a lock on its slot; returns its number.
  int AppendRecord(char* record);
  // Locks record n for editing (EXbError "Record locked." when another handle
  // holds it) and reads it into the buffer.
  void LockRecord(int n, char* record);
  // Updates index keys, writes the record and releases its lock.
  void UnlockRecord(int n, const char* record);
  // Releases the lock of an edit that is cancelled.
  void CancelRecordLock(int n) { UnlockPage(n); }
  void NotifyDeleted(int n, const char* record);
  // Record n (locked, its deletion mark cleared in the buffer) returns to the
  // distinct tags; every index refuses a key another record took before any
  // index changes.
  void NotifyRecalled(int n, const char* record);
  // Removes the records marked deleted; needs exclusive access.
  void Pack();
  void WriteLockStamp(char* record) const;

private:
  void DetectFormat();
  void KeepNewerAutoIncrements();
  void ReadCodePage();
  void ReadFieldProperties(int descriptorsEnd);
  void CheckRecordLayout() const;
  void OpenMemoFile(bool create, int blockSize);
  void AttachProductionIndex();
  void CreateIndex(TIndexFile& index, const QString& tagName, const QString& expression, int options, bool newFile);
  void DropIndex(TIndexFile& index, const QString& tagName, bool newFile);
  void AssignAutoIncrements(char* record);
  [[noreturn]] void UndoIndexInserts(int count, int n, const char* record);
  void CheckWriteFailed();
  int FixedHeaderSize() const { return Format() == TableFormat::Dbase7 ? 68 : 32; }
  int DescriptorSize() const { return Format() == TableFormat::Dbase7 ? 48 : 32; }
  void SetHeaderRecordCount(int count);
  void WriteEndByte(int count);
  // Today's date, asked of the clock once a second: every append stamps the header.
  QDate Today();
  bool NullBitSet(const TXbFieldDef& field, const char* record) const;
  void SetNullBit(const TXbFieldDef& field, char* record, bool on) const;

  TXbFieldDefs defs_;
  int languageId_ = 0;
  std::unique_ptr<TMemoFile> memo_;
  std::vector<std::unique_ptr<TXbIndexFile>> indexFiles_;
  TXbIndexFile* productionIndex_ = nullptr;
  QStringList indexNames_;
  QByteArray oldRecordImage_;
  int lockUserNameLength_ = 0;
  int headerLockDepth_ = 0;
  bool endBytePending_ = false;
  qint64 todayAtSecond_ = -1;
  QDate today_;
};

// The physical-order cursor: 0 before the first record, 1..count on a
// record, count + 1 after the last; deleted records included.
class TXbCursor : public TVirtualCursor {
public:
  explicit TXbCursor(TXbFile* file) : TVirtualCursor(file), table_(file) {}
  int PhysicalRecNo() const override { return position_; }
  int SequentialRecNo() const override { return position_; }
  int SequentialRecordCount() const override { return table_->RecordCount(); }
  void SetPhysicalRecNo(int recNo) override { position_ = recNo; }
  void SetSequentialRecNo(int recNo) override { position_ = recNo; }
  bool Next() override;
  bool Prior() override;
  void First() override { position_ = 0; }
  void Last() override;

private:
  TXbFile* table_;
  int position_ = 0;
};

// The table level numbers of the record set and their formats.
TableFormat TableLevelToFormat(int level);
int FormatToTableLevel(TableFormat format);
