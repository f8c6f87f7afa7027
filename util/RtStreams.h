#pragma once
#include "platform/base/FileMapping.h"
#include <QtCore/QByteArrayView>
#include <QtCore/QString>

// Read-mostly memory streams: over a mapped file and over memory that the
// stream does not own.

class TRtCustomMemoryStream {
public:
  virtual ~TRtCustomMemoryStream() = default;

  const uchar* Memory() const { return memory_; }
  qint64 Size() const { return size_; }
  QByteArrayView View() const { return {memory_, size_}; }
  qint64 Position() const { return position_; }
  // Moves the position, clamped to 0 .. Size().
  void Seek(qint64 position);
  // Copies up to count bytes from the position; the number copied.
  qint64 Read(void* buffer, qint64 count);
  virtual qint64 Write(const void* buffer, qint64 count) = 0;

protected:
  void SetPointer(uchar* memory, qint64 size);
  uchar* WritableMemory() const { return memory_; }

private:
  uchar* memory_ = nullptr;
  qint64 size_ = 0;
  qint64 position_ = 0;
};

enum class TFileOpenMode { Read, ReadWrite };

// The whole file mapped: read-only, or for ReadWrite copy-on-write, so that
// writes change only this process's copy. Errors: EOSError when the file
// cannot be opened, ERtFileMappingError "Failed to create FileMapping",
// ERtFileMappingViewError "Failed to obtain size of file".
class TRtFileMappingStream : public TRtCustomMemoryStream {
public:
  TRtFileMappingStream(const QString& fileName, TFileOpenMode mode);
  // Copies into the memory when the bytes fit in the rest of the stream and
  // the stream was opened ReadWrite; otherwise writes nothing and returns 0.
  qint64 Write(const void* buffer, qint64 count) override;

private:
  TFileMapping mapping_;
  TFileOpenMode mode_;
};

// A stream over memory owned by someone else; every write raises ERtError
// "Can not write to a read-only memory stream".
class TRtReferenceMemoryStream : public TRtCustomMemoryStream {
public:
  // ERtError when memory is null and size is not 0.
  TRtReferenceMemoryStream(const void* memory, qint64 size);
  qint64 Write(const void* buffer, qint64 count) override;
};
