// Reads the input as a member file the way the member import reads one: a
// dBASE table whose text comes through the 852 translation, every field as
// text, number, flag and date, and every text as a birth number. Bad input
// must end in the library's errors, never in a crash, and a birth number
// gives no date outside 1900-2099.
#include "core/Exception.h"
#include "dbase/xbtable.h"
#include "registers/common/XbOemTranslation.h"
#include "registers/members/fSImport.h"
#include <QtCore/QBuffer>

namespace {
template <class Read> void Quietly(Read read) {
  try {
    read();
  } catch (const Exception&) {
    // A value that does not convert is refused with an error.
  }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QBuffer buffer;
  buffer.setData(reinterpret_cast<const char*>(data), qsizetype(size));
  TXbTable table;
  table.Storage = TXbStorage::stoMemory;
  table.SetMemoryStream(&buffer);
  table.ReadOnly = true;
  table.DateTimeHandling = TDateTimeHandling::dtDateTime;
  table.OnTranslate = XbTranslate;
  try {
    table.Open();
    int rows = 0;
    for (table.First(); !table.Eof() && rows < 500; table.Next(), ++rows)
      for (const auto& field : table.Fields()) {
        Quietly([&] { (void)field->AsInteger(); });
        Quietly([&] { (void)field->AsBoolean(); });
        Quietly([&] { (void)field->AsDateTime(); });
        Quietly([&] {
          const QDate born = TfrmSImport::RodneCisloToDate(field->AsString(), 2026);
          if (born.isValid() && (born.year() < 1900 || born.year() > 2099)) __builtin_trap();
        });
      }
    table.Close();
  } catch (const Exception&) {
    // Refusing bad input with an error is the expected outcome.
  }
  return 0;
}
