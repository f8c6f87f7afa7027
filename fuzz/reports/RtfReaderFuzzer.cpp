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

// The system's font configuration keeps caches until the process ends; they are not the reader's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static int argc = 1;
  static char name[] = "fuzz_report_rtf";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  new QGuiApplication(argc, argv); // fonts need the application; lives for the whole run
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
