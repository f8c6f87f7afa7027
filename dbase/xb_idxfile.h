#pragma once
#include "dbase/xb_cursor.h"
#include "dbase/xb_indexseam.h"
#include "dbase/xb_pgfile.h"
#include <QtCore/QCollator>
#include <functional>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class TXbFile;
class TXbParser;
struct TExprValue;

enum TIndexOption {
  ixPrimary = 1,
  ixUnique = 2,
  ixDescending = 4,
  ixCaseInsensitive = 8,
  ixExpression = 16,
  ixNonMaintained = 32
};
enum class TIndexUniqueMode { Normal, Unique, Distinct };
// Which tags key maintenance changes: every tag, or the selected tag only.
enum class TIndexUpdateMode { AllTags, SelectedTag };
enum TSearchKind { SearchEqual = 0, SearchGreaterEqual = 1, SearchGreater = 2 };
// Why a production index cannot collate with the table's language.
enum TXbLocaleError { leUnknownLocale = 1, leLanguageMismatch = 2, leLocaleNotInstalled = 3 };

// One index declaration of a record set: the index file (or tag) name, the
// key expression and the options; names are kept trimmed and upper-cased.
class TXbIndexDef {
public:
  const QString& IndexFile() const { return indexFile_; }
  void SetIndexFile(const QString& name) { indexFile_ = name.trimmed().toUpper(); }
  const QString& SortField() const { return sortField_; }
  void SetSortField(const QString& text) { sortField_ = text.trimmed().toUpper(); }
  int Options = 0;
  bool FromIndexFile = false;
  void Assign(const TXbIndexDef& other) {
    indexFile_ = other.indexFile_;
    sortField_ = other.sortField_;
    Options = other.Options;
  }

private:
  QString indexFile_, sortField_;
};

// An NDX index (one key) or MDX index (up to 47 tags) of a table: B-trees of
// fixed-size nodes kept in key order, maintained as records are appended,
// edited and deleted, walked in key order, searched and limited to key ranges.
class TIndexFile : public TPagedFile, public TXbIndexFile {
public:
  explicit TIndexFile(TXbFile& table);
  ~TIndexFile() override;

  bool IsMdx() const { return mdx_; }
  // Opens the file (creating it in a creating mode). Raises EXbError for a
  // file that is not an index of its kind.
  void OpenIndexFile();
  void CloseIndexFile();
  // Empties every tag: all keys go, the tags stay.
  void ClearIndexFile();
  void CreateTag(const QString& expression, const QString& name, int options);
  void DeleteTag(const QString& name);
  // Empties the named tag (every tag for an empty name) and fills it afresh
  // from the table's records; the other tags keep their keys.
  void RebuildTags(const QString& tagName = QString());

  // Key maintenance changes every tag, or only the selected tag (every tag
  // while none is selected). Opening the file and creating a tag choose all
  // tags for an MDX file of two tags or more, the selected tag otherwise.
  TIndexUpdateMode UpdateMode() const { return updateMode_; }
  void SetUpdateMode(TIndexUpdateMode mode) { updateMode_ = mode; }

  int TagCount() const { return int(tags_.size()); }
  void SelectTag(int slot);
  void SelectTagByName(const QString& name);
  int TagIndexOf(const QString& name) const;
  int SelectedTag() const { return selected_; }
  QString TagExpression() const;
  QString SelectedIndexName() const;
  void TagInfo(const QString& name, TXbIndexDef& declaration);
  int KeyLen() const;
  char KeyType() const;
  bool Descending() const;
  TIndexUniqueMode UniqueMode() const;
  // False when a locale error left the tags unread.
  bool TagsRead() const { return tagsRead_; }

  QByteArray ExtractKey(const char* record);
  QByteArray PrepareKey(const TExprValue& value) const;
  // A search value of the record set as a key of the selected tag.
  QByteArray KeyToBuffer(const QVariant& value) const;

  void Close() override;
  // Writes the changed nodes.
  void Flush() override { FlushNodes(); }
  // The record numbers of the selected tag in its order (within the range).
  std::vector<int> RecordsInOrder();

  // Walk of the selected tag.
  void MoveFirst();
  void MoveLast();
  bool MoveNext();
  bool MovePrior();
  int PhysicalRecNo() const;
  void SetPhysicalRecNo(int recNo);
  int SequentialRecNo() const;
  void SetSequentialRecNo(int position);
  int SequentialRecordCount() const;
  bool SearchKey(const QByteArray& key, TSearchKind kind);
  int CompareWithCurrent(const QByteArray& key) const;
  void SetRange(const QByteArray& low, const QByteArray& high);
  void CancelRange();
  // Compares two keys of the selected tag (descending tags reversed).
  int CompareKeys(const QByteArray& a, const QByteArray& b) const;

  // TXbIndexFile
  QString FileName() const override { return TPagedFile::FileName(); }
  QStringList TagNames() const override;
  void OpenIndex() override { OpenIndexFile(); }
  void CloseIndex() override { CloseIndexFile(); }
  bool CheckKeyViolation(const char* record, int recNo = -1) override;
  [[noreturn]] void RaiseKeyViolation(int recNo, const char* record) override;
  void InsertRecordKeys(int recNo, const char* record) override;
  void DeleteRecordKeys(int recNo, const char* record) override;
  void UpdateRecordKeys(int recNo, const char* oldRecord, const char* newRecord) override;
  void CheckUpdateViolation(const char* oldRecord, const char* newRecord) override;
  void RecordDeleted(int recNo, const char* record) override;
  void RecordRecalled(int recNo, const char* record) override;
  bool WriteFailed() const override { return TPagedFile::WriteFailed(); }
  void ClearWriteFailed() override { TPagedFile::ClearWriteFailed(); }
  void AttemptExclusive() override { TPagedFile::AttemptExclusive(); }
  void LeaveExclusive() override { TPagedFile::LeaveExclusive(); }
  std::unique_ptr<TVirtualCursor> CreateCursor(const QString& tagName) override;

private:
  struct TEntry {
    QByteArray Key;
    quint32 Rec = 0;
    quint32 Child = 0;
  };
  struct TNode {
    int Page = 0;
    bool Inner = false;
    std::vector<TEntry> Entries; // an inner node ends with the entry of its rightmost child
    int Keys() const { return int(Entries.size()) - (Inner ? 1 : 0); }
  };
  struct TLevel {
    TNode Node;
    int Entry = 0;
  };
  enum class TWhere { BeforeFirst, On, AfterLast };
  struct TTag;
  struct TSplit {
    QByteArray LeftMax;
    int RightPage;
  };
  // Where the previous key of a batch in key order went, by depth: the next
  // key goes to this entry of the page or after it.
  struct TFinger {
    int Page = -1;
    int Entry = 0;
  };
  using TFingers = std::vector<TFinger>;
  struct TDeleteResult {
    bool Found = false;
    bool Empty = false;
    std::optional<QByteArray> NewMax;
  };

  // Gives the tag selection back when the scope ends, also by an exception.
  struct TKeepSelection {
    TIndexFile& File;
    int Slot;
    explicit TKeepSelection(TIndexFile& file) : File(file), Slot(file.selected_) {}
    ~TKeepSelection() { File.SelectTag(Slot); }
  };

  TTag& Tag() const;
  void ReadFileHeader();
  void WriteFileHeader();
  void ReadTags();
  void ReadTagHeader(TTag& tag);
  void WriteTagHeader(TTag& tag);
  void TagProperties(TTag& tag);
  void ChooseCollation();
  void ClearTag(TTag& tag);
  int AllocatePage(TTag& tag);
  int MaxTags() const;
  int TagRecordOffset(int slot) const;

  int NodeEntries(const char* buffer, const TTag& tag, bool* inner) const;
  bool ReadNodeBuffer(int page, char* buffer);
  TNode ReadNode(int page, const TTag& tag) const;
  TNode DecodeNode(int page, const TTag& tag);
  TNode& NodeToChange(int page, const TTag& tag, TNode& local);
  void WriteNode(const TNode& node, const TTag& tag);
  void StoreNode(const TNode& node, const TTag& tag);
  void EncodeNode(const TNode& node, const TTag& tag, char* out) const;
  bool CachesNodes() const { return !NeedsLocks(); }
  void KeepNode(const TNode& node, const TTag* changedIn);
  // Inserts the waiting keys of every tag, then writes the changed nodes.
  void FlushNodes();
  void DropNodes();
  // Writes the changed nodes (consecutive pages in one write) and empties the cache.
  void TrimNodes();
  void StoreChangedNodes();
  // Keys appended to an exclusive file wait, per tag, until the tree is next
  // read or changed otherwise; then they go in as one batch in key order.
  bool DefersInsert(const TTag& tag) const;
  void InsertPendingKeys();
  void InsertBatch(TTag& tag, const QByteArray& keys, const std::vector<quint32>& recs);
  std::vector<int> BatchOrder(const TTag& tag, const QByteArray& keys, int count) const;
  // Where a one-pass walk takes its nodes: the file read whole, or a read
  // buffer per level; and the inner nodes it has been through.
  struct TNodeSource {
    QByteArrayView Image; // null when the nodes are read one by one
    QByteArray Buffers;
    std::unordered_set<int> InnerPages;
  };
  static constexpr qint64 kWholeFileRead = 64 << 20;
  void CollectRecords(int page, int depth, TNodeSource& source, std::vector<int>& records);
  int Capacity(const TNode& node, const TTag& tag) const;

  std::optional<TSplit> InsertInto(int page, const QByteArray& key, quint32 rec, int depth, TFingers* fingers);
  static void NoteFinger(TFingers* fingers, int depth, const TNode& node, int entry,
                         const std::optional<TSplit>& split);
  std::optional<TSplit> SplitIfFull(TNode& node);
  TDeleteResult DeleteFrom(int page, const QByteArray& key, quint32 rec, int depth);
  TDeleteResult RemovedBelow(TNode& node, int i, const TDeleteResult& below);
  void InsertKey(const QByteArray& key, int recNo, TFingers* fingers = nullptr);
  bool DeleteKey(const QByteArray& key, int recNo);
  bool HasKey(const QByteArray& key);
  // True when the tag holds the key for another record than `recNo`.
  bool KeyHeldByOther(const QByteArray& key, int recNo);
  // The slots that key maintenance changes, by the update mode.
  std::vector<int> MaintainedTags() const;
  void ResetUpdateMode();
  // Runs the action on every maintained tag with the tag selected (the
  // selection is restored) under the file's header lock; raises for keys
  // found missing.
  template <typename Action> void ForEachTag(int recNo, Action action);
  void Resync();
  void RefreshHeaders();
  void RefreshShared();
  // `from`: a known lower bound of the result, tried first.
  int LowerBound(const TNode& node, const QByteArray& key, bool afterEqual, int from = 0) const;
  [[noreturn]] void ThrowKeyViolation(const QByteArray& key) const;
  void GoEnd(bool last);

  void DescendTo(std::size_t level, bool last);
  bool StepLeaf(bool forward);
  bool Seek(const QByteArray& key, bool afterEqual);
  bool InRange() const;
  const QByteArray& CurrentKey() const;
  int CompareRaw(const QByteArray& a, const QByteArray& b) const;
  // The text of a character key as the locale compares it, in `buffer`.
  QStringView CollationText(const QByteArray& key, QString& buffer) const;

  // Decoded nodes of an exclusive or memory file (a shared file reads its
  // nodes afresh), and the pages changed in it that the file still lacks.
  static constexpr std::size_t kCachedNodes = 8192;
  // The most keys a tag gathers before they go into the tree.
  static constexpr std::size_t kBatchKeys = 1 << 20;
  std::unordered_map<int, TNode> nodes_;
  std::unordered_map<int, const TTag*> changed_;
  TXbFile& table_;
  bool mdx_ = false;
  bool dbase7_ = false;
  int nodeSize_ = 512, headerSize_ = 512, nodeHeader_ = 4, entryHeader_ = 8;
  int tagRecordLength_ = 32;
  QByteArray fileHeader_;
  std::vector<std::unique_ptr<TTag>> tags_;
  int selected_ = -1;
  bool tagsRead_ = true;
  bool readOnly_ = false;
  TIndexUpdateMode updateMode_ = TIndexUpdateMode::SelectedTag;
  int violatingTag_ = -1; // found by CheckKeyViolation for RaiseKeyViolation
  // Header writes wait while a batch of keys goes in; written once after it.
  bool deferHeaders_ = false;
  bool byteCollation_ = true;
  QCollator collator_;
  int collationCodePage_ = 0;
  // Reused for the texts of compared keys, so that a comparison allocates nothing.
  mutable QString collationLeft_, collationRight_;
};

// The index cursor: a walk of the index file's selected tag.
class TIndexCursor : public TVirtualCursor {
public:
  explicit TIndexCursor(TIndexFile* index) : TVirtualCursor(index), index_(index) {}
  TIndexFile* IndexFile() const { return index_; }
  int PhysicalRecNo() const override { return index_->PhysicalRecNo(); }
  int SequentialRecNo() const override { return index_->SequentialRecNo(); }
  int SequentialRecordCount() const override { return index_->SequentialRecordCount(); }
  void SetPhysicalRecNo(int recNo) override { index_->SetPhysicalRecNo(recNo); }
  void SetSequentialRecNo(int recNo) override { index_->SetSequentialRecNo(recNo); }
  bool Next() override { return index_->MoveNext(); }
  bool Prior() override { return index_->MovePrior(); }
  void First() override { index_->MoveFirst(); }
  void Last() override { index_->MoveLast(); }

private:
  TIndexFile* index_;
};

// The factory the table file opens its index files through.
std::unique_ptr<TXbIndexFile> CreateIndexFile(TXbFile& table, const QString& fileName, bool create);
