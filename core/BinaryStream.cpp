#include "core/BinaryStream.h"
#include "core/CodePage1250.h"
#include "core/Exception.h"
#include <QtCore/QtEndian>
#include <cstring>

void TBinaryReader::Need(qsizetype count) const {
  if (count < 0 || count > Remaining())
    throw EStreamError(QStringLiteral("Neočakávaný koniec údajov (pozícia %1, treba %2 bajtov, zostáva %3).")
                           .arg(pos_)
                           .arg(count)
                           .arg(Remaining()));
}

void TBinaryReader::Seek(qsizetype position) {
  if (position < 0 || position > data_.size())
    throw EStreamError(QStringLiteral("Pozícia %1 leží mimo údajov dĺžky %2.").arg(position).arg(data_.size()));
  pos_ = position;
}

quint8 TBinaryReader::ReadByte() {
  Need(1);
  return quint8(data_[pos_++]);
}

quint16 TBinaryReader::ReadUInt16() {
  Need(2);
  const quint16 v = qFromLittleEndian<quint16>(data_.data() + pos_);
  pos_ += 2;
  return v;
}

quint32 TBinaryReader::ReadUInt32() {
  Need(4);
  const quint32 v = qFromLittleEndian<quint32>(data_.data() + pos_);
  pos_ += 4;
  return v;
}

qint64 TBinaryReader::ReadInt64() {
  Need(8);
  const qint64 v = qFromLittleEndian<qint64>(data_.data() + pos_);
  pos_ += 8;
  return v;
}

float TBinaryReader::ReadSingle() {
  const quint32 bits = ReadUInt32();
  float v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

double TBinaryReader::ReadDouble() {
  const quint64 bits = quint64(ReadInt64());
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

QByteArray TBinaryReader::ReadBytes(qsizetype count) {
  Need(count);
  QByteArray bytes(data_.data() + pos_, count);
  pos_ += count;
  return bytes;
}

QString TBinaryReader::ReadCp1250(qsizetype count) {
  Need(count);
  const QString text = Cp1250::Decode(data_.sliced(pos_, count));
  pos_ += count;
  return text;
}

void TBinaryWriter::WriteUInt16(quint16 value) {
  const qsizetype at = Grow(2);
  qToLittleEndian(value, data_.data() + at);
}

void TBinaryWriter::WriteUInt32(quint32 value) {
  const qsizetype at = Grow(4);
  qToLittleEndian(value, data_.data() + at);
}

void TBinaryWriter::WriteInt64(qint64 value) {
  const qsizetype at = Grow(8);
  qToLittleEndian(value, data_.data() + at);
}

qsizetype TBinaryWriter::Grow(qsizetype count) {
  // Prepared pages write millions of small numbers: growing the array in
  // place costs a fraction of appending a copy of each.
  const qsizetype at = data_.size();
  data_.resize(at + count);
  return at;
}

void TBinaryWriter::WriteSingle(float value) {
  quint32 bits;
  std::memcpy(&bits, &value, sizeof bits);
  WriteUInt32(bits);
}

void TBinaryWriter::WriteDouble(double value) {
  qint64 bits;
  std::memcpy(&bits, &value, sizeof bits);
  WriteInt64(bits);
}

void TBinaryWriter::WriteCp1250(QStringView text) { data_.append(Cp1250::Encode(text)); }

void TBinaryWriter::PatchUInt32(qsizetype position, quint32 value) {
  if (position < 0 || position + 4 > data_.size())
    throw EStreamError(QStringLiteral("Pozícia %1 leží mimo zapísaných údajov.").arg(position));
  qToLittleEndian(value, data_.data() + position);
}
