// Reads the input as a fault report file, as the crash-report run does.
#include "crash/RtFaultHandler.h"
#include <QtCore/QByteArray>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<TRtFaultReport> report =
      ParseFaultReport(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  if (report && report->Frames.size() > 256) std::abort();
  return 0;
}
