// Parses the input as a linker map file and asks every lookup.
#include "crash/debuginfo/RtMapFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TRtMapScanner scanner(TRtByteView(data, size));
  const quint32 probes[] = {0, 0x10, 0x100, scanner.CodeTop(), scanner.CodeTop() / 2, 0xFFFFFFFFu};
  for (quint32 offset : probes) {
    quint32 procedureOffset = 0, lineOffset = 0;
    (void)scanner.UnitName(offset);
    (void)scanner.Procedure(offset, procedureOffset);
    (void)scanner.Line(offset, lineOffset);
    (void)scanner.SourceName(offset);
  }
  return 0;
}
