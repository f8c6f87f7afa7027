// Names 1,000 code addresses of the program (default: Vimek; any ELF program
// as the first argument) through its binary debug file, as a crash log does,
// against eu-addr2line naming the same addresses of the same file in one run.
// Then the 50 lines of a crash log's stack, from cold. Prints times, peak
// memory (ours: this process; the baseline: its own process) and how many
// of the routines, files and lines that eu-addr2line names we name alike.
#include "bench/support/BenchSides.h"
#include "crash/RtDebug.h"
#include "crash/debuginfo/RtModules.h"
#include "crash/debuginfo/makerdbg/ElfDebugFacts.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <gelf.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kAddresses = 1000;
constexpr int kLogFrames = 50;
constexpr int kRuns = 3;

struct TFunction {
  quint64 Start, Size;
};

struct TProgram {
  quint64 LinkBase = 0;
  std::vector<TFunction> Functions;
};

// The program's function symbols and its link base, straight from its symbol table.
bool ReadProgram(const QString& fileName, TProgram& program) {
  elf_version(EV_CURRENT);
  const int fd = open(QFile::encodeName(fileName).constData(), O_RDONLY);
  if (fd < 0) return false;
  Elf* elf = elf_begin(fd, ELF_C_READ, nullptr);
  size_t headers = 0;
  quint64 lowest = ~quint64(0);
  if (elf && elf_getphdrnum(elf, &headers) == 0)
    for (size_t i = 0; i < headers; ++i) {
      GElf_Phdr header;
      if (gelf_getphdr(elf, int(i), &header) && header.p_type == PT_LOAD)
        lowest = qMin<quint64>(lowest, header.p_vaddr);
    }
  program.LinkBase = lowest & ~quint64(kRtModulePageSize - 1);
  for (Elf_Scn* section = elf ? elf_nextscn(elf, nullptr) : nullptr; section; section = elf_nextscn(elf, section)) {
    GElf_Shdr header;
    if (!gelf_getshdr(section, &header) || header.sh_type != SHT_SYMTAB || header.sh_entsize == 0) continue;
    Elf_Data* data = elf_getdata(section, nullptr);
    for (size_t i = 0; data && i < header.sh_size / header.sh_entsize; ++i) {
      GElf_Sym symbol;
      if (gelf_getsym(data, int(i), &symbol) && GELF_ST_TYPE(symbol.st_info) == STT_FUNC && symbol.st_size > 0 &&
          symbol.st_shndx != SHN_UNDEF)
        program.Functions.push_back({symbol.st_value, symbol.st_size});
    }
  }
  if (elf) elf_end(elf);
  close(fd);
  std::sort(program.Functions.begin(), program.Functions.end(),
            [](const TFunction& a, const TFunction& b) { return a.Start < b.Start; });
  return !program.Functions.empty();
}

// Addresses inside the program's functions, spread by a fixed sequence.
std::vector<quint64> PickAddresses(const TProgram& program) {
  std::vector<quint64> addresses;
  quint64 state = 0x9E3779B97F4A7C15ull;
  auto next = [&state] {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return state >> 33;
  };
  for (int i = 0; i < kAddresses; ++i) {
    const TFunction& function = program.Functions[next() % program.Functions.size()];
    addresses.push_back(function.Start + next() % function.Size);
  }
  return addresses;
}

struct TChild {
  double Seconds = 0;
  long PeakKiB = 0;
  int Status = -1;
};

// Runs the command with its standard output in the file; its time and its own peak memory.
TChild Run(const QStringList& command, const QString& outputFile) {
  std::vector<QByteArray> args;
  for (const QString& arg : command)
    args.push_back(arg.toLocal8Bit());
  std::vector<char*> argv;
  for (QByteArray& arg : args)
    argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const QByteArray output = QFile::encodeName(outputFile);
  posix_spawn_file_actions_addopen(&actions, 1, output.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  TChild child;
  QElapsedTimer timer;
  timer.start();
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    rusage usage{};
    wait4(pid, &child.Status, 0, &usage);
    child.PeakKiB = usage.ru_maxrss;
  }
  child.Seconds = timer.nsecsElapsed() / 1e9;
  posix_spawn_file_actions_destroy(&actions);
  return child;
}

struct TNamed {
  QString Procedure, File;
  int Line = 0;
};

// eu-addr2line -f prints two lines per address: the routine ("??" when
// unknown) and "file:line[:column]" ("??:0" when unknown).
std::vector<TNamed> ParseBaseline(const QString& fileName) {
  QFile file(fileName);
  std::vector<TNamed> named;
  if (!file.open(QIODevice::ReadOnly)) return named;
  const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
  for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
    TNamed entry;
    if (lines[i] != QLatin1String("??")) {
      // "inner inlined at file:line in outer": the frame's routine is the outer one.
      QString routine = lines[i];
      if (routine.contains(QLatin1String(" inlined at ")))
        routine = routine.mid(routine.lastIndexOf(QLatin1String(" in ")) + 4);
      const auto [scope, name] = SplitQualifiedName(routine);
      entry.Procedure = name.isEmpty() ? scope : scope + QLatin1Char('.') + name;
    }
    const QStringList place = lines[i + 1].split(QLatin1Char(':'));
    if (place.size() >= 2 && place[0] != QLatin1String("??")) {
      entry.File = QFileInfo(place[0]).fileName();
      entry.Line = place[1].toInt();
    }
    named.push_back(entry);
  }
  return named;
}

// eu-addr2line names a routine by its debug information's name: sometimes
// with its scope, sometimes without ("_M_invoke"). The same routine when the
// own names agree and, where it gives one, the scope too.
bool SameRoutine(const QString& ours, const QString& baseline) {
  if (ours == baseline) return true;
  const qsizetype ownDot = ours.lastIndexOf(QLatin1Char('.')), baselineDot = baseline.lastIndexOf(QLatin1Char('.'));
  if (ours.mid(ownDot + 1) != baseline.mid(baselineDot + 1)) return false;
  return baselineDot < 0;
}

} // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QString program =
      QFileInfo(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VIMEK_PROGRAM)).absoluteFilePath();
  TProgram facts;
  if (!ReadProgram(program, facts)) {
    std::fprintf(stderr, "no ELF program with function symbols: %s\n", qPrintable(program));
    return 1;
  }
  const std::vector<quint64> addresses = PickAddresses(facts);
  QTemporaryDir folder;
  QStringList baselineCommand{QStringLiteral("eu-addr2line"), QStringLiteral("-f"), QStringLiteral("-C"),
                              QStringLiteral("-e"), program};
  for (quint64 address : addresses)
    baselineCommand << QStringLiteral("0x%1").arg(address, 0, 16);

  // The baseline first, so that no other child's memory is counted.
  const QString baselineOutput = folder.filePath(QStringLiteral("baseline.txt"));
  TChild baseline;
  for (int run = 0; run < kRuns; ++run) {
    const TChild child = Run(baselineCommand, baselineOutput);
    if (child.Status != 0) {
      std::fprintf(stderr, "eu-addr2line failed (is elfutils installed?)\n");
      return 1;
    }
    if (run == 0 || child.Seconds < baseline.Seconds) baseline = child;
  }

  // The debug file is written when the program is linked; here beside a link
  // to the program in the temporary folder.
  const QString moduleFile = folder.filePath(QFileInfo(program).fileName());
  QFile::link(program, moduleFile);
  const TChild maker =
      Run({QStringLiteral(VIMEK_MAKERDBG), program, ModuleSideFileName(moduleFile, QStringLiteral(".rdbg"))},
          folder.filePath(QStringLiteral("maker.txt")));
  if (maker.Status != 0) {
    std::fprintf(stderr, "vimek-makerdbg failed\n");
    return 1;
  }
  // Loaded at some base, as in a crash report of an ended run.
  const TRtModule module{0x500000000000, moduleFile, 0};
  SetLocationModuleResolver([module](quintptr) { return module; });
  auto loaded = [&](quint64 address) { return quintptr(module.Base + (address - facts.LinkBase)); };

  std::vector<TRtLocationInfo> ours(addresses.size());
  double oursSeconds = 0;
  for (int run = 0; run < kRuns; ++run) {
    ResetLocationSources(); // from cold: the debug file is opened and its tables read again
    QElapsedTimer timer;
    timer.start();
    for (size_t i = 0; i < addresses.size(); ++i)
      LocationOfAddress(loaded(addresses[i]), ours[i]);
    const double seconds = timer.nsecsElapsed() / 1e9;
    oursSeconds = run == 0 ? seconds : qMin(oursSeconds, seconds);
  }

  double logSeconds = 0;
  for (int run = 0; run < kRuns; ++run) {
    ResetLocationSources();
    QElapsedTimer timer;
    timer.start();
    QStringList log;
    for (int i = 0; i < kLogFrames; ++i)
      log << LocationText(loaded(addresses[size_t(i)]), true, true, true);
    const double seconds = timer.nsecsElapsed() / 1e9;
    logSeconds = run == 0 ? seconds : qMin(logSeconds, seconds);
  }
  const long oursPeak = OwnPeakKiB();

  const std::vector<TNamed> named = ParseBaseline(baselineOutput);
  int routines = 0, routinesAlike = 0, routinesMissing = 0, lines = 0, linesAlike = 0, shown = 0;
  for (size_t i = 0; i < named.size() && i < ours.size(); ++i) {
    if (!named[i].Procedure.isEmpty()) {
      ++routines;
      if (ours[i].Procedure.isEmpty()) ++routinesMissing;
      if (SameRoutine(ours[i].Procedure, named[i].Procedure))
        ++routinesAlike;
      else if (shown++ < 8 || ours[i].Procedure.isEmpty())
        std::printf("  routine differs at 0x%llx: ours \"%s\", eu-addr2line \"%s\"\n", addresses[i],
                    qPrintable(ours[i].Procedure), qPrintable(named[i].Procedure));
    }
    if (named[i].Line > 0) {
      ++lines;
      if (ours[i].Line == named[i].Line && ours[i].SourceFile == named[i].File)
        ++linesAlike;
      else if (shown++ < 5)
        std::printf("  line differs at 0x%llx: ours %s:%d, eu-addr2line %s:%d\n", addresses[i],
                    qPrintable(ours[i].SourceFile), ours[i].Line, qPrintable(named[i].File), named[i].Line);
    }
  }

  std::printf("program %s: %zu function symbols, %d addresses, best of %d, cold\n", qPrintable(program),
              facts.Functions.size(), kAddresses, kRuns);
  std::printf("%-40s %10s %12s\n", "", "seconds", "peak KiB");
  std::printf("%-40s %10.3f %12ld\n", "eu-addr2line -f -C, one run", baseline.Seconds, baseline.PeakKiB);
  std::printf("%-40s %10.3f %12ld\n", "ours: binary debug file lookups", oursSeconds, oursPeak);
  std::printf("%-40s %10.3f\n", "ratio ours / eu-addr2line", oursSeconds / baseline.Seconds);
  std::printf("%-40s %10.3f\n", "crash log of 50 frames (ours)", logSeconds);
  std::printf("%-40s %10.3f %12ld\n", "(debug file written at link time)", maker.Seconds, maker.PeakKiB);
  std::printf("routines named alike: %d of %d (%d unnamed by us); file and line alike: %d of %d\n", routinesAlike,
              routines, routinesMissing, linesAlike, lines);
  return 0;
}
