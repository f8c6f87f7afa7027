#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QList>

// A small writer of NDX and MDX index bytes from the published layouts,
// independent of the library: the keys (already in key order) fill leaves of
// `perLeaf` entries under one root node.
namespace IdxBytes {

struct Key {
  QByteArray key;
  quint32 rec;
};

struct Tag {
  QByteArray name;
  QByteArray expression;
  char keyType = 'C';
  int keyLen = 8;
  quint8 format = 0x10;
  QList<Key> keys;
  int perLeaf = 3;
};

QByteArray Ndx(const Tag& tag);
// dBASE IV (version 2, 32-byte tag records) or dBASE 7 (version 3, 48-byte records, as other programs may declare
// them).
QByteArray Mdx(const QList<Tag>& tags, quint8 version = 2, quint8 language = 0);
// The 12-byte decimal key of a number written as text ("-12.5").
QByteArray Bcd(const QByteArray& number);
QByteArray Double(double value);

} // namespace IdxBytes
