// Opens the input as a dBASE table in memory and reads every field of every
// record; bad input must end in the library's errors, never in a crash.
#include "dbase/xbtable.h"
#include <QtCore/QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QBuffer buffer;
  buffer.setData(reinterpret_cast<const char*>(data), qsizetype(size));
  TXbTable table;
  table.Storage = TXbStorage::stoMemory;
  table.SetMemoryStream(&buffer);
  table.ReadOnly = true;
  try {
    table.Open();
    const int rows = std::min(table.RecordCount(), 2000);
    for (int row = 0; row < rows; ++row)
      for (int field = 0; field < table.FieldCount(); ++field)
        (void)table.ValueAt(row, field).toString();
    table.SetShowDeleted(true);
    table.Last();
    table.Close();
  } catch (const Exception&) {
    // Refusing bad input with an error is the expected outcome.
  }
  return 0;
}
