// The prepared-report loader over arbitrary bytes, as a damaged or foreign
// ".rpp" file gives them: a load either succeeds or fails with the engine's
// stream error, and so does rebuilding each page's objects; nothing reads
// outside the data.
#include "core/BinaryStream.h"
#include "reports/engine/rpEMFPages.h"
#include "reports/engine/rpGlobals.h"
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  rpEngineStart();
  rpGlobals().ErrorBox = [](const QString&, const QString&) {};
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  TrpEMFPages pages;
  try {
    TBinaryReader stream(bytes);
    pages.LoadFromStream(stream);
  } catch (const Exception&) {
    return 0;
  }
  for (int i = 0; i < pages.Count(); ++i) {
    try {
      pages.LoadPageObjects(i);
      pages.StorePageObjects(i);
    } catch (const Exception&) {
    }
  }
  TBinaryWriter out;
  pages.SaveToStream(out);
  return 0;
}
