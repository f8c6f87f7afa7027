// Feeds arbitrary text to the readers of /proc/cpuinfo, /proc/meminfo and
// /proc/<pid>/maps and checks what every caller relies on.
#include "app/SysInfo.h"
#include <QtCore/QSet>
#include <QtCore/QString>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

  const TCpuInfo cpu = ParseCpuInfo(text);
  if (cpu.Name.size() > 48 || cpu.VendorId.size() > 12 || cpu.Manufacturer.isEmpty()) std::abort();
  if (cpu.NormalisedMHz != (cpu.RawMHz ? RoundCpuFrequency(cpu.RawMHz) : 0)) std::abort();

  const TMemoryStatus memory = ParseMemInfo(text);
  if (memory.TotalPhysical < 0 || memory.UsedPageFile < 0) std::abort();
  if (RoundedMegabytes(memory.TotalPhysical) < 0) std::abort();

  QSet<QString> seen;
  for (const TModuleEntry& module : ParseModuleMaps(text, false)) {
    if (!module.Path.startsWith(QLatin1Char('/')) || module.Path.size() > 260) std::abort();
    if (seen.contains(module.Path)) std::abort();
    seen.insert(module.Path);
  }

  QString expanded = text;
  if (!ExpandEnvironmentInPlace(expanded) && expanded != text) std::abort();
  return 0;
}
