#pragma once
#include "crash/debuginfo/RtPeImage.h"
#include "platform/base/FileMapping.h"
#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <memory>
#include <vector>

// TD32 debug information: modules with their code segments, source files
// with line tables, procedure symbols and a name table, as the compiler
// family writes it into an image or a ".tds" side file. Little-endian,
// packed; every offset, count and length is checked against the data, and
// data that breaks one is invalid as a whole.

class ERtTD32Error : public Exception {
public:
  using Exception::Exception;
};

namespace RtTD32 {
constexpr quint16 kSubsectionModule = 0x120, kSubsectionAlignedSymbols = 0x125, kSubsectionSourceModule = 0x127,
                  kSubsectionNames = 0x130;
constexpr quint16 kSymbolLocalProc = 0x204, kSymbolGlobalProc = 0x205;
constexpr quint32 kDirectoryEntrySize = 12;

struct TRtSegmentInfo {
  quint16 Segment = 0, Flags = 0;
  quint32 Offset = 0, Size = 0;
};

// A module subsection: its name and code segments.
struct TRtModuleInfo {
  quint32 NameIndex = 0;
  std::vector<TRtSegmentInfo> Segments;
};

struct TRtLineInfo {
  quint32 LineNumber = 0;
  quint32 Offset = 0;
};

// One source file of a source-module subsection: its code ranges and lines.
struct TRtSourceModuleInfo {
  quint32 NameIndex = 0;
  std::vector<std::pair<quint32, quint32>> Segments; // start, end (exclusive)
  std::vector<TRtLineInfo> Lines;
};

// A local (0x204) or global (0x205) procedure.
struct TRtProcSymbolInfo {
  quint16 SymbolType = 0;
  quint32 NameIndex = 0, Offset = 0, Size = 0;
  bool IsGlobal() const { return SymbolType == kSymbolGlobalProc; }
};
} // namespace RtTD32

class TRtTD32InfoParser {
public:
  // Reads the data when it passes the validity test; the data must outlive the parser.
  explicit TRtTD32InfoParser(TRtByteView data);
  virtual ~TRtTD32InfoParser() = default;

  // More than 8 bytes, a valid trailer signature, a trailer distance within
  // the data, and a valid signature where it points.
  static bool IsTD32DebugInfoValid(TRtByteView data);

  bool DataValid() const { return valid_; }
  // The name of a 1-based index; empty for 0 or an unknown index.
  QString Name(quint32 index) const;
  const std::vector<RtTD32::TRtModuleInfo>& Modules() const { return modules_; }
  const std::vector<RtTD32::TRtSourceModuleInfo>& SourceModules() const { return sourceModules_; }
  const std::vector<RtTD32::TRtProcSymbolInfo>& Symbols() const { return symbols_; }

private:
  bool ReadDirectories();
  bool ReadSubsection(quint16 type, TRtByteView subsection);
  bool ReadNames(TRtByteView subsection);
  bool ReadModule(TRtByteView subsection);
  bool ReadSymbols(TRtByteView subsection);
  bool ReadSourceModule(TRtByteView subsection);

  TRtByteView data_;
  bool valid_ = false;
  std::vector<QByteArray> names_;
  std::vector<RtTD32::TRtModuleInfo> modules_;
  std::vector<RtTD32::TRtSourceModuleInfo> sourceModules_;
  std::vector<RtTD32::TRtProcSymbolInfo> symbols_;
};

// The four lookups of a debug-information source over TD32 data, by code offset.
class TRtTD32InfoScanner : public TRtTD32InfoParser {
public:
  using TRtTD32InfoParser::TRtTD32InfoParser;

  QString UnitName(quint32 offset) const;
  QString ProcedureName(quint32 offset, quint32& procedureOffset) const;
  int LineNumber(quint32 offset, quint32& lineOffset) const;
  QString SourceName(quint32 offset) const;

  // "@Unit@Class@Method..." as "Class.Method..."; other names unchanged.
  static QString FormatProcName(const QString& name);

private:
  const RtTD32::TRtSourceModuleInfo* SourceModuleOf(quint32 offset) const;
};

// An image with the TD32 data that belongs to it: inside the image (the
// single debug entry, of type 0, of an image of the compiler family) or in
// its ".tds" side file.
class TRtPeTD32Image : public TRtPePackageImage {
public:
  using TRtPePackageImage::TRtPePackageImage;
  bool TD32Present() const { return scanner_ != nullptr; }
  const TRtTD32InfoScanner* Scanner() const { return scanner_.get(); }

protected:
  void AfterOpen() override;
  void Clear() override;

private:
  TRtByteView FindData();

  TFileMapping sideFile_;
  std::unique_ptr<TRtTD32InfoScanner> scanner_;
};
