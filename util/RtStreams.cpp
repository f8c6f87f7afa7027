#include "util/RtStreams.h"
#include "util/RtErrors.h"
#include <cerrno>
#include <cstring>

void TRtCustomMemoryStream::SetPointer(uchar* memory, qint64 size) {
  memory_ = memory;
  size_ = size;
  position_ = 0;
}

void TRtCustomMemoryStream::Seek(qint64 position) { position_ = std::clamp<qint64>(position, 0, size_); }

qint64 TRtCustomMemoryStream::Read(void* buffer, qint64 count) {
  const qint64 n = std::clamp<qint64>(count, 0, size_ - position_);
  if (n > 0) std::memcpy(buffer, memory_ + position_, size_t(n));
  position_ += n;
  return n;
}

TRtFileMappingStream::TRtFileMappingStream(const QString& fileName, TFileOpenMode mode) : mode_(mode) {
  errno = 0;
  if (mapping_.Open(fileName, mode == TFileOpenMode::ReadWrite)) {
    SetPointer(mapping_.Data(), mapping_.Size());
    return;
  }
  switch (mapping_.Failure()) {
  case TFileMapping::TFailure::Size:
    throw ERtFileMappingViewError(QStringLiteral("Failed to obtain size of file"), errno);
  case TFileMapping::TFailure::Map:
    throw ERtFileMappingError(QStringLiteral("Failed to create FileMapping"), errno);
  default:
    RaiseLastSystemError();
  }
}

qint64 TRtFileMappingStream::Write(const void* buffer, qint64 count) {
  // A read-only view is not writable memory: writing into it would crash.
  if (mode_ != TFileOpenMode::ReadWrite || count < 0 || count > Size() - Position()) return 0;
  std::memcpy(WritableMemory() + Position(), buffer, size_t(count));
  Seek(Position() + count);
  return count;
}

TRtReferenceMemoryStream::TRtReferenceMemoryStream(const void* memory, qint64 size) {
  if (!memory && size != 0) throw ERtError(QStringLiteral("Assertion failed: memory not readable (RtSysUtils)"));
  SetPointer(static_cast<uchar*>(const_cast<void*>(memory)), size);
}

qint64 TRtReferenceMemoryStream::Write(const void*, qint64) {
  throw ERtError(QStringLiteral("Can not write to a read-only memory stream"));
}
