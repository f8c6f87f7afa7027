#include "crash/debuginfo/RtModules.h"
#include <QtCore/QFile>
#include <link.h>

namespace {

int AddModule(dl_phdr_info* info, size_t, void* data) {
  auto& modules = *static_cast<QList<TRtElfModule>*>(data);
  TRtElfModule module;
  quintptr lowest = ~quintptr(0);
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& header = info->dlpi_phdr[i];
    if (header.p_type != PT_LOAD) continue;
    lowest = qMin<quintptr>(lowest, header.p_vaddr);
    const quintptr start = info->dlpi_addr + header.p_vaddr;
    module.Segments.append({start, start + header.p_memsz, (header.p_flags & PF_R) != 0, (header.p_flags & PF_X) != 0});
    module.End = qMax<quintptr>(module.End, start + header.p_memsz);
  }
  if (module.Segments.isEmpty()) return 0;
  module.LinkBase = lowest & ~(kRtModulePageSize - 1);
  module.Base = info->dlpi_addr + module.LinkBase;
  // The dynamic linker lists the program first, without a name.
  module.IsProgram = modules.isEmpty();
  const QString name = QFile::decodeName(info->dlpi_name ? info->dlpi_name : "");
  module.FileName = module.IsProgram ? QFile::symLinkTarget(QStringLiteral("/proc/self/exe")) : name;
  modules.append(module);
  return 0;
}

} // namespace

QString ModuleSideFileName(const QString& moduleFileName, const QString& extension) {
  const qsizetype folderEnd =
      qMax(moduleFileName.lastIndexOf(QLatin1Char('/')), moduleFileName.lastIndexOf(QLatin1Char('\\')));
  const qsizetype dot = moduleFileName.lastIndexOf(QLatin1Char('.'));
  return (dot > folderEnd ? moduleFileName.left(dot) : moduleFileName) + extension;
}

bool TRtElfModule::Holds(quintptr address) const {
  for (const TRtElfSegment& segment : Segments)
    if (address >= segment.Start && address < segment.End) return true;
  return false;
}

QList<TRtElfModule> LoadedElfModules() {
  QList<TRtElfModule> modules;
  dl_iterate_phdr(AddModule, &modules);
  return modules;
}

TRtModule ProcessModuleOfAddress(quintptr address) {
  for (const TRtElfModule& module : LoadedElfModules())
    if (module.Holds(address)) return module.AsModule();
  return {};
}
