// The prepared-report loader over arbitrary bytes, as a damaged or foreign
// ".rpp" file gives them: a load either succeeds or fails with the engine's
// stream error, and so does rebuilding and drawing each page's objects (the
// older layout's recorded drawings included); nothing reads outside the data.
#include "core/BinaryStream.h"
#include "reports/engine/rpEMFPages.h"
#include "reports/engine/rpGlobals.h"
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <cstddef>
#include <cstdint>

// The system's font configuration keeps caches until the process ends; they are not the engine's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static int argc = 1;
  static char name[] = "fuzz_report_prepared";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  new QGuiApplication(argc, argv); // drawing needs fonts; lives for the whole run
  rpEngineStart();
  rpGlobals().ErrorBox = [](const QString&, const QString&) {};
  rpGlobals().TextWidth = [](const QFont&, const QString& text) { return int(text.size()) * 7; };
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  TrpEMFPages pages;
  try {
    TBinaryReader stream(bytes);
    pages.LoadFromStream(stream);
  } catch (const Exception&) {
    return 0;
  }
  QImage canvas(80, 110, QImage::Format_RGB32);
  for (int i = 0; i < pages.Count() && i < 4; ++i) {
    try {
      pages.LoadPageObjects(i);
      pages.StorePageObjects(i);
      canvas.fill(Qt::white);
      QPainter painter(&canvas);
      pages.GetPage(i).Visible = true;
      pages.Draw(i, &painter, canvas.rect());
    } catch (const Exception&) {
    }
  }
  TBinaryWriter out;
  pages.SaveToStream(out);
  return 0;
}
