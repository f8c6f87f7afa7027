// A program for the crash reporter's tests and walkthroughs.
//   crash_test_program throw   an event handler throws from three nested functions
//   crash_test_program fault   an event handler writes through a null pointer
// It prints "LINE <n> <line>" for the line of the throw or fault (0) and
// those of the two calls above it (1, 2) before they run. Each crash dialog writes its report
// text to <program>.report.txt beside the program and, with
// CRASH_TEST_SCREENSHOTS set to a path prefix, saves itself collapsed and
// expanded; then it closes itself unless CRASH_TEST_INTERACTIVE is set.
// After a thrown error the program shows that its event loop goes on by
// printing "LOOP CONTINUES".
#include "app/Application.h"
#include "controls/QPLBtn.h"
#include "crash/RtFaultHandler.h"
#include "crash/fExceptionDialog.h"
#include "util/RtErrors.h"
#include <QtCore/QFile>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <cstdio>

namespace crashprogram {

int* volatile target = nullptr;
const QString kMessage = QStringLiteral("Chyba testovacieho programu\nv treťom vnorenom volaní");

// Prints "LINE <index> <line>" before the line runs.
void Mark(int index, int line) {
  std::printf("LINE %d %d\n", index, line);
  std::fflush(stdout);
}

// The store through a null pointer is the fault under test, so the
// undefined-behaviour check must not stop it first.
__attribute__((noinline, no_sanitize("null"))) void Innermost(bool fault) {
  Mark(0, __LINE__ + 1);
  fault ? void(*target = 1) : throw ERtError(kMessage);
}

__attribute__((noinline)) void Middle(bool fault) {
  Mark(1, __LINE__ + 1);
  Innermost(fault);
}

__attribute__((noinline)) void Outer(bool fault) {
  Mark(2, __LINE__ + 1);
  Middle(fault);
}

} // namespace crashprogram

namespace {

void Record(TExceptionDialog& dialog) {
  const QString program = QCoreApplication::applicationFilePath();
  QFile report(program + QStringLiteral(".report.txt"));
  if (report.open(QIODevice::WriteOnly | QIODevice::Append))
    report.write((dialog.ReportText() + QStringLiteral("\r\n")).toUtf8());
  const QString screenshots = qEnvironmentVariable("CRASH_TEST_SCREENSHOTS");
  if (!screenshots.isEmpty()) {
    dialog.grab().save(screenshots + QStringLiteral("-collapsed.png"));
    dialog.DetailsBtnClick();
    dialog.grab().save(screenshots + QStringLiteral("-expanded.png"));
  }
  if (!qEnvironmentVariableIsSet("CRASH_TEST_INTERACTIVE")) dialog.OkBtn->click();
}

} // namespace

int main(int argc, char* argv[]) {
  TApplication application(argc, argv);
  // The crash dialog is the program's only window: its closing must not end
  // the loop that the test watches going on.
  application.setQuitOnLastWindowClosed(false);
  SetCrashDialogShownHook(Record);
  if (argc == 3 && qstrcmp(argv[1], kCrashReportArgument) == 0) return RunCrashReport(QString::fromLocal8Bit(argv[2]));
  InstallCrashHandlers();
  const bool fault = argc > 1 && qstrcmp(argv[1], "fault") == 0;
  bool raised = false;
  QTimer::singleShot(0, [fault, &raised] {
    raised = true;
    crashprogram::Outer(fault);
  });
  // The loop goes on after the report: a timer of the main loop sees no modal window any more.
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!raised || QApplication::activeModalWidget()) return;
    std::printf("LOOP CONTINUES\n");
    std::fflush(stdout);
    application.quit();
  });
  watch.start(20);
  return application.exec();
}
