#include "crash/debuginfo/RtMapFile.h"
#include <algorithm>
#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= 9 && c <= 13); }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

} // namespace

// ---------------------------------------------------------------- parser

bool TRtAbstractMapParser::StartsWith(const char* prefix) const {
  const quint64 length = std::strlen(prefix);
  const uchar* at = text_.At(pos_, length);
  return at && std::memcmp(at, prefix, length) == 0;
}

void TRtAbstractMapParser::SkipBlanks() {
  while (!AtEnd() && IsBlank(Char()))
    ++pos_;
}

void TRtAbstractMapParser::SkipLine() {
  while (!AtEnd() && Char() != '\n')
    ++pos_;
  if (!AtEnd()) ++pos_;
  SkipBlanks();
}

quint32 TRtAbstractMapParser::ReadHex() {
  quint32 value = 0;
  while (!AtEnd() && HexValue(Char()) >= 0)
    value = (value << 4) | quint32(HexValue(text_.Data()[pos_++]));
  if (Char() == 'H' || Char() == 'h') ++pos_;
  return value;
}

quint32 TRtAbstractMapParser::ReadDecimal() {
  quint32 value = 0;
  while (NextIsDigit())
    value = value * 10 + quint32(text_.Data()[pos_++] - '0');
  return value;
}

TRtMapAddress TRtAbstractMapParser::ReadAddress() {
  TRtMapAddress address;
  address.Segment = quint16(ReadHex());
  if (Char() == ':') {
    ++pos_;
    address.Offset = ReadHex();
  }
  SkipBlanks();
  return address;
}

quint64 TRtAbstractMapParser::ReadWord() {
  SkipBlanks();
  const quint64 start = pos_;
  while (!AtEnd() && !IsBlank(Char()))
    ++pos_;
  return start;
}

void TRtAbstractMapParser::SkipPast(const char* marker) {
  const quint64 length = std::strlen(marker);
  while (!AtEnd() && !StartsWith(marker))
    ++pos_;
  if (!AtEnd()) pos_ += length;
}

bool TRtAbstractMapParser::FindSection(const char* header) {
  const quint64 start = pos_;
  while (!AtEnd()) {
    SkipBlanks(); // the trimmed line
    const bool found = StartsWith(header);
    SkipLine();
    if (found) return true;
  }
  // A missing section leaves the others to be found.
  pos_ = start;
  return false;
}

void TRtAbstractMapParser::ReadPublics(bool byValue) {
  while (NextIsDigit()) {
    const TRtMapAddress address = ReadAddress();
    const quint64 name = ReadWord();
    SkipBlanks();
    if (byValue)
      PublicsByValueItem(address, name);
    else
      PublicsByNameItem(address, name);
  }
}

void TRtAbstractMapParser::Parse() {
  pos_ = 0;
  if (FindSection("Start         Length     Name                   Class")) {
    while (NextIsDigit()) {
      const TRtMapAddress address = ReadAddress();
      const quint32 length = ReadHex();
      const quint64 name = ReadWord();
      const quint64 className = ReadWord();
      SkipLine();
      ClassTableItem(address, length, name, className);
    }
  }
  if (FindSection("Detailed map of segments")) {
    while (NextIsDigit()) {
      const TRtMapAddress address = ReadAddress();
      const quint32 length = ReadHex();
      SkipPast("C=");
      const quint64 className = ReadWord();
      SkipPast("M=");
      const quint64 unitName = ReadWord();
      SkipLine();
      SegmentItem(address, length, className, unitName);
    }
  }
  if (FindSection("Address         Publics by Name")) ReadPublics(false);
  if (FindSection("Address         Publics by Value")) ReadPublics(true);
  const char* linesPrefix = "Line numbers for";
  for (;;) {
    SkipBlanks();
    if (!StartsWith(linesPrefix)) break;
    pos_ += std::strlen(linesPrefix);
    SkipBlanks();
    const quint64 unitName = pos_;
    quint64 sourceName = pos_;
    while (sourceName < text_.Size() && text_.Data()[sourceName] != '(' && text_.Data()[sourceName] != '\n')
      ++sourceName;
    SkipLine();
    LineNumberUnitItem(unitName, sourceName);
    while (NextIsDigit()) {
      const quint32 lineNumber = ReadDecimal();
      SkipBlanks();
      const TRtMapAddress address = ReadAddress();
      LineNumbersItem(lineNumber, address);
    }
  }
}

QString TRtAbstractMapParser::MapStringToName(quint64 position) const {
  if (position >= text_.Size()) return {};
  const char* text = reinterpret_cast<const char*>(text_.Data());
  quint64 start = position, end = position;
  if (text[position] == '(') {
    start = end = position + 1;
    while (end < text_.Size() && text[end] != ')' && text[end] != '\r' && text[end] != '\n')
      ++end;
  } else {
    while (end < text_.Size() && !IsBlank(text[end]) && text[end] != '(')
      ++end;
  }
  return QString::fromLatin1(text + start, qsizetype(end - start));
}

// ---------------------------------------------------------------- scanner

TRtMapScanner::TRtMapScanner(TRtByteView text) : TRtAbstractMapParser(text) {
  Parse();
  // Publics come sorted by value; sorting makes sure the searches hold on any text.
  std::stable_sort(procedures_.begin(), procedures_.end(),
                   [](const TOffsetValue& a, const TOffsetValue& b) { return a.Offset < b.Offset; });
  segments_.shrink_to_fit();
  procedures_.shrink_to_fit();
  lines_.shrink_to_fit();
  sources_.shrink_to_fit();
}

void TRtMapScanner::SegmentItem(const TRtMapAddress& address, quint32 length, quint64, quint64 unitName) {
  if (address.Segment != 1) return;
  const quint32 end = address.Offset + length;
  segments_.push_back({address.Offset, end, unitName});
  codeTop_ = qMax(codeTop_, end);
}

void TRtMapScanner::PublicsByValueItem(const TRtMapAddress& address, quint64 name) {
  if (address.Segment == 1) procedures_.push_back({address.Offset, name});
}

void TRtMapScanner::LineNumberUnitItem(quint64, quint64 sourceName) {
  pendingSource_ = sourceName;
  hasPendingSource_ = true;
}

void TRtMapScanner::LineNumbersItem(quint32 lineNumber, const TRtMapAddress& address) {
  const bool first = lastLineAddress_.Offset == 0;
  const bool ascending = address.Offset > 0 && address.Offset <= codeTop_ &&
                         address.Segment == lastLineAddress_.Segment && address.Offset > lastLineAddress_.Offset;
  if (!first && !ascending) {
    ++rejectedLines_;
    return;
  }
  lastLineAddress_ = address;
  lines_.push_back({address.Offset, lineNumber});
  if (hasPendingSource_) {
    sources_.push_back({address.Offset, pendingSource_});
    hasPendingSource_ = false;
  }
}

const TRtMapScanner::TSegment* TRtMapScanner::SegmentOf(quint32 offset) const {
  for (auto it = segments_.rbegin(); it != segments_.rend(); ++it)
    if (it->Start <= offset && offset <= it->End) return &*it;
  return nullptr;
}

quint32 TRtMapScanner::UnitStart(quint32 offset) const {
  const TSegment* segment = SegmentOf(offset);
  return segment ? segment->Start : 0xFFFFFFFFu;
}

QString TRtMapScanner::UnitName(quint32 offset) const {
  const TSegment* segment = SegmentOf(offset);
  return segment ? MapStringToName(segment->UnitName) : QString();
}

const TRtMapScanner::TOffsetValue* TRtMapScanner::Find(const std::vector<TOffsetValue>& entries, quint32 offset) const {
  // The last entry whose offset is not above the searched one.
  auto after = std::upper_bound(entries.begin(), entries.end(), offset,
                                [](quint32 value, const TOffsetValue& entry) { return value < entry.Offset; });
  if (after == entries.begin()) return nullptr;
  const TOffsetValue* entry = &*(after - 1);
  return entry->Offset < UnitStart(offset) ? nullptr : entry;
}

QString TRtMapScanner::Procedure(quint32 offset, quint32& procedureOffset) const {
  procedureOffset = 0;
  const TOffsetValue* entry = Find(procedures_, offset);
  if (!entry) return {};
  procedureOffset = offset - entry->Offset;
  return MapStringToName(entry->Value);
}

int TRtMapScanner::Line(quint32 offset, quint32& lineOffset) const {
  lineOffset = 0;
  const TOffsetValue* entry = Find(lines_, offset);
  if (!entry) return 0;
  lineOffset = offset - entry->Offset;
  return int(entry->Value);
}

QString TRtMapScanner::SourceName(quint32 offset) const {
  const TOffsetValue* entry = Find(sources_, offset);
  return entry ? MapStringToName(entry->Value) : QString();
}

// ---------------------------------------------------------------- file

bool TRtMapFile::Open(const QString& fileName) {
  scanner_.reset();
  if (!mapping_.Open(fileName, false)) return false;
  scanner_ = std::make_unique<TRtMapScanner>(TRtByteView(mapping_.Data(), quint64(mapping_.Size())));
  return true;
}
