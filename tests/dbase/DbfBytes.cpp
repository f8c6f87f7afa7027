#include "DbfBytes.h"
#include <QtCore/QFile>

namespace DbfBytes {

void PutLe16(QByteArray& b, int at, quint16 v) {
  b[at] = char(v & 0xFF);
  b[at + 1] = char(v >> 8);
}

void PutLe32(QByteArray& b, int at, quint32 v) {
  for (int i = 0; i < 4; ++i)
    b[at + i] = char((v >> (8 * i)) & 0xFF);
}

void PutBe32(QByteArray& b, int at, quint32 v) {
  for (int i = 0; i < 4; ++i)
    b[at + i] = char((v >> (8 * (3 - i))) & 0xFF);
}

quint32 Le32(const char* p) {
  quint32 v = 0;
  for (int i = 0; i < 4; ++i)
    v |= quint32(static_cast<unsigned char>(p[i])) << (8 * i);
  return v;
}

int RecordSize(const Table& t) {
  int size = 1;
  for (const Field& f : t.fields)
    size += f.size;
  return size;
}

QByteArray LeftText(const QByteArray& text, int size) { return text.leftJustified(size, ' ', true); }
QByteArray RightText(const QByteArray& text, int size) { return text.rightJustified(size, ' ', true); }

QByteArray Record(const Table& t, const QList<QByteArray>& values, bool deleted) {
  QByteArray r(1, deleted ? '*' : ' ');
  for (int i = 0; i < t.fields.size(); ++i)
    r += values.value(i).leftJustified(t.fields[i].size, ' ', true);
  return r;
}

QByteArray Build(const Table& t) {
  const int fixed = t.dbase7 ? 68 : 32, step = t.dbase7 ? 48 : 32;
  const int headerSize = fixed + int(t.fields.size()) * step + 1 + int(t.afterTerminator.size()) + (t.foxPro ? 263 : 0);
  QByteArray h(headerSize, '\0');
  h[0] = char(t.version);
  h[1] = char(124), h[2] = 5, h[3] = 17;
  PutLe32(h, 4, quint32(t.headerCount >= 0 ? t.headerCount : t.records.size()));
  PutLe16(h, 8, quint16(headerSize));
  PutLe16(h, 10, quint16(RecordSize(t)));
  h[28] = char(t.productionIndex);
  h[29] = char(t.language);
  if (t.dbase7) h.replace(32, t.languageName.size(), t.languageName);
  int at = fixed, offset = 1;
  for (const Field& f : t.fields) {
    h.replace(at, f.name.size(), f.name);
    if (t.dbase7) {
      h[at + 32] = f.type;
      h[at + 33] = char(f.size);
      h[at + 34] = char(f.decimals);
    } else {
      h[at + 11] = f.type;
      if (t.foxPro) PutLe32(h, at + 12, quint32(offset));
      h[at + 16] = char(f.size & 0xFF);
      h[at + 17] = char(t.foxPro && f.type == 'C' ? f.size >> 8 : f.decimals);
      h[at + 18] = char(f.flags);
    }
    offset += f.size;
    at += step;
  }
  h[at] = 0x0D;
  h.replace(at + 1, t.afterTerminator.size(), t.afterTerminator);
  QByteArray file = h;
  for (const QByteArray& r : t.records)
    file += r;
  file += char(0x1A);
  return file;
}

QList<int> MemoBlocks(int blockLength, int headerBytes, int trailerBytes, const QList<QByteArray>& values) {
  QList<int> blocks;
  int next = blockLength >= 512 ? 1 : 512 / blockLength;
  for (const QByteArray& v : values) {
    blocks << next;
    next += int((headerBytes + v.size() + trailerBytes + blockLength - 1) / blockLength);
  }
  return blocks;
}

namespace {
QByteArray Pad(QByteArray bytes, int blockLength) {
  const qsizetype rest = bytes.size() % blockLength;
  if (rest) bytes += QByteArray(blockLength - rest, ' ');
  return bytes;
}
} // namespace

QByteArray DbaseIIIMemo(const QList<QByteArray>& values) {
  QByteArray file(512, '\0');
  QByteArray body;
  for (const QByteArray& v : values)
    body += Pad(v + "\x1A\x1A", 512);
  PutLe32(file, 0, quint32(1 + body.size() / 512));
  file[16] = 3;
  return file + body;
}

QByteArray DbaseIVMemo(int blockLength, const QList<QByteArray>& values) {
  QByteArray file(std::max(512, blockLength), '\0');
  file = Pad(file, blockLength);
  QByteArray body;
  for (const QByteArray& v : values) {
    QByteArray head(8, '\0');
    PutLe32(head, 0, 0x0008FFFF);
    PutLe32(head, 4, quint32(v.size() + 8));
    body += Pad(head + v, blockLength);
  }
  PutLe32(file, 0, quint32((file.size() + body.size()) / blockLength));
  PutLe16(file, 20, quint16(blockLength));
  return file + body;
}

QByteArray FoxProMemo(int blockLength, const QList<QByteArray>& values) {
  QByteArray file = Pad(QByteArray(512, '\0'), blockLength);
  QByteArray body;
  for (const QByteArray& v : values) {
    QByteArray head(8, '\0');
    PutBe32(head, 0, 1);
    PutBe32(head, 4, quint32(v.size()));
    body += Pad(head + v, blockLength);
  }
  PutBe32(file, 0, quint32((file.size() + body.size()) / blockLength));
  file[6] = char(blockLength >> 8);
  file[7] = char(blockLength & 0xFF);
  return file + body;
}

Contents Read(const QByteArray& file) {
  Contents c;
  if (file.size() < 32) return c;
  c.headerCount = Le32(file.constData() + 4);
  c.headerSize = static_cast<unsigned char>(file[8]) | static_cast<unsigned char>(file[9]) << 8;
  c.recordSize = static_cast<unsigned char>(file[10]) | static_cast<unsigned char>(file[11]) << 8;
  if (c.recordSize == 0) return c;
  qsizetype at = c.headerSize;
  for (quint32 i = 0; i < c.headerCount && at + c.recordSize <= file.size(); ++i, at += c.recordSize)
    c.records.append(file.mid(at, c.recordSize));
  if (c.records.size() == qsizetype(c.headerCount) && at < file.size())
    c.byteAfterRecords = static_cast<unsigned char>(file[at]);
  return c;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace DbfBytes
