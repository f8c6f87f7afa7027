// Page ranges typed into the export dialogs. A refusal must be the engine's
// conversion error; a parsed range answers every page quickly, whatever the
// numbers typed.
#include "reports/engine/rpValue.h"
#include "reports/export/rpExportUtils.h"
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TrpPageRange range;
  try {
    range.Parse(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
  } catch (const ErpConversionError&) {
    return 0;
  }
  // An empty range takes every page.
  if (range.IsEmpty() && !range.Contains(1)) std::abort();
  for (const int page : {1, 2, 1000, 2147483647})
    (void)range.Contains(page);
  return 0;
}
