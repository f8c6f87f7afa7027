#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <utility>

// Little-endian readers and writers of the program's binary files (templates,
// prepared pages, dBASE headers). Strings are code page 1250 bytes.

// Reads from a byte buffer it does not own; every read past the end throws
// EStreamError, so truncated files fail cleanly.
class TBinaryReader {
public:
  explicit TBinaryReader(QByteArrayView data) : data_(data) {}

  qsizetype Position() const { return pos_; }
  void Seek(qsizetype position);
  qsizetype Size() const { return data_.size(); }
  qsizetype Remaining() const { return data_.size() - pos_; }
  bool AtEnd() const { return pos_ >= data_.size(); }

  quint8 ReadByte();
  quint16 ReadUInt16();
  qint16 ReadInt16() { return qint16(ReadUInt16()); }
  quint32 ReadUInt32();
  qint32 ReadInt32() { return qint32(ReadUInt32()); }
  qint64 ReadInt64();
  float ReadSingle();
  double ReadDouble();
  QByteArray ReadBytes(qsizetype count);
  // `count` code page 1250 bytes as text.
  QString ReadCp1250(qsizetype count);

private:
  void Need(qsizetype count) const;
  QByteArrayView data_;
  qsizetype pos_ = 0;
};

// Appends to a byte buffer it owns.
class TBinaryWriter {
public:
  TBinaryWriter() = default;
  // Continues after the given bytes; positions count from their start.
  explicit TBinaryWriter(QByteArray start) : data_(std::move(start)) {}

  const QByteArray& Data() const { return data_; }
  QByteArray TakeData() { return std::exchange(data_, {}); }
  qsizetype Size() const { return data_.size(); }

  void WriteByte(quint8 value) { data_.append(char(value)); }
  void WriteUInt16(quint16 value);
  void WriteInt16(qint16 value) { WriteUInt16(quint16(value)); }
  void WriteUInt32(quint32 value);
  void WriteInt32(qint32 value) { WriteUInt32(quint32(value)); }
  void WriteInt64(qint64 value);
  void WriteSingle(float value);
  void WriteDouble(double value);
  void WriteBytes(QByteArrayView bytes) { data_.append(bytes); }
  // The text as code page 1250 bytes, no length; throws ECodePageError when
  // a character does not fit the code page.
  void WriteCp1250(QStringView text);
  // Overwrites already written bytes (length fields filled in afterwards).
  void PatchUInt32(qsizetype position, quint32 value);

private:
  // Makes room for `count` more bytes at the end; returns where they start.
  qsizetype Grow(qsizetype count);
  QByteArray data_;
};
