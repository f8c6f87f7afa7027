#include "reports/export/rpZipWriter.h"
#include "core/Exception.h"
#include <zlib.h>

namespace {

void Put16(QByteArray& out, quint32 v) {
  out += char(v & 0xFF);
  out += char((v >> 8) & 0xFF);
}

void Put32(QByteArray& out, quint32 v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

QByteArray Deflate(const QByteArray& data) {
  z_stream z{};
  // Raw deflate: zip entries carry no zlib header.
  if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw Exception(QStringLiteral("zlib cannot start"));
  QByteArray out(int(deflateBound(&z, uLong(data.size()))), Qt::Uninitialized);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
  z.avail_in = uInt(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = uInt(out.size());
  const int result = deflate(&z, Z_FINISH);
  const qsizetype written = qsizetype(z.total_out);
  deflateEnd(&z);
  if (result != Z_STREAM_END) throw Exception(QStringLiteral("zlib cannot compress"));
  out.truncate(written);
  return out;
}

} // namespace

void TrpZipWriter::Add(const QString& name, const QByteArray& data, bool store) {
  TEntry entry;
  entry.Name = name.toUtf8();
  entry.Size = quint32(data.size());
  entry.Crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
  entry.Method = store ? 0 : 8;
  entry.Data = store ? data : Deflate(data);
  entries_.append(entry);
}

QByteArray TrpZipWriter::Finish() const {
  QByteArray out, directory;
  for (const TEntry& e : entries_) {
    const quint32 offset = quint32(out.size());
    Put32(out, 0x04034b50);
    Put16(out, 20);
    Put16(out, 0x0800); // names in UTF-8
    Put16(out, e.Method);
    Put16(out, 0);    // time
    Put16(out, 0x21); // date: 1980-01-01
    Put32(out, e.Crc);
    Put32(out, quint32(e.Data.size()));
    Put32(out, e.Size);
    Put16(out, quint32(e.Name.size()));
    Put16(out, 0);
    out += e.Name;
    out += e.Data;

    Put32(directory, 0x02014b50);
    Put16(directory, 20);
    Put16(directory, 20);
    Put16(directory, 0x0800);
    Put16(directory, e.Method);
    Put16(directory, 0);
    Put16(directory, 0x21);
    Put32(directory, e.Crc);
    Put32(directory, quint32(e.Data.size()));
    Put32(directory, e.Size);
    Put16(directory, quint32(e.Name.size()));
    Put16(directory, 0);
    Put16(directory, 0);
    Put16(directory, 0);
    Put16(directory, 0);
    Put32(directory, 0);
    Put32(directory, offset);
    directory += e.Name;
  }
  const quint32 directoryOffset = quint32(out.size());
  out += directory;
  Put32(out, 0x06054b50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, quint32(entries_.size()));
  Put16(out, quint32(entries_.size()));
  Put32(out, quint32(directory.size()));
  Put32(out, directoryOffset);
  Put16(out, 0);
  return out;
}
