#include "crash/RtFaultHandler.h"
#include "crash/RtDebug.h"
#include "crash/debuginfo/RtModules.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <array>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL};
constexpr size_t kMaxRanges = 16;
constexpr size_t kMaxFrames = 256;
constexpr size_t kPathSize = 4096;

// What the handler reads: plain data taken at installation, so that the
// handler itself allocates nothing and calls nothing that is not
// async-signal-safe.
struct TFaultSetup {
  char program[kPathSize] = {};
  char reportFile[kPathSize] = {};
  std::array<std::pair<quintptr, quintptr>, kMaxRanges> code{}; // the program's executable segments
  size_t codeCount = 0;
  quintptr stackLow = 0, stackHigh = 0; // the installing thread's stack
  struct sigaction previous[std::size(kSignals)];
  bool installed = false;
};

TFaultSetup setup;
volatile sig_atomic_t handling = 0;

bool CopyPath(char (&target)[kPathSize], const QString& path) {
  const QByteArray bytes = QFile::encodeName(path);
  if (bytes.size() >= qsizetype(kPathSize)) return false;
  std::memcpy(target, bytes.constData(), size_t(bytes.size()) + 1);
  return true;
}

bool InProgramCode(quintptr start, quintptr end) {
  for (size_t i = 0; i < setup.codeCount; ++i)
    if (start >= setup.code[i].first && end <= setup.code[i].second) return true;
  return false;
}

// ---------------------------------------------------------------- async-signal-safe writing

void WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written <= 0) return;
    data += written;
    size -= size_t(written);
  }
}

void WriteText(int fd, const char* text) { WriteAll(fd, text, strlen(text)); }

void WriteNumberLine(int fd, const char* key, quintptr value, bool hex) {
  char digits[32];
  int length = 0;
  do {
    const int digit = int(hex ? value % 16 : value % 10);
    digits[length++] = char(digit < 10 ? '0' + digit : 'a' + digit - 10);
    value = hex ? value / 16 : value / 10;
  } while (value != 0 && length < 30);
  WriteText(fd, key);
  WriteText(fd, " ");
  while (length > 0)
    WriteAll(fd, &digits[--length], 1);
  WriteText(fd, "\n");
}

void CopyMaps(int fd) {
  const int maps = open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
  if (maps < 0) return;
  char buffer[4096];
  for (ssize_t n; (n = read(maps, buffer, sizeof buffer)) > 0;)
    WriteAll(fd, buffer, size_t(n));
  close(maps);
}

// The call sites on the interrupted stack, from its stack pointer up. Reads
// whole stack words, whatever the frames hold, so the address check is off.
__attribute__((no_sanitize("address"))) size_t WalkStack(quintptr stackPointer, quintptr (&frames)[kMaxFrames]) {
  if (stackPointer < setup.stackLow || stackPointer >= setup.stackHigh) return 0;
  size_t count = 0;
  quintptr previous = 0;
  for (quintptr slot = stackPointer & ~quintptr(7); slot + 8 <= setup.stackHigh && count < kMaxFrames; slot += 8) {
    const quintptr value = *reinterpret_cast<const quintptr*>(slot);
    if (value <= 8 || value == previous || !InProgramCode(value - 8, value)) continue;
    const int length = CallSiteLength(reinterpret_cast<const uchar*>(value - 8));
    if (length == 0) continue;
    frames[count++] = value - quintptr(length);
    previous = value;
  }
  return count;
}

void WriteReport(int signal, siginfo_t* info, void* context) {
  const int fd = open(setup.reportFile, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return;
  quintptr pc = 0, sp = 0;
#if defined(__x86_64__)
  const auto* uc = static_cast<const ucontext_t*>(context);
  pc = quintptr(uc->uc_mcontext.gregs[REG_RIP]);
  sp = quintptr(uc->uc_mcontext.gregs[REG_RSP]);
#endif
  WriteText(fd, "VIMEK-FAULT\n");
  WriteNumberLine(fd, "signal", quintptr(signal), false);
  WriteNumberLine(fd, "code", quintptr(info->si_code), false);
  WriteNumberLine(fd, "address", pc, true);
  WriteNumberLine(fd, "data", quintptr(info->si_addr), true);
  quintptr frames[kMaxFrames];
  const size_t count = WalkStack(sp, frames);
  for (size_t i = 0; i < count; ++i)
    WriteNumberLine(fd, "frame", frames[i], true);
  WriteText(fd, "maps\n");
  CopyMaps(fd);
  close(fd);
}

// Starts the program in crash-report mode and waits for it.
void RunReportProcess() {
  char argument[sizeof kCrashReportArgument];
  std::memcpy(argument, kCrashReportArgument, sizeof argument);
  char* argv[] = {setup.program, argument, setup.reportFile, nullptr};
  const pid_t child = _Fork();
  if (child == 0) {
    execve(setup.program, argv, environ);
    _exit(127);
  }
  if (child < 0) return;
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

void FaultHandler(int signal, siginfo_t* info, void* context) {
  // A fault inside the handler itself ends the process at once.
  if (!handling) {
    handling = 1;
    WriteReport(signal, info, context);
    RunReportProcess();
  }
  struct sigaction standard = {};
  standard.sa_handler = SIG_DFL;
  sigaction(signal, &standard, nullptr);
  // Pending until the handler returns; a real fault also recurs on return.
  raise(signal);
}

void TakeStackRange() {
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) != 0) return;
  void* low = nullptr;
  size_t size = 0;
  if (pthread_attr_getstack(&attributes, &low, &size) == 0) {
    setup.stackLow = quintptr(low);
    setup.stackHigh = quintptr(low) + size;
  }
  pthread_attr_destroy(&attributes);
}

} // namespace

void InstallFaultHandler() {
  setup.codeCount = 0;
  for (const TRtElfModule& module : LoadedElfModules()) {
    if (!module.IsProgram) continue;
    for (const TRtElfSegment& segment : module.Segments)
      if (segment.Executable && segment.Readable && setup.codeCount < kMaxRanges)
        setup.code[setup.codeCount++] = {segment.Start, segment.End};
    CopyPath(setup.program, module.FileName);
  }
  CopyPath(setup.reportFile, QDir(QDir::tempPath()).filePath(QStringLiteral("vimek-fault-%1.txt").arg(getpid())));
  TakeStackRange();
  static std::array<char, 64 * 1024> alternateStack;
  stack_t stack = {};
  stack.ss_sp = alternateStack.data();
  stack.ss_size = alternateStack.size();
  sigaltstack(&stack, nullptr);
  if (setup.installed) return;
  struct sigaction action = {};
  action.sa_sigaction = FaultHandler;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (size_t i = 0; i < std::size(kSignals); ++i)
    sigaction(kSignals[i], &action, &setup.previous[i]);
  setup.installed = true;
}

void RemoveFaultHandler() {
  if (!setup.installed) return;
  for (size_t i = 0; i < std::size(kSignals); ++i)
    sigaction(kSignals[i], &setup.previous[i], nullptr);
  setup.installed = false;
}

// ---------------------------------------------------------------- reading

std::optional<TRtFaultReport> ParseFaultReport(const QByteArray& text) {
  if (!text.startsWith("VIMEK-FAULT\n")) return std::nullopt;
  TRtFaultReport report;
  qsizetype pos = text.indexOf('\n') + 1;
  while (pos < text.size()) {
    const qsizetype end = text.indexOf('\n', pos);
    const QByteArray line = text.mid(pos, (end < 0 ? text.size() : end) - pos);
    pos = end < 0 ? text.size() : end + 1;
    if (line == "maps") {
      report.Maps = QString::fromLocal8Bit(text.mid(pos));
      break;
    }
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() != 2) return std::nullopt;
    bool ok = false;
    const bool hex = parts[0] != "signal" && parts[0] != "code";
    const qulonglong value = parts[1].toULongLong(&ok, hex ? 16 : 10);
    if (!ok) return std::nullopt;
    if (parts[0] == "signal")
      report.Signal = int(value);
    else if (parts[0] == "code")
      report.Code = int(value);
    else if (parts[0] == "address")
      report.Address = quintptr(value);
    else if (parts[0] == "data")
      report.DataAddress = quintptr(value);
    else if (parts[0] == "frame" && report.Frames.size() < qsizetype(kMaxFrames))
      report.Frames.append(quintptr(value));
    else
      return std::nullopt;
  }
  return report;
}

std::optional<TRtFaultReport> ReadFaultReport(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return ParseFaultReport(file.readAll());
}
