// Parses the input as TD32 debug data and asks every lookup.
#include "crash/debuginfo/RtTD32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TRtTD32InfoScanner scanner(TRtByteView(data, size));
  const quint32 probes[] = {0, 0x10, 0x14, 0x60, 0x100, 0xFFFFFFFFu};
  for (quint32 offset : probes) {
    quint32 procedureOffset = 0, lineOffset = 0;
    (void)scanner.UnitName(offset);
    (void)scanner.ProcedureName(offset, procedureOffset);
    (void)scanner.LineNumber(offset, lineOffset);
    (void)scanner.SourceName(offset);
  }
  return 0;
}
