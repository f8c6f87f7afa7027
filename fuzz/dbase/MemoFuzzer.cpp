// Reads the first blocks of the input as a memo file of each layout.
#include "dbase/xb_memo.h"
#include <QtCore/QBuffer>

namespace {

template <typename Memo> void ReadAll(const QByteArray& bytes, TableFormat version) {
  QBuffer buffer;
  buffer.setData(bytes);
  Memo memo(nullptr);
  memo.AttachStream(&buffer);
  memo.SetMode(PagedFileMode::MemoryExisting);
  memo.Version = version;
  try {
    memo.OpenMemo();
    for (int block = 0; block < 64; ++block)
      (void)memo.ReadMemo(block);
  } catch (const Exception&) {
    // Refusing bad input with an error is the expected outcome.
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  ReadAll<TDbaseMemoFile>(bytes, TableFormat::Dbase3);
  ReadAll<TDbaseMemoFile>(bytes, TableFormat::Dbase4);
  ReadAll<TFoxProMemoFile>(bytes, TableFormat::FoxPro);
  return 0;
}
