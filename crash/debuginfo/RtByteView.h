#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QtGlobal>
#include <cstring>
#include <optional>

// A window on bytes that belong to someone else (a mapped file, a module's
// memory, a buffer). Every read is checked against the window, so data read
// from outside files can never lead a reader beyond it.
class TRtByteView {
public:
  TRtByteView() = default;
  TRtByteView(const uchar* data, quint64 size) : data_(size ? data : nullptr), size_(data ? size : 0) {}

  const uchar* Data() const { return data_; }
  quint64 Size() const { return size_; }
  bool IsEmpty() const { return size_ == 0; }

  // True when length bytes from offset lie inside the window.
  bool Contains(quint64 offset, quint64 length) const { return offset <= size_ && length <= size_ - offset; }
  // The bytes at offset when length of them lie inside; null otherwise.
  const uchar* At(quint64 offset, quint64 length) const { return Contains(offset, length) ? data_ + offset : nullptr; }
  // The part of the window from offset on, cut to length; empty when offset lies outside.
  TRtByteView Sub(quint64 offset, quint64 length) const {
    if (offset > size_) return {};
    return {data_ + offset, qMin(length, size_ - offset)};
  }

  // Little-endian values; none when they would leave the window.
  template <typename T> std::optional<T> Read(quint64 offset) const {
    const uchar* p = At(offset, sizeof(T));
    if (!p) return std::nullopt;
    T value = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
      value = T(value | (T(p[i]) << (8 * i)));
    return value;
  }
  std::optional<quint8> U8(quint64 offset) const { return Read<quint8>(offset); }
  std::optional<quint16> U16(quint64 offset) const { return Read<quint16>(offset); }
  std::optional<quint32> U32(quint64 offset) const { return Read<quint32>(offset); }

  // The text of a NUL-terminated byte string at offset, at most maxLength
  // bytes; none when it does not end inside the window within that length.
  std::optional<QByteArray> CString(quint64 offset, quint64 maxLength = 4096) const {
    if (offset >= size_) return std::nullopt;
    const quint64 limit = qMin(maxLength + 1, size_ - offset);
    const void* end = std::memchr(data_ + offset, 0, size_t(limit));
    if (!end) return std::nullopt;
    return QByteArray(reinterpret_cast<const char*>(data_ + offset),
                      qsizetype(static_cast<const uchar*>(end) - (data_ + offset)));
  }

private:
  const uchar* data_ = nullptr;
  quint64 size_ = 0;
};
