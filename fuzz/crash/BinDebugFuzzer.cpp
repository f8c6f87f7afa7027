// Reads the input as binary debug data (with and without its checksum
// checked) and asks every lookup and name.
#include "crash/debuginfo/RtBinDebug.h"
#include <QtCore/QByteArray>

namespace {

void Probe(const TRtBinDebugScanner& scanner) {
  if (!scanner.ValidFormat()) return;
  (void)scanner.ModuleName();
  const quint32 probes[] = {0, 0x10, 0x14, 0x100, 0x12345, 0xFFFFFFFFu};
  for (quint32 offset : probes) {
    quint32 procedureOffset = 0, lineOffset = 0;
    (void)scanner.UnitName(offset);
    (void)scanner.ProcedureName(offset, procedureOffset);
    (void)scanner.LineNumber(offset, lineOffset);
    (void)scanner.SourceName(offset);
  }
  for (quint32 reference = 1; reference < 64; reference += 7)
    (void)scanner.DecodeName(reference);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Probe(TRtBinDebugScanner(TRtByteView(data, size)));
  // The same bytes with the checksum switched off, so that mutations reach the tables.
  if (size > RtBinDebug::kChecksumPresentOffset) {
    QByteArray copy(reinterpret_cast<const char*>(data), qsizetype(size));
    copy[RtBinDebug::kChecksumPresentOffset] = 0;
    Probe(TRtBinDebugScanner(TRtByteView(reinterpret_cast<const uchar*>(copy.constData()), quint64(copy.size()))));
  }
  return 0;
}
