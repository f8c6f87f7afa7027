#pragma once
#include "core/DateTime.h"
#include "core/Exception.h"
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <array>

class QIODevice;
class TUxMemoryData;

// A text searcher over a byte buffer: finds a pattern between two positions
// with a Boyer-Moore-Horspool scan, ignoring letter case by default (code
// page 1250 lower-casing of each byte).
class TSeekInXMLFile {
public:
  void SetText(const QByteArray& text) { text_ = text; }
  const QByteArray& Text() const { return text_; }
  void Reset() { text_.clear(); }
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool on) { caseSensitive_ = on; }
  // Position of the first occurrence starting in [from, to) and ending by
  // `to`, or -1; a search that cannot run (no text, empty pattern, start
  // beyond the end) finds nothing.
  qsizetype Find(QByteArrayView pattern, qsizetype from, qsizetype to) const;

private:
  static const std::array<unsigned char, 256>& LowerTable();
  QByteArray text_;
  bool caseSensitive_ = false;
};

// The error that ends a datapacket read early; LoadFromStream keeps it to itself.
class EXMLDatasetError : public Exception {
public:
  using Exception::Exception;
};

// Reads a datapacket (the XML form of a data set's field definitions and
// rows) into an in-memory data set. Not a general XML parser: elements are
// found by their opening and closing texts, attributes by a fixed pattern.
class TXMLDataset {
public:
  TUxMemoryData* DataSet() const { return dataSet_; }
  void SetDataSet(TUxMemoryData* dataSet) { dataSet_ = dataSet; }
  // The highest packet version accepted.
  double FileVersion() const { return fileVersion_; }
  void SetFileVersion(double version) { fileVersion_ = version; }
  const QString& TableName() const { return tableName_; }
  void SetTableName(const QString& name) { tableName_ = name; }

  // Filled by a read.
  double PacketVersion() const { return packetVersion_; }
  TDateTime PacketTime() const { return packetTime_; }
  int FieldDefCount() const { return fieldDefCount_; }
  int IndexDefCount() const { return indexDefCount_; }
  int RecordCount() const { return recordCount_; }
  bool HasFieldDefs() const { return hasFieldDefs_; }
  bool HasIndexDefs() const { return hasIndexDefs_; }
  bool HasRecordData() const { return hasRecordData_; }
  bool HasChanges() const { return hasChanges_; }
  // The text of the error that ended the last read early; empty after a complete read.
  const QString& LastError() const { return lastError_; }

  // Reads the whole stream into DataSet. Throws EXMLDatasetError "Dataset not
  // assigned" without a target or stream; any other problem ends the read
  // silently, keeping the rows loaded before it (see LastError).
  void LoadFromStream(QIODevice* stream);

private:
  struct TElement;
  void Read();
  TElement FindElement(QByteArrayView opening, QByteArrayView closing, qsizetype from, qsizetype to) const;
  void ReadDatapacket(const TElement& packet);
  qsizetype ReadFieldDefs(const TElement& fieldDefs);
  void ReadRows(const TElement& recordData);
  qsizetype ReadField(qsizetype from, qsizetype rowEnd);

  TUxMemoryData* dataSet_ = nullptr;
  double fileVersion_ = 2;
  QString tableName_;
  double packetVersion_ = 0;
  TDateTime packetTime_ = 0;
  int fieldDefCount_ = 0;
  int indexDefCount_ = 0;
  int recordCount_ = 0;
  bool hasFieldDefs_ = false;
  bool hasIndexDefs_ = false;
  bool hasRecordData_ = false;
  bool hasChanges_ = false;
  QString lastError_;
  QByteArray packet_; // the stream's bytes, searched in place
  TSeekInXMLFile seek_;
};
