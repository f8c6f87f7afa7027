// The template loader over arbitrary bytes, as a damaged or foreign ".rpf"
// file gives them: every load ends with a report of at least one page,
// whatever the bytes hold, and never reads outside the data.
#include "db/IBDatabase.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include "reports/objects/RegisterReportObjects.h"
#include <QtWidgets/QApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// The system's font configuration and the Firebird client (a template's own
// database component connects) keep allocations until the process ends; they are not the engine's.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libfbclient.so\nleak:libEngine12.so\nleak:libEngine13.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static int argc = 1;
  static char name[] = "fuzz_report_template";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  new QApplication(argc, argv); // rich text and its hidden editor need it; lives for the whole run
  rpEngineStart();
  RegisterReportObjects();
  // A template's database component asking for a login is refused at once, never shown a window.
  TIBDatabase::SetLoginHandler([](const QString&, QString&, QString&) { return false; });
  TrpGlobals& g = rpGlobals();
  g.ErrorBox = [](const QString&, const QString&) {};
  g.AskPassword = [](QString& password) {
    password = QStringLiteral("x");
    return true;
  };
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TrpReport report;
  report.LoadFromStream(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), true);
  if (report.Pages.Count() < 1) std::abort();
  report.SaveToStream();
  return 0;
}
