#pragma once
#include "crash/debuginfo/RtBinDebug.h"
#include "crash/debuginfo/RtDebugSources.h"
#include "crash/debuginfo/RtMapFile.h"
#include "crash/debuginfo/RtTD32.h"

// The four kinds of debug-information source, in the order they are tried.

// The binary debug data of the module's "RTDEBUG" section, else of the
// ".rdbg" side file, whose module name must then be the module's.
class TRtDebugInfoBinary : public TRtDebugInfoScannedSource {
public:
  using TRtDebugInfoScannedSource::TRtDebugInfoScannedSource;
  bool Initialize() override;
  const TRtBinDebugScanner* Scanner() const { return scanner_.get(); }
  bool IsSideFile() const { return sideFile_.Data() != nullptr; }

protected:
  QString UnitNameAt(quint32 offset) const override { return scanner_->UnitName(offset); }
  QString ProcedureAt(quint32 offset, quint32& procedureOffset) const override {
    return scanner_->ProcedureName(offset, procedureOffset);
  }
  int LineAt(quint32 offset, quint32& lineOffset) const override { return scanner_->LineNumber(offset, lineOffset); }
  QString SourceNameAt(quint32 offset) const override { return scanner_->SourceName(offset); }

private:
  TFileMapping sideFile_;
  std::unique_ptr<TRtBinDebugScanner> scanner_;
};

// TD32 data in the module's image or in its ".tds" side file.
class TRtDebugInfoTD32 : public TRtDebugInfoScannedSource {
public:
  explicit TRtDebugInfoTD32(const TRtModule& module) : TRtDebugInfoScannedSource(module), image_(true) {}
  bool Initialize() override;

protected:
  QString UnitNameAt(quint32 offset) const override { return Scanner().UnitName(offset); }
  QString ProcedureAt(quint32 offset, quint32& procedureOffset) const override {
    return Scanner().ProcedureName(offset, procedureOffset);
  }
  int LineAt(quint32 offset, quint32& lineOffset) const override { return Scanner().LineNumber(offset, lineOffset); }
  QString SourceNameAt(quint32 offset) const override { return Scanner().SourceName(offset); }

private:
  const TRtTD32InfoScanner& Scanner() const { return *image_.Scanner(); }
  TRtPeTD32Image image_;
};

// The linker's ".map" file beside the module.
class TRtDebugInfoMap : public TRtDebugInfoScannedSource {
public:
  using TRtDebugInfoScannedSource::TRtDebugInfoScannedSource;
  bool Initialize() override;
  const TRtMapScanner& Scanner() const { return *file_.Scanner(); }

protected:
  QString UnitNameAt(quint32 offset) const override { return Scanner().UnitName(offset); }
  QString ProcedureAt(quint32 offset, quint32& procedureOffset) const override {
    return Scanner().Procedure(offset, procedureOffset);
  }
  int LineAt(quint32 offset, quint32& lineOffset) const override { return Scanner().Line(offset, lineOffset); }
  QString SourceNameAt(quint32 offset) const override { return Scanner().SourceName(offset); }

private:
  TRtMapFile file_;
};

// The module's exports: a PE image's export table (read as the compiler
// family's mangled names in a run-time package), or for an ELF module the
// dynamic symbol that the dynamic linker finds for the address in this
// process's copy of the module's file.
class TRtDebugInfoExports : public TRtDebugInfoSource {
public:
  explicit TRtDebugInfoExports(const TRtModule& module) : TRtDebugInfoSource(module), image_(true) {}
  bool Initialize() override;
  bool Locate(quintptr address, TRtLocationInfo& info) override;

private:
  bool LocatePeExport(quintptr address, TRtLocationInfo& info);
  bool LocateDynamicSymbol(quintptr address, TRtLocationInfo& info);
  TRtPePackageImage image_;
  quintptr loadedBase_ = 0; // where this process has the module's file loaded
};
