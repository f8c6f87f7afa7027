#include "dbase/xb_pgfile.h"
#include "dbase/xb_codepages.h"
#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QThread>
#include <QtCore/QtEndian>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Byte-range locks are taken per open file (not per process), so that two
// handles of one process exclude each other as two processes do.
bool OfdLock(int fd, short type, qint64 start, qint64 length, bool* violation) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = off_t(start);
  lock.l_len = off_t(length);
  lock.l_pid = 0;
  if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) return true;
  if (violation) *violation = errno == EAGAIN || errno == EACCES;
  return false;
}

// A writable handle holds a shared lock on this byte beyond any data; an
// exclusive handle holds it exclusively, so writers exclude each other as
// deny-write sharing does, while read-only handles stay possible.
constexpr qint64 kWriterByte = 0xF0000001LL;

} // namespace

bool IsCreating(PagedFileMode mode) {
  return mode == PagedFileMode::MemoryNew || mode == PagedFileMode::ExclusiveNew || mode == PagedFileMode::SharedNew;
}

bool IsShared(PagedFileMode mode) {
  return mode == PagedFileMode::SharedNew || mode == PagedFileMode::SharedExisting ||
         mode == PagedFileMode::ReadOnlyShared;
}

bool IsMemoryMode(PagedFileMode mode) {
  return mode == PagedFileMode::MemoryNew || mode == PagedFileMode::MemoryExisting;
}

// ---- TPagedFile ----------------------------------------------------------

TPagedFile::TPagedFile() = default;

TPagedFile::~TPagedFile() {
  try {
    Close();
  } catch (...) {
    // A destructor must not throw; a failed flush is already in WriteFailed.
  }
}

void TPagedFile::SetFileName(const QString& name) {
  if (!active_) fileName_ = name;
}

void TPagedFile::AttachStream(QBuffer* stream) {
  if (active_) return;
  ownMemory_.reset();
  memory_ = stream;
}

std::unique_ptr<QBuffer> TPagedFile::TakeOwnMemoryStream() { return std::move(ownMemory_); }

void TPagedFile::SetHeaderOffset(int offset) {
  if (offset == headerOffset_) return;
  FlushHeader();
  headerOffset_ = offset;
}

void TPagedFile::SetRecordSize(int size) {
  recordSize_ = size;
  pageSize_ = size;
  countStale_ = true;
}

void TPagedFile::SetPageSize(int size) {
  pageSize_ = size;
  countStale_ = true;
}

void TPagedFile::SetHeaderSize(int size) {
  if (size == headerSize_) return;
  FlushHeader();
  headerSize_ = size;
  header_ = QByteArray(size, '\0');
  countStale_ = true;
  ReloadHeader();
}

void TPagedFile::SetPagesAfterHeader(bool value) {
  pagesAfterHeader_ = value;
  countStale_ = true;
}

void TPagedFile::SetMode(PagedFileMode mode) {
  if (!active_) mode_ = userMode_ = mode;
}

void TPagedFile::SetCreateIfMissing(bool value) {
  if (!active_) createIfMissing_ = value;
}

void TPagedFile::Open() {
  if (active_) return;
  userMode_ = mode_;
  if (IsMemoryMode(mode_))
    OpenMemory();
  else
    OpenDisk();
  cachedSize_ = StreamSize();
  countStale_ = true;
  needsLocks_ = IsShared(mode_);
  active_ = true;
}

void TPagedFile::OpenMemory() {
  if (!memory_) {
    ownMemory_ = std::make_unique<QBuffer>();
    memory_ = ownMemory_.get();
    mode_ = PagedFileMode::MemoryNew;
  }
  if (!memory_->isOpen()) memory_->open(QIODevice::ReadWrite);
  stream_ = memory_;
}

void TPagedFile::OpenDisk() {
  if (!QFileInfo::exists(fileName_)) {
    if (createIfMissing_) {
      if (mode_ == PagedFileMode::ExclusiveExisting) mode_ = PagedFileMode::ExclusiveNew;
      if (mode_ == PagedFileMode::SharedExisting || mode_ == PagedFileMode::ReadOnlyShared)
        mode_ = PagedFileMode::SharedNew;
    }
    if (!IsCreating(mode_)) {
      mode_ = userMode_;
      throw Exception(XbMessages::FileNotFound().arg(fileName_));
    }
    QFile created(fileName_);
    if (!created.open(QIODevice::WriteOnly)) {
      mode_ = userMode_;
      throw EFOpenError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName_, created.errorString()));
    }
  }
  const bool writable = mode_ != PagedFileMode::ReadOnlyShared;
  auto file = std::make_unique<QFile>(fileName_);
  if (!file->open((writable ? QIODevice::ReadWrite : QIODevice::ReadOnly) | QIODevice::Unbuffered)) {
    mode_ = userMode_;
    throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName_, file->errorString()));
  }
  file_ = std::move(file);
  stream_ = file_.get();
  try {
    TakeSharingLocks();
  } catch (...) {
    file_.reset();
    stream_ = nullptr;
    mode_ = userMode_;
    throw;
  }
  if (IsCreating(mode_)) file_->resize(0);
}

void TPagedFile::TakeSharingLocks() {
  if (mode_ == PagedFileMode::ReadOnlyShared) return;
  const bool exclusive = !IsShared(mode_);
  if (!OfdLock(file_->handle(), exclusive ? F_WRLCK : F_RDLCK, kWriterByte, 1, nullptr))
    throw EFOpenError(QStringLiteral("Cannot open file \"%1\". The file is in use.").arg(fileName_));
}

void TPagedFile::Close() {
  if (!active_) return;
  FlushPending();
  FlushHeader();
  if (IsMemoryMode(mode_)) {
    stream_ = memory_;
  } else {
    file_.reset();
    stream_ = nullptr;
  }
  mode_ = userMode_;
  active_ = false;
  cachedRecordCount_ = 0;
}

void TPagedFile::DeleteFromDisk() {
  if (!active_ && !fileName_.isEmpty()) QFile::remove(fileName_);
}

void TPagedFile::RequireExclusive() const {
  if (IsShared(mode_)) throw EXbError(XbMessages::NeedExclusive());
}

void TPagedFile::AttemptExclusive() {
  if (temporaryMode_ != PagedFileMode::NotOpen || !IsShared(mode_)) return;
  temporaryMode_ =
      mode_ == PagedFileMode::ReadOnlyShared ? PagedFileMode::ReadOnlyShared : PagedFileMode::SharedExisting;
  Close();
  mode_ = PagedFileMode::ExclusiveExisting;
  try {
    Open();
  } catch (const EFOpenError&) {
    LeaveExclusive();
  }
}

void TPagedFile::LeaveExclusive() {
  if (temporaryMode_ == PagedFileMode::NotOpen) return;
  Close();
  mode_ = temporaryMode_;
  temporaryMode_ = PagedFileMode::NotOpen;
  Open();
}

qint64 TPagedFile::StreamSize() const {
  const_cast<TPagedFile*>(this)->FlushPending();
  if (file_) {
    struct stat info {};
    return ::fstat(file_->handle(), &info) == 0 ? qint64(info.st_size) : 0;
  }
  return stream_ ? stream_->size() : 0;
}

void TPagedFile::SetStreamSize(qint64 size) {
  FlushPending();
  if (file_)
    file_->resize(size);
  else if (memory_)
    memory_->buffer().resize(size);
}

// A disk file is read and written at an offset in one call each: no size
// asked, no seek (a read beyond the end gives 0 bytes).
qint64 TPagedFile::ReadAt(qint64 offset, char* buffer, qint64 length) {
  if (offset < 0) return 0;
  if (!pending_.isEmpty() && offset + length > pendingAt_) FlushPending();
  if (file_) {
    qint64 done = 0;
    while (done < length) {
      const ssize_t n = ::pread(file_->handle(), buffer + done, size_t(length - done), off_t(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += n;
    }
    return done;
  }
  // Seeking a memory stream past its end would lengthen it, so such reads stop here.
  if (!stream_ || offset >= stream_->size() || !stream_->seek(offset)) return 0;
  const qint64 n = stream_->read(buffer, length);
  return n < 0 ? 0 : n;
}

TMappedBytes::TMappedBytes(int fd, qint64 offset, qint64 length) {
  struct stat status {};
  if (offset < 0 || length <= 0 || ::fstat(fd, &status) != 0) return;
  length = std::min<qint64>(length, qint64(status.st_size) - offset);
  if (length <= 0) return;
  const qint64 page = sysconf(_SC_PAGESIZE);
  const qint64 start = offset / page * page;
  mapped_ = std::size_t(offset - start + length);
  void* base = ::mmap(nullptr, mapped_, PROT_READ, MAP_SHARED, fd, off_t(start));
  if (base == MAP_FAILED) {
    mapped_ = 0;
    return;
  }
  base_ = base;
  bytes_ = QByteArrayView(static_cast<const char*>(base) + (offset - start), length);
}

TMappedBytes::TMappedBytes(TMappedBytes&& other) noexcept
    : base_(std::exchange(other.base_, nullptr)), mapped_(std::exchange(other.mapped_, 0)),
      bytes_(std::exchange(other.bytes_, {})) {}

TMappedBytes::~TMappedBytes() {
  if (base_) ::munmap(base_, mapped_);
}

// Appended records still gathered in memory reach the file first, so the mapping shows them.
TMappedBytes TPagedFile::MapForReading(qint64 offset, qint64 length) {
  if (!file_) return {};
  if (!pending_.isEmpty()) FlushPending();
  return TMappedBytes(file_->handle(), offset, length);
}

qint64 TPagedFile::WriteAt(qint64 offset, const char* buffer, qint64 length) {
  if (offset < 0) return 0;
  if (!pending_.isEmpty() && offset + length > pendingAt_) FlushPending();
  return RawWriteAt(offset, buffer, length);
}

qint64 TPagedFile::RawWriteAt(qint64 offset, const char* buffer, qint64 length) {
  if (file_) {
    qint64 done = 0;
    while (done < length) {
      const ssize_t n = ::pwrite(file_->handle(), buffer + done, size_t(length - done), off_t(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += n;
    }
    return done;
  }
  if (!stream_) return 0;
  if (offset > stream_->size() && memory_ && stream_ == memory_) memory_->buffer().resize(offset, '\0');
  if (!stream_->seek(offset)) return 0;
  const qint64 n = stream_->write(buffer, length);
  return n < 0 ? 0 : n;
}

void TPagedFile::NoteOffset(qint64 offset) {
  if (offset > cachedSize_) {
    cachedSize_ = offset;
    countStale_ = true;
  }
}

void TPagedFile::ReloadHeader() {
  FlushHeader();
  if (headerSize_ == 0) return;
  header_.fill('\0');
  // Bytes beyond the end of the file are not read and stay zero.
  if (active_) ReadAt(headerOffset_, header_.data(), headerSize_);
}

void TPagedFile::FlushHeader() {
  if (!headerModified_ || !active_) return;
  const qint64 written = WriteAt(headerOffset_, header_.constData(), headerSize_);
  if (written <= 0 && headerSize_ > 0) writeFailed_ = true;
  NoteOffset(headerOffset_ + written);
  headerModified_ = false;
}

void TPagedFile::WriteHeader() {
  headerModified_ = true;
  if (needsLocks_) FlushHeader();
}

qint64 TPagedFile::PageOffset(int page) const {
  if (pagesAfterHeader_) return page == 0 ? 0 : qint64(headerOffset_) + headerSize_ + qint64(pageSize_) * (page - 1);
  return qint64(pageSize_) * page;
}

int TPagedFile::RecordCount() {
  if (needsLocks_ && active_) {
    const qint64 size = StreamSize();
    if (size != cachedSize_) {
      cachedSize_ = size;
      countStale_ = true;
    }
  }
  if (countStale_) {
    qint64 count = 0;
    if (pageSize_ != 0 && active_)
      count = pagesAfterHeader_ ? (cachedSize_ - headerSize_ - headerOffset_) / pageSize_ : cachedSize_ / pageSize_;
    recordCount_ = int(std::clamp<qint64>(count, 0, std::numeric_limits<int>::max()));
    countStale_ = false;
  }
  return recordCount_;
}

void TPagedFile::SetRecordCount(int count) {
  if (count == RecordCount()) return;
  cachedSize_ =
      pagesAfterHeader_ ? qint64(headerSize_) + headerOffset_ + qint64(pageSize_) * count : qint64(pageSize_) * count;
  recordCount_ = count;
  countStale_ = false;
  SetStreamSize(cachedSize_);
}

bool TPagedFile::HasRecord(int number) {
  if (!IsShared(mode_) || number > cachedRecordCount_) cachedRecordCount_ = RecordCount();
  return number >= 0 && number <= cachedRecordCount_;
}

int TPagedFile::ReadRecord(int number, char* buffer) {
  // A read beyond the end does not make the file longer, so the count stays.
  return int(ReadAt(PageOffset(number), buffer, recordSize_));
}

int TPagedFile::ReadRecords(int first, int count, char* buffer) {
  return int(ReadAt(PageOffset(first), buffer, qint64(recordSize_) * count));
}

void TPagedFile::WriteRecord(int number, const char* buffer) {
  const qint64 offset = PageOffset(number);
  if (KeepPending(offset, buffer)) {
    NoteOffset(offset + recordSize_);
    return;
  }
  const qint64 written = WriteAt(offset, buffer, recordSize_);
  if (written <= 0 && recordSize_ > 0) writeFailed_ = true;
  NoteOffset(offset + written);
}

// A disk file that no other process writes gathers the records appended at
// its end and writes them in one piece (when 256 KiB are gathered, and
// before anything reads, writes or measures beyond their start); a shared
// file writes every record at once, so other processes see it.
bool TPagedFile::KeepPending(qint64 offset, const char* buffer) {
  if (!file_ || needsLocks_ || recordSize_ <= 0) return false;
  const qint64 end = pendingAt_ + pending_.size();
  if (!pending_.isEmpty() && offset >= pendingAt_ && offset + recordSize_ <= end) {
    std::memcpy(pending_.data() + (offset - pendingAt_), buffer, size_t(recordSize_));
    return true;
  }
  if (!pending_.isEmpty() && offset != end) FlushPending();
  if (pending_.isEmpty()) {
    if (offset + recordSize_ <= cachedSize_) return false; // not an append
    pendingAt_ = offset;
  }
  pending_.append(buffer, recordSize_);
  if (pending_.size() >= kPendingBytes) FlushPending();
  return true;
}

void TPagedFile::FlushPending() {
  if (pending_.isEmpty()) return;
  const QByteArray data = std::move(pending_);
  pending_ = QByteArray();
  if (RawWriteAt(pendingAt_, data.constData(), data.size()) != data.size()) writeFailed_ = true;
}

int TPagedFile::ReadByte() {
  char byte = 0;
  return stream_ && stream_->read(&byte, 1) == 1 ? static_cast<unsigned char>(byte) : -1;
}

void TPagedFile::WriteByte(quint8 value) {
  const char byte = char(value);
  if (!stream_ || stream_->write(&byte, 1) != 1) writeFailed_ = true;
}

bool TPagedFile::PageLockRange(int page, quint32* offset, quint32* length) const {
  if (pageNumberLocks_) {
    if (quint32(page) > 0xEFFFFFFEu) return false;
    *offset = 0xEFFFFFFEu - quint32(page);
    *length = 1;
  } else {
    *offset = quint32(PageOffset(page));
    *length = quint32(recordSize_);
  }
  return true;
}

bool TPagedFile::LockPage(int page, bool wait) {
  if (!needsLocks_) return true;
  quint32 offset = 0, length = 0;
  return PageLockRange(page, &offset, &length) && LockRange(offset, length, wait);
}

void TPagedFile::UnlockPage(int page) {
  if (!needsLocks_) return;
  quint32 offset = 0, length = 0;
  if (PageLockRange(page, &offset, &length)) UnlockRange(offset, length);
}

bool TPagedFile::LockRange(quint32 offset, quint32 length, bool wait) {
  if (!file_) return true;
  const short type = mode_ == PagedFileMode::ReadOnlyShared ? F_RDLCK : F_WRLCK;
  for (;;) {
    bool violation = false;
    if (OfdLock(file_->handle(), type, offset, length, &violation)) return true;
    if (!wait || !violation) return false;
    QThread::msleep(10);
  }
}

bool TPagedFile::UnlockRange(quint32 offset, quint32 length) {
  if (!file_) return true;
  return OfdLock(file_->handle(), F_UNLCK, offset, length, nullptr);
}

// ---- paths -----------------------------------------------------------------

namespace XbPath {

namespace {
bool IsSeparator(QChar c) { return c == QLatin1Char('\\') || c == QLatin1Char('/'); }
} // namespace

bool IsFullPath(const QString& path) {
  if (path.startsWith(QLatin1Char('/'))) return true;
  if (path.size() < 2) return false;
  const QChar first = path[0];
  const bool drive = path[1] == QLatin1Char(':') && ((first >= QLatin1Char('A') && first <= QLatin1Char('Z')) ||
                                                     (first >= QLatin1Char('a') && first <= QLatin1Char('z')));
  return drive || path.startsWith(QLatin1String("\\\\"));
}

QString WithTrailingBackslash(const QString& path) {
  if (path.isEmpty()) return QStringLiteral("/");
  return IsSeparator(path.back()) ? path : path + QLatin1Char('/');
}

QString CompletePath(const QString& base, const QString& path) {
  if (IsFullPath(path)) return WithTrailingBackslash(path);
  QString root;
  if (base.isEmpty())
    root = QDir::currentPath();
  else
    root = IsFullPath(base) ? base : QDir::current().absoluteFilePath(base);
  return path.isEmpty() ? WithTrailingBackslash(root) : WithTrailingBackslash(WithTrailingBackslash(root) + path);
}

QString CompleteFileName(const QString& base, const QString& fileName) {
  qsizetype cut = fileName.size();
  while (cut > 0 && !IsSeparator(fileName[cut - 1]))
    --cut;
  return CompletePath(base, fileName.left(cut)) + fileName.mid(cut);
}

} // namespace XbPath

// ---- numbers ---------------------------------------------------------------

namespace {

template <typename T> int DigitsOf(T value, char* destination) {
  using U = std::make_unsigned_t<T>;
  U magnitude = value < 0 ? U(0) - U(value) : U(value);
  char digits[24];
  int count = 0;
  do {
    digits[count++] = char('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  for (int i = 0; i < count; ++i)
    destination[i] = digits[count - 1 - i];
  return count;
}

// Fields are a few characters wide: plain loops, no library calls.
template <typename T> bool ToTextWidth(T value, int width, char* destination, char pad) {
  if (width <= 0) return true;
  using U = std::make_unsigned_t<T>;
  U magnitude = value < 0 ? U(0) - U(value) : U(value);
  char digits[24];
  char* const end = digits + sizeof digits;
  char* first = end;
  do {
    *--first = char('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  const int count = int(end - first);
  if (count + (value < 0 ? 1 : 0) > width) return false;
  char* out = destination + width;
  for (char* digit = end; digit > first;)
    *--out = *--digit;
  while (out > destination)
    *--out = pad;
  if (value < 0) destination[pad == '0' ? 0 : width - count - 1] = '-';
  return true;
}

} // namespace

int IntToText(qint32 value, char* destination) { return DigitsOf(value, destination); }
int Int64ToText(qint64 value, char* destination) { return DigitsOf(value, destination); }
bool IntToTextWidth(qint32 value, int width, char* destination, char pad) {
  return ToTextWidth(value, width, destination, pad);
}
bool Int64ToTextWidth(qint64 value, int width, char* destination, char pad) {
  return ToTextWidth(value, width, destination, pad);
}

quint32 SwapBytes32(quint32 value) { return qbswap(value); }

void SwapBytes64(const void* source, void* destination) {
  unsigned char bytes[8];
  std::memcpy(bytes, source, 8);
  std::reverse(bytes, bytes + 8);
  std::memcpy(destination, bytes, 8);
}

namespace {
// Day number (0001-01-01 = 1) of the date-time epoch 30.12.1899.
constexpr double kEpochDay = 693594.0;
} // namespace

double DateTimeToMilliseconds(TDateTime value) {
  const double days = std::trunc(value);
  const double time = std::fabs(value - days);
  return (days + kEpochDay) * DateTime::kMsPerDay + std::round(time * DateTime::kMsPerDay);
}

TDateTime MillisecondsToDateTime(double milliseconds) {
  const double total = std::round(milliseconds);
  const double days = std::floor(total / DateTime::kMsPerDay);
  const double time = (total - days * DateTime::kMsPerDay) / DateTime::kMsPerDay;
  const double day = days - kEpochDay;
  return day >= 0 ? day + time : day - time;
}

int TranslateText(int fromCodePage, int toCodePage, const char* source, char* destination, int length) {
  if (length == -1) length = int(std::strlen(source));
  if (length <= 0) return length;
  if (fromCodePage == toCodePage) {
    if (destination != source) std::memmove(destination, source, size_t(length));
    return length;
  }
  const QString text = XbCodePages::Decode(fromCodePage, QByteArrayView(source, length));
  const QByteArray bytes = XbCodePages::Encode(toCodePage, text);
  std::memcpy(destination, bytes.constData(), size_t(std::min<qsizetype>(bytes.size(), length)));
  return length;
}

std::optional<int> FindByte(const char* buffer, char value, int length) {
  if (length <= 0) return std::nullopt;
  const void* found = std::memchr(buffer, value, size_t(length));
  if (!found) return std::nullopt;
  return int(static_cast<const char*>(found) - buffer);
}
