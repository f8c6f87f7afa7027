// The stream primitives over arbitrary bytes, as a damaged template file
// gives them: every read either succeeds or raises the stream error.
#include "core/Exception.h"
#include "reports/engine/rpStream.h"
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TBinaryReader reader(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
  QStringList lines;
  TrpFont font;
  try {
    while (!reader.AtEnd()) {
      switch (rpReadByte(reader) % 6) {
      case 0:
        rpReadMemo(reader, lines);
        break;
      case 1:
        rpReadString(reader);
        break;
      case 2:
        rpReadFont(reader, font);
        break;
      case 3:
        rpReadMemoOld(reader, lines);
        break;
      case 4:
        rpReadStringOld(reader);
        break;
      default:
        rpReadInteger(reader);
      }
    }
  } catch (const EStreamError&) {
  }
  return 0;
}
