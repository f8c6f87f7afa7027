#pragma once
#include "crash/debuginfo/RtByteView.h"
#include "platform/base/FileMapping.h"
#include <QtCore/QString>
#include <memory>
#include <vector>

// The linker map file of a module: segments, publics and line numbers, read
// in one pass over the text where it lies (names stay positions in it).

// A segment number and an offset, as the map writes "0001:00401000".
struct TRtMapAddress {
  quint16 Segment = 0;
  quint32 Offset = 0;
};

// One pass over a map text; each entry found is handed to a reaction.
class TRtAbstractMapParser {
public:
  explicit TRtAbstractMapParser(TRtByteView text) : text_(text) {}
  virtual ~TRtAbstractMapParser() = default;

  void Parse();
  // The name at a position: after "(" up to ")", else up to a CR, blank or "(".
  QString MapStringToName(quint64 position) const;
  TRtByteView Text() const { return text_; }

protected:
  virtual void ClassTableItem(const TRtMapAddress& address, quint32 length, quint64 name, quint64 className) {}
  virtual void SegmentItem(const TRtMapAddress& address, quint32 length, quint64 className, quint64 unitName) {}
  virtual void PublicsByNameItem(const TRtMapAddress& address, quint64 name) {}
  virtual void PublicsByValueItem(const TRtMapAddress& address, quint64 name) {}
  virtual void LineNumberUnitItem(quint64 unitName, quint64 sourceName) {}
  virtual void LineNumbersItem(quint32 lineNumber, const TRtMapAddress& address) {}

private:
  bool AtEnd() const { return pos_ >= text_.Size(); }
  char Char() const { return AtEnd() ? '\0' : char(text_.Data()[pos_]); }
  bool NextIsDigit() const { return Char() >= '0' && Char() <= '9'; }
  bool StartsWith(const char* prefix) const;
  void SkipBlanks();
  void SkipLine();
  quint32 ReadHex();
  quint32 ReadDecimal();
  TRtMapAddress ReadAddress();
  quint64 ReadWord();
  // Moves just after the next occurrence of the text in this line's rest of the map.
  void SkipPast(const char* marker);
  bool FindSection(const char* header);
  void ReadPublics(bool byValue);

  TRtByteView text_;
  quint64 pos_ = 0;
};

// The map file's code segments, publics, line numbers and source names with
// the lookups of a debug-information source. Offsets are code offsets.
class TRtMapScanner : public TRtAbstractMapParser {
public:
  // Scans a text that the caller keeps alive.
  explicit TRtMapScanner(TRtByteView text);

  quint32 UnitStart(quint32 offset) const;
  QString UnitName(quint32 offset) const;
  QString Procedure(quint32 offset, quint32& procedureOffset) const;
  int Line(quint32 offset, quint32& lineOffset) const;
  QString SourceName(quint32 offset) const;

  quint32 CodeTop() const { return codeTop_; }
  int RejectedLines() const { return rejectedLines_; }

protected:
  void SegmentItem(const TRtMapAddress& address, quint32 length, quint64 className, quint64 unitName) override;
  void PublicsByValueItem(const TRtMapAddress& address, quint64 name) override;
  void LineNumberUnitItem(quint64 unitName, quint64 sourceName) override;
  void LineNumbersItem(quint32 lineNumber, const TRtMapAddress& address) override;

private:
  struct TSegment {
    quint32 Start, End;
    quint64 UnitName;
  };
  struct TOffsetValue {
    quint32 Offset;
    quint64 Value; // a name position or a line number
  };
  // The entry at the offset, or the last one below it, when it does not lie
  // below the offset's unit start; null otherwise.
  const TOffsetValue* Find(const std::vector<TOffsetValue>& entries, quint32 offset) const;
  const TSegment* SegmentOf(quint32 offset) const;

  std::vector<TSegment> segments_;
  std::vector<TOffsetValue> procedures_, lines_, sources_;
  quint32 codeTop_ = 0;
  TRtMapAddress lastLineAddress_;
  int rejectedLines_ = 0;
  quint64 pendingSource_ = 0;
  bool hasPendingSource_ = false;
};

// A map file mapped into memory for the scanner's whole life.
class TRtMapFile {
public:
  // False when the file cannot be mapped.
  bool Open(const QString& fileName);
  const TRtMapScanner* Scanner() const { return scanner_.get(); }

private:
  TFileMapping mapping_;
  std::unique_ptr<TRtMapScanner> scanner_;
};
