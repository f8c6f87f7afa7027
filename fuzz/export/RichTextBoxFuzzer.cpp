// The RTF of a rich-text object as templates may hold it, merged into the
// page-exact RTF export's font and colour tables: whatever the bytes, the
// merge ends and its box text ends with its closing braces.
#include "reports/export/vzRTFExport.h"
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TVezoRTFExport::TTables tables;
  const QByteArray box =
      TVezoRTFExport::RichTextBox(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), tables);
  if (!box.endsWith("}}}}\r\n")) std::abort();
  return 0;
}
