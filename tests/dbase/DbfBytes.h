#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>

// A small writer of dBASE table and memo bytes from the published layouts,
// independent of the library, for the fixtures of the tests.
namespace DbfBytes {

struct Field {
  QByteArray name;
  char type;
  int size;
  int decimals = 0;
  quint8 flags = 0;
};

struct Table {
  quint8 version = 0x03;
  quint8 language = 0;
  quint8 productionIndex = 0;
  bool dbase7 = false;
  bool foxPro = false;
  QByteArray languageName;    // dBASE 7: at offset 32
  QByteArray afterTerminator; // dBASE 7 field properties
  QList<Field> fields;
  QList<QByteArray> records; // each with its deletion flag
  int headerCount = -1;      // the stored record count; -1: the real count
};

QByteArray Build(const Table& table);
int RecordSize(const Table& table);

// A record: deletion flag then each value padded with blanks (texts) to its field size.
QByteArray Record(const Table& table, const QList<QByteArray>& values, bool deleted = false);
QByteArray LeftText(const QByteArray& text, int size);
QByteArray RightText(const QByteArray& text, int size);

quint32 Le32(const char* p);
void PutLe16(QByteArray& bytes, int at, quint16 value);
void PutLe32(QByteArray& bytes, int at, quint32 value);
void PutBe32(QByteArray& bytes, int at, quint32 value);

// Memo files: block 0 the header, values from block 1 (or the next free block).
QByteArray DbaseIIIMemo(const QList<QByteArray>& values);
QByteArray DbaseIVMemo(int blockLength, const QList<QByteArray>& values);
QByteArray FoxProMemo(int blockLength, const QList<QByteArray>& values);
// The first block of each value in the memo files above.
QList<int> MemoBlocks(int blockLength, int headerBytes, int trailerBytes, const QList<QByteArray>& values);

// What a reader that follows the published layout finds in table bytes, read
// without the library: the header's record count and sizes, and the records
// that the count names (fewer when the file ends before them).
struct Contents {
  quint32 headerCount = 0;
  int headerSize = 0;
  int recordSize = 0;
  QList<QByteArray> records;
  // The byte right after the last counted record, -1 beyond the end of the file.
  int byteAfterRecords = -1;
};
Contents Read(const QByteArray& file);

bool WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

} // namespace DbfBytes
