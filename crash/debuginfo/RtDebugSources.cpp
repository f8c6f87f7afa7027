#include "crash/debuginfo/RtDebugSources.h"
#include "crash/debuginfo/RtDebugSourceKinds.h"
#include <QtCore/QFileInfo>
#include <cstdlib>
#include <cxxabi.h>
#include <dlfcn.h>

QString DemangledName(const char* name) {
  int status = 0;
  char* demangled = abi::__cxa_demangle(name, nullptr, nullptr, &status);
  const QString result = QString::fromUtf8(status == 0 && demangled ? demangled : name);
  std::free(demangled);
  return result;
}

std::optional<quint32> TRtDebugInfoSource::OffsetInCode(quintptr address) const {
  if (address < module_.Base || address - module_.Base < 4096) return std::nullopt;
  const quintptr offset = address - module_.Base - 4096;
  if (offset > 0xFFFFFFFFu) return std::nullopt;
  return quint32(offset);
}

bool TRtDebugInfoScannedSource::Locate(quintptr address, TRtLocationInfo& info) {
  const std::optional<quint32> offset = OffsetInCode(address);
  if (!offset) return false;
  info.Unit = UnitNameAt(*offset);
  if (info.Unit.isEmpty()) return false;
  info.Address = address;
  info.Procedure = ProcedureAt(*offset, info.ProcedureOffset);
  quint32 lineOffset = 0;
  info.Line = LineAt(*offset, lineOffset);
  info.LineOffset = qint32(lineOffset);
  info.SourceFile = SourceNameAt(*offset);
  info.Source = this;
  return true;
}

// ---------------------------------------------------------------- binary

bool TRtDebugInfoBinary::Initialize() {
  TRtByteView data = PeSectionData(Module(), "RTDEBUG");
  if (data.IsEmpty()) {
    const QString sideFile = ModuleSideFileName(Module().FileName, QStringLiteral(".rdbg"));
    if (QFileInfo::exists(sideFile) && sideFile_.Open(sideFile, false))
      data = TRtByteView(sideFile_.Data(), quint64(sideFile_.Size()));
  }
  if (data.IsEmpty()) return false;
  scanner_ = std::make_unique<TRtBinDebugScanner>(data, true);
  if (!scanner_->ValidFormat()) return false;
  // A side file must have been written for this very module.
  return !IsSideFile() ||
         scanner_->ModuleName().compare(QFileInfo(Module().FileName).completeBaseName(), Qt::CaseInsensitive) == 0;
}

// ---------------------------------------------------------------- TD32, map

bool TRtDebugInfoTD32::Initialize() {
  image_.AttachLoadedModule(Module());
  return image_.TD32Present();
}

bool TRtDebugInfoMap::Initialize() {
  const QString mapFile = ModuleSideFileName(Module().FileName, QStringLiteral(".map"));
  return QFileInfo::exists(mapFile) && file_.Open(mapFile);
}

// ---------------------------------------------------------------- exports

bool TRtDebugInfoExports::Initialize() {
  if (!Module().IsPeImage()) {
    // The same file loaded in this process; the module may be another
    // process's (a crash report of an ended run), loaded elsewhere.
    // Compared as real files: a memory map names them by their canonical
    // path, the dynamic linker by the path it searched.
    const QString file = QFileInfo(Module().FileName).canonicalFilePath();
    for (const TRtElfModule& loaded : LoadedElfModules())
      if (loaded.FileName == Module().FileName ||
          (!file.isEmpty() && QFileInfo(loaded.FileName).canonicalFilePath() == file)) {
        loadedBase_ = loaded.Base;
        return true;
      }
    return false;
  }
  image_.AttachLoadedModule(Module());
  return image_.StatusOK() && image_.ExportList().Count() > 0;
}

bool TRtDebugInfoExports::Locate(quintptr address, TRtLocationInfo& info) {
  if (address < Module().Base) return false;
  info.ProcedureOffset = 0;
  info.LineOffset = 0;
  const bool found = Module().IsPeImage() ? LocatePeExport(address, info) : LocateDynamicSymbol(address, info);
  if (found) {
    info.Address = address;
    info.Source = this;
  }
  return found;
}

bool TRtDebugInfoExports::LocatePeExport(quintptr address, TRtLocationInfo& info) {
  const quintptr relative = address - Module().Base;
  TRtPeExportFuncList& exports = image_.ExportList();
  exports.Sort(TRtPeExportFuncList::esAddress);
  for (int i = exports.Count() - 1; i >= 0; --i) {
    const TRtPeExportFuncItem& item = exports.Items(i);
    if (item.Address > relative) continue;
    const TRtExportName name = image_.IsPackage() ? ReadExportName(item.Name) : TRtExportName{TRtExportName::enPlain};
    if (name.Result == TRtExportName::enMangled) {
      info.Unit = name.Text.left(name.BasePosition - 2);
      if (name.Kind != TRtExportName::ekTypeInfo && name.Kind != TRtExportName::ekVirtualTable) {
        info.Procedure = name.Text.mid(name.BasePosition - 1);
        if (name.Flags & TRtExportName::efAtMark) info.Procedure.prepend(QLatin1Char('@'));
        info.ProcedureOffset = quint32(relative - item.Address);
      }
      return true;
    }
    if (name.Result == TRtExportName::enPlain) {
      info.Procedure = QString::fromLatin1(item.Name);
      info.ProcedureOffset = quint32(relative - item.Address);
      return true;
    }
  }
  return false;
}

bool TRtDebugInfoExports::LocateDynamicSymbol(quintptr address, TRtLocationInfo& info) {
  const quintptr loaded = address - Module().Base + loadedBase_;
  Dl_info symbol;
  if (!dladdr(reinterpret_cast<void*>(loaded), &symbol) || !symbol.dli_sname || !symbol.dli_saddr) return false;
  info.Procedure = DemangledName(symbol.dli_sname);
  info.ProcedureOffset = quint32(loaded - quintptr(symbol.dli_saddr));
  return true;
}

// ---------------------------------------------------------------- list

TRtDebugInfoList::TRtDebugInfoList() = default;
TRtDebugInfoList::~TRtDebugInfoList() = default;

std::unique_ptr<TRtDebugInfoSource> TRtDebugInfoList::CreateSource(const TRtModule& module) {
  std::unique_ptr<TRtDebugInfoSource> candidates[] = {
      std::make_unique<TRtDebugInfoBinary>(module), std::make_unique<TRtDebugInfoTD32>(module),
      std::make_unique<TRtDebugInfoMap>(module), std::make_unique<TRtDebugInfoExports>(module)};
  for (std::unique_ptr<TRtDebugInfoSource>& candidate : candidates) {
    try {
      if (candidate->Initialize()) return std::move(candidate);
    } catch (const std::exception&) {
      // A source that fails while starting cannot serve; the next kind is tried.
    }
  }
  return nullptr;
}

TRtDebugInfoSource* TRtDebugInfoList::SourceForModule(const TRtModule& module) {
  if (module.IsNull()) return nullptr;
  const auto known = sources_.find(module.Base);
  if (known != sources_.end()) return known->second.get();
  std::unique_ptr<TRtDebugInfoSource> source = CreateSource(module);
  if (!source) return nullptr;
  return sources_.emplace(module.Base, std::move(source)).first->second.get();
}
