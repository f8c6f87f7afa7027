#include "schema/UpgradePackage.h"
#include "core/Exception.h"
#include <zlib.h>

QByteArray InflateZlib(const QByteArray& compressed) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) throw EStreamError(QStringLiteral("Nie je možné rozbaliť dáta (zlib)."));
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.constData()));
  stream.avail_in = uInt(compressed.size());
  QByteArray out;
  char buffer[16384];
  int result = Z_OK;
  do {
    stream.next_out = reinterpret_cast<Bytef*>(buffer);
    stream.avail_out = sizeof buffer;
    result = inflate(&stream, Z_NO_FLUSH);
    if (result != Z_OK && result != Z_STREAM_END) break;
    out.append(buffer, qsizetype(sizeof buffer - stream.avail_out));
  } while (result != Z_STREAM_END && (stream.avail_in > 0 || stream.avail_out == 0));
  inflateEnd(&stream);
  if (result != Z_STREAM_END) throw EStreamError(QStringLiteral("Poškodené alebo neúplné komprimované dáta."));
  return out;
}
