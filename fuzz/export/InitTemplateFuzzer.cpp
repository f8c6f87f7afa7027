// Printer init templates (".fpi") as a user may load any file. A refusal
// must be the program's own error and leave the selection as it was; a
// template that loads selects an existing printer type.
#include "core/Exception.h"
#include "reports/export/rpTextAdvExport.h"
#include <QtCore/QTemporaryFile>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static QTemporaryFile file;
  static const bool opened = file.open();
  if (!opened) return 0;
  file.resize(0);
  file.seek(0);
  file.write(reinterpret_cast<const char*>(data), qint64(size));
  file.flush();
  // The dialog's kind of exporter: it needs no running engine.
  const std::unique_ptr<TrpTextAdvExport> exporter = TrpTextAdvExport::CreatePreviewExporter();
  TrpTextAdvExport& filter = *exporter;
  try {
    filter.LoadInitTemplate(file.fileName());
  } catch (const Exception&) {
    if (filter.PrinterType != 0 || !filter.InitString.isEmpty()) std::abort();
    return 0;
  }
  if (filter.PrinterType < 0 || filter.PrinterType >= filter.PrinterTypes.size()) std::abort();
  return 0;
}
