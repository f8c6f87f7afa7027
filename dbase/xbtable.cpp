#include "dbase/xbtable.h"
#include "core/CodePage1250.h"
#include "dbase/xb_codepages.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <algorithm>
#include <cstring>
#include <unistd.h>

namespace {

TFieldType CoreType(TXbFieldType type) {
  switch (type) {
  case ftString:
  case ftFixedChar:
  case ftWideString:
    return TFieldType::String;
  case ftSmallint:
  case ftWord:
    return TFieldType::SmallInt;
  case ftInteger:
  case ftAutoInc:
    return TFieldType::Integer;
  case ftLargeint:
    return TFieldType::LargeInt;
  case ftFloat:
    return TFieldType::Float;
  case ftCurrency:
  case ftBCD:
    return TFieldType::Currency;
  case ftBoolean:
    return TFieldType::Boolean;
  case ftDate:
    return TFieldType::Date;
  case ftTime:
    return TFieldType::Time;
  case ftDateTime:
    return TFieldType::DateTime;
  case ftMemo:
    return TFieldType::Memo;
  case ftBlob:
  case ftDBaseOle:
  case ftBytes:
    return TFieldType::Blob;
  default:
    return TFieldType::Unknown;
  }
}

TXbFieldType XbType(TFieldType type) {
  switch (type) {
  case TFieldType::String:
    return ftString;
  case TFieldType::SmallInt:
    return ftSmallint;
  case TFieldType::Integer:
    return ftInteger;
  case TFieldType::LargeInt:
    return ftLargeint;
  case TFieldType::Float:
    return ftFloat;
  case TFieldType::Currency:
    return ftCurrency;
  case TFieldType::Boolean:
    return ftBoolean;
  case TFieldType::Date:
    return ftDate;
  case TFieldType::Time:
    return ftTime;
  case TFieldType::DateTime:
    return ftDateTime;
  case TFieldType::Memo:
    return ftMemo;
  case TFieldType::Blob:
    return ftBlob;
  case TFieldType::Unknown:
    break;
  }
  return ftUnknown;
}

// The type in which a field's value is read and written.
TXbFieldType AccessType(const TXbFieldDef& def) {
  switch (def.FieldType()) {
  case ftBCD:
    return ftCurrency;
  case ftAutoInc:
    return ftInteger;
  default:
    return def.FieldType();
  }
}

// The date-time number of a value given as date, date-time or number.
double DateTimeNumber(const QVariant& value) {
  switch (value.typeId()) {
  case QMetaType::QDate:
    return DateTime::FromDate(value.toDate());
  case QMetaType::QDateTime:
    return DateTime::FromDateTime(value.toDateTime());
  default:
    return value.toDouble();
  }
}

// The bound of the records kept in memory: an eighth of the memory the
// machine has, between 64 and 256 MiB. A scan in another order than the
// records' rereads every block the cache has let go, so a table of up to that
// size is read once.
std::size_t RecordCacheBytes() {
  constexpr std::size_t kLeast = std::size_t(64) << 20, kMost = std::size_t(256) << 20;
  const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return kLeast;
  return std::clamp(std::size_t(pages) / 8 * std::size_t(pageSize), kLeast, kMost);
}

} // namespace

TXbTable::TXbTable(QObject* parent) : TDataSet(parent) {
  TXbGlobals::Instance();
  masterLink_.MasterChanged = [this] { MasterChanged(); };
  masterLink_.MasterDisabled = [this] { MasterDisabled(); };
  filePathFull_ = XbPath::WithTrailingBackslash(ApplicationFolder());
}

TXbTable::~TXbTable() {
  try {
    Close();
  } catch (...) {
    // A destructor must not throw; the table file is freed either way.
  }
}

QString TXbTable::ApplicationFolder() {
  return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

// ---- properties -----------------------------------------------------------------------

void TXbTable::SetFilePath(const QString& path) {
  if (Active()) return;
  filePath_ = path.isEmpty() ? path : XbPath::WithTrailingBackslash(path);
  filePathFull_ = XbPath::IsFullPath(filePath_) ? XbPath::WithTrailingBackslash(filePath_)
                                                : XbPath::CompletePath(ApplicationFolder(), filePath_);
}

void TXbTable::SetTableName(const QString& name) {
  if (Active()) return;
  qsizetype cut = name.size();
  while (cut > 0 && name[cut - 1] != QLatin1Char('/') && name[cut - 1] != QLatin1Char('\\'))
    --cut;
  tableName_ = name.mid(cut);
  if (cut > 0) SetFilePath(name.left(cut));
}

void TXbTable::SetTableLevel(int level) {
  if (!Active() && (level == 3 || level == 4 || level == 7 || level == 25)) tableLevel_ = level;
}

void TXbTable::SetLanguageId(int id) {
  if (!Active()) languageId_ = id & 0xFF;
}

void TXbTable::SetShowDeleted(bool value) {
  if (value == showDeleted_) return;
  showDeleted_ = value;
  Refresh();
}

void TXbTable::SetFilter(const QString& text) {
  if (text == filter_) return;
  if (Active()) ParseFilter(text);
  filter_ = text;
  if (filtered_) Refresh();
}

void TXbTable::SetFiltered(bool value) {
  if (value == filtered_) return;
  filtered_ = value;
  Refresh();
}

// ---- creation -----------------------------------------------------------------------------

PagedFileMode TXbTable::OpenFileMode() const {
  if (ReadOnly) return PagedFileMode::ReadOnlyShared;
  return Exclusive ? PagedFileMode::ExclusiveExisting : PagedFileMode::SharedExisting;
}

std::unique_ptr<TXbFile> TXbTable::PrepareTableFile(PagedFileMode mode) {
  auto file = std::make_unique<TXbFile>();
  if (Storage == TXbStorage::stoFile) {
    file->SetFileName(TableFileName());
  } else {
    file->AttachStream(memoryStream_ ? memoryStream_ : ownStream_.get());
    if (!memoMemoryStream_ && !ownMemoStream_) ownMemoStream_ = std::make_unique<QBuffer>();
    file->MemoStream = memoMemoryStream_ ? memoMemoryStream_ : ownMemoStream_.get();
    mode = IsCreating(mode) ? PagedFileMode::MemoryNew : PagedFileMode::MemoryExisting;
  }
  file->SetMode(mode);
  file->SetUseFloatFields(UseFloatFields);
  file->DateTimeHandling = DateTimeHandling;
  file->OnIndexMissing = OnIndexMissing;
  file->OnLocaleError = OnLocaleError;
  return file;
}

void TXbTable::CreateTableWith(const TXbFieldDefs* defs) {
  if (Active()) throw EDataSetError(QStringLiteral("Tabuľku nemožno vytvoriť počas otvoreného dátového zdroja."));
  std::unique_ptr<TXbFieldDefs> own;
  if (!defs) {
    own = std::make_unique<TXbFieldDefs>(this);
    own->Format = TableLevelToFormat(tableLevel_);
    own->UseFloatFields = UseFloatFields;
    for (const TFieldDef& def : FieldDefs)
      own->Add(def.Name, XbType(def.DataType), def.Size, def.Precision);
    defs = own.get();
  }
  if (Storage == TXbStorage::stoMemory && memoryStream_) memoryStream_->buffer().clear(); // a new table starts empty
  std::unique_ptr<TXbFile> file = PrepareTableFile(PagedFileMode::ExclusiveNew);
  file->SetFormat(TableLevelToFormat(tableLevel_));
  file->SetLanguageId(languageId_);
  try {
    file->OpenTable();
    file->CreateStructure(*defs, 512);
    AttachIndexes(*file, true);
    file->CloseTable();
    if (file->WriteFailed()) throw EXbWriteError(XbMessages::WriteError());
    if (Storage == TXbStorage::stoMemory && !memoryStream_) ownStream_ = file->TakeOwnMemoryStream();
  } catch (...) {
    if (Storage == TXbStorage::stoFile) {
      // The new table's own files go with it.
      QStringList names = {file->FileName()};
      if (file->MemoFile()) names << file->MemoFile()->FileName();
      if (file->ProductionIndex()) names << file->ProductionIndex()->FileName();
      file.reset();
      for (const QString& name : names)
        QFile::remove(name);
    }
    throw;
  }
}

// ---- open and close --------------------------------------------------------------------------

void TXbTable::DoOpen(QList<TFieldDef>& defs) {
  file_.reset();
  const bool missing = Storage == TXbStorage::stoFile
                           ? !QFileInfo::exists(TableFileName()) && OpenMode != TXbOpenMode::omNormal
                           : !memoryStream_ && !ownStream_;
  if (missing) {
    bool doCreate = true;
    if (BeforeAutoCreate) BeforeAutoCreate(*this, doCreate);
    if (!doCreate) return;
    CreateTable();
  }
  file_ = PrepareTableFile(OpenFileMode());
  try {
    file_->OpenTable();
    if (file_->ForceClose) throw EXbAbort();
    tableLevel_ = FormatToTableLevel(file_->Format());
    languageId_ = file_->LanguageId();
    BuildFieldDefs(*file_, defs);
    DetermineTranslation();
    DropBuffer();
    try {
      ParseFilter(filter_);
    } catch (const EXbError&) {
      filter_.clear();
    }
    AttachIndexes(*file_, false);
    ApplyIndexName();
  } catch (...) {
    cursor_.reset();
    filterParser_.reset();
    file_.reset();
    throw;
  }
}

QList<TFieldDef> TXbTable::TableFieldDefs() {
  QList<TFieldDef> defs;
  if (Active()) {
    for (const auto& field : Fields())
      defs << field->Def();
    return defs;
  }
  std::unique_ptr<TXbFile> file = PrepareTableFile(PagedFileMode::ReadOnlyShared);
  file->OpenTable();
  BuildFieldDefs(*file, defs);
  AddProductionIndexDefs(*file);
  return defs;
}

void TXbTable::UpdateIndexDefs() {
  if (file_) {
    AddProductionIndexDefs(*file_);
    return;
  }
  std::unique_ptr<TXbFile> file = PrepareTableFile(PagedFileMode::ReadOnlyShared);
  file->OpenTable();
  AddProductionIndexDefs(*file);
}

void TXbTable::BuildFieldDefs(TXbFile& file, QList<TFieldDef>& defs) {
  TXbFieldDefs& fields = file.FieldDefs();
  for (int i = 0; i < fields.Count(); ++i) {
    TXbFieldDef& field = fields[i];
    QString name = field.FieldName;
    auto taken = [&](const QString& candidate) {
      return std::any_of(defs.begin(), defs.end(), [&](const TFieldDef& d) { return d.Name == candidate; });
    };
    for (int suffix = 2; taken(name); ++suffix)
      name = field.FieldName + QString::number(suffix);
    field.FieldName = name;
    TFieldDef def;
    def.Name = name;
    def.DataType = CoreType(field.FieldType());
    const TXbFieldType type = field.FieldType();
    if (type == ftString || type == ftBCD || type == ftBytes) def.Size = field.Size();
    if (type == ftFloat) def.Precision = field.Precision();
    defs << def;
  }
}

void TXbTable::DetermineTranslation() {
  auto decide = [&] {
    const int page = file_->UseCodePage;
    if (page == XbCodePages::kAnsiCodePage) return TTranslationMode::SameCodePage;
    if (page == XbCodePages::kOemCodePage) return TTranslationMode::OemCodePage;
    if (TXbGlobals::Instance().CodePageInstalled(page)) return TTranslationMode::InstalledCodePage;
    return TTranslationMode::NoCodePage;
  };
  translation_ = decide();
  if (translation_ != TTranslationMode::NoCodePage) return;
  TXbLanguageAction action = TXbLanguageAction::Keep;
  if (OnLanguageWarning) OnLanguageWarning(*this, action);
  switch (action) {
  case TXbLanguageAction::Keep:
    break;
  case TXbLanguageAction::UseOem:
    file_->UseCodePage = XbCodePages::kOemCodePage;
    translation_ = TTranslationMode::OemCodePage;
    break;
  case TXbLanguageAction::UseAnsi:
    file_->UseCodePage = XbCodePages::kAnsiCodePage;
    translation_ = TTranslationMode::SameCodePage;
    break;
  case TXbLanguageAction::UseDefault:
    file_->UseCodePage = TXbGlobals::Instance().DefaultOpenCodePage;
    translation_ = decide();
    break;
  }
}

void TXbTable::DoClose() {
  filterParser_.reset();
  cursor_.reset();
  index_ = nullptr;
  IndexDefs.RemoveFromIndexFile();
  rows_.clear();
  DropBuffer();
  editingRecNo_ = -1;
  if (!file_) return;
  std::unique_ptr<TXbFile> file = std::move(file_);
  if (!ReadOnly) file->WriteHeader();
  file->CloseTable();
  if (file->WriteFailed()) throw EXbWriteError(XbMessages::WriteError());
}

// ---- rows -----------------------------------------------------------------------------------------

void TXbTable::ParseFilter(const QString& text) {
  if (text.isEmpty()) {
    filterParser_.reset();
    return;
  }
  if (!file_) return;
  const TXbFilterFactory factory = XbFilterFactory();
  if (!factory) throw EXbError(QStringLiteral("Filter expressions are not available."));
  std::unique_ptr<TXbFilter> parser = factory(*file_);
  parser->SetPartialMatch(!(FilterOptions & foNoPartialCompare));
  parser->SetCaseInsensitive(FilterOptions & foCaseInsensitive);
  parser->Compile(text);
  filterParser_ = std::move(parser);
}

bool TXbTable::FilterAccepts(const char* record) {
  if (filterParser_ && !filterParser_->Accepts(record)) return false;
  return !OnFilterRecord || OnFilterRecord(*this, record);
}

// The rows in the cursor's order: an index gives its records in one walk,
// and which records are shown (deleted, filtered) comes from one pass over
// the table in record order, whatever the order of the rows.
void TXbTable::BuildRows() {
  rows_.clear();
  DropBuffer();
  if (!cursor_) return;
  const int count = file_->RecordCount();
  const auto* indexCursor = dynamic_cast<const TIndexCursor*>(cursor_.get());
  std::vector<int> order;
  if (indexCursor) order = indexCursor->IndexFile()->RecordsInOrder();
  const bool filtering = filtered_ && (filterParser_ || OnFilterRecord);
  const std::vector<bool> shown = showDeleted_ && !filtering ? std::vector<bool>() : ShownRecords(count, filtering);
  auto take = [&](int recNo) {
    // A damaged index names records the table lacks.
    if (recNo >= 1 && recNo <= count && (shown.empty() || shown[std::size_t(recNo)])) rows_.push_back(recNo);
  };
  if (indexCursor) {
    for (int recNo : order)
      take(recNo);
  } else {
    rows_.reserve(std::size_t(count));
    for (int recNo = 1; recNo <= count; ++recNo)
      take(recNo);
  }
}

std::vector<bool> TXbTable::ShownRecords(int count, bool filtering) {
  std::vector<bool> shown(std::size_t(count) + 1, false);
  const int size = std::max(file_->RecordSize(), 1);
  auto take = [&](int recNo, const char* record) {
    shown[std::size_t(recNo)] = (showDeleted_ || record[0] != '*') && (!filtering || FilterAccepts(record));
  };
  // A table on disk is looked at in place, without copying its records.
  const TMappedBytes mapped = file_->MapForReading(file_->PageOffset(1), qint64(count) * size);
  if (!mapped.Bytes().isNull()) {
    const int mappedCount = int(mapped.Bytes().size() / size);
    for (int i = 0; i < mappedCount; ++i)
      take(i + 1, mapped.Bytes().data() + qsizetype(i) * size);
    return shown;
  }
  const int chunk = std::max(1, (1 << 20) / size);
  QByteArray buffer(qsizetype(chunk) * size, '\0');
  for (int first = 1; first <= count; first += chunk) {
    const int read = file_->ReadRecords(first, std::min(chunk, count - first + 1), buffer.data()) / size;
    for (int i = 0; i < read; ++i) {
      take(first + i, buffer.constData() + qsizetype(i) * size);
    }
    if (read == 0) break;
  }
  return shown;
}

void TXbTable::Refresh() {
  if (!Active() || State() != TDataSetState::Browse) return;
  BuildRows();
  RecordsReplaced();
}

int TXbTable::PhysicalRecNo() const {
  const int row = RecNo() - 1;
  return row >= 0 && row < int(rows_.size()) ? rows_[std::size_t(row)] : -1;
}

const char* TXbTable::RecordOf(int row) const { return BufferedRecord(rows_[std::size_t(row)]); }

// Records are read in blocks of about 4 KiB, kept up to a bound; a block
// that follows the one read last starts a read-ahead of 64 KiB, so a scan in
// record order reads in large pieces and one in another order reads little
// more than it needs. A shared table's blocks go when another handle
// appends.
const char* TXbTable::BufferedRecord(int recNo) const {
  const int size = std::max(file_->RecordSize(), 1);
  const int perBlock = std::max(1, 4096 / size);
  if (recNo < 1) throw EXbError(XbMessages::InvalidDbfFile());
  const std::size_t block = std::size_t((recNo - 1) / perBlock);
  if (block >= blocks_.size() || blocks_[block].isEmpty()) {
    const int count = file_->RecordCount();
    if (recNo > count) throw EXbError(XbMessages::InvalidDbfFile());
    if (count != cachedCount_) {
      DropBuffer();
      cachedCount_ = count;
    }
    if (block >= blocks_.size()) blocks_.resize(std::size_t((count - 1) / perBlock) + 1);
    ReadBlocks(block, perBlock, size, count);
  }
  const QByteArray& data = blocks_[block];
  const qsizetype at = qsizetype((recNo - 1) % perBlock) * size;
  if (at + size > data.size()) throw EXbError(XbMessages::InvalidDbfFile());
  return data.constData() + at;
}

void TXbTable::ReadBlocks(std::size_t block, int perBlock, int size, int count) const {
  static const std::size_t kMaxBlocks = RecordCacheBytes() / 4096;
  const std::size_t ahead =
      block == lastBlockRead_ + 1 ? std::max<std::size_t>(1, 65536 / std::size_t(perBlock * size)) : 1;
  std::size_t blocks = 1;
  while (blocks < ahead && block + blocks < blocks_.size() && blocks_[block + blocks].isEmpty())
    ++blocks;
  const int first = int(block) * perBlock + 1;
  const int records = std::min(int(blocks) * perBlock, count - first + 1);
  QByteArray buffer(qsizetype(records) * size, Qt::Uninitialized);
  const int read = file_->ReadRecords(first, records, buffer.data()) / size;
  for (std::size_t b = 0; b < blocks && int(b) * perBlock < read; ++b) {
    if (resident_.size() >= kMaxBlocks) {
      // Clock replacement: the block under the hand gives way.
      const std::size_t victim = resident_[clockHand_ % resident_.size()];
      blocks_[victim].clear();
      resident_[clockHand_ % resident_.size()] = block + b;
      ++clockHand_;
    } else {
      resident_.push_back(block + b);
    }
    const int inBlock = std::min(perBlock, read - int(b) * perBlock);
    blocks_[block + b] = buffer.mid(qsizetype(b) * perBlock * size, qsizetype(inBlock) * size);
  }
  lastBlockRead_ = block + blocks - 1;
}

void TXbTable::DropBuffer() const {
  blocks_.clear();
  resident_.clear();
  clockHand_ = 0;
  lastBlockRead_ = std::size_t(-2);
  rowIndex_.clear();
}

int TXbTable::RowOfRecord(int recNo) const {
  if (rowIndex_.empty()) {
    rowIndex_.assign(std::size_t(std::max(file_ ? file_->RecordCount() : 0, 0)) + 1, -1);
    for (std::size_t row = 0; row < rows_.size(); ++row)
      if (std::size_t(rows_[row]) < rowIndex_.size()) rowIndex_[std::size_t(rows_[row])] = int(row);
  }
  return recNo >= 0 && std::size_t(recNo) < rowIndex_.size() ? rowIndex_[std::size_t(recNo)] : -1;
}

QVariant TXbTable::DoValue(int row, int fieldIndex) const {
  if (!file_ || row < 0 || row >= int(rows_.size())) return {};
  return ValueOf(RecordOf(row), fieldIndex);
}

// ---- values ---------------------------------------------------------------------------------------

QString TXbTable::DecodeText(QByteArrayView bytes) const {
  if (!OnTranslate) return XbCodePages::Decode(file_->UseCodePage, bytes);
  const QByteArray source = bytes.toByteArray();
  QByteArray translated(bytes.size() + 1, '\0');
  int length = const_cast<TXbTable*>(this)->Translate(source.constData(), translated.data(), false);
  if (length < 0) length = int(qstrnlen(translated.constData(), size_t(bytes.size())));
  return Cp1250::Decode(QByteArrayView(translated.constData(), std::min<qsizetype>(length, bytes.size())));
}

QByteArray TXbTable::EncodeText(QStringView text) {
  if (OnTranslate) {
    const QByteArray ansi = Cp1250::Encode(text);
    QByteArray translated(ansi.size() + 1, '\0');
    int length = Translate(ansi.constData(), translated.data(), true);
    if (length < 0) length = int(qstrnlen(translated.constData(), size_t(ansi.size())));
    return translated.left(length);
  }
  bool lossless = true;
  QByteArray bytes = XbCodePages::Encode(file_->UseCodePage, text, '?', &lossless);
  if (!lossless)
    throw ECodePageError(
        QStringLiteral("Text „%1“ nemožno uložiť v kódovej stránke %2.").arg(text).arg(file_->UseCodePage));
  return bytes;
}

int TXbTable::Translate(const char* source, char* destination, bool toOem) {
  if (!source || !destination || !file_) return 0;
  if (OnTranslate) return OnTranslate(*this, source, destination, toOem);
  const int ansi = XbCodePages::kAnsiCodePage;
  if (translation_ == TTranslationMode::SameCodePage) return TranslateText(ansi, ansi, source, destination, -1);
  return toOem ? TranslateText(ansi, file_->UseCodePage, source, destination, -1)
               : TranslateText(file_->UseCodePage, ansi, source, destination, -1);
}

QVariant TXbTable::ValueOf(const char* record, int index) const {
  const TXbFieldDef& def = file_->FieldDefs()[index];
  QVariant value;
  if (def.IsBlob()) {
    if (!file_->GetFieldValue(def, ftInteger, &value, record)) return {};
    const QByteArray bytes = file_->MemoFile() ? file_->MemoFile()->ReadMemo(value.toInt()) : QByteArray();
    if (bytes.isEmpty()) return {};
    return def.FieldType() == ftMemo ? QVariant(DecodeText(bytes)) : QVariant(bytes);
  }
  if (def.FieldType() == ftString) {
    const QByteArrayView text = file_->TextValue(def, record);
    return text.isEmpty() ? QVariant() : QVariant(DecodeText(text));
  }
  if (!file_->GetFieldValue(def, AccessType(def), &value, record)) return {};
  switch (def.FieldType()) {
  case ftDate:
    return DateTime::ToDate(value.toDouble());
  case ftDateTime:
    return DateTime::ToDateTime(value.toDouble());
  default:
    return value;
  }
}

void TXbTable::StoreField(char* record, int index, const QVariant& value, const QVariant& previous) {
  const TXbFieldDef& def = file_->FieldDefs()[index];
  const bool empty = !value.isValid() || value.isNull();
  if (def.NativeFieldType() == '+' || def.FieldType() == ftBytes) return;
  if (def.IsBlob()) {
    const QByteArray bytes = empty                       ? QByteArray()
                             : def.FieldType() == ftMemo ? EncodeText(value.toString())
                                                         : value.toByteArray();
    QVariant old;
    int block = file_->GetFieldValue(def, ftInteger, &old, record) ? old.toInt() : 0;
    const int previousLength =
        previous.isNull()
            ? 0
            : int(def.FieldType() == ftMemo ? EncodeText(previous.toString()).size() : previous.toByteArray().size());
    file_->MemoFile()->WriteMemo(block, previousLength, bytes);
    const QVariant stored(block);
    file_->SetFieldValue(def, ftInteger, block > 0 ? &stored : nullptr, record);
    return;
  }
  if (empty) {
    file_->SetFieldValue(def, AccessType(def), nullptr, record);
    return;
  }
  // Only text and dates are converted; other values go to the file as they are.
  QVariant converted;
  switch (def.FieldType()) {
  case ftString:
    converted = EncodeText(value.toString());
    break;
  case ftDate:
  case ftDateTime:
    converted = DateTimeNumber(value);
    break;
  default:
    break;
  }
  file_->SetFieldValue(def, AccessType(def), converted.isValid() ? &converted : &value, record);
}

char* TXbTable::RecordToFill(int field) {
  if (State() != TDataSetState::Insert && State() != TDataSetState::Edit)
    throw EDataSetError(QStringLiteral("Záznam nie je v režime úprav."));
  if (field < 0 || field >= file_->FieldDefs().Count())
    throw EDataSetError(QStringLiteral("Pole číslo %1 neexistuje.").arg(field));
  return editRecord_.data();
}

void TXbTable::StoreConverted(int field, const QVariant& value) {
  char* record = RecordToFill(field);
  const QVariant previous = State() == TDataSetState::Edit ? editOriginal_.value(field) : QVariant();
  // Text is read as the field's type; numbers and dates go as they are, so that
  // a number too large for the field is refused rather than cut.
  const bool text = value.typeId() == QMetaType::QString;
  StoreField(record, field, text ? CoerceToFieldType(value, Fields()[std::size_t(field)]->DataType()) : value,
             previous);
}

void TXbTable::SetFieldText(int field, QStringView text) {
  char* record = RecordToFill(field);
  if (!file_->PutTextValue(file_->FieldDefs()[field], EncodeText(text), record)) StoreConverted(field, text.toString());
}

void TXbTable::SetFieldNumber(int field, qint64 value) {
  if (!file_->PutNumberValue(file_->FieldDefs()[field], value, RecordToFill(field)))
    StoreConverted(field, QVariant::fromValue(value));
}

void TXbTable::SetFieldNumber(int field, double value) {
  if (!file_->PutNumberValue(file_->FieldDefs()[field], value, RecordToFill(field))) StoreConverted(field, value);
}

void TXbTable::SetFieldDate(int field, QDate date) {
  if (!file_->PutDateValue(file_->FieldDefs()[field], date, RecordToFill(field)))
    StoreConverted(field, date.isValid() ? QVariant(date) : QVariant());
}

// ---- editing --------------------------------------------------------------------------------------

bool TXbTable::CanModify() const { return file_ && !ReadOnly && translation_ != TTranslationMode::NoCodePage; }

void TXbTable::DoEdit(int row) {
  if (row < 0) {
    // A new record is built in the buffer, without an allocation per append.
    editRecord_.resize(file_->RecordSize());
    file_->InitRecord(editRecord_.data());
    return;
  }
  const int recNo = rows_[std::size_t(row)];
  editRecord_ = QByteArray(file_->RecordSize(), '\0');
  file_->LockRecord(recNo, editRecord_.data());
  editingRecNo_ = recNo;
  DropBuffer();
  editOriginal_.clear();
  for (int i = 0; i < file_->FieldDefs().Count(); ++i)
    editOriginal_ << ValueOf(editRecord_.constData(), i);
}

void TXbTable::DoCancel(int row) {
  if (editingRecNo_ < 0) return;
  file_->CancelRecordLock(editingRecNo_);
  editingRecNo_ = -1;
}

int TXbTable::DoPost(int row, const QVariantList& values) {
  emit BeforePost();
  const int count = file_->FieldDefs().Count();
  static const QVariant none;
  auto at = [](const QVariantList& list, int i) -> const QVariant& { return i < list.size() ? list[i] : none; };
  if (row < 0) {
    char* record = editRecord_.data();
    for (int i = 0; i < count; ++i)
      if (at(values, i).isValid()) StoreField(record, i, at(values, i), none);
    const int recNo = file_->AppendRecord(record);
    DropBuffer();
    rows_.push_back(recNo);
    return int(rows_.size()) - 1;
  }
  for (int i = 0; i < count; ++i)
    if (at(values, i) != at(editOriginal_, i)) StoreField(editRecord_.data(), i, at(values, i), at(editOriginal_, i));
  file_->UnlockRecord(editingRecNo_, editRecord_.constData());
  editingRecNo_ = -1;
  DropBuffer();
  return row;
}

void TXbTable::DoDelete(int row) {
  const int recNo = rows_[std::size_t(row)];
  QByteArray record(file_->RecordSize(), '\0');
  file_->LockRecord(recNo, record.data());
  record[0] = '*';
  file_->NotifyDeleted(recNo, record.constData());
  file_->UnlockRecord(recNo, record.constData());
  DropBuffer();
  if (!showDeleted_) rows_.erase(rows_.begin() + row);
}

bool TXbTable::IsDeleted() const {
  const char* record = CurrentRecord();
  return record && record[0] == '*';
}

void TXbTable::Recall() {
  if (!file_) throw EDataSetError(QStringLiteral("Operáciu nemožno vykonať nad zatvoreným dátovým zdrojom."));
  CheckBrowseMode();
  if (!CanModify()) throw EDataSetError(QStringLiteral("Dátový zdroj je len na čítanie."));
  const int row = RecNo() - 1;
  if (row < 0 || !IsDeleted()) return;
  const int recNo = rows_[std::size_t(row)];
  QByteArray record(file_->RecordSize(), '\0');
  file_->LockRecord(recNo, record.data());
  DropBuffer();
  if (record[0] != '*') { // another handle recalled it first
    file_->CancelRecordLock(recNo);
    return;
  }
  record[0] = ' ';
  try {
    file_->NotifyRecalled(recNo, record.constData());
  } catch (...) {
    file_->CancelRecordLock(recNo);
    throw;
  }
  file_->UnlockRecord(recNo, record.constData());
  RecordsReplaced();
}

void TXbTable::CheckBrowseMode() {
  if (State() == TDataSetState::Edit || State() == TDataSetState::Insert) Post();
}

void TXbTable::PackTable() {
  if (!file_) throw EDataSetError(QStringLiteral("Operáciu nemožno vykonať nad zatvoreným dátovým zdrojom."));
  file_->Pack();
  BuildRows();
  RecordsReplaced();
}

// ---- index declarations --------------------------------------------------------------------------

TXbIndexDef& TXbIndexDefs::Add() {
  items_.push_back(std::make_unique<TXbIndexDef>());
  return *items_.back();
}

void TXbIndexDefs::Assign(const TXbIndexDefs& other) {
  items_.clear();
  for (const auto& item : other.items_)
    Add().Assign(*item);
}

void TXbIndexDefs::RemoveFromIndexFile() {
  std::erase_if(items_, [](const auto& item) { return item->FromIndexFile; });
}

TXbIndexDef* TXbIndexDefs::DefByIndexFile(const QString& name) const {
  for (const auto& item : items_)
    if (item->IndexFile() == name) return item.get();
  return nullptr;
}

TXbIndexDef* TXbIndexDefs::DefBySortField(const QString& text) const {
  const QString wanted = text.trimmed().toUpper();
  if (wanted.isEmpty()) return nullptr;
  for (const auto& item : items_)
    if (item->SortField().trimmed().toUpper() == wanted) return item.get();
  return nullptr;
}

// ---- index order ----------------------------------------------------------------------------------

QString TXbTable::IndexFileName(const QString& name) const {
  const QString trimmed = name.trimmed();
  return QFileInfo(trimmed).suffix().isEmpty() ? trimmed : XbPath::CompleteFileName(filePathFull_, trimmed);
}

// A new table is made with the indexes that can be built: one whose key
// cannot be (a date or logical key, an unknown field) is left out, taken back
// by OpenIndex. A failed write still fails the creation.
void TXbTable::AttachIndexes(TXbFile& file, bool create) {
  for (int i = 0; i < IndexDefs.Count(); ++i) {
    const TXbIndexDef& def = IndexDefs[i];
    if (def.FromIndexFile) continue;
    try {
      file.OpenIndex(IndexFileName(def.IndexFile()), def.SortField(), def.Options, create);
    } catch (const EXbWriteError&) {
      throw;
    } catch (const EXbError&) {
      if (!create) throw;
    }
  }
  if (!create) AddProductionIndexDefs(file);
}

// The production index's tags that no declaration names are declared, marked
// as taken from the file; those of tags gone from it are dropped.
void TXbTable::AddProductionIndexDefs(TXbFile& file) {
  IndexDefs.RemoveFromIndexFile();
  auto* production = dynamic_cast<TIndexFile*>(file.ProductionIndex());
  if (!production) return;
  for (const QString& tag : production->TagNames())
    if (!IndexDefs.DefByIndexFile(tag)) production->TagInfo(tag, IndexDefs.Add());
}

void TXbTable::SetIndexName(const QString& name) {
  indexName_ = name;
  if (!Active()) return;
  const int recNo = PhysicalRecNo();
  ApplyIndexName();
  if (State() == TDataSetState::Browse) ShowRows(recNo);
}

// Chooses the cursor for the index name: the index's tag, or physical order
// (and no name) when no attached index holds it.
void TXbTable::ApplyIndexName() {
  cursor_.reset();
  index_ = indexName_.trimmed().isEmpty() ? nullptr : file_->IndexByName(IndexFileName(indexName_));
  if (index_) {
    index_->SelectTagByName(indexName_.trimmed());
    cursor_ = std::make_unique<TIndexCursor>(index_);
    CheckMasterRange();
  } else {
    indexName_.clear();
    cursor_ = std::make_unique<TXbCursor>(file_.get());
  }
  BuildRows();
}

// Rebuilds the rows in the cursor's order and stays on the record when it is still shown.
void TXbTable::ReloadRows(int keepRecNo) {
  if (State() != TDataSetState::Browse) return;
  BuildRows();
  ShowRows(keepRecNo);
}

// Tells the rows are new and stays on the record when it is still shown.
void TXbTable::ShowRows(int keepRecNo) {
  RecordsReplaced();
  const int row = RowOfRecord(keepRecNo);
  if (row >= 0) SetRecNo(row + 1);
}

QString TXbTable::IndexFieldNames() const {
  const TXbIndexDef* def = IndexDefs.DefByIndexFile(indexName_);
  return def ? def->SortField() : QString();
}

void TXbTable::SetIndexFieldNames(const QString& expression) {
  const TXbIndexDef* def = IndexDefs.DefBySortField(expression);
  SetIndexName(def ? def->IndexFile() : QString());
}

// ---- searches and ranges --------------------------------------------------------------------------

bool TXbTable::FindKey(const QVariant& value, bool partial) {
  if (!index_ || value.isNull()) return false;
  return FindKeyBuffer(index_->KeyToBuffer(value), partial ? SearchGreaterEqual : SearchEqual);
}

bool TXbTable::FindKeyBuffer(const QByteArray& key, TSearchKind kind) {
  if (!index_ || !Active()) return false;
  if (State() != TDataSetState::Browse) Post();
  if (!index_->SearchKey(key, kind)) return false;
  // Records the rows do not show (deleted, filtered) are passed over.
  int row = RowOfRecord(index_->PhysicalRecNo());
  while (row < 0) {
    if (!index_->MoveNext()) return false;
    row = RowOfRecord(index_->PhysicalRecNo());
  }
  SetRecNo(row + 1);
  const int c = index_->CompareWithCurrent(key);
  return kind == SearchEqual ? c == 0 : kind == SearchGreaterEqual ? c <= 0 : c < 0;
}

void TXbTable::SetKeyRange(const QVariant& low, const QVariant& high) {
  if (index_) SetKeyRangeBuffer(index_->KeyToBuffer(low), index_->KeyToBuffer(high));
}

void TXbTable::SetKeyRangeBuffer(const QByteArray& low, const QByteArray& high) {
  index_->SetRange(low, high);
  ReloadRows(-1);
  if (Active() && State() == TDataSetState::Browse) First();
}

void TXbTable::CancelKeyRange() {
  if (!index_) return;
  index_->CancelRange();
  ReloadRows(PhysicalRecNo());
}

bool TXbTable::Locate(const QString& keyFields, const QVariantList& keyValues, TLocateOptions options) {
  if (!Active()) return TDataSet::Locate(keyFields, keyValues, options);
  CheckBrowseMode();
  const int before = RecNo();
  const bool found = LocateRecord(keyFields, keyValues, options);
  if (!found && before > 0 && RecNo() != before) SetRecNo(before);
  return found;
}

bool TXbTable::LocateRecord(const QString& keyFields, const QVariantList& keyValues, TLocateOptions options) {
  if (index_ && keyValues.size() == 1 && index_->TagExpression() == keyFields) {
    const bool partial = options & loPartialKey;
    if (!FindKey(keyValues.front(), partial)) return false;
    if (!partial) return true;
    // The first key not below the value: found when it begins with the value.
    const QString wanted = keyValues.front().toString();
    const QString key = DecodeText(index_->ExtractKey(CurrentRecord()));
    return key.left(wanted.size())
               .compare(wanted, (options & loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
  }
  QList<const TField*> fields;
  for (const QString& name : keyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
    fields << &FieldByName(name.trimmed());
  // One value per field, or nothing is found.
  if (fields.isEmpty() || keyValues.size() != fields.size()) return false;
  for (int row = 0; row < int(rows_.size()); ++row) {
    bool match = true;
    for (int i = 0; match && i < fields.size(); ++i)
      match = LocateMatchField(*fields[i], row, keyValues[i], i == fields.size() - 1, options);
    if (match) {
      SetRecNo(row + 1);
      return true;
    }
  }
  return false;
}

// Text compares as text (a partial key matches the beginning of the last
// field only); other values compare equal by value.
bool TXbTable::LocateMatchField(const TField& field, int row, const QVariant& value, bool last,
                                TLocateOptions options) const {
  const QVariant have = DoValue(row, field.Index());
  if (field.DataType() == TFieldType::String || field.DataType() == TFieldType::Memo) {
    const Qt::CaseSensitivity cs = (options & loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const QString text = VariantText(have), wanted = VariantText(value);
    if (text.compare(wanted, cs) == 0) return true;
    return (options & loPartialKey) && last && wanted.size() < text.size() && text.startsWith(wanted, cs);
  }
  const bool haveNull = have.isNull() || !have.isValid(), wantNull = value.isNull() || !value.isValid();
  if (haveNull || wantNull) return haveNull == wantNull;
  return QVariant::compare(have, CoerceToFieldType(value, field.DataType())) == QPartialOrdering::Equivalent;
}

const char* TXbTable::CurrentRecord() const {
  const int row = RecNo() - 1;
  return Active() && row >= 0 && row < int(rows_.size()) ? RecordOf(row) : nullptr;
}

bool TXbTable::FindRecord(bool restart, bool forward) {
  if (!Active()) return false;
  if (State() != TDataSetState::Browse) Post();
  const int count = int(rows_.size());
  const int step = forward ? 1 : -1;
  int row = restart ? (forward ? 0 : count - 1) : RecNo() - 1 + step;
  for (; row >= 0 && row < count; row += step) {
    if (FilterAccepts(RecordOf(row))) {
      SetRecNo(row + 1);
      return true;
    }
  }
  return false;
}

// ---- master link ----------------------------------------------------------------------------------

TXbMasterLink::~TXbMasterLink() {
  for (const auto& connection : connections_)
    QObject::disconnect(connection);
}

void TXbMasterLink::SetDataSource(TXbTable* master) {
  for (TXbTable* m = master; m; m = m->MasterSource())
    if (m == &detail_) throw EDataSetError(QStringLiteral("Circular datalinks are not allowed"));
  for (const auto& connection : connections_)
    QObject::disconnect(connection);
  connections_.clear();
  master_ = master;
  if (master_) {
    auto changed = [this] {
      if (Active() && ValidExpression() && MasterChanged) MasterChanged();
    };
    // Opening, closing and refreshing the master may change its layout: the
    // expression is compiled again; a move or a posted record changes the key.
    connections_ << QObject::connect(master_, &TDataSet::DataSetChanged, &detail_, [this] { ActiveChanged(); })
                 << QObject::connect(master_, &TDataSet::Scrolled, &detail_, changed)
                 << QObject::connect(master_, &TDataSet::RecordChanged, &detail_,
                                     [this, changed](int row) {
                                       if (row == master_->RecNo() - 1) changed();
                                     })
                 << QObject::connect(master_, &TXbTable::BeforePost, &detail_, [this] { detail_.CheckBrowseMode(); })
                 << QObject::connect(master_, &QObject::destroyed, &detail_, [this] {
                      master_ = nullptr;
                      connections_.clear();
                      ActiveChanged();
                    });
  }
  ActiveChanged();
}

void TXbMasterLink::SetFieldNames(const QString& expression) {
  if (expression == fieldNames_) return;
  fieldNames_ = expression;
  ActiveChanged();
}

bool TXbMasterLink::Active() const { return master_ && master_->Active() && master_->DbfFile(); }

// The expression is compiled afresh while the link is active; then the
// detail hears of the master, or of its absence.
void TXbMasterLink::ActiveChanged() {
  parser_.reset();
  auto tellDetail = [this] {
    if (!detail_.Active()) return;
    if (ValidExpression()) {
      if (MasterChanged) MasterChanged();
    } else if (MasterDisabled) {
      MasterDisabled();
    }
  };
  if (Active() && !fieldNames_.isEmpty()) {
    auto parser = std::make_unique<TXbParser>(master_->DbfFile());
    try {
      parser->PrepareExpression(fieldNames_);
    } catch (...) {
      tellDetail(); // no range is left from the former expression
      throw;
    }
    parser_ = std::move(parser);
  }
  tellDetail();
}

const TExprValue& TXbMasterLink::KeyFromMaster() const {
  const char* record = master_->CurrentRecord();
  QByteArray blank;
  if (!record) {
    blank.resize(master_->DbfFile()->RecordSize());
    master_->DbfFile()->InitRecord(blank.data());
    record = blank.constData();
  }
  return parser_->EvaluateRecord(record);
}

void TXbTable::MasterChanged() {
  CheckBrowseMode();
  CheckMasterRange();
}

void TXbTable::MasterDisabled() { CancelKeyRange(); }

// Limits the selected index to the key of the master's current record.
void TXbTable::CheckMasterRange() {
  if (!masterLink_.Active() || !masterLink_.ValidExpression() || !index_) return;
  const QByteArray key = index_->PrepareKey(masterLink_.KeyFromMaster());
  SetKeyRangeBuffer(key, key);
}
