#pragma once
#include <QtCore/QList>
#include <QtCore/QString>
#include <optional>

// Faults: SIGSEGV, SIGBUS, SIGFPE and SIGILL are caught on an alternate
// stack. A process cannot go on safely after a fault, so the handler, with
// async-signal-safe calls only, writes the fault report (the signal, the
// faulting address, the call sites found on the stack, the module map) to a
// file, starts the program again in crash-report mode ("--crash-report
// <file>"), waits for that process to end, and then ends with its signal.
// Everything the handler needs is taken when it is installed.

// Installs the handler for this process; the calling thread gets the
// alternate stack. Installing again refreshes what the handler knows.
void InstallFaultHandler();
void RemoveFaultHandler();

// The argument that starts the program in crash-report mode.
inline constexpr char kCrashReportArgument[] = "--crash-report";

// What a fault report file holds.
struct TRtFaultReport {
  int Signal = 0;
  int Code = 0;             // the signal's si_code
  quintptr Address = 0;     // the faulting instruction
  quintptr DataAddress = 0; // the address the instruction touched
  QList<quintptr> Frames;   // call sites found on the stack, innermost first
  QString Maps;             // the process's memory map, as /proc/<pid>/maps gave it
};

// Reads a fault report; none when the file is missing or is no fault report.
std::optional<TRtFaultReport> ReadFaultReport(const QString& fileName);
// Parses the text of a fault report.
std::optional<TRtFaultReport> ParseFaultReport(const QByteArray& text);
