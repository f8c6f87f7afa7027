#include "reports/engine/rpPropertyStream.h"
#include "core/CodePage1250.h"
#include "reports/engine/rpUtils.h"
#include <QtCore/QBuffer>

void TrpPropertyStream::Name(const QString& name) {
  const QByteArray bytes = Cp1250::EncodeLossy(name).left(255);
  bytes_.append(char(bytes.size()));
  bytes_.append(bytes);
}

void TrpPropertyStream::Text(const QString& value) {
  const QByteArray bytes = Cp1250::EncodeLossy(value);
  if (bytes.size() <= 255) {
    bytes_.append(char(6));
    bytes_.append(char(bytes.size()));
  } else {
    bytes_.append(char(12));
    const quint32 size = quint32(bytes.size());
    for (int shift = 0; shift < 32; shift += 8)
      bytes_.append(char((size >> shift) & 0xFF));
  }
  bytes_.append(bytes);
}

void TrpPropertyStream::Integer(qint32 value) {
  int size = 4;
  if (value >= -128 && value <= 127)
    size = 1;
  else if (value >= -32768 && value <= 32767)
    size = 2;
  bytes_.append(char(size == 1 ? 2 : size == 2 ? 3 : 4));
  for (int i = 0; i < size; ++i)
    bytes_.append(char((quint32(value) >> (8 * i)) & 0xFF));
}

void TrpPropertyStream::Identifier(const QString& identifier) {
  bytes_.append(char(7));
  Name(identifier);
}

QString TrpPropertyStream::Hex() const {
  QByteArray copy = bytes_;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  return rpStreamToHex(buffer);
}
