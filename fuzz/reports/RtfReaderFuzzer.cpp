// The RTF reader over arbitrary bytes, as a damaged template or a foreign
// ".rtf" file gives them: it reads what it can, never past the data, and
// what it read writes and reads again.
#include "reports/objects/rpRtfReader.h"
#include "reports/objects/rpRtfWriter.h"
#include <QtGui/QGuiApplication>
#include <QtGui/QTextDocument>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(*argc, *argv); // fonts need the application
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView rtf(reinterpret_cast<const char*>(data), qsizetype(size));
  QTextDocument document;
  const qsizetype used = rpReadRtf(rtf, document);
  if (used < 0 || used > rtf.size()) std::abort();
  QTextDocument again;
  rpReadRtf(rpWriteRtf(document), again);
  if (again.toPlainText() != document.toPlainText()) std::abort();
  return 0;
}
