#include "reports/export/rpZipWriter.h"
#include "core/Exception.h"
#include "reports/export/rpExportUtils.h"
#include <zlib.h>

namespace {

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
    rpPutLE32(out, 0x04034b50);
    rpPutLE16(out, 20);
    rpPutLE16(out, 0x0800); // names in UTF-8
    rpPutLE16(out, e.Method);
    rpPutLE16(out, 0);    // time
    rpPutLE16(out, 0x21); // date: 1980-01-01
    rpPutLE32(out, e.Crc);
    rpPutLE32(out, quint32(e.Data.size()));
    rpPutLE32(out, e.Size);
    rpPutLE16(out, quint32(e.Name.size()));
    rpPutLE16(out, 0);
    out += e.Name;
    out += e.Data;

    rpPutLE32(directory, 0x02014b50);
    rpPutLE16(directory, 20);
    rpPutLE16(directory, 20);
    rpPutLE16(directory, 0x0800);
    rpPutLE16(directory, e.Method);
    rpPutLE16(directory, 0);
    rpPutLE16(directory, 0x21);
    rpPutLE32(directory, e.Crc);
    rpPutLE32(directory, quint32(e.Data.size()));
    rpPutLE32(directory, e.Size);
    rpPutLE16(directory, quint32(e.Name.size()));
    rpPutLE16(directory, 0);
    rpPutLE16(directory, 0);
    rpPutLE16(directory, 0);
    rpPutLE16(directory, 0);
    rpPutLE32(directory, 0);
    rpPutLE32(directory, offset);
    directory += e.Name;
  }
  const quint32 directoryOffset = quint32(out.size());
  out += directory;
  rpPutLE32(out, 0x06054b50);
  rpPutLE16(out, 0);
  rpPutLE16(out, 0);
  rpPutLE16(out, quint32(entries_.size()));
  rpPutLE16(out, quint32(entries_.size()));
  rpPutLE32(out, quint32(directory.size()));
  rpPutLE32(out, directoryOffset);
  rpPutLE16(out, 0);
  return out;
}
