#pragma once
#include "core/DataSet.h"
#include "dbase/xb_file.h"
#include "dbase/xb_filter.h"
#include "dbase/xb_idxfile.h"
#include "dbase/xb_parser.h"
#include <QtCore/QBuffer>
#include <functional>
#include <memory>

enum class TXbOpenMode { omNormal, omAutoCreate, omTemporary };
enum class TXbStorage { stoFile, stoMemory };
// How text passes between the table's code page and the program's.
enum class TTranslationMode { NoCodePage, SameCodePage, OemCodePage, InstalledCodePage };
// The answer to a table whose code page is unknown: keep it read-only, read
// it as OEM, as ANSI, or as the default code page.
enum class TXbLanguageAction { Keep = 0, UseOem = 1, UseAnsi = 2, UseDefault = 3 };
enum TXbFilterOption { foCaseInsensitive = 1, foNoPartialCompare = 2 };

// Raised when an open is abandoned on purpose (the table file asked to be closed).
class EXbAbort : public EXbError {
public:
  EXbAbort() : EXbError(QStringLiteral("Open aborted.")) {}
};

// The index declarations of a record set, in order.
class TXbIndexDefs {
public:
  TXbIndexDef& Add();
  int Count() const { return int(items_.size()); }
  TXbIndexDef& operator[](int index) const { return *items_[std::size_t(index)]; }
  void Clear() { items_.clear(); }
  void Assign(const TXbIndexDefs& other);
  void RemoveFromIndexFile();
  // Exact, case-sensitive name; null when absent.
  TXbIndexDef* DefByIndexFile(const QString& name) const;
  // The trimmed, upper-cased expression; null for an empty text or when absent.
  TXbIndexDef* DefBySortField(const QString& text) const;

private:
  std::vector<std::unique_ptr<TXbIndexDef>> items_;
};

class TXbTable;

// The data link of a detail record set to its master record set: while the
// master is open, the master fields' expression is compiled over the
// master's table and the detail's hooks hear of the master's changes
// (MasterChanged: its current record or its key changed; MasterDisabled:
// the link has no master, no open master or no expression). Before the
// master posts, the detail posts its pending changes.
class TXbMasterLink {
public:
  explicit TXbMasterLink(TXbTable& detail) : detail_(detail) {}
  ~TXbMasterLink();
  TXbMasterLink(const TXbMasterLink&) = delete;
  TXbMasterLink& operator=(const TXbMasterLink&) = delete;

  TXbTable* DataSource() const { return master_; }
  // Raises EDataSetError "Circular datalinks are not allowed" for a master
  // that is the detail or is linked to it.
  void SetDataSource(TXbTable* master);
  const QString& FieldNames() const { return fieldNames_; }
  // Raises the parser's error when the text does not compile over an open master.
  void SetFieldNames(const QString& expression);
  bool Active() const;
  bool ValidExpression() const { return parser_ != nullptr; }
  // The expression over the master's current record (a blank record when it has none).
  const TExprValue& KeyFromMaster() const;

  std::function<void()> MasterChanged;
  std::function<void()> MasterDisabled;

private:
  void ActiveChanged();

  TXbTable& detail_;
  TXbTable* master_ = nullptr;
  QString fieldNames_;
  std::unique_ptr<TXbParser> parser_;
  QList<QMetaObject::Connection> connections_;
};

// The record set over one dBASE table: opens or creates the table file,
// presents its records (deleted ones hidden unless ShowDeleted) as rows of
// the data set, inserts, edits (under a record lock) and deletes records,
// filters them, converts text between the table's code page and the
// program's, and reads and writes memo values.
class TXbTable : public TDataSet {
  Q_OBJECT
public:
  explicit TXbTable(QObject* parent = nullptr);
  ~TXbTable() override;

  const QString& TableName() const { return tableName_; }
  void SetTableName(const QString& name);
  const QString& FilePath() const { return filePath_; }
  void SetFilePath(const QString& path);
  const QString& FilePathFull() const { return filePathFull_; }
  QString TableFileName() const { return filePathFull_ + tableName_; }
  static QString ApplicationFolder();

  int TableLevel() const { return tableLevel_; }
  void SetTableLevel(int level);
  int LanguageId() const { return languageId_; }
  void SetLanguageId(int id);
  bool ReadOnly = false;
  bool Exclusive = false;
  TXbOpenMode OpenMode = TXbOpenMode::omNormal;
  TXbStorage Storage = TXbStorage::stoFile;
  TDateTimeHandling DateTimeHandling = TDateTimeHandling::dtMsecTimeStamp;
  bool UseFloatFields = true;
  bool ShowDeleted() const { return showDeleted_; }
  void SetShowDeleted(bool value);
  static QString Version() { return QStringLiteral("%1.%2").arg(6).arg(45, 2, 10, QLatin1Char('0')); }
  // The caller's memory stream for stoMemory (not owned).
  void SetMemoryStream(QBuffer* stream) { memoryStream_ = stream; }
  // The caller's memory stream of the memo file for stoMemory (not owned).
  void SetMemoMemoryStream(QBuffer* stream) { memoMemoryStream_ = stream; }

  const QString& Filter() const { return filter_; }
  void SetFilter(const QString& text);
  bool Filtered() const { return filtered_; }
  void SetFiltered(bool value);
  int FilterOptions = 0;

  // Index order, searches and ranges. An unknown index name gives physical
  // order; searches and ranges without a selected index report false.
  TXbIndexDefs IndexDefs;
  const QString& IndexName() const { return indexName_; }
  void SetIndexName(const QString& name);
  QString IndexFieldNames() const;
  void SetIndexFieldNames(const QString& expression);
  // A name with an extension completed against the table's folder.
  QString IndexFileName(const QString& name) const;
  TIndexFile* SelectedIndex() const { return index_; }
  bool FindKey(const QVariant& value, bool partial = false);
  bool FindKeyBuffer(const QByteArray& key, TSearchKind kind);
  void SetKeyRange(const QVariant& low, const QVariant& high);
  void CancelKeyRange();
  // Searches by the selected index when its key expression is the field list,
  // else record by record: one value per field (none found otherwise), a
  // partial key applies to the last field only. Pending changes are posted first.
  using TDataSet::Locate;
  bool Locate(const QString& keyFields, const QVariantList& keyValues, TLocateOptions options = 0) override;

  // Moves to the next (prior) record that the filter accepts, whether
  // Filtered is on or not; from the first (last) record when `restart`.
  bool FindNext(bool restart = false) { return FindRecord(restart, true); }
  bool FindPrior(bool restart = false) { return FindRecord(restart, false); }
  bool FindRecord(bool restart, bool forward);

  // Master link: the detail shows only the records whose key in the selected
  // index equals the master fields' expression over the master's current
  // record. Before the master posts, its details post their pending changes;
  // after it, they follow the posted record's key. Raises EDataSetError
  // "Circular datalinks are not allowed".
  TXbTable* MasterSource() const { return masterLink_.DataSource(); }
  void SetMasterSource(TXbTable* master) { masterLink_.SetDataSource(master); }
  const QString& MasterFields() const { return masterLink_.FieldNames(); }
  void SetMasterFields(const QString& expression) { masterLink_.SetFieldNames(expression); }
  // Posts pending changes.
  void CheckBrowseMode();
  // Values of the record being inserted or edited, by field number, written
  // straight into its record buffer without a value object per field: the
  // way for exports writing many records. A field given a value through its
  // TField in the same record takes that value at Post instead.
  void SetFieldText(int field, QStringView text);
  void SetFieldNumber(int field, qint64 value);
  void SetFieldNumber(int field, int value) { SetFieldNumber(field, qint64(value)); }
  void SetFieldNumber(int field, double value);
  // An invalid date clears the field.
  void SetFieldDate(int field, QDate date);
  // The record buffer of the current row; null when there is none.
  const char* CurrentRecord() const;

  // Field definitions used by CreateTable when no dBASE definitions are given.
  QList<TFieldDef> FieldDefs;

  // Converts `src` (zero-terminated) into `dest`; returns the length, -1 for strlen(dest).
  std::function<int(TXbTable&, const char* src, char* dest, bool toOem)> OnTranslate;
  std::function<void(TXbTable&, TXbLanguageAction&)> OnLanguageWarning;
  std::function<void(TXbTable&, bool& doCreate)> BeforeAutoCreate;
  std::function<bool(TXbTable&, const char* record)> OnFilterRecord;
  std::function<void(TXbFile&, bool& deleteLink)> OnIndexMissing;
  // Handed to the table file: the answer to a production index that cannot collate (TXbFile::OnLocaleError).
  std::function<void(TXbFile&, int error, int& solution)> OnLocaleError;

  // Creates the table from FieldDefs (or the given definitions) and leaves the record set closed.
  void CreateTable() { CreateTableWith(nullptr); }
  void CreateTableWith(const TXbFieldDefs* defs);
  // Removes the deleted records; needs Exclusive.
  void PackTable();
  // True when the current record is marked deleted (shown with ShowDeleted).
  bool IsDeleted() const;
  // Clears the deletion mark of the current record, whose key returns to the
  // distinct tags; when another record took that key meanwhile, EXbError
  // "Key violation..." and the record stays deleted.
  void Recall();
  // Makes the declarations taken from the production index again from its
  // present tags; while closed, the table is opened read-only to read them.
  void UpdateIndexDefs();

  // The table's field definitions; while closed the file is opened read-only to read them.
  QList<TFieldDef> TableFieldDefs();
  TXbFile* DbfFile() const { return file_.get(); }
  TTranslationMode TranslationMode() const { return translation_; }
  // Physical record number of the current row, -1 when there is none.
  int PhysicalRecNo() const;
  // The value of field `index` in a record buffer of this table.
  QVariant ValueOf(const char* record, int index) const;
  int Translate(const char* source, char* destination, bool toOem);
  bool CanModify() const override;

signals:
  // The record set is about to write its edited or new record.
  void BeforePost();

protected:
  void DoOpen(QList<TFieldDef>& defs) override;
  void DoClose() override;
  int DoRecordCount() const override { return int(rows_.size()); }
  QVariant DoValue(int row, int fieldIndex) const override;
  int DoPost(int row, const QVariantList& values) override;
  void DoDelete(int row) override;
  void DoEdit(int row) override;
  void DoCancel(int row) override;

private:
  std::unique_ptr<TXbFile> PrepareTableFile(PagedFileMode mode);
  PagedFileMode OpenFileMode() const;
  static void BuildFieldDefs(TXbFile& file, QList<TFieldDef>& defs);
  void DetermineTranslation();
  void ParseFilter(const QString& text);
  bool FilterAccepts(const char* record);
  void BuildRows();
  void Refresh();
  const char* RecordOf(int row) const;
  // The record from the blocks of records kept in memory; they are dropped
  // whenever this record set writes or builds its rows.
  const char* BufferedRecord(int recNo) const;
  void ReadBlocks(std::size_t block, int perBlock, int size, int count) const;
  void DropBuffer() const;
  std::vector<bool> ShownRecords(int count, bool filtering);
  // The row showing the record, -1 when none does.
  int RowOfRecord(int recNo) const;
  QString DecodeText(QByteArrayView bytes) const;
  QByteArray EncodeText(QStringView text);
  // The buffer of the record being inserted or edited, for field `field`;
  // raises EDataSetError outside those states or for a field it lacks.
  char* RecordToFill(int field);
  // A typed value that the record buffer does not take directly, stored as the data set's value.
  void StoreConverted(int field, const QVariant& value);
  void StoreField(char* record, int index, const QVariant& value, const QVariant& previous);
  void AttachIndexes(TXbFile& file, bool create);
  void AddProductionIndexDefs(TXbFile& file);
  bool LocateRecord(const QString& keyFields, const QVariantList& keyValues, TLocateOptions options);
  bool LocateMatchField(const TField& field, int row, const QVariant& value, bool last, TLocateOptions options) const;
  void SetKeyRangeBuffer(const QByteArray& low, const QByteArray& high);
  void ApplyIndexName();
  void ReloadRows(int keepRecNo);
  void ShowRows(int keepRecNo);
  void MasterChanged();
  void MasterDisabled();
  void CheckMasterRange();

  QString tableName_, filePath_, filePathFull_;
  int tableLevel_ = 4;
  int languageId_ = 0;
  bool showDeleted_ = false;
  QString filter_;
  bool filtered_ = false;
  QBuffer* memoryStream_ = nullptr;
  std::unique_ptr<QBuffer> ownStream_;
  QBuffer* memoMemoryStream_ = nullptr;
  std::unique_ptr<QBuffer> ownMemoStream_;
  std::unique_ptr<TXbFile> file_;
  std::unique_ptr<TVirtualCursor> cursor_;
  std::unique_ptr<TXbFilter> filterParser_;
  TTranslationMode translation_ = TTranslationMode::NoCodePage;
  std::vector<int> rows_;
  mutable std::vector<QByteArray> blocks_;
  mutable std::vector<std::size_t> resident_;
  mutable std::size_t clockHand_ = 0;
  mutable std::size_t lastBlockRead_ = std::size_t(-2);
  mutable int cachedCount_ = -1;
  mutable std::vector<int> rowIndex_;
  QByteArray editRecord_;
  QVariantList editOriginal_;
  int editingRecNo_ = -1;
  QString indexName_;
  TIndexFile* index_ = nullptr;
  TXbMasterLink masterLink_{*this};
};
