#include "crash/debuginfo/makerdbg/ElfDebugFacts.h"
#include "crash/debuginfo/RtBinDebug.h"
#include "crash/debuginfo/RtDebugSources.h"
#include "crash/debuginfo/RtModules.h"
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QHash>
#include <QtCore/QRegularExpression>
#include <QtCore/QSet>
#include <algorithm>
#include <dwarf.h>
#include <elfutils/libdw.h>
#include <fcntl.h>
#include <gelf.h>
#include <unistd.h>

namespace {

QString FileNameOnly(const char* path) { return path ? QFileInfo(QFile::decodeName(path)).fileName() : QString(); }

// Closes the file and the ELF and DWARF handles opened on it.
struct TElfFile {
  int fd = -1;
  Elf* elf = nullptr;
  Dwarf* dwarf = nullptr;
  ~TElfFile() {
    if (dwarf) dwarf_end(dwarf);
    if (elf) elf_end(elf);
    if (fd >= 0) close(fd);
  }
};

quint64 LowestLoadedAddress(Elf* elf) {
  size_t count = 0;
  quint64 lowest = ~quint64(0);
  if (elf_getphdrnum(elf, &count) != 0) return 0;
  for (size_t i = 0; i < count; ++i) {
    GElf_Phdr header;
    if (gelf_getphdr(elf, int(i), &header) && header.p_type == PT_LOAD) lowest = qMin<quint64>(lowest, header.p_vaddr);
  }
  return lowest == ~quint64(0) ? 0 : lowest & ~quint64(kRtModulePageSize - 1);
}

void ReadSymbols(Elf* elf, QList<TElfDebugFacts::TSymbol>& symbols) {
  for (Elf_Scn* section = elf_nextscn(elf, nullptr); section; section = elf_nextscn(elf, section)) {
    GElf_Shdr header;
    if (!gelf_getshdr(section, &header) || header.sh_type != SHT_SYMTAB || header.sh_entsize == 0) continue;
    Elf_Data* data = elf_getdata(section, nullptr);
    const size_t count = header.sh_size / header.sh_entsize;
    for (size_t i = 0; data && i < count; ++i) {
      GElf_Sym symbol;
      if (!gelf_getsym(data, int(i), &symbol)) continue;
      if (GELF_ST_TYPE(symbol.st_info) != STT_FUNC || symbol.st_size == 0 || symbol.st_shndx == SHN_UNDEF) continue;
      const char* name = elf_strptr(elf, header.sh_link, symbol.st_name);
      if (name && *name) symbols.append({symbol.st_value, symbol.st_size, DemangledName(name)});
    }
  }
}

QList<TElfDebugFacts::TLine> ReadLines(Dwarf_Die& unit) {
  QList<TElfDebugFacts::TLine> result;
  Dwarf_Lines* lines = nullptr;
  size_t count = 0;
  if (dwarf_getsrclines(&unit, &lines, &count) != 0) return result;
  for (size_t i = 0; i < count; ++i) {
    Dwarf_Line* line = dwarf_onesrcline(lines, i);
    Dwarf_Addr address = 0;
    int number = 0;
    bool endSequence = false;
    if (!line || dwarf_lineaddr(line, &address) != 0 || dwarf_lineno(line, &number) != 0 ||
        dwarf_lineendsequence(line, &endSequence) != 0)
      continue;
    result.append({address, number, FileNameOnly(dwarf_linesrc(line, nullptr, nullptr)), endSequence});
  }
  return result;
}

// A compilation unit the build generated to compile several source files at
// once ("unity_0_cxx"): its name tells nothing about where code came from.
bool IsCombinedUnit(const QString& name) {
  static const QRegularExpression pattern(QStringLiteral("^unity_\\d+_cxx$"));
  return pattern.match(name).hasMatch();
}

bool IsSourceFile(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix();
  return suffix == QLatin1String("cpp") || suffix == QLatin1String("cc") || suffix == QLatin1String("cxx");
}

QString FileStem(const QString& fileName) { return QFileInfo(fileName).completeBaseName(); }

// The routine whose code holds the address, from routines in address order;
// null outside every routine.
const TElfDebugFacts::TSymbol* RoutineAt(const QList<TElfDebugFacts::TSymbol>& routines, quint64 address) {
  const auto after = std::upper_bound(routines.begin(), routines.end(), address,
                                      [](quint64 value, const TElfDebugFacts::TSymbol& s) { return value < s.Start; });
  if (after == routines.begin()) return nullptr;
  const TElfDebugFacts::TSymbol& routine = *(after - 1);
  return address < routine.Start + routine.Size ? &routine : nullptr;
}

// The source file each routine of the lines belongs to: the first source file
// among its lines, so that code inlined from headers stays with the file that
// uses it; a routine made from headers alone (an inline or template routine
// that the build keeps once for the whole program) belongs to the header of
// its first line. Keyed by the routine's start.
QHash<quint64, QString> RoutineStems(const QList<TElfDebugFacts::TLine>& lines,
                                     const QList<TElfDebugFacts::TSymbol>& routines) {
  QHash<quint64, QString> stems;
  QSet<quint64> fromSource;
  for (const TElfDebugFacts::TLine& line : lines) {
    const TElfDebugFacts::TSymbol* routine = line.EndSequence ? nullptr : RoutineAt(routines, line.Address);
    if (!routine || fromSource.contains(routine->Start)) continue;
    if (IsSourceFile(line.File)) {
      stems.insert(routine->Start, FileStem(line.File));
      fromSource.insert(routine->Start);
    } else if (!stems.contains(routine->Start)) {
      stems.insert(routine->Start, FileStem(line.File));
    }
  }
  return stems;
}

// The units of a combined compilation unit, one per source file. A unit
// changes only where a routine starts, so that no routine's start lies before
// the unit of its own code (a lookup names only routines of the address's
// unit). Code outside routines belongs to the source file whose lines came
// last.
void AddSourceFileUnits(const QList<TElfDebugFacts::TLine>& lines, TElfDebugFacts& facts) {
  const QHash<quint64, QString> routineStems = RoutineStems(lines, facts.Symbols);
  QString current;
  quint64 start = 0;
  auto close = [&](quint64 end) {
    if (!current.isEmpty() && end > start) facts.Units.append({start, end, current});
  };
  for (const TElfDebugFacts::TLine& line : lines) {
    if (line.EndSequence) {
      close(line.Address);
      current.clear();
      continue;
    }
    const TElfDebugFacts::TSymbol* routine = RoutineAt(facts.Symbols, line.Address);
    QString stem;
    quint64 from = line.Address;
    if (routine) {
      stem = routineStems.value(routine->Start);
      from = qMax(routine->Start, start);
    } else {
      stem = IsSourceFile(line.File) || current.isEmpty() ? FileStem(line.File) : current;
    }
    if (stem == current) continue;
    close(from);
    current = stem;
    start = from;
  }
}

void ReadUnit(Dwarf_Die& unit, TElfDebugFacts& facts) {
  const QString name =
      QFileInfo(QFile::decodeName(dwarf_diename(&unit) ? dwarf_diename(&unit) : "")).completeBaseName();
  const QList<TElfDebugFacts::TLine> lines = ReadLines(unit);
  if (IsCombinedUnit(name)) {
    AddSourceFileUnits(lines, facts);
  } else {
    Dwarf_Addr base = 0, start = 0, end = 0;
    for (ptrdiff_t offset = 0; (offset = dwarf_ranges(&unit, offset, &base, &start, &end)) > 0;)
      if (end > start) facts.Units.append({start, end, name});
  }
  facts.Lines.append(lines);
}

void ReadDwarf(Dwarf* dwarf, TElfDebugFacts& facts) {
  Dwarf_CU* unit = nullptr;
  Dwarf_Half version = 0;
  uint8_t unitType = 0;
  Dwarf_Die unitDie, subDie;
  while (dwarf_get_units(dwarf, unit, &unit, &version, &unitType, &unitDie, &subDie) == 0)
    if (unitType == DW_UT_compile) ReadUnit(unitDie, facts);
}

// The unit (from units in start order) whose range holds the address; null when none does.
const TElfDebugFacts::TUnitRange* UnitAt(const QList<TElfDebugFacts::TUnitRange>& units, quint64 address) {
  const auto after =
      std::upper_bound(units.begin(), units.end(), address,
                       [](quint64 value, const TElfDebugFacts::TUnitRange& u) { return value < u.Start; });
  if (after == units.begin()) return nullptr;
  const TElfDebugFacts::TUnitRange& unit = *(after - 1);
  return address < unit.End ? &unit : nullptr;
}

// Units for the routines that lie in no unit, since a lookup names routines
// of a unit only: a part the compiler split off a routine ("[clone .cold]",
// without lines) goes with its routine's unit, start-up code without debug
// information with the module.
QList<TElfDebugFacts::TUnitRange> UnitsOfStrayRoutines(const TElfDebugFacts& facts,
                                                       const QList<TElfDebugFacts::TUnitRange>& units,
                                                       const QString& moduleName) {
  QHash<QString, quint64> startOf;
  for (const TElfDebugFacts::TSymbol& symbol : facts.Symbols)
    startOf.insert(symbol.Name, symbol.Start);
  QList<TElfDebugFacts::TUnitRange> stray;
  for (const TElfDebugFacts::TSymbol& symbol : facts.Symbols) {
    if (UnitAt(units, symbol.Start)) continue;
    const qsizetype clone = symbol.Name.indexOf(QLatin1String(" [clone "));
    const auto main = clone > 0 ? startOf.constFind(symbol.Name.left(clone)) : startOf.constEnd();
    const TElfDebugFacts::TUnitRange* owner = main != startOf.constEnd() ? UnitAt(units, *main) : nullptr;
    stray.append({symbol.Start, symbol.Start + symbol.Size, owner ? owner->Name : moduleName});
  }
  return stray;
}

// True when the address lies where a running module's offsets can reach it.
bool Storable(quint64 address, quint64 linkBase) {
  return address >= linkBase + 4096 && address - linkBase - 4096 <= 0x7FFFFFFEu;
}

} // namespace

bool ReadElfDebugFacts(const QString& fileName, TElfDebugFacts& facts, QString& error) {
  elf_version(EV_CURRENT);
  TElfFile file;
  file.fd = open(QFile::encodeName(fileName).constData(), O_RDONLY);
  if (file.fd < 0) {
    error = QStringLiteral("cannot open %1").arg(fileName);
    return false;
  }
  file.elf = elf_begin(file.fd, ELF_C_READ, nullptr);
  if (!file.elf || elf_kind(file.elf) != ELF_K_ELF) {
    error = QStringLiteral("%1 is no ELF file").arg(fileName);
    return false;
  }
  facts.LinkBase = LowestLoadedAddress(file.elf);
  ReadSymbols(file.elf, facts.Symbols);
  std::stable_sort(facts.Symbols.begin(), facts.Symbols.end(),
                   [](const auto& a, const auto& b) { return a.Start < b.Start; });
  // A program without DWARF data still gets its routines.
  file.dwarf = dwarf_begin_elf(file.elf, DWARF_C_READ, nullptr);
  if (file.dwarf) ReadDwarf(file.dwarf, facts);
  return true;
}

QByteArray BinaryDebugData(const TElfDebugFacts& facts, const QString& moduleName) {
  TRtBinDebugWriter writer;
  writer.SetModuleName(moduleName);
  auto offset = [&facts](quint64 address) { return quint32(address - facts.LinkBase - 4096); };

  // Units, each followed by a nameless one where code of no unit follows.
  QList<TElfDebugFacts::TUnitRange> units = facts.Units;
  std::stable_sort(units.begin(), units.end(), [](const auto& a, const auto& b) { return a.Start < b.Start; });
  units.append(UnitsOfStrayRoutines(facts, units, moduleName));
  std::stable_sort(units.begin(), units.end(), [](const auto& a, const auto& b) { return a.Start < b.Start; });
  for (qsizetype i = 0; i < units.size(); ++i) {
    if (!Storable(units[i].Start, facts.LinkBase) || !Storable(units[i].End, facts.LinkBase)) continue;
    writer.AddUnit(offset(units[i].Start), units[i].Name);
    if (i + 1 == units.size() || units[i + 1].Start > units[i].End) writer.AddUnit(offset(units[i].End), QString());
  }

  // Routines, likewise ended where no routine follows at once.
  QList<TElfDebugFacts::TSymbol> symbols = facts.Symbols;
  std::stable_sort(symbols.begin(), symbols.end(), [](const auto& a, const auto& b) { return a.Start < b.Start; });
  for (qsizetype i = 0; i < symbols.size(); ++i) {
    const quint64 end = symbols[i].Start + symbols[i].Size;
    if ((i > 0 && symbols[i].Start == symbols[i - 1].Start) || !Storable(symbols[i].Start, facts.LinkBase) ||
        !Storable(end, facts.LinkBase))
      continue; // an alias of the routine before
    const auto [scope, name] = SplitQualifiedName(symbols[i].Name);
    if (scope.isEmpty())
      writer.AddSymbol(offset(symbols[i].Start), name, QString());
    else
      writer.AddSymbol(offset(symbols[i].Start), scope, name);
    if (i + 1 == symbols.size() || symbols[i + 1].Start > end) writer.AddSymbol(offset(end), QString(), QString());
  }

  // Lines in address order; where a sequence ends and another starts at the
  // same address, the end goes first so the start wins. A row that repeats
  // the line before adds nothing, unless a unit starts there.
  QList<TElfDebugFacts::TLine> lines = facts.Lines;
  std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) {
    return a.Address != b.Address ? a.Address < b.Address : a.EndSequence > b.EndSequence;
  });
  QSet<quint64> unitStarts;
  for (const TElfDebugFacts::TUnitRange& unit : units)
    unitStarts.insert(unit.Start);
  bool first = true;
  int lastNumber = 0;
  QString lastFile;
  for (const TElfDebugFacts::TLine& line : lines) {
    if (!Storable(line.Address, facts.LinkBase)) continue;
    const int number = line.EndSequence ? 0 : line.Line;
    const QString file = line.EndSequence ? QString() : line.File;
    if (!first && number == lastNumber && file == lastFile && !unitStarts.contains(line.Address)) continue;
    writer.AddLine(offset(line.Address), quint32(number));
    if (first || file != lastFile || unitStarts.contains(line.Address))
      writer.AddSourceName(offset(line.Address), file);
    first = false;
    lastNumber = number;
    lastFile = file;
  }
  return writer.Data(true);
}

std::pair<QString, QString> SplitQualifiedName(const QString& demangled) {
  QString head = demangled;
  // A part of a function that the compiler split off keeps the function's name.
  const qsizetype clone = head.indexOf(QLatin1String(" [clone "));
  if (clone > 0) head.truncate(clone);
  // Parameters: from the last ")" back to its "(".
  const qsizetype close = head.lastIndexOf(QLatin1Char(')'));
  if (close > 0) {
    int depth = 0;
    for (qsizetype i = close; i >= 0; --i) {
      if (head[i] == QLatin1Char(')')) ++depth;
      if (head[i] == QLatin1Char('(') && --depth == 0) {
        head.truncate(i);
        break;
      }
    }
  }
  // Return type and scope: blanks and "::" outside brackets, up to an operator's name.
  qsizetype start = 0, ownName = 0;
  int depth = 0;
  for (qsizetype i = 0; i < head.size(); ++i) {
    const QChar c = head[i];
    if (depth == 0 && head.mid(i, 8) == QLatin1String("operator") &&
        (i == 0 || head[i - 1] == QLatin1Char(':') || head[i - 1] == QLatin1Char(' ')) &&
        (i + 8 >= head.size() || !(head[i + 8].isLetterOrNumber() || head[i + 8] == QLatin1Char('_'))))
      break;
    if (c == QLatin1Char('<') || c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{')) ++depth;
    if (c == QLatin1Char('>') || c == QLatin1Char(')') || c == QLatin1Char(']') || c == QLatin1Char('}'))
      depth = qMax(0, depth - 1);
    if (depth != 0) continue;
    if (c == QLatin1Char(' ')) start = ownName = i + 1;
    if (c == QLatin1Char(':') && i + 1 < head.size() && head[i + 1] == QLatin1Char(':')) ownName = ++i + 1;
  }
  if (ownName == start) return {head.mid(start), QString()};
  return {head.mid(start, ownName - 2 - start), head.mid(ownName)};
}
