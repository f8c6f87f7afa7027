#pragma once
#include "crash/debuginfo/RtByteView.h"
#include <QtCore/QByteArray>
#include <QtCore/QHash>
#include <QtCore/QString>
#include <optional>
#include <vector>

// The binary debug-information format: unit ranges, procedure names, line
// numbers and source-file names of one module, keyed by code offset, with
// names packed into 6-bit characters. Little-endian; the header:
//   0 "JDBG", 4 version 1, 5 units table, 9 source-names table, 13 symbols
//   table, 17 line-numbers table, 21 names area (offsets from the start),
//   25 module-name reference, 29 checksum, 33 checksum present.
// Tables are runs of variable-length numbers, each a delta to a running total
// from 0; 0x7FFFFFFF ends a table.
namespace RtBinDebug {
constexpr quint32 kSignature = 0x4742444A; // "JDBG"
constexpr quint8 kVersion = 1;
constexpr quint32 kHeaderSize = 34;
constexpr quint32 kTableEnd = 0x7FFFFFFF;
constexpr quint32 kUnitsOffset = 5, kSourceNamesOffset = 9, kSymbolsOffset = 13, kLineNumbersOffset = 17,
                  kNamesOffset = 21, kModuleNameOffset = 25, kChecksumOffset = 29, kChecksumPresentOffset = 33;
// Names stored byte by byte are combined with this value.
constexpr uchar kNameScramble = 0x5C;
constexpr int kMaxPackedNameLength = 255;
} // namespace RtBinDebug

// Reads the variable-length number at pos and moves past it: low 7 bits per
// byte, least significant first, bit 7 set when another byte follows. False
// when it would leave the data or run past five bytes.
bool ReadBinDebugNumber(TRtByteView data, quint64& pos, quint32& value);

// The 32-bit sum of the data's words with the checksum field read as zero:
// the checksum the header stores.
quint32 BinDebugChecksum(TRtByteView data);

// Validates the data and answers the lookups of a debug-information source.
// The data must outlive the scanner.
class TRtBinDebugScanner {
public:
  explicit TRtBinDebugScanner(TRtByteView data, bool cacheData = true);

  bool ValidFormat() const { return valid_; }
  bool CacheData() const { return cacheData_; }
  // The stored name; empty for reference 0 or a name that leaves the data.
  QString DecodeName(quint32 reference) const;
  QString ModuleName() const;

  // The start of the last unit at or below the offset; 0xFFFFFFFF when none.
  quint32 UnitStart(quint32 offset) const;
  QString UnitName(quint32 offset) const;
  // "first.second" (or "first") of the procedure at or below the offset,
  // with the offset from its start; empty and 0 outside the offset's unit.
  QString ProcedureName(quint32 offset, quint32& procedureOffset) const;
  int LineNumber(quint32 offset, quint32& lineOffset) const;
  QString SourceName(quint32 offset) const;

private:
  struct TEntry {
    quint32 Address;
    quint32 Value;  // the line, or the first name reference
    quint32 Second; // the second name reference of a procedure
  };
  // A table decoded in full on its first use. Tables written by the writer
  // ascend; only those are searched by halving.
  struct TTable {
    std::vector<TEntry> Entries;
    bool Ascending = true;
  };
  // The name; none when it leaves the data.
  std::optional<QString> TryDecodeName(quint32 reference) const;
  // Decodes the table at the header field's offset; none when it leaves the data.
  std::optional<std::vector<TEntry>> ReadTable(quint32 headerField, int width) const;
  // The last entry in table order whose address is not above the offset.
  static const TEntry* LastAtOrBelow(const TTable& table, quint32 offset);
  // The same for the table's entries that do not lie below the offset's unit start.
  const TEntry* EntryInUnit(const TTable& table, quint32 offset) const;
  const TTable& Cached(std::optional<TTable>& cache, quint32 headerField, int width) const;

  TRtByteView data_;
  bool cacheData_;
  bool valid_ = false;
  // A crash log looks up dozens of addresses of one module: every table is
  // decoded once per module.
  mutable std::optional<TTable> units_, sources_, procedures_, lines_;
};

// Writes the format. Entries may be added in any order; each table is written
// in ascending address order (equal addresses in the order added).
class TRtBinDebugWriter {
public:
  void SetModuleName(const QString& name) { moduleName_ = name; }
  void AddUnit(quint32 address, const QString& name) { units_.push_back({address, NameReference(name), 0}); }
  void AddSourceName(quint32 address, const QString& name) { sources_.push_back({address, NameReference(name), 0}); }
  // A procedure start with the two parts of its name (the second may be empty).
  void AddSymbol(quint32 address, const QString& first, const QString& second) {
    symbols_.push_back({address, NameReference(first), NameReference(second)});
  }
  void AddLine(quint32 address, quint32 line) { lines_.push_back({address, line, 0}); }

  // The whole data, padded to whole words, with or without its checksum.
  QByteArray Data(bool withChecksum = true);

  // The stored form of one name: packed 6-bit characters, "@" and packed
  // characters (form 2), or scrambled bytes (form 1) for any other name.
  static QByteArray EncodeName(const QString& name);
  static void AppendNumber(QByteArray& out, quint32 value);

private:
  struct TEntry {
    quint32 Address, First, Second;
  };
  quint32 NameReference(const QString& name);
  static QByteArray Table(std::vector<TEntry> entries, int width);

  QString moduleName_;
  std::vector<TEntry> units_, sources_, symbols_, lines_;
  QByteArray names_;
  QHash<QString, quint32> nameReferences_;
};
