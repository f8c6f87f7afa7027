#include "crash/debuginfo/RtTD32.h"
#include <QtCore/QFileInfo>
#include <QtCore/QSet>

using namespace RtTD32;

namespace {

bool IsSignature(std::optional<quint32> value) {
  return value == 0x39304246u /* "FB09" */ || value == 0x41304246u /* "FB0A" */;
}

} // namespace

TRtTD32InfoParser::TRtTD32InfoParser(TRtByteView data) : data_(data) {
  names_.emplace_back(); // index 0: no name
  if (!IsTD32DebugInfoValid(data)) return;
  valid_ = ReadDirectories();
  if (!valid_) {
    names_.resize(1);
    modules_.clear();
    sourceModules_.clear();
    symbols_.clear();
  }
}

bool TRtTD32InfoParser::IsTD32DebugInfoValid(TRtByteView data) {
  if (data.Size() <= 8) return false;
  const quint64 end = data.Size();
  if (!IsSignature(data.U32(end - 8))) return false;
  const quint32 distance = *data.U32(end - 4);
  return distance <= end && IsSignature(data.U32(end - distance));
}

QString TRtTD32InfoParser::Name(quint32 index) const {
  return index < names_.size() ? QString::fromLatin1(names_[index]) : QString();
}

bool TRtTD32InfoParser::ReadDirectories() {
  std::optional<quint32> directory = data_.U32(4);
  QSet<quint32> seen; // a chain that comes back to a directory would never end
  while (directory && *directory != 0) {
    if (seen.contains(*directory)) return false;
    seen.insert(*directory);
    const auto headerSize = data_.U16(*directory), entrySize = data_.U16(quint64(*directory) + 2);
    const auto count = data_.U32(quint64(*directory) + 4);
    const auto next = data_.U32(quint64(*directory) + 8);
    if (!headerSize || !entrySize || !count || !next || *entrySize != kDirectoryEntrySize) return false;
    const quint64 entries = quint64(*directory) + *headerSize;
    if (!data_.Contains(entries, quint64(*count) * kDirectoryEntrySize)) return false;
    for (quint32 i = 0; i < *count; ++i) {
      const quint64 at = entries + quint64(i) * kDirectoryEntrySize;
      const quint32 offset = *data_.U32(at + 4), size = *data_.U32(at + 8);
      if (!data_.Contains(offset, size)) return false;
      if (!ReadSubsection(*data_.U16(at), data_.Sub(offset, size))) return false;
    }
    directory = next;
  }
  return directory.has_value();
}

bool TRtTD32InfoParser::ReadSubsection(quint16 type, TRtByteView subsection) {
  switch (type) {
  case kSubsectionNames:
    return ReadNames(subsection);
  case kSubsectionModule:
    return ReadModule(subsection);
  case kSubsectionAlignedSymbols:
    return ReadSymbols(subsection);
  case kSubsectionSourceModule:
    return ReadSourceModule(subsection);
  default:
    return true;
  }
}

bool TRtTD32InfoParser::ReadNames(TRtByteView subsection) {
  const auto count = subsection.U32(0);
  if (!count) return false;
  quint64 at = 4;
  for (quint32 i = 0; i < *count; ++i) {
    const auto length = subsection.U8(at);
    const uchar* text = length ? subsection.At(at + 1, quint64(*length) + 1) : nullptr;
    if (!text) return false;
    names_.emplace_back(reinterpret_cast<const char*>(text), *length);
    at += quint64(*length) + 2;
  }
  return true;
}

bool TRtTD32InfoParser::ReadModule(TRtByteView subsection) {
  const auto segmentCount = subsection.U16(4);
  const auto nameIndex = subsection.U32(8);
  if (!segmentCount || !nameIndex || !subsection.Contains(28, quint64(*segmentCount) * 12)) return false;
  TRtModuleInfo module;
  module.NameIndex = *nameIndex;
  for (quint16 i = 0; i < *segmentCount; ++i) {
    const quint64 at = 28 + quint64(i) * 12;
    module.Segments.push_back(
        {*subsection.U16(at), *subsection.U16(at + 2), *subsection.U32(at + 4), *subsection.U32(at + 8)});
  }
  modules_.push_back(std::move(module));
  return true;
}

bool TRtTD32InfoParser::ReadSymbols(TRtByteView subsection) {
  quint64 at = 4;
  while (at < subsection.Size()) {
    const auto length = subsection.U16(at), type = subsection.U16(at + 2);
    if (!length || !type) return false;
    if (*type == kSymbolLocalProc || *type == kSymbolGlobalProc) {
      // The fields lie within the record's own length.
      if (quint64(*length) + 2 < 44 || !subsection.Contains(at, 44)) return false;
      symbols_.push_back({*type, *subsection.U32(at + 40), *subsection.U32(at + 28), *subsection.U32(at + 16)});
    }
    at += quint64(*length) + 2;
  }
  return true;
}

bool TRtTD32InfoParser::ReadSourceModule(TRtByteView subsection) {
  const auto fileCount = subsection.U16(0);
  if (!fileCount || !subsection.Contains(4, quint64(*fileCount) * 4)) return false;
  for (quint16 file = 0; file < *fileCount; ++file) {
    const quint32 entry = *subsection.U32(4 + quint64(file) * 4);
    const auto segmentCount = subsection.U16(entry);
    const auto nameIndex = subsection.U32(quint64(entry) + 2);
    const quint64 tables = quint64(entry) + 6, ranges = tables + quint64(segmentCount.value_or(0)) * 4;
    if (!segmentCount || !nameIndex || !subsection.Contains(ranges, quint64(*segmentCount) * 8)) return false;
    if (*nameIndex == 0) continue;
    TRtSourceModuleInfo source;
    source.NameIndex = *nameIndex;
    for (quint16 segment = 0; segment < *segmentCount; ++segment) {
      source.Segments.emplace_back(*subsection.U32(ranges + quint64(segment) * 8),
                                   *subsection.U32(ranges + quint64(segment) * 8 + 4));
      const quint32 table = *subsection.U32(tables + quint64(segment) * 4);
      const auto pairCount = subsection.U16(quint64(table) + 2);
      const quint64 offsets = quint64(table) + 4, lines = offsets + quint64(pairCount.value_or(0)) * 4;
      if (!pairCount || !subsection.Contains(lines, quint64(*pairCount) * 2)) return false;
      for (quint16 i = 0; i < *pairCount; ++i)
        source.Lines.push_back({*subsection.U16(lines + quint64(i) * 2), *subsection.U32(offsets + quint64(i) * 4)});
    }
    sourceModules_.push_back(std::move(source));
  }
  return true;
}

// ---------------------------------------------------------------- scanner

QString TRtTD32InfoScanner::UnitName(quint32 offset) const {
  for (const TRtModuleInfo& module : Modules())
    for (const TRtSegmentInfo& segment : module.Segments)
      if (segment.Offset <= offset && offset - segment.Offset <= segment.Size) return Name(module.NameIndex);
  return {};
}

QString TRtTD32InfoScanner::ProcedureName(quint32 offset, quint32& procedureOffset) const {
  procedureOffset = 0;
  for (const TRtProcSymbolInfo& symbol : Symbols())
    if (symbol.Offset <= offset && quint64(offset) < quint64(symbol.Offset) + symbol.Size) {
      procedureOffset = offset - symbol.Offset;
      return FormatProcName(Name(symbol.NameIndex));
    }
  return {};
}

const TRtSourceModuleInfo* TRtTD32InfoScanner::SourceModuleOf(quint32 offset) const {
  for (const TRtSourceModuleInfo& source : SourceModules())
    for (const auto& [start, end] : source.Segments)
      if (start <= offset && offset < end) return &source;
  return nullptr;
}

int TRtTD32InfoScanner::LineNumber(quint32 offset, quint32& lineOffset) const {
  lineOffset = 0;
  const TRtSourceModuleInfo* source = SourceModuleOf(offset);
  if (!source) return 0;
  const std::vector<TRtLineInfo>& lines = source->Lines;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].Offset == offset) return int(lines[i].LineNumber);
    if (lines[i].Offset > offset) {
      if (i == 0 || lines[i - 1].Offset >= offset) return 0;
      lineOffset = offset - lines[i - 1].Offset;
      return int(lines[i - 1].LineNumber);
    }
  }
  return 0;
}

QString TRtTD32InfoScanner::SourceName(quint32 offset) const {
  const TRtSourceModuleInfo* source = SourceModuleOf(offset);
  return source ? Name(source->NameIndex) : QString();
}

QString TRtTD32InfoScanner::FormatProcName(const QString& name) {
  if (!name.startsWith(QLatin1Char('@'))) return name;
  const qsizetype qualifier = name.indexOf(QLatin1Char('@'), 1);
  if (qualifier < 0) return name;
  const QString rest = name.mid(qualifier + 1);
  QString result;
  for (qsizetype i = 0; i < rest.size(); ++i) {
    const bool afterAt = i > 0 && rest[i - 1] == QLatin1Char('@');
    result.append(rest[i] == QLatin1Char('@') && !afterAt ? QLatin1Char('.') : rest[i]);
  }
  return result;
}

// ---------------------------------------------------------------- image

TRtByteView TRtPeTD32Image::FindData() {
  if (IsToolchainImage() && DebugList().Count() == 1 && DebugList().Items(0).Type == 0) {
    const TRtPeDebugEntry& entry = DebugList().Items(0);
    if (Image().Contains(entry.AddressOfRawData, entry.SizeOfData)) {
      const TRtByteView data = Image().Sub(entry.AddressOfRawData, entry.SizeOfData);
      if (TRtTD32InfoParser::IsTD32DebugInfoValid(data)) return data;
    }
  }
  const QString sideFile = ModuleSideFileName(ImageFileName(), QStringLiteral(".tds"));
  if (QFileInfo::exists(sideFile) && sideFile_.Open(sideFile, false)) {
    const TRtByteView data(sideFile_.Data(), quint64(sideFile_.Size()));
    if (TRtTD32InfoParser::IsTD32DebugInfoValid(data)) return data;
    sideFile_.Close();
  }
  return {};
}

void TRtPeTD32Image::AfterOpen() {
  TRtPePackageImage::AfterOpen();
  const TRtByteView data = FindData();
  if (data.IsEmpty()) return;
  scanner_ = std::make_unique<TRtTD32InfoScanner>(data);
  if (scanner_->DataValid()) return;
  scanner_.reset();
  sideFile_.Close();
  if (!NoExceptions())
    throw ERtTD32Error(QStringLiteral("File [%1] has not TD32 debug information!").arg(ImageFileName()));
}

void TRtPeTD32Image::Clear() {
  scanner_.reset();
  sideFile_.Close();
  TRtPePackageImage::Clear();
}
