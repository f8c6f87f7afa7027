// Lays the input out as a PE image and reads every structure the crash
// reporter reads: sections, exports in every order, resources, the debug
// directory, TD32 data in the image, the "RTDEBUG" section, export lookups.
#include "crash/debuginfo/RtDebugSourceKinds.h"
#include "crash/debuginfo/RtLoadedImage.h"
#include "crash/debuginfo/RtTD32.h"

namespace {

// A directory may point back to itself: the walk visits a bounded number of entries.
void WalkResources(TRtPeResourceList* list, int depth, int& budget) {
  for (int i = 0; list && i < list->Count() && depth < 4 && budget > 0; ++i, --budget) {
    TRtPeResourceItem& item = list->Items(i);
    (void)item.Name();
    (void)item.ResourceType();
    if (item.IsSubdirectory()) WalkResources(item.List(), depth + 1, budget);
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Images claiming more than 256 KiB are refused here, to keep each run short.
  TRtLoadedImage loaded(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), QStringLiteral("fuzz.dll"),
                        256u << 10);
  const TRtModule module = loaded.Module();
  TRtPeTD32Image image(true);
  image.AttachLoadedModule(module);
  if (!image.StatusOK()) return 0;
  for (const TRtSectionHeader& section : image.Sections())
    (void)image.SectionNameOfRva(section.VirtualAddress + 1);
  TRtPeExportFuncList& exports = image.ExportList();
  for (int type = TRtPeExportFuncList::esName; type <= TRtPeExportFuncList::esSection; ++type)
    exports.Sort(TRtPeExportFuncList::TSortType(type), type % 2 == 1);
  for (int i = 0; i < exports.Count(); ++i)
    (void)ReadExportName(exports.Items(i).Name);
  int budget = 4096;
  WalkResources(&image.ResourceList(), 0, budget);
  (void)image.ResourceList().FindResource(RtPe::kResourceRcData, QStringLiteral("PACKAGEINFO"));
  for (int i = 0; i < image.DebugList().Count(); ++i)
    (void)image.DebugList().Items(i).Type;
  if (const TRtTD32InfoScanner* td32 = image.Scanner()) {
    quint32 offset = 0;
    (void)td32->ProcedureName(0x10, offset);
  }
  TRtDebugInfoBinary binary(module);
  TRtDebugInfoExports exportSource(module);
  TRtLocationInfo info;
  const quintptr probes[] = {module.Base + 4096, module.Base + 4096 + 0x40, module.Base + quintptr(loaded.Size()) - 1};
  if (binary.Initialize())
    for (quintptr probe : probes)
      (void)binary.Locate(probe, info);
  if (exportSource.Initialize())
    for (quintptr probe : probes)
      (void)exportSource.Locate(probe, info);
  return 0;
}
