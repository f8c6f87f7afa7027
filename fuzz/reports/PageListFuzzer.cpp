// Page lists typed into the print dialog, with the copies, collation and
// odd/even choice taken from the first bytes. Every refusal must be an
// exception of the engine, and a plan never names a page the report lacks.
#include "core/Exception.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPrintJob.h"
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  static const bool started = (rpEngineStart(), true);
  (void)started;
  const int pageCount = data[0];
  TrpPrintSettings settings;
  settings.Copies = int(data[1] % 16) - 2;
  settings.Collate = data[2] & 1;
  settings.OddEven = (data[2] >> 1) % 4;
  settings.PageList = QString::fromUtf8(reinterpret_cast<const char*>(data) + 3, qsizetype(size - 3));
  try {
    const TrpPrintPlan plan = rpPlanPrint(settings, pageCount, data[2] & 8);
    if (plan.Pages.size() > qsizetype(pageCount) * kMaxPrintCopies) std::abort();
    for (int page : plan.Pages)
      if (page < 1 || page > pageCount) std::abort();
  } catch (const Exception&) {
  }
  return 0;
}
