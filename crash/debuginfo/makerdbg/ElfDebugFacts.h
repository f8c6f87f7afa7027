#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>
#include <utility>

// What the binary debug file of an ELF program is made from: its compilation
// units' code ranges, its function symbols and its line table, read from the
// symbol table and the DWARF data with elfutils.

struct TElfDebugFacts {
  struct TUnitRange {
    quint64 Start = 0, End = 0;
    QString Name; // the source file's name without folder and extension
  };
  struct TSymbol {
    quint64 Start = 0, Size = 0;
    QString Name; // demangled
  };
  struct TLine {
    quint64 Address = 0;
    int Line = 0;
    QString File; // without folder
    bool EndSequence = false;
  };
  quint64 LinkBase = 0; // the lowest loaded segment's address, rounded down to its page
  QList<TUnitRange> Units;
  QList<TSymbol> Symbols; // in address order
  QList<TLine> Lines;
};

// Reads the facts of the ELF file; false with a reason when it is no ELF file.
bool ReadElfDebugFacts(const QString& fileName, TElfDebugFacts& facts, QString& error);

// The binary debug data of the facts. Each address is stored as its
// link-time address less LinkBase less 4096, so that a running module's
// "address - base - 4096" finds it, base being its lowest mapped address.
QByteArray BinaryDebugData(const TElfDebugFacts& facts, const QString& moduleName);

// A demangled function name as its scope and its own name, without return
// type, parameters and qualifiers: "ns::TClass::Method(int) const" gives
// ("ns::TClass", "Method"); a name without scope gives ("", name).
std::pair<QString, QString> SplitQualifiedName(const QString& demangled);
