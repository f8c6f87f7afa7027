// The template loader over arbitrary bytes, as a damaged or foreign ".rpf"
// file gives them: every load ends with a report of at least one page,
// whatever the bytes hold, and never reads outside the data.
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  rpEngineStart();
  TrpGlobals& g = rpGlobals();
  g.ErrorBox = [](const QString&, const QString&) {};
  g.AskPassword = [](QString& password) {
    password = QStringLiteral("x");
    return true;
  };
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TrpReport report;
  report.LoadFromStream(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), true);
  if (report.Pages.Count() < 1) std::abort();
  report.SaveToStream();
  return 0;
}
