#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>

// A zip archive assembled in memory: entries deflated with zlib, each with
// its CRC, then the central directory. Enough for office document containers.
class TrpZipWriter {
public:
  // Adds an entry; `store` keeps the bytes uncompressed.
  void Add(const QString& name, const QByteArray& data, bool store = false);
  // The whole archive.
  QByteArray Finish() const;

private:
  struct TEntry {
    QByteArray Name;
    QByteArray Data; // as stored in the archive
    quint32 Crc = 0;
    quint32 Size = 0;
    quint16 Method = 0;
  };
  QList<TEntry> entries_;
};
